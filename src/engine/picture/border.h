#pragma once

#include "engine/picture/border_lines.h"
#include "platform/color.h"
#include "platform/picture.h"

namespace Variables {

/// The "Border" method: keeps every element at its size and centres the skin on a larger
/// canvas. Shifts the skin lines by half the size difference (sprite positions by twice the
/// vertical shift), applies the browser text restyle and the font-size and gain options,
/// writes the output XML, then composes the bordered bitmap in `New_picture` and leaves it in
/// `BMP_picture` for the bitmap writer. The input bitmap is never painted over.
/// A failure is logged, shown in one message box and turns `Job_Ok` false; nothing after it
/// runs. Never throws a RuntimeException.
void XML_Depl();

}  // namespace Variables

namespace border {

/// The bordered canvas without its browser restyle: `canvas` (outWidth wide, the source's
/// height plus twice the vertical shift high) filled with `borderColor`, the source's sprite
/// area moved by (sx, 2 sy) and the skin's own rectangle (inWidth by inHeight) by (sx, sy).
/// `source` is only read.
/// Throws platform::RuntimeException when the skin copy cannot be had.
void ComposeCanvas(platform::Picture& canvas, const platform::Picture& source, const Shifts& shifts,
                   std::int32_t inWidth, std::int32_t inHeight, platform::Color borderColor);

}  // namespace border
