#include "kit/base/pellivor.h"

#include "kit_test_util.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Pellivor;
using kittest::MaskRow;
using kittest::RedRow;
using platform::Picture;
using platform::RGB;
using V = std::vector<int>;

// Rounded rectangles: L(d) = trunc((d - r) / e * 255 + d), at most 255.

TEST(PellivorRoundRectTest, FillOfTenByTenWithRadius4AndEdge1) {
    PicturePtr pic = RoundRectFillPicture(RGB(200, 0, 0), 10, 10, 4, 1);
    ASSERT_TRUE(pic);
    // Row 0 from the top-left centre (4, 4): d = 5.657 (> r + e: 255), 5.0 (L = 260: 255),
    // 4.472 (0.472 × 255 + 4.472 = 124.9), 4.123 (0.123 × 255 + 4.123 = 35.5); column 4 lies in
    // no corner square (0 <= j < 4 or 5 < j): opaque.
    EXPECT_EQ(MaskRow(*pic, 0), (V{255, 255, 124, 35, 0, 0, 35, 124, 255, 255}));
    // Row 1, column 0: d = √(16 + 9) = 5.0: L = 260, limited to 255; column 1: √18 = 4.243:
    // 0.243 × 255 + 4.243 = 66.2.
    EXPECT_EQ(MaskRow(*pic, 1), (V{255, 66, 0, 0, 0, 0, 0, 0, 66, 255}));
    // Row 2, column 0: √(16 + 4) = 4.472: 124; column 1: √13 = 3.606 <= r: 0.
    EXPECT_EQ(MaskRow(*pic, 2), (V{124, 0, 0, 0, 0, 0, 0, 0, 0, 124}));
    // Row 3, column 0: √17 = 4.123: 35.
    EXPECT_EQ(MaskRow(*pic, 3), (V{35, 0, 0, 0, 0, 0, 0, 0, 0, 35}));
    EXPECT_EQ(MaskRow(*pic, 4), V(10, 0));
    EXPECT_EQ(MaskRow(*pic, 5), V(10, 0));
    for (int row = 6; row < 10; ++row)
        EXPECT_EQ(MaskRow(*pic, row), MaskRow(*pic, 9 - row)) << "row " << row;
    // The colour is uniform: only the coverage varies.
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0), RGB(200, 0, 0));
    kittest::SavePng(pic->Mask()->Image(), "pellivor_fill_10x10_r4_e1_mask.png");
}

TEST(PellivorRoundRectTest, OutlineOfTenByTenWithRadius4AndAutomaticEdge) {
    // r = 4 < 5: e = √4 = 2.
    PicturePtr pic = RoundRectOutlinePicture(RGB(0, 0, 0), 10, 10, 4, -1);
    ASSERT_TRUE(pic);
    // Row 0, column 0: nearest centre (4, 4) at 5.657: 1.657 / 2 × 255 + 5.657 = 216.9;
    // column 1: 5.0: 127.5 + 5 = 132.5; column 2: 4.472: 60.2 + 4.5 = 64.6; column 3: 4.123:
    // 15.7 + 4.1 = 19.8; columns 4 and 5: the straight top side.
    EXPECT_EQ(MaskRow(*pic, 0), (V{216, 132, 64, 19, 0, 0, 19, 64, 132, 216}));
    // Row 1, column 1: 4.243: 30.9 + 4.2 = 35.2; column 2: d = 3.606 < r, reflected to
    // 2 × 4 - 3.606 + 1 = 5.394: 177.8 + 5.4 = 183.2; column 3: 3.162 -> 5.838: 234.3 + 5.8 =
    // 240.1; columns 4 and 5 lie in no corner square: the empty interior.
    EXPECT_EQ(MaskRow(*pic, 1), (V{132, 35, 183, 240, 255, 255, 240, 183, 35, 132}));
    EXPECT_EQ(MaskRow(*pic, 4), (V{0, 255, 255, 255, 255, 255, 255, 255, 255, 0}));
    for (int row = 5; row < 10; ++row)
        EXPECT_EQ(MaskRow(*pic, row), MaskRow(*pic, 9 - row)) << "row " << row;
    kittest::SavePng(pic->Mask()->Image(), "pellivor_outline_10x10_r4_mask.png");
}

