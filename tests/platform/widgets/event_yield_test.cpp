#include "platform/event_yield.h"

#include "platform/clock.h"
#include "platform/exceptions.h"
#include "platform/parallel.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <thread>

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

TEST_F(EventYieldTest, AJobsWaitForWorkElsewhereServesTheLoopAndAKillWaitsForTheNextYield) {
    ScopedManualTimers timers;
    const auto loopThread = std::this_thread::get_id();
    // No job: the work runs right here and nothing is processed.
    int handled = 0;
    PostCount(handled);
    std::thread::id ranOn;
    RunAside([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(ranOn, loopThread);
    EXPECT_EQ(handled, 0);

    JobRunningScope job;
    // The work aside ends only once the loop has run the posted events: a click, then a
    // close that asks the job to end.
    std::atomic<bool> served{false};
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            ++handled;
            RequestKill();
            served = true;
        },
        Qt::QueuedConnection);
    bool workDone = false;
    RunAside([&] {
        ranOn = std::this_thread::get_id();
        while (!served)
            std::this_thread::yield();
        workDone = true;
    });
    EXPECT_NE(ranOn, loopThread);
    EXPECT_EQ(handled, 2);                      // both posted events, while the work ran
    EXPECT_TRUE(workDone);                      // the kill let the work finish
    EXPECT_THROW(Yield(), ThreadEndException);  // and ends the job at its next yield
    ClearKill();
}
