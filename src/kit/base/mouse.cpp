#include "kit/base/mouse.h"

namespace Mouse {

void MoveMouse(std::int32_t, std::int32_t, bool) noexcept {
}

}  // namespace Mouse
