#pragma once

#include "platform/color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The step bar's geometry and the colour picker's colour text, free of widgets.
namespace kit {

/// The width each of `n` steps gets when they share a bar `barWidth` wide and overlap by
/// `depth` pixels: (barWidth + (n − 1) × depth) \ n. 0 when there are no steps.
std::int32_t EqualStepWidth(std::int32_t barWidth, std::int32_t n, std::int32_t depth) noexcept;

/// Where each step is drawn, with the x kept in single precision from one step to the next:
/// each later step moves back by half the depth, and the first advance loses half a pixel
/// more (the second step overlaps the first by depth + 1 pixels).
struct StepPlacement {
    /// The left edge of the step picture.
    std::int32_t left = 0;
    /// The x the caption is centred from (before truncation).
    float x = 0;
};
std::vector<StepPlacement> PlaceSteps(const std::vector<std::int32_t>& widths, std::int32_t depth);

/// The step whose hit range holds x, or −1: range i starts at the sum of the earlier
/// widths less `depth` for each, and is widths[i] wide; in an overlap the earlier step wins.
std::int32_t StepAt(const std::vector<std::int32_t>& widths, std::int32_t depth,
                    std::int32_t x) noexcept;

/// The step index a value selects among `n` steps: Max(0, Min(v, n − 1)); 0 with no steps.
std::int32_t ClampStep(std::int64_t v, std::int64_t n) noexcept;

/// The captions of a step definition: one per line, any line ending; none for empty text.
std::vector<std::string> SplitStepDefinition(std::string_view text);

/// The colour of six hexadecimal digits RRGGBB (either case), or none for any other text.
std::optional<platform::Color> ParseColorDigits(std::string_view text) noexcept;

}  // namespace kit
