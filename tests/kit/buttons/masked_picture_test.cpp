#include "kit/buttons/variables_buttons.h"
#include "platform/graphics.h"
#include "platform/rgbsurface.h"

#include <gtest/gtest.h>

namespace {

// A strip whose image columns are coloured by their index and whose mask columns are greys
// 10 apart, so that every column of the result names where it came from.
platform::PicturePtr MakeStrip(int width, int height) {
    auto strip = platform::Picture::New(width, height);
    platform::RGBSurface& s = strip->RGBSurface();
    const int half = width / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (x < half)
                s.SetPixel(x, y, platform::RGB(x * 8, y * 8, 200));
            else
                s.SetPixel(x, y, platform::RGB((x - half) * 10, (x - half) * 10, (x - half) * 10));
        }
    }
    return strip;
}

TEST(MaskedPicture, LeftHalfIsTheImageAndTheNextHalfItsMask) {
    for (const int width : {32, 33}) {
        auto strip = MakeStrip(width, 16);
        if (width == 33)  // the unused last column of an odd strip
            for (int y = 0; y < 16; ++y)
                strip->RGBSurface().SetPixel(32, y, platform::RGB(255, 0, 0));
        const auto result = Variables::loadMaskedPicture(strip);
        ASSERT_TRUE(result) << width;
        EXPECT_EQ(result->Width(), 16) << width;
        EXPECT_EQ(result->Height(), 16) << width;
        ASSERT_TRUE(result->HasMask()) << width;
        const platform::Picture* mask = result->Mask(false);
        for (int y = 0; y < 16; y += 5) {
            for (int x = 0; x < 16; ++x) {
                EXPECT_EQ(result->RGBSurface().Pixel(x, y), platform::RGB(x * 8, y * 8, 200))
                    << width << " at " << x << "," << y;
                // Mask column x is strip column 16 + x: grey 10 * x.
                const platform::Color m =
                    const_cast<platform::Picture*>(mask)->RGBSurface().Pixel(x, y);
                EXPECT_EQ(m, platform::RGB(x * 10, x * 10, x * 10))
                    << width << " at " << x << "," << y;
            }
        }
    }
}

TEST(MaskedPicture, NoStripOrTooNarrowGivesNone) {
    EXPECT_EQ(Variables::loadMaskedPicture(nullptr), nullptr);
    EXPECT_EQ(Variables::loadMaskedPicture(platform::Picture::New(1, 8)), nullptr);
    const auto two = Variables::loadMaskedPicture(platform::Picture::New(2, 8));
    ASSERT_TRUE(two);
    EXPECT_EQ(two->Width(), 1);
}

}  // namespace
