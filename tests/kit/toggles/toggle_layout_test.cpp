#include "kit/toggles/toggle_layout.h"

#include "kit/base/control_drawing.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using kit::Extent;
using kit::ScreenRect;
using platform::RGB;

namespace {

struct GrayCase {
    const char* name;
    platform::Color in;
    int level;
};
// clang-format off
const GrayCase kGrayCases[] = {
    // 0.2989·255 + 0.587·255 + 0.114·255 = 254.97 → 254
    {"WhiteLosesALevel", RGB(255, 255, 255), 0xFE},
    {"BlackStaysBlack",  RGB(0, 0, 0),       0x00},
    // 0.2989·255 = 76.22 → 76 = 0x4C
    {"PureRed",          RGB(255, 0, 0),     0x4C},
    // 0.587·255 = 149.69 → 149 = 0x95
    {"PureGreen",        RGB(0, 255, 0),     0x95},
    // 0.114·255 = 29.07 → 29 = 0x1D
    {"PureBlue",         RGB(0, 0, 255),     0x1D},
    // 0x31,0x32,0x36: 0.2989·49 + 0.587·50 + 0.114·54 = 14.6461 + 29.35 + 6.156 = 50.15 → 50
    {"CheckBoxFill",     RGB(0x31, 0x32, 0x36), 50},
};
// clang-format on

class ToGrayTest : public ::testing::TestWithParam<GrayCase> {};

TEST_P(ToGrayTest, UsesTheTruncatedLumaWeights) {
    const platform::Color gray = kit::ToGray(GetParam().in);
    EXPECT_EQ(gray, RGB(GetParam().level, GetParam().level, GetParam().level));
}

INSTANTIATE_TEST_SUITE_P(Colors, ToGrayTest, ::testing::ValuesIn(kGrayCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ToggleCase {
    const char* name;
    int width, height, box, border, mark;
    int top, inside, markOffset, captionX, captionWrap;
};
// clang-format off
const ToggleCase kToggleCases[] = {
    // (20 − 17) \ 2 = 1; 17 − 2 = 15; (17 − 7) \ 2 = 5; 17 + 5 = 22; 100 − 22 = 78
    {"CheckBoxTwentyHigh",  100, 20, 17, 1, 7,  1, 15, 5, 22, 78},
    // (29 − 17) \ 2 = 6, (31 − 17) \ 2 = 7
    {"CheckBoxTwentyNine",  100, 29, 17, 1, 7,  6, 15, 5, 22, 78},
    {"CheckBoxThirtyOne",   100, 31, 17, 1, 7,  7, 15, 5, 22, 78},
    // radio: (31 − 19) \ 2 = 6; 19 − 2 = 17; (19 − 7) \ 2 = 6; 24; 100 − 24 = 76
    {"RadioThirtyOne",      100, 31, 19, 1, 7,  6, 17, 6, 24, 76},
    // a control lower than its box: (10 − 17) \ 2 = −3 (truncates toward zero, not −4)
    {"LowControlTruncates", 50,  10, 17, 1, 7, -3, 15, 5, 22, 28},
    // a mark larger than the box: (7 − 9) \ 2 = −1
    {"MarkLargerThanBox",   50,  20, 7,  1, 9,  6, 5, -1, 12, 38},
    // a border too wide for the box leaves no inside: 4 − 2·2 = 0
    {"NoInsideLeft",        50,  20, 4,  2, 2,  8, 0, 1, 9,  41},
};
// clang-format on

class ToggleLayoutTest : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(ToggleLayoutTest, PlacesBoxInsideMarkAndCaption) {
    const ToggleCase& c = GetParam();
    const kit::ToggleLayout layout = kit::LayoutToggle(c.width, c.height, c.box, c.border, c.mark);
    EXPECT_EQ(layout.top, c.top);
    EXPECT_EQ(layout.insideSize, c.inside);
    EXPECT_EQ(layout.markOffset, c.markOffset);
    EXPECT_EQ(layout.captionX, c.captionX);
    EXPECT_EQ(layout.captionWrap, c.captionWrap);
}

INSTANTIATE_TEST_SUITE_P(Styles, ToggleLayoutTest, ::testing::ValuesIn(kToggleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToggleCaptionTest, CentresTheWrappedBlock) {
    // (20 − 14) \ 2 + 11 + 1 = 15
    EXPECT_EQ(kit::ToggleCaptionBaseline(20, 14, 11), 15);
    // a block taller than the control starts above its top: (20 − 42) \ 2 + 11 + 1 = 1
    EXPECT_EQ(kit::ToggleCaptionBaseline(20, 42, 11), 1);
    // (20 − 45) \ 2 = −12 (toward zero), + 12 = 0
    EXPECT_EQ(kit::ToggleCaptionBaseline(20, 45, 11), 0);
}

struct AlignCase {
    const char* name;
    int align;
    int width;
    double textWidth;
    int x;
};
// clang-format off
const AlignCase kAlignCases[] = {
    // Int(100 − 33.5) = 66, 66 \ 2 = 33
    {"CentredTruncatesThenHalves", 1, 100, 33.5,  33},
    // 100 − Ceil(33.5) = 66
    {"RightUsesTheCeiling",        2, 100, 33.5,  66},
    {"LeftIsZero",                 0, 100, 33.5,  0},
    {"UnknownAlignIsLeft",         7, 100, 33.5,  0},
    {"CentredTooWideIsZero",       1, 100, 140.2, 0},
    {"RightTooWideIsZero",         2, 100, 140.2, 0},
    // Int(100 − 99.5) = 0 → 0; right: 100 − 100 = 0
    {"CentredAlmostFull",          1, 100, 99.5,  0},
    {"RightAlmostFull",            2, 100, 99.5,  0},
};
// clang-format on

class LabelAlignTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(LabelAlignTest, StartsTheTextWhereTheAlignmentSays) {
    EXPECT_EQ(kit::LabelTextX(GetParam().align, GetParam().width, GetParam().textWidth),
              GetParam().x);
}

INSTANTIATE_TEST_SUITE_P(Alignments, LabelAlignTest, ::testing::ValuesIn(kAlignCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LabelScrollTest, CountsWholeStepsOfFivePixels) {
    // (100 + 12 − 50) / 5 = 12.4 → 12
    EXPECT_EQ(kit::LabelScrollSteps(100, 12, 50), 12);
    // (30 + 12 − 50) / 5 = −1.6 → 0
    EXPECT_EQ(kit::LabelScrollSteps(30, 12, 50), 0);
    // (43 + 12 − 50) / 5 = 1
    EXPECT_EQ(kit::LabelScrollSteps(43, 12, 50), 1);
    // (42 + 12 − 50) / 5 = 0.8 → 0
    EXPECT_EQ(kit::LabelScrollSteps(42, 12, 50), 0);
}

struct BaselineCase {
    const char* name;
    int valign, height, textHeight, ascent, scroll;
    int y;
};
// clang-format off
const BaselineCase kBaselineCases[] = {
    {"TopAligned",                0, 50, 14, 11, 0,  11},
    // 11 + (50 − 14) \ 2 = 29
    {"Middle",                    1, 50, 14, 11, 0,  29},
    // 11 + (50 − 15) \ 2 = 11 + 17 = 28
    {"MiddleTruncates",           1, 50, 15, 11, 0,  28},
    // 11 + 50 − 14 = 47
    {"Bottom",                    2, 50, 14, 11, 0,  47},
    {"ExactlyAsHighIsTop",        1, 50, 50, 11, 0,  11},
    {"OnePixelHigherIsTop",       1, 50, 51, 11, 0,  11},
    {"TallerBottomIsTop",         2, 50, 80, 11, 0,  11},
    {"UnknownAlignIsTop",         5, 50, 14, 11, 0,  11},
    // 11 − 3 · 5 = −4
    {"ScrollMovesUpFivePerStep",  0, 50, 14, 11, 3,  -4},
    // a negative position moves the text down: 29 + 10
    {"NegativeScrollMovesDown",   1, 50, 14, 11, -2, 39},
};
// clang-format on

class LabelBaselineTest : public ::testing::TestWithParam<BaselineCase> {};

TEST_P(LabelBaselineTest, PlacesTheFirstLine) {
    const BaselineCase& c = GetParam();
    EXPECT_EQ(kit::LabelBaseline(c.valign, c.height, c.textHeight, c.ascent, c.scroll), c.y);
}

INSTANTIATE_TEST_SUITE_P(Alignments, LabelBaselineTest, ::testing::ValuesIn(kBaselineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LabelBaselineTest, HugeScrollSaturatesInsteadOfOverflowing) {
    const int max = std::numeric_limits<int>::max();
    EXPECT_EQ(kit::LabelBaseline(0, 50, 14, 11, max), std::numeric_limits<int>::min());
    EXPECT_EQ(kit::LabelBaseline(0, 50, 14, 11, std::numeric_limits<int>::min()), max);
}

TEST(TooltipSizeTest, OneShortLineStopsAtSeventy) {
    std::vector<int> widths;
    int rounds = 0;
    const Extent size = kit::SearchTooltipSize(
        [&](int w) {
            widths.push_back(w);
            return 14;
        },
        14, 1, [&] { ++rounds; });
    EXPECT_EQ(widths, std::vector<int>{70});
    EXPECT_EQ(rounds, 1);
    // 70 + 20 + 1 = 91; 14 + 14 + 20 + 1 = 49
    EXPECT_EQ(size, (Extent{91, 49}));
}

TEST(TooltipSizeTest, WidensUntilTwiceAsWideAsHigh) {
    // a text of 1000 pixels in lines 14 high: Ceil(1000 / w) lines. At 70: 15 lines, 210 high;
    // 130 → 8 lines = 112 (224 > 130); 160 → 7 = 98 (196 > 160); 170 → 6 = 84 (168 ≤ 170) stops.
    std::vector<int> widths;
    const Extent size = kit::SearchTooltipSize(
        [&](int w) {
            widths.push_back(w);
            return (1000 + w - 1) / w * 14;
        },
        14, 1, {});
    ASSERT_FALSE(widths.empty());
    EXPECT_EQ(widths.front(), 70);
    EXPECT_EQ(widths.back(), 170);
    EXPECT_EQ(widths.size(), 11u);  // 70, 80, … 170
    // 170 + 21 = 191; 84 + 14 + 21 = 119
    EXPECT_EQ(size, (Extent{191, 119}));
}

TEST(TooltipSizeTest, ZeroHeightTextStillRunsOneRound) {
    int rounds = 0;
    const Extent size = kit::SearchTooltipSize([](int) { return 0; }, 14, 0, [&] { ++rounds; });
    EXPECT_EQ(rounds, 1);
    EXPECT_EQ(size, (Extent{90, 34}));
}

TEST(TooltipPlaceTest, CentresTheBalloonAboveThePoint) {
    // left 500 − 300 \ 2 = 350; top 400 − 200 − 8 = 192; 208 high
    EXPECT_EQ(kit::PlaceTooltip(500, 400, 300, 200, 8), (ScreenRect{350, 192, 300, 208}));
    // 91 \ 2 = 45
    EXPECT_EQ(kit::PlaceTooltip(100, 100, 91, 49, 8), (ScreenRect{55, 43, 91, 57}));
}

TEST(TooltipPlaceTest, SaturatesFarOffScreen) {
    const int min = std::numeric_limits<int>::min();
    const ScreenRect r = kit::PlaceTooltip(min, min, 300, 200, 8);
    EXPECT_EQ(r.left, min);
    EXPECT_EQ(r.top, min);
}

TEST(TooltipGlossTest, CutRows) {
    // H / 2 = 49 / 2 = 24.5 ≥ 5: Max(1, 5 − 1) = 4
    EXPECT_EQ(kit::TooltipGlossUpperCut(49, 5), 4);
    // H / 2 = 4.5 < 5: Max(1, 4.5) = 4.5 → 4
    EXPECT_EQ(kit::TooltipGlossUpperCut(9, 5), 4);
    // H / 2 = 0.5 < 5: Max(1, 0.5) = 1
    EXPECT_EQ(kit::TooltipGlossUpperCut(1, 5), 1);
    // R = 1: Max(1, 0) = 1
    EXPECT_EQ(kit::TooltipGlossUpperCut(49, 1), 1);
    // 47 − Max(1, 4) = 43
    EXPECT_EQ(kit::TooltipGlossLowerCut(47, 5), 43);
    EXPECT_EQ(kit::TooltipGlossLowerCut(47, 0), 46);
}

TEST(TooltipTextTest, OneLineIsCentredSeveralStartAtTen) {
    // VW = 91 − 2 − 2 = 87; one line 40.5 wide: Int(87 − 40.5) = 46 \ 2 = 23;
    // y = (49 − 14) \ 2 + 11 − 1 = 17 + 10 = 27
    const kit::TooltipTextOrigin one = kit::PlaceTooltipText(87, 49, 1, 14, 14, 14, 11, 40.5);
    EXPECT_TRUE(one.oneLine);
    EXPECT_EQ(one.x, 23);
    EXPECT_EQ(one.y, 27);
    // two lines at VW − 20, one at VW: x = 10, y = (80 − 14) \ 2 + 11 \ 2 − 1 = 33 + 5 − 1 = 37
    const kit::TooltipTextOrigin two = kit::PlaceTooltipText(87, 80, 1, 28, 14, 14, 11, 80.0);
    EXPECT_FALSE(two.oneLine);
    EXPECT_EQ(two.x, 10);
    EXPECT_EQ(two.y, 37);
}

}  // namespace
