#include "platform/text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform;

struct InStrCase {
    const char* name;
    std::size_t start;
    const char* source;
    const char* find;
    std::size_t expected;
};

class InStrTest : public ::testing::TestWithParam<InStrCase> {};

TEST_P(InStrTest, FindsOneBasedAsciiFolded) {
    const auto& c = GetParam();
    EXPECT_EQ(InStr(c.start, c.source, c.find), c.expected);
}

// clang-format off
const InStrCase kInStrCases[] = {
    {"FirstPositionIsOne",        1, "abc",            "a",      1},
    {"CaseIgnored",               1, "<SKIN width=",   "<skin",  1},
    {"StartSkipsEarlierHits",     2, "x=1 x=2",        "x=",     5},
    {"StartBelowOneCountsAsOne",  0, "abc",            "c",      3},
    {"StartPastEndFindsNothing",  9, "abc",            "a",      0},
    {"AbsentGivesZero",           1, "abc",            "d",      0},
    {"EmptyFindGivesZero",        1, "abc",            "",       0},
    {"Latin1BytesNotFolded",      1, "\xC9t\xE9",      "\xE9",   3},
    {"Utf8LettersNotFoldedInSkin",1, "\xC3\x89t\xC3\xA9", "\xC3\xA9", 4},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Text, InStrTest, ::testing::ValuesIn(kInStrCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextTest, SlicesAreOneBasedAndClamped) {
    EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Mid("abcdef", 0, 2), "ab");
    EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(Mid("abcdef", 7, 1), "");
    EXPECT_EQ(Mid("abcdef", 3), "cdef");
    EXPECT_EQ(Left("abc", 5), "abc");
    EXPECT_EQ(Left("abc", -1), "");
    EXPECT_EQ(Right("abc", 2), "bc");
    EXPECT_EQ(Right("abc", 9), "abc");
}

TEST(TextTest, FieldsKeepEmptyPieces) {
    EXPECT_EQ(Split("a**b", "*"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Split("", "*"), (std::vector<std::string>{""}));
    EXPECT_EQ(Split("aXbxc", "x"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(CountFields("10*20*", "*"), 3);
    EXPECT_EQ(CountFields("", "*"), 0);
    EXPECT_EQ(NthField("10*20*30", "*", 2), "20");
    EXPECT_EQ(NthField("10*20*30", "*", 4), "");
    EXPECT_EQ(NthField("10*20*30", "*", 0), "");
    EXPECT_EQ(Join({"a", "", "b"}, ", "), "a, , b");
}

TEST(TextTest, ReplaceFirstAndAll) {
    EXPECT_EQ(Replace("w*W*w", "w", "100"), "100*W*w");
    EXPECT_EQ(ReplaceAll("w*W*w", "w", "100"), "100*100*100");
    // Replacements are not searched again.
    EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(Replace("abc", "x", "y"), "abc");
}

TEST(TextTest, TrimAndCase) {
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(Lowercase("AbC \xC3\x89"), "abc \xC3\xA9");
    EXPECT_EQ(Uppercase("abc \xC3\xA9 \xC3\xB7"), "ABC \xC3\x89 \xC3\xB7");
    EXPECT_EQ(Titlecase("hello wORLD"), "Hello World");
    EXPECT_TRUE(TextEquals("\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"));
    EXPECT_FALSE(TextEquals("ab", "abc"));
}

struct ValCase {
    const char* name;
    const char* text;
    double expected;
};

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(Val(GetParam().text), GetParam().expected);
}

// clang-format off
const ValCase kValCases[] = {
    {"PlainInteger",        "165",        165},
    {"StopsAtOtherText",    "12px",       12},
    {"StopsAtOperator",     "10-5",       10},
    {"LeadingBlanks",       "  -7",       -7},
    {"Fraction",            "1.5\"",      1.5},
    {"Exponent",            "2e3",        2000},
    {"LoneExponentIgnored", "2e",         2},
    {"HexAmpersandH",       "&hFF",       255},
    {"NoNumberIsZero",      "abc",        0},
    {"EmptyIsZero",         "",           0},
    {"SignAloneIsZero",     "-",          0},
    {"InfinityNotRead",     "inf",        0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Text, ValTest, ::testing::ValuesIn(kValCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextTest, NumbersToText) {
    EXPECT_EQ(Str(-42LL), "-42");
    EXPECT_EQ(Str(1.5), "1.5");
    EXPECT_EQ(Str(100.0), "100");
    EXPECT_EQ(Str(1.0 / 3.0), "0.3333333");
    EXPECT_EQ(Hex(255), "FF");
    EXPECT_EQ(Hex(0), "0");
}

struct ColorTextCase {
    const char* name;
    Color color;
    const char* text;
};
const ColorTextCase kColorTextCases[] = {
    // clang-format off
    {"BlackIsSixZeros",            RGB(0, 0, 0),          "&h000000"},
    {"WhiteIsUpperCase",           RGB(255, 255, 255),    "&hFFFFFF"},
    {"ChannelsInOrderRedGreenBlue", RGB(0x12, 0x34, 0x56), "&h123456"},
    {"EachChannelZeroPadded",      RGB(1, 0x0A, 0xB0),    "&h010AB0"},
    // clang-format on
};
class ColorTextTest : public ::testing::TestWithParam<ColorTextCase> {};
TEST_P(ColorTextTest, IsAmpersandHAndSixHexDigits) {
    EXPECT_EQ(Str(GetParam().color), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Text, ColorTextTest, ::testing::ValuesIn(kColorTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextTest, RoundsHalfAwayFromZero) {
    EXPECT_EQ(Round(2.5), 3);
    EXPECT_EQ(Round(-2.5), -3);
    EXPECT_EQ(Round(-4.5), -5);
    EXPECT_EQ(Round(0.49999), 0);
    EXPECT_TRUE(FitsInt32(2147483647.9));
    EXPECT_FALSE(FitsInt32(2147483648.0));
    EXPECT_TRUE(FitsInt32(-2147483648.5));
    EXPECT_FALSE(FitsInt32(NAN));
}
