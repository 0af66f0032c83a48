#include "windows/info/message_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HeightCase {
    const char* name;
    int current;
    int text;
    int height;
};
const HeightCase kHeightCases[] = {
    // clang-format off
    {"TextThatFitsKeepsTheLayout",   130,  54, 130},
    {"OnePixelMoreGrowsByOne",       130,  55, 131},  // 130 + (55 - 54)
    {"TallTextGrows",                130, 100, 176},  // 100 + 76
    {"EmptyTextKeepsTheHeight",      176,   0, 176},
    {"ShortTextNeverShrinks",        176,  20, 176},
    {"ShorterTallTextNeverShrinks",  176,  60, 176},  // 60 + 76 = 136 < 176
    {"TallerTextGrowsFurther",       176, 120, 196},  // 120 + 76
    // clang-format on
};

class MessageHeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(MessageHeightTest, GrowsWithTheTextAndNeverShrinks) {
    EXPECT_EQ(messagelayout::WindowHeight(GetParam().current, GetParam().text), GetParam().height);
}
INSTANTIATE_TEST_SUITE_P(Heights, MessageHeightTest, ::testing::ValuesIn(kHeightCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
