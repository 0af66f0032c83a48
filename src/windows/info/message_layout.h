#pragma once

/// The message window's size rule, kept apart from the window so that it can be checked
/// without one.
namespace messagelayout {

/// The width at which the notice text wraps, in pixels.
inline constexpr int kWrapWidth = 240;
/// The window's height as laid out, with room for a text 54 pixels high.
inline constexpr int kBaseHeight = 130;
inline constexpr int kRoomForText = 54;

/// The window's height once a text `textHeight` pixels high (wrapped at kWrapWidth) is on
/// show in a window `currentHeight` high: a taller text makes it textHeight + 76 high, a
/// shorter one leaves it alone, and the window never shrinks.
constexpr int WindowHeight(int currentHeight, int textHeight) noexcept {
    if (textHeight <= kRoomForText)
        return currentHeight;
    const int wanted = kBaseHeight + (textHeight - kRoomForText);
    return wanted > currentHeight ? wanted : currentHeight;
}

}  // namespace messagelayout
