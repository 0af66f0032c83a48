#include "platform/thread.h"

#include "platform/exceptions.h"

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
    if (g_kill)
        throw ThreadEndException();
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
