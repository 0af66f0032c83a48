#include "engine/picture/browser_graphics.h"

#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/engine_fixture.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using platform::Color;
using platform::Picture;
using platform::PicturePtr;
using platform::RGB;

namespace {

constexpr Color kGrey = RGB(128, 128, 128);
constexpr Color kFill = RGB(0, 160, 0);
constexpr Color kFrame = RGB(0, 0, 0);

class BrowserGraphicsTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // A grey canvas with a browser at (20, 10), 101 × 51, framed in black.
        Variables::New_picture = Picture::New(160, 80);
        platform::Graphics& g = Variables::New_picture->Graphics();
        g.ForeColor = kGrey;
        g.FillRect(0, 0, 160, 80);
        g.ForeColor = kFrame;
        g.DrawRect(20, 10, 101, 51);
        Browser::Browser_Change = true;
        Browser::Browser_Color = kFill;
    }

    Color At(int x, int y) { return Variables::New_picture->RGBSurface().Pixel(x, y); }

    /// A w × h background whose pixel (x, y) has red x, green y and blue 200, saved as PNG.
    std::string Background(int w, int h) {
        auto picture = Picture::New(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture->RGBSurface().SetPixel(x, y, RGB(x, y, 200));
        const fs::path path = dir / ("background" + std::to_string(w) + ".png");
        platform::SavePicture(*picture, path, platform::PictureFormat::PNG);
        Browser::Browser_Picture_Change = true;
        Browser::B_Background_Picture = path.string();
        return path.string();
    }

    /// Fills the canvas white and restyles a w × h rectangle at the origin.
    void Blank(int w, int h) { Variables::New_picture = Picture::New(w, h); }
};

}  // namespace

TEST_F(BrowserGraphicsTest, FloodFillKeepsTheFrameAndForcedFillCoversIt) {
    Browser::Browser_Color_change = true;
    Browser::Change_Browser_Graphics(101, 51, 20, 10);
    EXPECT_EQ(At(70, 35), kFill);
    EXPECT_EQ(At(21, 11), kFill);
    EXPECT_EQ(At(20, 10), kFrame);
    EXPECT_EQ(At(120, 60), kFrame);
    EXPECT_EQ(At(19, 10), kGrey);

    Browser::B_Force_Color = true;
    Browser::Change_Browser_Graphics(101, 51, 20, 10);
    EXPECT_EQ(At(20, 10), kFill);
    EXPECT_EQ(At(120, 60), kFill);
    EXPECT_EQ(At(121, 61), kGrey);
}

// Found by fuzzing: a browser at x = INT32_MIN + 1 overflowed Qt's 32-bit rectangle
// arithmetic while the canvas was copied out. A rectangle wholly off the canvas changes nothing.
TEST_F(BrowserGraphicsTest, RectangleAtTheFarEndOfTheIntRangeLeavesTheCanvasAlone) {
    Browser::Change_Browser_Graphics(339, 283, INT32_MIN + 1, 103);
    EXPECT_EQ(At(0, 0), kGrey);
    EXPECT_EQ(At(20, 10), kFrame);
    EXPECT_EQ(At(70, 35), kGrey);
}

// Found by fuzzing (fuzz/corpus/picture_fuzz/browser_at_int_max): the other end of the range,
// a browser at x = INT32_MAX, whose far edge lies past what 32 bits hold.
TEST_F(BrowserGraphicsTest, RectangleAtTheTopOfTheIntRangeLeavesTheCanvasAlone) {
    Browser::Change_Browser_Graphics(324, 243, INT32_MAX, 45);
    EXPECT_EQ(At(0, 0), kGrey);
    EXPECT_EQ(At(20, 10), kFrame);
    EXPECT_EQ(At(70, 35), kGrey);
    EXPECT_EQ(At(159, 79), kGrey);
}

TEST_F(BrowserGraphicsTest, FloodFillStartsAtTheTruncatedCentre) {
    // 101 × 51 starts at (50, 25): lines at rows 26 and column 51 fence that quarter in.
    Blank(101, 51);
    platform::Graphics& g = Variables::New_picture->Graphics();
    g.ForeColor = kFrame;
    g.DrawLine(0, 26, 100, 26);
    g.DrawLine(51, 0, 51, 50);
    Browser::Browser_Color_change = true;
    Browser::Change_Browser_Graphics(101, 51, 0, 0);
    EXPECT_EQ(At(50, 25), kFill);
    EXPECT_EQ(At(0, 0), kFill);
    EXPECT_EQ(At(52, 0), RGB(255, 255, 255));
    EXPECT_EQ(At(0, 27), RGB(255, 255, 255));
}

