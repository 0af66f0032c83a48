#pragma once

#include <functional>

namespace platform {

/// Sounds the system beep (the framework's Beep) through the installed sound, and counts it
/// so that tests can tell how many beeps a window gave.
void Beep();
/// Beeps since the start or since ResetBeepCount.
int BeepCount() noexcept;
void ResetBeepCount() noexcept;
/// What a beep does; window mode installs the toolkit's beep. Empty: silent (batch mode,
/// tests).
void SetBeepSound(std::function<void()> sound);

}  // namespace platform
