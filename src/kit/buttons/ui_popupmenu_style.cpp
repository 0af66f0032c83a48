#include "kit/buttons/ui_popupmenu_style.h"

#include <cstring>

namespace {

static_assert(offsetof(UI_PopupMenuStyle, FillKind) == 12);
static_assert(offsetof(UI_PopupMenuStyle, TextColor) == 45);
static_assert(offsetof(UI_PopupMenuStyle, SelFillKind) == 49);
static_assert(offsetof(UI_PopupMenuStyle, TextSelColor) == 82);
static_assert(offsetof(UI_PopupMenuStyle, HasTextShadow) == 86);
static_assert(offsetof(UI_PopupMenuStyle, TextShadowColor) == 87);
static_assert(offsetof(UI_PopupMenuStyle, TextShadowDY) == 91);
static_assert(offsetof(UI_PopupMenuStyle, ArrowTexture) == 93);
static_assert(offsetof(UI_PopupMenuStyle, ArrowZoneWidth) == 97);
static_assert(offsetof(UI_PopupMenuStyle, OverFillKind) == 98);
static_assert(offsetof(UI_PopupMenuStyle, OverFillColor1) == 100);
static_assert(offsetof(UI_PopupMenuStyle, OverFillColor2) == 104);

std::uint8_t* Bytes(UI_PopupMenuStyle& s) {
    return reinterpret_cast<std::uint8_t*>(&s);
}
const std::uint8_t* Bytes(const UI_PopupMenuStyle& s) {
    return reinterpret_cast<const std::uint8_t*>(&s);
}

/// Bytes `first` to `last` of `s` (inclusive), or to the end: empty beyond it.
std::string_view Piece(std::string_view s, std::size_t first, std::size_t last) {
    if (first >= s.size())
        return {};
    return s.substr(first, last - first + 1);
}

constexpr std::size_t kToEnd = static_cast<std::size_t>(-2);

}  // namespace

UI_PopupMenuStyle UI_PopupMenuStyle::BuiltIn(int arrowTexture) {
    UI_PopupMenuStyle s{};
    s.CornerRadius = 5;
    s.BorderColor.SetValue(0x202224);
    s.BorderWidth = 1;
    s.ShadowColor.SetValue(0x4D4E52);
    s.ShadowTransparency = 50;
    s.FillKind = 2;
    s.FillColor1.SetValue(0x373E47);
    s.FillColor2.SetValue(0x2B2C2E);
    s.TextSize = 0.0f;
    s.TextBold = 1;
    s.TextColor.SetValue(0xFFFFFF);
    s.SelFillKind = 2;
    s.SelFillColor1.SetValue(0x2B2C2E);
    s.SelFillColor2.SetValue(0x33363B);
    s.TextSelBold = 1;
    s.TextSelColor.SetValue(0xC8CDD5);
    s.HasTextShadow = 1;
    s.TextShadowColor.SetValue(0x101112);
    s.TextShadowDY = 1;
    s.Reserved92 = 1;
    s.ArrowTexture = static_cast<std::uint8_t>(arrowTexture & 0xFF);
    s.Gloss = 1;
    s.OverGloss = 0;
    s.ArrowZoneWidth = 25;
    s.OverFillKind = 2;
    s.OverFillColor1.SetValue(0x474F59);
    s.OverFillColor2.SetValue(0x313338);
    return s;
}

std::string UI_PopupMenuStyle::StringValue(bool littleEndian) const {
    return kit::RecordString(Bytes(*this), kSize, kWordOffsets, littleEndian);
}

void UI_PopupMenuStyle::SetStringValue(std::string_view value, bool littleEndian) noexcept {
    kit::SetRecordString(Bytes(*this), kSize, kWordOffsets, value, littleEndian);
}

UI_PopupMenuStyle& UI_PopupMenuStyle::EndianSwap() noexcept {
    kit::SwapWords(Bytes(*this), kWordOffsets);
    return *this;
}

std::string UI_PopupMenuStyle::StyleOffset(std::string_view stored, std::string_view version) {
    if (version == "1.0") {
        std::string t;
        t += Piece(stored, 21, 21);
        t += Piece(stored, 0, 20);
        t += Piece(stored, 22, kToEnd);
        return StyleOffset(t, "1.0.1");
    }
    if (version == "1.0.1") {
        std::string out;
        out += Piece(stored, 0, 48);
        out += Piece(stored, 83, 92);
        out += Piece(stored, 49, 82);
        out += Piece(stored, 93, kToEnd);
        return out;
    }
    return std::string(stored);
}

bool operator==(const UI_PopupMenuStyle& a, const UI_PopupMenuStyle& b) noexcept {
    return std::memcmp(&a, &b, UI_PopupMenuStyle::kSize) == 0;
}
