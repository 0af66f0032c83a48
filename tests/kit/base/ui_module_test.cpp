#include "kit/base/ui_module.h"

#include "kit_test_util.h"
#include "platform/graphics.h"
#include "platform/rgbsurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::Color;
using platform::Picture;
using platform::PicturePtr;
using platform::RGB;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { UI_Module::ResetDefaults(); }
    void TearDown() override { UI_Module::ResetDefaults(); }
};

/// A picture whose pixel (x, y) has red x and green y, so that moves can be read back.
PicturePtr Coordinates(int w, int h) {
    PicturePtr pic = Picture::New(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            pic->RGBSurface().SetPixel(x, y, RGB(x, y, 0));
    }
    return pic;
}

/// The source column of each column of row 0 (by its red level).
std::vector<int> ColumnsOf(Picture& pic, int row = 0) {
    std::vector<int> columns;
    for (int x = 0; x < pic.Width(); ++x)
        columns.push_back(pic.RGBSurface().Pixel(x, row).r);
    return columns;
}

/// The source row of each row of column 0 (by its green level).
std::vector<int> RowsOf(Picture& pic, int column = 0) {
    std::vector<int> rows;
    for (int y = 0; y < pic.Height(); ++y)
        rows.push_back(pic.RGBSurface().Pixel(column, y).g);
    return rows;
}

}  // namespace

TEST_F(RegistryTest, FirstRegistrationMakesThePlaceholderThenAppends) {
    PicturePtr tick = Picture::New(17, 17);
    UI_Module::AddTexture(tick, "checkbox-tick");
    ASSERT_TRUE(UI_Module::Textures);
    EXPECT_EQ(UI_Module::Textures->size(), 2u);
    EXPECT_EQ(UI_Module::TextureIndex("checkbox-tick"), 1);
    EXPECT_EQ(UI_Module::TextureIndex("CHECKBOX-TICK"), 1);
    EXPECT_EQ(UI_Module::TextureIndex("never registered"), 0);
    EXPECT_EQ(UI_Module::TextureIndex("UI_Module"), 0);
    PicturePtr placeholder = UI_Module::GetTexture(0);
    ASSERT_TRUE(placeholder);
    EXPECT_EQ(placeholder->Width(), 1);
    EXPECT_EQ(placeholder->Height(), 1);
    EXPECT_EQ(UI_Module::GetTexture(1), tick);  // the picture itself, shared
    EXPECT_EQ(UI_Module::GetTexture(2), nullptr);
    EXPECT_EQ(UI_Module::GetTexture(-1), nullptr);
}

TEST_F(RegistryTest, RegisteringAgainKeepsTheIndexAndReplacesThePicture) {
    UI_Module::AddTexture(Picture::New(6, 17), "Arrows");  // a pop-up menu opens first
    UI_Module::AddTexture(Picture::New(17, 17), "checkbox-tick");
    PicturePtr again = Picture::New(17, 17);
    UI_Module::AddTexture(again, "Checkbox-Tick");
    EXPECT_EQ(UI_Module::TextureIndex("Arrows"), 1);
    EXPECT_EQ(UI_Module::TextureIndex("checkbox-tick"), 2);
    EXPECT_EQ(UI_Module::GetTexture(2), again);
    EXPECT_EQ(UI_Module::Textures->size(), 3u);
    // Registering under the placeholder's name replaces it at index 0.
    PicturePtr own = Picture::New(2, 2);
    UI_Module::AddTexture(own, "ui_module");
    EXPECT_EQ(UI_Module::GetTexture(0), own);
}

TEST_F(RegistryTest, NoPictureStoresNothingButMakesTheRegistry) {
    UI_Module::AddTexture(nullptr, "checkbox-tick");
    ASSERT_TRUE(UI_Module::Textures);
    EXPECT_EQ(UI_Module::Textures->size(), 1u);
    EXPECT_EQ(UI_Module::TextureIndex("checkbox-tick"), 0);
}

TEST_F(RegistryTest, LookupsBeforeAnyRegistrationFindThePlaceholder) {
    EXPECT_EQ(UI_Module::TextureIndex("Arrows"), 0);
    ASSERT_TRUE(UI_Module::GetTexture(0));
    EXPECT_EQ(UI_Module::GetTexture(0)->Width(), 1);
}

