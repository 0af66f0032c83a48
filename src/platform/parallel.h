#pragma once

#include <functional>

namespace platform {

/// The number of threads that pure pixel work may use: one per core (at most 64), at least 1,
/// or fewer when `MALVOREN_WORKERS` holds a smaller positive number.
int WorkerCount() noexcept;

/// Runs work(i) for every i in [0, count) on up to `threads` threads (0: WorkerCount()), and
/// returns when all are done. The first exception thrown by a piece of work is rethrown.
/// For pure work only: nothing here may yield or touch the event loop.
void ParallelFor(int count, const std::function<void(int)>& work, int threads = 0);

}  // namespace platform
