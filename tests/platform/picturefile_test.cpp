#include "platform/picturefile.h"

#include "picture_test_util.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/rgbsurface.h"
#include "support/png_bytes.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace platform;
using namespace picturetest;
using testsupport::PngClaiming;
using testsupport::ReadAll;
using testsupport::TempFolder;

namespace {

/// A 4 × 3 picture with distinct pixels, flat enough for JPEG to keep its colours near.
PicturePtr Sample() {
    auto picture = Picture::New(4, 3);
    auto& g = picture->Graphics();
    g.ForeColor = kRed;
    g.FillRect(0, 0, 2, 3);
    g.ForeColor = kBlue;
    g.FillRect(2, 0, 2, 3);
    return picture;
}

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

}  // namespace

TEST(PictureFileTest, FormatFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(PictureFormatFromName("skin.BMP"), PictureFormat::BMP);
    EXPECT_EQ(PictureFormatFromName("a.b.png"), PictureFormat::PNG);
    EXPECT_EQ(PictureFormatFromName("skin.jpg"), PictureFormat::JPEG);
    EXPECT_EQ(PictureFormatFromName("skin.Jpeg"), PictureFormat::JPEG);
    EXPECT_EQ(PictureFormatFromName("skin.gif"), std::nullopt);
    EXPECT_EQ(PictureFormatFromName("skin"), std::nullopt);
}

struct FormatCase {
    const char* name;
    PictureFormat format;
    const char* file;
    int tolerance;  // JPEG is lossy
};

const FormatCase kFormatCases[] = {
    {"Bmp", PictureFormat::BMP, "out.bmp", 0},
    {"Png", PictureFormat::PNG, "out.png", 0},
    {"Jpeg", PictureFormat::JPEG, "out.jpg", 40},
};

class PictureFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormatTest, WritesAndReadsBack) {
    TempFolder folder;
    const auto path = folder / GetParam().file;
    SavePicture(*Sample(), path, GetParam().format);
    const PictureRead read = ReadPictureFile(path);
    const std::string& why = read.refusal;
    PicturePtr back = read.picture;
    ASSERT_NE(back, nullptr) << why;
    EXPECT_EQ(back->Width(), 4);
    EXPECT_EQ(back->Height(), 3);
    EXPECT_FALSE(back->HasAlpha());
    const int t = GetParam().tolerance;
    const Color left = At(*back, 0, 1);
    const Color right = At(*back, 3, 1);
    EXPECT_NEAR(left.r, 255, t);
    EXPECT_NEAR(left.b, 0, t);
    EXPECT_NEAR(right.r, 0, t);
    EXPECT_NEAR(right.b, 255, t);
}

TEST_P(PictureFormatTest, ADirectoryNamedLikeTheBitmapIsRefused) {
    TempFolder folder;
    const auto path = folder / GetParam().file;
    std::filesystem::create_directory(path);
    const PictureRead read = ReadPictureFile(path);
    const std::string& why = read.refusal;
    EXPECT_EQ(read.picture, nullptr);
    EXPECT_NE(why.find("folder"), std::string::npos) << why;
    EXPECT_THROW(SavePicture(*Sample(), path, GetParam().format), IOException);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureFormatTest, ::testing::ValuesIn(kFormatCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFileTest, BmpIsWrittenWith24BitsAPixel) {
    const std::string bmp = EncodePicture(*Sample(), PictureFormat::BMP);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(LittleEndianAt(bmp, 28, 2), 24u);
}

TEST(PictureFileTest, PngIsWrittenAs8BitRgbWithoutAlpha) {
    const std::string png = EncodePicture(*Sample(), PictureFormat::PNG);
    // IHDR follows the signature and the chunk's length and type: bit depth at 24, colour
    // type at 25 (2 = RGB).
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
}

TEST(PictureFileTest, SavingReplacesAnOlderFile) {
    TempFolder folder;
    const auto path = folder.Write("out.png", "old bytes");
    SavePicture(*Sample(), path, PictureFormat::PNG);
    EXPECT_NE(OpenAsPicture(path), nullptr);
}

TEST(PictureFileTest, SavingIntoAMissingFolderFails) {
    TempFolder folder;
    EXPECT_THROW(SavePicture(*Sample(), folder / "nowhere" / "out.png", PictureFormat::PNG),
                 IOException);
}

TEST(PictureFileTest, TransparencyOfASkinBitmapIsFlattenedOnWhite) {
    TempFolder folder;
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    image.setPixel(2, 0, qRgba(255, 0, 0, 128));
    const auto path = folder / "alpha.png";
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));

    PicturePtr flat = OpenAsPicture(path);
    ASSERT_NE(flat, nullptr);
    EXPECT_FALSE(flat->HasAlpha());
    EXPECT_EQ(At(*flat, 0, 0), kRed);
    EXPECT_EQ(At(*flat, 1, 0), kWhite);
    // Red at alpha 128 on white: green and blue 255 × (255 − 128) / 255 = 127, ±1 rounding.
    EXPECT_EQ(At(*flat, 2, 0).r, 255);
    EXPECT_NEAR(At(*flat, 2, 0).g, 127, 1);

    PicturePtr kept = OpenAsPicture(path, PictureAlpha::Keep);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->HasAlpha());
    EXPECT_EQ(qAlpha(kept->Image().pixel(1, 0)), 0);
}

struct BadFileCase {
    const char* name;
    const char* file;
    std::string (*bytes)();
    const char* reason;  // a word the refusal holds
};

