#include "platform/graphics.h"

#include "picture_test_util.h"
#include "platform/exceptions.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"
#include "support/inspection.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

using namespace platform;
using namespace picturetest;

namespace {

/// Which pixels of a 10 × 10 picture hold the fore colour, as rows of '#' and '.'.
std::vector<std::string> Shape(Picture& picture, Color ink) {
    std::vector<std::string> rows;
    for (int y = 0; y < picture.Height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.Width(); ++x)
            row += At(picture, x, y) == ink ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

struct ShapeCase {
    const char* name;
    void (*draw)(Graphics&);
    std::vector<std::string> expected;
};

// clang-format off
const ShapeCase kShapeCases[] = {
    {"FillRectCoversExactlyWidthByHeight",
     [](Graphics& g) { g.FillRect(1, 2, 4, 3); },
     {"......", "......", ".####.", ".####.", ".####.", "......"}},
    {"DrawRectOutlinesExactlyWidthByHeight",
     [](Graphics& g) { g.DrawRect(1, 1, 4, 3); },
     {"......", ".####.", ".#..#.", ".####.", "......", "......"}},
    {"DrawRectWithThickPenGrowsInward",
     [](Graphics& g) { g.PenWidth = 2; g.PenHeight = 2; g.DrawRect(0, 0, 6, 6); },
     {"######", "######", "##..##", "##..##", "######", "######"}},
    {"ClippedViewMovesOriginAndCuts",
     [](Graphics& g) { g.Clip(2, 1, 3, 2).FillRect(-5, -5, 50, 50); },
     {"......", "..###.", "..###.", "......", "......", "......"}},
    {"ClipInsideClipKeepsBothLimits",
     [](Graphics& g) { g.Clip(1, 1, 3, 3).Clip(1, 1, 9, 9).FillRect(0, 0, 9, 9); },
     {"......", "......", "..##..", "..##..", "......", "......"}},
    {"HorizontalLineIncludesBothEnds",
     [](Graphics& g) { g.DrawLine(4, 1, 1, 1); },
     {"......", ".####.", "......", "......", "......", "......"}},
    {"ThickVerticalLineHangsRightAndBelow",
     [](Graphics& g) { g.PenWidth = 2; g.PenHeight = 2; g.DrawLine(1, 1, 1, 3); },
     {"......", ".##...", ".##...", ".##...", ".##...", "......"}},
    {"DiagonalLineStepsOnePixelAtATime",
     [](Graphics& g) { g.DrawLine(0, 0, 3, 3); },
     {"#.....", ".#....", "..#...", "...#..", "......", "......"}},
    {"EmptyRectanglesDrawNothing",
     [](Graphics& g) { g.FillRect(1, 1, 0, 4); g.DrawRect(1, 1, 4, 0); g.FillOval(1, 1, -2, 2); },
     {"......", "......", "......", "......", "......", "......"}},
};
// clang-format on

class GraphicsShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(GraphicsShapeTest, DrawsExactPixels) {
    Picture picture(6, 6);
    Graphics& g = picture.Graphics();
    g.ForeColor = kRed;
    GetParam().draw(g);
    EXPECT_EQ(Shape(picture, kRed), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, GraphicsShapeTest, ::testing::ValuesIn(kShapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GraphicsTest, ClippedViewReportsItsOwnSize) {
    Picture picture(20, 10);
    EXPECT_EQ(picture.Graphics().Width(), 20);
    EXPECT_EQ(picture.Graphics().Height(), 10);
    Graphics view = picture.Graphics().Clip(5, 5, 30, 2);
    EXPECT_EQ(view.Width(), 30);
    EXPECT_EQ(view.Height(), 2);
}

TEST(GraphicsTest, OvalsAndRoundRectsStayInsideTheirRectangle) {
    Picture picture(12, 12);
    Graphics& g = picture.Graphics();
    g.ForeColor = kBlue;
    g.FillOval(2, 2, 8, 8);
    // The centre is filled, the corners of the bounding box are not, nothing leaks outside.
    EXPECT_EQ(At(picture, 6, 6), kBlue);
    EXPECT_EQ(At(picture, 2, 2), kWhite);
    EXPECT_EQ(At(picture, 9, 9), kWhite);
    EXPECT_EQ(At(picture, 1, 6), kWhite);
    EXPECT_EQ(At(picture, 10, 6), kWhite);
    g.ForeColor = kRed;
    g.FillRoundRect(0, 0, 12, 12, 6, 6);
    EXPECT_EQ(At(picture, 6, 0), kRed);
    EXPECT_EQ(At(picture, 0, 0), kWhite);
}

TEST(GraphicsTest, MaskGraphicsWritesExactGreys) {
    Picture picture(4, 4);
    Graphics& g = picture.Mask()->Graphics();
    g.ForeColor = RGB(0x70, 0x70, 0x70);
    g.FillRect(0, 0, 2, 4);
    g.ForeColor = kWhite;
    g.DrawLine(3, 0, 3, 3);
    EXPECT_EQ(MaskAt(picture, 0, 0), 0x70);
    EXPECT_EQ(MaskAt(picture, 1, 3), 0x70);
    EXPECT_EQ(MaskAt(picture, 2, 2), 0);
    EXPECT_EQ(MaskAt(picture, 3, 1), 255);
    // The colour plane is untouched.
    EXPECT_EQ(At(picture, 0, 0), kWhite);
}

TEST(GraphicsTest, UnscaledDrawingIsAnExactCopy) {
    Picture source(7, 5);
    auto& s = source.RGBSurface();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            s.SetPixel(x, y, RGB(x * 37 % 256, y * 53 % 256, (x * y * 11) % 256));
    Picture target(10, 10);
    target.Graphics().DrawPicture(source, 2, 3);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(At(target, x + 2, y + 3), s.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(At(target, 1, 3), kWhite);
    EXPECT_EQ(At(target, 9, 3), kWhite);
}

TEST(GraphicsTest, DrawingWithASizeButNoSourceCutsWithoutScaling) {
    Picture source(4, 4);
    source.Graphics().ForeColor = kRed;
    source.Graphics().FillRect(0, 0, 1, 1);
    source.Graphics().ForeColor = kBlue;
    source.Graphics().FillRect(1, 0, 3, 4);
    Picture target(6, 6);
    target.Graphics().DrawPicture(source, 1, 1, 2, 2);
    EXPECT_EQ(At(target, 1, 1), kRed);  // unscaled: one red pixel
    EXPECT_EQ(At(target, 2, 1), kBlue);
    EXPECT_EQ(At(target, 2, 2), kBlue);
    EXPECT_EQ(At(target, 3, 1), kWhite);  // cut at 2 × 2
    EXPECT_EQ(At(target, 1, 3), kWhite);
}

TEST(GraphicsTest, SourceOverhangingThePictureDrawsOnlyItsPixels) {
    Picture source(2, 2);
    source.Graphics().ForeColor = kRed;
    source.Graphics().FillRect(0, 0, 2, 2);
    Picture target(6, 6);
    // Source rectangle (-1, -1, 4, 4) holds the picture at offset (1, 1).
    target.Graphics().DrawPicture(source, 0, 0, 4, 4, -1, -1, 4, 4);
    EXPECT_EQ(Shape(target, kRed), (std::vector<std::string>{"......", ".##...", ".##...", "......",
                                                             "......", "......"}));
}

// Skins can place a rectangle anywhere in the int range; Qt's rectangles are 32-bit, so the
// corners must never be formed there. A fuzzed browser at x = INT32_MIN + 1 overflowed inside
// Qt's QRect before the clipping was done in 64 bits.
TEST(GraphicsTest, RectanglesAtTheEndsOfTheIntRangeDrawNothing) {
    constexpr int kMin = INT32_MIN, kMax = INT32_MAX;
    struct Case {
        const char* name;
        int dx, dy, dw, dh, sx, sy, sw, sh;
    };
    const Case cases[] = {
        {"source far left", 0, 0, 339, 283, kMin + 1, 0, 339, 283},
        {"source at the minimum", 0, 0, 4, 4, kMin, kMin, 4, 4},
        {"source far right", 0, 0, 4, 4, kMax - 1, 0, 4, 4},
        {"destination far left", kMin, 0, 2, 2, 0, 0, 2, 2},
        {"destination far right", kMax, kMax, 2, 2, 0, 0, 2, 2},
        {"scaled, destination far left", kMin, 0, 8, 8, 0, 0, 2, 2},
        {"scaled, destination far right", kMax - 3, 0, 8, 8, 0, 0, 2, 2},
        {"scaled, source far left", 0, 0, 8, 8, kMin + 1, 0, 2, 2},
        {"widest source", 0, 0, 4, 4, kMin, 0, kMax, 4},
    };
    for (const Case& c : cases) {
        Picture source(2, 2);
        source.Graphics().ForeColor = kRed;
        source.Graphics().FillRect(0, 0, 2, 2);
        Picture target(6, 6);
        target.Graphics().DrawPicture(source, c.dx, c.dy, c.dw, c.dh, c.sx, c.sy, c.sw, c.sh);
        EXPECT_EQ(Shape(target, kRed), (std::vector<std::string>(6, "......"))) << c.name;
    }
}

TEST(GraphicsTest, ScaledDrawingHangingOverTheTopLeftDrawsItsVisiblePart) {
    Picture source(2, 2);
    source.Graphics().ForeColor = kRed;
    source.Graphics().FillRect(0, 0, 2, 2);
    Picture target(6, 6);
    // 2 × 2 scaled to 8 × 8 at (-4, -4) covers x and y from -4 to 3: the 4 × 4 top left.
    target.Graphics().DrawPicture(source, -4, -4, 8, 8, 0, 0, 2, 2);
    EXPECT_EQ(Shape(target, kRed), (std::vector<std::string>{"####..", "####..", "####..", "####..",
                                                             "......", "......"}));
}

TEST(GraphicsTest, MaskDecidesWhatADrawnPictureCovers) {
    Picture source(3, 1);
    source.Graphics().ForeColor = kBlack;
    source.Graphics().FillRect(0, 0, 3, 1);
    auto& mask = source.Mask()->RGBSurface();
    mask.SetPixel(1, 0, kWhite);
    mask.SetPixel(2, 0, RGB(128, 128, 128));
    Picture target(3, 1);
    target.Graphics().DrawPicture(source, 0, 0);
    EXPECT_EQ(At(target, 0, 0), kBlack);
    EXPECT_EQ(At(target, 1, 0), kWhite);
    // Grey 128 leaves alpha 127: black over white gives 255 × 128 / 255 = 128, ±1 for Qt's
    // rounding.
    EXPECT_NEAR(At(target, 2, 0).r, 128, 1);
}

TEST(GraphicsTest, MaskedPictureDrawnIntoAMaskCarriesItsShape) {
    Picture stencil(2, 1);
    stencil.Graphics().ForeColor = kBlack;
    stencil.Graphics().FillRect(0, 0, 2, 1);
    stencil.Mask()->RGBSurface().SetPixel(1, 0, kWhite);
    Picture picture(2, 1);
    picture.Mask()->Graphics().ForeColor = kWhite;
    picture.Mask()->Graphics().FillRect(0, 0, 2, 1);
    picture.Mask()->Graphics().DrawPicture(stencil, 0, 0);
    EXPECT_EQ(MaskAt(picture, 0, 0), 0);
    EXPECT_EQ(MaskAt(picture, 1, 0), 255);
}

TEST(GraphicsTest, ScaledDrawingKeepsFlatColourAndExactSize) {
    Picture source(4, 4);
    source.Graphics().ForeColor = kBlue;
    source.Graphics().FillRect(0, 0, 4, 4);
    Picture target(12, 12);
    target.Graphics().DrawPicture(source, 1, 2, 9, 7, 0, 0, 4, 4);
    int blue = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 1 && x < 10 && y >= 2 && y < 9;
            EXPECT_EQ(At(target, x, y), inside ? kBlue : kWhite) << x << "," << y;
            blue += inside;
        }
    EXPECT_EQ(blue, 63);  // 9 × 7
}

TEST(GraphicsTest, ShrinkingAveragesTheArea) {
    // Columns black, white, black, white shrunk to two columns: each output pixel averages
    // one black and one white source pixel, (0 + 255) / 2 = 127.5, so 127 or 128.
    Picture source(4, 2);
    source.Graphics().ForeColor = kBlack;
    source.Graphics().FillRect(0, 0, 1, 2);
    source.Graphics().FillRect(2, 0, 1, 2);
    Picture target(2, 1);
    target.Graphics().DrawPicture(source, 0, 0, 2, 1, 0, 0, 4, 2);
    EXPECT_NEAR(At(target, 0, 0).g, 127.5, 0.5);
    EXPECT_NEAR(At(target, 1, 0).g, 127.5, 0.5);
}

TEST(GraphicsTest, EqualSizesWithASourceRectangleCopyExactly) {
    Picture source(6, 6);
    source.RGBSurface().SetPixel(3, 4, RGB(1, 2, 3));
    Picture target(3, 3);
    target.Graphics().DrawPicture(source, 0, 0, 3, 3, 2, 3, 3, 3);
    EXPECT_EQ(At(target, 1, 1), RGB(1, 2, 3));
    EXPECT_EQ(At(target, 0, 0), kWhite);
}

TEST(GraphicsTest, AlphaOfAPictureFromDataIsHonoured) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 255, 255));
    image.setPixel(1, 0, qRgba(0, 0, 255, 0));
    Picture tick(image);
    Picture target(2, 1);
    target.Graphics().DrawPicture(tick, 0, 0);
    EXPECT_EQ(At(target, 0, 0), kBlue);
    EXPECT_EQ(At(target, 1, 0), kWhite);
}

class GraphicsTextTest : public ::testing::TestWithParam<const char*> {};

TEST_P(GraphicsTextTest, StandardNamesResolveToLiberationSans) {
    Picture picture(1, 1);
    picture.Graphics().TextFont = GetParam();
    EXPECT_EQ(picture.Graphics().ResolvedFontFamily(), "Liberation Sans");
}

INSTANTIATE_TEST_SUITE_P(Fonts, GraphicsTextTest, ::testing::Values("Arial", "System", ""),
                         [](const auto& info) {
                             return std::string(*info.param ? info.param : "Empty");
                         });

TEST(GraphicsTest, TextSizeZeroMeansTwelvePixels) {
    Picture picture(1, 1);
    Graphics& g = picture.Graphics();
    const int defaultHeight = g.TextHeight();
    const double defaultWidth = g.StringWidth("Skin resizer");
    g.TextSize = 12;
    EXPECT_EQ(g.TextHeight(), defaultHeight);
    EXPECT_DOUBLE_EQ(g.StringWidth("Skin resizer"), defaultWidth);
    g.TextSize = 24;
    EXPECT_GT(g.TextHeight(), defaultHeight);
    EXPECT_GT(g.StringWidth("Skin resizer"), defaultWidth * 1.5);
    EXPECT_LT(g.TextAscent(), g.TextHeight());
    g.Bold = true;
    EXPECT_GT(g.StringWidth("Skin resizer"), defaultWidth * 2);
}

TEST(GraphicsTest, WrappedTextTakesOneLineHeightPerLine) {
    Picture picture(1, 1);
    Graphics& g = picture.Graphics();
    const int line = g.TextHeight();
    EXPECT_EQ(g.StringHeight("one two three", 0), line);
    EXPECT_EQ(g.StringHeight("one\ntwo\r\nthree\rfour", 0), 4 * line);
    // Each word is narrower than the width, two words are wider: one word a line.
    const double width = g.StringWidth("three") + 2;
    EXPECT_EQ(g.StringHeight("one two three", width), 3 * line);
}

TEST(GraphicsTest, TextIsDrawnInTheForeColourInsideItsExtent) {
    Picture picture(120, 40);
    Graphics& g = picture.Graphics();
    g.ForeColor = kRed;
    const int ascent = g.TextAscent();
    const double width = g.StringWidth("Hello");
    g.DrawString("Hello", 10, 20);
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const Color c = At(picture, x, y);
            if (c == kWhite)
                continue;
            ++inked;
            // Ink is red on white: anti-aliased edges keep full red.
            EXPECT_EQ(c.r, 255);
            EXPECT_GE(x, 10);
            EXPECT_LE(x, 10 + width + 1);
            EXPECT_GE(y, 20 - ascent);
            EXPECT_LE(y, 20 + g.TextHeight() - ascent);
        }
    EXPECT_GT(inked, 20);
}

