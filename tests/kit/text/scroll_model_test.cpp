#include "kit/text/scroll_model.h"

#include <gtest/gtest.h>

#include <string>

using namespace kit;

namespace {

/// The recap bar: 12 × 222, vertical, no arrows, knob inset 0, range from 0.
ScrollShape Bar(std::int32_t maximum, bool arrows = false) {
    ScrollShape s;
    s.width = 12;
    s.height = 222;
    s.arrows = arrows;
    s.arrowSize = 15;
    s.maximum = maximum;
    return s;
}

ScrollShape Turned(ScrollShape s) {
    std::swap(s.width, s.height);
    return s;
}

struct KnobCase {
    const char* name;
    std::int32_t maximum;
    bool arrows;
    std::int32_t length;
    std::int32_t travel;
};
// clang-format off
const KnobCase kKnobCases[] = {
    // length = trunc(track / (range + 1)^0.2), at least thickness + 3
    {"RangeOne",            1, false, 193, 29},   // 222 / 1.1487 = 193.26
    {"RangeNine",           9, false, 140, 82},   // 222 / 1.5849 = 140.07
    {"RangeTwenty",        20, false, 120, 102},  // 222 / 1.8384 = 120.76
    {"RangeHundred",      100, false,  88, 134},  // 222 / 2.5169 = 88.20
    {"RangeNineArrows",     9, true,  121, 71},   // (222 − 30) / 1.5849 = 121.14
    {"HugeRangeHitsFloor", 2000000000, false, 15, 207},  // 222 / 72.5 < 12 + 3
};
// clang-format on

class KnobTest : public ::testing::TestWithParam<KnobCase> {};

TEST_P(KnobTest, LengthAndTravelInBothOrientations) {
    const auto& c = GetParam();
    const ScrollShape vertical = Bar(c.maximum, c.arrows);
    const auto knob = KnobFor(vertical);
    ASSERT_TRUE(knob);
    EXPECT_EQ(*knob, (KnobSize{12, c.length}));
    EXPECT_EQ(Travel(vertical, knob), c.travel);
    const ScrollShape horizontal = Turned(vertical);
    const auto turned = KnobFor(horizontal);
    ASSERT_TRUE(turned);
    EXPECT_EQ(*turned, (KnobSize{c.length, 12}));
    EXPECT_EQ(Travel(horizontal, turned), c.travel);
}

INSTANTIATE_TEST_SUITE_P(Knobs, KnobTest, ::testing::ValuesIn(kKnobCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScrollModelTest, OrientationAndStart) {
    ScrollShape s = Bar(9);
    EXPECT_TRUE(IsVertical(s));
    s.width = s.height = 30;
    EXPECT_FALSE(IsVertical(s)) << "a square bar is horizontal";
    s = Bar(9, true);
    EXPECT_EQ(MinRealValue(s), 15);
    s.groupArrows = true;
    EXPECT_EQ(MinRealValue(s), 0);
    EXPECT_EQ(MinRealValue(Bar(9)), 0);
}

TEST(ScrollModelTest, KnobThicknessLessInsetAtLeastOne) {
    ScrollShape s = Bar(9);
    s.knobInset = 2;
    EXPECT_EQ(KnobFor(s)->width, 8);
    s.knobInset = 9;
    EXPECT_EQ(KnobFor(s)->width, 1);
}

TEST(ScrollModelTest, NoKnobWithoutARange) {
    ScrollShape s = Bar(0);
    EXPECT_FALSE(KnobFor(s));
    EXPECT_EQ(Travel(s, std::nullopt), 222);
    s.arrows = true;
    EXPECT_EQ(Travel(s, std::nullopt), 192);
    // Any position reads Minimum; any value above it puts the knob at the end.
    EXPECT_EQ(ValueAt(Bar(0), 222, 50), 0);
    EXPECT_DOUBLE_EQ(RealValueFor(Bar(0), 222, 5), 222);
    EXPECT_DOUBLE_EQ(RealValueFor(Bar(0), 222, 0), 0);
}

TEST(ScrollModelTest, ValueMapsBothWays) {
    const ScrollShape s = Bar(9);
    // travel 82: 5 → 5 / 9 × 82 = 45.5556, which reads back Round(45.5556 / 82 × 9) = 5
    EXPECT_NEAR(RealValueFor(s, 82, 5), 45.5556, 1e-4);
    EXPECT_EQ(ValueAt(s, 82, 45.5556), 5);
    for (int v = 0; v <= 9; ++v)
        EXPECT_EQ(ValueAt(s, 82, RealValueFor(s, 82, v)), v) << v;
    // Out of range: clamped onto the travel.
    EXPECT_DOUBLE_EQ(RealValueFor(s, 82, -4), 0);
    EXPECT_DOUBLE_EQ(RealValueFor(s, 82, 19), 82);
    // Range 1: value 1 puts the knob at 29.
    EXPECT_DOUBLE_EQ(RealValueFor(Bar(1), 29, 1), 29);
    EXPECT_EQ(ValueAt(Bar(1), 29, 29), 1);
}

TEST(ScrollModelTest, ReadingIsNotClampedAndRoundsHalvesAway) {
    // Maximum raised from 9 to 20 with the knob at 82 (travel now 102): Round(82 / 102 × 20)
    EXPECT_EQ(ValueAt(Bar(20), 102, 82), 16);
    // Maximum lowered from 20 to 9 with the knob at 102 (travel now 82): Round(102 / 82 × 9)
    EXPECT_EQ(ValueAt(Bar(9), 82, 102), 11);
    // 4.5 of 9 over 82 sits at 41: reads 4.5 → 5.
    EXPECT_EQ(ValueAt(Bar(9), 82, 41), 5);
    ScrollShape negative = Bar(0);
    negative.minimum = -9;  // 41 / 82 × 9 − 9 = −4.5 → −5
    EXPECT_EQ(ValueAt(negative, 82, 41), -5);
}

TEST(ScrollModelTest, ArrowsMoveTheStartAndTheKnobKeepsItsPixelPosition) {
    // Arrows on and split: the start is 15; turned off, 15 reads above Minimum.
    const ScrollShape on = Bar(9, true);
    EXPECT_EQ(ValueAt(on, 71, 15), 0);
    EXPECT_EQ(ValueAt(Bar(9), 82, 15), 2);  // Round(15 / 82 × 9) = Round(1.646)
}

TEST(ScrollModelTest, NoTravelReadsMinimum) {
    ScrollShape s = Bar(9);
    s.height = 14;  // knob 15 long in a 14-pixel bar: travel −1
    const auto knob = KnobFor(s);
    ASSERT_TRUE(knob);
    EXPECT_EQ(Travel(s, knob), -1);
    EXPECT_EQ(ValueAt(s, -1, 3), 0);
    EXPECT_EQ(ValueAt(s, 0, 3), 0);
}

TEST(SarvelinStyleTest, ColoursBigEndianForTheRegistryAndBackExactly) {
    SarvelinStyle style;
    style.CornerRadius = 232;
    style.BorderColor = platform::RGB(0x20, 0x22, 0x24);
    style.BorderWidth = 1;
    style.KnobFocusFillColor2 = platform::RGB(0x82, 0xC6, 0xF2);
    style.ArrowSize = 15;
    style.Gloss = 1;
    style.TrackFillColor2 = platform::RGB(1, 2, 3);
    const std::string big = style.StringValue(false);
    const std::string little = style.StringValue(true);
    ASSERT_EQ(big.size(), 64u);
    EXPECT_EQ(big.substr(0, 6), std::string("\xE8\x00\x20\x22\x24\x01", 6));
    EXPECT_EQ(little.substr(1, 4), std::string("\x24\x22\x20\x00", 4));
    EXPECT_EQ(big.substr(42, 4), std::string("\x00\x82\xC6\xF2", 4));
    EXPECT_EQ(static_cast<unsigned char>(big[46]), 15);
    EXPECT_EQ(static_cast<unsigned char>(big[59]), 1);
    EXPECT_EQ(big.substr(60, 4), std::string("\x00\x01\x02\x03", 4));
    for (bool le : {false, true}) {
        SarvelinStyle back;
        back.SetStringValue(style.StringValue(le), le);
        EXPECT_EQ(back.StringValue(le), style.StringValue(le));
        EXPECT_EQ(back.BorderColor, style.BorderColor);
        EXPECT_EQ(back.TrackFillColor2, style.TrackFillColor2);
    }
}

}  // namespace
