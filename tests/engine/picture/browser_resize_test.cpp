// The "Browser" method as the job thread and batch mode run it: open the bitmap,
// Browser_Resize, write the bitmap.
#include "engine/picture/browser_resize.h"

#include "engine/picture/bitmap_files.h"
#include "engine/picture/method_job.h"
#include "engine/picture/method_report.h"
#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using methodpictures::At;
using methodpictures::RowPixel;
using platform::Color;
using platform::RGB;

// Skin 6 x 10 in an 8 x 13 bitmap (sprite rows 10-12); the browser at y 3 with height 4, so
// its bottom is 7 and its last row 6.
const std::vector<std::string> kSkin = {
    R"(<?xml version="1.0"?>)",
    R"(<skin name="b" version="6" width="6" height="10">)",
    R"(<browser>)",
    R"( <pos x="0" y="3"/>)",
    R"( <size width="6" height="4"/>)",
    R"(</browser>)",
    R"(<pos x="1" y="8"/>)",
    R"(<pos x="1" y="2"/>)",
    R"(<pos x="1" y="11"/>)",
    R"(</skin>)",
};

class BrowserJobTest : public methodtest::MethodJobTest {
protected:
    void SetUp() override {
        MethodJobTest::SetUp();
        Variables::inWidth = 6;
        Variables::inHeight = 10;
        Variables::outWidth = 6;
        Variables::outHeight = 13;
        Browser::BrowserCount = 1;
        Browser::Browser_X = {0};
        Browser::Browser_Y = {3};
        Browser::Browser_Width = {6};
        Browser::Browser_Height = {4};
        source = methodpictures::Make(8, 13, RowPixel);
    }

    void RunJob(bool openBitmap = true) {
        ASSERT_TRUE(Variables::Open_XML());
        if (openBitmap)
            Variables::Open_Picture("");
        Browser::Browser_Resize();
        Variables::Save_Picture();
    }

    platform::PicturePtr source;
};

TEST_F(BrowserJobTest, GrowingGivesTheRowsToTheBrowser) {
    WriteSkin(kSkin, source.get());
    RunJob();

    EXPECT_TRUE(Variables::Job_Ok);
    const std::vector<std::string> expected = {
        R"(<?xml version="1.0"?>)",
        R"(<skin name="b" version="6" width="6" height="13">)",
        std::string(Variables::kCreditLine),
        R"(<browser>)",
        R"( <pos x="0" y="3"/>)",
        R"( <size width="6" height="7"/>)",
        R"(</browser>)",
        R"(<pos x="1" y="11"/>)",  // at or below the browser's last row: 8 + 3
        R"(<pos x="1" y="2"/>)",
        R"(<pos x="1" y="14"/>)",  // the sprite area moves too
        R"(</skin>)",
        "",
        "",
    };
    EXPECT_EQ(OutputLines(), expected);

    const platform::PicturePtr out = OutputBitmap();
    ASSERT_TRUE(out);
    ASSERT_EQ(out->Width(), 8);
    ASSERT_EQ(out->Height(), 16);
    methodpictures::SaveRendered("browser_job_grow", *out);
    // Input row 5 (b - 2) fills rows 4 to 8; rows 9-12 are input rows 6-9.
    const int rows[] = {0, 1, 2, 3, 5, 5, 5, 5, 5, 6, 7, 8, 9};
    for (int y = 0; y < 13; ++y)
        EXPECT_TRUE(methodpictures::SameRow(*out, y, *source, rows[y], 6)) << "row " << y;
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(methodpictures::SameRow(*out, 13 + k, *source, 10 + k, 8)) << "sprite " << k;

    const std::vector<std::string> expectedLog = {
        "Picture file is skin.png", "Picture opened succesfully", "Browser_Resize",
        "Total lines = 11",         "Finished with XML",          "--"};
    EXPECT_EQ(LogRecords(), expectedLog);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(BrowserJobTest, ShrinkingDropsRowsAboveTheBrowserBottom) {
    WriteSkin(kSkin, source.get());
    Variables::outHeight = 8;
    RunJob();

    EXPECT_TRUE(Variables::Job_Ok);
    const std::vector<std::string> lines = OutputLines();
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[1], R"(<skin name="b" version="6" width="6" height="8">)");
    EXPECT_EQ(lines[5], R"( <size width="6" height="2"/>)");
    EXPECT_EQ(lines[7], R"(<pos x="1" y="6"/>)");
    EXPECT_EQ(lines[9], R"(<pos x="1" y="9"/>)");
    const platform::PicturePtr out = OutputBitmap();
    ASSERT_TRUE(out);
    ASSERT_EQ(out->Height(), 11);
    const int rows[] = {0, 1, 2, 3, 6, 7, 8, 9};
    for (int y = 0; y < 8; ++y)
        EXPECT_TRUE(methodpictures::SameRow(*out, y, *source, rows[y], 6)) << "row " << y;
}

