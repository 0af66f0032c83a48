#pragma once

#include "platform/color.h"

#include <cstdint>
#include <functional>

/// The arithmetic of the check box, radio button, label and tooltip, apart from any widget,
/// so that every position the paints use can be checked on its own. Integer halving truncates
/// toward zero, as the framework's "\" operator did.
namespace kit {

/// Where the parts of a check box or radio button lie in a control of the given size, from
/// the style's box size S, border width B and mark size M. Sizes may come out zero or
/// negative for styles that do not fit; the paints skip such parts.
struct ToggleLayout {
    int top = 0;          ///< P = (H − S) \ 2, the top of the box or circle
    int insideSize = 0;   ///< d = S − 2B; the inside lies at (B, P + B)
    int markOffset = 0;   ///< o = (S − M) \ 2; the dot lies at (o, P + o)
    int captionX = 0;     ///< S + 5
    int captionWrap = 0;  ///< W − S − 5
};
ToggleLayout LayoutToggle(int width, int height, int boxSize, int borderWidth,
                          int markSize) noexcept;

/// Baseline of a toggle's caption block of wrapped height `captionHeight`, centred in a control
/// `height` pixels high: (H − h) \ 2 + ascent + 1.
int ToggleCaptionBaseline(int height, int captionHeight, int ascent) noexcept;

/// Left end of a label's text from its `TextAlign` (1 centred, 2 right, else left) and the
/// text's single-line width in pixels; never negative.
int LabelTextX(std::int32_t textAlign, int width, double textWidth) noexcept;

/// The number of 5-pixel steps a label's text can scroll: (h + ascent − H) / 5 in floating
/// point, at least 0, truncated.
std::int32_t LabelScrollSteps(int textHeight, int ascent, int height) noexcept;

/// Baseline of a label's first line from its `VerticalAlign` (0 top, 1 middle, 2 bottom; any
/// other value top), moved up by 5 pixels per scroll step. Saturates at the 32-bit range.
int LabelBaseline(std::int32_t verticalAlign, int height, int textHeight, int ascent,
                  std::int32_t scrollPosition) noexcept;

/// A size in pixels.
struct Extent {
    int width = 0;
    int height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

/// The automatic size of a tooltip balloon. Starting at 60 × 60, the width grows by 10 pixels
/// while it is less than twice the height of the text wrapped at it (`heightAt` measures
/// that); the balloon is that width + 20 + border and the text's height + one line's height +
/// 20 + border. `eachRound` runs once per round (the cooperative yield point).
/// Throws whatever `heightAt` or `eachRound` throw.
Extent SearchTooltipSize(const std::function<int(int)>& heightAt, int lineHeight, int borderWidth,
                         const std::function<void()>& eachRound);

/// A window rectangle in screen coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

/// Where a tooltip window goes so that a balloon of `width` × `height` stands centred above the
/// screen point (x, y) with its pointer below it: left x − width \ 2, top y − height − PH,
/// height + PH high. Saturates at the 32-bit range.
ScreenRect PlaceTooltip(int x, int y, int width, int height, int pointerHeight) noexcept;

/// The first mask row that the upper-half gloss wipes out again: Max(1, H / 2) when the
/// floating-point half of the balloon height is less than the corner radius, else
/// Max(1, R − 1), truncated.
int TooltipGlossUpperCut(int balloonHeight, int cornerRadius) noexcept;

/// The rows the lower-half gloss wipes from the top of a mask `maskHeight` high:
/// maskHeight − Max(1, R − 1).
int TooltipGlossLowerCut(int maskHeight, int cornerRadius) noexcept;

/// The tooltip's text origin inside its clipped view, from the view width VW, the balloon
/// height H, border B and the text metrics: one line (height wrapped at VW − 20 at most one
/// line's height) is centred; several lines start at x = 10.
struct TooltipTextOrigin {
    int x = 0;
    int y = 0;
    bool oneLine = false;
};
TooltipTextOrigin PlaceTooltipText(int viewWidth, int balloonHeight, int borderWidth,
                                   int heightAtNarrowWrap, int heightAtViewWidth, int lineHeight,
                                   int ascent, double singleLineWidth) noexcept;

}  // namespace kit
