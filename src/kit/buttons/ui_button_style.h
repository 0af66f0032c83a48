#pragma once

#include "kit/buttons/style_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The look of a push button (and of a menu button, which shares the layout): a packed record
/// of 139 bytes whose byte-string form is what the kit's style registry stores. Fields are
/// read and written directly; a new record is all zero until the open step fills it.
struct UI_ButtonStyle {
    // Head.
    std::uint8_t CornerRadius;
    kit::StyleColor BorderColor;
    std::uint8_t BorderWidth;
    std::uint8_t HasShadow;
    kit::StyleColor ShadowColor;
    std::uint8_t ShadowTransparency;
    // Normal look.
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
    // Pointer-over look.
    std::uint8_t OverFillKind;
    std::uint8_t OverFillTexture;
    kit::StyleColor OverFillColor1;
    kit::StyleColor OverFillColor2;
    kit::StyleText16 TextOverFont;
    kit::StyleSingle TextOverSize;
    std::uint8_t TextOverBold;
    std::uint8_t TextOverItalic;
    std::uint8_t TextOverUnderline;
    kit::StyleColor TextOverColor;
    // Tail. The shadow offsets run normal, pressed, over; the gloss bytes normal, over, pressed.
    std::uint8_t HasTextShadow;
    kit::StyleColor TextShadowColor;
    std::int8_t TextShadowDY;
    std::int8_t TextSelShadowDY;
    std::int8_t TextOverShadowDY;
    std::uint8_t WidthMode;
    std::uint8_t TextPadding;
    std::uint8_t Gloss;
    std::uint8_t OverGloss;
    std::uint8_t SelGloss;
    std::int8_t TextShadowDX;
    std::int8_t TextSelShadowDX;
    std::int8_t TextOverShadowDX;

    static constexpr std::size_t kSize = 139;
    /// Byte positions of the fifteen four-byte fields.
    static constexpr std::array<std::size_t, 15> kWordOffsets = {1,  7,  14, 18, 38,  45,  51, 55,
                                                                 75, 82, 88, 92, 112, 119, 124};

    /// The built-in look that every button takes when the registry holds no "UI_Button".
    static UI_ButtonStyle BuiltIn();

    /// The byte-string form: exactly 139 bytes, four-byte fields little-endian when
    /// `littleEndian`, else big-endian (the registry's order). The record is not changed.
    std::string StringValue(bool littleEndian) const;
    /// Replaces the whole record from its byte-string form (see kit::SetRecordString).
    void SetStringValue(std::string_view value, bool littleEndian) noexcept;
    /// Reverses the bytes of every four-byte field in place.
    UI_ButtonStyle& EndianSwap() noexcept;

    friend bool operator==(const UI_ButtonStyle& a, const UI_ButtonStyle& b) noexcept;
};

static_assert(sizeof(UI_ButtonStyle) == UI_ButtonStyle::kSize);
static_assert(alignof(UI_ButtonStyle) == 1);
