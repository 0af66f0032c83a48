#include "engine/xml/rescale.h"
#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rescale::JobRun;

struct IconCase {
    const char* name;
    float x;
    float y;
    const char* in;
    const char* out;
};

// clang-format off
const IconCase kIconCases[] = {
    // x 2, y 0.5: 10 -> 20, 21 -> 10.5 -> 11, +5 -> +10, -4 -> -2.
    {"MixedValues",          2.0F, 0.5F, R"(<icon> x="10" y="21" x="+5" y="-4" </icon>)", R"(<icon> x="20" y="11" x="+10" y="-2" </icon>)"},
    {"OneOfEachUnchanged",   2.0F, 2.0F, R"(<icon> x="10" y="21" </icon>)",             R"(<icon> x="10" y="21" </icon>)"},
    {"TwoXOneY",             2.0F, 2.0F, R"(<icon> x="1" x="2" y="3"/>)",               R"(<icon> x="2" x="4" y="3"/>)"},
    {"ThreeXValues",         2.0F, 1.0F, R"(<icon> x="1" x="2" x="3"/>)",               R"(<icon> x="2" x="4" x="6"/>)"},
    // The first value never keeps a "+"; later ones do; "-" stays with the number.
    {"PlusSigns",            2.0F, 1.0F, R"(<icon> x="+10" x="+10" x="-10"/>)",         R"(<icon> x="20" x="+20" x="-20"/>)"},
    {"BlankBeforePlusLost",  2.0F, 1.0F, R"(<icon> x="1" x=" +10"/>)",                  R"(<icon> x="2" x="20"/>)"},
    {"EmptyValueIsZero",     2.0F, 1.0F, R"(<icon> x="" x="4"/>)",                      R"(<icon> x="0" x="8"/>)"},
    {"ExpressionValue",      2.0F, 1.0F, R"(<icon> x="10+5" x="1"/>)",                  R"(<icon> x="30" x="2"/>)"},
    // 660 to 1366 in single precision: 165 x 2.0696969 = 341.49998..., so 341.
    {"SinglePrecisionRatio", static_cast<float>(1366.0 / 660.0), 1.0F, R"(<icon> x="165" x="0"/>)", R"(<icon> x="341" x="0"/>)"},
    {"HalfAwayFromZero",     0.5F, 1.0F, R"(<icon> x="21" x="-21"/>)",                  R"(<icon> x="11" x="-11"/>)"},
    {"DxCountsAsX",          2.0F, 1.0F, R"(<icon> x="1" dx="3"/>)",                    R"(<icon> x="2" dx="6"/>)"},
    {"UpperCaseSeparator",   2.0F, 1.0F, R"(<icon> X="1" x="3"/>)",                     R"(<icon> x="2" x="6"/>)"},
    {"TagWithAttributesNot", 2.0F, 2.0F, R"(<icon a="1" x="1" x="3"/>)",                R"(<icon a="1" x="1" x="3"/>)"},
    // Values beyond the third are carried over with everything after them: nothing dropped.
    {"FourthValueKept",      2.0F, 1.0F, R"(<icon> x="1" x="2" x="3" X="4" a="5"/></icon>)", R"(<icon> x="2" x="4" x="6" X="4" a="5"/></icon>)"},
    {"FiveValuesKept",       2.0F, 1.0F, R"(<icon> x="1" x="2" x="3" x="4" x="5" </icon>)", R"(<icon> x="2" x="4" x="6" x="4" x="5" </icon>)"},
    // A value without its closing quote is left as written.
    {"NoClosingQuoteKept",   2.0F, 1.0F, R"(<icon> x="1" x="2)",                        R"(<icon> x="2" x="2)"},
    // Both ratios 1 still normalise: the first "+" goes, expressions are evaluated.
    {"RatioOneNormalises",   1.0F, 1.0F, R"(<icon> x="+7" x="3*3"/>)",                  R"(<icon> x="7" x="9"/>)"},
};
// clang-format on

class IconPassTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconPassTest, RewritesUpToThreeValuesOfEachKind) {
    const IconCase& c = GetParam();
    JobRun run;
    run.xProp = c.x;
    run.yProp = c.y;
    std::vector<std::string> lines{c.in};
    rescale::IconPass(lines, run, true);
    rescale::IconPass(lines, run, false);
    EXPECT_EQ(lines[0], c.out);
}

INSTANTIATE_TEST_SUITE_P(Lines, IconPassTest, ::testing::ValuesIn(kIconCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconPass, ValueEndingInOperatorFailsWithTheLineAsRead) {
    // The part runs on past the closing quote, so "10+" has no operand behind its "+".
    JobRun run;
    run.xProp = 2.0F;
    std::vector<std::string> lines{"<a/>", R"(<icon> x="1" x="10+" </icon>)"};
    EXPECT_THROW(rescale::IconPass(lines, run, true), platform::RuntimeException);
    EXPECT_EQ(run.lineIndex, 1);
    EXPECT_EQ(run.lineText, R"(<icon> x="1" x="10+" </icon>)");
}

}  // namespace
