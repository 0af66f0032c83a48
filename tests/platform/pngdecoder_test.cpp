#include "platform/pngdecoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace platform;

namespace {

QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = 777;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            // Smooth ramps plus noise, so every filter sees carries and borrows.
            image.setPixel(
                x, y, qRgb((x * 9 + (state >> 28)) & 255, (y * 5 + x) & 255, (state >> 24) & 255));
        }
    return image;
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(v >> shift));
}

void PutChunk(std::string& out, const char* type, const std::string& body) {
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    const std::string typed = std::string(type, 4) + body;
    out += typed;
    PutU32(out, static_cast<std::uint32_t>(
                    crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size())));
}

/// How the test writes a PNG of an image: the filter of each row, the IDAT chunk size and
/// the header's fields, and what it adds or breaks.
struct Shape {
    int bitDepth = 8;
    int colourType = 2;
    int interlace = 0;
    std::size_t idatBytes = 1 << 20;
    int rowsMissing = 0;
    bool harmlessChunks = false;
    bool transparency = false;
    bool gamma = false;
    int filterOverride = -1;
};

unsigned char Predict(int filter, int a, int b, int c) {
    switch (filter) {
        case 1:
            return static_cast<unsigned char>(a);
        case 2:
            return static_cast<unsigned char>(b);
        case 3:
            return static_cast<unsigned char>((a + b) / 2);
        case 4: {
            const int p = a + b - c;
            const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            return static_cast<unsigned char>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
        }
        default:
            return 0;
    }
}

/// The image as a PNG whose row y takes filter y % 5 (the textbook definitions).
std::string WritePng(const QImage& image, const Shape& shape = {}) {
    const int w = image.width();
    const int h = image.height();
    std::string ihdr;
    PutU32(ihdr, static_cast<std::uint32_t>(w));
    PutU32(ihdr, static_cast<std::uint32_t>(h));
    ihdr += {static_cast<char>(shape.bitDepth), static_cast<char>(shape.colourType), 0, 0,
             static_cast<char>(shape.interlace)};
    std::string raw;
    std::vector<unsigned char> prior(static_cast<std::size_t>(w) * 3, 0), row(prior.size());
    for (int y = 0; y < h - shape.rowsMissing; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            row[3 * x] = static_cast<unsigned char>(qRed(p));
            row[3 * x + 1] = static_cast<unsigned char>(qGreen(p));
            row[3 * x + 2] = static_cast<unsigned char>(qBlue(p));
        }
        const int filter = shape.filterOverride >= 0 ? shape.filterOverride : y % 5;
        raw.push_back(static_cast<char>(filter));
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int a = i >= 3 ? row[i - 3] : 0;
            const int c = i >= 3 ? prior[i - 3] : 0;
            raw.push_back(static_cast<char>(row[i] - Predict(filter % 5, a, prior[i], c)));
        }
        prior = row;
    }
    std::string zlib(compressBound(raw.size()), '\0');
    uLongf size = zlib.size();
    compress(reinterpret_cast<Bytef*>(zlib.data()), &size,
             reinterpret_cast<const Bytef*>(raw.data()), raw.size());
    zlib.resize(size);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", ihdr);
    if (shape.harmlessChunks) {
        PutChunk(png, "pHYs", std::string("\x00\x00\x0b\x13\x00\x00\x0b\x13\x01", 9));
        PutChunk(png, "tEXt", std::string("Comment\0skin", 12));
    }
    if (shape.gamma)
        PutChunk(png, "gAMA", std::string("\x00\x00\xb1\x8f", 4));
    if (shape.transparency)
        PutChunk(png, "tRNS", std::string("\x00\x01\x00\x02\x00\x03", 6));
    for (std::size_t at = 0; at < zlib.size(); at += shape.idatBytes)
        PutChunk(png, "IDAT", zlib.substr(at, shape.idatBytes));
    if (shape.harmlessChunks)
        PutChunk(png, "tIME", std::string("\x07\xea\x0c\x0b\x09\x00\x00", 7));
    PutChunk(png, "IEND", {});
    return png;
}

