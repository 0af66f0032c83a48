// The bitmap compositions of the "Border", "Browser" and "Smart" wide resize methods on small
// generated bitmaps whose pixels name their own position.
#include "engine/picture/border.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/method_pictures.h"
#include "engine/picture/scale_fixed_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using methodpictures::At;
using methodpictures::RowPixel;
using methodpictures::SkinPixel;
using platform::Color;
using platform::RGB;

const Color kBorder = RGB(0, 128, 0);

TEST(BorderCanvas, SkinCentredSpriteMovedByTwiceTheShift) {
    // Skin 8 x 6, bitmap 8 x 10 (sprite rows 6 to 9), output 12 x 10: sx = sy = 2 and the
    // canvas is 12 wide and 10 + 2 * 2 = 14 high.
    const platform::PicturePtr source = methodpictures::Make(8, 10, SkinPixel);
    const platform::PicturePtr before = source->Copy();
    const platform::PicturePtr canvas = platform::Picture::New(12, 14);
    border::ComposeCanvas(*canvas, *source, border::Shifts{2, 2}, 8, 6, kBorder);
    methodpictures::SaveRendered("border_canvas", *canvas);

    // Rows 0-1 and 8-9 are border; the skin fills columns 2-9 of rows 2-7.
    EXPECT_EQ(At(*canvas, 5, 0), kBorder);
    EXPECT_EQ(At(*canvas, 5, 1), kBorder);
    EXPECT_EQ(At(*canvas, 1, 2), kBorder);
    EXPECT_EQ(At(*canvas, 2, 2), RGB(0, 0, 100));    // skin (0, 0)
    EXPECT_EQ(At(*canvas, 9, 7), RGB(70, 50, 100));  // skin (7, 5)
    EXPECT_EQ(At(*canvas, 10, 7), kBorder);
    EXPECT_EQ(At(*canvas, 5, 8), kBorder);  // between skin and sprite area
    EXPECT_EQ(At(*canvas, 5, 9), kBorder);
    // Sprite rows 6-9 land on rows 6 + 4 = 10 to 13, columns 2-9.
    EXPECT_EQ(At(*canvas, 2, 10), RGB(200, 0, 60));   // source (0, 6)
    EXPECT_EQ(At(*canvas, 5, 11), RGB(200, 30, 70));  // source (3, 7)
    EXPECT_EQ(At(*canvas, 9, 13), RGB(200, 70, 90));  // source (7, 9)
    EXPECT_EQ(At(*canvas, 1, 13), kBorder);
    EXPECT_EQ(At(*canvas, 11, 10), kBorder);
    // The input bitmap is not painted over.
    for (int y = 0; y < 10; ++y)
        EXPECT_TRUE(methodpictures::SameRow(*source, y, *before, y, 8)) << "row " << y;
}

TEST(BorderCanvas, OddHeightDifferenceStartsSpriteOnLastOutputRow) {
    // Skin 4 x 6 in a 4 x 8 bitmap, output 4 x 7: sy = 0 (1 / 2 truncated), so the sprite
    // area stays at row 6, the last row of the output height.
    const platform::PicturePtr source = methodpictures::Make(4, 8, SkinPixel);
    const platform::PicturePtr canvas = platform::Picture::New(4, 8);
    border::ComposeCanvas(*canvas, *source, border::ComputeShifts(4, 6, 4, 7), 4, 6, kBorder);
    for (int y = 0; y < 8; ++y)
        EXPECT_TRUE(methodpictures::SameRow(*canvas, y, *source, y, 4)) << "row " << y;
}

