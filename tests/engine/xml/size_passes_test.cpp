#include "engine/xml/rescale.h"
#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rescale::JobRun;

enum class Pass { Size, Font, Mac };

struct SizeCase {
    const char* name;
    Pass pass;
    float x;
    float y;
    const char* in;
    const char* out;
    bool smart = false;
    int widthDiff = 0;
};

// clang-format off
const SizeCase kSizeCases[] = {
    // x 1.25, y 1.2: 100 x 1.25 = 125; 33 x 1.2 = 39.6, rounded 40.
    {"WidthAndHeightRounded",     Pass::Size, 1.25F, 1.2F, R"(<size width="100" height="33"/>)", R"(<size width="125" height="40"/>)"},
    {"MainwidthBeforeWidth",      Pass::Size, 2.0F, 1.0F, R"(<a mainwidth="200" width="100"/>)", R"(<a mainwidth="400" width="200"/>)"},
    {"WidthBeforeMainwidth",      Pass::Size, 2.0F, 1.0F, R"(<a width="100" mainwidth="200"/>)", R"(<a width="200" mainwidth="400"/>)"},
    {"MainwidthAloneScaledOnce",  Pass::Size, 2.0F, 1.0F, R"(<a mainwidth="200"/>)",             R"(<a mainwidth="400"/>)"},
    {"EmptyWidthFreezesLine",     Pass::Size, 2.0F, 2.0F, R"(<size width="" height="30"/>)",    R"(<size width="" height="30"/>)"},
    {"EmptyHeightKeepsHeight",    Pass::Size, 2.0F, 2.0F, R"(<size width="10" height=""/>)",    R"(<size width="20" height=""/>)"},
    {"HeightMatchesLongerName",   Pass::Size, 1.0F, 2.0F, R"(<a lineheight="5" height="7"/>)",  R"(<a lineheight="10" height="7"/>)"},
    {"ExpressionValue",           Pass::Size, 2.0F, 1.0F, R"(<size width="100/2"/>)",           R"(<size width="100"/>)"},
    {"NoSizeAttributes",          Pass::Size, 2.0F, 2.0F, R"(<pos x="1"/>)",                    R"(<pos x="1"/>)"},
    // "Smart": a fixed element keeps its size; an empty fixed value scales and ignores resizew.
    {"SmartFixedKeepsSize",       Pass::Size, 2.0F, 2.0F, R"(<size width="10" height="5" fixed="left"/>)", R"(<size width="10" height="5" fixed="left"/>)", true},
    {"SmartEmptyFixedScales",     Pass::Size, 2.0F, 2.0F, R"(<size width="10" fixed="" resizew="w-1"/>)", R"(<size width="20" fixed="" resizew="w-1"/>)", true},
    // w+diff with width 300: 800 to 1000 wide gives 300+200; 800 to 600 gives 300+-200.
    {"SmartResizewGrows",         Pass::Size, 1.25F, 1.0F, R"(<size width="300" resizew="w+diff"/>)", R"(<size width="500" resizew="w+diff"/>)", true, 200},
    {"SmartResizewShrinks",       Pass::Size, 0.75F, 1.0F, R"(<size width="300" resizew="w+diff"/>)", R"(<size width="100" resizew="w+diff"/>)", true, -200},
    {"SmartResizewMinus",         Pass::Size, 3.0F, 1.0F, R"(<size width="150" resizew="w-20"/>)",   R"(<size width="130" resizew="w-20"/>)", true},
    {"SmartResizewPlainNumber",   Pass::Size, 3.0F, 1.0F, R"(<size width="150" resizew="77"/>)",     R"(<size width="77" resizew="77"/>)", true},
    // "prop" is put in as the ratio's decimal text: 100*1.5.
    {"SmartResizewProp",          Pass::Size, 1.5F, 1.0F, R"(<size width="100" resizew="w*prop"/>)", R"(<size width="150" resizew="w*prop"/>)", true},
    {"ResizewIgnoredOutsideSmart",Pass::Size, 2.0F, 1.0F, R"(<size width="150" resizew="w-20"/>)",   R"(<size width="300" resizew="w-20"/>)"},
    // Fonts: y 1.2, 12 x 1.2 = 14.4 truncated 14; never below 10.
    {"FontTruncated",             Pass::Font, 1.25F, 1.2F, R"(<text size="12"/>)",      R"(<text size="14"/>)"},
    {"FontMinimumTen",            Pass::Font, 1.25F, 1.2F, R"(<text size="7"/>)",       R"(<text size="10"/>)"},
    {"FontMinimumAtRatioOne",     Pass::Font, 1.1F, 1.0F,  R"(<text size="8"/>)",       R"(<text size="10"/>)"},
    {"FontOnlyHeightGrowsSkipped",Pass::Font, 1.0F, 1.5F,  R"(<text size="8"/>)",       R"(<text size="8"/>)"},
    {"FontMatchesFontsize",       Pass::Font, 2.0F, 2.0F,  R"(<t fontsize="6" size="6"/>)", R"(<t fontsize="12" size="6"/>)"},
    {"FontEmptyValueKept",        Pass::Font, 2.0F, 2.0F,  R"(<t size="" a="3"/>)",     R"(<t size="" a="3"/>)"},
    {"FontTrailingOperatorCut",   Pass::Font, 2.0F, 2.0F,  R"(<t size="10-" a="3"/>)",  R"(<t size="20" a="3"/>)"},
    // Mac factor 0.8, truncated, no minimum.
    {"MacTwelve",                 Pass::Mac, 1.0F, 1.0F,   R"(<text size="12"/>)",      R"(<text size="9"/>)"},
    {"MacTen",                    Pass::Mac, 1.0F, 1.0F,   R"(<text size="10"/>)",      R"(<text size="8"/>)"},
};
// clang-format on

class SizePassTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizePassTest, RewritesTheLine) {
    const SizeCase& c = GetParam();
    JobRun run;
    run.xProp = c.x;
    run.yProp = c.y;
    run.smart = c.smart;
    run.widthDiff = c.widthDiff;
    std::vector<std::string> lines{c.in};
    switch (c.pass) {
        case Pass::Size:
            rescale::SizePass(lines, run);
            break;
        case Pass::Font:
            rescale::FontPass(lines, run, false);
            break;
        case Pass::Mac:
            rescale::MacFontPass(lines, run);
            break;
    }
    EXPECT_EQ(lines[0], c.out);
}

INSTANTIATE_TEST_SUITE_P(Lines, SizePassTest, ::testing::ValuesIn(kSizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FontPass, NoFontChangeLeavesSizes) {
    JobRun run;
    run.xProp = 2.0F;
    run.yProp = 2.0F;
    std::vector<std::string> lines{R"(<text size="7"/>)"};
    rescale::FontPass(lines, run, true);
    EXPECT_EQ(lines[0], R"(<text size="7"/>)");
}

TEST(SizePass, ValueRunningPastTheQuoteFailsTheLine) {
    // The size pass hands the evaluator the rest of the line: "10-" leaves "-" without operand.
    JobRun run;
    std::vector<std::string> lines{"<a/>", R"(<size width="10-" height="3"/>)"};
    EXPECT_THROW(rescale::SizePass(lines, run), platform::RuntimeException);
    EXPECT_EQ(run.lineIndex, 1);
}

struct LogoCase {
    const char* name;
    std::vector<std::string> in;
    bool keep;
    const char* stored;
    std::vector<std::string> out;
};

// clang-format off
const LogoCase kLogoCases[] = {
    {"SmallHeightBecomes17", {"<logo>", R"(<size height="18"/>)"}, false, "", {"<logo>", R"(<size height="17"/>)"}},
    {"Height25Stays",        {"<logo>", R"(<size height="25"/>)"}, false, "", {"<logo>", R"(<size height="25"/>)"}},
    {"SecondLineFound",      {"<logo>", "<pos x=\"1\"/>", R"(<size height="12"/>)"}, false, "", {"<logo>", "<pos x=\"1\"/>", R"(<size height="17"/>)"}},
    {"ThirdLineNotSeen",     {"<logo>", "<a/>", "<b/>", R"(<size height="12"/>)"}, false, "", {"<logo>", "<a/>", "<b/>", R"(<size height="12"/>)"}},
    {"LastLineChangesNothing", {R"(<size height="12"/>)", "<logo>"}, false, "", {R"(<size height="12"/>)", "<logo>"}},
    {"TagWithAttributes",    {"<logo a=\"1\">", R"(<size height="12"/>)"}, false, "", {"<logo a=\"1\">", R"(<size height="17"/>)"}},
    {"KeepRestoresStored",   {"<logo>", R"(<size height="20"/>)"}, true, "14*3*4", {"<logo>", R"(<size height="14"/>)"}},
    {"KeepRestoresLarger",   {"<logo>", R"(<size height="20"/>)"}, true, "24*3*4", {"<logo>", R"(<size height="24"/>)"}},
    // No stored height (the analysis found no "<logo>"): the computed height stays, not 0.
    {"KeepWithoutStoredLogo",{"<logo>", R"(<size height="20"/>)"}, true, "", {"<logo>", R"(<size height="17"/>)"}},
    {"EmptyHeightKept",      {"<logo>", R"(<size height="" width="3"/>)"}, false, "", {"<logo>", R"(<size height="" width="3"/>)"}},
};
// clang-format on

class LogoPassTest : public ::testing::TestWithParam<LogoCase> {};

TEST_P(LogoPassTest, RewritesTheHeightLine) {
    const LogoCase& c = GetParam();
    JobRun run;
    std::vector<std::string> lines = c.in;
    rescale::LogoPass(lines, run, c.keep, c.stored);
    EXPECT_EQ(lines, c.out);
}

INSTANTIATE_TEST_SUITE_P(Lines, LogoPassTest, ::testing::ValuesIn(kLogoCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