TEST(PellivorRoundRectTest, CapsuleNineByTwentyComputesOnlyTheShortSideBands) {
    // r = min(100, 4.5, 10) = 4.5, e = √4.5 = 2.121.
    PicturePtr pic = RoundRectFillPicture(RGB(0, 0, 0), 9, 20, 100, -1);
    ASSERT_TRUE(pic);
    // Row 0 from the top-left centre (4.5, 4.5), columns 0..4 (all with j < 4.5): d = 6.364:
    // 1.864 / 2.121 × 255 + 6.364 = 230.4; 5.701: 144.4 + 5.7 = 150.1; 5.148: 77.9 + 5.1 = 83.0;
    // 4.743: 29.2 + 4.7 = 34.0; 4.528: 3.4 + 4.5 = 7.9. The right half mirrors it.
    EXPECT_EQ(MaskRow(*pic, 0), (V{230, 150, 83, 34, 7, 34, 83, 150, 230}));
    EXPECT_EQ(MaskRow(*pic, 4), V(9, 0));  // inside the corner squares, but not in a band
    // Row 15 is the first of the bottom band (trunc(20 - 4.5) = 15), 0.5 below the centre row
    // 14.5: column 0 at √(20.25 + 0.25) = 4.528: 7.
    EXPECT_EQ(MaskRow(*pic, 15), (V{7, 0, 0, 0, 0, 0, 0, 0, 7}));
    EXPECT_EQ(MaskRow(*pic, 19), MaskRow(*pic, 0));
    kittest::SavePng(pic->Mask()->Image(), "pellivor_capsule_9x20_mask.png");
}

TEST(PellivorRoundRectTest, AutomaticEdgeIs2Point5FromRadius5On) {
    // 20 × 10 with radius 100: r = 5, a capsule; e = 2.5, not √5.
    PicturePtr pic = RoundRectFillPicture(RGB(0, 0, 0), 20, 10, 100, -1);
    // (0, 0) from (5, 5): d = 7.071 <= 7.5: 2.071 / 2.5 × 255 + 7.071 = 218.3 (with √5 it
    // would be 243).
    EXPECT_EQ(MaskRow(*pic, 0)[0], 218);
    // The left band is columns 0..5 (j <= r); column 10 of any row stays opaque.
    EXPECT_EQ(MaskRow(*pic, 0)[10], 0);
}

TEST(PellivorRoundRectTest, FillDrawsAtWholePixelsAndMasksReplaceEveryPixel) {
    PicturePtr target = Picture::New(20, 20);
    platform::Graphics& g = target->Graphics();
    g.ForeColor = RGB(90, 90, 90);
    g.FillRect(0, 0, 20, 20);
    g.ForeColor = RGB(10, 20, 30);
    // x = 3.7, y = 2.2 land at (3, 2); w = 10.9 makes a picture 10 wide whose corner centres
    // use 10.9: the right corner centre is at 10.9 - 1 - 4 = 5.9.
    FillRoundRectA(g, 3.7, 2.2, 10.9, 10, 4, 1, true);
    // Row 0 of the shape (target row 2), columns 0..9: as the 10 × 10 fill on the left; on
    // the right, column 6 (6 > 5.9) is in the corner square: d from (5.9, 4) = √(0.01 + 16) =
    // 4.001: 0.001 × 255 + 4.0 = 4.3; column 7: √(1.21 + 16) = 4.148: 37.8 + 4.1 = 41.9;
    // column 8: √(4.41 + 16) = 4.518: 132.1 + 4.5 = 136.6; column 9: √(9.61 + 16) = 5.061:
    // > r + e: 255.
    EXPECT_EQ(RedRow(*target, 2, 3, 10), (V{255, 255, 124, 35, 0, 0, 4, 42, 136, 255}));
    EXPECT_EQ(RedRow(*target, 2, 13, 1), V{90});  // beyond the 10 columns: untouched
    EXPECT_EQ(RedRow(*target, 1, 3, 1), V{90});   // above row 2: untouched
    EXPECT_EQ(g.ForeColor, RGB(10, 20, 30));      // unchanged by a rounded fill
}

