#pragma once

#include "kit/base/control_drawing.h"
#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <functional>

namespace platform {
class Graphics;
}

/// Drawing steps the text field, the step bar and the scroll bar share.
namespace kit {

/// The colour written 0xRRGGBB.
constexpr platform::Color Hex(std::uint32_t v) noexcept {
    return platform::RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

/// Gives `picture` the shape of a rounded rectangle of its own size through its mask.
void RoundMask(platform::Picture& picture, double radius, double edge);

/// The dark elliptical shade over an inner area of w × h: an all-black picture whose mask is
/// clear along a line through the middle that stops 10 pixels short of each side and grows
/// denser toward the corners (up to mask grey 0xA0). None when w or h has no pixels.
platform::PicturePtr InnerShadePicture(std::int32_t w, std::int32_t h);

}  // namespace kit
