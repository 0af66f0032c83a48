#include "platform/parallel.h"

#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

TEST(ParallelFor, RunsEveryIndexOnceWhateverTheThreadCount) {
    for (const int threads : {0, 1, 3, 64}) {
        std::vector<std::atomic<int>> runs(10);
        platform::ParallelFor(
            10, [&](int i) { runs[static_cast<std::size_t>(i)]++; }, threads);
        for (const auto& r : runs)
            EXPECT_EQ(r.load(), 1) << threads << " threads";
    }
}

TEST(ParallelFor, RethrowsTheFailureOfAPieceOfWork) {
    EXPECT_THROW(platform::ParallelFor(
                     8,
                     [](int i) {
                         if (i == 5)
                             throw std::runtime_error("five");
                     },
                     4),
                 std::runtime_error);
}

TEST(WorkerCount, TheEnvironmentOnlyLowersIt) {
    const unsigned cores = std::thread::hardware_concurrency();
    const int all = cores == 0 ? 1 : static_cast<int>(std::min(cores, 64u));
    struct Case {
        const char* name;
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"one", "1", 1},
        {"zero is ignored", "0", all},
        {"negative is ignored", "-2", all},
        {"not a number is ignored", "two", all},
        {"trailing text is ignored", "1x", all},
        {"more than the cores gives the cores", "100000", all},
    };
    for (const Case& c : cases) {
        ScopedEnv env("MALVOREN_WORKERS", c.value);
        EXPECT_EQ(platform::WorkerCount(), c.expected) << c.name;
    }
    ScopedEnv unset("MALVOREN_WORKERS", std::nullopt);
    EXPECT_EQ(platform::WorkerCount(), all);
}

/// Installs a wait hook for the test's thread and removes it again.
class WaitHookTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetWaitHook({}); }

    /// Installs a hook that counts its runs and wakes AwaitHook.
    void InstallCountingHook(std::function<void()> also = {}) {
        platform::SetWaitHook([this, also] {
            if (also)
                also();
            const std::lock_guard<std::mutex> lock(mutex);
            ++hookRuns;
            hookRan.notify_all();
        });
    }
    /// Waits (in a worker) until the hook has run `n` times; false when it never does. The
    /// deadline only keeps a broken build from hanging: it is no measure of speed.
    bool AwaitHook(int n) {
        std::unique_lock<std::mutex> lock(mutex);
        return hookRan.wait_for(lock, std::chrono::seconds(30), [&] { return hookRuns >= n; });
    }

    std::mutex mutex;
    std::condition_variable hookRan;
    int hookRuns = 0;
};

TEST_F(WaitHookTest, WithoutAHookRunAsideRunsHereAndOnePieceOfWorkToo) {
    const auto here = std::this_thread::get_id();
    std::thread::id ranOn;
    platform::RunAside([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(ranOn, here);
    platform::ParallelFor(
        1, [&](int) { ranOn = std::this_thread::get_id(); }, 1);
    EXPECT_EQ(ranOn, here);
}

TEST_F(WaitHookTest, TheWaitingThreadRunsTheHookWhileTheWorkRunsElsewhere) {
    InstallCountingHook();
    const auto here = std::this_thread::get_id();
    // The work ends only once the hook has run twice: the waiting thread ran it meanwhile.
    bool sawTwoRuns = false;
    std::thread::id ranOn;
    platform::RunAside([&] {
        ranOn = std::this_thread::get_id();
        sawTwoRuns = AwaitHook(2);
    });
    EXPECT_NE(ranOn, here);
    EXPECT_TRUE(sawTwoRuns);

    std::vector<std::atomic<int>> runs(6);
    platform::ParallelFor(
        6,
        [&](int i) {
            EXPECT_NE(std::this_thread::get_id(), here);
            if (i == 0) {
                EXPECT_TRUE(AwaitHook(3));
            }
            runs[static_cast<std::size_t>(i)]++;
        },
        3);
    for (const auto& r : runs)
        EXPECT_EQ(r.load(), 1);
}

TEST_F(WaitHookTest, OnlyTheInstallingThreadServesAndNeverInsideItsOwnHook) {
    std::vector<std::thread::id> nestedRanOn;
    InstallCountingHook([&] {
        // Work started from inside the hook waits without running the hook again.
        platform::RunAside([&] { nestedRanOn.push_back(std::this_thread::get_id()); });
    });
    const auto here = std::this_thread::get_id();
    std::thread::id innerRanOn;
    platform::RunAside([&] {
        // Another thread's waits run no hook, and its RunAside works where it is.
        const auto worker = std::this_thread::get_id();
        platform::RunAside([&] { innerRanOn = std::this_thread::get_id(); });
        EXPECT_EQ(innerRanOn, worker);
        EXPECT_TRUE(AwaitHook(1));
    });
    ASSERT_FALSE(nestedRanOn.empty());
    for (const auto& id : nestedRanOn)
        EXPECT_EQ(id, here);
}

TEST_F(WaitHookTest, AFailingHookIsRethrownOnceTheWorkIsDone) {
    platform::SetWaitHook([this] {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ++hookRuns;
            hookRan.notify_all();
        }
        throw std::runtime_error("the hook failed");
    });
    bool workDone = false;
    // The work goes on after the hook has failed, and the failure waits for it.
    EXPECT_THROW(platform::RunAside([&] { workDone = AwaitHook(1); }), std::runtime_error);
    EXPECT_TRUE(workDone);
    EXPECT_EQ(hookRuns, 1);  // a failed hook is not run again
    // The work's own failure travels back as well.
    platform::SetWaitHook([] {});
    EXPECT_THROW(platform::RunAside([] { throw std::logic_error("the work failed"); }),
                 std::logic_error);
}

}  // namespace
