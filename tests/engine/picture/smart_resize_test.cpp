// The "Smart" method and its wide resize, run as the job thread and batch mode run them.
#include "engine/picture/smart_resize.h"

#include "engine/picture/method_job.h"
#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

using methodpictures::At;
using platform::Color;
using platform::RGB;

// Flat bands, so that scaling keeps their inner pixels exact: above the browser, the
// browser, below it, the sprite area.
const Color kTop = RGB(200, 0, 0);
const Color kBrowser = RGB(0, 200, 0);
const Color kBelow = RGB(0, 0, 200);
const Color kSprite = RGB(200, 200, 0);

// Skin 100 x 75 (aspect 133) in a 100 x 95 bitmap; the browser at y 20 with height 50.
Color BandPixel(int, int y) {
    return y < 20 ? kTop : y < 70 ? kBrowser : y < 75 ? kBelow : kSprite;
}

std::vector<std::string> SkinLines(const char* name, bool withBrowser) {
    std::vector<std::string> lines = {
        R"(<?xml version="1.0"?>)",
        std::string(R"(<skin name=")") + name + R"(" version="6" width="100" height="75">)",
    };
    if (withBrowser) {
        lines.insert(lines.end(), {R"(<Browser>)", R"( <pos x="10" y="20"/>)",
                                   R"( <size width="80" height="50"/>)", R"(</Browser>)"});
    }
    lines.insert(lines.end(), {R"(<pos x="40" y="70"/>)", R"(</skin>)"});
    return lines;
}

class RecordingSink : public Variables::SmartRefusalSink {
public:
    explicit RecordingSink(std::vector<std::string>& calls)
        : m_calls(calls) {}
    void ShowFilesPage() override { m_calls.push_back("page 0"); }
    void ShowHeightToolTip(const std::string& message) override {
        m_calls.push_back("tooltip " + message);
    }
    void SetHeightText(const std::string& height) override {
        m_calls.push_back("height " + height);
    }
    void HideProgressWheel() override { m_calls.push_back("wheel hidden"); }

private:
    std::vector<std::string>& m_calls;
};

class SmartJobTest : public methodtest::MethodJobTest {
protected:
    void SetUp() override {
        MethodJobTest::SetUp();
        Variables::ResizeMethod = "Smart";
        Variables::inWidth = 100;
        Variables::inHeight = 75;
        // The job state fixture puts the sink from before back.
        Variables::SetRefusalSink(std::make_unique<RecordingSink>(sinkCalls));
    }

    // As the analysis leaves it: the input skin's browser rectangle.
    void AnalysedBrowser() {
        Browser::BrowserCount = 1;
        Browser::Browser_X = {10};
        Browser::Browser_Y = {20};
        Browser::Browser_Width = {80};
        Browser::Browser_Height = {50};
    }

    void Run(std::int32_t width, std::int32_t height) {
        Variables::outWidth = width;
        Variables::outHeight = height;
        Variables::Smart_Resize();
    }

    bool LogHas(const std::string& record) const {
        const std::vector<std::string> log = LogRecords();
        return std::find(log.begin(), log.end(), record) != log.end();
    }

    std::vector<std::string> sinkCalls;
};

TEST(SmartAspects, ComparedToTwoDecimalPlaces) {
    EXPECT_FALSE(smartrules::AspectsDiffer(1024, 768, 1280, 960));  // 133 and 133
    EXPECT_TRUE(smartrules::AspectsDiffer(1024, 768, 1280, 1024));  // 133 and 125
    EXPECT_FALSE(smartrules::AspectsDiffer(1280, 800, 1440, 900));  // 160 and 160
    EXPECT_FALSE(smartrules::AspectsDiffer(1000, 600, 1003, 601));  // 167 and 167
}

struct MinimumCase {
    const char* name;
    std::int32_t inHeight;
    std::int32_t outHeight;
    std::vector<std::int32_t> heights;
    std::int32_t count;
    bool met;
    std::int32_t proposed;
};

// clang-format off
const MinimumCase kMinimumCases[] = {
    // 1024 - 800 = 224 rows lost; 400 - 224 = 176 < 245: 1024 - 400 + 245 = 869.
    {"OneBrowserTooLow",        1024, 800,  {400},      1, false, 869},
    // The second keeps 500 - 224 = 276 rows: the job goes on with a warning.
    {"SomeBrowsersTooLow",      1024, 800,  {400, 500}, 2, true,  869},
    {"LargestProposalWins",     1024, 800,  {400, 300}, 2, false, 969},
    {"GrowingAlwaysMeets",      960,  1024, {10},       1, true,  0},
    {"ExactlyKeeps245",         1024, 800,  {469},      1, true,  0},
    {"NoBrowser",               960,  1024, {},         0, false, 0},
    // A browser without a height cannot be shown to keep 245 pixels when the skin gets lower.
    {"MissingHeightShrinking",  1024, 800,  {},         1, false, 0},
    {"MissingHeightGrowing",    960,  1024, {},         1, true,  0},
};
// clang-format on

class SmartMinimumTest : public ::testing::TestWithParam<MinimumCase> {};
TEST_P(SmartMinimumTest, ProposesTheSmallestHeightKeeping245) {
    const MinimumCase& c = GetParam();
    const smartrules::Minimum m =
        smartrules::ApplyBrowserMinimum(c.inHeight, c.outHeight, c.heights, c.count);
    EXPECT_EQ(m.met, c.met);
    EXPECT_EQ(m.proposedHeight, c.proposed);
}
INSTANTIATE_TEST_SUITE_P(Browsers, SmartMinimumTest, ::testing::ValuesIn(kMinimumCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SmartBrowsers, ReadFromTheRewrittenLines) {
    const std::vector<std::string> lines = {
        R"(<Browser>)",
        R"(<pos x="20.7" y="40"/>)",
        R"(<size width="160" height="100"/>)",
        R"(<browser>)",
        R"(<size height="30"/>)",  // no width: only the height is taken
        R"(</browser>)",
        R"(<BROWSER>)",  // among the last lines: the look-ahead stops at the last line
    };
    const smartrules::BrowserRects r = smartrules::ReadBrowserRects(lines);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.x, std::vector<std::int32_t>({20}));
    EXPECT_EQ(r.y, std::vector<std::int32_t>({40}));
    EXPECT_EQ(r.width, std::vector<std::int32_t>({160}));
    EXPECT_EQ(r.height, std::vector<std::int32_t>({100, 30}));
}

TEST_F(SmartJobTest, AgreeingAspectsAtTheSameSizeCopyTheBitmapByteForByte) {
    WriteSkin(SkinLines("s", true), methodpictures::Make(100, 95, BandPixel).get());
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    Run(100, 75);

    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_EQ(testsupport::ReadAll(OutputBitmapPath()),
              testsupport::ReadAll(dir / "in" / "skin.png"));
    EXPECT_FALSE(LogHas("Browser_Resize"));
    EXPECT_FALSE(LogHas("Resizing Picture"));
    const std::vector<std::string> out = OutputLines();
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[1], R"(<skin name="s" version="6" width="100" height="75">)");
    EXPECT_TRUE(sinkCalls.empty());
}

