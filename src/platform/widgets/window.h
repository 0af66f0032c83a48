#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/exceptions.h"
#include "platform/widgets/control.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QEventLoop;
class QMenuBar;

namespace platform {

class Graphics;
class MenuBarView;
class MenuItem;
class Picture;

/// Thrown by ShowModalWithin when the test hook leaves the modal window open.
class ModalHookLeftOpen : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* KindName() const noexcept override { return "ModalHookLeftOpen"; }
};

/// A window of the tool, after the framework's Window.
///
/// Building is one fixed order (Build): the subclass's Layout sets the window's properties,
/// then adds each control in layout order, which constructs it, applies its stored values
/// through the real setters and only then attaches the window's handlers, so that stored
/// values raise no window handler; then every control's Open runs in creation order (those
/// on hidden pages too), then the window's Open, then the window is shown.
///
/// Left, Top, Width and Height are those of the content area in screen coordinates, without
/// the frame and below the menu bar, so that stored positions do not drift and a window with a
/// menu bar has the whole stored size for its controls.
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

    /// Gives the window a menu bar mirroring `tree` (which must outlive the window) above its
    /// content area; the window becomes the main window, whose menu handlers take the commands
    /// that the front window leaves. Call it in Layout before adding controls: the controls
    /// then stand in the area under the bar. The content keeps its size; the frame grows.
    MenuBarView& SetMenuBar(MenuItem& tree);
    QMenuBar* MenuBar() const noexcept { return m_menuBar; }
    MenuBarView* MenuBarViewOf() const noexcept { return m_menuBarView; }
    /// The widget the controls stand in: the window itself, or the area under its menu bar.
    QWidget* Content() noexcept;
    /// True for a widget whose top left is a window's content origin (0, 0).
    static bool IsContentRoot(const QWidget& widget);

    /// Whether the frame offers a close box (set before the first show).
    bool CloseBox() const;
    void SetCloseBox(bool has);
    /// A window that is not resizeable keeps the content size its setters give it.
    bool Resizeable() const noexcept { return m_resizeable; }
    void SetResizeable(bool resizeable);
    /// The close box quits the application (the main window) instead of closing the window.
    void SetCloseBoxQuits(bool quits) noexcept { m_closeBoxQuits = quits; }

    /// The pointer shape over the window's content (controls with their own shape excepted).
    SystemCursor MouseCursor() const noexcept { return m_cursor; }
    void SetMouseCursor(SystemCursor cursor);

    /// Asks for a repaint of the content (its Paint event runs again).
    void Refresh();

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
    /// installed with SetModalHook acts on the window instead of a user; when the hook (and the
    /// events it posted) leave the window open, the window is hidden and deleted and
    /// ModalHookLeftOpen is thrown, so that a test fails instead of waiting for ever.
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
    /// The open window that holds the menu bar, or nullptr.
    static Window* Main();

    /// The window's handlers.
    Event<void()> Open;
    Event<void()> CloseEvent;
    Event<bool(bool appQuitting)> CancelClose;
    Event<void()> EnableMenuItems;
    Event<void()> Activate;
    Event<void()> Deactivate;
    Event<void()> Resized;
    Event<bool(const std::string& key)> KeyDown;
    /// Paints the content after the back colour and the backdrop, in content coordinates.
    Event<void(Graphics& g)> Paint;
    /// A press on the content outside every control: true takes the press, so that its
    /// MouseDrag and MouseUp reach the window. A contextual click that is not taken raises
    /// ConstructContextualMenu, then ContextualMenuAction with the chosen item.
    Event<bool(int x, int y)> MouseDown;
    Event<void(int x, int y)> MouseDrag;
    Event<void(int x, int y)> MouseUp;
    /// Fills `base` with the contextual menu's items; true shows it.
    Event<bool(MenuItem& base, int x, int y)> ConstructContextualMenu;
    /// Runs the chosen item; false leaves it to the menu handlers (RunMenuCommand).
    Event<bool(MenuItem& hitItem)> ContextualMenuAction;

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
    virtual void Event_Paint(Graphics& g) { Paint.Raise(g); }
    virtual bool Event_MouseDown(int x, int y) { return MouseDown.Raise(x, y); }
    virtual void Event_MouseDrag(int x, int y) { MouseDrag.Raise(x, y); }
    virtual void Event_MouseUp(int x, int y) { MouseUp.Raise(x, y); }
    virtual bool Event_ConstructContextualMenu(MenuItem& base, int x, int y) {
        return ConstructContextualMenu.Raise(base, x, y);
    }
    virtual bool Event_ContextualMenuAction(MenuItem& hitItem) {
        return ContextualMenuAction.Raise(hitItem);
    }

    /// Adds a control of type T inside `container` (the window itself or a container
    /// widget), in the fixed order: construct, stored values, then the window's handlers.
    /// A container of nullptr or the window itself means the content area.
    template <typename T>
    T& AddControl(QWidget* container, const std::function<void(T&)>& storedValues = {},
                  const std::function<void(T&)>& handlers = {}) {
        auto* control = new T(container && container != this ? container : Content());
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class ContentArea;

    void ApplyTabOrder();
    void PostClose(bool appQuitting);
    int BarHeight() const noexcept { return m_barHeight; }
    /// Places the frame so that the content area is `content` (screen coordinates).
    void SetContentGeometry(const QRect& content);
    /// Places the bar and the content area inside the frame.
    void ArrangeChrome();
    /// Moves and sizes the controls locked to the right or bottom edge after a size change.
    void FollowLockedEdges();
    void PaintContent(QWidget& target);
    void ShowContextualMenu(QPoint at, QPoint global);

    Frame m_frame;
    bool m_hasBackColor = false;
    Color m_backColor{255, 255, 255};
    std::shared_ptr<Picture> m_backdrop;
    std::shared_ptr<Picture> m_paintBacking;
    std::vector<QPointer<QWidget>> m_controls;  // creation order; children of the window
    std::map<std::string, std::function<bool()>> m_menuHandlers;
    QMenuBar* m_menuBar = nullptr;
    MenuBarView* m_menuBarView = nullptr;
    QWidget* m_content = nullptr;  // the area under the menu bar; nullptr without one
    int m_barHeight = 0;
    QSize m_lockedSize;  // the content size the locked controls were placed for
    bool m_resizeable = true;
    bool m_closeBoxQuits = false;
    SystemCursor m_cursor = SystemCursor::StandardPointer;
    bool m_pressTaken = false;
    bool m_built = false;
    bool m_closed = false;
    bool m_ownsJob = false;
    QEventLoop* m_modalLoop = nullptr;
};

