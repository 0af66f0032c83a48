#include "kit/base/control_drawing.h"

#include "kit/toggles/checkbox_tick.h"
#include "paint_probe.h"
#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <QImage>

using platform::Picture;
using platform::PicturePtr;
using toggles_test::Hex;
using toggles_test::PixelAt;

namespace {

// A 10 × 10 backdrop whose pixel (x, y) has red 10x + 5 and green 10y + 5, so a pixel tells
// where it came from.
PicturePtr CoordinateBackdrop() {
    PicturePtr backdrop = Picture::New(10, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            backdrop->Image().setPixel(x, y, qRgb(10 * x + 5, 10 * y + 5, 0));
    }
    return backdrop;
}

platform::Color FromBackdrop(int x, int y) {
    return platform::RGB(10 * x + 5, 10 * y + 5, 0);
}

struct BackgroundCase {
    const char* name;
    bool hasBackcolor;
    bool withBackdrop;
    int left, top;
    // what lands at (0, 0) and (4, 4) of a 5 × 5 control; -1 means the plain colour
    int x0, y0, x4, y4;
};
// clang-format off
const BackgroundCase kBackgroundCases[] = {
    {"OwnColourHidesTheBackdrop",   true,  true,  3,  4,  -1, -1, -1, -1},
    {"NoBackdropShowsWindowColour", false, false, 3,  4,  -1, -1, -1, -1},
    {"SliceUnderTheControl",        false, true,  3,  4,   3,  4,  7,  8},
    // Left one less than the backdrop's width: one column of slice, the rest window colour.
    {"LastColumnStillSliced",       false, true,  9,  2,   9,  2, -1, -1},
    {"LeftAtTheWidthGetsNoSlice",   false, true,  10, 2,  -1, -1, -1, -1},
    {"TopAtTheHeightGetsNoSlice",   false, true,  2,  10, -1, -1, -1, -1},
    // A negative position passes the test; the part before the backdrop keeps the colour.
    {"NegativeLeftSlicesThePart",   false, true,  -2, 0,  -1, -1,  2,  4},
};
// clang-format on

class BackgroundTest : public ::testing::TestWithParam<BackgroundCase> {};

TEST_P(BackgroundTest, PaintsWhatLiesBehindTheControl) {
    const BackgroundCase& c = GetParam();
    const PicturePtr backdrop = CoordinateBackdrop();
    kit::Backdrop behind;
    behind.hasBackcolor = c.hasBackcolor;
    behind.backcolor = Hex(0x123456);
    behind.windowColor = Hex(0xEDEDED);
    behind.picture = c.withBackdrop ? backdrop.get() : nullptr;
    behind.left = c.left;
    behind.top = c.top;
    behind.width = 5;
    behind.height = 5;
    const PicturePtr picture = Picture::New(5, 5);
    kit::DrawControlBackground(picture->Graphics(), behind);
    const platform::Color plain = c.hasBackcolor ? Hex(0x123456) : Hex(0xEDEDED);
    EXPECT_EQ(PixelAt(*picture, 0, 0), c.x0 < 0 ? plain : FromBackdrop(c.x0, c.y0));
    EXPECT_EQ(PixelAt(*picture, 4, 4), c.x4 < 0 ? plain : FromBackdrop(c.x4, c.y4));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, BackgroundTest, ::testing::ValuesIn(kBackgroundCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A 4 × 3 texture whose columns are red, green, blue and white.
PicturePtr StripedTexture() {
    PicturePtr texture = Picture::New(4, 3);
    const QRgb columns[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            texture->Image().setPixel(x, y, columns[x]);
    }
    return texture;
}

TEST(TextureFillTest, ExactlyAsLargeIsDrawnOnce) {
    const PicturePtr texture = StripedTexture();
    const PicturePtr area = Picture::New(4, 3);
    kit::DrawTextureFill(area->Graphics(), texture.get(), false);
    EXPECT_EQ(PixelAt(*area, 0, 0), Hex(0xFF0000));
    EXPECT_EQ(PixelAt(*area, 3, 2), Hex(0xFFFFFF));
}

TEST(TextureFillTest, OnePixelNarrowerIsTiled) {
    const PicturePtr texture = StripedTexture();
    const PicturePtr area = Picture::New(5, 7);
    kit::DrawTextureFill(area->Graphics(), texture.get(), false);
    EXPECT_EQ(PixelAt(*area, 4, 0), Hex(0xFF0000));  // the second column of tiles starts
    EXPECT_EQ(PixelAt(*area, 1, 3), Hex(0x00FF00));  // second row of tiles
    EXPECT_EQ(PixelAt(*area, 2, 6), Hex(0x0000FF));  // third row, cut after one line
}

TEST(TextureFillTest, GreyedTextureUsesTheLumaOfEachPixel) {
    const PicturePtr texture = StripedTexture();
    const PicturePtr area = Picture::New(4, 3);
    kit::DrawTextureFill(area->Graphics(), texture.get(), true);
    EXPECT_EQ(PixelAt(*area, 0, 1), Hex(0x4C4C4C));
    EXPECT_EQ(PixelAt(*area, 1, 1), Hex(0x959595));
    EXPECT_EQ(PixelAt(*area, 2, 1), Hex(0x1D1D1D));
    EXPECT_EQ(PixelAt(*area, 3, 1), Hex(0xFEFEFE));
}

TEST(TextureFillTest, GreyedTransparentPixelsBecomeOpaque) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 255, 0, 0));  // transparent green
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const Picture texture(image);
    const PicturePtr area = Picture::New(2, 1);
    area->Graphics().ForeColor = Hex(0x000000);
    area->Graphics().FillRect(0, 0, 2, 1);
    kit::DrawTextureFill(area->Graphics(), &texture, true);
    EXPECT_EQ(PixelAt(*area, 0, 0), Hex(0x959595));
    EXPECT_EQ(PixelAt(*area, 1, 0), Hex(0x4C4C4C));
    // Not greyed, the transparent pixel lets the black through.
    kit::DrawTextureFill(area->Graphics(), &texture, false);
    EXPECT_EQ(PixelAt(*area, 0, 0), Hex(0x959595));
    area->Graphics().FillRect(0, 0, 2, 1);
    kit::DrawTextureFill(area->Graphics(), &texture, false);
    EXPECT_EQ(PixelAt(*area, 0, 0), Hex(0x000000));
}

