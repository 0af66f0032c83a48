#include "platform/picture.h"

#include "picture_test_util.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/rgbsurface.h"
#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdlib>
#include <string>

using namespace platform;
using namespace picturetest;

namespace {

std::string EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

}  // namespace

TEST(PictureTest, NewPictureIsWhiteAndHasNoMaskUntilAsked) {
    Picture picture(3, 2);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(At(picture, x, y), kWhite) << x << "," << y;
    EXPECT_FALSE(picture.HasMask());
    EXPECT_EQ(picture.Mask(false), nullptr);
    EXPECT_FALSE(picture.HasMask());
}

TEST(PictureTest, MaskIsMadeOpaqueBlackOnFirstUseAndKept) {
    Picture picture(4, 4);
    Picture* mask = picture.Mask();
    ASSERT_NE(mask, nullptr);
    EXPECT_TRUE(mask->IsMask());
    EXPECT_EQ(mask->Width(), 4);
    EXPECT_EQ(MaskAt(picture, 0, 0), 0);
    EXPECT_EQ(MaskAt(picture, 3, 3), 0);
    EXPECT_EQ(picture.Mask(), mask);
    EXPECT_EQ(mask->Mask(), nullptr);
}

TEST(PictureTest, SidesWithoutPixelsAreRefused) {
    EXPECT_THROW(Picture(0, 5), OutOfBoundsException);
    EXPECT_THROW(Picture(5, -1), OutOfBoundsException);
}

TEST(PictureTest, PicturesAboveTheCapsAreRefusedBeforeAllocation) {
    // 16385 is one above the side cap; 10001 × 10001 is 100,020,001 pixels, above 100 M.
    const auto refusal = [](int w, int h) -> std::string {
        try {
            Picture(w, h);
        } catch (const PictureTooLargeException& e) {
            EXPECT_EQ(e.Width(), w);
            EXPECT_EQ(e.Height(), h);
            return e.what();
        }
        return "made";
    };
    EXPECT_EQ(refusal(16385, 1),
              "A picture of 16385 x 1 pixels is too large: at most 16384 pixels a side are "
              "handled.");
    EXPECT_EQ(refusal(1, 16385),
              "A picture of 1 x 16385 pixels is too large: at most 16384 pixels a side are "
              "handled.");
    EXPECT_EQ(refusal(10001, 10001),
              "A picture of 10001 x 10001 pixels is too large: at most 100000000 pixels are "
              "handled.");
    EXPECT_NE(PictureSizeRefusal(30000, 30000).find("too large"), std::string::npos);
    EXPECT_EQ(PictureSizeRefusal(16384, 6000), "");
}

TEST(PictureTest, EnvironmentLowersThePixelCapButNeverRaisesIt) {
    {
        const ScopedEnv cap("MALVOREN_MAX_PIXELS", "5000");
        EXPECT_EQ(MaxPicturePixels(), 5000);
        EXPECT_THROW(Picture(100, 51), PictureTooLargeException);  // 5100 pixels
        EXPECT_NO_THROW(Picture(100, 50));                         // exactly 5000
        // A decoded image is held to the same cap as a new one.
        EXPECT_THROW(Picture(QImage(51, 100, QImage::Format_RGB32)), PictureTooLargeException);
        EXPECT_NO_THROW(Picture(QImage(50, 100, QImage::Format_RGB32)));
    }
    for (const char* value : {"999999999999", "junk"}) {
        const ScopedEnv cap("MALVOREN_MAX_PIXELS", value);
        EXPECT_EQ(MaxPicturePixels(), kMaxPicturePixels) << value;
    }
}

TEST(PictureTest, FromDataKeepsAlpha) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 255, 0));
    PicturePtr picture = Picture::FromData(EncodePng(image));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->HasAlpha());
    EXPECT_EQ(qAlpha(picture->Image().pixel(1, 0)), 0);
    EXPECT_EQ(At(*picture, 0, 0), kRed);
}

TEST(PictureTest, FromDataOfGarbageGivesNoPicture) {
    EXPECT_EQ(Picture::FromData(""), nullptr);
    EXPECT_EQ(Picture::FromData("not a picture at all"), nullptr);
}

TEST(PictureTest, MaskOfAnAlphaPictureTakesTheTransparency) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(255, 0, 0, 0));
    image.setPixel(2, 0, qRgba(255, 0, 0, 55));
    Picture picture(image);
    // grey = 255 - alpha: 0, 255, 200.
    EXPECT_EQ(MaskAt(picture, 0, 0), 0);
    EXPECT_EQ(MaskAt(picture, 1, 0), 255);
    EXPECT_EQ(MaskAt(picture, 2, 0), 200);
    EXPECT_FALSE(picture.HasAlpha());
}

TEST(PictureTest, CopyIsDeepMaskIncluded) {
    Picture picture(2, 2);
    picture.Mask()->RGBSurface().SetPixel(1, 1, kWhite);
    PicturePtr copy = picture.Copy();
    picture.RGBSurface().SetPixel(0, 0, kRed);
    picture.Mask()->RGBSurface().SetPixel(0, 0, kWhite);
    EXPECT_EQ(At(*copy, 0, 0), kWhite);
    ASSERT_TRUE(copy->HasMask());
    EXPECT_EQ(MaskAt(*copy, 1, 1), 255);
    EXPECT_EQ(MaskAt(*copy, 0, 0), 0);
}
