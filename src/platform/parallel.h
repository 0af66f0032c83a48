#pragma once

#include <cstdint>
#include <functional>

namespace platform {

/// The number of threads that pure pixel work may use: one per core (at most 64), at least 1,
/// or fewer when `MALVOREN_WORKERS` holds a smaller positive number.
int WorkerCount() noexcept;

/// Runs work(i) for every i in [0, count) on up to `threads` threads (0: WorkerCount()), and
/// returns when all are done. The first exception thrown by a piece of work is rethrown.
/// For pure work only: nothing here may yield or touch the event loop. The calling thread
/// only waits, and runs the wait hook meanwhile when one is installed for it.
void ParallelFor(int count, const std::function<void(int)>& work, int threads = 0);

/// Runs `work` and returns when it is done, rethrowing what it throws. With a wait hook
/// installed for the calling thread it runs on a thread of its own while the caller runs the
/// hook; otherwise (batch mode, tests, other threads) right here. For long stretches of work
/// that cannot be split (a file written, a picture decoded or scaled by Qt): the same rule
/// as for ParallelFor, nothing in it may yield or touch the event loop or a widget.
void RunAside(const std::function<void()>& work);

/// True when this thread's waits run the wait hook: it has a window to serve.
bool ServesWhileWaiting() noexcept;

/// Picture work on this many pixels or more is worth RunAside: below it takes a few
/// milliseconds, less than the loop's own turns.
inline constexpr std::int64_t kAsidePixels = std::int64_t{1} << 22;

/// What a thread does while it waits for the work of ParallelFor and RunAside: window mode
/// serves its event loop there during a job, so that the window repaints and takes clicks
/// while the pixel work runs. The hook runs on the thread that installed it, about every
/// 5 ms of waiting, never inside itself; only that thread's waits run it, and only that
/// thread sends RunAside's work elsewhere. An exception from the hook is rethrown once the
/// work is done. Empty: waits just wait. Returns the old hook.
std::function<void()> SetWaitHook(std::function<void()> hook);

}  // namespace platform
