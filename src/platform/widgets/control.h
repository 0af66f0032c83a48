#pragma once

#include "platform/event.h"

#include <string>

class QWidget;

namespace platform {

class Window;

/// The system's pointer shapes (the framework's System.Cursors).
enum class SystemCursor { StandardPointer, ArrowAllDirections, FingerPointer, IBeam, Wait };

/// Gives `widget` the pointer shape `cursor` (its children without a shape of their own too).
void ApplySystemCursor(QWidget& widget, SystemCursor cursor);
/// The shape given to `widget` itself; StandardPointer when it was given none.
SystemCursor SystemCursorOf(const QWidget& widget);

/// What every control of a window offers, framework controls and canvases alike (the
/// framework's Control and RectControl). A control is a QWidget that also derives from this
/// class; the window opens and closes its controls through it, in creation order.
///
/// Positions are in window coordinates (the content area's top left is 0, 0), also for a
/// control inside a container. Enabled is the control's own flag, not Qt's inherited state.
class Control {
public:
    explicit Control(QWidget& self);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget& Widget() const noexcept { return m_self; }

    std::string Name() const;
    void SetName(const std::string& name);
    std::string HelpTag() const;
    void SetHelpTag(const std::string& text);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    /// The control's own enabled flag.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    /// The control's own visible flag.
    bool Visible() const;
    void SetVisible(bool visible);

    /// The position in its container's tab chain.
    int TabIndex = 0;

    /// The edges the control keeps its distance to when its window changes size: locked to
    /// the right (bottom) only, it moves with that edge; locked to both, it grows with it.
    bool LockLeft = true;
    bool LockTop = true;
    bool LockRight = false;
    bool LockBottom = false;

    /// The pointer shape while the pointer is over the control.
    SystemCursor MouseCursor() const;
    void SetMouseCursor(SystemCursor cursor);

    /// The control that contains this one (a group box, a page panel), or nullptr when it
    /// stands directly in its window.
    Control* Parent() const;
    /// The window the control stands in, through any containers; nullptr before it has one.
    platform::Window* TrueWindow() const;
    platform::Window* Window() const { return TrueWindow(); }

    /// Takes the keyboard focus; does nothing on a disabled control.
    void SetFocus();
    bool HasFocus() const;

    /// Repaints the control. False asks for a repaint at the loop's next turn; true (an
    /// immediate repaint, its background erased) paints before returning, together with
    /// whatever else of the window waits to be repainted, and puts it on the screen, so that
    /// code that keeps the loop waiting (a job's step) shows it first. A hidden control is
    /// painted when it is shown.
    virtual void Refresh(bool eraseBackground = true);

    /// The window's handlers of the control's life events.
    Event<void()> Open;
    Event<void()> Close;

    /// Raised by the window once, after the stored layout of every control is in place.
    virtual void Event_Open() { Open.Raise(); }
    /// Raised by the window while it closes, before the window's own Close.
    virtual void Event_Close() { Close.Raise(); }

private:
    QWidget& m_self;
};

/// The refresh of a control: `now` true paints it (and whatever else of its window waits
/// to be painted) before returning and shows it on the screen, false asks for a paint at the
/// loop's next turn. A widget not shown, or one that is painting, only asks.
void RepaintWidget(QWidget& widget, bool now);

/// The control that `widget` is or stands in (itself or its nearest ancestor that is a
/// control, below its window), or nullptr.
Control* ControlOf(QWidget* widget);

}  // namespace platform
