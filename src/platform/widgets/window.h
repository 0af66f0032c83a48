#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QEventLoop;

namespace platform {

class Graphics;
class Picture;

/// A window of the tool, after the framework's Window.
///
/// Building is one fixed order (Build): the subclass's Layout sets the window's properties,
/// then adds each control in layout order, which constructs it, applies its stored values
/// through the real setters and only then attaches the window's handlers, so that stored
/// values raise no window handler; then every control's Open runs in creation order (those
/// on hidden pages too), then the window's Open, then the window is shown.
///
/// Left, Top, Width and Height are those of the content area in screen coordinates, without
/// the frame, so that stored positions do not drift.
class Window : public QWidget {
public:
    enum class Frame { Document, Sheet, Modal, MovableModal, Floating, PlainBox, Borderless };

    explicit Window(Frame frame = Frame::Document);
    ~Window() override;

    Frame FrameKind() const noexcept { return m_frame; }

    std::string Title() const;
    void SetTitle(const std::string& title);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    bool HasBackColor() const noexcept { return m_hasBackColor; }
    void SetHasBackColor(bool has);
    Color BackColor() const noexcept { return m_backColor; }
    void SetBackColor(Color color);
    const std::shared_ptr<Picture>& Backdrop() const noexcept { return m_backdrop; }
    void SetBackdrop(std::shared_ptr<Picture> picture);

    /// The control that holds the keyboard focus, or nullptr.
    Control* Focus() const;
    /// The window's controls in creation order, those inside containers included.
    std::size_t ControlCount() const noexcept { return m_controls.size(); }
    Control& ControlAt(std::size_t index) const;
    /// The first control named `name`, or nullptr.
    Control* FindControl(const std::string& name) const;

    /// Builds the window (once) and shows it.
    void Show();
    /// Builds and shows the window modal to `parent` (window-modal), returning at once.
    void ShowWithin(Window& parent);
    /// As ShowWithin, then runs a nested loop until this window closes. A test hook
    /// installed with SetModalHook acts on the window instead of a user.
    void ShowModalWithin(Window* parent);
    using ModalHook = std::function<void(Window&)>;
    /// Installs what ShowModalWithin runs once the window is shown, before its loop (tests).
    static ModalHook SetModalHook(ModalHook hook);

    /// Builds the window without showing it: Layout, every control's Open, the window's Open.
    /// Nothing happens the second time.
    void Build();
    bool IsBuilt() const noexcept { return m_built; }

    /// Closes the window: CancelClose (true refuses), each control's Close in creation order,
    /// the window's Close, then it is hidden and deleted later. Returns false when refused or
    /// postponed. A window that owns the job and closes while the job runs ends the job
    /// instead (its next yield throws) and tries again once the loop is back.
    bool Close(bool appQuitting = false);
    bool IsClosed() const noexcept { return m_closed; }
    /// Marks the window whose close must end the running job first (the main window).
    void SetOwnsJob(bool owns) noexcept { m_ownsJob = owns; }

    /// Binds a menu command to the window by the item's name; the handler returns true when
    /// it handled the command.
    void SetMenuHandler(const std::string& itemName, std::function<bool()> handler);
    /// Runs the window's handler of the item named `itemName`; false when it has none or the
    /// handler did not handle it.
    bool HandleMenuCommand(const std::string& itemName);

    /// Windows that are open, the most recently active first.
    static std::vector<Window*> FrontToBack();
    /// The most recently active open window that is visible, or nullptr.
    static Window* Frontmost();

    /// The window's handlers.
    Event<void()> Open;
    Event<void()> CloseEvent;
    Event<bool(bool appQuitting)> CancelClose;
    Event<void()> EnableMenuItems;
    Event<void()> Activate;
    Event<void()> Deactivate;
    Event<void()> Resized;
    Event<bool(const std::string& key)> KeyDown;

    /// The enabling event, which the menu bar runs before it shows a menu or matches a
    /// shortcut.
    virtual void Event_EnableMenuItems() { EnableMenuItems.Raise(); }

protected:
    /// The stored layout: the window's properties, then AddControl for each control.
    virtual void Layout() {}
    virtual void Event_Open() { Open.Raise(); }
    virtual bool Event_CancelClose(bool appQuitting) { return CancelClose.Raise(appQuitting); }
    virtual void Event_Close() { CloseEvent.Raise(); }
    virtual void Event_Activate() { Activate.Raise(); }
    virtual void Event_Deactivate() { Deactivate.Raise(); }
    virtual void Event_Resized() { Resized.Raise(); }
    virtual bool Event_KeyDown(const std::string& key) { return KeyDown.Raise(key); }

    /// Adds a control of type T inside `container` (the window itself or a container
    /// widget), in the fixed order: construct, stored values, then the window's handlers.
    template <typename T>
    T& AddControl(QWidget* container, const std::function<void(T&)>& storedValues = {},
                  const std::function<void(T&)>& handlers = {}) {
        auto* control = new T(container ? container : this);
        Register(*control);
        if (storedValues)
            storedValues(*control);
        if (handlers)
            handlers(*control);
        return *control;
    }
    /// Registers a control made otherwise (in creation order).
    void Register(Control& control);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyTabOrder();
    void PostClose(bool appQuitting);

    Frame m_frame;
    bool m_hasBackColor = false;
    Color m_backColor{255, 255, 255};
    std::shared_ptr<Picture> m_backdrop;
    std::vector<QPointer<QWidget>> m_controls;  // creation order; children of the window
    std::map<std::string, std::function<bool()>> m_menuHandlers;
    bool m_built = false;
    bool m_closed = false;
    bool m_ownsJob = false;
    QEventLoop* m_modalLoop = nullptr;
};

/// Closes every open window front to back with appQuitting true, `last` (the main window)
/// last; stops at the first refusal and returns false then.
bool CloseAllWindows(Window* last);

}  // namespace platform
