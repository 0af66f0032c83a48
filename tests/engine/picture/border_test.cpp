// The "Border" method as the job thread and batch mode run it: open the bitmap, XML_Depl,
// write the bitmap.
#include "engine/picture/border.h"

#include "engine/picture/bitmap_files.h"
#include "engine/picture/method_job.h"
#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using methodpictures::At;
using methodpictures::SkinPixel;
using platform::Color;
using platform::RGB;

const std::vector<std::string> kSkin = {
    R"(<?xml version="1.0"?>)", R"(<skin name="t" version="6" width="8" height="6">)",
    R"(<pos x="1" y="2"/>)",    R"(<size width="3" height="2"/>)",
    R"(<pos x="2" y="7"/>)",    R"(</skin>)",
};

class BorderJobTest : public methodtest::MethodJobTest {
protected:
    void SetUp() override {
        MethodJobTest::SetUp();
        // 8 x 6 to 12 x 10: sx = sy = 2, sprite shift 4.
        Variables::inWidth = 8;
        Variables::inHeight = 6;
        Variables::outWidth = 12;
        Variables::outHeight = 10;
        Variables::P_Border_Color = kBorder;
    }

    void RunJob(bool openBitmap = true) {
        ASSERT_TRUE(Variables::Open_XML());
        if (openBitmap)
            Variables::Open_Picture("");
        Variables::XML_Depl();
        Variables::Save_Picture();
    }

    const Color kBorder = RGB(0, 128, 0);
};

TEST_F(BorderJobTest, ShiftsTheXmlAndCentresTheBitmap) {
    WriteSkin(kSkin, methodpictures::Make(8, 10, SkinPixel).get());
    RunJob();

    EXPECT_TRUE(Variables::Job_Ok);
    const std::vector<std::string> expected = {
        R"(<?xml version="1.0"?>)",
        R"(<skin name="t" version="6" width="12" height="10">)",
        std::string(Variables::kCreditLine),
        R"(<pos x="3" y="4"/>)",
        R"(<size width="3" height="2"/>)",
        R"(<pos x="4" y="11"/>)",  // a sprite row: 7 + 2 * 2
        R"(</skin>)",
        "",
        "",
    };
    EXPECT_EQ(OutputLines(), expected);

    const platform::PicturePtr out = OutputBitmap();
    ASSERT_TRUE(out);
    ASSERT_EQ(out->Width(), 12);
    ASSERT_EQ(out->Height(), 14);  // 10 + 2 * 2
    methodpictures::SaveRendered("border_job", *out);
    EXPECT_EQ(At(*out, 0, 0), kBorder);
    EXPECT_EQ(At(*out, 2, 2), RGB(0, 0, 100));     // skin (0, 0) at (sx, sy)
    EXPECT_EQ(At(*out, 9, 7), RGB(70, 50, 100));   // skin (7, 5)
    EXPECT_EQ(At(*out, 5, 9), kBorder);            // between skin and sprite area
    EXPECT_EQ(At(*out, 3, 11), RGB(200, 10, 70));  // source (1, 7) at row 7 + 4
    EXPECT_EQ(At(*out, 11, 12), kBorder);
    // The preview keeps the output-size part.
    ASSERT_TRUE(Variables::New_picture);
    EXPECT_EQ(Variables::New_picture->Height(), 10);

    const std::vector<std::string> log = LogRecords();
    const std::vector<std::string> expectedLog = {
        "Picture file is skin.png", "Picture opened succesfully", "XML_Depl",
        "Total lines = 7",          "Finished with XML",          "--",
    };
    EXPECT_EQ(log, expectedLog);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(BorderJobTest, RestylesTheBrowserMovedWithTheSkin) {
    WriteSkin(kSkin, methodpictures::Make(8, 10, SkinPixel).get());
    Browser::BrowserCount = 1;
    Browser::Browser_X = {1};
    Browser::Browser_Y = {1};
    Browser::Browser_Width = {3};
    Browser::Browser_Height = {2};
    Browser::Browser_Change = true;
    Browser::Browser_Color_change = true;
    Browser::B_Force_Color = true;
    Browser::Browser_Color = RGB(1, 2, 3);
    RunJob();

    EXPECT_TRUE(Variables::Job_Ok);
    const platform::PicturePtr out = OutputBitmap();
    ASSERT_TRUE(out);
    methodpictures::SaveRendered("border_job_browser", *out);
    // The browser (1, 1, 3 x 2) of the input lies at (1 + 2, 1 + 2): columns 3-5, rows 3-4.
    EXPECT_EQ(At(*out, 3, 3), RGB(1, 2, 3));
    EXPECT_EQ(At(*out, 5, 4), RGB(1, 2, 3));
    EXPECT_EQ(At(*out, 2, 3), RGB(0, 10, 100));   // skin (0, 1)
    EXPECT_EQ(At(*out, 6, 3), RGB(40, 10, 100));  // skin (4, 1)
    EXPECT_EQ(At(*out, 3, 5), RGB(10, 30, 100));  // skin (1, 3)
}

TEST_F(BorderJobTest, WithoutBitmapTheXmlIsWrittenAndTheBitmapHalfReported) {
    WriteSkin(kSkin, nullptr);
    RunJob(false);

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_TRUE(OutputXMLExists());
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
    const std::vector<std::string> log = LogRecords();
    ASSERT_GE(log.size(), 7u);
    const std::vector<std::string> tail(log.begin(), log.begin() + 7);
    const std::vector<std::string> expected = {
        "XML_Depl", "Total lines = 7", "Finished with XML",
        "--",       "**Exception",     "Unable to open or save the file",
        "--"};
    EXPECT_EQ(tail, expected);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(),
              "File does not exist. Or you don't have enough free memory available.");
}

