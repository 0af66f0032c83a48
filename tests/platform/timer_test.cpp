#include "platform/timer.h"

#include "platform/clock.h"
#include "platform/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

/// Records the moment of every firing, in driver milliseconds since the test began.
struct Recorder {
    explicit Recorder(ManualTimerDriver& d)
        : driver(d)
        , start(d.NowMs()) {}
    void Attach(Timer& t, std::string name) {
        t.Action = [this, name] {
            firings.push_back(name + "@" + std::to_string(driver.NowMs() - start));
        };
    }
    ManualTimerDriver& driver;
    std::int64_t start;
    std::vector<std::string> firings;
};

}  // namespace

TEST(TimerTest, MultipleFiresEveryPeriodAndSingleOnceThenTurnsOff) {
    ScopedManualTimers timers;
    Recorder rec(*timers);
    Timer every, once;
    rec.Attach(every, "every");
    rec.Attach(once, "once");
    every.SetPeriod(168);
    every.SetMode(Timer::kModeMultiple);
    once.SetPeriod(200);
    once.SetMode(Timer::kModeSingle);

    timers->Advance(500);
    // 168, 336 and 504 (> 500); the single one at 200, between the first two.
    EXPECT_EQ(rec.firings, (std::vector<std::string>{"every@168", "once@200", "every@336"}));
    EXPECT_EQ(once.Mode(), Timer::kModeOff);
    timers->Advance(4);
    EXPECT_EQ(rec.firings.back(), "every@504");
}

TEST(TimerTest, OffOrDisabledNeverFiresAndChangesRestartTheCount) {
    ScopedManualTimers timers;
    Recorder rec(*timers);
    Timer t;
    rec.Attach(t, "t");
    t.SetPeriod(100);
    EXPECT_EQ(t.Mode(), Timer::kModeOff);  // a new timer is off
    timers->Advance(250);
    EXPECT_TRUE(rec.firings.empty());

    t.SetMode(Timer::kModeMultiple);  // counts from 250
    t.SetEnabled(false);
    timers->Advance(300);
    EXPECT_TRUE(rec.firings.empty());

    t.SetEnabled(true);  // counts from 550
    timers->Advance(60);
    t.SetPeriod(100);  // restarts at 610
    timers->Advance(100);
    EXPECT_EQ(rec.firings, (std::vector<std::string>{"t@710"}));
}

TEST(TimerTest, EqualDueTimesFireInScheduleOrderAndAnActionMayStopItsTimer) {
    ScopedManualTimers timers;
    std::vector<std::string> order;
    Timer a, b;
    a.SetPeriod(50);
    b.SetPeriod(50);
    b.SetMode(Timer::kModeMultiple);
    a.SetMode(Timer::kModeMultiple);
    a.Action = [&] { order.push_back("a"); };
    b.Action = [&] {
        order.push_back("b");
        if (order.size() >= 3)
            b.SetMode(Timer::kModeOff);
    };
    timers->Advance(150);
    EXPECT_EQ(order, (std::vector<std::string>{"b", "a", "b", "a", "a"}));
}

TEST(TimerTest, TicksAndDatesFollowTheManualClock) {
    ScopedManualTimers timers;
    const std::int64_t ticks = Ticks();
    const DateTime before = Now();
    timers->Advance(1000);
    EXPECT_EQ(Ticks() - ticks, 60);  // 1000 ms are 60 ticks of 1/60 s
    EXPECT_EQ(Now().second, (before.second + 1) % 60);
}

TEST(TimerTest, AFailingActionReachesTheReportAndTheTimerGoesOn) {
    ScopedManualTimers timers;
    std::vector<std::string> reports;
    auto old = SetExceptionReport([&](const std::exception& e) { reports.push_back(e.what()); });
    Timer t;
    t.SetPeriod(10);
    t.SetMode(Timer::kModeMultiple);
    int runs = 0;
    t.Action = [&] {
        ++runs;
        throw OutOfBoundsException("index 9");
    };
    timers->Advance(30);
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(reports, (std::vector<std::string>(3, "index 9")));
    SetExceptionReport(std::move(old));
}

TEST(TimerTest, ATimerThatOutlivesItsDriverIsUnhooked) {
    auto t = std::make_unique<Timer>();
    {
        ScopedManualTimers timers;
        t->SetPeriod(10);
        t->SetMode(Timer::kModeMultiple);
        EXPECT_EQ(timers->ScheduledCount(), 1u);
    }
    t.reset();  // must not reach the gone driver
    SUCCEED();
}
