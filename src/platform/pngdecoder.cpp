#include "platform/pngdecoder.h"

#include "platform/hugepages.h"
#include "platform/parallel.h"
#include "platform/png_paeth.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace platform {

namespace {

std::uint32_t BigEndian(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

bool IsType(const unsigned char* p, const char* type) {
    return std::memcmp(p, type, 4) == 0;
}

/// Ancillary chunks that change nothing of the picture Qt's reader gives for an 8-bit RGB PNG.
/// Any other chunk leaves the file to Qt: transparency changes the pixels, and the colour
/// space chunks (gAMA, cHRM, sRGB, iCCP) give the image a colour space.
bool IsHarmless(const unsigned char* type) {
    static const char* const kTypes[] = {"sBIT", "bKGD", "pHYs", "tEXt", "zTXt", "iTXt", "tIME"};
    return std::any_of(std::begin(kTypes), std::end(kTypes),
                       [&](const char* t) { return IsType(type, t); });
}

/// Reverses one row's filter in place; `prior` is the row above after its own reversal, all
/// zeros for the first row. False for an unknown filter type.
bool Unfilter(int type, unsigned char* row, const unsigned char* prior, std::size_t n) {
    const std::size_t lead = std::min<std::size_t>(3, n);
    switch (type) {
        case 0:
            return true;
        case 1:
            for (std::size_t i = 3; i < n; ++i)
                row[i] = static_cast<unsigned char>(row[i] + row[i - 3]);
            return true;
        case 2:
            for (std::size_t i = 0; i < n; ++i)
                row[i] = static_cast<unsigned char>(row[i] + prior[i]);
            return true;
        case 3:
            for (std::size_t i = 0; i < lead; ++i)
                row[i] = static_cast<unsigned char>(row[i] + (prior[i] >> 1));
            for (std::size_t i = lead; i < n; ++i)
                row[i] = static_cast<unsigned char>(row[i] + ((row[i - 3] + prior[i]) >> 1));
            return true;
        case 4:
            for (std::size_t i = 0; i < lead; ++i)
                row[i] = static_cast<unsigned char>(row[i] + prior[i]);
            for (std::size_t i = lead; i < n; ++i)
                row[i] = static_cast<unsigned char>(
                    row[i] + PaethPredictor(row[i - 3], prior[i], prior[i - 3]));
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<QImage> DecodeCommonPng(std::string_view bytes, std::int64_t maxPixels) noexcept {
    try {
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        const std::size_t size = bytes.size();
        if (size < 8 || std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) != 0)
            return std::nullopt;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::string zlib;
        zlib.reserve(size);
        bool header = false;
        bool ended = false;
        bool inData = false;
        bool afterData = false;
        for (std::size_t at = 8; !ended;) {
            if (size - at < 12)
                return std::nullopt;
            const std::uint32_t length = BigEndian(data + at);
            if (length > size - at - 12)
                return std::nullopt;
            const unsigned char* type = data + at + 4;
            const unsigned char* body = data + at + 8;
            if (libdeflate_crc32(0, type, length + 4) != BigEndian(body + length))
                return std::nullopt;
            if (!header) {
                // IHDR first: 8-bit RGB (colour type 2), standard compression and filters,
                // not interlaced.
                if (!IsType(type, "IHDR") || length != 13 || body[8] != 8 || body[9] != 2 ||
                    body[10] != 0 || body[11] != 0 || body[12] != 0)
                    return std::nullopt;
                width = BigEndian(body);
                height = BigEndian(body + 4);
                if (width == 0 || height == 0 || width > (1u << 24) || height > (1u << 24) ||
                    static_cast<std::int64_t>(width) * height > maxPixels)
                    return std::nullopt;
                header = true;
            } else if (IsType(type, "IDAT")) {
                if (afterData)
                    return std::nullopt;
                inData = true;
                zlib.append(reinterpret_cast<const char*>(body), length);
            } else if (IsType(type, "IEND")) {
                ended = true;
            } else if (IsHarmless(type)) {
                afterData = inData;
            } else {
                return std::nullopt;
            }
            at += 12 + static_cast<std::size_t>(length);
        }
        if (!inData)
            return std::nullopt;

        const std::size_t n = static_cast<std::size_t>(width) * 3;
        const std::size_t rowBytes = n + 1;
        const std::size_t total = rowBytes * height;
        // Every byte is written by the inflater before it is read.
        const std::unique_ptr<unsigned char[]> rows(new unsigned char[total]);
        AdviseHugePages(rows.get(), total);
        std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
            libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
        if (!inflater)
            return std::nullopt;
        // No length back: the stream must fill the rows exactly.
        if (libdeflate_zlib_decompress(inflater.get(), zlib.data(), zlib.size(), rows.get(), total,
                                       nullptr) != LIBDEFLATE_SUCCESS)
            return std::nullopt;
        std::string().swap(zlib);

        // Each row's filter reads the row above as reversed, so this pass goes row by row.
        const std::unique_ptr<unsigned char[]> zeros(new unsigned char[n]());
        for (std::uint32_t y = 0; y < height; ++y) {
            unsigned char* row = rows.get() + y * rowBytes;
            const unsigned char* prior = y == 0 ? zeros.get() : row - rowBytes + 1;
            if (!Unfilter(row[0], row + 1, prior, n))
                return std::nullopt;
        }

        QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
        if (image.isNull())
            return std::nullopt;
        AdviseHugePages(image.bits(), static_cast<std::size_t>(image.sizeInBytes()));
        // Row pointers are taken once, so no thread detaches the image.
        uchar* const bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        const int bands = std::min(static_cast<int>(height), WorkerCount() * 2);
        ParallelFor(bands, [&](int band) {
            const std::uint32_t first =
                static_cast<std::uint32_t>(std::uint64_t{height} * band / bands);
            const std::uint32_t last =
                static_cast<std::uint32_t>(std::uint64_t{height} * (band + 1) / bands);
            for (std::uint32_t y = first; y < last; ++y) {
                const unsigned char* rgb = rows.get() + y * rowBytes + 1;
                auto* out = reinterpret_cast<QRgb*>(bits + y * stride);
                for (std::uint32_t x = 0; x < width; ++x)
                    out[x] = qRgb(rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]);
            }
        });
        return image;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace platform
