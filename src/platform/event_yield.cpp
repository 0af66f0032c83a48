#include "platform/event_yield.h"

#include "platform/clock.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <QCoreApplication>

#include <cstdint>
#include <optional>

namespace platform {
namespace {

bool g_jobRunning = false;
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
}

void SetJobRunning(bool running) noexcept {
    g_jobRunning = running;
    g_lastProcessed.reset();
}

bool JobRunning() noexcept {
    return g_jobRunning;
}

}  // namespace platform