TEST_F(BrowserGraphicsTest, LargerPictureCentredIsCutAtTheRectangle) {
    // 100 × 100 with 151 × 151 in cell 5: offset trunc(50 − 75.5) = −25.
    Blank(100, 100);
    Background(151, 151);
    Browser::B_Picture_Position = 5;
    Browser::Change_Browser_Graphics(100, 100, 0, 0);
    EXPECT_EQ(At(0, 0), RGB(25, 25, 200));
    EXPECT_EQ(At(74, 74), RGB(99, 99, 200));
    // Only the picture's first 100 columns and rows are drawn: from 75 on the rectangle
    // keeps what it held.
    EXPECT_EQ(At(75, 10), RGB(255, 255, 255));
    EXPECT_EQ(At(10, 75), RGB(255, 255, 255));
}

struct CellCase {
    const char* name;
    int cell;
    int x;
    int y;
};

// A 30 × 20 picture in a 200 × 100 rectangle: centre (85, 40), far edges (170, 80).
const CellCase kCells[] = {
    {"TopLeft", 1, 0, 0},     {"Top", 2, 85, 0},     {"TopRight", 3, 170, 0},
    {"Left", 4, 0, 40},       {"Centre", 5, 85, 40}, {"Right", 6, 170, 40},
    {"BottomLeft", 7, 0, 80}, {"Bottom", 8, 85, 80}, {"BottomRight", 9, 170, 80},
};

class BrowserCellTest : public BrowserGraphicsTest,
                        public ::testing::WithParamInterface<CellCase> {};

