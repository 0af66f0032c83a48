#pragma once

#include "platform/color.h"
#include "platform/picture.h"
#include "support/inspection.h"

#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

namespace toggles_test {

inline platform::Color PixelAt(const platform::Picture& picture, int x, int y) {
    const QRgb rgb = picture.Image().pixel(x, y);
    return platform::RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

inline platform::Color Hex(unsigned v) {
    return platform::RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

/// True when every channel of `a` lies within `tolerance` levels of `b`: blended pixels may
/// round either way.
inline bool Near(platform::Color a, platform::Color b, int tolerance = 1) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

/// Writes the picture for a person to look at.
inline void SavePng(const platform::Picture& picture, const std::string& name) {
    testsupport::SaveForInspection(picture, "toggles_" + name);
}

/// The bounding box of the pixels inside `area` whose colour satisfies `match`; empty when
/// none does.
template <typename Match>
QRect BoundsOf(const platform::Picture& picture, const QRect& area, Match match) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(PixelAt(picture, x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

}  // namespace toggles_test

namespace platform {
// Lets GoogleTest print colours as 0xRRGGBB in its failure messages.
inline void PrintTo(const Color& c, std::ostream* os) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    *os << text;
}
}  // namespace platform
