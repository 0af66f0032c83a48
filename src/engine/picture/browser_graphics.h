#pragma once

#include <cstdint>

namespace Browser {

/// Restyles the rectangle (x, y, w, h) of `Variables::New_picture` on a copy of it: a fill
/// in `Browser_Color` (the whole rectangle with `B_Force_Color`, else a flood fill of the
/// 4-connected area of exactly the colour at the centre), then the background picture,
/// scaled to the rectangle, tiled from its top left, or placed unscaled in grid cell
/// `B_Picture_Position`; then the copy is drawn back. A background path that is not absolute
/// is skipped. Throws NilObjectException without a canvas or when the background file gives
/// no picture, OutOfBoundsException for a rectangle without pixels; the canvas is then left
/// as it was. A tiled background is drawn in one piece, whatever the size of its tiles;
/// it yields once per row of the rectangle.
void Change_Browser_Graphics(std::int32_t w, std::int32_t h, std::int32_t x, std::int32_t y);

}  // namespace Browser