TEST_P(BrowserCellTest, PlacesThePictureUnscaledInItsCell) {
    Blank(200, 100);
    Background(30, 20);
    Browser::B_Picture_Position = GetParam().cell;
    Browser::Change_Browser_Graphics(200, 100, 0, 0);
    const int x = GetParam().x;
    const int y = GetParam().y;
    EXPECT_EQ(At(x, y), RGB(0, 0, 200));
    EXPECT_EQ(At(x + 29, y + 19), RGB(29, 19, 200));
    if (x > 0) {
        EXPECT_EQ(At(x - 1, y), RGB(255, 255, 255));
    }
    if (y + 20 < 100) {
        EXPECT_EQ(At(x, y + 20), RGB(255, 255, 255));
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, BrowserCellTest, ::testing::ValuesIn(kCells),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserGraphicsTest, CellOutsideOneToNineDrawsNoPictureButTheColour) {
    for (const int cell : {0, 10}) {
        Blank(50, 50);
        Background(10, 10);
        Browser::Browser_Color_change = true;
        Browser::B_Picture_Position = cell;
        Browser::Change_Browser_Graphics(50, 50, 0, 0);
        EXPECT_EQ(At(0, 0), kFill) << cell;
        EXPECT_EQ(At(25, 25), kFill) << cell;
    }
}

TEST_F(BrowserGraphicsTest, TilesStartEveryPictureWidthAndHeight) {
    // 200 × 100 with 64 × 64: tiles at x 0, 64, 128, 192 and y 0, 64.
    Blank(200, 100);
    Background(64, 64);
    Browser::B_Tile_Picture = true;
    Browser::Change_Browser_Graphics(200, 100, 0, 0);
    int corners = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            corners += At(x, y) == RGB(0, 0, 200);
    EXPECT_EQ(corners, 8);
    EXPECT_EQ(At(192, 64), RGB(0, 0, 200));
    EXPECT_EQ(At(199, 99), RGB(7, 35, 200));
}

TEST_F(BrowserGraphicsTest, OnePixelTileFillsALargeBrowser) {
    // Found by fuzzing the methods: every tile was drawn on its own, so a 1 × 1 tile in a
    // 394 × 394 browser took 395 × 395 = 156 025 drawings (twelve seconds under the
    // sanitizers), and a browser of a few megapixels hours. The tiles are now drawn in one
    // piece; the picture must come out the same. The tile's only pixel is (0, 0, 200).
    Blank(394, 394);
    Background(1, 1);
    Browser::B_Tile_Picture = true;
    Browser::Change_Browser_Graphics(394, 394, 0, 0);
    for (int y = 0; y < 394; ++y)
        for (int x = 0; x < 394; ++x)
            ASSERT_EQ(At(x, y), RGB(0, 0, 200)) << x << "," << y;
}

TEST_F(BrowserGraphicsTest, TileLargerThanTheRectangleShowsItsTopLeft) {
    Blank(50, 40);
    Background(64, 64);
    Browser::B_Tile_Picture = true;
    Browser::Change_Browser_Graphics(50, 40, 0, 0);
    EXPECT_EQ(At(0, 0), RGB(0, 0, 200));
    EXPECT_EQ(At(49, 39), RGB(49, 39, 200));
}

TEST_F(BrowserGraphicsTest, TransparentPartsOfTilesShowTheFill) {
    // A 2 × 1 tile, opaque red then wholly transparent blue, over the forced fill: the even
    // columns turn red, the odd ones keep the fill, on every row.
    Blank(5, 3);
    QImage tile(2, 1, QImage::Format_ARGB32);
    tile.setPixel(0, 0, qRgba(255, 0, 0, 255));
    tile.setPixel(1, 0, qRgba(0, 0, 255, 0));
    const fs::path path = dir / "half_transparent.png";
    ASSERT_TRUE(tile.save(QString::fromStdString(path.string()), "PNG"));
    Browser::Browser_Color_change = true;
    Browser::B_Force_Color = true;
    Browser::Browser_Picture_Change = true;
    Browser::B_Background_Picture = path.string();
    Browser::B_Tile_Picture = true;
    Browser::Change_Browser_Graphics(5, 3, 0, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(At(x, y), x % 2 == 0 ? RGB(255, 0, 0) : kFill) << x << "," << y;
}

TEST_F(BrowserGraphicsTest, AdaptedPictureCoversTheColour) {
    Blank(40, 30);
    auto flat = Picture::New(7, 3);
    flat->Graphics().ForeColor = RGB(10, 20, 30);
    flat->Graphics().FillRect(0, 0, 7, 3);
    const fs::path path = dir / "flat.png";
    platform::SavePicture(*flat, path, platform::PictureFormat::PNG);
    Browser::Browser_Color_change = true;
    Browser::Browser_Picture_Change = true;
    Browser::B_Background_Picture = path.string();
    Browser::B_Adapt_Picture = true;
    Browser::B_Tile_Picture = true;  // adapting wins
    Browser::Change_Browser_Graphics(40, 30, 0, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(At(x, y), RGB(10, 20, 30)) << x << "," << y;
}

TEST_F(BrowserGraphicsTest, RectangleBeyondTheCanvasChangesOnlyItsInside) {
    Browser::Browser_Color_change = true;
    Browser::B_Force_Color = true;
    Browser::Change_Browser_Graphics(100, 100, 120, 40);
    EXPECT_EQ(At(159, 79), kFill);
    EXPECT_EQ(At(119, 79), kGrey);
    EXPECT_EQ(Variables::New_picture->Width(), 160);
}

TEST_F(BrowserGraphicsTest, FailuresLeaveTheCanvasAsItWas) {
    Browser::Browser_Color_change = true;
    Browser::B_Force_Color = true;
    Browser::Browser_Picture_Change = true;
    Browser::B_Background_Picture = (dir / "missing.png").string();
    EXPECT_THROW(Browser::Change_Browser_Graphics(101, 51, 20, 10), platform::NilObjectException);
    EXPECT_EQ(At(70, 35), kGrey);
    EXPECT_THROW(Browser::Change_Browser_Graphics(0, 51, 20, 10), platform::OutOfBoundsException);
    EXPECT_EQ(At(70, 35), kGrey);
    Variables::New_picture.reset();
    EXPECT_THROW(Browser::Change_Browser_Graphics(10, 10, 0, 0), platform::NilObjectException);
}

TEST_F(BrowserGraphicsTest, BackgroundPathThatIsNotAFileReferenceIsSkipped) {
    Browser::Browser_Color_change = true;
    Browser::B_Force_Color = true;
    Browser::Browser_Picture_Change = true;
    Browser::B_Background_Picture = "relative.png";
    Browser::Change_Browser_Graphics(101, 51, 20, 10);
    EXPECT_EQ(At(70, 35), kFill);
}
