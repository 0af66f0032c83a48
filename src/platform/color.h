#pragma once

#include <cstdint>

namespace platform {

/// An opaque 8-bit RGB colour.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

constexpr Color RGB(int r, int g, int b) noexcept {
    return Color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                 static_cast<std::uint8_t>(b)};
}

}  // namespace platform
