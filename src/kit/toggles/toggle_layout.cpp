#include "kit/toggles/toggle_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kit {

namespace {

int Saturate(std::int64_t v) noexcept {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Truncates toward zero like the framework's conversion of a real to an integer, without
// leaving the 32-bit range for huge or non-finite values.
int TruncateToInt(double v) noexcept {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(v), double{std::numeric_limits<int>::min()},
                                       double{std::numeric_limits<int>::max()}));
}

}  // namespace

ToggleLayout LayoutToggle(int width, int height, int boxSize, int borderWidth,
                          int markSize) noexcept {
    ToggleLayout layout;
    layout.top = (height - boxSize) / 2;
    layout.insideSize = boxSize - 2 * borderWidth;
    layout.markOffset = (boxSize - markSize) / 2;
    layout.captionX = boxSize + 5;
    layout.captionWrap = width - boxSize - 5;
    return layout;
}

int ToggleCaptionBaseline(int height, int captionHeight, int ascent) noexcept {
    return Saturate((static_cast<std::int64_t>(height) - captionHeight) / 2 + ascent + 1);
}

int LabelTextX(std::int32_t textAlign, int width, double textWidth) noexcept {
    switch (textAlign) {
        case 1:
            return std::max(0, TruncateToInt(width - textWidth) / 2);
        case 2:
            return std::max(0, TruncateToInt(width - std::ceil(textWidth)));
        default:
            return 0;
    }
}

std::int32_t LabelScrollSteps(int textHeight, int ascent, int height) noexcept {
    const double steps = (static_cast<double>(textHeight) + ascent - height) / 5.0;
    return std::max(0, TruncateToInt(steps));
}

int LabelBaseline(std::int32_t verticalAlign, int height, int textHeight, int ascent,
                  std::int32_t scrollPosition) noexcept {
    std::int64_t y = ascent;
    if (verticalAlign != 0 && textHeight <= height) {
        if (verticalAlign == 1)
            y += (static_cast<std::int64_t>(height) - textHeight) / 2;
        else if (verticalAlign == 2)
            y += static_cast<std::int64_t>(height) - textHeight;
    }
    return Saturate(y - static_cast<std::int64_t>(scrollPosition) * 5);
}

Extent SearchTooltipSize(const std::function<int(int)>& heightAt, int lineHeight, int borderWidth,
                         const std::function<void()>& eachRound) {
    int w = 60;
    int h = 60;
    // The loop ends because the wrapped height stops growing once the width passes the
    // longest line, while the width keeps growing; a width past the 32-bit range cannot be
    // reached by any text that fits in memory, but stop there rather than overflow.
    while (static_cast<std::int64_t>(w) < 2 * static_cast<std::int64_t>(h) &&
           w <= std::numeric_limits<int>::max() - 10) {
        w += 10;
        h = heightAt(w);
        if (eachRound)
            eachRound();
    }
    return Extent{Saturate(static_cast<std::int64_t>(w) + 20 + borderWidth),
                  Saturate(static_cast<std::int64_t>(h) + lineHeight + 20 + borderWidth)};
}

ScreenRect PlaceTooltip(int x, int y, int width, int height, int pointerHeight) noexcept {
    return ScreenRect{Saturate(static_cast<std::int64_t>(x) - width / 2),
                      Saturate(static_cast<std::int64_t>(y) - height - pointerHeight), width,
                      Saturate(static_cast<std::int64_t>(height) + pointerHeight)};
}

int TooltipGlossUpperCut(int balloonHeight, int cornerRadius) noexcept {
    const double half = balloonHeight / 2.0;
    if (half < cornerRadius)
        return TruncateToInt(std::max(1.0, half));
    return std::max(1, cornerRadius - 1);
}

int TooltipGlossLowerCut(int maskHeight, int cornerRadius) noexcept {
    return maskHeight - std::max(1, cornerRadius - 1);
}

TooltipTextOrigin PlaceTooltipText(int viewWidth, int balloonHeight, int borderWidth,
                                   int heightAtNarrowWrap, int heightAtViewWidth, int lineHeight,
                                   int ascent, double singleLineWidth) noexcept {
    TooltipTextOrigin origin;
    const std::int64_t top = (static_cast<std::int64_t>(balloonHeight) - heightAtViewWidth) / 2;
    origin.oneLine = heightAtNarrowWrap <= lineHeight;
    if (origin.oneLine) {
        origin.x = TruncateToInt(viewWidth - singleLineWidth) / 2;
        origin.y = Saturate(top + ascent - borderWidth);
    } else {
        origin.x = 10;
        origin.y = Saturate(top + ascent / 2 - borderWidth);
    }
    return origin;
}

}  // namespace kit
