#pragma once

#include "platform/color.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

/// The scroll bar's value model, free of widgets: how the knob's pixel position maps onto the
/// integer range, how long the knob is, and how far it travels.
namespace kit {

/// What the mapping depends on: the control's size, the arrow buttons and the range.
struct ScrollShape {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool arrows = false;
    bool groupArrows = false;
    std::int32_t arrowSize = 0;
    std::int32_t knobInset = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

/// A bar runs from top to bottom when it is narrower than high; a square bar is horizontal.
bool IsVertical(const ScrollShape& s) noexcept;
/// Length along the axis, and thickness across it.
std::int32_t AxisLength(const ScrollShape& s) noexcept;
std::int32_t Thickness(const ScrollShape& s) noexcept;
/// The stretch the knob moves in: the length less both arrow buttons when they are shown.
std::int32_t TrackLength(const ScrollShape& s) noexcept;
/// The knob's leading edge at the start of its travel: after the near arrow button when the
/// buttons are split between the ends, else 0.
std::int32_t MinRealValue(const ScrollShape& s) noexcept;

struct KnobSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const KnobSize&, const KnobSize&) = default;
};
/// The knob for the current range, none when Maximum does not exceed Minimum. Its length
/// shrinks with the fifth root of the range (range + 1)^0.2, taken in single precision, and
/// is never shorter than the bar's thickness + 3; across the axis it is the thickness less
/// twice the knob inset, at least 1.
std::optional<KnobSize> KnobFor(const ScrollShape& s);
/// The knob's length along the axis.
std::int32_t KnobLength(const ScrollShape& s, const KnobSize& knob) noexcept;
/// The knob's travel in pixels: the track less the knob's length, or the whole track when
/// there is no knob. `knob` is the knob picture in use (which may be an older size).
std::int32_t Travel(const ScrollShape& s, const std::optional<KnobSize>& knob) noexcept;

/// The value a knob position reads as: Minimum exactly at the start, else the proportional
/// value rounded half away from zero, not clamped. A travel of zero or less reads Minimum.
std::int32_t ValueAt(const ScrollShape& s, std::int32_t travel, double realValue) noexcept;
/// The knob position for a value: the start at or below Minimum, the end at or above
/// Maximum, else proportional and not rounded.
double RealValueFor(const ScrollShape& s, std::int32_t travel, std::int64_t value) noexcept;

/// The scroll bar's style record, 64 bytes in its byte form: one-byte fields and twelve
/// 4-byte colours at fixed positions.
struct SarvelinStyle {
    std::uint8_t CornerRadius = 0;
    platform::Color BorderColor;
    std::uint8_t BorderWidth = 0;
    platform::Color Reserved;
    std::uint8_t TrackFillKind = 0;
    platform::Color TrackFillColor1;
    std::uint8_t TrackFillTexture = 0;
    std::uint8_t KnobFillKind = 0;
    std::uint8_t KnobInset = 0;
    std::uint8_t KnobRadius = 0;
    std::uint8_t KnobTransparency = 0;
    platform::Color KnobBorderColor;
    platform::Color KnobFillColor1;
    platform::Color KnobFillColor2;
    platform::Color KnobFocusBorderColor;
    platform::Color KnobFocusFillColor1;
    platform::Color KnobFocusFillColor2;
    std::uint8_t ArrowSize = 0;
    std::uint8_t ArrowFillKind = 0;
    std::uint8_t ArrowTexture = 0;
    std::uint8_t ArrowTexture2 = 0;
    platform::Color ArrowFillColor1;
    platform::Color ArrowFillColor2;
    std::uint8_t KnobTexture = 0;
    std::uint8_t Gloss = 0;
    platform::Color TrackFillColor2;
    /// Bytes 10 and 19, which no field names; kept so that a string read back is the same.
    std::uint8_t Unnamed10 = 0;
    std::uint8_t Unnamed19 = 0;

    static constexpr std::size_t kSize = 64;
    /// The 64 bytes; colours 0x00RRGGBB most significant byte first when `littleEndian` is
    /// false (the registry's form), least significant first when true.
    std::string StringValue(bool littleEndian) const;
    /// Takes the first 64 bytes of `bytes`; a shorter string leaves the rest as it is.
    void SetStringValue(const std::string& bytes, bool littleEndian);
};

}  // namespace kit