TEST(PellivorRoundRectTest, RadiusBelowOneFillsAPlainRectangle) {
    PicturePtr target = Picture::New(8, 8);
    platform::Graphics& g = target->Graphics();
    g.ForeColor = RGB(0, 128, 0);
    FillRoundRectA(g, 1, 1, 3, 2, 0.5, 1, false);
    EXPECT_EQ(target->RGBSurface().Pixel(1, 1), RGB(0, 128, 0));
    EXPECT_EQ(target->RGBSurface().Pixel(3, 2), RGB(0, 128, 0));
    EXPECT_EQ(target->RGBSurface().Pixel(4, 2), RGB(255, 255, 255));
    // As a mask: black, and the fore colour stays black.
    FillRoundRectA(g, 5, 5, 2, 2, 0.5, 1, true);
    EXPECT_EQ(target->RGBSurface().Pixel(6, 6), RGB(0, 0, 0));
    EXPECT_EQ(g.ForeColor, RGB(0, 0, 0));
}

TEST(PellivorRoundRectTest, OutlineWithRadius0FramesTheRectangle) {
    PicturePtr pic = RoundRectOutlinePicture(RGB(0, 0, 0), 5, 4, 0, -1);
    // r = 0: rows 0 and 3, columns 0 and 4 opaque, all else transparent.
    EXPECT_EQ(MaskRow(*pic, 0), V(5, 0));
    EXPECT_EQ(MaskRow(*pic, 1), (V{0, 255, 255, 255, 0}));
    EXPECT_EQ(MaskRow(*pic, 3), V(5, 0));
    PicturePtr target = Picture::New(7, 6);
    platform::Graphics& g = target->Graphics();
    g.ForeColor = RGB(0, 0, 255);
    DrawRoundRectA(g, 1, 1, 5, 4, 0, -1);
    EXPECT_EQ(target->RGBSurface().Pixel(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(target->RGBSurface().Pixel(5, 4), RGB(0, 0, 255));
    EXPECT_EQ(target->RGBSurface().Pixel(3, 2), RGB(255, 255, 255));
}

TEST(PellivorRoundRectTest, SizesBelowOnePixelDrawNothing) {
    EXPECT_FALSE(RoundRectFillPicture(RGB(0, 0, 0), 0.5, 10, 4, 1));
    PicturePtr target = Picture::New(4, 4);
    FillRoundRectA(target->Graphics(), 0, 0, 10, 0.9, 4, 1, false);
    DrawRoundRectA(target->Graphics(), 0, 0, 0, 5, 4, -1);
    EXPECT_EQ(target->RGBSurface().Pixel(0, 0), RGB(255, 255, 255));
}

// Lines: k = (y1 - y2) / (x1 - x2), distance |k j - i + m| / √(k² + 1), core hw = width / 2,
// level trunc((d - hw) / blur × 255) up to Z = hw + blur.

TEST(PellivorLineTest, LineDownToTheRightWithWidth1AndBlur1) {
    PlacedPicture placed = LinePicture(RGB(0, 0, 0), 0, 0, 10, 5, 1, 1);
    ASSERT_TRUE(placed.picture);
    EXPECT_EQ(placed.picture->Width(), 11);
    EXPECT_EQ(placed.picture->Height(), 6);
    EXPECT_EQ(placed.x, 0);
    EXPECT_EQ(placed.y, 0);
    // k = 0.5, s = 1.118. Row 0: j = 2 at 0.894: 0.394 × 255 = 100.6; j = 3 at 1.342: 214.6;
    // j = 4 at 1.789 > 1.5: the row ends.
    EXPECT_EQ(MaskRow(*placed.picture, 0), (V{0, 0, 100, 214, 255, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(MaskRow(*placed.picture, 1), (V{100, 0, 0, 0, 100, 214, 255, 255, 255, 255, 255}));
    EXPECT_EQ(MaskRow(*placed.picture, 5), (V{255, 255, 255, 255, 255, 255, 255, 214, 100, 0, 0}));
    kittest::SavePng(placed.picture->Mask()->Image(), "pellivor_line_0_0_10_5_mask.png");

    // The ends in the other order: the same mask and place.
    PlacedPicture reversed = LinePicture(RGB(0, 0, 0), 10, 5, 0, 0, 1, 1);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(MaskRow(*reversed.picture, row), MaskRow(*placed.picture, row));
    // Upwards (k = -0.5, scanned right to left): the mask turned upside down.
    PlacedPicture up = LinePicture(RGB(0, 0, 0), 0, 5, 10, 0, 1, 1);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(MaskRow(*up.picture, row), MaskRow(*placed.picture, 5 - row)) << "row " << row;
}

TEST(PellivorLineTest, AxisLineFromWholePointsWithoutBlurUsesThePlainPen) {
    PicturePtr target = Picture::New(10, 25);
    platform::Graphics& g = target->Graphics();
    g.ForeColor = RGB(255, 0, 0);
    EXPECT_FALSE(LinePicture(g.ForeColor, 3, 4, 3, 20, 2, 0).picture);
    DrawLineA(g, 3, 4, 3, 20, 2, 0);
    EXPECT_EQ(g.PenWidth, 2);
    EXPECT_EQ(g.PenHeight, 2);
    // The pen hangs right of and below the points: columns 3 and 4, rows 4 to 21.
    EXPECT_EQ(target->RGBSurface().Pixel(3, 4), RGB(255, 0, 0));
    EXPECT_EQ(target->RGBSurface().Pixel(4, 20), RGB(255, 0, 0));
    EXPECT_EQ(target->RGBSurface().Pixel(3, 3), RGB(255, 255, 255));
    EXPECT_EQ(target->RGBSurface().Pixel(5, 10), RGB(255, 255, 255));
}

TEST(PellivorLineTest, AxisLineWithABlurIsCentredInItsWidenedBox) {
    // Horizontal from (2, 3) to (6, 3), width 1, blur 1: ceil(blur) = 1 row added above and
    // below; the core row is opaque, the rows at distance 1 get (1 - 0.5) / 1 × 255 = 127.
    PlacedPicture placed = LinePicture(RGB(0, 0, 0), 2, 3, 6, 3, 1, 1);
    ASSERT_TRUE(placed.picture);
    EXPECT_EQ(placed.x, 2);
    EXPECT_EQ(placed.y, 2);
    EXPECT_EQ(MaskRow(*placed.picture, 0), V(5, 127));
    EXPECT_EQ(MaskRow(*placed.picture, 1), V(5, 0));
    EXPECT_EQ(MaskRow(*placed.picture, 2), V(5, 127));
}

TEST(PellivorShadeTest, RoundShadeOnTenByTen) {
    PicturePtr pic = Picture::New(10, 10);
    EXPECT_EQ(RoundShade(pic, 5, 5, 2, 1, RGB(0, 0, 0), RGB(255, 255, 255)), pic);
    // The centre (5, 5) is half the size: taken at (4.5, 4.5). Row 2, column 3: d =
    // √(2.25 + 6.25) = 2.915: 0.915 × 255 = 233.4; column 4: √(0.25 + 6.25) = 2.550: 140.2.
    EXPECT_EQ(RedRow(*pic, 2), (V{255, 255, 255, 233, 140, 140, 233, 255, 255, 255}));
    // Row 3, column 3: √4.5 = 2.121: 30.9; column 2: √(6.25 + 2.25) = 2.915: 233.
    EXPECT_EQ(RedRow(*pic, 3), (V{255, 255, 233, 30, 0, 0, 30, 233, 255, 255}));
    EXPECT_EQ(RedRow(*pic, 4), (V{255, 255, 140, 0, 0, 0, 0, 140, 255, 255}));
    for (int row : {0, 1, 8, 9})
        EXPECT_EQ(RedRow(*pic, row), V(10, 255)) << "row " << row;
    for (int row = 5; row < 10; ++row)
        EXPECT_EQ(RedRow(*pic, row), RedRow(*pic, 9 - row));
    kittest::SavePng(pic->Image(), "pellivor_round_shade_10x10.png");
}

TEST(PellivorShadeTest, RoundShadeNeverExceedsAnOuterGreyAndTakesOnlyRed) {
    PicturePtr pic = Picture::New(10, 10);
    RoundShade(pic, 4.5, 4.5, 2, 3, RGB(0, 0, 0), RGB(104, 104, 104));
    int highest = 0;
    for (int row = 0; row < 10; ++row) {
        for (int level : RedRow(*pic, row))
            highest = std::max(highest, level);
    }
    EXPECT_EQ(highest, 104);
    // cx = 4.5 on a picture 10 wide is not half the width: no move. Row 4, column 7: d =
    // √(6.25 + 0.25) = 2.550 from (4.5, 4.5): 0.55 / 3 × 104 = 19.1.
    EXPECT_EQ(RedRow(*pic, 4, 7, 1), V{19});
    EXPECT_THROW(RoundShade(nullptr, 0, 0, 1, 1, RGB(0, 0, 0), RGB(0, 0, 0)),
                 platform::NilObjectException);
}

TEST(PellivorGradientTest, BlackToWhiteOverThreeRows) {
    PicturePtr pic = Picture::New(4, 5);
    gradient(pic->Graphics(), 0, 1, 4, 3, RGB(0, 0, 0), RGB(255, 255, 255), true);
    EXPECT_EQ(pic->RGBSurface().Pixel(3, 0), RGB(255, 255, 255));  // outside: untouched
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(pic->RGBSurface().Pixel(3, 2), RGB(0x7F, 0x7F, 0x7F));  // 255 × 0.5 = 127.5
    EXPECT_EQ(pic->RGBSurface().Pixel(1, 3), RGB(255, 255, 255));
    EXPECT_EQ(pic->RGBSurface().Pixel(2, 4), RGB(255, 255, 255));  // outside: untouched
}

TEST(PellivorGradientTest, SinglePrecisionWeightsLoseALevelOnSomeRows) {
    PicturePtr pic = Picture::New(2, 7);
    const platform::Color c = RGB(0xC8, 0xC8, 0xC8);
    gradient(pic->Graphics(), 0, 0, 2, 7, c, c, true);
    // Row 1: a = (float)(5/6) = 0.83333331, b = (float)(1/6) = 0.16666667: 200 × 0.99999998
    // truncates to 199; row 5 the same the other way round; rows 2 and 4 sum to 1.00000003.
    const V want{200, 199, 200, 200, 200, 199, 200};
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(RedRow(*pic, row, 1, 1), V{want[row]}) << "row " << row;
}

TEST(PellivorGradientTest, HorizontalRunsFromLeftAndNarrowBands) {
    PicturePtr pic = Picture::New(3, 2);
    gradient(pic->Graphics(), 0, 0, 3, 2, RGB(255, 0, 0), RGB(0, 0, 255), false);
    // Column 1: 255 × 0.5 = 127.5 in red and blue.
    EXPECT_EQ(pic->RGBSurface().Pixel(1, 1), RGB(127, 0, 127));
    EXPECT_EQ(pic->RGBSurface().Pixel(2, 0), RGB(0, 0, 255));
    // One row high: drawn in c1; no row: nothing.
    PicturePtr band = Picture::New(3, 3);
    gradient(band->Graphics(), 0, 0, 3, 1, RGB(1, 2, 3), RGB(200, 200, 200), true);
    gradient(band->Graphics(), 0, 2, 3, 0, RGB(1, 2, 3), RGB(200, 200, 200), true);
    EXPECT_EQ(band->RGBSurface().Pixel(2, 0), RGB(1, 2, 3));
    EXPECT_EQ(band->RGBSurface().Pixel(2, 2), RGB(255, 255, 255));
}

TEST(PellivorGradientTest, FillAllFillsTheWholeGraphicsInItsColour) {
    PicturePtr pic = Picture::New(3, 3);
    platform::Graphics view = pic->Graphics().Clip(1, 1, 2, 2);
    view.ForeColor = RGB(7, 8, 9);
    FillAll(view);
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(pic->RGBSurface().Pixel(2, 2), RGB(7, 8, 9));
    EXPECT_EQ(view.ForeColor, RGB(7, 8, 9));
}

TEST(PellivorShadeTest, OvalShadeCircleAndTallEllipse) {
    PicturePtr circle = Picture::New(21, 21);
    OvalShade(circle, 10.5, 10.5, 10, 10, 5, RGB(0, 0, 0), RGB(255, 255, 255));
    // Centre moved to (10, 10); foci meet there, M = 10, s = 2d. Middle row: d = 5: black;
    // d = 6: (12 - 10) / 5 × 255 = 102; d = 7: 204; d = 8: s = 16 > 15: white.
    EXPECT_EQ(RedRow(*circle, 10, 15, 4), (V{0, 102, 204, 255}));
    EXPECT_EQ(RedRow(*circle, 10, 5, 1), V{0});
    kittest::SavePng(circle->Image(), "pellivor_oval_shade_circle.png");

    PicturePtr tall = Picture::New(21, 41);
    OvalShade(tall, 10, 20, 10, 30, 4, RGB(0, 0, 0), RGB(255, 255, 255));
    // f = √(225 - 25) = 14.142, M = 30. Column 10: row 35: s = 30: black; row 36: 32:
    // 2 / 4 × 255 = 127.5; row 37: 34: 255; row 38: 36 > 34: white.
    std::vector<int> column;
    for (int row = 35; row <= 38; ++row)
        column.push_back(tall->RGBSurface().Pixel(10, row).r);
    EXPECT_EQ(column, (V{0, 127, 255, 255}));
}

TEST(PellivorShadeTest, OvalShadeAutomaticEdgeEndsAtTheTopLeftPixel) {
    PicturePtr pic = Picture::New(40, 9);
    // As the callers use it: a flat ellipse 20 pixels shorter than the picture.
    OvalShade(pic, 20, 4.5, 20, 1, -1, RGB(255, 255, 255), RGB(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0).r, 0xA0);
    EXPECT_EQ(pic->RGBSurface().Pixel(19, 4).r, 255);  // on the axis, inside
    // Narrower than the margin (a negative width): no failure, the shade still ends at 0xA0.
    PicturePtr narrow = Picture::New(12, 6);
    OvalShade(narrow, 6, 3, -8, 1, -1, RGB(255, 255, 255), RGB(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(narrow->RGBSurface().Pixel(0, 0).r, 0xA0);
}

TEST(PellivorLineFillTest, DiagonalFillsOneSideWithASoftEdge) {
    PlacedPicture below = LineFillPicture(RGB(0, 0, 0), 0, 0, 4, 4, 1, true);
    ASSERT_TRUE(below.picture);
    // k = 1: side true fills below. The pixels next above the diagonal are 0.7071 away:
    // 180.3; two away (1.414 > 1): white.
    EXPECT_EQ(MaskRow(*below.picture, 0), (V{0, 180, 255, 255, 255}));
    EXPECT_EQ(MaskRow(*below.picture, 2), (V{0, 0, 0, 180, 255}));
    EXPECT_EQ(MaskRow(*below.picture, 4), (V{0, 0, 0, 0, 0}));
    PlacedPicture above = LineFillPicture(RGB(0, 0, 0), 0, 0, 4, 4, 1, false);
    EXPECT_EQ(MaskRow(*above.picture, 0), (V{0, 0, 0, 0, 0}));
    EXPECT_EQ(MaskRow(*above.picture, 2), (V{255, 180, 0, 0, 0}));
    kittest::SavePng(below.picture->Mask()->Image(), "pellivor_line_fill_diagonal_mask.png");
}

TEST(PellivorLineFillTest, AxisBoxesFromWholePointsAreSolid) {
    PicturePtr target = Picture::New(12, 10);
    platform::Graphics& g = target->Graphics();
    g.ForeColor = RGB(0, 0, 200);
    DrawLineAFill(g, 10, 8, 10, 3, 1, true);
    EXPECT_EQ(target->RGBSurface().Pixel(10, 3), RGB(0, 0, 200));
    EXPECT_EQ(target->RGBSurface().Pixel(10, 8), RGB(0, 0, 200));
    EXPECT_EQ(target->RGBSurface().Pixel(10, 9), RGB(255, 255, 255));
    EXPECT_EQ(target->RGBSurface().Pixel(10, 2), RGB(255, 255, 255));
    DrawLineAFill(g, 3, 5, 0, 5, 1, false);
    EXPECT_EQ(target->RGBSurface().Pixel(0, 5), RGB(0, 0, 200));
    EXPECT_EQ(target->RGBSurface().Pixel(3, 5), RGB(0, 0, 200));
    EXPECT_EQ(target->RGBSurface().Pixel(4, 5), RGB(255, 255, 255));
    EXPECT_FALSE(LineFillPicture(RGB(0, 0, 0), 10, 8, 10, 3, 1, true).picture->HasMask());
    EXPECT_EQ(g.ForeColor, RGB(0, 0, 200));
}
