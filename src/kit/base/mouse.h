#pragma once

#include <cstdint>

/// The pointer-move request of the tooltip routine.
namespace Mouse {

/// Asks to move the pointer to a screen point. It has no effect on this platform, as on the
/// original one: the pointer stays where the user left it, whatever the arguments.
void MoveMouse(std::int32_t x, std::int32_t y, bool flag) noexcept;

}  // namespace Mouse
