#pragma once

#include "kit/base/control_drawing.h"
#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <functional>

class QWidget;

namespace platform {
class Control;
class Graphics;
}  // namespace platform

/// Pieces that the button and pop-up paints and their input handling share.
namespace kit {

/// Whether `widget` is its window's focus control, whether or not the window is active.
bool IsWindowFocus(const QWidget& widget);

/// Passes the cooperative yield point until `ticks` ticks have gone by since `start`.
void WaitTicksSince(std::int64_t start, int ticks);

/// The drop shadow and the rounded box of a button-like control: when `shadowGrey` is given,
/// the box's shape in `shadowColor` through that mask grey one pixel lower; then the box in
/// `borderColor`, its corners anti-aliased, at (0, 0) of `g`. A box without pixels draws nothing.
void DrawBox(platform::Graphics& g, int w, int h, int radius, bool shadow,
             platform::Color shadowGrey, platform::Color shadowColor, platform::Color borderColor);

/// A highlight picture of w × h: its colour plane stays white and its mask starts white
/// (transparent), so that what is drawn into the mask in a grey shows as translucent white.
platform::PicturePtr NewHighlight(int w, int h);

/// Cuts a highlight's mask in white: code 1 keeps the rows above `upperCut`, code 2 the
/// bottom Max(1, radius - 1) rows, any other code the whole rim.
void CutHighlight(platform::Graphics& mask, int code, int upperCut, int radius);

}  // namespace kit
