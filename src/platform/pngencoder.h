#pragma once

#include <QImage>

#include <string>

namespace platform {

/// How the filtered rows of a PNG are deflated.
enum class PngDeflater {
    /// libdeflate over the whole stream on one core.
    LibdeflateWhole,
    /// zlib on bands of rows in parallel, each band primed with the 32 KB before it and
    /// ended on a byte boundary by a sync flush, so the bands join into one stream.
    ZlibBands,
    /// As ZlibBands with zlib's run-length strategy: matches only at a distance of one byte.
    /// After the row filters a photograph has few longer matches worth their search, and flat
    /// areas filter to runs of zeros, so this is both the fastest and, on photo-like bitmaps,
    /// the smallest.
    ZlibRunBands,
};

struct PngEncoderOptions {
    PngDeflater deflater = PngDeflater::ZlibRunBands;
    /// Compression level (1 to 9; libdeflate takes up to 12).
    int level = 6;
    /// Threads for filtering and banded deflating; 0 means WorkerCount().
    int threads = 0;
    /// Filtered bytes a band holds at least; smaller bands restart their statistics for
    /// little gain. Tests lower it to reach band edges on small pictures.
    std::size_t minBandBytes = 256 * 1024;
};

/// An opaque image (RGB32) as an 8-bit RGB PNG. Each row takes the filter whose bytes sum
/// smallest as signed values (the usual adaptive heuristic). Throws RuntimeException when
/// memory runs out or the deflater fails.
std::string EncodePng(const QImage& image, const PngEncoderOptions& options = {});

}  // namespace platform