TEST_F(SmartJobTest, AgreeingAspectsScaleWithoutBrowserStage) {
    WriteSkin(SkinLines("s", true), methodpictures::Make(100, 95, BandPixel).get());
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    Run(200, 150);  // 133 and 133

    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_FALSE(LogHas("Browser_Resize"));
    EXPECT_TRUE(LogHas("Resizing Picture"));
    const std::vector<std::string> out = OutputLines();
    ASSERT_GE(out.size(), 5u);
    EXPECT_EQ(out[1], R"(<skin name="s" version="6" width="200" height="150">)");
    const platform::PicturePtr bitmap = OutputBitmap();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 200);
    EXPECT_EQ(bitmap->Height(), 190);  // 95 * 2
    // The analysed browser stays for the scaling; the job ends with the requested size.
    EXPECT_EQ(Browser::BrowserCount, 1);
    EXPECT_EQ(Variables::inWidth, 200);
    EXPECT_EQ(Variables::inHeight, 150);
    EXPECT_EQ(Variables::outHeight, 150);
}

TEST_F(SmartJobTest, DifferingAspectsScaleThenStretchTheBrowser) {
    WriteSkin(SkinLines("s", true), methodpictures::Make(100, 95, BandPixel).get());
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    // 133 against 111: the proportional height is 200 * 75 / 100 = 150, then the browser
    // takes the 30 rows that remain.
    Run(200, 180);

    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(LogHas("Browser_Resize"));
    const std::vector<std::string> out = OutputLines();
    const std::vector<std::string> expected = {
        R"(<?xml version="1.0"?>)",
        R"(<skin name="s" version="6" width="200" height="180">)",
        std::string(Variables::kCreditLine),
        R"(<Browser>)",
        R"( <pos x="20" y="40"/>)",
        R"( <size width="160" height="130"/>)",  // 50 * 2 + 30
        R"(</Browser>)",
        R"(<pos x="80" y="170"/>)",  // 70 * 2 lies on the browser's last row: + 30
        R"(</skin>)",
        "",
        "",
    };
    EXPECT_EQ(out, expected);

    const platform::PicturePtr bitmap = OutputBitmap();
    ASSERT_TRUE(bitmap);
    methodpictures::SaveRendered("smart_differing", *bitmap, 2);
    ASSERT_EQ(bitmap->Width(), 200);
    ASSERT_EQ(bitmap->Height(), 220);  // 95 * 2 + 30
    // Scaled: top rows 0-39, browser 40-139, below 140-149, sprite 150-189. The browser's row
    // 138 is repeated from row 137 to 168; the rows from 139 on move down by 30.
    EXPECT_EQ(At(*bitmap, 100, 10), kTop);
    EXPECT_EQ(At(*bitmap, 100, 90), kBrowser);
    EXPECT_EQ(At(*bitmap, 100, 160), kBrowser);
    EXPECT_EQ(At(*bitmap, 100, 175), kBelow);
    EXPECT_EQ(At(*bitmap, 100, 200), kSprite);
    // The browser state now holds the rectangle read from the rescaled lines.
    EXPECT_EQ(Browser::Browser_Height, std::vector<std::int32_t>({100}));
    EXPECT_EQ(Variables::inHeight, 150);
    EXPECT_EQ(Variables::outHeight, 180);
    EXPECT_FLOAT_EQ(Variables::X_prop, 1.0F);
    EXPECT_FLOAT_EQ(Variables::Y_prop, 1.2F);
}

