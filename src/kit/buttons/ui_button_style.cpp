#include "kit/buttons/ui_button_style.h"

#include <cstring>

namespace {

// The record's storage form is its field list: check the positions the registry relies on.
static_assert(offsetof(UI_ButtonStyle, BorderColor) == 1);
static_assert(offsetof(UI_ButtonStyle, ShadowTransparency) == 11);
static_assert(offsetof(UI_ButtonStyle, FillKind) == 12);
static_assert(offsetof(UI_ButtonStyle, TextFont) == 22);
static_assert(offsetof(UI_ButtonStyle, TextSize) == 38);
static_assert(offsetof(UI_ButtonStyle, TextColor) == 45);
static_assert(offsetof(UI_ButtonStyle, SelFillKind) == 49);
static_assert(offsetof(UI_ButtonStyle, TextSelFont) == 59);
static_assert(offsetof(UI_ButtonStyle, TextSelColor) == 82);
static_assert(offsetof(UI_ButtonStyle, OverFillKind) == 86);
static_assert(offsetof(UI_ButtonStyle, TextOverFont) == 96);
static_assert(offsetof(UI_ButtonStyle, TextOverSize) == 112);
static_assert(offsetof(UI_ButtonStyle, TextOverColor) == 119);
static_assert(offsetof(UI_ButtonStyle, HasTextShadow) == 123);
static_assert(offsetof(UI_ButtonStyle, TextShadowColor) == 124);
static_assert(offsetof(UI_ButtonStyle, WidthMode) == 131);
static_assert(offsetof(UI_ButtonStyle, Gloss) == 133);
static_assert(offsetof(UI_ButtonStyle, SelGloss) == 135);
static_assert(offsetof(UI_ButtonStyle, TextOverShadowDX) == 138);

std::uint8_t* Bytes(UI_ButtonStyle& s) {
    return reinterpret_cast<std::uint8_t*>(&s);
}
const std::uint8_t* Bytes(const UI_ButtonStyle& s) {
    return reinterpret_cast<const std::uint8_t*>(&s);
}

}  // namespace

UI_ButtonStyle UI_ButtonStyle::BuiltIn() {
    UI_ButtonStyle s{};
    s.CornerRadius = 5;
    s.BorderColor.SetValue(0x202224);
    s.BorderWidth = 1;
    s.HasShadow = 0;
    s.ShadowColor.SetValue(0x4D4E52);
    s.ShadowTransparency = 50;

    s.FillKind = 2;
    s.FillTexture = 0;
    s.FillColor1.SetValue(0x373E47);
    s.FillColor2.SetValue(0x2B2C2E);
    s.TextFont = "Arial";
    s.TextSize = 0.0f;
    s.TextBold = 1;
    s.TextItalic = 0;
    s.TextUnderline = 0;
    s.TextColor.SetValue(0xFFFFFF);

    s.SelFillKind = 2;
    s.SelFillTexture = 0;
    s.SelFillColor1.SetValue(0x2B2C2E);
    s.SelFillColor2.SetValue(0x33363B);
    s.TextSelFont = "Arial";
    s.TextSelSize = 0.0f;
    s.TextSelBold = 1;
    s.TextSelItalic = 0;
    s.TextSelUnderline = 0;
    s.TextSelColor.SetValue(0xC8CDD5);

    s.OverFillKind = 2;
    s.OverFillTexture = 0;
    s.OverFillColor1.SetValue(0x474F59);
    s.OverFillColor2.SetValue(0x313338);
    s.TextOverFont = "Arial";
    s.TextOverSize = 0.0f;
    s.TextOverBold = 1;
    s.TextOverItalic = 0;
    s.TextOverUnderline = 0;
    s.TextOverColor.SetValue(0xFFFFFF);

    s.HasTextShadow = 1;
    s.TextShadowColor.SetValue(0x101112);
    s.TextShadowDY = 1;
    s.TextSelShadowDY = 1;
    s.TextOverShadowDY = 1;
    s.WidthMode = 1;
    s.TextPadding = 15;
    s.Gloss = 1;
    s.OverGloss = 3;
    s.SelGloss = 1;
    s.TextShadowDX = 0;
    s.TextSelShadowDX = 0;
    s.TextOverShadowDX = 0;
    return s;
}

std::string UI_ButtonStyle::StringValue(bool littleEndian) const {
    return kit::RecordString(Bytes(*this), kSize, kWordOffsets, littleEndian);
}

void UI_ButtonStyle::SetStringValue(std::string_view value, bool littleEndian) noexcept {
    kit::SetRecordString(Bytes(*this), kSize, kWordOffsets, value, littleEndian);
}

UI_ButtonStyle& UI_ButtonStyle::EndianSwap() noexcept {
    kit::SwapWords(Bytes(*this), kWordOffsets);
    return *this;
}

bool operator==(const UI_ButtonStyle& a, const UI_ButtonStyle& b) noexcept {
    return std::memcmp(&a, &b, UI_ButtonStyle::kSize) == 0;
}
