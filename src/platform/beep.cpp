#include "platform/beep.h"

#include <utility>

namespace platform {
namespace {

int g_beeps = 0;

std::function<void()>& Sound() {
    static std::function<void()> sound;
    return sound;
}

}  // namespace

void Beep() {
    ++g_beeps;
    if (Sound())
        Sound()();
}

int BeepCount() noexcept {
    return g_beeps;
}

void ResetBeepCount() noexcept {
    g_beeps = 0;
}

void SetBeepSound(std::function<void()> sound) {
    Sound() = std::move(sound);
}

}  // namespace platform
