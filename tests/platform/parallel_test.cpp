#include "platform/parallel.h"

#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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

}  // namespace
