#include "engine/picture/simple_bitmap.h"

#include "engine/picture/bitmap_files.h"
#include "engine/picture/pictures.h"
#include "engine/xml/engine_fixture.h"
#include "engine/xml/options.h"
#include "engine/xml/rescale.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"
#include "platform/text.h"
#include "support/inspection.h"
#include "support/png_bytes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;
using platform::Color;
using platform::Picture;
using platform::PicturePtr;
using platform::RGB;
using testsupport::ReadAll;

namespace {

constexpr Color kFace = RGB(10, 20, 30);

/// The icon grid's pixel (x, y): a pattern that no scaling would leave in place.
Color IconPixel(int x, int y) {
    return RGB((x * 7) % 256, (y * 11) % 256, ((x + y) % 2) * 255);
}
Color ButtonPixel(int x, int y) {
    return RGB((x * 3) % 256, 200, (y * 5) % 256);
}

/// A 640 × 400 skin whose 640 × 720 bitmap is a flat face, an icon grid at (0, 410) and a
/// button grid at (0, 545) in the sprite area.
class SimpleBitmapTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        source = Picture::New(640, 720);
        platform::Graphics& g = source->Graphics();
        g.ForeColor = kFace;
        g.FillRect(0, 0, 640, 720);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                source->RGBSurface().SetPixel(x, 410 + y, IconPixel(x, y));
        for (int y = 0; y < 168; ++y)
            for (int x = 0; x < 612; ++x)
                source->RGBSurface().SetPixel(x, 545 + y, ButtonPixel(x, y));
        Variables::BMP_picture = source;
        Variables::inWidth = 640;
        Variables::inHeight = 400;
        Variables::SkinVersion = 8;
        Variables::customicons = {0, 410};
        Variables::custombuttons = {0, 545};
        // The skin the icon strip placement writes again in a shrinking job.
        Variables::Str_Line = {"<?xml version=\"1.0\"?>", "<skin width=\"480\" height=\"300\">",
                               "</skin>"};
        fs::create_directories(dir / "out");
        Variables::OutputXMLPath = (dir / "out" / "skin.xml").string();
    }

    void Output(int w, int h) {
        Variables::outWidth = w;
        Variables::outHeight = h;
        Variables::X_prop = static_cast<float>(static_cast<double>(w) / 640);
        Variables::Y_prop = static_cast<float>(static_cast<double>(h) / 400);
    }

    Color At(int x, int y) { return Variables::New_picture->RGBSurface().Pixel(x, y); }

    PicturePtr source;
};

}  // namespace

TEST_F(SimpleBitmapTest, GrowingJobScalesAndCopiesTheGridsUnscaledInPlace) {
    Output(800, 500);  // X = Y = 1.25
    Variables::Scale_Picture();
    ASSERT_TRUE(Variables::Job_Ok);
    // Ws = 640 × 1.25 = 800, Hs = 720 × 1.25 = 900, no strip.
    ASSERT_EQ(Variables::BMP_picture, Variables::New_picture);
    EXPECT_EQ(Variables::New_picture->Width(), 800);
    EXPECT_EQ(Variables::New_picture->Height(), 900);
    EXPECT_EQ(At(400, 200), kFace);
    // Icons at (0, Round(410 × 1.25 = 512.5) = 513), unscaled; the scaled grid's area of
    // Trunc(1.25 × 128) = 160 pixels a side is black around them.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{5, 9}, std::pair{127, 127}})
        EXPECT_EQ(At(x, 513 + y), IconPixel(x, y)) << x << "," << y;
    EXPECT_EQ(At(140, 513 + 140), RGB(0, 0, 0));
    // Buttons at (0, Round(545 × 1.25 = 681.25) = 681).
    EXPECT_EQ(At(600, 681 + 100), ButtonPixel(600, 100));
    EXPECT_EQ(ReadAll(AppLog()), "\nResizing Picture\nPicture Saved\n--");
    EXPECT_EQ(source->RGBSurface().Pixel(5, 415), IconPixel(5, 5));  // the input is untouched
}

TEST_F(SimpleBitmapTest, ShrinkingJobMovesTheGridsIntoTheIconStrip) {
    Output(480, 300);  // X = Y = 0.75
    Variables::Scale_Picture();
    ASSERT_TRUE(Variables::Job_Ok);
    // Ws = 480, Hs = 540, plus the 298-row strip: 480 × 838.
    EXPECT_EQ(Variables::New_picture->Width(), 480);
    EXPECT_EQ(Variables::New_picture->Height(), 838);
    // Icons at y 838 − 297 = 541, buttons at 838 − 168 = 670 (cut at the canvas's width).
    EXPECT_EQ(At(5, 541 + 5), IconPixel(5, 5));
    EXPECT_EQ(At(127, 541 + 127), IconPixel(127, 127));
    EXPECT_EQ(At(479, 670 + 50), ButtonPixel(479, 50));
    // The scaled grid's place, Round(410 × 0.75 = 307.5) = 308, 96 pixels a side, is black.
    EXPECT_EQ(At(50, 308 + 50), RGB(0, 0, 0));
    // The icon strip placement wrote the skin again.
    EXPECT_TRUE(fs::exists(dir / "out" / "skin.xml"));
    testsupport::SaveForInspection(*Variables::New_picture, "simple_shrinking_job");
}

