#include "platform/pngencoder.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstring>
#include <string>

using namespace platform;

namespace {

/// Noise with smooth parts, large enough (3.6 MB of rows) to be deflated in several bands.
QImage Sample() {
    QImage image(1200, 1000, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = static_cast<int>(state >> 29);
            line[x] = qRgb((x + noise) & 255, (y * 3) & 255, ((x ^ y) + noise) & 255);
        }
    }
    return image;
}

}  // namespace

struct EncoderCase {
    const char* name;
    PngDeflater deflater;
    int level;
    int threads;
};

const EncoderCase kEncoderCases[] = {
    {"LibdeflateLevel1", PngDeflater::LibdeflateWhole, 1, 0},
    {"LibdeflateLevel6", PngDeflater::LibdeflateWhole, 6, 0},
    {"BandsLevel1", PngDeflater::ZlibBands, 1, 0},
    {"BandsLevel6OneThread", PngDeflater::ZlibBands, 6, 1},
    {"BandsLevel6ManyThreads", PngDeflater::ZlibBands, 6, 7},
};

class PngEncoderTest : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(PngEncoderTest, DecodesToTheSamePixels) {
    const QImage image = Sample();
    PngEncoderOptions options;
    options.deflater = GetParam().deflater;
    options.level = GetParam().level;
    options.threads = GetParam().threads;
    const std::string png = EncodePng(image, options);
    QImage back;
    ASSERT_TRUE(back.loadFromData(QByteArray::fromStdString(png), "PNG"));
    ASSERT_EQ(back.size(), image.size());
    back = back.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        ASSERT_EQ(0, std::memcmp(back.constScanLine(y), image.constScanLine(y), image.width() * 4))
            << "row " << y;
}

INSTANTIATE_TEST_SUITE_P(Deflaters, PngEncoderTest, ::testing::ValuesIn(kEncoderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PngEncoderTest, OnePixelPicture) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(0xFF123456u);
    QImage back;
    ASSERT_TRUE(back.loadFromData(QByteArray::fromStdString(EncodePng(image)), "PNG"));
    EXPECT_EQ(back.pixel(0, 0), 0xFF123456u);
}
