#include "platform/pngencoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

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

/// The IDAT chunks' data joined: the zlib stream.
std::string ZlibStream(const std::string& png) {
    std::string stream;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const auto* p = reinterpret_cast<const unsigned char*>(png.data() + at);
        const std::size_t length = (std::size_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        if (png.compare(at + 4, 4, "IDAT") == 0)
            stream.append(png, at + 8, length);
        at += 12 + length;
    }
    return stream;
}

}  // namespace

struct EncoderCase {
    const char* name;
    PngDeflater deflater;
    int level;
    int threads;
    std::size_t minBandBytes = 256 * 1024;
};

const EncoderCase kEncoderCases[] = {
    {"LibdeflateLevel1", PngDeflater::LibdeflateWhole, 1, 0},
    {"LibdeflateLevel6", PngDeflater::LibdeflateWhole, 6, 0},
    {"BandsLevel1", PngDeflater::ZlibBands, 1, 0},
    {"BandsLevel6OneThread", PngDeflater::ZlibBands, 6, 1},
    {"BandsLevel6ManyThreads", PngDeflater::ZlibBands, 6, 7},
    {"RunBandsOneThread", PngDeflater::ZlibRunBands, 6, 1},
    {"RunBandsManyThreads", PngDeflater::ZlibRunBands, 6, 7},
    // A band of a row or two: every band edge primes its dictionary from rows filtered again.
    {"BandsOfSingleRows", PngDeflater::ZlibBands, 6, 5, 1},
    {"RunBandsOfSingleRows", PngDeflater::ZlibRunBands, 6, 5, 1},
};

class PngEncoderTest : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(PngEncoderTest, DecodesToTheSamePixels) {
    const QImage image = Sample();
    PngEncoderOptions options;
    options.deflater = GetParam().deflater;
    options.level = GetParam().level;
    options.threads = GetParam().threads;
    options.minBandBytes = GetParam().minBandBytes;
    const std::string png = EncodePng(image, options);
    // A PNG reader may stop at the last row; zlib itself checks the stream to its checksum.
    const std::string stream = ZlibStream(png);
    std::vector<unsigned char> rows(static_cast<std::size_t>(image.height()) *
                                    (image.width() * 3 + 1));
    uLongf size = static_cast<uLongf>(rows.size());
    EXPECT_EQ(Z_OK, uncompress(rows.data(), &size, reinterpret_cast<const Bytef*>(stream.data()),
                               stream.size()));
    EXPECT_EQ(size, rows.size());
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

// Pictures narrower than a pixel's three bytes of filter history, a row of one pixel, a
// column of one pixel, and sizes that split unevenly into bands.
TEST_P(PngEncoderTest, OddSizesDecodeToTheSamePixels) {
    const QSize sizes[] = {{1, 1}, {2, 1}, {1, 9}, {2, 3}, {3, 2}, {5, 9}, {13, 17}, {31, 7}};
    for (const QSize& size : sizes) {
        const QImage image = Sample().copy(QRect(QPoint(7, 3), size));
        PngEncoderOptions options;
        options.deflater = GetParam().deflater;
        options.level = GetParam().level;
        options.threads = GetParam().threads;
        options.minBandBytes = GetParam().minBandBytes;
        QImage back;
        ASSERT_TRUE(back.loadFromData(QByteArray::fromStdString(EncodePng(image, options)), "PNG"))
            << size.width() << " x " << size.height();
        back = back.convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(back, image) << size.width() << " x " << size.height();
    }
}

TEST(PngEncoderTest, OnePixelPicture) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(0xFF123456u);
    QImage back;
    ASSERT_TRUE(back.loadFromData(QByteArray::fromStdString(EncodePng(image)), "PNG"));
    EXPECT_EQ(back.pixel(0, 0), 0xFF123456u);
}