const BadFileCase kBadFiles[] = {
    {"EmptyFile", "skin.png", [] { return std::string(); }, "no readable picture"},
    {"Garbage", "skin.bmp", [] { return std::string(5000, '\x5a'); }, "no readable picture"},
    {"TruncatedPng", "skin.png",
     [] {
         auto big = Picture::New(300, 200);
         for (int y = 0; y < 200; ++y)
             for (int x = 0; x < 300; ++x)
                 big->RGBSurface().SetPixel(x, y, RGB(x, y, x ^ y));
         const std::string png = EncodePicture(*big, PictureFormat::PNG);
         return png.substr(0, png.size() / 2);
     },
     "no readable picture"},
    {"JpegWithAWrongHeader", "skin.jpg",
     [] {
         std::string jpeg = EncodePicture(*Sample(), PictureFormat::JPEG);
         jpeg[0] = 'X';
         jpeg[1] = 'Y';
         return jpeg;
     },
     "no readable picture"},
    {"PngClaiming30000Square", "skin.png", [] { return PngClaiming(30000, 30000); }, "too large"},
    {"PngClaimingTooManyPixels", "skin.png", [] { return PngClaiming(16000, 16000); }, "too large"},
    // Qt's own reader already refuses a BMP header that its data cannot fill.
    {"GifIsNotASkinFormat", "skin.png",
     [] { return std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 13); }, "no readable picture"},
    {"BmpClaiming30000Square", "skin.bmp",
     [] {
         std::string bmp = EncodePicture(*Sample(), PictureFormat::BMP);
         bmp.replace(18, 4, std::string("\x30\x75\x00\x00", 4));  // width 30000
         bmp.replace(22, 4, std::string("\x30\x75\x00\x00", 4));  // height 30000
         return bmp;
     },
     "no readable picture"},
    {"BmpOneAboveTheSideCap", "skin.bmp",
     [] {
         QImage wide(16385, 1, QImage::Format_RGB32);
         wide.fill(0xFFFFFFFFu);
         QByteArray bytes;
         QBuffer buffer(&bytes);
         buffer.open(QIODevice::WriteOnly);
         wide.save(&buffer, "BMP");
         return bytes.toStdString();
     },
     "too large"},
};

class BadPictureFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadPictureFileTest, GivesNoPictureAndAReason) {
    TempFolder folder;
    const auto path = folder.Write(GetParam().file, GetParam().bytes());
    const PictureRead read = ReadPictureFile(path);
    const std::string& why = read.refusal;
    EXPECT_EQ(read.picture, nullptr);
    EXPECT_NE(why.find(GetParam().reason), std::string::npos) << why;
    EXPECT_NE(why.find(path.string()), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(Files, BadPictureFileTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFileTest, SizeComesFromTheHeaderWithoutDecoding) {
    TempFolder folder;
    SavePicture(*Picture::New(30, 20), folder / "skin.png", PictureFormat::PNG);
    EXPECT_EQ(PictureFileSize(folder / "skin.png"), QSize(30, 20));
    // A header that claims more than the caps is read as it stands; nothing is decoded.
    EXPECT_EQ(PictureFileSize(folder.Write("big.png", PngClaiming(30000, 30000))),
              QSize(30000, 30000));
    EXPECT_EQ(PictureFileSize(folder / "none.png"), std::nullopt);
    EXPECT_EQ(PictureFileSize(folder.Path()), std::nullopt);
    EXPECT_EQ(PictureFileSize(folder.Write("junk.png", "no picture")), std::nullopt);
    EXPECT_EQ(PictureFileSize(
                  folder.Write("skin.gif", std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 13))),
              std::nullopt);
}

TEST(PictureFileTest, MissingFileGivesNoPicture) {
    TempFolder folder;
    const PictureRead read = ReadPictureFile(folder / "none.png");
    const std::string& why = read.refusal;
    EXPECT_EQ(read.picture, nullptr);
    EXPECT_NE(why.find("does not exist"), std::string::npos);
}

TEST(PictureFileTest, LoweredPixelCapRefusesALegalPicture) {
    TempFolder folder;
    const auto path = folder / "skin.png";
    SavePicture(*Picture::New(100, 60), path, PictureFormat::PNG);
    const PictureRead read = [&path] {
        const ScopedEnv cap("MALVOREN_MAX_PIXELS", "5000");
        return ReadPictureFile(path);
    }();
    const std::string& why = read.refusal;
    PicturePtr refused = read.picture;
    EXPECT_EQ(refused, nullptr);
    EXPECT_NE(why.find("5000"), std::string::npos) << why;
    EXPECT_NE(OpenAsPicture(path), nullptr);
}

TEST(PictureFileTest, LargePictureWithinTheCapsIsRead) {
    // 6000 × 6000 decodes to 144 MB, above Qt's default allocation limit of 128 MB.
    TempFolder folder;
    const auto path = folder / "large.bmp";
    {
        QImage image(6000, 6000, QImage::Format_RGB32);
        image.fill(0xFF102030u);
        ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
    }
    const PictureRead read = ReadPictureFile(path);
    const std::string& why = read.refusal;
    PicturePtr picture = read.picture;
    ASSERT_NE(picture, nullptr) << why;
    EXPECT_EQ(picture->Width(), 6000);
    EXPECT_EQ(At(*picture, 5999, 5999), RGB(0x10, 0x20, 0x30));
}
