#include "platform/widgets/updownarrows.h"

#include "platform/timer.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <functional>
#include <string>
#include <vector>

using namespace platform;

namespace {

/// The arrows at 13 x 24: the upper arrow is rows 0 to 11, the lower one rows 12 to 23.
class ArrowsWindow : public Window {
public:
    UpDownArrows* arrows = nullptr;
    std::string log;

protected:
    void Layout() override {
        setGeometry(30, 30, 100, 60);
        arrows = &AddControl<UpDownArrows>(
            this, [](UpDownArrows& a) { a.setGeometry(47, 10, 13, 24); },
            [this](UpDownArrows& a) {
                a.Up = [this] { log += "U"; };
                a.Down = [this] { log += "D"; };
            });
    }
};

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Press(UpDownArrows& a, QPoint at) {
    Mouse(&a, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
void MoveHeld(UpDownArrows& a, QPoint at) {
    Mouse(&a, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}
void Release(UpDownArrows& a, QPoint at) {
    Mouse(&a, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

static_assert(UpDownArrows::kRepeatDelayMs == 500 && UpDownArrows::kRepeatPeriodMs == 100,
              "the expected counts below are worked out for a 500 ms delay and 100 ms repeats");

struct RepeatCase {
    const char* name;
    std::function<void(UpDownArrows&, ManualTimerDriver&)> act;
    const char* log;
};

const RepeatCase kRepeatCases[] = {
    // The press steps at once; nothing more before the delay has run out.
    {"AClickStepsOnce",
     [](UpDownArrows& a, ManualTimerDriver& t) {
         Press(a, {6, 3});
         t.Advance(499);
         Release(a, {6, 3});
         t.Advance(2000);
     },
     "U"},
    // 0 ms press, 500 the first repeat, then 600, 700, 800: five steps in 800 ms.
    {"HeldRepeatsAfterTheDelay",
     [](UpDownArrows& a, ManualTimerDriver& t) {
         Press(a, {6, 20});
         t.Advance(800);
         Release(a, {6, 20});
         t.Advance(2000);
     },
     "DDDDD"},
    // Off the pressed arrow (on the other one, too) the repeat pauses, and resumes on return:
    // 0 press; 500, 600 off; 700 back on; 800.
    {"OffThePressedArrowItPauses",
     [](UpDownArrows& a, ManualTimerDriver& t) {
         Press(a, {6, 3});
         t.Advance(450);
         MoveHeld(a, {6, 18});
         t.Advance(200);
         MoveHeld(a, {6, 5});
         t.Advance(150);
         Release(a, {6, 5});
         t.Advance(2000);
     },
     "UUU"},
    {"DisabledWhileHeldStops",
     [](UpDownArrows& a, ManualTimerDriver& t) {
         Press(a, {6, 20});
         t.Advance(600);
         a.SetEnabled(false);
         t.Advance(2000);
     },
     "DDD"},
    {"APressBelowTheArrowsIsNone",
     [](UpDownArrows& a, ManualTimerDriver& t) {
         Press(a, {6, 30});
         t.Advance(2000);
     },
     ""},
};

class UpDownArrowsTest : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(UpDownArrowsTest, RepeatsWhileHeldOnTheTimerDriver) {
    ScopedManualTimers timers;
    auto* w = new ArrowsWindow;
    w->Build();
    GetParam().act(*w->arrows, *timers);
    EXPECT_EQ(w->log, GetParam().log);
    EXPECT_EQ(timers->ScheduledCount(), 0u);
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

INSTANTIATE_TEST_SUITE_P(Repeats, UpDownArrowsTest, ::testing::ValuesIn(kRepeatCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
