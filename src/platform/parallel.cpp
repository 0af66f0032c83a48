#include "platform/parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {
namespace {

constexpr std::chrono::milliseconds kWaitTurn{5};

// The hook is read and run only by the thread named beside it; workers compare ids only.
std::function<void()> g_waitHook;
std::atomic<std::thread::id> g_waitHookThread{};
thread_local bool t_inWaitHook = false;

bool WaitsRunTheHook() noexcept {
    return g_waitHookThread.load(std::memory_order_acquire) == std::this_thread::get_id() &&
           g_waitHook && !t_inWaitHook;
}

/// Starts `threads` threads, each running body(t), and waits for them all; while they run
/// the calling thread runs the wait hook when it is installed for it. Failures of a body are
/// the body's to catch; a failure of the hook is rethrown once all are done.
void RunThreads(int threads, const std::function<void(int)>& body) {
    std::mutex mutex;
    std::condition_variable finished;
    int running = threads;
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads));
    int started = 0;
    try {
        for (; started < threads; ++started)
            pool.emplace_back([&, t = started] {
                body(t);
                const std::lock_guard<std::mutex> lock(mutex);
                if (--running == 0)
                    finished.notify_one();
            });
    } catch (const std::system_error&) {
        // No thread to be had (a process at its limit): the rest of the work runs here.
        {
            const std::lock_guard<std::mutex> lock(mutex);
            running -= threads - started;
        }
        for (int t = started; t < threads; ++t)
            body(t);
    }
    std::exception_ptr hookFailure;
    if (WaitsRunTheHook()) {
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, kWaitTurn, [&] { return running == 0; })) {
            lock.unlock();
            if (!hookFailure) {
                t_inWaitHook = true;
                try {
                    g_waitHook();
                } catch (...) {
                    hookFailure = std::current_exception();
                }
                t_inWaitHook = false;
            }
            lock.lock();
        }
    }
    for (auto& thread : pool)
        thread.join();
    if (hookFailure)
        std::rethrow_exception(hookFailure);
}

}  // namespace

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
    // One piece of work runs here, unless this thread has a window to serve meanwhile.
    if (threads <= 0 || (threads == 1 && !WaitsRunTheHook())) {
        for (int i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(threads));
    RunThreads(threads, [&](int t) {
        try {
            for (int i = t; i < count; i += threads)
                work(i);
        } catch (...) {
            failures[static_cast<std::size_t>(t)] = std::current_exception();
        }
    });
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

bool ServesWhileWaiting() noexcept {
    return WaitsRunTheHook();
}

void RunAside(const std::function<void()>& work) {
    ParallelFor(
        1, [&](int) { work(); }, 1);
}

std::function<void()> SetWaitHook(std::function<void()> hook) {
    // Out of the waits' sight while it changes.
    g_waitHookThread.store(std::thread::id(), std::memory_order_release);
    auto old = std::move(g_waitHook);
    g_waitHook = std::move(hook);
    if (g_waitHook)
        g_waitHookThread.store(std::this_thread::get_id(), std::memory_order_release);
    return old;
}

}  // namespace platform