QImage QtDecode(const std::string& png) {
    QImage image;
    image.loadFromData(QByteArray::fromStdString(png), "PNG");
    return image;
}

}  // namespace

struct DecodeCase {
    const char* name;
    int width;
    int height;
    Shape shape;
};

const DecodeCase kDecodeCases[] = {
    // clang-format off
    {"EveryFilterInTurn",        37, 23, {}},
    {"OnePixel",                  1,  1, {}},
    {"OneColumnEveryFilter",      1, 11, {}},
    {"TwoPixelsWide",             2,  9, {}},
    {"OneRow",                   29,  1, {}},
    {"IdatOfSevenBytes",         31, 17, {.idatBytes = 7}},
    {"HarmlessChunksAround",     16, 12, {.harmlessChunks = true}},
    {"AllPaeth",                 40, 30, {.filterOverride = 4}},
    {"AllAverage",               40, 30, {.filterOverride = 3}},
    // clang-format on
};

class PngDecoderTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PngDecoderTest, GivesQtsPixels) {
    const DecodeCase& c = GetParam();
    const QImage image = Noise(c.width, c.height);
    const std::string png = WritePng(image, c.shape);
    const QImage qt = QtDecode(png);
    ASSERT_FALSE(qt.isNull());
    ASSERT_EQ(qt, image);  // the test's own writer is right
    const auto ours = DecodeCommonPng(png, 1'000'000);
    ASSERT_TRUE(ours.has_value());
    EXPECT_EQ(ours->format(), qt.format());
    EXPECT_EQ(*ours, qt);
}

INSTANTIATE_TEST_SUITE_P(Pngs, PngDecoderTest, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct LeaveCase {
    const char* name;
    Shape shape;
    std::int64_t maxPixels = 1'000'000;
};

const LeaveCase kLeaveCases[] = {
    // clang-format off
    {"SixteenBits",            {.bitDepth = 16}},
    {"WithAlpha",              {.colourType = 6}},
    {"Grey",                   {.colourType = 0}},
    {"Interlaced",             {.interlace = 1}},
    {"Transparency",           {.transparency = true}},
    {"ColourSpace",            {.gamma = true}},
    {"RowsMissing",            {.rowsMissing = 1}},
    {"UnknownFilter",          {.filterOverride = 5}},
    {"AboveThePixelCap",       {}, 20 * 10 - 1},
    // clang-format on
};

class PngDecoderLeavesTest : public ::testing::TestWithParam<LeaveCase> {};

// Anything but the common kind, and anything irregular, is left to Qt's reader.
TEST_P(PngDecoderLeavesTest, LeavesItToQt) {
    const std::string png = WritePng(Noise(20, 10), GetParam().shape);
    EXPECT_FALSE(DecodeCommonPng(png, GetParam().maxPixels).has_value());
}

INSTANTIATE_TEST_SUITE_P(Pngs, PngDecoderLeavesTest, ::testing::ValuesIn(kLeaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PngDecoderBrokenTest, ABrokenFileIsLeftToQt) {
    const std::string png = WritePng(Noise(20, 10));
    std::string badCrc = png;
    badCrc[8 + 8 + 13] ^= 1;  // the IHDR's checksum
    EXPECT_FALSE(DecodeCommonPng(badCrc, 1'000'000).has_value());
    for (std::size_t cut : {png.size() - 1, png.size() - 12, png.size() / 2, std::size_t{8}})
        EXPECT_FALSE(DecodeCommonPng(png.substr(0, cut), 1'000'000).has_value()) << cut;
    EXPECT_FALSE(DecodeCommonPng("", 1'000'000).has_value());
    EXPECT_FALSE(DecodeCommonPng("GIF89a", 1'000'000).has_value());
}
