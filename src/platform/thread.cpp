#include "platform/thread.h"

#include "platform/dispatch.h"
#include "platform/event_yield.h"
#include "platform/exceptions.h"

#include <QTimer>

namespace platform {
namespace {

bool g_kill = false;
bool g_inHook = false;

std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void Yield() {
    if (g_kill)
        throw ThreadEndException();
    ServeEvents();
    if (g_kill)
        throw ThreadEndException();
}

void ServeEvents() {
    // A yield reached from an event that a yield dispatched returns at once.
    if (g_inHook || !Hook())
        return;
    g_inHook = true;
    try {
        Hook()();
    } catch (...) {
        g_inHook = false;
        throw;
    }
    g_inHook = false;
}

void RequestKill() noexcept {
    g_kill = true;
}

void ClearKill() noexcept {
    g_kill = false;
}

bool InsideYield() noexcept {
    return g_inHook;
}

bool KillRequested() noexcept {
    return g_kill;
}

std::function<void()> SetYieldHook(std::function<void()> hook) {
    auto old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

}  // namespace platform

namespace platform {

Thread::Thread() = default;

Thread::~Thread() = default;

void Thread::Run() {
    if (m_running || m_pending || JobRunning())
        return;
    m_pending = true;
    QTimer::singleShot(0, &m_context, [this] {
        if (!m_pending)
            return;
        m_pending = false;
        Dispatch([this] { Start(); });
    });
}

void Thread::Kill() noexcept {
    m_pending = false;
    if (m_running)
        RequestKill();
}

void Thread::Start() {
    // Another runner's job may have started between the Run and now.
    if (JobRunning())
        return;
    ClearKill();
    m_running = true;
    if (m_flag)
        *m_flag = true;
    struct EndOfJob {
        Thread& runner;
        ~EndOfJob() {
            runner.m_running = false;
            if (runner.m_flag)
                *runner.m_flag = false;
            // A kill that ended the job is spent; what asked for it (a close) was posted
            // again and now finds no job.
            ClearKill();
        }
    } endOfJob{*this};
    JobRunningScope span;
    try {
        Event_Run();
    } catch (const ThreadEndException&) {
        // The job was killed and ended at a yield: the normal end of a killed job.
    }
}

}  // namespace platform
