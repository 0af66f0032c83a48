#include "platform/parallel.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace platform {

int WorkerCount() noexcept {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 64u));
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