TEST_F(SmartJobTest, TooLowBrowsersRefuseTheJobWithAProposedHeight) {
    WriteSkin(SkinLines("s", true), methodpictures::Make(100, 95, BandPixel).get());
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    // 133 against 167; proportional height 75, 15 rows lost: the browser keeps 35 < 245, so
    // 75 - 50 + 245 = 270 is proposed.
    Run(100, 60);

    EXPECT_FALSE(Variables::Job_Ok);
    const std::vector<std::string> expected = {
        "page 0",
        "tooltip Sorry, the browser resize cannot decrease the browser height under 245 pixels.",
        "height 270", "wheel hidden"};
    EXPECT_EQ(sinkCalls, expected);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.back(), "");  // the empty box comes first
    EXPECT_FALSE(OutputXMLExists());
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
}

TEST_F(SmartJobTest, SkinWithoutBrowserIsRefusedWithZero) {
    WriteSkin(SkinLines("s", false), methodpictures::Make(100, 95, BandPixel).get());
    ASSERT_TRUE(Variables::Open_XML());
    Run(200, 180);  // higher than the proportional 150, still refused

    EXPECT_FALSE(Variables::Job_Ok);
    ASSERT_EQ(sinkCalls.size(), 4u);
    EXPECT_EQ(sinkCalls[2], "height 0");
    EXPECT_FALSE(OutputXMLExists());
}

TEST_F(SmartJobTest, HeadlessRefusalGoesToStandardError) {
    Variables::SetRefusalSink(nullptr);
    WriteSkin(SkinLines("s", false), methodpictures::Make(100, 95, BandPixel).get());
    ASSERT_TRUE(Variables::Open_XML());
    ::testing::internal::CaptureStderr();
    Run(200, 180);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Sorry, the browser resize cannot decrease the browser height under 245 "
                       "pixels."),
              std::string::npos);
    EXPECT_NE(err.find("Proposed output height: 0"), std::string::npos);
    EXPECT_FALSE(Variables::Job_Ok);
}

