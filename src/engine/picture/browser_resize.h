#pragma once

#include "engine/picture/method_lines.h"
#include "platform/picture.h"

#include <cstdint>

namespace Browser {

/// The "Browser" method: keeps the input width and gives the whole height difference
/// (`outHeight` - `inHeight`) to the first browser element. Rewrites the skin lines (skin
/// height, y values at or below the first browser's last row and in the sprite area, icon
/// lines, browser heights), applies the browser text restyle and the font-size and gain
/// options, writes the output XML, then composes the stretched or shortened bitmap in
/// `New_picture`, restyles the browser areas and leaves the result in `BMP_picture`.
/// A failure is logged, shown in one message box and turns `Job_Ok` false; nothing after it
/// runs. Never throws a RuntimeException.
void Browser_Resize();

}  // namespace Browser

namespace browserresize {

/// Composes the output bitmap of the "Browser" method into `canvas` (as wide as `source`,
/// `outHeight` minus `inHeight` rows higher than it). Left of column `inWidth` and above row
/// `outHeight`: the input rows above the first browser's bottom `browserBottom`, with row
/// `browserBottom` - 2 repeated from row `browserBottom` - 3 on when the skin grows, then the
/// input from row `browserBottom` - 1 down to the skin's height, moved by the difference. Below
/// row `outHeight`: the sprite area, over the whole width. `source` is only read; `cursor`
/// counts the row copies.
/// Throws platform::NilObjectException when a work picture cannot be had.
void StretchRows(platform::Picture& canvas, const platform::Picture& source, std::int32_t inWidth,
                 std::int32_t inHeight, std::int32_t outHeight, std::int32_t browserBottom,
                 methodlines::RunningLine& cursor);

}  // namespace browserresize
