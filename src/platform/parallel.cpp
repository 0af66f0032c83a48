#include "platform/parallel.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <thread>
#include <vector>

namespace platform {

int WorkerCount() noexcept {
    const unsigned cores = std::thread::hardware_concurrency();
    int count = cores == 0 ? 1 : static_cast<int>(std::min(cores, 64u));
    // A lower count asked for by the environment: a shared machine, or a fuzzer, where a new
    // thread for every picture costs more than the work and blurs its coverage.
    if (const char* asked = std::getenv("MALVOREN_WORKERS")) {
        char* end = nullptr;
        const long n = std::strtol(asked, &end, 10);
        if (end != asked && *end == '\0' && n >= 1 && n < count)
            count = static_cast<int>(n);
    }
    return count;
}

void ParallelFor(int count, const std::function<void(int)>& work, int threads) {
    if (threads <= 0)
        threads = WorkerCount();
    threads = std::min(threads, count);
    if (threads <= 1) {
        for (int i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::vector<std::thread> pool;
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            try {
                for (int i = t; i < count; i += threads)
                    work(i);
            } catch (...) {
                failures[static_cast<std::size_t>(t)] = std::current_exception();
            }
        });
    for (auto& thread : pool)
        thread.join();
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

}  // namespace platform
