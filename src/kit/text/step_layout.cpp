#include "kit/text/step_layout.h"

#include <algorithm>

namespace kit {

std::int32_t EqualStepWidth(std::int32_t barWidth, std::int32_t n, std::int32_t depth) noexcept {
    if (n <= 0)
        return 0;
    return static_cast<std::int32_t>(
        (static_cast<std::int64_t>(barWidth) + static_cast<std::int64_t>(n - 1) * depth) / n);
}

std::vector<StepPlacement> PlaceSteps(const std::vector<std::int32_t>& widths, std::int32_t depth) {
    std::vector<StepPlacement> out;
    const float half = static_cast<float>(depth) / 2;
    float x = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i > 0)
            x = x - half;
        out.push_back({static_cast<std::int32_t>(x), x});
        x = x + static_cast<float>(widths[i]) - half;
        if (i == 0)
            x = x - 0.5f;
    }
    return out;
}

std::int32_t StepAt(const std::vector<std::int32_t>& widths, std::int32_t depth,
                    std::int32_t x) noexcept {
    std::int64_t left = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (left <= x && x < left + widths[i])
            return static_cast<std::int32_t>(i);
        left += widths[i] - depth;
    }
    return -1;
}

std::int32_t ClampStep(std::int64_t v, std::int64_t n) noexcept {
    return static_cast<std::int32_t>(std::max<std::int64_t>(0, std::min(v, n - 1)));
}

std::vector<std::string> SplitStepDefinition(std::string_view text) {
    std::vector<std::string> out;
    if (text.empty())
        return out;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    out.push_back(current);
    return out;
}

std::optional<platform::Color> ParseColorDigits(std::string_view text) noexcept {
    if (text.size() != 6)
        return std::nullopt;
    int v[6];
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            v[i] = c - '0';
        else if (c >= 'A' && c <= 'F')
            v[i] = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v[i] = c - 'a' + 10;
        else
            return std::nullopt;
    }
    return platform::RGB(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
}

}  // namespace kit
