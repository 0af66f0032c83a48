#pragma once

#include "platform/event.h"
#include "platform/picture.h"
#include "platform/timer.h"
#include "platform/widgets/control.h"

#include <QWidget>

#include <string>

namespace platform {

class Graphics;

/// The framework's owner-drawn control, the base of every kit control.
///
/// Each event first reaches the class's handler (the virtual Event_... functions); their
/// defaults raise the window's handler, so a subclass that handles an event keeps it from the
/// window. Every entry from Qt goes through Dispatch.
///
/// Painting goes into a picture that the canvas keeps between paints (device pixel ratio 1):
/// a repaint without erasing finds the pixels of the last one; erasing (the first paint, a
/// refresh with true, a change of size) fills it with the window's background first.
///
/// Mouse: MouseDown returns whether the press is taken; only a taken press gets MouseDrag
/// (on moves and, while the button rests, once per tick) and MouseUp. Without a button the
/// pointer gives MouseMove, MouseEnter and MouseExit. The wheel's deltaY is positive when
/// scrolling down, as on the original platform. Keys arrive as the framework's one-character
/// codes (see KeyText); Tab is offered to the control before it moves the focus.
class Canvas : public QWidget, public Control {
public:
    explicit Canvas(QWidget* parent = nullptr);
    ~Canvas() override;

    /// Whether the control takes the keyboard focus (by click or Tab).
    bool AcceptFocus() const;
    void SetAcceptFocus(bool accept);
    /// Kept for layouts that set it; the kit draws its own focus looks.
    bool UseFocusRing = false;
    /// False: a refresh never erases before painting.
    bool EraseBackground = true;
    bool DoubleBuffer = false;
    /// A picture drawn at the canvas's top left before every Paint.
    PicturePtr Backdrop;

    /// True erases first (when EraseBackground is on) and paints before returning; false
    /// asks for a paint at the loop's next turn, without erasing.
    void Refresh(bool eraseBackground = true) override;

    /// Paints now into the canvas's picture, as a repaint would, and returns that picture
    /// (tests read the pixels from it).
    const Picture& Render();
    /// The picture of the last paint, or nullptr before the first.
    const Picture* LastPaint() const noexcept { return m_backing.get(); }

    /// Milliseconds between two MouseDrag events while the button rests (about one tick).
    static constexpr int kDragRepeatMs = 16;

    /// The window's handlers.
    Event<void(Graphics& g)> Paint;
    Event<bool(int x, int y)> MouseDown;
    Event<void(int x, int y)> MouseDrag;
    Event<void(int x, int y)> MouseUp;
    Event<void(int x, int y)> MouseMove;
    Event<void()> MouseEnter;
    Event<void()> MouseExit;
    Event<bool(int x, int y, int deltaX, int deltaY)> MouseWheel;
    Event<void(int x, int y)> DoubleClick;
    Event<bool(const std::string& key)> KeyDown;
    Event<void(const std::string& key)> KeyUp;
    Event<void()> GotFocus;
    Event<void()> LostFocus;

protected:
    virtual void Event_Paint(Graphics& g) { Paint.Raise(g); }
    virtual bool Event_MouseDown(int x, int y) { return MouseDown.Raise(x, y); }
    virtual void Event_MouseDrag(int x, int y) { MouseDrag.Raise(x, y); }
    virtual void Event_MouseUp(int x, int y) { MouseUp.Raise(x, y); }
    virtual void Event_MouseMove(int x, int y) { MouseMove.Raise(x, y); }
    virtual void Event_MouseEnter() { MouseEnter.Raise(); }
    virtual void Event_MouseExit() { MouseExit.Raise(); }
    virtual bool Event_MouseWheel(int x, int y, int deltaX, int deltaY) {
        return MouseWheel.Raise(x, y, deltaX, deltaY);
    }
    virtual void Event_DoubleClick(int x, int y) { DoubleClick.Raise(x, y); }
    virtual bool Event_KeyDown(const std::string& key) { return KeyDown.Raise(key); }
    virtual void Event_KeyUp(const std::string& key) { KeyUp.Raise(key); }
    virtual void Event_GotFocus() { GotFocus.Raise(); }
    virtual void Event_LostFocus() { LostFocus.Raise(); }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PaintBacking();
    void EraseBacking();
    void Press(QMouseEvent& event);

    PicturePtr m_backing;
    bool m_eraseNext = true;
    bool m_pressTaken = false;
    QPoint m_lastPointer;
    Timer m_dragRepeat;
};

}  // namespace platform
