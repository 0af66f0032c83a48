#pragma once

#include "platform/picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Variables {

/// The bitmap of the "Smart" wide resize: widens `BMP_picture` to the output width without
/// scaling anything. The left and right parts keep their size; the width gained repeats the
/// single columns just left and right of the centre. The canvas gets red margins where a
/// custom element's frames (`Custom_Visual`) would reach beyond it, and the day-skin
/// inversion when asked. The result replaces `BMP_picture` (and is `New_picture`).
/// A failure is logged with the step name, shown in one message box and turns `Job_Ok` false
/// and `ComposeFailed` true; `BMP_picture` then keeps the source, which the bitmap writer
/// leaves unsaved; a canvas above the picture size caps is refused so, before it is made,
/// with a message that says so. Never throws a RuntimeException.
void Scale_FixedPicture();

}  // namespace Variables

namespace fixedpicture {

/// Extra columns on the right and rows at the bottom of the widened canvas.
struct Margins {
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

/// The margins that the custom elements need ("w*h*x*y*nb*nbx" entries) beyond a canvas of
/// `scaledWidth` by `scaledHeight`. An entry whose frames reach past the right edge is not
/// examined for the bottom; one with all frames in one row (nbx 0) never is. Yields once per
/// entry.
/// Throws platform::RuntimeException when a margin leaves 32 bits.
Margins CustomVisualMargins(const std::vector<std::string>& customVisual, std::int32_t scaledWidth,
                            std::int32_t scaledHeight);

/// Copies `source` into `canvas` widened to `scaledWidth` columns: source columns 0 to m - 1
/// (m = S / 2 - 2), column m repeated up to the middle, the three columns after it, column r
/// (S / 2 + 2) repeated up to where the right part starts, then source columns r to S - 1
/// ending at column `scaledWidth` - 1. Every copy takes all of the source's rows from row 0.
/// Yields once per repeated column.
void StretchColumns(platform::Picture& canvas, const platform::Picture& source,
                    std::int32_t scaledWidth);

}  // namespace fixedpicture