TEST_F(SmartJobTest, SomeBrowsersUnder245WarnAndGoOn) {
    // Skin 400 x 300 with browsers 100 and 295 high, to 400 x 250 (133 against 160): 50 rows
    // lost; the first keeps 50 and asks for 300 - 100 + 245 = 445, the second keeps 245.
    const std::vector<std::string> lines = {
        R"(<?xml version="1.0"?>)",
        R"(<skin name="w" version="6" width="400" height="300">)",
        R"(<Browser>)",
        R"(<pos x="0" y="100"/>)",
        R"(<size width="400" height="100"/>)",
        R"(</Browser>)",
        R"(<Browser>)",
        R"(<pos x="0" y="0"/>)",
        R"(<size width="100" height="295"/>)",
        R"(</Browser>)",
        R"(</skin>)",
    };
    WriteSkin(lines, methodpictures::Make(400, 320, [](int, int y) {
                         return y < 300 ? kTop : kSprite;
                     }).get());
    Variables::inWidth = 400;
    Variables::inHeight = 300;
    ASSERT_TRUE(Variables::Open_XML());
    Run(400, 250);

    EXPECT_TRUE(sinkCalls.empty());
    EXPECT_NE(std::find(dialogs->shown.begin(), dialogs->shown.end(),
                        "This Skin contains multiple Browsers. After resizing, some Browsers "
                        "might be too small to correctly display the Sampler and Effects pages."),
              dialogs->shown.end());
    EXPECT_TRUE(LogHas("Browser_Resize"));
    EXPECT_TRUE(Variables::Job_Ok);
    const platform::PicturePtr bitmap = OutputBitmap();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Height(), 270);  // 320 - 50
}

TEST_F(SmartJobTest, UnreadableInputStopsTheJob) {
    WriteSkin(SkinLines("s", true), methodpictures::Make(100, 95, BandPixel).get());
    ASSERT_TRUE(Variables::Open_XML());
    std::filesystem::remove(dir / "in" / "skin.xml");
    Run(200, 150);

    EXPECT_FALSE(Variables::Job_Ok);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(), "Input File does not exist, or isn't readable.");
    EXPECT_FALSE(OutputXMLExists());
}

TEST_F(SmartJobTest, MissingBitmapIsReportedAndTheXmlStillWritten) {
    WriteSkin(SkinLines("s", true), nullptr);
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    Run(200, 150);

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_NE(std::find(dialogs->shown.begin(), dialogs->shown.end(),
                        "Unable to open the graphics file.\nThe graphics won't be resized."),
              dialogs->shown.end());
    EXPECT_TRUE(OutputXMLExists());
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
}

TEST_F(SmartJobTest, ZeroSizeIsRefused) {
    WriteSkin(SkinLines("s", true), methodpictures::Make(100, 95, BandPixel).get());
    Variables::inHeight = 0;
    Run(200, 150);
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(OutputXMLExists());
    ASSERT_EQ(dialogs->shown.size(), 1u);
}

// Column k of the wide-resize fixture is red 2k; its rows are bands as above.
Color ColumnBandPixel(int x, int y) {
    return RGB(2 * x, y < 75 ? 0 : 100, 0);
}

TEST_F(SmartJobTest, RekordBoxGrowingBothWaysTakesTheWideResize) {
    WriteSkin(SkinLines("rekordbox", true), methodpictures::Make(100, 95, ColumnBandPixel).get());
    Variables::SkinName = "rekordbox";
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    Run(160, 100);

    EXPECT_TRUE(Variables::Job_Ok);
    const std::vector<std::string> out = OutputLines();
    ASSERT_GE(out.size(), 8u);
    EXPECT_EQ(out[1], R"(<skin name="rekordbox" version="6" width="160" height="100">)");
    EXPECT_EQ(out[5], R"( <size width="128" height="75"/>)");  // 80 * 1.6; 50 + 25
    EXPECT_EQ(out[7], R"(<pos x="64" y="95"/>)");              // 40 * 1.6; 70 + 25

    const platform::PicturePtr bitmap = OutputBitmap();
    ASSERT_TRUE(bitmap);
    methodpictures::SaveRendered("smart_wide_resize", *bitmap, 4);
    ASSERT_EQ(bitmap->Width(), 160);
    ASSERT_EQ(bitmap->Height(), 120);  // 95 + 25 rows for the browser
    // S = 100: m = 48, r = 52, c = 80, last = 112. Canvas 0-47 are columns 0-47, 48-79 repeat
    // 48, 80-81 are 49-50, 82-111 repeat 52, 112-159 are 52-99.
    const std::pair<int, int> columns[] = {{0, 0},    {47, 47},  {48, 48}, {79, 48},
                                           {80, 49},  {81, 50},  {82, 52}, {111, 52},
                                           {112, 52}, {113, 53}, {159, 99}};
    for (const auto& [canvas, source] : columns) {
        EXPECT_EQ(At(*bitmap, canvas, 0), ColumnBandPixel(source, 0)) << "column " << canvas;
        EXPECT_EQ(At(*bitmap, canvas, 110), ColumnBandPixel(source, 90)) << "sprite " << canvas;
    }
    EXPECT_EQ(Variables::inWidth, 100);
    EXPECT_EQ(Variables::outWidth, 160);
    EXPECT_EQ(Variables::inHeight, 100);
}