TEST_F(RegistryTest, TheNamedStyleRegistryIsAbsentSoBuiltInStylesApply) {
    EXPECT_FALSE(UI_Module::Styles);
    EXPECT_EQ(UI_Module::StyleFor("UI_Button"), std::nullopt);
    EXPECT_EQ(UI_Module::StyleVersionFor("UI_PopupMenu"), "1.0");
    UI_Module::Styles.emplace()["UI_PopupMenu"] = "packed";
    UI_Module::StylesVersion.emplace()["UI_PopupMenu"] = "1.0.1";
    EXPECT_EQ(UI_Module::StyleFor("UI_PopupMenu"), "packed");
    EXPECT_EQ(UI_Module::StyleFor("UI_Button"), std::nullopt);
    EXPECT_EQ(UI_Module::StyleVersionFor("UI_PopupMenu"), "1.0.1");
    EXPECT_EQ(UI_Module::StyleVersionFor("UI_Checkbox"), "1.0");
}

TEST(RotateTest, QuarterTurnsMoveEveryPixel) {
    PicturePtr source = Coordinates(6, 17);
    PicturePtr clockwise = UI_Module::Rotate(source, 90, RGB(0, 0, 0), 0);
    ASSERT_EQ(clockwise->Width(), 17);
    ASSERT_EQ(clockwise->Height(), 6);
    // (x, y) lands at (H-1-y, x): (0, 0) at (16, 0), (5, 16) at (0, 5).
    EXPECT_EQ(clockwise->RGBSurface().Pixel(16, 0), RGB(0, 0, 0));
    EXPECT_EQ(clockwise->RGBSurface().Pixel(0, 5), RGB(5, 16, 0));
    EXPECT_EQ(clockwise->RGBSurface().Pixel(13, 2), RGB(2, 3, 0));  // from (2, 3)
    PicturePtr counter = UI_Module::Rotate(source, 270, RGB(0, 0, 0), 0);
    ASSERT_EQ(counter->Width(), 17);
    // (x, y) lands at (y, W-1-x): (0, 0) at (0, 5), (5, 0) at (0, 0).
    EXPECT_EQ(counter->RGBSurface().Pixel(0, 5), RGB(0, 0, 0));
    EXPECT_EQ(counter->RGBSurface().Pixel(0, 0), RGB(5, 0, 0));
    EXPECT_EQ(counter->RGBSurface().Pixel(3, 2), RGB(3, 3, 0));  // from (3, 3)
    kittest::SavePng(clockwise->Image(), "rotate_90_of_6x17.png");
}

TEST(RotateTest, NegativeAnglesCountOnceFrom360) {
    PicturePtr source = Coordinates(6, 17);
    struct Pair {
        double negative;
        double positive;
    };
    for (const Pair& p : {Pair{-90, 270}, Pair{-270, 90}, Pair{-180, 180}}) {
        PicturePtr a = UI_Module::Rotate(source, p.negative, RGB(0, 0, 0), 0);
        PicturePtr b = UI_Module::Rotate(source, p.positive, RGB(0, 0, 0), 0);
        EXPECT_EQ(a->Image(), b->Image()) << p.negative;
    }
}

TEST(RotateTest, NoTurnIsTheSamePictureAndOtherAnglesGiveNothingVisible) {
    PicturePtr source = Coordinates(3, 2);
    for (double angle : {0.0, 360.0, -360.0})
        EXPECT_EQ(UI_Module::Rotate(source, angle, RGB(0, 0, 0), 0), source) << angle;
    for (double angle : {45.0, 450.0, -450.0}) {
        PicturePtr nothing = UI_Module::Rotate(source, angle, RGB(0, 0, 0), 0);
        ASSERT_TRUE(nothing) << angle;
        // Drawn anywhere, it changes no pixel.
        PicturePtr target = Picture::New(2, 2);
        target->Graphics().DrawPicture(*nothing, 0, 0);
        EXPECT_EQ(target->RGBSurface().Pixel(0, 0), RGB(255, 255, 255)) << angle;
    }
    EXPECT_EQ(UI_Module::Rotate(nullptr, 90, RGB(0, 0, 0), 0), nullptr);
}

TEST(RotateTest, QuarterTurnsTurnTheMaskAndTheHalfTurnDropsIt) {
    PicturePtr source = Coordinates(4, 2);
    // Mask column 0 transparent, the rest opaque.
    platform::Graphics& mask = source->Mask()->Graphics();
    mask.ForeColor = RGB(255, 255, 255);
    mask.FillRect(0, 0, 1, 2);
    PicturePtr turned = UI_Module::Rotate(source, 90, RGB(0, 0, 0), 0);
    ASSERT_TRUE(turned->HasMask());
    // Source column 0 becomes result row 0.
    EXPECT_EQ(kittest::MaskRow(*turned, 0), (std::vector<int>{255, 255}));
    EXPECT_EQ(kittest::MaskRow(*turned, 1), (std::vector<int>{0, 0}));

    PicturePtr half = UI_Module::Rotate(source, 180, RGB(0, 0, 0), 0);
    EXPECT_FALSE(half->HasMask());
    // The masked column shows the new picture's white, at its mirrored place (3, 1).
    EXPECT_EQ(half->RGBSurface().Pixel(3, 1), RGB(255, 255, 255));
    EXPECT_EQ(half->RGBSurface().Pixel(0, 0), RGB(3, 1, 0));  // from (3, 1)
}

