#pragma once

/// What Yield() does in window mode: while a job runs, it lets the event loop run, so that
/// windows repaint, timers fire and the user can close a window during a long job.
namespace platform {

/// Installs the window mode's yield hook (batch mode installs none). The hook processes
/// pending events at most once every 10 ms of the monotonic clock (every time under the
/// manual timer driver, whose clock only tests move), and only while a job runs. From then
/// on, a job's waits for work on other threads serve the loop too (SetWaitHook).
void InstallEventYield();

/// The job runner marks the job's span; outside it, yields process no events. In window
/// mode the span also installs the wait hook (ServeEvents) for the calling thread.
void SetJobRunning(bool running) noexcept;
bool JobRunning() noexcept;

/// Marks a job's span for the lifetime of this object.
class JobRunningScope {
public:
    JobRunningScope() noexcept { SetJobRunning(true); }
    ~JobRunningScope() { SetJobRunning(false); }
    JobRunningScope(const JobRunningScope&) = delete;
    JobRunningScope& operator=(const JobRunningScope&) = delete;
};

}  // namespace platform