TEST_F(SimpleBitmapTest, FaderFramesGetExactlyTheRescaledWidth) {
    // Four frames of 50 × 10 at (10, 20), each one flat colour.
    for (int k = 0; k < 4; ++k) {
        source->Graphics().ForeColor = RGB(60 * k, 255 - 60 * k, 100);
        source->Graphics().FillRect(10 + 50 * k, 20, 50, 10);
    }
    Variables::Fader = {"10 20 50 10 4"};
    Output(500, 400);  // X = 0.78125, Y = 1
    Variables::Scale_Picture();
    ASSERT_TRUE(Variables::Job_Ok);
    // fw = Round(50 × 0.78125 = 39.0625) = 39: frame k spans x 8 + 39k to 8 + 39k + 38, where
    // 8 = Round(10 × 0.78125 = 7.8125).
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(At(8 + 39 * k + 19, 25), RGB(60 * k, 255 - 60 * k, 100)) << "frame " << k;
}

TEST_F(SimpleBitmapTest, DaySkinInvertsAllButTheMasks) {
    Variables::OutdoorPicture = true;
    Variables::Mask = {"100 100 40 20 grey"};
    Output(640, 400);  // same size
    Variables::Scale_Picture();
    ASSERT_TRUE(Variables::Job_Ok);
    EXPECT_EQ(At(50, 50), RGB(245, 235, 225));  // 255 − (10, 20, 30)
    EXPECT_EQ(At(120, 110), kFace);
    EXPECT_EQ(At(99, 110), RGB(245, 235, 225));
}

TEST_F(SimpleBitmapTest, TheDaySkinStageByNameInvertsTheComposedPicture) {
    Variables::New_picture = Picture::New(4, 4);
    Variables::New_picture->RGBSurface().SetPixel(1, 1, kFace);
    Variables::Outdoor("picture");
    EXPECT_EQ(Variables::New_picture->RGBSurface().Pixel(1, 1), RGB(245, 235, 225));  // 255 − face
    EXPECT_EQ(Variables::New_picture->RGBSurface().Pixel(0, 0), RGB(0, 0, 0));  // 255 − white
}

TEST_F(SimpleBitmapTest, BoxFilterKeepsAFlatFaceFlat) {
    Variables::P_Old_Renderer = false;
    Output(800, 500);
    Variables::Scale_Picture();
    ASSERT_TRUE(Variables::Job_Ok);
    for (const int x : {1, 100, 400, 798})
        EXPECT_EQ(At(x, 200), kFace) << x;
}

TEST_F(SimpleBitmapTest, AFailingMaskIsReportedAndTheRestIsStillHandedOver) {
    Variables::Mask = {"0 0 99999999999 5", "200 200 10 10"};  // sorted: the huge one first
    Variables::OutdoorPicture = true;
    Output(640, 400);
    Variables::Scale_Picture();
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_FALSE(Variables::ComposeFailed);
    EXPECT_EQ(Variables::BMP_picture, Variables::New_picture);
    EXPECT_EQ(At(205, 205), RGB(245, 235, 225));  // the second mask was not drawn
    EXPECT_EQ(ReadAll(AppLog()),
              "\nResizing Picture\n**Exception\nTaking care of Masks\nMask: 0 0 "
              "99999999999 5\nPicture Saved\n--");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].rfind("An error occured when Taking care of Masks, please retry "
                                      "the process.\n\nSkin Picture will still be saved",
                                      0),
              0u);
}

TEST_F(SimpleBitmapTest, AFailedCompositionIsNeverSaved) {
    Variables::BMP_picture.reset();
    Output(800, 500);
    Variables::Scale_Picture();
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_TRUE(Variables::ComposeFailed);
    EXPECT_EQ(ReadAll(AppLog()), "\nResizing Picture\n**Exception\n\n--");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0], "An error occured when , please retry the process.\n");

    Variables::FileName = (dir / "out" / "skin.").string();
    Variables::XMLSavedThisJob = true;
    Variables::PictureType = "png";
    Variables::BMP_picture = source;  // still the input, as the step leaves it
    EXPECT_FALSE(Variables::Save_Picture());
    EXPECT_FALSE(fs::exists(dir / "out" / "skin.png"));
}