TEST(TextureFillTest, NoTextureDrawsNothing) {
    const PicturePtr area = Picture::New(3, 3);
    kit::DrawTextureFill(area->Graphics(), nullptr, true);
    EXPECT_EQ(PixelAt(*area, 1, 1), Hex(0xFFFFFF));
}

TEST(StringToPictureTest, DecodesTheTickAcrossItsLineBreaks) {
    const PicturePtr tick = kit::StringToPicture(kit::kCheckboxTickBase64);
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick->Width(), 17);
    EXPECT_EQ(tick->Height(), 17);
    ASSERT_TRUE(tick->HasAlpha());
    EXPECT_EQ(qAlpha(tick->Image().pixel(7, 11)), 255);
    EXPECT_EQ(qAlpha(tick->Image().pixel(12, 5)), 255);
    EXPECT_EQ(qAlpha(tick->Image().pixel(0, 0)), 0);
    EXPECT_EQ(PixelAt(*tick, 7, 11), Hex(0xFFFFFF));
}

TEST(StringToPictureTest, TextThatIsNoPictureGivesNone) {
    EXPECT_FALSE(kit::StringToPicture(""));
    EXPECT_FALSE(kit::StringToPicture("not base64 at all!"));
    EXPECT_FALSE(kit::StringToPicture("aGVsbG8gd29ybGQ="));  // "hello world"
}

}  // namespace
