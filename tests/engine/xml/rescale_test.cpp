#include "engine/xml/rescale.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rescale::JobRun;

/// The ratio a job stores: output over input divided in double precision, kept as a float.
float Ratio(int out, int in) {
    return static_cast<float>(static_cast<double>(out) / static_cast<double>(in));
}

enum class Pass { X, Y };

struct CoordinateCase {
    const char* name;
    Pass pass;
    float ratio;
    const char* in;
    const char* out;
    bool smart = false;
    int widthDiff = 0;
};

// clang-format off
const CoordinateCase kCoordinateCases[] = {
    // 165 x 2.0696969 (1366 / 660 in single precision) = 341.49998..., so 341; the exact
    // quotient would give 342.
    {"SinglePrecisionRatio",      Pass::X, Ratio(1366, 660), R"(<pos x="165" y="3"/>)", R"(<pos x="341" y="3"/>)"},
    {"PlainScale",                Pass::X, 1.5F, R"(<pos x="12" y="7"/>)",   R"(<pos x="18" y="7"/>)"},
    // The sign stays in front and the magnitude is scaled: 3 x 1.5 = 4.5, away from zero 5.
    {"SignStepMinus",             Pass::X, 1.5F, R"(<pos x="-3" y="7"/>)",   R"(<pos x="-5" y="7"/>)"},
    {"SignStepPlus",              Pass::X, 1.5F, R"(<pos x="+12" y="7"/>)",  R"(<pos x="+18" y="7"/>)"},
    // dx has no sign step: -3 is evaluated as -3, -4.5 rounds away from zero to -5.
    {"DxPlainScale",              Pass::X, 1.5F, R"(<a dx="3"/>)",           R"(<a dx="5"/>)"},
    {"DxNegative",                Pass::X, 1.5F, R"(<a dx="-3"/>)",          R"(<a dx="-5"/>)"},
    {"MainKeyWinsOverDx",         Pass::X, 2.0F, R"(<a dx="3" x="10"/>)",    R"(<a dx="3" x="20"/>)"},
    {"ExpressionEvaluated",       Pass::X, 1.0F, R"(<pos x="100/2"/>)",      R"(<pos x="50"/>)"},
    {"LeadingZerosDropped",       Pass::X, 1.0F, R"(<pos x="007"/>)",        R"(<pos x="7"/>)"},
    {"OneCharacterValue",         Pass::X, 2.0F, R"(<pos x="5"/>)",          R"(<pos x="10"/>)"},
    {"OnlyFirstOccurrence",       Pass::X, 2.0F, R"(<a x="1"/><b x="1"/>)",  R"(<a x="2"/><b x="1"/>)"},
    {"KeyFoundIgnoringCase",      Pass::X, 2.0F, R"(<pos X="4"/>)",          R"(<pos X="8"/>)"},
    {"TrailingOperatorDropped",   Pass::X, 1.0F, R"(<pos x="10-"/>)",        R"(<pos x="10"/>)"},
    {"EmptyXValueFreezesLine",    Pass::X, 2.0F, R"(<a x="" y="4"/>)",       R"(<a x="" y="4"/>)"},
    {"EmptyDxValueFreezesLine",   Pass::X, 2.0F, R"(<a dx="" x="4"/>)",      R"(<a dx="" x="4"/>)"},
    {"IconLineLeftToIconPass",    Pass::X, 2.0F, R"(<icon> x="4" x="5")",    R"(<icon> x="4" x="5")"},
    {"NoXAttribute",              Pass::X, 2.0F, R"(<size width="4"/>)",     R"(<size width="4"/>)"},
    {"XWithoutBlankIsNotMainKey", Pass::X, 2.0F, "<a\tx=\"4\"/>",          "<a\tx=\"4\"/>"},
    {"NoClosingQuoteUnchanged",   Pass::X, 2.0F, R"(<pos x="4)",             R"(<pos x="4)"},
    {"BlankLine",                 Pass::X, 2.0F, "   ",                      "   "},
    // "Smart" fixed rules, width difference 100 (or as the row says).
    {"SmartLeftKeepsX",           Pass::X, 2.0F, R"(<pos x="40" fixed="left"/>)",   R"(<pos x="40" fixed="left"/>)",   true, 100},
    {"SmartRightAddsDiff",        Pass::X, 2.0F, R"(<pos x="900" fixed="right"/>)", R"(<pos x="1000" fixed="right"/>)", true, 100},
    {"SmartCenterAddsHalfDiff",   Pass::X, 2.0F, R"(<pos x="300" fixed="Center"/>)", R"(<pos x="350" fixed="Center"/>)", true, 100},
    {"SmartRightZeroStaysZero",   Pass::X, 2.0F, R"(<pos x="0" fixed="right"/>)",   R"(<pos x="0" fixed="right"/>)",   true, 100},
    {"SmartOtherFixedKeepsValue", Pass::X, 2.0F, R"(<pos x="10+5" fixed="top"/>)",  R"(<pos x="15" fixed="top"/>)",    true, 100},
    {"SmartEmptyFixedScales",     Pass::X, 2.0F, R"(<pos x="10" fixed=""/>)",       R"(<pos x="20" fixed=""/>)",       true, 100},
    // -5 / 2 truncates toward zero to -2: 40 - 2 = 38.
    {"SmartCenterNegativeDiff",   Pass::X, 2.0F, R"(<pos x="40" fixed="center"/>)", R"(<pos x="38" fixed="center"/>)", true, -5},
    // The sign stays, 30 - 50 = -20: "+-20" is repaired to "+0-20", "--20" is not.
    {"SmartRightPlusMinusRepair", Pass::X, 2.0F, R"(<pos x="+30" fixed="right"/>)", R"(<pos x="+0-20" fixed="right"/>)", true, -50},
    {"SmartRightDoubleMinusKept", Pass::X, 2.0F, R"(<pos x="-30" fixed="right"/>)", R"(<pos x="--20" fixed="right"/>)", true, -50},
    {"FixedIgnoredOutsideSmart",  Pass::X, 2.0F, R"(<pos x="40" fixed="left"/>)",   R"(<pos x="80" fixed="left"/>)"},
    // The y pass.
    {"YScale",                    Pass::Y, 2.0F, R"(<pos x="10" y="20"/>)",  R"(<pos x="10" y="40"/>)"},
    {"YSignStep",                 Pass::Y, 1.5F, R"(<pos y="-3"/>)",         R"(<pos y="-5"/>)"},
    {"DyPlain",                   Pass::Y, 1.5F, R"(<a dy="3"/>)",           R"(<a dy="5"/>)"},
    {"YHasNoFixedRules",          Pass::Y, 2.0F, R"(<pos y="10" fixed="left"/>)", R"(<pos y="20" fixed="left"/>)", true, 100},
    {"EmptyXStillScalesY",        Pass::Y, 2.0F, R"(<a x="" y="4"/>)",       R"(<a x="" y="8"/>)"},
    {"EmptyYFreezesLine",         Pass::Y, 2.0F, R"(<a y="" dy="4"/>)",      R"(<a y="" dy="4"/>)"},
    {"YIconLineLeftAlone",        Pass::Y, 2.0F, R"(<icon> y="4" y="5")",    R"(<icon> y="4" y="5")"},
    // A "<pos" line whose y is written with a blank before "=": the split rule.
    {"SplitRuleBlankBeforeEquals",Pass::Y, 2.0F, R"(<pos x="10" y ="20"/>)", R"(<pos x="10" y ="40"/>)"},
    {"SplitRuleKeepsCase",        Pass::Y, 2.0F, R"(<pos x="10" Y ="20"/>)", R"(<pos x="10" Y ="40"/>)"},
    {"SplitRuleEmptyValueKept",   Pass::Y, 2.0F, R"(<pos x="10" y ="" z="3"/>)", R"(<pos x="10" y ="" z="3"/>)"},
    {"SplitRuleNeedsPos",         Pass::Y, 2.0F, R"(<size x="10" y ="20"/>)", R"(<size x="10" y ="20"/>)"},
};
// clang-format on

