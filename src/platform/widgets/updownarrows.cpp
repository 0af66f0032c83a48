#include "platform/widgets/updownarrows.h"

#include "platform/dispatch.h"
#include "platform/keys.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace platform {

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setFocusPolicy(Qt::NoFocus);
    m_repeat.Action = [this] {
        if (m_pressed == Arrow::None)
            return;
        if (m_repeat.Period() != kRepeatPeriodMs)
            m_repeat.SetPeriod(kRepeatPeriodMs);
        if (m_over)
            Step(m_pressed);
    };
}

UpDownArrows::~UpDownArrows() = default;

UpDownArrows::Arrow UpDownArrows::ArrowAt(QPoint at) const {
    if (!rect().contains(at))
        return Arrow::None;
    return at.y() < height() / 2 ? Arrow::Up : Arrow::Down;
}

void UpDownArrows::Step(Arrow arrow) {
    // Called from Qt's mouse events and from the timer, whose Fire already dispatches.
    if (arrow == Arrow::Up)
        Event_Up();
    else if (arrow == Arrow::Down)
        Event_Down();
}

void UpDownArrows::Stop() {
    m_pressed = Arrow::None;
    m_over = false;
    m_repeat.SetMode(Timer::kModeOff);
    update();
}

void UpDownArrows::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    SetEventModifiers(event->modifiers());
    m_pressed = ArrowAt(event->position().toPoint());
    m_over = m_pressed != Arrow::None;
    if (m_pressed == Arrow::None)
        return;
    update();
    m_repeat.SetPeriod(kRepeatDelayMs);
    m_repeat.SetMode(Timer::kModeMultiple);
    const Arrow pressed = m_pressed;
    Dispatch([&] { Step(pressed); });
}

void UpDownArrows::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed == Arrow::None)
        return;
    const bool over = ArrowAt(event->position().toPoint()) == m_pressed;
    if (over != m_over) {
        m_over = over;
        update();
    }
}

void UpDownArrows::mouseReleaseEvent(QMouseEvent*) {
    if (m_pressed != Arrow::None)
        Stop();
}

void UpDownArrows::changeEvent(QEvent* event) {
    // Disabled while held: a disabled widget gets no release, so the repeat ends here.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_pressed != Arrow::None)
        Stop();
    QWidget::changeEvent(event);
}

void UpDownArrows::hideEvent(QHideEvent* event) {
    // A hidden widget gets no release.
    if (m_pressed != Arrow::None)
        Stop();
    QWidget::hideEvent(event);
}

void UpDownArrows::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const struct {
        QRect area;
        QStyle::PrimitiveElement arrow;
        Arrow which;
    } parts[] = {
        {QRect(0, 0, width(), half), QStyle::PE_IndicatorArrowUp, Arrow::Up},
        {QRect(0, half, width(), height() - half), QStyle::PE_IndicatorArrowDown, Arrow::Down},
    };
    for (const auto& part : parts) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = part.area;
        if (m_pressed == part.which && m_over)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        style()->drawPrimitive(part.arrow, &option, &painter, this);
    }
}

}  // namespace platform
