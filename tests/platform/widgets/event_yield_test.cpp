#include "platform/event_yield.h"

#include "platform/clock.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

using namespace platform;

namespace {

class SteppedClock : public Clock {
public:
    explicit SteppedClock(std::int64_t& now)
        : m_now(now) {}
    std::int64_t MonotonicMs() const override { return m_now; }
    DateTime Now() const override { return {}; }

private:
    std::int64_t& m_now;
};

void PostCount(int& counter) {
    QMetaObject::invokeMethod(
        qApp, [&counter] { ++counter; }, Qt::QueuedConnection);
}

class EventYieldTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEventYield(); }
    void TearDown() override {
        SetYieldHook({});
        SetJobRunning(false);
        QCoreApplication::processEvents();
    }
};

}  // namespace

TEST_F(EventYieldTest, YieldsProcessEventsOnlyWhileAJobRuns) {
    ScopedManualTimers timers;
    int handled = 0;
    PostCount(handled);
    Yield();
    EXPECT_EQ(handled, 0);  // no job: batch-like, nothing processed
    {
        JobRunningScope job;
        Yield();
        EXPECT_EQ(handled, 1);
        PostCount(handled);
        Yield();  // the manual driver's clock stands still, yet every yield processes
        EXPECT_EQ(handled, 2);
    }
}

TEST_F(EventYieldTest, OnTheRealLoopYieldsAreThrottledToOnceEvery10Ms) {
    std::int64_t now = 5000;
    auto old = SetClock(std::make_unique<SteppedClock>(now));
    int handled = 0;
    {
        JobRunningScope job;
        Yield();  // the first yield of a job processes
        PostCount(handled);
        now += 9;
        Yield();
        EXPECT_EQ(handled, 0);
        now += 1;  // 10 ms after the last processing
        Yield();
        EXPECT_EQ(handled, 1);
    }
    SetClock(std::move(old));
}

TEST_F(EventYieldTest, AYieldFromAnEventThatAYieldDispatchedReturnsAtOnce) {
    ScopedManualTimers timers;
    int outer = 0;
    int inner = 0;
    JobRunningScope job;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            ++outer;
            PostCount(inner);
            Yield();  // a paint handler's yield: must not dispatch again
            EXPECT_TRUE(InsideYield());
        },
        Qt::QueuedConnection);
    Yield();
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 0);
    Yield();
    EXPECT_EQ(inner, 1);
}
