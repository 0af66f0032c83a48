#pragma once

#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kit {

/// The tooltip's style record (`UI_Tooltip::Style`), one for the whole class.
struct TooltipStyle {
    std::uint8_t CornerRadius = 0;
    platform::Color BorderColor{};
    std::uint8_t BorderWidth = 0;
    /// 1 FillColor1; 2 vertical and 3 horizontal gradient; 4 the texture; else nothing.
    std::uint8_t FillKind = 0;
    std::uint8_t FillTexture = 0;
    platform::Color FillColor1{};
    /// Also the pointer's fill.
    platform::Color FillColor2{};
    std::string TextFont;
    float TextSize = 0;
    std::uint8_t TextBold = 0;
    std::uint8_t TextItalic = 0;
    std::uint8_t TextUnderline = 0;
    platform::Color TextColor{};
    /// Carried by the record; nothing reads or writes it.
    std::uint8_t Unused = 0;
    std::uint8_t PointerHeight = 0;
    std::uint8_t PointerWidth = 0;
    std::uint8_t HasTextShadow = 0;
    std::uint8_t TextShadowDY = 0;
    platform::Color TextShadowColor{};
    /// 0 none, 1 upper part of the rim, 2 lower part, else the whole rim.
    std::uint8_t Gloss = 0;
};

/// The built-in values that every Show writes; the fields nothing writes keep what they hold.
void WriteBuiltInTooltipStyle(TooltipStyle& style);

/// The balloon window's picture and its shape: both W × (H + PH − 2) pixels.
struct TooltipPictures {
    platform::PicturePtr pict;
    /// A grey picture, white transparent and black opaque: the rounded balloon with the
    /// pointer below it.
    platform::PicturePtr mask;
};

/// Paints a balloon of `width` × `height` with its pointer. A pointer width or height of 0 in
/// `style` is first replaced there by the built-in 11 or 8. Parts without pixels (a balloon
/// too small for its border, no room for the text) are skipped; a balloon without pixels
/// gives no pictures.
TooltipPictures ComposeTooltip(TooltipStyle& style, std::string_view text, int width, int height);

}  // namespace kit
