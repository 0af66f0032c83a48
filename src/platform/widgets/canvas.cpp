#include "platform/widgets/canvas.h"

#include "platform/dispatch.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/widgets/window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace platform {
namespace {

/// Wheel steps in the framework's sign: positive scrolls down (or right). Qt's angle is
/// positive away from the user; a partial notch (a touchpad) still counts as one step.
int WheelSteps(int angle) {
    if (angle == 0)
        return 0;
    const int steps = std::max(1, std::abs(angle) / 120);
    return angle > 0 ? -steps : steps;
}

}  // namespace

Canvas::Canvas(QWidget* parent)
    : QWidget(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    // The canvas paints every pixel from its own picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_dragRepeat.SetPeriod(kDragRepeatMs);
    m_dragRepeat.Action = [this] {
        if (m_pressTaken)
            Event_MouseDrag(m_lastPointer.x(), m_lastPointer.y());
    };
}

Canvas::~Canvas() = default;

bool Canvas::AcceptFocus() const {
    return focusPolicy() != Qt::NoFocus;
}

void Canvas::SetAcceptFocus(bool accept) {
    setFocusPolicy(accept ? Qt::StrongFocus : Qt::NoFocus);
}

void Canvas::Refresh(bool eraseBackground) {
    if (eraseBackground && EraseBackground)
        m_eraseNext = true;
    RepaintWidget(*this, eraseBackground);
}

const Picture& Canvas::Render() {
    PaintBacking();
    return *m_backing;
}

void Canvas::EraseBacking() {
    Graphics g(*m_backing);
    const platform::Window* owner = TrueWindow();
    if (owner && owner->HasBackColor()) {
        g.ForeColor = owner->BackColor();
    } else {
        const QColor c = palette().color(QPalette::Window);
        g.ForeColor = RGB(c.red(), c.green(), c.blue());
    }
    g.FillRect(0, 0, m_backing->Width(), m_backing->Height());
    if (owner && owner->Backdrop())
        g.DrawPicture(*owner->Backdrop(), 0, 0, Width(), Height(), Left(), Top(), Width(),
                      Height());
}

void Canvas::PaintBacking() {
    const int w = std::max(1, width());
    const int h = std::max(1, height());
    if (!m_backing || m_backing->Width() != w || m_backing->Height() != h) {
        m_backing = Picture::New(w, h);
        m_eraseNext = true;
    }
    Dispatch([this] {
        if (m_eraseNext)
            EraseBacking();
        m_eraseNext = false;
        Graphics g(*m_backing);
        if (Backdrop)
            g.DrawPicture(*Backdrop, 0, 0);
        Event_Paint(g);
    });
}

void Canvas::paintEvent(QPaintEvent*) {
    PaintBacking();
    QPainter painter(this);
    painter.drawImage(0, 0, m_backing->Image());
}

bool Canvas::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        SetEventModifiers(keyEvent->modifiers());
        const auto key = KeyText(*keyEvent);
        if (key && Dispatch([&] { return Event_KeyDown(*key); })) {
            event->accept();
            return true;
        }
        // Not taken: Tab moves the focus (Qt's own handling), other keys go to the window.
        const bool tab = keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab;
        if (tab)
            return QWidget::event(event);
        event->ignore();
        return false;
    }
    return QWidget::event(event);
}

void Canvas::Press(QMouseEvent& event) {
    SetEventModifiers(event.modifiers());
    SetContextualClick(event.button() == Qt::RightButton ||
                       (event.modifiers() & Qt::ControlModifier));
    m_lastPointer = event.position().toPoint();
    m_pressTaken = Dispatch([&] { return Event_MouseDown(m_lastPointer.x(), m_lastPointer.y()); });
    if (m_pressTaken)
        m_dragRepeat.SetMode(Timer::kModeMultiple);
    SetContextualClick(false);
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    Press(*event);
}

void Canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like the first, then the double click.
    Press(*event);
    const QPoint at = event->position().toPoint();
    Dispatch([&] { Event_DoubleClick(at.x(), at.y()); });
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    SetEventModifiers(event->modifiers());
    m_lastPointer = event->position().toPoint();
    const int x = m_lastPointer.x();
    const int y = m_lastPointer.y();
    if (event->buttons() != Qt::NoButton) {
        if (m_pressTaken) {
            m_dragRepeat.Reset();
            Dispatch([&] { Event_MouseDrag(x, y); });
        }
        return;
    }
    Dispatch([&] { Event_MouseMove(x, y); });
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    SetEventModifiers(event->modifiers());
    if (!m_pressTaken)
        return;
    m_pressTaken = false;
    m_dragRepeat.SetMode(Timer::kModeOff);
    const QPoint at = event->position().toPoint();
    Dispatch([&] { Event_MouseUp(at.x(), at.y()); });
}

void Canvas::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Dispatch([this] { Event_MouseEnter(); });
}

void Canvas::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Dispatch([this] { Event_MouseExit(); });
}

void Canvas::wheelEvent(QWheelEvent* event) {
    SetEventModifiers(event->modifiers());
    const QPoint at = event->position().toPoint();
    const int dx = WheelSteps(event->angleDelta().x());
    const int dy = WheelSteps(event->angleDelta().y());
    if (Dispatch([&] { return Event_MouseWheel(at.x(), at.y(), dx, dy); }))
        event->accept();
    else
        event->ignore();
}

void Canvas::keyReleaseEvent(QKeyEvent* event) {
    SetEventModifiers(event->modifiers());
    if (const auto key = KeyText(*event))
        Dispatch([&] { Event_KeyUp(*key); });
    event->ignore();
}

void Canvas::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    Dispatch([this] { Event_GotFocus(); });
}

void Canvas::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    Dispatch([this] { Event_LostFocus(); });
}

}  // namespace platform
