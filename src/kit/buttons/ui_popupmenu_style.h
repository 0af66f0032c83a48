#pragma once

#include "kit/buttons/style_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The look of a pop-up menu: a packed record of 108 bytes. Its first 86 bytes follow the push
/// button's record (head, normal and pressed blocks); then the caption shadow, the arrow
/// fields and the pointer-over fill. A new record is all zero until the open step fills it.
struct UI_PopupMenuStyle {
    std::uint8_t CornerRadius;
    kit::StyleColor BorderColor;
    std::uint8_t BorderWidth;
    std::uint8_t HasShadow;
    kit::StyleColor ShadowColor;
    std::uint8_t ShadowTransparency;
    // Normal look; its caption fields serve the pointer-over look too.
    std::uint8_t FillKind;
    std::uint8_t FillTexture;
    kit::StyleColor FillColor1;
    kit::StyleColor FillColor2;
    kit::StyleText16 TextFont;
    kit::StyleSingle TextSize;
    std::uint8_t TextBold;
    std::uint8_t TextItalic;
    std::uint8_t TextUnderline;
    kit::StyleColor TextColor;
    // Pressed look.
    std::uint8_t SelFillKind;
    std::uint8_t SelFillTexture;
    kit::StyleColor SelFillColor1;
    kit::StyleColor SelFillColor2;
    kit::StyleText16 TextSelFont;
    kit::StyleSingle TextSelSize;
    std::uint8_t TextSelBold;
    std::uint8_t TextSelItalic;
    std::uint8_t TextSelUnderline;
    kit::StyleColor TextSelColor;
    // Caption shadow (vertical offset only), arrows, gloss and the pointer-over fill.
    std::uint8_t HasTextShadow;
    kit::StyleColor TextShadowColor;
    std::int8_t TextShadowDY;
    std::uint8_t Reserved92;
    std::uint8_t ArrowTexture;
    std::uint8_t Gloss;
    std::uint8_t OverGloss;
    std::uint8_t Reserved96;
    std::uint8_t ArrowZoneWidth;
    std::uint8_t OverFillKind;
    std::uint8_t OverFillTexture;
    kit::StyleColor OverFillColor1;
    kit::StyleColor OverFillColor2;

    static constexpr std::size_t kSize = 108;
    /// Byte positions of the thirteen four-byte fields.
    static constexpr std::array<std::size_t, 13> kWordOffsets = {1,  7,  14, 18, 38,  45, 51,
                                                                 55, 75, 82, 87, 100, 104};

    /// The built-in look, with `arrowTexture` (an index of the texture registry, kept to its
    /// low 8 bits) as the arrows picture.
    static UI_PopupMenuStyle BuiltIn(int arrowTexture);

    /// The byte-string form (see UI_ButtonStyle::StringValue): exactly 108 bytes.
    std::string StringValue(bool littleEndian) const;
    void SetStringValue(std::string_view value, bool littleEndian) noexcept;
    UI_PopupMenuStyle& EndianSwap() noexcept;

    /// Converts a stored style string of layout `version` to the current layout: "1.0" moves
    /// the corner radius from byte 21 to the front and then converts as "1.0.1", which moves
    /// the pressed fill (bytes 83–92) in front of the pressed caption (bytes 49–82); any other
    /// version text is the current layout. Pieces past the end of a short string are empty.
    static std::string StyleOffset(std::string_view stored, std::string_view version);

    friend bool operator==(const UI_PopupMenuStyle& a, const UI_PopupMenuStyle& b) noexcept;
};

static_assert(sizeof(UI_PopupMenuStyle) == UI_PopupMenuStyle::kSize);
static_assert(alignof(UI_PopupMenuStyle) == 1);