class CoordinatePassTest : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinatePassTest, RewritesTheLine) {
    const CoordinateCase& c = GetParam();
    JobRun run;
    run.xProp = c.ratio;
    run.yProp = c.ratio;
    run.smart = c.smart;
    run.widthDiff = c.widthDiff;
    std::vector<std::string> lines{c.in};
    if (c.pass == Pass::X)
        rescale::XPass(lines, run);
    else
        rescale::YPass(lines, run);
    EXPECT_EQ(lines[0], c.out);
}

INSTANTIATE_TEST_SUITE_P(Lines, CoordinatePassTest, ::testing::ValuesIn(kCoordinateCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailingCase {
    const char* name;
    Pass pass;
    float ratio;
    const char* line;
};

// clang-format off
const FailingCase kFailingCases[] = {
    // An operator without a number behind it before the closing quote.
    {"OperatorWithoutOperand", Pass::X, 1.0F, R"(<pos x="2*x"/>)"},
    {"DivisionByZero",         Pass::Y, 1.0F, R"(<pos y="5/0"/>)"},
    // 2000000000 x 2 leaves the 32-bit range.
    {"ProductOutOfRange",      Pass::X, 2.0F, R"(<pos x="2000000000"/>)"},
    {"SplitRuleOutOfRange",    Pass::Y, 4.0F, R"(<pos x="1" y ="1000000000"/>)"},
};
// clang-format on

class FailingLineTest : public ::testing::TestWithParam<FailingCase> {};

TEST_P(FailingLineTest, ThrowsAndNamesTheLine) {
    const FailingCase& c = GetParam();
    JobRun run;
    run.xProp = c.ratio;
    run.yProp = c.ratio;
    std::vector<std::string> lines{"<skin>", "<pos x=\"1\" y=\"1\"/>", c.line, "<pos x=\"1\"/>"};
    const auto pass = [&] {
        if (c.pass == Pass::X)
            rescale::XPass(lines, run);
        else
            rescale::YPass(lines, run);
    };
    EXPECT_THROW(pass(), platform::RuntimeException);
    EXPECT_EQ(run.lineIndex, 2);
    EXPECT_EQ(run.lineText, c.line);
    EXPECT_EQ(lines[3], "<pos x=\"1\"/>") << "the lines after the failing one are not reached";
}

INSTANTIATE_TEST_SUITE_P(Lines, FailingLineTest, ::testing::ValuesIn(kFailingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleRounded, HalvesGoAwayFromZero) {
    EXPECT_EQ(rescale::ScaleRounded(21, 0.5F), 11);
    EXPECT_EQ(rescale::ScaleRounded(-21, 0.5F), -11);
    EXPECT_EQ(rescale::ScaleRounded(33, 1.2F), 40);  // 39.6000...
    EXPECT_THROW(rescale::ScaleRounded(2'000'000'000, 1.5F), platform::RuntimeException);
}

TEST(RewriteAttribute, EvaluatesToTheEndOfTheLineWhenAsked) {
    // Cut at the quote, "10-" loses its trailing operator; run on, the "-" has no operand.
    std::string cut = R"(<size width="10-" h="1"/>)";
    ASSERT_TRUE(
        rescale::RewriteAttribute(cut, "width=", false, false, [](std::int32_t v) { return v; }));
    EXPECT_EQ(cut, R"(<size width="10" h="1"/>)");
    std::string toEnd = R"(<size width="10-" h="1"/>)";
    EXPECT_THROW(
        rescale::RewriteAttribute(toEnd, "width=", false, true, [](std::int32_t v) { return v; }),
        platform::RuntimeException);
}

}  // namespace
