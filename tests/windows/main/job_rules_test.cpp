#include "windows/main/job_rules.h"

#include <gtest/gtest.h>

namespace {

using mainwindow::Culprit;
using mainwindow::Refusal;

struct PathCase {
    const char* rule;
    mainwindow::JobFields fields;
    std::optional<Refusal> expected;
};

const PathCase kPathCases[] = {
    {"EmptyInputFirstEvenWithoutOutput",
     {"", "", "100", "100"},
     Refusal{0, 2, Culprit::InputButton, 3, {}}},
    {"EmptyOutput", {"/a/in.xml", "", "1024", "768"}, Refusal{0, 15, Culprit::OutputButton, 2, {}}},
    {"SamePathInAnotherCase",
     {"/a/Skin.xml", "/a/SKIN.XML", "1024", "768"},
     Refusal{0, 16, Culprit::OutputField, 2, {}}},
    {"Width639",
     {"/a/in.xml", "/a/out.xml", "639", "768"},
     Refusal{0, 17, Culprit::WidthField, 0, {}}},
    {"Width639AndAHalf",
     {"/a/in.xml", "/a/out.xml", "639.5", "768"},
     Refusal{0, 17, Culprit::WidthField, 0, {}}},
    {"WidthWithoutNumberReadsZero",
     {"/a/in.xml", "/a/out.xml", "px", "768"},
     Refusal{0, 17, Culprit::WidthField, 0, {}}},
    {"Width640Passes", {"/a/in.xml", "/a/out.xml", "640", "480"}, std::nullopt},
    {"Width640Point9Passes", {"/a/in.xml", "/a/out.xml", "640.9", "480"}, std::nullopt},
    {"TextAfterTheNumberIgnored", {"/a/in.xml", "/a/out.xml", "1024px", "768px"}, std::nullopt},
    {"Height479",
     {"/a/in.xml", "/a/out.xml", "1024", "479"},
     Refusal{0, 18, Culprit::HeightField, 0, {}}},
};

TEST(JobRules, PathAndSizeChecksRefuseAtTheFirstFailure) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(mainwindow::CheckPathsAndSizes(c.fields), c.expected);
    }
}

struct MethodCase {
    const char* rule;
    mainwindow::MethodInput input;
    std::string method;
    std::optional<Refusal> refusal;
    bool warn;
};

mainwindow::MethodInput Boxes(bool simple, bool smart, bool browser, bool border, int inW, int inH,
                              int outW, int outH, std::vector<std::int32_t> browsers = {}) {
    return {simple, smart, browser, border, inW, inH, outW, outH, std::move(browsers)};
}

const MethodCase kMethodCases[] = {
    {"NoBoxRefusedOnResizingPage", Boxes(false, false, false, false, 1024, 768, 1280, 960), "",
     Refusal{1, 21, Culprit::PagePanel, 0, {}}, false},
    {"Simple", Boxes(true, false, false, false, 1024, 768, 1280, 960), "Simple", {}, false},
    {"SmartLeavesTheBrowserRuleToTheEngine",
     Boxes(false, true, false, false, 1024, 768, 1024, 500),
     "Smart",
     {},
     false},
    {"BrowserKeepsTheWidth", Boxes(false, false, true, false, 1024, 768, 1280, 768, {400}), "",
     Refusal{0, 19, Culprit::WidthField, 0, {}}, false},
    // 400 − (768 − 600) = 232 < 245: refused, proposing 768 − 400 + 245 = 613.
    {"BrowserTooLowProposes613", Boxes(false, false, true, false, 1024, 768, 1024, 600, {400}), "",
     Refusal{0, 53, Culprit::HeightField, 0, 613}, false},
    // The second browser keeps 500 − 168 = 332: runs, with the notice.
    {"SecondBrowserHighEnoughWarns",
     Boxes(false, false, true, false, 1024, 768, 1024, 600, {400, 500}),
     "Browser",
     {},
     true},
    // 413 − 168 = 245 exactly: not too small.
    {"BrowserLeftAt245Passes",
     Boxes(false, false, true, false, 1024, 768, 1024, 600, {413}),
     "Browser",
     {},
     false},
    {"BrowserWithoutBrowsersProposes0", Boxes(false, false, true, false, 1024, 768, 1024, 600), "",
     Refusal{0, 53, Culprit::HeightField, 0, 0}, false},
    {"BrowserHigherOutputNeverWarns",
     Boxes(false, false, true, false, 1024, 768, 1024, 900, {100}),
     "Browser",
     {},
     false},
    {"BorderSameSizePasses",
     Boxes(false, false, false, true, 1024, 768, 1024, 768),
     "Border",
     {},
     false},
    {"BorderOnePixelNarrower", Boxes(false, false, false, true, 1024, 768, 1023, 900), "",
     Refusal{0, 20, Culprit::WidthField, 0, {}}, false},
    {"BorderOnePixelLower", Boxes(false, false, false, true, 1024, 768, 1100, 767), "",
     Refusal{0, 20, Culprit::HeightField, 0, {}}, false},
    {"LaterBoxWins", Boxes(true, true, false, false, 1024, 768, 1280, 960), "Smart", {}, false},
};

TEST(JobRules, MethodResolution) {
    for (const MethodCase& c : kMethodCases) {
        SCOPED_TRACE(c.rule);
        const mainwindow::MethodChoice choice = mainwindow::ChooseMethod(c.input);
        EXPECT_EQ(choice.refusal, c.refusal);
        if (!c.refusal) {
            EXPECT_EQ(choice.method, c.method);
        }
        EXPECT_EQ(choice.warnSmallBrowser, c.warn);
    }
}

TEST(JobRules, AspectNoticeComparesRoundedPercentages) {
    EXPECT_FALSE(mainwindow::AspectsDiffer(1024, 768, 1280, 960));   // 133 and 133
    EXPECT_TRUE(mainwindow::AspectsDiffer(1024, 768, 1280, 800));    // 133 and 160
    EXPECT_FALSE(mainwindow::AspectsDiffer(1024, 768, 1366, 1024));  // 133.33 and 133.40
}

TEST(JobRules, LogHeaderAndDuration) {
    const auto header = mainwindow::JobLogHeader("\n", "12/11/26", "10:00:00", "in.xml", 1024, 768,
                                                 1280, 960, "Simple", false);
    const std::vector<std::string> expected = {"\n----New Job----12/11/26 10:00:00\n",
                                               "in.xml",
                                               "Input Skin is 1024x768",
                                               "Output Skin is 1280x960",
                                               "Resize Type = Simple",
                                               "Mac enhancement = False",
                                               "--"};
    EXPECT_EQ(header, expected);
    EXPECT_EQ(mainwindow::DurationRecord(90), "Finished in 1.5 seconds");  // 90 / 60
}

}  // namespace
