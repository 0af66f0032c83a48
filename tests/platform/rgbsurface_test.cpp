#include "platform/rgbsurface.h"

#include "picture_test_util.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

using namespace platform;
using namespace picturetest;

namespace {

/// Builds a picture from rows of letters: '.' white, 'K' black, 'R' red, 'N' near-white
/// (0xFEFEFE).
PicturePtr FromRows(const std::vector<std::string>& rows) {
    auto picture = Picture::New(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x) {
            const char c = rows[y][x];
            picture->RGBSurface().SetPixel(x, y,
                                           c == 'K'   ? kBlack
                                           : c == 'R' ? kRed
                                           : c == 'N' ? RGB(254, 254, 254)
                                                      : kWhite);
        }
    return picture;
}

std::vector<std::string> ToRows(Picture& picture) {
    std::vector<std::string> rows;
    for (int y = 0; y < picture.Height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.Width(); ++x) {
            const Color c = At(picture, x, y);
            row += c == kBlack ? 'K' : c == kRed ? 'R' : c == kWhite ? '.' : 'N';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(RGBSurfaceTest, PixelsReadBackAsWrittenAndOutsideReadsBlack) {
    Picture picture(3, 3);
    RGBSurface& s = picture.RGBSurface();
    s.SetPixel(2, 1, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(s.Pixel(2, 1), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(s.Row(1)[2], 0xFF123456u);  // red in bits 16 to 23, opaque
    s.SetPixel(-1, 0, kRed);
    s.SetPixel(3, 0, kRed);
    EXPECT_EQ(s.Pixel(-1, 0), kBlack);
    EXPECT_EQ(s.Pixel(0, 3), kBlack);
    EXPECT_THROW(s.Row(3), OutOfBoundsException);
    EXPECT_THROW(s.GreyRow(0), OutOfBoundsException);
}

TEST(RGBSurfaceTest, MaskPixelsAreGreys) {
    Picture picture(2, 1);
    RGBSurface& mask = picture.Mask()->RGBSurface();
    mask.SetPixel(0, 0, RGB(77, 77, 77));
    mask.SetPixel(1, 0, kRed);  // (255 × 11) / 32 = 87
    EXPECT_EQ(mask.Pixel(0, 0), RGB(77, 77, 77));
    EXPECT_EQ(mask.Pixel(1, 0), RGB(87, 87, 87));
    EXPECT_EQ(mask.GreyRow(0)[0], 77);
    EXPECT_THROW(mask.Row(0), OutOfBoundsException);
}

struct FloodCase {
    const char* name;
    std::vector<std::string> before;
    int x;
    int y;
    std::vector<std::string> after;
};

// clang-format off
const FloodCase kFloodCases[] = {
    {"FillsTheConnectedArea",
     {"..K..", "..K..", "..K.."}, 0, 0,
     {"RRK..", "RRK..", "RRK.."}},
    {"NeverCrossesADiagonal",
     {".KK", "K.K", "KK."}, 0, 0,
     {"RKK", "K.K", "KK."}},
    {"MatchesTheExactColourOnly",
     {"..N", "...", "N.."}, 1, 1,
     {"RRN", "RRR", "NRR"}},
    {"StaysInsideAClosedRing",
     {".....", ".KKK.", ".K.K.", ".KKK.", "....."}, 2, 2,
     {".....", ".KKK.", ".KRK.", ".KKK.", "....."}},
    {"LeavesAnOpenRingThroughItsGap",
     {".....", ".KKK.", ".K.K.", ".K.K.", "....."}, 2, 2,
     {"RRRRR", "RKKKR", "RKRKR", "RKRKR", "RRRRR"}},
    {"FillsAWindingPath",
     {"...K.", "KK.K.", "...K.", ".KKK.", "....."}, 0, 0,
     {"RRRKR", "KKRKR", "RRRKR", "RKKKR", "RRRRR"}},
    {"OutsideStartDoesNothing",
     {"..", ".."}, 5, 0,
     {"..", ".."}},
    {"SameColourDoesNothing",
     {"RR", "K."}, 0, 0,
     {"RR", "K."}},
};
// clang-format on

class FloodFillTest : public ::testing::TestWithParam<FloodCase> {};

TEST_P(FloodFillTest, FillsFourConnectedExactColour) {
    PicturePtr picture = FromRows(GetParam().before);
    picture->RGBSurface().FloodFill(GetParam().x, GetParam().y, kRed);
    EXPECT_EQ(ToRows(*picture), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Shapes, FloodFillTest, ::testing::ValuesIn(kFloodCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RGBSurfaceTest, FloodFillOfALargeAreaDoesNotExhaustTheStack) {
    // A comb of 1-pixel teeth: every column is its own run, the worst case for span fills.
    Picture picture(2000, 1000);
    picture.Graphics().ForeColor = kBlack;
    for (int x = 1; x < 2000; x += 2)
        picture.Graphics().FillRect(x, 0, 1, 999);
    picture.RGBSurface().FloodFill(0, 0, kRed);
    EXPECT_EQ(At(picture, 1998, 0), kRed);
    EXPECT_EQ(At(picture, 1999, 999), kRed);
    EXPECT_EQ(At(picture, 1999, 998), kBlack);
}

TEST(RGBSurfaceTest, FloodFillOnAMaskFillsGreys) {
    Picture picture(3, 1);
    RGBSurface& mask = picture.Mask()->RGBSurface();
    mask.SetPixel(1, 0, kWhite);
    mask.FloodFill(0, 0, RGB(9, 9, 9));
    EXPECT_EQ(mask.Pixel(0, 0).r, 9);
    EXPECT_EQ(mask.Pixel(1, 0).r, 255);
    EXPECT_EQ(mask.Pixel(2, 0).r, 0);
}

TEST(RGBSurfaceTest, TransformMapsEachChannelThroughItsTable) {
    Picture picture(2, 1);
    picture.RGBSurface().SetPixel(0, 0, RGB(10, 20, 30));
    picture.RGBSurface().SetPixel(1, 0, RGB(255, 0, 128));
    picture.Mask()->RGBSurface().SetPixel(1, 0, RGB(40, 40, 40));
    std::vector<std::int32_t> invert(256), plus300(256), minus(256);
    for (int i = 0; i < 256; ++i) {
        invert[i] = 255 - i;
        plus300[i] = i + 300;
        minus[i] = i - 300;
    }
    picture.RGBSurface().Transform(invert, plus300, minus);
    // red 255 − v; green v + 300 clamps to 255; blue v − 300 clamps to 0.
    EXPECT_EQ(At(picture, 0, 0), RGB(245, 255, 0));
    EXPECT_EQ(At(picture, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(MaskAt(picture, 1, 0), 40);
}

TEST(RGBSurfaceTest, InvertingTwiceGivesThePictureBack) {
    Picture picture(3, 1);
    picture.RGBSurface().SetPixel(0, 0, RGB(1, 2, 3));
    picture.RGBSurface().SetPixel(2, 0, RGB(200, 100, 0));
    std::vector<std::int32_t> invert(256);
    for (int i = 0; i < 256; ++i)
        invert[i] = 255 - i;
    picture.RGBSurface().Transform(invert);
    EXPECT_EQ(At(picture, 0, 0), RGB(254, 253, 252));
    EXPECT_EQ(At(picture, 1, 0), kBlack);
    picture.RGBSurface().Transform(invert);
    EXPECT_EQ(At(picture, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(picture, 2, 0), RGB(200, 100, 0));
}

TEST(RGBSurfaceTest, TransformKeepsAlpha) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 77));
    Picture picture(image);
    std::vector<std::int32_t> invert(256);
    for (int i = 0; i < 256; ++i)
        invert[i] = 255 - i;
    picture.RGBSurface().Transform(invert);
    EXPECT_EQ(picture.Image().pixel(0, 0), qRgba(255, 255, 255, 77));
}

TEST(RGBSurfaceTest, TransformRefusesTablesOfTheWrongSize) {
    Picture picture(1, 1);
    EXPECT_THROW(picture.RGBSurface().Transform(std::vector<std::int32_t>(255)),
                 OutOfBoundsException);
    EXPECT_EQ(At(picture, 0, 0), kWhite);
}
