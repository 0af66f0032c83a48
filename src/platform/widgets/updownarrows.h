#pragma once

#include "platform/event.h"
#include "platform/timer.h"
#include "platform/widgets/control.h"

#include <QWidget>

namespace platform {

/// The framework's pair of small arrows (a stepper): a press on the upper arrow raises Up, on
/// the lower one Down. Held down, the arrow repeats as the platform's arrows do: once at the
/// press, again after kRepeatDelayMs, then every kRepeatPeriodMs until the release, as long as
/// the pointer stays on the pressed arrow. The repeat runs on platform::Timer.
class UpDownArrows : public QWidget, public Control {
public:
    /// From the press to the first repeat.
    static constexpr int kRepeatDelayMs = 500;
    /// Between later repeats.
    static constexpr int kRepeatPeriodMs = 100;

    explicit UpDownArrows(QWidget* parent = nullptr);
    ~UpDownArrows() override;

    /// The window's handlers.
    Event<void()> Up;
    Event<void()> Down;

protected:
    virtual void Event_Up() { Up.Raise(); }
    virtual void Event_Down() { Down.Raise(); }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Arrow { None, Up, Down };
    Arrow ArrowAt(QPoint at) const;
    void Step(Arrow arrow);
    void Stop();

    Arrow m_pressed = Arrow::None;
    bool m_over = false;  // the pointer is on the pressed arrow
    Timer m_repeat;
};

}  // namespace platform
