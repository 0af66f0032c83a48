#include "kit/text/step_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kit;

namespace {

TEST(StepLayoutTest, TheMainWindowsBar) {
    // 465 wide, four steps, depth 12: (465 + 3 × 12) \ 4 = 125
    EXPECT_EQ(EqualStepWidth(465, 4, 12), 125);
    const std::vector<std::int32_t> widths(4, 125);
    const auto placed = PlaceSteps(widths, 12);
    ASSERT_EQ(placed.size(), 4u);
    // x: 0; 0 + 125 − 6 − 0.5 − 6 = 112.5; + 125 − 6 − 6 = 225.5; 338.5
    EXPECT_EQ(placed[0].left, 0);
    EXPECT_EQ(placed[1].left, 112);
    EXPECT_EQ(placed[2].left, 225);
    EXPECT_EQ(placed[3].left, 338);
    EXPECT_FLOAT_EQ(placed[3].x, 338.5f);
    // Hit ranges [0,125), [113,238), [226,351), [339,464)
    struct Hit {
        int x;
        int step;
    };
    for (const Hit h :
         {Hit{0, 0}, Hit{120, 0}, Hit{124, 0}, Hit{125, 1}, Hit{130, 1}, Hit{237, 1}, Hit{238, 2},
          Hit{350, 2}, Hit{351, 3}, Hit{463, 3}, Hit{464, -1}, Hit{-1, -1}})
        EXPECT_EQ(StepAt(widths, 12, h.x), h.step) << h.x;
}

TEST(StepLayoutTest, OneStepFillsTheBarAndNoStepsHitNothing) {
    EXPECT_EQ(EqualStepWidth(465, 1, 12), 465);
    EXPECT_EQ(EqualStepWidth(465, 0, 12), 0);
    EXPECT_EQ(StepAt({}, 12, 10), -1);
    EXPECT_EQ(PlaceSteps({}, 12).size(), 0u);
}

TEST(StepLayoutTest, ValuesClampToTheSteps) {
    EXPECT_EQ(ClampStep(7, 4), 3);
    EXPECT_EQ(ClampStep(-2, 4), 0);
    EXPECT_EQ(ClampStep(2, 4), 2);
    EXPECT_EQ(ClampStep(2, 0), 0);
}

TEST(StepLayoutTest, DefinitionsSplitAtAnyLineEnding) {
    const std::vector<std::string> three{"Files", "Resizing", "Options"};
    EXPECT_EQ(SplitStepDefinition("Files\r\nResizing\rOptions"), three);
    EXPECT_EQ(SplitStepDefinition("Files\nResizing\nOptions"), three);
    EXPECT_EQ(SplitStepDefinition(""), std::vector<std::string>{});
    EXPECT_EQ(SplitStepDefinition("a\n"), (std::vector<std::string>{"a", ""}));
}

TEST(ColorDigitsTest, SixHexDigitsOnly) {
    EXPECT_EQ(ParseColorDigits("FF0000"), platform::RGB(255, 0, 0));
    EXPECT_EQ(ParseColorDigits("00ff7f"), platform::RGB(0, 255, 127));
    EXPECT_EQ(ParseColorDigits("123ABC"), platform::RGB(0x12, 0x3A, 0xBC));
    for (const char* bad : {"", "FF00", "FF00000", "GG0000", "#FF000", " FF000", "FF 000"})
        EXPECT_EQ(ParseColorDigits(bad), std::nullopt) << bad;
}

}  // namespace
