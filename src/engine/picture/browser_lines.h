#pragma once

#include "engine/picture/method_lines.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The line passes of the "Browser" method, which give the whole height difference to the
/// first browser element: everything at or below its last row, and the sprite area, moves.
namespace browserlines {

/// The skin height step on one line: nothing when the line holds no "height="; otherwise the
/// line with its first "height=" value replaced by `outHeight`.
std::optional<std::string> SkinHeightLine(std::string_view line, std::int32_t outHeight);

/// State of the y pass over one skin.
struct YPass {
    /// outHeight - inHeight.
    std::int32_t heightDifference = 0;
    std::int32_t inHeight = 0;
    /// The y of the last "<pos" line that the pass did not skip; relative values add to it.
    std::int32_t positionBase = 0;
    /// The first row below the first browser element (its y plus its height). Called only for
    /// an absolute value above the skin's height; throws when the skin has no browser.
    std::function<std::int32_t()> browserBottom;
};

/// The y pass on one line. Absolute values at or below the first browser's last row, or in the
/// sprite area, move by the height difference; "+" values move when they lead there from the
/// position base; "-" values never move. A "<pos" line sets the base to its own value first.
/// Throws platform::RuntimeException when a value cannot be evaluated or leaves 32 bits, and
/// whatever `browserBottom` throws.
std::string MoveYLine(std::string_view line, YPass& pass);

/// The icon pass on one "<icon>" line: the first y value is only rounded, the second and third
/// move by `heightDifference` (keeping a leading "+"); text from a fourth value on is kept.
/// Throws platform::RuntimeException when the line holds fewer than two " y=" values.
std::string MoveIconYLine(std::string_view line, std::int32_t heightDifference);

/// A "<size" line of a browser element: its " height=" value (the truncated leading number)
/// plus `heightDifference`. Lines without "<size" and " height=" are returned unchanged.
/// Throws platform::RuntimeException when the height read or the new one leaves 32 bits.
std::string MoveBrowserHeightLine(std::string_view line, std::int32_t heightDifference);

/// Runs the skin height step, the y pass, the icon pass and the browser height pass over
/// `lines`, yielding once per line examined. `cursor` follows the line being processed; after
/// the passes it holds the number of lines.
/// Throws platform::OutOfBoundsException when the skin has fewer than five lines and none
/// holds "height=", and the failures of the single-line passes.
void MoveLines(std::vector<std::string>& lines, std::int32_t inHeight, std::int32_t outHeight,
               const std::function<std::int32_t()>& browserBottom,
               methodlines::RunningLine& cursor);

}  // namespace browserlines