TEST(BorderCanvas, NegativeShiftsCutTheSkin) {
    // Batch mode may shrink: skin 8 x 6 in 8 x 10, output 6 x 4 gives sx = sy = -1; canvas
    // 6 wide, 10 - 2 = 8 high. Canvas (0, 0) is skin (1, 1); the skin's rows 1-5 cover canvas
    // rows 0-4, over the sprite row 6 that moved to row 4; sprite row 7 shows on row 5.
    const platform::PicturePtr source = methodpictures::Make(8, 10, SkinPixel);
    const platform::PicturePtr canvas = platform::Picture::New(6, 8);
    border::ComposeCanvas(*canvas, *source, border::ComputeShifts(8, 6, 6, 4), 8, 6, kBorder);
    EXPECT_EQ(At(*canvas, 0, 0), RGB(10, 10, 100));
    EXPECT_EQ(At(*canvas, 0, 4), RGB(10, 50, 100));  // skin (1, 5)
    EXPECT_EQ(At(*canvas, 5, 5), RGB(200, 60, 70));  // source (6, 7)
    EXPECT_EQ(At(*canvas, 0, 7), RGB(200, 10, 90));  // source (1, 9)
}

// Rows of the source that the "Browser" stretch puts on each output row left of the skin
// width, worked out from the rule: with b the browser bottom and d the difference, rows up to
// b - 4 stay, rows b - 3 to b - 2 + d repeat row b - 2, and rows from b - 1 on move by d.
struct StretchCase {
    const char* name;
    std::int32_t outHeight;
    std::vector<int> sourceRows;
};

// Skin 6 x 10 in an 8 x 13 bitmap (sprite rows 10-12); the first browser at y 3, height 4:
// b = 7, so row 5 is repeated and row 6 (the browser's last row) starts the lower part.
// clang-format off
const StretchCase kStretchCases[] = {
    {"GrowByThree",       13, {0, 1, 2, 3, 5, 5, 5, 5, 5, 6, 7, 8, 9}},
    {"SameHeight",        10, {0, 1, 2, 3, 5, 5, 6, 7, 8, 9}},
    {"ShrinkByTwo",        8, {0, 1, 2, 3, 6, 7, 8, 9}},
    {"ShrinkPastCopies",   5, {0, 6, 7, 8, 9}},
};
// clang-format on

class BrowserStretchTest : public ::testing::TestWithParam<StretchCase> {};

TEST_P(BrowserStretchTest, RowsCopiedStretchedAndMoved) {
    const StretchCase& c = GetParam();
    const platform::PicturePtr source = methodpictures::Make(8, 13, RowPixel);
    const platform::PicturePtr canvas = platform::Picture::New(8, 13 + c.outHeight - 10);
    methodlines::RunningLine cursor;
    browserresize::StretchRows(*canvas, *source, 6, 10, c.outHeight, 7, cursor);
    methodpictures::SaveRendered(std::string("browser_stretch_") + c.name, *canvas);

    ASSERT_EQ(static_cast<int>(c.sourceRows.size()), c.outHeight);
    for (int y = 0; y < c.outHeight; ++y) {
        EXPECT_TRUE(methodpictures::SameRow(*canvas, y, *source, c.sourceRows[y], 6))
            << "output row " << y << " should be input row " << c.sourceRows[y];
        // Right of the skin width nothing is drawn above the output height.
        EXPECT_EQ(At(*canvas, 6, y), RGB(255, 255, 255)) << "row " << y;
    }
    // The sprite area keeps its full width below the output height.
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(methodpictures::SameRow(*canvas, c.outHeight + k, *source, 10 + k, 8))
            << "sprite row " << k;
}

