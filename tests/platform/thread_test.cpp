#include "platform/thread.h"

#include "platform/clock.h"
#include "platform/exceptions.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ThreadTest, KillEndsTheJobAtTheNextYield) {
    int hookRuns = 0;
    SetYieldHook([&] { ++hookRuns; });
    EXPECT_NO_THROW(Yield());
    EXPECT_EQ(hookRuns, 1);
    RequestKill();
    EXPECT_THROW(Yield(), ThreadEndException);
    EXPECT_EQ(hookRuns, 1);
    ClearKill();
    SetYieldHook({});
    EXPECT_NO_THROW(Yield());
}

TEST(ThreadTest, YieldInsideTheHookReturnsAtOnce) {
    int depth = 0;
    SetYieldHook([&] {
        ++depth;
        Yield();  // a paint handler's yield while the hook dispatches events
    });
    Yield();
    EXPECT_EQ(depth, 1);
    SetYieldHook({});
}

TEST(ThreadTest, KillDuringTheHookThrowsAfterIt) {
    SetYieldHook([] { RequestKill(); });
    EXPECT_THROW(Yield(), ThreadEndException);
    ClearKill();
    SetYieldHook({});
}

namespace {
class FixedClock : public Clock {
public:
    std::int64_t MonotonicMs() const override { return 2000; }
    DateTime Now() const override { return DateTime{2026, 3, 7, 9, 5, 1}; }
};
}  // namespace

TEST(ClockTest, ReplaceableClock) {
    auto old = SetClock(std::make_unique<FixedClock>());
    EXPECT_EQ(Ticks(), 120);  // 2000 ms * 60 / 1000
    EXPECT_EQ(Now().SQLDateTime(), "2026-03-07 09:05:01");
    SetClock(std::move(old));
}
