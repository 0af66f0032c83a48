#include "kit/text/scroll_model.h"

#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kit {

bool IsVertical(const ScrollShape& s) noexcept {
    return s.width < s.height;
}

std::int32_t AxisLength(const ScrollShape& s) noexcept {
    return IsVertical(s) ? s.height : s.width;
}

std::int32_t Thickness(const ScrollShape& s) noexcept {
    return IsVertical(s) ? s.width : s.height;
}

std::int32_t TrackLength(const ScrollShape& s) noexcept {
    return s.arrows ? AxisLength(s) - 2 * s.arrowSize : AxisLength(s);
}

std::int32_t MinRealValue(const ScrollShape& s) noexcept {
    return s.arrows && !s.groupArrows ? s.arrowSize : 0;
}

std::optional<KnobSize> KnobFor(const ScrollShape& s) {
    const std::int64_t range = static_cast<std::int64_t>(s.maximum) - s.minimum;
    if (range <= 0)
        return std::nullopt;
    const auto p = static_cast<float>(std::pow(static_cast<double>(range + 1), 0.2));
    const std::int32_t t = Thickness(s);
    const double length =
        std::max(static_cast<double>(t) + 3, static_cast<double>(TrackLength(s)) / p);
    const double across = std::max(1.0, static_cast<double>(t) - 2.0 * s.knobInset);
    const auto along = static_cast<std::int32_t>(length);
    const auto thick = static_cast<std::int32_t>(across);
    if (IsVertical(s))
        return KnobSize{thick, along};
    return KnobSize{along, thick};
}

std::int32_t KnobLength(const ScrollShape& s, const KnobSize& knob) noexcept {
    return IsVertical(s) ? knob.height : knob.width;
}

std::int32_t Travel(const ScrollShape& s, const std::optional<KnobSize>& knob) noexcept {
    return TrackLength(s) - (knob ? KnobLength(s, *knob) : 0);
}

std::int32_t ValueAt(const ScrollShape& s, std::int32_t travel, double realValue) noexcept {
    const double start = MinRealValue(s);
    if (realValue == start)
        return s.minimum;
    // A bar shorter than its knob and buttons has no travel to divide by.
    if (travel <= 0)
        return s.minimum;
    const double range = static_cast<double>(s.maximum) - s.minimum;
    const double v = platform::Round((realValue - start) / travel * range + s.minimum);
    return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

double RealValueFor(const ScrollShape& s, std::int32_t travel, std::int64_t value) noexcept {
    const double start = MinRealValue(s);
    if (value <= s.minimum)
        return start;
    if (value >= s.maximum)
        return start + travel;
    const double range = static_cast<double>(s.maximum) - s.minimum;
    return (static_cast<double>(value) - s.minimum) / range * travel + start;
}

namespace {

/// Byte positions of the record's fields.
struct Layout {
    std::uint8_t SarvelinStyle::*byteField;
    platform::Color SarvelinStyle::*colorField;
    std::size_t at;
};

constexpr Layout kLayout[] = {
    {&SarvelinStyle::CornerRadius, nullptr, 0},
    {nullptr, &SarvelinStyle::BorderColor, 1},
    {&SarvelinStyle::BorderWidth, nullptr, 5},
    {nullptr, &SarvelinStyle::Reserved, 6},
    {&SarvelinStyle::Unnamed10, nullptr, 10},
    {&SarvelinStyle::TrackFillKind, nullptr, 11},
    {nullptr, &SarvelinStyle::TrackFillColor1, 12},
    {&SarvelinStyle::TrackFillTexture, nullptr, 16},
    {&SarvelinStyle::KnobFillKind, nullptr, 17},
    {&SarvelinStyle::KnobInset, nullptr, 18},
    {&SarvelinStyle::Unnamed19, nullptr, 19},
    {&SarvelinStyle::KnobRadius, nullptr, 20},
    {&SarvelinStyle::KnobTransparency, nullptr, 21},
    {nullptr, &SarvelinStyle::KnobBorderColor, 22},
    {nullptr, &SarvelinStyle::KnobFillColor1, 26},
    {nullptr, &SarvelinStyle::KnobFillColor2, 30},
    {nullptr, &SarvelinStyle::KnobFocusBorderColor, 34},
    {nullptr, &SarvelinStyle::KnobFocusFillColor1, 38},
    {nullptr, &SarvelinStyle::KnobFocusFillColor2, 42},
    {&SarvelinStyle::ArrowSize, nullptr, 46},
    {&SarvelinStyle::ArrowFillKind, nullptr, 47},
    {&SarvelinStyle::ArrowTexture, nullptr, 48},
    {&SarvelinStyle::ArrowTexture2, nullptr, 49},
    {nullptr, &SarvelinStyle::ArrowFillColor1, 50},
    {nullptr, &SarvelinStyle::ArrowFillColor2, 54},
    {&SarvelinStyle::KnobTexture, nullptr, 58},
    {&SarvelinStyle::Gloss, nullptr, 59},
    {nullptr, &SarvelinStyle::TrackFillColor2, 60},
};

}  // namespace

std::string SarvelinStyle::StringValue(bool littleEndian) const {
    std::string out(kSize, '\0');
    for (const Layout& f : kLayout) {
        if (f.byteField) {
            out[f.at] = static_cast<char>(this->*f.byteField);
            continue;
        }
        const platform::Color c = this->*f.colorField;
        const char big[4] = {0, static_cast<char>(c.r), static_cast<char>(c.g),
                             static_cast<char>(c.b)};
        for (std::size_t i = 0; i < 4; ++i)
            out[f.at + i] = littleEndian ? big[3 - i] : big[i];
    }
    return out;
}

void SarvelinStyle::SetStringValue(const std::string& bytes, bool littleEndian) {
    std::string full = StringValue(littleEndian);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kSize), full.begin());
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(full[i]); };
    for (const Layout& f : kLayout) {
        if (f.byteField) {
            this->*f.byteField = byte(f.at);
            continue;
        }
        std::uint8_t b[4];
        for (std::size_t i = 0; i < 4; ++i)
            b[i] = littleEndian ? byte(f.at + 3 - i) : byte(f.at + i);
        // The top byte of a 0x00RRGGBB colour carries nothing.
        this->*f.colorField = platform::RGB(b[1], b[2], b[3]);
    }
}

}  // namespace kit
