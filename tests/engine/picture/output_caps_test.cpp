#include "engine/picture/output_caps.h"

#include "engine/picture/method_job.h"
#include "engine/xml/variables.h"
#include "platform/picture.h"
#include "support/job_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pictures = std::vector<Variables::PlannedPicture>;

struct PlanCase {
    const char* name;
    const char* method;
    const char* skinName;
    std::int32_t inWidth, inHeight, outWidth, outHeight;
    std::int64_t sourceWidth, sourceHeight;
    Pictures pictures;
};

// An 800 x 600 skin with an 800 x 1000 bitmap unless a row says otherwise.
// clang-format off
const PlanCase kPlans[] = {
    // 1000 / 600 * 768 = 1280 rows.
    {"SimpleGrowingScalesTheBitmap",   "Simple",  "", 800, 600, 1024, 768, 800, 1000, {{1024, 1280}}},
    // 1000 / 600 * 480 = 800 rows and the 298-row icon strip.
    {"SimpleShrinkingAddsTheStrip",    "simple",  "", 800, 600,  640, 480, 800, 1000, {{640, 1098}}},
    // 1000 / 600 * 601 = 1001.67, rounded to 1002; a ratio above 1 adds no strip.
    {"SimpleRoundsHalfAway",           "SIMPLE",  "", 800, 600,  800, 601, 800, 1000, {{800, 1002}}},
    // Shift (768 - 600) / 2 = 84 above and below; the skin's rectangle at the input size.
    {"BorderAddsTwiceTheShift",        "Border",  "", 800, 600, 1024, 768, 800, 1000, {{1024, 1168}, {800, 600}}},
    // (769 - 600) / 2 = 84.5, truncated to 84.
    {"BorderShiftTruncated",           "Border",  "", 800, 600, 1024, 769, 800, 1000, {{1024, 1168}, {800, 600}}},
    // The bitmap's width; 1000 + 300 rows; the band of the skin's width at the output height.
    {"BrowserGrowsByTheHeightGained",  "Browser", "", 800, 600,  800, 900, 800, 1000, {{800, 1300}, {800, 900}}},
    {"BrowserShrinks",                 "Browser", "", 800, 600,  800, 500, 800, 1000, {{800, 900}, {800, 500}}},
    // Same proportions: the "Simple" canvas only.
    {"SmartSameProportions",           "Smart",   "", 800, 600, 1024, 768, 800, 1000, {{1024, 1280}}},
    // 1024 * 600 / 800 = 768 rows first; then 900 - 768 = 132 rows more for the browsers.
    {"SmartOtherProportions",          "Smart",   "", 800, 600, 1024, 900, 800, 1000, {{1024, 1280}, {1024, 1412}, {1024, 900}}},
    {"SmartKeepingTheSizeMakesNone",   "Smart",   "", 800, 600,  800, 600, 800, 1000, {}},
    {"SmartWideResizeLeftOut",         "Smart",   "RekordBox", 800, 600, 1024, 900, 800, 1000, {}},
    {"UnknownMethodMakesNone",         "Zoom",    "", 800, 600, 1024, 768, 800, 1000, {}},
    {"SkinWithoutWidthMakesNone",      "Simple",  "",   0, 600, 1024, 768, 800, 1000, {}},
    {"SizeBeyond32BitsMakesNone",      "Simple",  "", 1, 600, 2'000'000'000, 768, 800, 1000, {}},
};
// clang-format on

class PlannedPicturesTest : public ::testing::TestWithParam<PlanCase> {
protected:
    testsupport::JobState jobState;
};

TEST_P(PlannedPicturesTest, ArePicturesTheMethodWillMake) {
    const PlanCase& c = GetParam();
    Variables::SkinName = c.skinName;
    Variables::inWidth = c.inWidth;
    Variables::inHeight = c.inHeight;
    Variables::outWidth = c.outWidth;
    Variables::outHeight = c.outHeight;
    EXPECT_EQ(Variables::PlannedPictures(c.method, c.sourceWidth, c.sourceHeight), c.pictures);
}

INSTANTIATE_TEST_SUITE_P(Methods, PlannedPicturesTest, ::testing::ValuesIn(kPlans),
                         [](const auto& info) { return std::string(info.param.name); });

class OutputPicturesFitTest : public methodtest::MethodJobTest {
protected:
    void SetUp() override {
        MethodJobTest::SetUp();
        Variables::inWidth = 10;
        Variables::inHeight = 10;
        Variables::outWidth = 30;
        Variables::outHeight = 20;
    }
};

TEST_F(OutputPicturesFitTest, RefusesFromTheBitmapHeaderBeforeAnythingIsMade) {
    WriteSkin({"<skin/>"}, platform::Picture::New(10, 10).get());
    // 10 / 10 * 30 = 30 columns, 10 / 10 * 20 = 20 rows: 600 pixels.
    jobState.SetEnv("MALVOREN_MAX_PIXELS", "600");
    EXPECT_TRUE(Variables::OutputPicturesFit("Simple"));
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(Variables::Job_Ok);

    jobState.SetEnv("MALVOREN_MAX_PIXELS", "599");
    EXPECT_FALSE(Variables::OutputPicturesFit("Simple"));
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{
                  "The resized graphics would be too large, so they are not made.\n"
                  "A picture of 30 x 20 pixels is too large: at most 599 pixels are handled.\n"
                  "Choose a smaller output size."});
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(LogRecords(), (std::vector<std::string>{"**Exception", "Picture too large",
                                                      "A picture of 30 x 20 pixels is too "
                                                      "large: at most 599 pixels are handled.",
                                                      "--"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "out" / "result.xml"));
}

TEST_F(OutputPicturesFitTest, WithoutAReadableBitmapTheJobGoesOnToReportItself) {
    jobState.SetEnv("MALVOREN_MAX_PIXELS", "1");
    EXPECT_TRUE(Variables::OutputPicturesFit("Simple"));  // no bitmap at all
    dir.Write("in/skin.png", "not a picture");
    EXPECT_TRUE(Variables::OutputPicturesFit("Simple"));
    Variables::InputXMLPath = "relative/skin.xml";
    EXPECT_TRUE(Variables::OutputPicturesFit("Simple"));
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(Variables::Job_Ok);
}

}  // namespace
