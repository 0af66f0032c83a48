#include "engine/picture/border_lines.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An input of 1024 by 768 and an output of 1280 by 1024 give sx = sy = 128, sprite shift 256.
constexpr std::int32_t kSx = 128;
constexpr std::int32_t kSy = 128;
constexpr std::int32_t kInHeight = 768;

struct LineCase {
    const char* name;
    const char* in;
    std::int32_t shift;
    const char* out;
};

std::string CaseName(const ::testing::TestParamInfo<LineCase>& info) {
    return info.param.name;
}

// clang-format off
const LineCase kXCases[] = {
    {"AbsoluteMovesBySx",        R"(<pos x="10" y="20"/>)",          kSx,  R"(<pos x="138" y="20"/>)"},
    {"ExpressionEvaluated",      R"(<pos x="10+5" y="20"/>)",        0,    R"(<pos x="15" y="20"/>)"},
    {"RelativePlusUntouched",    R"(<off x="+5" y="20"/>)",          kSx,  R"(<off x="+5" y="20"/>)"},
    {"RelativeMinusUntouched",   R"(<off x="-5" y="20"/>)",          kSx,  R"(<off x="-5" y="20"/>)"},
    {"RelativeDxFreezesLine",    R"(<pos x="10" dx="+3"/>)",         kSx,  R"(<pos x="10" dx="+3"/>)"},
    {"EmptyValueUntouched",      R"(<pos x="" y="20"/>)",            kSx,  R"(<pos x="" y="20"/>)"},
    {"IconLineLeftToIconPass",   R"(<icon> x="10" x="20")",          kSx,  R"(<icon> x="10" x="20")"},
    {"DxAloneNotShifted",        R"(<pos dx="10"/>)",                kSx,  R"(<pos dx="10"/>)"},
    {"OnlyFirstXShifted",        R"(<a x="1" b x="2"/>)",            kSx,  R"(<a x="129" b x="2"/>)"},
    {"NegativeShift",            R"(<pos x="50"/>)",                 -112, R"(<pos x="-62"/>)"},
    {"UnclosedValueUntouched",   R"(<pos x="10)",                    kSx,  R"(<pos x="10)"},
};

const LineCase kYCases[] = {
    {"AbsoluteMovesBySy",         R"(<pos x="10" y="20"/>)",            kSy, R"(<pos x="10" y="148"/>)"},
    {"SkinHeightItselfBySy",      R"(<pos y="768"/>)",                  kSy, R"(<pos y="896"/>)"},
    {"SpriteRowByTwiceSy",        R"(<pos y="800"/>)",                  kSy, R"(<pos y="1056"/>)"},
    {"PlusZeroUnchanged",         R"(<off y="+0"/>)",                   kSy, R"(<off y="+0"/>)"},
    {"PlusMovesKeepingSign",      R"(<off y="+5"/>)",                   kSy, R"(<off y="+133"/>)"},
    {"MinusTurnsPositive",        R"(<off y="-5"/>)",                   kSy, R"(<off y="+123"/>)"},
    {"MinusStaysNegative",        R"(<off y="-5"/>)",                   3,   R"(<off y="-2"/>)"},
    {"MinusSumZero",              R"(<off y="-5"/>)",                   5,   R"(<off y="0"/>)"},
    {"BlankBeforeEqualsSplit",    R"(<pos x="10" y ="20"/>)",           kSy, R"(<pos x="10" y ="148"/>)"},
    {"SplitY1Y2",                 R"(<pos x="10" y1="20" y2="30"/>)",   kSy, R"(<pos x="10" y1="148" y2="158"/>)"},
    // The split rule knows no sprite rule: 800 moves by sy only.
    {"SplitNoSpriteRule",         R"(<pos y1="800"/>)",                 kSy, R"(<pos y1="928"/>)"},
    {"SplitEmptyValueKept",       R"(<pos y1="" y2="5"/>)",             kSy, R"(<pos y1="" y2="133"/>)"},
    {"SplitNeedsPos",             R"(<size y1="20"/>)",                 kSy, R"(<size y1="20"/>)"},
    {"EmptyValueUntouched",       R"(<pos x="1" y=""/>)",               kSy, R"(<pos x="1" y=""/>)"},
    {"IconLineLeftToIconPass",    R"(<icon> y="1" y="2")",              kSy, R"(<icon> y="1" y="2")"},
    {"ExpressionEvaluated",       R"(<pos y="100/2"/>)",                0,   R"(<pos y="50"/>)"},
};

