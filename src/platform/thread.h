#pragma once

#include "platform/event.h"

#include <QObject>

#include <functional>

/// The cooperative job thread. A job runs on the GUI thread and calls Yield() at every point
/// where the original ran other work; killing the job makes the next Yield() throw.
namespace platform {

/// Throws ThreadEndException when a kill was requested; otherwise runs the installed event
/// hook (window mode processes pending events there; batch mode installs none).
void Yield();

/// Yield() without the kill checks: runs the installed hook unless one runs already. What a
/// job does while it waits for work on other threads (see SetWaitHook); a kill asked for
/// meanwhile ends the job at its next yield.
void ServeEvents();

void RequestKill() noexcept;
void ClearKill() noexcept;
bool KillRequested() noexcept;

/// True while Yield() runs its hook: code reached from an event that a yield dispatched (a
/// close, a second job start) must not act as if the job had ended.
bool InsideYield() noexcept;

/// Installs what Yield() runs after its kill check (empty: nothing). Returns the old hook.
std::function<void()> SetYieldHook(std::function<void()> hook);

/// The job runner, after the framework's Thread: Run starts the job (the RunEvent handler)
/// from the event loop, once the current event has ended; Kill makes the job's next yield
/// throw ThreadEndException, which only the runner catches, so the job ends there. One job
/// runs at a time: a Run while a job runs or waits to start does nothing. While the job
/// runs, yields let the event loop run (window mode) and the running flag, when one was
/// given, is true; it is false again however the job ended. Another failure that leaves the
/// job goes to the unhandled-exception report.
class Thread {
public:
    Thread();
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    /// Starts the job from the event loop.
    void Run();
    /// Ends the running job at its next yield; cancels a start that has not happened yet.
    void Kill() noexcept;
    /// True from the job's start until it ended.
    bool IsRunning() const noexcept { return m_running; }
    /// True between Run and the job's start.
    bool IsPending() const noexcept { return m_pending; }

    /// The flag (`Variables::ThreadRunning`) kept true exactly while the job runs; it must
    /// outlive the runner. nullptr: none.
    void SetRunningFlag(bool* flag) noexcept { m_flag = flag; }

    /// The job.
    Event<void()> RunEvent;

protected:
    virtual void Event_Run() { RunEvent.Raise(); }

private:
    void Start();

    QObject m_context;  // the posted start dies with the runner
    bool* m_flag = nullptr;
    bool m_running = false;
    bool m_pending = false;
};

}  // namespace platform