TEST(GraphicsTest, CondensedTextStaysOnOneLineWithinTheWidth) {
    Picture picture(200, 60);
    Graphics& g = picture.Graphics();
    g.ForeColor = kBlack;
    g.DrawString("A long caption that cannot fit", 0, 20, 60, true);
    for (int y = 0; y < 60; ++y)
        for (int x = 62; x < 200; ++x)
            ASSERT_EQ(At(picture, x, y), kWhite) << x << "," << y;
    for (int y = 20 + g.TextHeight(); y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(At(picture, x, y), kWhite) << x << "," << y;
}

TEST(GraphicsTest, RendersADemoSheet) {
    // A picture to look at: shapes, a masked picture, scaled drawing and text.
    Picture sheet(240, 120);
    Graphics& g = sheet.Graphics();
    g.ForeColor = RGB(0x33, 0x35, 0x38);
    g.FillRect(0, 0, 240, 120);
    g.ForeColor = RGB(255, 200, 0);
    g.DrawRect(4, 4, 60, 40);
    g.FillOval(70, 4, 40, 40);
    g.ForeColor = RGB(0, 200, 255);
    g.FillRoundRect(116, 4, 60, 40, 16, 16);
    g.PenWidth = 3;
    g.PenHeight = 3;
    g.DrawLine(180, 4, 236, 44);
    Picture disc(30, 30);
    disc.Graphics().ForeColor = kRed;
    disc.Graphics().FillRect(0, 0, 30, 30);
    Graphics& mask = disc.Mask()->Graphics();
    mask.ForeColor = kWhite;
    mask.FillRect(0, 0, 30, 30);
    mask.ForeColor = kBlack;
    mask.FillOval(0, 0, 30, 30);
    g.DrawPicture(disc, 4, 50);
    g.DrawPicture(disc, 40, 50, 60, 30, 0, 0, 30, 30);
    g.ForeColor = kWhite;
    g.TextSize = 14;
    g.DrawString("Malvoren skin resizer, wrapped text", 110, 64, 120);
    const auto out = testsupport::InspectionFolder() / "graphics_demo.png";
    SavePicture(sheet, out, PictureFormat::PNG);
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST(GraphicsTest, NoteIconIsADiscWithAWhiteIOnTransparentCorners) {
    const Color grey = RGB(0x80, 0x80, 0x80);
    Picture picture(52, 52);
    Graphics& g = picture.Graphics();
    g.ForeColor = grey;
    g.FillRect(0, 0, 52, 52);
    g.DrawNoteIcon(10, 10);
    // The icon's disc fills (1.5, 1.5)-(30.5, 30.5) of its 32 x 32; its dot is centred on
    // (16, 9) and its stem covers x 13.5-18.5, y 13.5-26.5, all offset by (10, 10).
    EXPECT_EQ(At(picture, 10, 10), grey);  // corner: transparent
    EXPECT_EQ(At(picture, 41, 41), grey);
    EXPECT_EQ(At(picture, 9, 26), grey);                    // left of the icon: untouched
    EXPECT_EQ(At(picture, 26, 19), kWhite);                 // the dot
    EXPECT_EQ(At(picture, 26, 30), kWhite);                 // the stem
    EXPECT_EQ(At(picture, 18, 26), RGB(0x3b, 0x82, 0xd6));  // the disc, left of the stem
    testsupport::SaveForInspection(picture, "note_icon", 4);
}

TEST(GraphicsTest, InstalledFontsListLiberationSans) {
    const int count = FontCount();
    ASSERT_GT(count, 0);
    bool liberation = false;
    for (int i = 0; i < count; ++i)
        liberation = liberation || Font(i) == "Liberation Sans";
    EXPECT_TRUE(liberation);
    EXPECT_THROW(Font(count), OutOfBoundsException);
    EXPECT_THROW(Font(-1), OutOfBoundsException);
}