TEST_F(SmartJobTest, RekordBoxWideResizeRefusesACanvasAboveTheCapsBeforeMakingIt) {
    WriteSkin(SkinLines("rekordbox", true), methodpictures::Make(100, 95, ColumnBandPixel).get());
    Variables::SkinName = "rekordbox";
    AnalysedBrowser();
    ASSERT_TRUE(Variables::Open_XML());
    // The browser stage makes 100 x 120 (12,000 pixels); the widened canvas is 160 x 120
    // (19,200 pixels), one more than the cap.
    ::setenv("MALVOREN_MAX_PIXELS", "19199", 1);
    Run(160, 100);
    ::unsetenv("MALVOREN_MAX_PIXELS");

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{
                  "The resized graphics would be too large, so they are not made.\n"
                  "A picture of 160 x 120 pixels is too large: at most 19199 pixels are "
                  "handled.\nChoose a smaller output size."});
    EXPECT_TRUE(LogHas("Picture too large"));
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
}

TEST_F(SmartJobTest, RekordBoxWithoutBrowserRefusedWithZero) {
    WriteSkin(SkinLines("RekordBox", false), methodpictures::Make(100, 95, ColumnBandPixel).get());
    Variables::SkinName = "RekordBox";
    ASSERT_TRUE(Variables::Open_XML());
    Run(160, 100);

    EXPECT_FALSE(Variables::Job_Ok);
    ASSERT_EQ(sinkCalls.size(), 4u);
    EXPECT_EQ(sinkCalls[2], "height 0");
    EXPECT_FALSE(OutputXMLExists());
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
}

// A value whose expression has no value fails the rescaling on its line. The lines are then
// half rewritten: neither they nor a bitmap may be written.
struct FailedRescalingCase {
    const char* name;
    const char* skinName;
    std::int32_t width;
    std::int32_t height;
    const char* outputSkinLine;  // the output's skin line, or nullptr: the earlier output stays
};

const FailedRescalingCase kFailedRescalingCases[] = {
    // clang-format off
    {"AgreeingAspects",  "s",         200, 150, nullptr},
    {"DifferingAspects", "s",         200, 180, nullptr},
    // The browser step has written its whole output before the width step fails on the line:
    // its skin, 25 rows higher at the input width, stays as it was written.
    {"WideResize",       "RekordBox", 160, 100,
        R"(<skin name="RekordBox" version="6" width="100" height="100">)"},
    // clang-format on
};

class SmartFailedRescalingTest : public SmartJobTest,
                                 public ::testing::WithParamInterface<FailedRescalingCase> {};

TEST_P(SmartFailedRescalingTest, WritesNeitherTheLinesNorABitmap) {
    const FailedRescalingCase& c = GetParam();
    std::vector<std::string> lines = SkinLines(c.skinName, true);
    lines[6] = R"(<pos x="40/0" y="70"/>)";
    WriteSkin(lines, methodpictures::Make(100, 95, BandPixel).get());
    Variables::SkinName = c.skinName;
    AnalysedBrowser();
    dir.Write("out/result.xml", "earlier output");
    ASSERT_TRUE(Variables::Open_XML());
    Run(c.width, c.height);

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{"An error occured on line 7."});
    if (c.outputSkinLine) {
        const std::vector<std::string> out = OutputLines();
        ASSERT_GE(out.size(), 8u);
        EXPECT_EQ(out[1], c.outputSkinLine);
        EXPECT_EQ(out[7], R"(<pos x="40/0" y="95"/>)");  // 70 + 25; x left for the width step
    } else {
        EXPECT_EQ(testsupport::ReadAll(dir / "out" / "result.xml"), "earlier output");
    }
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"),
                            std::filesystem::directory_iterator()),
              1);  // no file left half written
}

INSTANTIATE_TEST_SUITE_P(Smart, SmartFailedRescalingTest,
                         ::testing::ValuesIn(kFailedRescalingCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