TEST_F(BrowserJobTest, RestyleCoversTheGrownBrowser) {
    WriteSkin(kSkin, source.get());
    Browser::Browser_Change = true;
    Browser::Browser_Color_change = true;
    Browser::B_Force_Color = true;
    Browser::Browser_Color = RGB(1, 2, 3);
    RunJob();

    const platform::PicturePtr out = OutputBitmap();
    ASSERT_TRUE(out);
    methodpictures::SaveRendered("browser_job_restyle", *out);
    // (0, 3) with width 6 and height 4 + 3: rows 3 to 9.
    EXPECT_EQ(At(*out, 0, 3), RGB(1, 2, 3));
    EXPECT_EQ(At(*out, 5, 9), RGB(1, 2, 3));
    EXPECT_EQ(At(*out, 0, 2), RowPixel(0, 2));
    EXPECT_EQ(At(*out, 0, 10), RowPixel(0, 7));
}

TEST_F(BrowserJobTest, SkinWithoutBrowserFailsOnItsFirstValueAboveTheSkinHeight) {
    WriteSkin(kSkin, source.get());
    Browser::Init();
    RunJob();

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(OutputXMLExists());
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(), "An error occured on line 4.");  // y 3 needs the browser
    const std::vector<std::string> log = LogRecords();
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log[4], "**Exception");
    EXPECT_EQ(log[5], "Line 4");
    EXPECT_EQ(log[6], R"( <pos x="0" y="3"/>)");
}

TEST_F(BrowserJobTest, WithoutBitmapTheXmlIsWrittenAndTheMissingObjectReported) {
    WriteSkin(kSkin, nullptr);
    RunJob(false);

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_TRUE(OutputXMLExists());
    const std::vector<std::string> log = LogRecords();
    ASSERT_GE(log.size(), 7u);
    EXPECT_EQ(
        std::vector<std::string>(log.begin() + 3, log.begin() + 7),
        (std::vector<std::string>{"--", "**Exception", "Unable to open or save the file", "--"}));
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(),
              "An error occured Or you don't have enough free memory available.");
}

TEST_F(BrowserJobTest, CanvasAboveTheCapsIsRefusedAsTooLargeOnly) {
    WriteSkin(kSkin, source.get());
    ASSERT_TRUE(Variables::Open_XML());
    Variables::Open_Picture("");
    ::setenv("MALVOREN_MAX_PIXELS", "100", 1);  // the 8 x 16 canvas is 128 pixels
    Browser::Browser_Resize();
    ::unsetenv("MALVOREN_MAX_PIXELS");
    Variables::Save_Picture();

    EXPECT_FALSE(Variables::Job_Ok);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{
                  "The resized graphics would be too large, so they are not made.\n"
                  "A picture of 8 x 16 pixels is too large: at most 100 pixels are handled.\n"
                  "Choose a smaller output size."});
    const std::vector<std::string> log = LogRecords();
    ASSERT_GE(log.size(), 10u);
    EXPECT_EQ(log[4], "Finished with XML");
    EXPECT_EQ(log[6], "**Exception");
    EXPECT_EQ(log[7], "Picture too large");
    EXPECT_EQ(log[8], "A picture of 8 x 16 pixels is too large: at most 100 pixels are handled.");
    EXPECT_EQ(log[9], "--");
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
}

}  // namespace
