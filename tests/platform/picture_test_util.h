#pragma once

#include "platform/color.h"
#include "platform/picture.h"
#include "platform/rgbsurface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

namespace platform {

inline void PrintTo(const Color& c, std::ostream* os) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    *os << text;
}

}  // namespace platform

namespace picturetest {

inline platform::Color At(platform::Picture& picture, int x, int y) {
    return picture.RGBSurface().Pixel(x, y);
}

/// The mask's grey at (x, y).
inline int MaskAt(platform::Picture& picture, int x, int y) {
    return picture.Mask()->RGBSurface().Pixel(x, y).r;
}

inline constexpr platform::Color kWhite{255, 255, 255};
inline constexpr platform::Color kBlack{0, 0, 0};
inline constexpr platform::Color kRed{255, 0, 0};
inline constexpr platform::Color kBlue{0, 0, 255};

}  // namespace picturetest
