#include "windows/options/option_rules.h"

#include "app/ini_read_write.h"
#include "platform/checked.h"
#include "platform/text.h"

#include <cmath>
#include <limits>

namespace optionrules {

namespace {

/// The leading number of `text` with its fraction dropped, when it fits 32 bits.
bool TruncatedInt32(std::string_view text, std::int32_t& out) noexcept {
    const std::optional<std::int32_t> v = platform::TryTruncInt32(platform::Val(text));
    if (!v)
        return false;
    out = *v;
    return true;
}

/// The number of the attribute `attr` on `line`, read from `offset` characters past where the
/// attribute starts (one past its "=" and opening quote). A missing attribute reads from the
/// offset itself, as the position 0 plus the offset, which on a "<pos" or "<size" line is 0.
std::int32_t AttributeNumber(std::string_view line, std::string_view attr, long long offset) {
    const auto p = static_cast<long long>(platform::InStr(line, attr));
    std::int32_t value = 0;
    if (!TruncatedInt32(platform::Mid(line, p + offset), value))
        return 0;
    return value;
}

}  // namespace

bool TextSizeAccepted(std::string_view text) noexcept {
    const double t = platform::Val(text);
    return !(t < 8 || t > 36);
}

TextSizeStore TextSizeOnClose(std::string_view text, std::int32_t current) noexcept {
    const double t = platform::Val(text);
    if (t == static_cast<double>(current))
        return {false, current};
    std::int32_t size = current;
    // Only 8 to 36 ever gets this far (the close is refused otherwise), so this always fits.
    TruncatedInt32(text, size);
    return {true, size};
}

std::int32_t GridCellAt(int x, int y) noexcept {
    std::int32_t position = 1;
    if (x > 23)
        position += 1;
    if (x > 56)
        position += 1;
    if (y > 23)
        position += 3;
    if (y > 56)
        position += 3;
    return position;
}

platform::Color ColourFieldOnLeave(std::string& text) {
    if (platform::Left(text, 1) == "#")
        text = platform::Mid(text, 2);
    return INI_Read_Write::ReadColor("&c" + text);
}

std::string FontArrowStep(std::string_view text, bool up) {
    const double v = platform::Val(text);
    if (up && v < 990)
        return platform::Str(v + 10);
    if (!up && v > 10)
        return platform::Str(v - 10);
    return std::string(text);
}

std::string GainArrowStep(std::string_view text, bool up) {
    const double v = platform::Val(text);
    if (up && v <= 1450)
        return platform::Str(v + 50);
    if (!up && v >= 150)
        return platform::Str(v - 50);
    return std::string(text);
}

std::string GainClamp(std::string_view text) {
    std::string result(text);
    if (platform::Val(result) < 100)
        result = "100";
    if (platform::Val(result) > 1500)
        result = "1500";
    return result;
}

bool LogoNoticeDue(std::int32_t outWidth, std::int32_t inWidth, std::int32_t outHeight,
                   std::int32_t inHeight, const std::vector<std::int32_t>& runOnce) {
    // An input size of 0 gives an infinite or not-a-number ratio; neither is below 1.
    const auto below = [](std::int32_t out, std::int32_t in) {
        if (in == 0)
            return false;
        return static_cast<double>(out) / static_cast<double>(in) < 1.0;
    };
    if (!below(outWidth, inWidth) && !below(outHeight, inHeight))
        return false;
    if (!runOnce.empty() && runOnce[0] == 1)
        return false;
    for (std::size_t i = 1; i < runOnce.size(); ++i) {
        if (runOnce[i] == kLogoNoticeId)
            return false;
    }
    return true;
}

std::string LogoNoticeText(std::string_view rc) {
    std::string text = "You are going to \"downsize\" the skin.";
    text += rc;
    text += rc;
    text += "If you stop the logo resize, the resized skin might not be useable.";
    return text;
}

std::int32_t FontPercentageOnApply(std::string_view text, std::int32_t previous) noexcept {
    std::int32_t value = 0;
    if (!TruncatedInt32(text, value) || value <= 0)
        return previous;
    return value;
}

std::int32_t GainOnApply(std::string_view text, std::int32_t previous) noexcept {
    std::int32_t value = 0;
    if (!TruncatedInt32(text, value))
        return previous;
    return value;
}

std::string LanguageRowText(std::string_view availableLangEntry) {
    const auto star = availableLangEntry.find('*');
    return std::string(availableLangEntry.substr(0, star));
}

PreviewAreas ScanPreviewAreas(const std::vector<std::string>& lines) {
    PreviewAreas areas;
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& line = lines[i];
        if (platform::InStr(line, "<logo>") > 0) {
            for (std::size_t j = i + 1; j <= i + 2 && j < count; ++j) {
                const std::string& next = lines[j];
                if (platform::InStr(next, "<pos") > 0) {
                    areas.logo[0] = AttributeNumber(next, " x=", 4);
                    areas.logo[1] = AttributeNumber(next, " y=", 4);
                }
                if (platform::InStr(next, "height=") > 0) {
                    const std::int32_t height = AttributeNumber(next, "height=", 8);
                    // The product is formed in 64 bits: a huge height must not overflow.
                    const double width = static_cast<double>(height) * 177.0 / 43.0;
                    areas.logo[3] = height;
                    areas.logo[2] = platform::TryTruncInt32(width).value_or(
                        std::numeric_limits<std::int32_t>::max());
                }
            }
        }
        if (platform::InStr(line, "action=\"close\"") > 0) {
            for (std::size_t j = i + 1; j <= i + 5 && j < count; ++j) {
                const std::string& next = lines[j];
                if (platform::InStr(next, "<pos") > 0) {
                    areas.close[0] = AttributeNumber(next, " x=", 4);
                    areas.close[1] = AttributeNumber(next, " y=", 4);
                }
                if (platform::InStr(next, "<size") > 0) {
                    areas.close[2] = AttributeNumber(next, "width=", 7);
                    areas.close[3] = AttributeNumber(next, "height=", 8);
                }
            }
        }
    }
    return areas;
}

bool InCloseArea(const std::array<std::int32_t, 4>& close, int x, int y) noexcept {
    const long long left = close[0];
    const long long top = close[1];
    return left <= x && x <= left + close[2] && top <= y && y <= top + close[3];
}

}  // namespace optionrules
