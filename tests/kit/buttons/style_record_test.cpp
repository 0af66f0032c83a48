#include "kit/buttons/ui_button_style.h"
#include "kit/buttons/ui_popupmenu_style.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

std::string Slice(const std::string& s, std::size_t first, std::size_t last) {
    return s.substr(first, last - first + 1);
}

// A string whose byte n is n, to follow bytes through a conversion.
std::string Numbered(std::size_t size) {
    std::string s;
    for (std::size_t i = 0; i < size; ++i)
        s += static_cast<char>(i);
    return s;
}

TEST(ButtonStyleRecord, BuiltInBigEndianFormMatchesTheStoredLayout) {
    const std::string s = UI_ButtonStyle::BuiltIn().StringValue(false);
    ASSERT_EQ(s.size(), 139u);
    EXPECT_EQ(Slice(s, 0, 11),
              Bytes({0x05, 0x00, 0x20, 0x22, 0x24, 0x01, 0x00, 0x00, 0x4D, 0x4E, 0x52, 0x32}));
    EXPECT_EQ(Slice(s, 12, 21),
              Bytes({0x02, 0x00, 0x00, 0x37, 0x3E, 0x47, 0x00, 0x2B, 0x2C, 0x2E}));
    EXPECT_EQ(Slice(s, 38, 48),
              Bytes({0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(s, 123, 138), Bytes({0x01, 0x00, 0x10, 0x11, 0x12, 0x01, 0x01, 0x01, 0x01, 0x0F,
                                         0x01, 0x03, 0x01, 0x00, 0x00, 0x00}));
    // The pressed and pointer-over blocks: fill kind, texture, two colours.
    EXPECT_EQ(Slice(s, 49, 58),
              Bytes({0x02, 0x00, 0x00, 0x2B, 0x2C, 0x2E, 0x00, 0x33, 0x36, 0x3B}));
    EXPECT_EQ(Slice(s, 86, 95),
              Bytes({0x02, 0x00, 0x00, 0x47, 0x4F, 0x59, 0x00, 0x31, 0x33, 0x38}));
    EXPECT_EQ(Slice(s, 82, 85), Bytes({0x00, 0xC8, 0xCD, 0xD5}));
    // Font names: a length byte, then the text, zero-filled to 16 bytes.
    const std::string arial = Bytes({5, 'A', 'r', 'i', 'a', 'l', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(s.substr(22, 16), arial);
    EXPECT_EQ(s.substr(59, 16), arial);
    EXPECT_EQ(s.substr(96, 16), arial);
}

TEST(ButtonStyleRecord, FieldsReadBackAsWritten) {
    const UI_ButtonStyle s = UI_ButtonStyle::BuiltIn();
    EXPECT_EQ(s.BorderColor.Value(), 0x202224u);
    EXPECT_EQ(platform::Color(s.TextSelColor), platform::RGB(0xC8, 0xCD, 0xD5));
    EXPECT_EQ(std::string(s.TextOverFont), "Arial");
    EXPECT_EQ(float(s.TextSize), 0.0f);
    EXPECT_EQ(s.WidthMode, 1);
    EXPECT_EQ(s.Gloss, 1);
    EXPECT_EQ(s.OverGloss, 3);
    EXPECT_EQ(s.SelGloss, 1);
}

TEST(ButtonStyleRecord, BigEndianFormRoundTrips) {
    UI_ButtonStyle s = UI_ButtonStyle::BuiltIn();
    s.TextSize = 12.0f;
    s.TextShadowDX = -1;
    UI_ButtonStyle copy{};
    copy.SetStringValue(s.StringValue(false), false);
    EXPECT_EQ(copy, s);
    EXPECT_EQ(float(copy.TextSize), 12.0f);
}

TEST(ButtonStyleRecord, LittleAndBigEndianFormsDifferOnlyInsideTheWordFields) {
    UI_ButtonStyle s = UI_ButtonStyle::BuiltIn();
    s.TextSize = 12.0f;
    const std::string little = s.StringValue(true);
    const std::string big = s.StringValue(false);
    ASSERT_EQ(little.size(), 139u);
    ASSERT_EQ(big.size(), 139u);
    std::vector<bool> inWord(139, false);
    for (std::size_t offset : {1, 7, 14, 18, 38, 45, 51, 55, 75, 82, 88, 92, 112, 119, 124}) {
        for (std::size_t i = 0; i < 4; ++i) {
            inWord[offset + i] = true;
            EXPECT_EQ(big[offset + i], little[offset + 3 - i]) << "byte " << offset + i;
        }
    }
    for (std::size_t i = 0; i < 139; ++i)
        if (!inWord[i]) {
            EXPECT_EQ(big[i], little[i]) << "byte " << i;
        }
    // 12.0 in single precision is 0x41400000.
    EXPECT_EQ(big.substr(38, 4), Bytes({0x41, 0x40, 0x00, 0x00}));
    EXPECT_EQ(little.substr(1, 4), Bytes({0x24, 0x22, 0x20, 0x00}));
    // Taking the big-endian form leaves the record as it was.
    EXPECT_EQ(s.StringValue(true), little);
}

TEST(ButtonStyleRecord, LittleEndianSetterStoresTheBytesAsTheyAre) {
    const std::string numbered = Numbered(139);
    UI_ButtonStyle s{};
    s.SetStringValue(numbered, true);
    EXPECT_EQ(s.StringValue(true), numbered);
    EXPECT_EQ(s.BorderColor.Value(), 0x04030201u);
    s.EndianSwap();
    EXPECT_EQ(s.BorderColor.Value(), 0x01020304u);
    EXPECT_EQ(s.CornerRadius, 0);  // one-byte fields untouched
    EXPECT_EQ(s.BorderWidth, 5);
}

TEST(ButtonStyleRecord, ShadowOffsetsAreSigned) {
    UI_ButtonStyle s{};
    std::string str = UI_ButtonStyle::BuiltIn().StringValue(false);
    str[136] = static_cast<char>(0xFF);
    str[128] = static_cast<char>(0xFE);
    s.SetStringValue(str, false);
    EXPECT_EQ(s.TextShadowDX, -1);
    EXPECT_EQ(s.TextShadowDY, -2);
}

TEST(ButtonStyleRecord, StringsOfAnotherLengthFillWhatTheyHaveAndZeroTheRest) {
    UI_ButtonStyle s = UI_ButtonStyle::BuiltIn();
    s.SetStringValue(Bytes({9, 0, 0, 0}), false);
    EXPECT_EQ(s.CornerRadius, 9);
    EXPECT_EQ(s.StringValue(true).substr(1), std::string(138, '\0'));

    s.SetStringValue(Numbered(200), true);
    EXPECT_EQ(s.StringValue(true), Numbered(139));
}

TEST(ButtonStyleRecord, FontNamesKeepFifteenBytesWithoutSplittingACharacter) {
    UI_ButtonStyle s{};
    s.TextFont = "Liberation Sans Narrow";
    EXPECT_EQ(std::string(s.TextFont), "Liberation Sans");
    s.TextFont = "Helvetica Neu\xC3\xA9X";  // "é" ends at byte 15: kept
    EXPECT_EQ(std::string(s.TextFont), "Helvetica Neu\xC3\xA9");
    s.TextFont = "Helvetica Neue\xC3\xA9";  // "é" would straddle byte 15: dropped whole
    EXPECT_EQ(std::string(s.TextFont), "Helvetica Neue");
    s.TextFont = "";
    EXPECT_EQ(std::string(s.TextFont), "");
}

TEST(ButtonStyleRecord, ByteStringLoadsIntoTheMenuButtonRecordUnchanged) {
    // The menu button keeps the push button's layout, so one registry string serves both.
    UI_ButtonStyle a = UI_ButtonStyle::BuiltIn();
    a.WidthMode = 0;
    UI_ButtonStyle b{};
    b.SetStringValue(a.StringValue(false), false);
    EXPECT_EQ(b.WidthMode, 0);
    EXPECT_EQ(b, a);
}

TEST(PopupStyleRecord, BuiltInHoldsTheDefaultsAndZeroElsewhere) {
    const UI_PopupMenuStyle s = UI_PopupMenuStyle::BuiltIn(7);
    const std::string little = s.StringValue(true);
    ASSERT_EQ(little.size(), 108u);
    for (std::size_t i : {6, 13, 43, 44, 50, 80, 81, 95, 96, 99})
        EXPECT_EQ(little[i], 0) << "byte " << i;
    EXPECT_EQ(std::string(s.TextFont), "");
    EXPECT_EQ(std::string(s.TextSelFont), "");
    EXPECT_EQ(float(s.TextSize), 0.0f);
    EXPECT_EQ(float(s.TextSelSize), 0.0f);
    EXPECT_EQ(s.ArrowTexture, 7);
}

TEST(PopupStyleRecord, BuiltInBigEndianFormMatchesTheStoredLayout) {
    const std::string s = UI_PopupMenuStyle::BuiltIn(1).StringValue(false);
    ASSERT_EQ(s.size(), 108u);
    EXPECT_EQ(Slice(s, 0, 11),
              Bytes({0x05, 0x00, 0x20, 0x22, 0x24, 0x01, 0x00, 0x00, 0x4D, 0x4E, 0x52, 0x32}));
    EXPECT_EQ(Slice(s, 38, 41), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(Slice(s, 86, 107),
              Bytes({0x01, 0x00, 0x10, 0x11, 0x12, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00,
                     0x19, 0x02, 0x00, 0x00, 0x47, 0x4F, 0x59, 0x00, 0x31, 0x33, 0x38}));
    UI_PopupMenuStyle back{};
    back.SetStringValue(s, false);
    EXPECT_EQ(back, UI_PopupMenuStyle::BuiltIn(1));
}

TEST(PopupStyleRecord, ArrowTextureIndexKeepsItsLowEightBits) {
    EXPECT_EQ(UI_PopupMenuStyle::BuiltIn(256).ArrowTexture, 0);
    EXPECT_EQ(UI_PopupMenuStyle::BuiltIn(258).ArrowTexture, 2);
}

TEST(PopupStyleOffset, VersionOneDotZeroDotOneMovesThePressedFillInFrontOfItsCaption) {
    const std::string s = Numbered(108);
    const std::string out = UI_PopupMenuStyle::StyleOffset(s, "1.0.1");
    ASSERT_EQ(out.size(), 108u);
    EXPECT_EQ(out[49], 83);
    EXPECT_EQ(out[58], 92);
    EXPECT_EQ(out[59], 49);
    EXPECT_EQ(out[92], 82);
    EXPECT_EQ(Slice(out, 0, 48), Slice(s, 0, 48));
    EXPECT_EQ(Slice(out, 93, 107), Slice(s, 93, 107));
}

TEST(PopupStyleOffset, VersionOneDotZeroMovesTheRadiusFirstThenConvertsAgain) {
    const std::string s = Numbered(108);
    const std::string out = UI_PopupMenuStyle::StyleOffset(s, "1.0");
    ASSERT_EQ(out.size(), 108u);
    EXPECT_EQ(out[0], 21);
    for (int i = 0; i <= 20; ++i)
        EXPECT_EQ(out[i + 1], i);
    EXPECT_EQ(out[49], 83);
    EXPECT_EQ(out[59], 49);
    EXPECT_EQ(out[107], 107);
}

TEST(PopupStyleOffset, AnyOtherVersionIsTheCurrentLayout) {
    const std::string s = Numbered(108);
    for (const char* version : {"", "1.1", "2.0", "1.0.2", "1.0 "})
        EXPECT_EQ(UI_PopupMenuStyle::StyleOffset(s, version), s) << version;
}

TEST(PopupStyleOffset, ShortStringsGiveShorterResultsWithoutPadding) {
    // 60 bytes as "1.0.1": bytes 0–48, nothing from 83–92, then 49–59.
    const std::string s = Numbered(60);
    const std::string out = UI_PopupMenuStyle::StyleOffset(s, "1.0.1");
    ASSERT_EQ(out.size(), 60u);
    EXPECT_EQ(out[49], 49);
    EXPECT_EQ(UI_PopupMenuStyle::StyleOffset("", "1.0"), "");
    EXPECT_EQ(UI_PopupMenuStyle::StyleOffset(Numbered(10), "1.0"), Numbered(10));
}

TEST(PopupStyleOffset, ConvertedStoredStyleLoadsAsTheCurrentRecord) {
    // A current record written out in the "1.0.1" layout converts back to itself.
    const UI_PopupMenuStyle current = UI_PopupMenuStyle::BuiltIn(2);
    const std::string now = current.StringValue(false);
    const std::string old =
        Slice(now, 0, 48) + Slice(now, 59, 92) + Slice(now, 49, 58) + Slice(now, 93, 107);
    UI_PopupMenuStyle loaded{};
    loaded.SetStringValue(UI_PopupMenuStyle::StyleOffset(old, "1.0.1"), false);
    EXPECT_EQ(loaded, current);
}

}  // namespace