TEST_F(BorderJobTest, FailingLineStopsBeforeTheXmlIsWritten) {
    std::vector<std::string> lines = kSkin;
    lines[2] = R"(<pos x="2*x" y="2"/>)";
    WriteSkin(lines, methodpictures::Make(8, 10, SkinPixel).get());
    RunJob();

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(OutputXMLExists());
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
    const std::vector<std::string> log = LogRecords();
    const std::vector<std::string> expected = {"Picture file is skin.png",
                                               "Picture opened succesfully",
                                               "XML_Depl",
                                               "Total lines = 7",
                                               "**Exception",
                                               "Line 3",
                                               R"(<pos x="2*x" y="2"/>)",
                                               "--"};
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 8), expected);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(), "An error occured on line 3.");
}

// An output that cannot be written is no fault of a line: the message names the file and why.
TEST_F(BorderJobTest, UnwritableOutputNamesTheFileAndTheReason) {
    WriteSkin(kSkin, methodpictures::Make(8, 10, SkinPixel).get());
    const std::string out = (dir / "missing" / "result.xml").string();
    Variables::OutputXMLPath = out;
    RunJob();

    EXPECT_FALSE(Variables::Job_Ok);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(), "Unable to write " + out + ": No such file or directory.");
}

TEST_F(BorderJobTest, FailedRestyleSavesNoBitmap) {
    WriteSkin(kSkin, methodpictures::Make(8, 10, SkinPixel).get());
    Browser::BrowserCount = 2;
    Browser::Browser_X = {1, 1};
    Browser::Browser_Y = {1, 1};
    Browser::Browser_Width = {3, 0};  // the second browser has no pixels
    Browser::Browser_Height = {2, 2};
    Browser::Browser_Change = true;
    Browser::Browser_Color_change = true;
    RunJob();

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_TRUE(OutputXMLExists());
    // A bitmap whose composition failed is not written.
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front(), "An error occured on line 2.");  // browser index 1
}

TEST_F(BorderJobTest, CanvasAboveTheCapsIsRefusedBeforeItIsMade) {
    WriteSkin(kSkin, methodpictures::Make(8, 10, SkinPixel).get());
    ::setenv("MALVOREN_MAX_PIXELS", "167", 1);  // the canvas is 12 x 14 = 168 pixels
    RunJob();
    ::unsetenv("MALVOREN_MAX_PIXELS");

    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{
                  "The resized graphics would be too large, so they are not made.\n"
                  "A picture of 12 x 14 pixels is too large: at most 167 pixels are handled.\n"
                  "Choose a smaller output size."});
    EXPECT_FALSE(std::filesystem::exists(OutputBitmapPath()));
    EXPECT_TRUE(Variables::ComposeFailed);
}

}  // namespace
