#include "engine/picture/scaler.h"

#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/rgbsurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::Picture;
using platform::PicturePtr;
using platform::RGB;

namespace {

/// A size × size gradient: red 10 × column, green 10 × row, blue 77.
PicturePtr Gradient(int size) {
    auto picture = Picture::New(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture->RGBSurface().SetPixel(x, y, RGB(10 * x, 10 * y, 77));
    return picture;
}

}  // namespace

struct BoxCase {
    const char* name;
    int source;
    int size;
    std::vector<int> expected;  // red at columns 1, 2, ... of row 1 (green down column 1)
};

// With p = i × source / size, each inner value is 10 × (trunc(p − D) + trunc(p − D + E)) / 2,
// the integer mean of two samples taken twice.
const BoxCase kBoxCases[] = {
    // Ratio 0.8 (D 0.45, E 0.5), step 1.25: p 1.25 → columns 0 and 1 → 5; p 2.5 → 2 and 2;
    // p 3.75 → 3 and 3; p 5 → 4 and 5 → 45.
    {"ShrinkAboveHalf", 25, 20, {5, 20, 30, 45}},
    // Ratio 0.4 (D 0.75, E 2), step 2.5: p 2.5 → 1 and 3; p 5 → 4 and 6; p 7.5 → 6 and 8;
    // p 10 → 9 and 11.
    {"ShrinkBelowHalf", 25, 10, {20, 50, 70, 100}},
    // Ratio exactly 0.5 (D 0, E 1): columns 2j and 2j + 1.
    {"ExactlyHalf", 20, 10, {25, 45, 65, 85}},
    // Ratio 2.5 (D 0.45, E 0.5), step 0.4: p 0.4 → trunc(−0.05) = 0 and 0; p 0.8 → 0, 0;
    // p 1.2 → 0, 1 → 5; p 1.6 → 1, 1; p 2 → 1, 2 → 15; p 2.4 → 1, 2 → 15; p 2.8 → 2, 2.
    {"Enlarge", 10, 25, {0, 0, 5, 10, 15, 15, 20}},
    // Ratio 1: columns j − 1 and j, a half-pixel shift up and left.
    {"SameSize", 12, 12, {5, 15, 25, 35}},
};

class BoxFilterTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxFilterTest, SamplesFollowTheRatio) {
    const BoxCase& c = GetParam();
    PicturePtr result = Variables::ScalePicture1(Gradient(c.source), c.size, c.size);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Width(), c.size);
    EXPECT_EQ(result->Height(), c.size);
    for (std::size_t k = 0; k < c.expected.size(); ++k) {
        const int at = static_cast<int>(k) + 1;
        EXPECT_EQ(result->RGBSurface().Pixel(at, 1).r, c.expected[k]) << "column " << at;
        EXPECT_EQ(result->RGBSurface().Pixel(1, at).g, c.expected[k]) << "row " << at;
        EXPECT_EQ(result->RGBSurface().Pixel(at, at).b, 77);
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, BoxFilterTest, ::testing::ValuesIn(kBoxCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BoxFilterTest, MeanDropsTheRemainder) {
    // Same size: pixel (1, 1) averages (0, 0), (1, 0), (0, 1) and (1, 1); red
    // (255 + 255 + 255 + 254) / 4 = 1019 / 4 = 254.
    auto source = Picture::New(3, 3);
    source->RGBSurface().SetPixel(0, 0, RGB(255, 0, 0));
    source->RGBSurface().SetPixel(1, 0, RGB(255, 0, 0));
    source->RGBSurface().SetPixel(0, 1, RGB(255, 0, 0));
    source->RGBSurface().SetPixel(1, 1, RGB(254, 0, 0));
    PicturePtr result = Variables::ScalePicture1(source, 3, 3);
    EXPECT_EQ(result->RGBSurface().Pixel(1, 1), RGB(254, 0, 0));
}

TEST(BoxFilterTest, UniformSourceStaysUniform) {
    auto source = Picture::New(37, 23);
    source->Graphics().ForeColor = RGB(12, 200, 99);
    source->Graphics().FillRect(0, 0, 37, 23);
    for (const auto& [w, h] : {std::pair{80, 11}, std::pair{37, 23}, std::pair{5, 60}}) {
        PicturePtr result = Variables::ScalePicture1(source, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(result->RGBSurface().Pixel(x, y), RGB(12, 200, 99))
                    << w << "x" << h << " at " << x << "," << y;
    }
}

TEST(BoxFilterTest, TinyResultIsThePlainDrawingAlone) {
    PicturePtr result = Variables::ScalePicture1(Gradient(10), 2, 7);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Width(), 2);
    EXPECT_EQ(result->Height(), 7);
}

TEST(BoxFilterTest, HugeEnlargementReadsTheLastColumnInsteadOfBeyondIt) {
    // 2 → 100 is 50 times: column 98 has p = 1.96, samples trunc(1.51) = 1 and
    // trunc(2.01) = 2, which is past the last column and reads column 1: red 10.
    PicturePtr result = Variables::ScalePicture1(Gradient(2), 100, 100);
    EXPECT_EQ(result->RGBSurface().Pixel(98, 98), RGB(10, 10, 77));
}

TEST(BoxFilterTest, NoSourceGivesNoPictureAndBadSizesThrow) {
    EXPECT_EQ(Variables::ScalePicture1(nullptr, 10, 10), nullptr);
    EXPECT_THROW(Variables::ScalePicture1(Gradient(4), 0, 10), platform::OutOfBoundsException);
}

// The outer rows and columns are the plain scaled drawing of the source onto a new picture,
// whether the source is opaque or has a mask, growing, shrinking or both.
TEST(BoxFilterTest, OuterRingIsTheScaledDrawing) {
    auto source = Picture::New(29, 17);
    unsigned state = 99;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 29; ++x) {
            state = state * 1103515245u + 12345u;
            source->RGBSurface().SetPixel(x, y, RGB(8 * x, 14 * y, (state >> 16) & 255));
        }
    auto masked = source->Copy();
    masked->Mask()->Graphics().ForeColor = RGB(255, 255, 255);
    masked->Mask()->Graphics().FillRect(3, 2, 5, 4);
    for (const PicturePtr& pic : {source, masked}) {
        for (const auto& [w, h] : {std::pair{29, 17}, std::pair{61, 40}, std::pair{13, 8},
                                   std::pair{50, 9}, std::pair{7, 33}, std::pair{2, 5}}) {
            const PicturePtr result = Variables::ScalePicture1(pic, w, h);
            auto drawn = Picture::New(w, h);
            drawn->Graphics().DrawPicture(*pic, 0, 0, w, h, 0, 0, 29, 17);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (x != 0 && y != 0 && x != w - 1 && y != h - 1 && w > 2 && h > 2)
                        continue;
                    ASSERT_EQ(result->RGBSurface().Pixel(x, y), drawn->RGBSurface().Pixel(x, y))
                        << (pic == masked ? "masked " : "opaque ") << w << "x" << h << " at " << x
                        << "," << y;
                }
            EXPECT_FALSE(result->HasMask());
            EXPECT_FALSE(result->HasAlpha());
        }
    }
}