struct FlipCase {
    const char* name;
    int width;
    int horizontal;
    std::vector<int> columns;  // source column of each column
};
// clang-format off
const FlipCase kFlipCases[] = {
    {"MirrorOdd",        5, 1, {4, 3, 2, 1, 0}},
    {"MirrorEven",       4, 1, {3, 2, 1, 0}},
    {"LeftHalfOntoOdd",  5, 2, {0, 1, 2, 1, 0}},
    {"LeftHalfOntoEven", 4, 2, {0, 1, 1, 0}},
    {"NothingForMode0",  4, 0, {0, 1, 2, 3}},
    {"NothingForMode7",  4, 7, {0, 1, 2, 3}},
};
// clang-format on
class FlipTest : public ::testing::TestWithParam<FlipCase> {};
TEST_P(FlipTest, ColumnsComeFrom) {
    const FlipCase& c = GetParam();
    PicturePtr pic = Coordinates(c.width, 3);
    UI_Module::Flip(pic, c.horizontal, 0);
    EXPECT_EQ(ColumnsOf(*pic, 0), c.columns);
    EXPECT_EQ(ColumnsOf(*pic, 2), c.columns);
}
INSTANTIATE_TEST_SUITE_P(Modes, FlipTest, ::testing::ValuesIn(kFlipCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FlipTest, VerticalModesAndBothAxes) {
    PicturePtr rows = Coordinates(2, 5);
    UI_Module::Flip(rows, 0, 2);
    EXPECT_EQ(RowsOf(*rows), (std::vector<int>{0, 1, 2, 1, 0}));

    // Both mirrors equal a half turn of a picture without a mask.
    PicturePtr both = Coordinates(5, 4);
    UI_Module::Flip(both, 1, 1);
    EXPECT_EQ(both->Image(), UI_Module::Rotate(Coordinates(5, 4), 180, RGB(0, 0, 0), 0)->Image());

    // (2, 2): every quarter mirrors the top-left one.
    PicturePtr quarters = Coordinates(6, 6);
    UI_Module::Flip(quarters, 2, 2);
    EXPECT_EQ(quarters->RGBSurface().Pixel(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(quarters->RGBSurface().Pixel(4, 0), RGB(1, 0, 0));
    EXPECT_EQ(quarters->RGBSurface().Pixel(1, 4), RGB(1, 1, 0));
    EXPECT_EQ(ColumnsOf(*quarters, 5), (std::vector<int>{0, 1, 2, 2, 1, 0}));
    EXPECT_EQ(RowsOf(*quarters, 3), (std::vector<int>{0, 1, 2, 2, 1, 0}));
    UI_Module::Flip(nullptr, 1, 1);  // nothing to do
}

TEST(FlipTest, BlendMixesWithTheMirrorImage) {
    // Columns 0 and 1 are 0 and 200 in red: each becomes a near-even mix of itself and its
    // mirror pixel (128/255 of the mirror over 127/255 of itself).
    PicturePtr pic = Picture::New(2, 1);
    pic->RGBSurface().SetPixel(0, 0, RGB(0, 0, 0));
    pic->RGBSurface().SetPixel(1, 0, RGB(200, 200, 200));
    UI_Module::Flip(pic, 3, 0);
    const int left = pic->RGBSurface().Pixel(0, 0).r;
    const int right = pic->RGBSurface().Pixel(1, 0).r;
    EXPECT_NEAR(left, 100, 1);  // 200 × 128 / 255 = 100.4
    EXPECT_NEAR(right, 99, 1);  // 200 × 127 / 255 = 99.6
    // A picture symmetric about its middle stays as it was, within the blend's precision.
    PicturePtr symmetric = Picture::New(3, 1);
    symmetric->RGBSurface().SetPixel(0, 0, RGB(10, 10, 10));
    symmetric->RGBSurface().SetPixel(1, 0, RGB(50, 50, 50));
    symmetric->RGBSurface().SetPixel(2, 0, RGB(10, 10, 10));
    UI_Module::Flip(symmetric, 3, 0);
    EXPECT_NEAR(symmetric->RGBSurface().Pixel(0, 0).r, 10, 1);
    EXPECT_NEAR(symmetric->RGBSurface().Pixel(1, 0).r, 50, 1);
    EXPECT_NEAR(symmetric->RGBSurface().Pixel(2, 0).r, 10, 1);
}