const LineCase kIconXCases[] = {
    {"ThreeValues",   R"(<icon> <pos x="10" y="20"/><off x="+40" y="+0"/><over x="500" y="900"/></icon>)", kSx,
                      R"(<icon> <pos x="138" y="20"/><off x="+40" y="+0"/><over x="628" y="900"/></icon>)"},
    {"FirstPlusDropsSign", R"(<icon> x="+10" x="2.5")", kSx, R"(<icon> x="138" x="131")"},
    {"SingleValueKept",    R"(<icon> <pos x="10" y="20"/></icon>)", kSx, R"(<icon> <pos x="10" y="20"/></icon>)"},
    {"FourthValueCarriedOver", R"(<icon> x="1" x="2" x="3" x="4"/></icon>)", kSx,
                               R"(<icon> x="129" x="130" x="131" x="4"/></icon>)"},
    {"UpperCaseSeparatorWrittenLower", R"(<icon> X="1" x="2")", kSx, R"(<icon> x="129" x="130")"},
    {"NotAnIconLine",  R"(<pos x="1" x="2")", kSx, R"(<pos x="1" x="2")"},
};

const LineCase kIconYCases[] = {
    {"ThreeValues",   R"(<icon> <pos x="10" y="20"/><off x="+40" y="+0"/><over x="500" y="900"/></icon>)", kSy,
                      R"(<icon> <pos x="10" y="148"/><off x="+40" y="+128"/><over x="500" y="1156"/></icon>)"},
    // 2.5 + 128 rounds half away from zero to 131.
    {"RoundsHalfAway", R"(<icon> y="+2.5" y="-0.5")", kSy, R"(<icon> y="131" y="256")"},
    {"SingleValueKept", R"(<icon> <pos y="20"/></icon>)", kSy, R"(<icon> <pos y="20"/></icon>)"},
    {"FourthValueCarriedOver", R"(<icon> y="1" y="2" y="3" y="4"/></icon>)", kSy,
                               R"(<icon> y="129" y="258" y="259" y="4"/></icon>)"},
};
// clang-format on