TEST_F(SimpleBitmapTest, ACanvasAboveTheCapsIsRefusedAsTooLarge) {
    ::setenv("MALVOREN_MAX_PIXELS", "100000", 1);
    // 640 / 640 * 800 = 800 columns, 720 / 400 * 500 = 900 rows: 720,000 pixels.
    Output(800, 500);
    Variables::Scale_Picture();
    ::unsetenv("MALVOREN_MAX_PIXELS");
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_TRUE(Variables::ComposeFailed);
    EXPECT_EQ(Variables::BMP_picture, source);
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{
                  "The resized graphics would be too large, so they are not made.\n"
                  "A picture of 800 x 900 pixels is too large: at most 100000 pixels are "
                  "handled.\nChoose a smaller output size."});
}

TEST_F(SimpleBitmapTest, PictureStageInvertsTwiceBack) {
    Variables::New_picture = Picture::New(2, 1);
    Variables::New_picture->RGBSurface().SetPixel(0, 0, RGB(1, 2, 3));
    Variables::Outdoor_Picture();
    EXPECT_EQ(At(0, 0), RGB(254, 253, 252));
    Variables::Outdoor_Picture();
    EXPECT_EQ(At(0, 0), RGB(1, 2, 3));
    Variables::New_picture.reset();
    EXPECT_THROW(Variables::Outdoor_Picture(), platform::NilObjectException);
}

// A pre-resized picture replaces the scaled bitmap. Message 50 names the size it should have
// (640 / 640 * 800 = 800 columns, 720 / 400 * 500 = 900 rows); a picture that cannot be had is
// reported and leaves no bitmap to write.
struct PreResizedCase {
    const char* name;
    std::function<void(const fs::path&)> make;
    std::vector<std::string> shown;  // after message 50; "{file}" for the picture's path
    bool composed;
};

const PreResizedCase kPreResizedCases[] = {
    // clang-format off
    {"Missing", [](const fs::path&) {},
        {"An error occured when Getting Skin Graphics File, please retry the process.\n",
         "Problem opening the resized picture."}, false},
    {"HoldsNoPicture", [](const fs::path& p) { platform::WriteFileReplacing(p, "no PNG here"); },
        {"An error occured when Drawing resized skin, please retry the process.\n"}, false},
    {"AboveTheCaps", [](const fs::path& p) { platform::WriteFileReplacing(p, testsupport::PngClaiming(30000, 30000)); },
        {"An error occured when Opening Skin Picture File, please retry the process.\n{file}: A "
         "picture of 30000 x 30000 pixels is too large: at most 16384 pixels a side are handled.",
         "Problem opening the resized picture."}, false},
    {"OtherSizeIsDrawnAsItIs",
        [](const fs::path& p) { platform::SavePicture(*Picture::New(50, 40), p, platform::PictureFormat::PNG); },
        {}, true},
    // clang-format on
};

class PreResizedTest : public SimpleBitmapTest,
                       public ::testing::WithParamInterface<PreResizedCase> {};

TEST_P(PreResizedTest, IsDrawnOrReportedAndNeverWrittenHalfMade) {
    const PreResizedCase& c = GetParam();
    const fs::path file = dir / "pre.png";
    c.make(file);
    Variables::InputXMLPath = (dir / "skin.xml").string();
    Variables::UseExternPicture = true;
    Variables::ExternPictureFile = file.string();
    Output(800, 500);
    Variables::Scale_Picture();

    std::vector<std::string> shown = {Language::Messages[50] + "\n800 x 900"};
    for (const std::string& text : c.shown)
        shown.push_back(platform::ReplaceAll(text, "{file}", file.string()));
    EXPECT_EQ(dialogs->shown, shown);
    EXPECT_EQ(Variables::Job_Ok, c.composed);
    EXPECT_EQ(Variables::ComposeFailed, !c.composed);

    Variables::FileName = (dir / "out" / "skin.").string();
    Variables::XMLSavedThisJob = true;
    EXPECT_EQ(Variables::Save_Picture(), c.composed);
    EXPECT_EQ(fs::exists(dir / "out" / "skin.png"), c.composed);
    if (c.composed) {
        // White from the picture, black where it does not reach.
        const PicturePtr written = platform::OpenAsPicture(dir / "out" / "skin.png");
        ASSERT_TRUE(written);
        EXPECT_EQ(written->RGBSurface().Pixel(49, 39), RGB(255, 255, 255));
        EXPECT_EQ(written->RGBSurface().Pixel(50, 40), RGB(0, 0, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(Simple, PreResizedTest, ::testing::ValuesIn(kPreResizedCases),
                         [](const auto& info) { return std::string(info.param.name); });