INSTANTIATE_TEST_SUITE_P(Heights, BrowserStretchTest, ::testing::ValuesIn(kStretchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BrowserStretch, RowCopiesCountedByTheCursor) {
    const platform::PicturePtr source = methodpictures::Make(8, 13, RowPixel);
    const platform::PicturePtr canvas = platform::Picture::New(8, 16);
    methodlines::RunningLine cursor;
    browserresize::StretchRows(*canvas, *source, 6, 10, 13, 7, cursor);
    EXPECT_EQ(cursor.index, 4);  // the difference plus 1 after copies -3 to 3
}

// Column k of the column fixture is red k * 10 so that a canvas column names its source.
Color ColumnPixel(int x, int y) {
    return RGB(10 * x, 5 * y, 0);
}

struct ColumnCase {
    const char* name;
    int sourceWidth;
    std::int32_t scaledWidth;
    std::vector<int> sourceColumns;
};

// S = 10, width 14: m = 3, r = 7, c = 7, last = 11; S = 11, width 15: m = 3, r = 7, c = 7,
// last = trunc(11.5) = 11. Column m + 3 is covered by the right run.
// clang-format off
const ColumnCase kColumnCases[] = {
    {"EvenSource", 10, 14, {0, 1, 2, 3, 3, 3, 3, 4, 5, 7, 7, 7, 8, 9}},
    {"OddSource",  11, 15, {0, 1, 2, 3, 3, 3, 3, 4, 5, 7, 7, 7, 8, 9, 10}},
};
// clang-format on

class ColumnStretchTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnStretchTest, EveryCanvasColumnCopiedFromItsSource) {
    const ColumnCase& c = GetParam();
    const platform::PicturePtr source = methodpictures::Make(c.sourceWidth, 3, ColumnPixel);
    const platform::PicturePtr canvas =
        methodpictures::Make(c.scaledWidth, 3, [](int, int) { return RGB(255, 0, 0); });
    fixedpicture::StretchColumns(*canvas, *source, c.scaledWidth);
    methodpictures::SaveRendered(std::string("centre_columns_") + c.name, *canvas);
    ASSERT_EQ(static_cast<int>(c.sourceColumns.size()), c.scaledWidth);
    for (int x = 0; x < c.scaledWidth; ++x)
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(At(*canvas, x, y), ColumnPixel(c.sourceColumns[x], y))
                << "column " << x << " row " << y;
}

INSTANTIATE_TEST_SUITE_P(Widths, ColumnStretchTest, ::testing::ValuesIn(kColumnCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ColumnStretch, SkinWidthOf1024To1280) {
    // m = 510, r = 514, last = 770: canvas 0-509 are source 0-509, 510-639 repeat 510,
    // 640-641 are 511-512, 642-769 repeat 514, 770-1279 are 514-1023.
    const auto named = [](int x, int) { return RGB(x & 0xFF, x >> 8, 7); };
    const platform::PicturePtr source = methodpictures::Make(1024, 1, named);
    const platform::PicturePtr canvas = platform::Picture::New(1280, 1);
    fixedpicture::StretchColumns(*canvas, *source, 1280);
    const std::pair<int, int> expected[] = {{0, 0},     {509, 509}, {510, 510},  {639, 510},
                                            {640, 511}, {641, 512}, {642, 514},  {769, 514},
                                            {770, 514}, {771, 515}, {1279, 1023}};
    for (const auto& [column, from] : expected)
        EXPECT_EQ(At(*canvas, column, 0), named(from, 0)) << "canvas column " << column;
}

TEST(CentreColumnMargins, CustomElementsWidenOrHeighten) {
    // 100 * 2 + 1200 = 1400 > 1280: right 120, the bottom is not examined for that entry.
    EXPECT_EQ(fixedpicture::CustomVisualMargins({"100*50*1200*10*4*2"}, 1280, 768).right, 120);
    EXPECT_EQ(fixedpicture::CustomVisualMargins({"100*50*1200*10*40*2"}, 1280, 768).bottom, 0);
    // One row of three frames: 100 * 3 + 1250 = 1550, right 270.
    EXPECT_EQ(fixedpicture::CustomVisualMargins({"100*50*1250*10*3*0"}, 1280, 768).right, 270);
    // Rows end at 210; (6 / 2) * 50 + 700 = 850 > 768: bottom 82.
    const fixedpicture::Margins both = fixedpicture::CustomVisualMargins(
        {"100*50*10*700*6*2", "100*50*1200*10*4*2", "100*50*10*700*7*2"}, 1280, 768);
    EXPECT_EQ(both.right, 120);
    EXPECT_EQ(both.bottom, 107);  // (7 / 2) * 50 + 700 - 768 = 107
    EXPECT_EQ(fixedpicture::CustomVisualMargins({}, 1280, 768).right, 0);
}

}  // namespace