class BorderXTest : public ::testing::TestWithParam<LineCase> {};
TEST_P(BorderXTest, ShiftsFirstAbsoluteX) {
    EXPECT_EQ(border::ShiftXLine(GetParam().in, GetParam().shift), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Lines, BorderXTest, ::testing::ValuesIn(kXCases), CaseName);

class BorderYTest : public ::testing::TestWithParam<LineCase> {};
TEST_P(BorderYTest, ShiftsByTheYRules) {
    EXPECT_EQ(border::ShiftYLine(GetParam().in, GetParam().shift, kInHeight), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Lines, BorderYTest, ::testing::ValuesIn(kYCases), CaseName);

class BorderIconXTest : public ::testing::TestWithParam<LineCase> {};
TEST_P(BorderIconXTest, ShiftsIconXValues) {
    EXPECT_EQ(border::ShiftIconXLine(GetParam().in, GetParam().shift), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Lines, BorderIconXTest, ::testing::ValuesIn(kIconXCases), CaseName);

class BorderIconYTest : public ::testing::TestWithParam<LineCase> {};
TEST_P(BorderIconYTest, ShiftsIconYValues) {
    EXPECT_EQ(border::ShiftIconYLine(GetParam().in, GetParam().shift), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Lines, BorderIconYTest, ::testing::ValuesIn(kIconYCases), CaseName);

TEST(BorderShifts, HalfTheDifferenceTruncatedTowardZero) {
    // 255 / 2 = 127.5 -> 127; -255 / 2 = -127.5 -> -127.
    const border::Shifts grow = border::ComputeShifts(1000, 700, 1255, 955);
    EXPECT_EQ(grow.sx, 127);
    EXPECT_EQ(grow.sy, 127);
    const border::Shifts shrink = border::ComputeShifts(1255, 955, 1000, 700);
    EXPECT_EQ(shrink.sx, -127);
    EXPECT_EQ(shrink.sy, -127);
    // Batch mode, 1024 x 768 to 800 x 600: (800 - 1024) / 2 = -112, (600 - 768) / 2 = -84.
    const border::Shifts batch = border::ComputeShifts(1024, 768, 800, 600);
    EXPECT_EQ(batch.sx, -112);
    EXPECT_EQ(batch.sy, -84);
}

TEST(BorderSize, FirstWidthLineTakesOutputSize) {
    EXPECT_EQ(border::SizeLine(R"(<skin name="a" width="1024" height="768">)", 1280, 1024),
              std::optional<std::string>(R"(<skin name="a" width="1280" height="1024">)"));
    // Any "width=" counts, mainwidth included; the first "height=" follows it.
    EXPECT_EQ(border::SizeLine(R"(<s mainwidth="9" width="1024" height="768">)", 1280, 1024),
              std::optional<std::string>(R"(<s mainwidth="1280" width="1024" height="1024">)"));
    EXPECT_EQ(border::SizeLine(R"(<skin name="a">)", 1280, 1024), std::nullopt);
}

TEST(BorderShiftLines, RunsEveryPassInOrder) {
    std::vector<std::string> lines = {
        R"(<skin width="1024" height="768" x="7" y="9">)",
        R"(<pos x="1" y="2"/>)",
        R"(<pos x="10" y="20"/>)",
        R"(<size width="50" height="60"/>)",
        R"(<icon> <pos x="10" y="20"/><off x="+40" y="+0"/><over x="500" y="900"/></icon>)",
        R"(<size width="11" height="12"/>)",
        "",
    };
    methodlines::RunningLine cursor;
    border::ShiftLines(lines, border::Shifts{kSx, kSy}, kInHeight, 1280, 1024, cursor);
    const std::vector<std::string> expected = {
        // Line 0: size pass; the x pass starts at line 2, the y pass at line 0 (9 + 128).
        R"(<skin width="1280" height="1024" x="7" y="137">)",
        R"(<pos x="1" y="130"/>)",
        R"(<pos x="138" y="148"/>)",
        R"(<size width="50" height="60"/>)",
        R"(<icon> <pos x="138" y="148"/><off x="+40" y="+128"/><over x="628" y="1156"/></icon>)",
        // A "width=" on line 5 is beyond the size pass.
        R"(<size width="11" height="12"/>)",
        "",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(cursor.index, 7);  // the number of lines after the last pass
    EXPECT_EQ(cursor.text, "");
}

TEST(BorderShiftLines, ShortSkinWithoutWidthFailsOnTheMissingLine) {
    std::vector<std::string> lines = {"<skin>", "<a/>", "</skin>"};
    methodlines::RunningLine cursor;
    EXPECT_THROW(border::ShiftLines(lines, border::Shifts{1, 1}, 10, 20, 20, cursor),
                 platform::OutOfBoundsException);
    EXPECT_EQ(cursor.index, 3);  // reported as line 4: the number of lines plus 1
}

TEST(BorderShiftLines, FailingValueNamesItsLine) {
    std::vector<std::string> lines = {R"(<skin width="1" height="1">)", "<a/>", R"(<pos x="2*x"/>)",
                                      ""};
    methodlines::RunningLine cursor;
    EXPECT_THROW(border::ShiftLines(lines, border::Shifts{1, 1}, 10, 20, 20, cursor),
                 platform::RuntimeException);
    EXPECT_EQ(cursor.index, 2);
    EXPECT_EQ(cursor.text, R"(<pos x="2*x"/>)");
}

}  // namespace
