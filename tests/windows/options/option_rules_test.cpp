#include "windows/options/option_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using optionrules::PreviewAreas;

struct SizeCase {
    const char* name;
    const char* text;
    bool accepted;
};
const SizeCase kSizeCases[] = {
    // clang-format off
    {"EightIsTheLowestAccepted",  "8",       true},
    {"ThirtySixIsTheHighest",     "36",      true},
    {"UnitsAfterTheNumberRead",   "12 px",   true},
    {"JustBelowEight",            "7.9",     false},
    {"JustAboveThirtySix",        "36.5",    false},
    {"Forty",                     "40",      false},
    {"Zero",                      "0",       false},
    {"Empty",                     "",        false},
    {"NoLeadingNumber",           "px12",    false},
    // clang-format on
};
class TextSizeRuleTest : public ::testing::TestWithParam<SizeCase> {};
TEST_P(TextSizeRuleTest, BoundsAreInclusive) {
    EXPECT_EQ(optionrules::TextSizeAccepted(GetParam().text), GetParam().accepted);
}
INSTANTIATE_TEST_SUITE_P(Sizes, TextSizeRuleTest, ::testing::ValuesIn(kSizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextSizeOnCloseTest, AChangedNumberStoresItsIntegerPartAndTurnsTheTextOptionsOn) {
    // 14.6 against 14: the numbers differ, so 14 is stored (fraction dropped) and the
    // text options are switched on although the stored size does not change.
    const auto changed = optionrules::TextSizeOnClose("14.6", 14);
    EXPECT_TRUE(changed.changed);
    EXPECT_EQ(changed.size, 14);
    const auto other = optionrules::TextSizeOnClose("20", 14);
    EXPECT_TRUE(other.changed);
    EXPECT_EQ(other.size, 20);
    const auto same = optionrules::TextSizeOnClose("14", 14);
    EXPECT_FALSE(same.changed);
    EXPECT_EQ(same.size, 14);
}

struct GridCase {
    const char* name;
    int x, y;
    int cell;
};
const GridCase kGridCases[] = {
    // clang-format off
    {"LeftColumnEndsAt23",          23, 0,  1},
    {"MiddleColumnStartsAt24",      24, 0,  2},
    {"ThirdColumnsLeftLineIsMiddle",56, 0,  2},
    {"RightColumnStartsAt57",       57, 0,  3},
    {"TopRowEndsAt23",              0, 23,  1},
    {"MiddleRowStartsAt24",         0, 24,  4},
    {"ThirdRowsTopLineIsMiddle",    0, 56,  4},
    {"BottomRowStartsAt57",         0, 57,  7},
    {"BottomRightCorner",           76, 76, 9},
    {"CentreBetweenSquares",        48, 27, 5},
    // clang-format on
};
class GridCellTest : public ::testing::TestWithParam<GridCase> {};
TEST_P(GridCellTest, PressSelectsCell) {
    EXPECT_EQ(optionrules::GridCellAt(GetParam().x, GetParam().y), GetParam().cell);
}
INSTANTIATE_TEST_SUITE_P(Presses, GridCellTest, ::testing::ValuesIn(kGridCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ColourFieldTest, AHashIsDroppedAndSixDigitsGiveTheColour) {
    std::string text = "#00FF80";
    EXPECT_EQ(optionrules::ColourFieldOnLeave(text), (platform::Color{0x00, 0xFF, 0x80}));
    EXPECT_EQ(text, "00FF80");
    std::string plain = "a0b0c0";
    EXPECT_EQ(optionrules::ColourFieldOnLeave(plain), (platform::Color{0xA0, 0xB0, 0xC0}));
    EXPECT_EQ(plain, "a0b0c0");
}

struct StepCase {
    const char* name;
    bool gain;
    const char* text;
    bool up;
    const char* result;
};
const StepCase kStepCases[] = {
    // clang-format off
    {"Font990DoesNotStepUp",      false, "990",  true,  "990"},
    {"Font985StepsPastTheLimit",  false, "985",  true,  "995"},
    {"Font10DoesNotStepDown",     false, "10",   false, "10"},
    {"Font15StepsBelowTheLimit",  false, "15",   false, "5"},
    {"Font100Up",                 false, "100",  true,  "110"},
    {"Gain1450StepsUpToTheEnd",   true,  "1450", true,  "1500"},
    {"Gain1460StaysBelow1500",    true,  "1460", true,  "1460"},
    {"Gain150StepsDownToTheEnd",  true,  "150",  false, "100"},
    {"Gain140StaysAbove100",      true,  "140",  false, "140"},
    // clang-format on
};
class ArrowStepTest : public ::testing::TestWithParam<StepCase> {};
TEST_P(ArrowStepTest, StepsWithinTheirLimits) {
    const auto& c = GetParam();
    const std::string result = c.gain ? optionrules::GainArrowStep(c.text, c.up)
                                      : optionrules::FontArrowStep(c.text, c.up);
    EXPECT_EQ(result, c.result);
}
INSTANTIATE_TEST_SUITE_P(Arrows, ArrowStepTest, ::testing::ValuesIn(kStepCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GainClampTest, TwoSeparateTestsOnLeavingTheField) {
    EXPECT_EQ(optionrules::GainClamp("abc"), "100");
    EXPECT_EQ(optionrules::GainClamp("50"), "100");
    EXPECT_EQ(optionrules::GainClamp("2000"), "1500");
    EXPECT_EQ(optionrules::GainClamp("750 x"), "750 x");
}

struct LogoCase {
    const char* name;
    int outW, inW, outH, inH;
    std::vector<std::int32_t> runOnce;
    bool due;
};
const LogoCase kLogoCases[] = {
    // clang-format off
    {"SmallerOutputShows",          800,  1024, 600,  768, {0},       true},
    {"LargerOutputDoesNot",         1280, 1024, 1024, 768, {0},       false},
    {"OneAxisSmallerShows",         800,  1024, 1024, 768, {0},       true},
    {"HeightOnlySmallerShows",      1280, 1024, 600,  768, {0},       true},
    {"EveryMessageOff",             800,  1024, 600,  768, {1},       false},
    {"IdFourSuppressedLater",       800,  1024, 600,  768, {0, 3, 4}, false},
    {"FourInElementZeroAloneShows", 800,  1024, 600,  768, {4},       true},
    {"NoSkinReadNeverShows",        800,  0,    600,  0,   {0},       false},
    // clang-format on
};
class LogoNoticeTest : public ::testing::TestWithParam<LogoCase> {};
TEST_P(LogoNoticeTest, ShownOnlyOnASmallerOutputAndUnsuppressed) {
    const auto& c = GetParam();
    EXPECT_EQ(optionrules::LogoNoticeDue(c.outW, c.inW, c.outH, c.inH, c.runOnce), c.due);
}
INSTANTIATE_TEST_SUITE_P(Logo, LogoNoticeTest, ::testing::ValuesIn(kLogoCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogoNoticeTest, TextIsExact) {
    EXPECT_EQ(optionrules::LogoNoticeText("\n"),
              "You are going to \"downsize\" the skin.\n\n"
              "If you stop the logo resize, the resized skin might not be useable.");
}

TEST(ApplyValuesTest, AnUnusablePercentageKeepsThePreviousOne) {
    EXPECT_EQ(optionrules::FontPercentageOnApply("150.9", 100), 150);
    EXPECT_EQ(optionrules::FontPercentageOnApply("", 120), 120);
    EXPECT_EQ(optionrules::FontPercentageOnApply("-50", 120), 120);
    EXPECT_EQ(optionrules::FontPercentageOnApply("0", 100), 100);
    EXPECT_EQ(optionrules::FontPercentageOnApply("99999999999", 100), 100);
    EXPECT_EQ(optionrules::GainOnApply("1500", 750), 1500);
    EXPECT_EQ(optionrules::GainOnApply("1e12", 750), 750);
}

TEST(LanguageRowTest, TheRowTextIsTheNameBeforeTheFirstStar) {
    EXPECT_EQ(optionrules::LanguageRowText("Francais*/res/Languages/fr.lng"), "Francais");
    EXPECT_EQ(optionrules::LanguageRowText("NoStar"), "NoStar");
}

TEST(PreviewAreasTest, LogoBoxFromTheWorkedExample) {
    // Height 50: 50 x 177 = 8850, / 43 = 205.8, fraction dropped: 205.
    const std::vector<std::string> lines{R"(<skin>)", R"(<logo>)", R"(<pos x="20" y="10"/>)",
                                         R"(<size width="1" height="50"/>)", R"(</logo>)"};
    const PreviewAreas areas = optionrules::ScanPreviewAreas(lines);
    EXPECT_EQ(areas.logo, (std::array<std::int32_t, 4>{20, 10, 205, 50}));
    EXPECT_EQ(areas.close, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

TEST(PreviewAreasTest, Height43GivesWidth177) {
    const std::vector<std::string> lines{R"(<LOGO>)", R"(<pos x="1" y="2" height="43"/>)"};
    EXPECT_EQ(optionrules::ScanPreviewAreas(lines).logo,
              (std::array<std::int32_t, 4>{1, 2, 177, 43}));
}

TEST(PreviewAreasTest, LookAheadsStopAtTheLastLine) {
    // "<logo>" as the last line and a close button on the second to last: only the lines
    // that exist are read.
    const std::vector<std::string> lines{R"(<button action="close">)", R"(<pos x="5" y="6"/>)",
                                         R"(<logo>)"};
    const PreviewAreas areas = optionrules::ScanPreviewAreas(lines);
    EXPECT_EQ(areas.logo, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(areas.close, (std::array<std::int32_t, 4>{5, 6, 0, 0}));
}

TEST(PreviewAreasTest, AnElementWithinFiveLinesOfTheCloseButtonOverwritesItsPosition) {
    const std::vector<std::string> lines{
        R"(<button action="Close">)",        R"(<pos x="900" y="4"/>)",
        R"(<size width="20" height="18"/>)", R"(</button>)",
        R"(<button action="other">)",        R"(<pos x="100" y="50"/>)"};
    EXPECT_EQ(optionrules::ScanPreviewAreas(lines).close,
              (std::array<std::int32_t, 4>{100, 50, 20, 18}));
}

TEST(PreviewAreasTest, CloseAreaBoundsAreInclusive) {
    const std::array<std::int32_t, 4> close{100, 50, 20, 18};
    EXPECT_TRUE(optionrules::InCloseArea(close, 100, 50));
    EXPECT_TRUE(optionrules::InCloseArea(close, 120, 68));  // x = 100 + 20, y = 50 + 18
    EXPECT_FALSE(optionrules::InCloseArea(close, 121, 60));
    EXPECT_FALSE(optionrules::InCloseArea(close, 110, 69));
    EXPECT_FALSE(optionrules::InCloseArea(close, 99, 60));
    // No close button: only the top-left pixel closes.
    const std::array<std::int32_t, 4> none{0, 0, 0, 0};
    EXPECT_TRUE(optionrules::InCloseArea(none, 0, 0));
    EXPECT_FALSE(optionrules::InCloseArea(none, 1, 0));
}

}  // namespace
