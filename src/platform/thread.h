#pragma once

#include <functional>

/// The cooperative job thread. A job runs on the GUI thread and calls Yield() at every point
/// where the original ran other work; killing the job makes the next Yield() throw.
namespace platform {

/// Throws ThreadEndException when a kill was requested; otherwise runs the installed event
/// hook (window mode processes pending events there; batch mode installs none).
void Yield();

void RequestKill() noexcept;
void ClearKill() noexcept;
bool KillRequested() noexcept;

/// True while Yield() runs its hook: code reached from an event that a yield dispatched (a
/// close, a second job start) must not act as if the job had ended.
bool InsideYield() noexcept;

/// Installs what Yield() runs after its kill check (empty: nothing). Returns the old hook.
std::function<void()> SetYieldHook(std::function<void()> hook);

}  // namespace platform