/// Closes every open window front to back with appQuitting true, `last` (the main window)
/// last; stops at the first refusal and returns false then.
bool CloseAllWindows(Window* last);

/// The open window of class W, or nullptr when none is open (a closed window counts as gone).
template <typename W>
W* Existing() {
    for (Window* open : Window::FrontToBack()) {
        if (auto* found = dynamic_cast<W*>(open); found && !found->IsClosed())
            return found;
    }
    return nullptr;
}

/// What Instance does with a window it has to make: build it only, or build and show it (a
/// window whose stored layout makes it visible).
enum class WhenMade { Built, Shown };

/// The window's single instance, as the framework's implicit instance of a window class: the
/// open window of class W, or a new one, built (and shown with WhenMade::Shown), when none is
/// open (a closed window is gone, so the next call makes another).
template <typename W>
W& Instance(WhenMade whenMade = WhenMade::Built) {
    if (W* open = Existing<W>())
        return *open;
    auto* made = new W();
    if (whenMade == WhenMade::Shown)
        made->Show();
    else
        made->Build();
    return *made;
}

/// Runs a menu command by the chosen item's name, as a click on a menu bar item does: the
/// front window's handler, then the main window's, then the item's own Action, then, for the
/// quit item, the quit request. Returns whether something handled it.
bool RunMenuCommand(MenuItem& item);

}  // namespace platform
