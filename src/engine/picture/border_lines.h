#pragma once

#include "engine/picture/method_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The line passes of the "Border" method, which shift every position of the skin by half
/// the size difference so that the unscaled skin sits in the middle of the larger canvas.
namespace border {

/// The shifts of one "Border" job, in pixels.
struct Shifts {
    /// (outWidth - inWidth) / 2, truncated toward zero.
    std::int32_t sx = 0;
    /// (outHeight - inHeight) / 2, truncated toward zero. Positions in the sprite area, below
    /// the skin's height, move by twice this value.
    std::int32_t sy = 0;
};

Shifts ComputeShifts(std::int32_t inWidth, std::int32_t inHeight, std::int32_t outWidth,
                     std::int32_t outHeight) noexcept;

/// The size pass on one line: nothing when the line holds no "width="; otherwise the line
/// with its first "width=" value replaced by `outWidth` and its first "height=" value, when
/// it has one, by `outHeight`.
std::optional<std::string> SizeLine(std::string_view line, std::int32_t outWidth,
                                    std::int32_t outHeight);

/// The x pass on one line: the first " x=" value plus `sx`. Relative values ("+" or "-" after
/// any "x="), empty values and icon lines leave the line unchanged.
/// Throws platform::RuntimeException when the value cannot be evaluated or leaves 32 bits.
std::string ShiftXLine(std::string_view line, std::int32_t sx);

/// The y pass on one line, with the relative rules, the sprite rule for values below the
/// skin's height `inHeight` and the split rule for "<pos" lines written without " y=".
/// Yields once per piece of a split line.
/// Throws platform::RuntimeException as ShiftXLine.
std::string ShiftYLine(std::string_view line, std::int32_t sy, std::int32_t inHeight);

/// The icon x pass on one "<icon>" line holding at least two " x=" values: the first value
/// plus `sx`, further absolute values plus `sx`, further "+" values kept.
/// Throws platform::RuntimeException when a value leaves 32 bits.
std::string ShiftIconXLine(std::string_view line, std::int32_t sx);

/// The icon y pass on one "<icon>" line holding at least two " y=" values: the first value
/// plus `sy`, further "+" values plus `sy`, further absolute values (sprite rows) plus 2 `sy`.
/// Throws platform::RuntimeException when a value leaves 32 bits.
std::string ShiftIconYLine(std::string_view line, std::int32_t sy);

/// Runs the size, x, y, icon x and icon y passes over `lines` in that order, yielding once per
/// line of each pass. `cursor` follows the line being processed, for the failure report; after
/// the last pass it holds the number of lines and the last line's text.
/// Throws platform::OutOfBoundsException when the skin has fewer than five lines and none of
/// them holds "width=", and platform::RuntimeException when a value fails.
void ShiftLines(std::vector<std::string>& lines, const Shifts& shifts, std::int32_t inHeight,
                std::int32_t outWidth, std::int32_t outHeight, methodlines::RunningLine& cursor);

}  // namespace border
