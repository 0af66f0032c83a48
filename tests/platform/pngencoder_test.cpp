#include "platform/pngencoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstring>
#include <stdexcept>
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
    int threads;
    std::size_t minBandBytes = 256 * 1024;
};

const EncoderCase kEncoderCases[] = {
    {"ChosenPerBandOneThread", PngDeflater::Choose, 1},
    {"ChosenPerBandManyThreads", PngDeflater::Choose, 7},
    {"RunLengthManyThreads", PngDeflater::RunLength, 7},
    {"MatchingOneThread", PngDeflater::Matching, 1},
    {"MatchingManyThreads", PngDeflater::Matching, 7},
    // A band of a row or two: every band edge primes its dictionary from rows filtered again.
    {"MatchingBandsOfSingleRows", PngDeflater::Matching, 5, 1},
    {"RunLengthBandsOfSingleRows", PngDeflater::RunLength, 5, 1},
};

class PngEncoderTest : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(PngEncoderTest, DecodesToTheSamePixels) {
    const QImage image = Sample();
    PngEncoderOptions options;
    options.deflater = GetParam().deflater;
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

/// A skin's sprite sheet in small: one 24 × 24 tile of noise drawn over and over, which only a
/// deflater that finds matches can shrink.
QImage TiledSprites() {
    QImage image(960, 480, QImage::Format_RGB32);
    std::uint32_t state = 777;
    QRgb tile[24][24];
    for (auto& row : tile)
        for (QRgb& pixel : row) {
            state = state * 1664525u + 1013904223u;
            pixel = 0xFF000000u | (state >> 8);
        }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, tile[y % 24][x % 24]);
    return image;
}

std::string Encode(const QImage& image, PngDeflater deflater, int threads = 0) {
    PngEncoderOptions options;
    options.deflater = deflater;
    options.threads = threads;
    return EncodePng(image, options);
}

// Each band takes the deflater that suits it: matching on repeated sprites (the noise tiles
// give run-length nothing to shorten), run-length on noisy rows with no long repeats. The
// chosen stream is then byte for byte the one the forced deflater writes.
TEST(PngEncoderTest, EachBandTakesTheDeflaterThatSuitsIt) {
    const QImage sprites = TiledSprites();
    const std::string chosen = Encode(sprites, PngDeflater::Choose);
    EXPECT_EQ(chosen, Encode(sprites, PngDeflater::Matching));
    // 960 × 480 × 3 bytes of noise tiles: run-length keeps most of the 1.38 MB, matching
    // needs little more than the first row of tiles (24 × 960 × 3 = 69 KB).
    EXPECT_LT(chosen.size() * 4, Encode(sprites, PngDeflater::RunLength).size());

    const QImage noise = Sample();
    EXPECT_EQ(Encode(noise, PngDeflater::Choose), Encode(noise, PngDeflater::RunLength));

    // A noisy picture in a frame of repeated sprites, 48 of its 1200 columns: the frame's
    // long repeats are a twenty-fifth of each row, too few to pay for searching the rest.
    QImage framed = Sample();
    const QImage tiles = TiledSprites();
    for (int y = 0; y < framed.height(); ++y)
        for (int x = 0; x < 48; ++x)
            framed.setPixel(x, y, tiles.pixel(x, y % tiles.height()));
    EXPECT_EQ(Encode(framed, PngDeflater::Choose), Encode(framed, PngDeflater::RunLength));
}

// The chunks are cut at the same places however the bands' work is spread and timed, so a
// picture always gives the same file.
TEST(PngEncoderTest, SameFileWhateverTheThreads) {
    const QImage image = Sample();
    const std::string one = Encode(image, PngDeflater::Choose, 1);
    EXPECT_EQ(one, Encode(image, PngDeflater::Choose, 3));
    EXPECT_EQ(one, Encode(image, PngDeflater::Choose, 8));
}

// The file reaches the sink in pieces; a sink that fails stops the encoding with its error.
TEST(PngEncoderTest, SinkFailureStopsTheEncoding) {
    const QImage image = Sample();
    std::string received;
    int calls = 0;
    const auto failing = [&](std::string_view bytes) {
        if (++calls == 3)
            throw std::runtime_error("disk full");
        received.append(bytes);
    };
    EXPECT_THROW(EncodePng(image, failing), std::runtime_error);
    const std::string whole = EncodePng(image);
    // What was received is the start of the file, nothing else.
    EXPECT_EQ(received, whole.substr(0, received.size()));
    EXPECT_LT(received.size(), whole.size());
}
