#include "platform/event_yield.h"

#include "platform/clock.h"
#include "platform/parallel.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <QCoreApplication>

#include <cstdint>
#include <functional>
#include <new>
#include <optional>

namespace platform {
namespace {

bool g_jobRunning = false;
bool g_windowMode = false;
std::optional<std::int64_t> g_lastProcessed;

constexpr std::int64_t kYieldIntervalMs = 10;

void ProcessEventsThrottled() {
    if (!g_jobRunning || !QCoreApplication::instance())
        return;
    const std::int64_t now = Milliseconds();
    if (!ManualTimersInstalled() && g_lastProcessed && now - *g_lastProcessed < kYieldIntervalMs)
        return;
    g_lastProcessed = now;
    QCoreApplication::processEvents();
}

}  // namespace

void InstallEventYield() {
    SetYieldHook(ProcessEventsThrottled);
    g_windowMode = true;
}

void SetJobRunning(bool running) noexcept {
    g_jobRunning = running;
    g_lastProcessed.reset();
    // The job's pixel work and long file work run on other threads while the job's own
    // thread, the window's, goes on serving the loop.
    if (g_windowMode) {
        try {
            SetWaitHook(running ? std::function<void()>(ServeEvents) : std::function<void()>());
        } catch (const std::bad_alloc&) {
            // Without the hook the job only waits: slower to answer, never wrong.
        }
    }
}

bool JobRunning() noexcept {
    return g_jobRunning;
}

}  // namespace platform
