#include "platform/pngencoder.h"

#include "platform/exceptions.h"
#include "platform/hugepages.h"
#include "platform/parallel.h"
#include "platform/png_paeth.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kWindow = 32 * 1024;
// IDAT chunks of at most 1 MB, as common encoders write them.
constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kBandBytes = 512 * 1024;

using Bytes = std::vector<unsigned char>;

int ThreadCount(int requested) {
    return requested > 0 ? requested : WorkerCount();
}

void PutBigEndian(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>(v >> 16));
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v));
}

void PutChunk(std::string& out, const char* type, const unsigned char* data, std::size_t size) {
    PutBigEndian(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(reinterpret_cast<const char*>(data), size);
    const auto* typed = reinterpret_cast<const unsigned char*>(out.data() + start);
    PutBigEndian(out, libdeflate_crc32(0, typed, size + 4));
}

/// Cuts the zlib stream it is fed into IDAT chunks of at most kChunk bytes, so the stream's
/// pieces go into the file without being joined first.
class IdatWriter {
public:
    explicit IdatWriter(std::string& out)
        : m_out(out) {}

    void Put(const unsigned char* data, std::size_t size) {
        while (size > 0) {
            if (!m_open)
                Open();
            const std::size_t take = std::min(size, kChunk - m_length);
            m_out.append(reinterpret_cast<const char*>(data), take);
            m_crc = libdeflate_crc32(m_crc, data, take);
            m_length += take;
            data += take;
            size -= take;
            if (m_length == kChunk)
                Close();
        }
    }

    void Finish() {
        if (m_open)
            Close();
    }

private:
    void Open() {
        m_start = m_out.size();
        m_out.append(4, '\0');
        m_out.append("IDAT", 4);
        m_crc = libdeflate_crc32(0, "IDAT", 4);
        m_length = 0;
        m_open = true;
    }

    void Close() {
        const auto length = static_cast<std::uint32_t>(m_length);
        for (int i = 0; i < 4; ++i)
            m_out[m_start + i] = static_cast<char>(length >> (24 - 8 * i));
        PutBigEndian(m_out, m_crc);
        m_open = false;
    }

    std::string& m_out;
    std::size_t m_start = 0;
    std::size_t m_length = 0;
    std::uint32_t m_crc = 0;
    bool m_open = false;
};

/// One row of RGB32 pixels as RGB bytes.
void Unpack(const QImage& image, int y, unsigned char* into) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const int width = image.width();
    for (int x = 0; x < width; ++x) {
        into[3 * x] = static_cast<unsigned char>(qRed(line[x]));
        into[3 * x + 1] = static_cast<unsigned char>(qGreen(line[x]));
        into[3 * x + 2] = static_cast<unsigned char>(qBlue(line[x]));
    }
}

/// Writes the filter byte and the filtered bytes of one row of `raw` (3 bytes a pixel, n
/// bytes) into `out`, choosing the filter whose output has the smallest sum of magnitudes
/// (the first such filter on a tie). `prior` is the row above, all zeros for the first row.
/// `scratch` holds 5 × n bytes. Each filter is its own loop so that the compiler vectorises it.
void FilterRow(const unsigned char* raw, const unsigned char* prior, std::size_t n,
               unsigned char* out, unsigned char* scratch) {
    unsigned char* none = scratch;
    unsigned char* sub = scratch + n;
    unsigned char* up = scratch + 2 * n;
    unsigned char* avg = scratch + 3 * n;
    unsigned char* paeth = scratch + 4 * n;
    const std::size_t lead = std::min<std::size_t>(3, n);
    for (std::size_t i = 0; i < lead; ++i) {
        // No pixel to the left: a = c = 0, so Paeth predicts b (the byte above).
        none[i] = raw[i];
        sub[i] = raw[i];
        up[i] = static_cast<unsigned char>(raw[i] - prior[i]);
        avg[i] = static_cast<unsigned char>(raw[i] - (prior[i] >> 1));
        paeth[i] = static_cast<unsigned char>(raw[i] - prior[i]);
    }
    for (std::size_t i = lead; i < n; ++i) {
        none[i] = raw[i];
        sub[i] = static_cast<unsigned char>(raw[i] - raw[i - 3]);
        up[i] = static_cast<unsigned char>(raw[i] - prior[i]);
        avg[i] = static_cast<unsigned char>(raw[i] - ((raw[i - 3] + prior[i]) >> 1));
    }
    for (std::size_t i = lead; i < n; ++i)
        paeth[i] =
            static_cast<unsigned char>(raw[i] - PaethPredictor(raw[i - 3], prior[i], prior[i - 3]));
    std::uint32_t sums[5];
    for (int f = 0; f < 5; ++f) {
        const unsigned char* candidate = scratch + static_cast<std::size_t>(f) * n;
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned v = candidate[i];
            sum += v < 128 ? v : 256 - v;
        }
        sums[f] = sum;
    }
    const int best = static_cast<int>(std::min_element(sums, sums + 5) - sums);
    out[0] = static_cast<unsigned char>(best);
    std::memcpy(out + 1, scratch + static_cast<std::size_t>(best) * n, n);
}

/// Filters rows [first, last) of `image` into `out` (n + 1 bytes a row).
void FilterRows(const QImage& image, int first, int last, unsigned char* out) {
    const std::size_t n = static_cast<std::size_t>(image.width()) * 3;
    Bytes raw(n), prior(n, 0), scratch(5 * n);
    if (first > 0)
        Unpack(image, first - 1, prior.data());
    for (int y = first; y < last; ++y) {
        Unpack(image, y, raw.data());
        FilterRow(raw.data(), prior.data(), n, out + static_cast<std::size_t>(y - first) * (n + 1),
                  scratch.data());
        std::swap(raw, prior);
    }
}

/// The image's rows as PNG filter type plus filtered RGB bytes, one band of rows per thread.
Bytes FilteredRows(const QImage& image, int threads) {
    const int height = image.height();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3 + 1;
    Bytes filtered(static_cast<std::size_t>(height) * rowBytes);
    const int bands = std::min(height, threads * 4);
    ParallelFor(
        bands,
        [&](int band) {
            const int first = static_cast<int>(static_cast<long long>(height) * band / bands);
            const int last = static_cast<int>(static_cast<long long>(height) * (band + 1) / bands);
            FilterRows(image, first, last,
                       filtered.data() + static_cast<std::size_t>(first) * rowBytes);
        },
        threads);
    return filtered;
}

void PutZlibStream(std::string& png, const Bytes& zlib) {
    IdatWriter idat(png);
    idat.Put(zlib.data(), zlib.size());
    idat.Finish();
}

Bytes DeflateWhole(const Bytes& data, int level) {
    std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(std::clamp(level, 1, 12)), &libdeflate_free_compressor);
    if (!compressor)
        throw RuntimeException("Not enough memory to compress a picture.");
    Bytes out(libdeflate_zlib_compress_bound(compressor.get(), data.size()));
    const std::size_t size = libdeflate_zlib_compress(compressor.get(), data.data(), data.size(),
                                                      out.data(), out.size());
    if (size == 0)
        throw RuntimeException("A picture could not be compressed.");
    out.resize(size);
    return out;
}

struct Band {
    Bytes deflated;
    std::uint32_t adler = 1;
    std::size_t length = 0;
};

/// Filters and deflates bands of rows in parallel and writes the joined zlib stream as IDAT
/// chunks. A band never needs the whole picture's filtered rows: it filters the rows before it
/// again to prime its dictionary, so at most one band per thread is held unpacked.
void PutBandedStream(std::string& png, const QImage& image, int level, int strategy, int threads,
                     std::size_t minBandBytes) {
    const int height = image.height();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3 + 1;
    const int minRows = static_cast<int>(
        std::max<std::size_t>(1, std::max<std::size_t>(minBandBytes, 1) / rowBytes));
    // Three bands a thread at least, for an even load, and more on large pictures: bands of
    // about kBandBytes keep each worker's buffers small.
    const std::size_t total = rowBytes * static_cast<std::size_t>(height);
    const int wanted = static_cast<int>(std::clamp<std::size_t>(
        total / kBandBytes, static_cast<std::size_t>(threads) * 3, 1 << 16));
    const int bands = std::max(1, std::min(wanted, height / minRows));
    // The run-length strategy matches only the byte before: one row of history is plenty.
    const int dictionaryRows =
        strategy == Z_RLE ? 1 : static_cast<int>((kWindow + rowBytes - 1) / rowBytes);
    std::vector<Band> pieces(static_cast<std::size_t>(bands));
    const int workers = std::min(threads, bands);
    // The largest band, its primed rows and the bound of its deflated bytes, for buffers that
    // each worker allocates once and never clears: every byte is written before it is read.
    const int largestBand = (height + bands - 1) / bands + dictionaryRows;
    const std::size_t bufferBytes = static_cast<std::size_t>(largestBand) * rowBytes;
    ParallelFor(
        workers,
        [&](int worker) {
            const std::unique_ptr<unsigned char[]> filtered(new unsigned char[bufferBytes]);
            AdviseHugePages(filtered.get(), bufferBytes);
            std::unique_ptr<unsigned char[]> out;
            std::size_t outBytes = 0;
            for (int band = worker; band < bands; band += workers) {
                const int first = static_cast<int>(static_cast<long long>(height) * band / bands);
                const int last =
                    static_cast<int>(static_cast<long long>(height) * (band + 1) / bands);
                const int from = std::max(0, first - dictionaryRows);
                const std::size_t primed = static_cast<std::size_t>(first - from) * rowBytes;
                const std::size_t length = static_cast<std::size_t>(last - first) * rowBytes;
                FilterRows(image, from, last, filtered.get());

                z_stream stream{};
                if (deflateInit2(&stream, std::clamp(level, 1, 9), Z_DEFLATED, -15, 8, strategy) !=
                    Z_OK)
                    throw RuntimeException("Not enough memory to compress a picture.");
                std::unique_ptr<z_stream, decltype(&deflateEnd)> guard(&stream, &deflateEnd);
                if (primed > 0) {
                    const std::size_t dictionary = std::min(primed, kWindow);
                    deflateSetDictionary(&stream, filtered.get() + primed - dictionary,
                                         static_cast<uInt>(dictionary));
                }
                // A sync flush may add an empty stored block to the bound of a finished stream.
                const std::size_t bound = deflateBound(&stream, static_cast<uLong>(length)) + 16;
                if (bound > outBytes) {
                    out.reset(new unsigned char[bound]);
                    outBytes = bound;
                }
                stream.next_in = filtered.get() + primed;
                stream.avail_in = static_cast<uInt>(length);
                stream.next_out = out.get();
                stream.avail_out = static_cast<uInt>(outBytes);
                const bool final = band == bands - 1;
                const int result = deflate(&stream, final ? Z_FINISH : Z_SYNC_FLUSH);
                const bool ok =
                    final ? result == Z_STREAM_END : result == Z_OK && stream.avail_out > 0;
                if (!ok || stream.avail_in != 0)
                    throw RuntimeException("A picture could not be compressed.");
                Band& piece = pieces[static_cast<std::size_t>(band)];
                piece.deflated.assign(out.get(), out.get() + (outBytes - stream.avail_out));
                piece.adler = libdeflate_adler32(1, filtered.get() + primed, length);
                piece.length = length;
            }
        },
        workers);

    IdatWriter idat(png);
    const unsigned char header[2] = {0x78, 0x9C};
    idat.Put(header, sizeof header);
    std::uint32_t adler = 1;
    for (Band& piece : pieces) {
        idat.Put(piece.deflated.data(), piece.deflated.size());
        adler = static_cast<std::uint32_t>(
            adler32_combine(adler, piece.adler, static_cast<z_off_t>(piece.length)));
        Bytes().swap(piece.deflated);
    }
    const unsigned char trailer[4] = {
        static_cast<unsigned char>(adler >> 24), static_cast<unsigned char>(adler >> 16),
        static_cast<unsigned char>(adler >> 8), static_cast<unsigned char>(adler)};
    idat.Put(trailer, sizeof trailer);
    idat.Finish();
}

}  // namespace

std::string EncodePng(const QImage& source, const PngEncoderOptions& options) {
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw RuntimeException("Not enough memory to encode a picture.");
    const int threads = ThreadCount(options.threads);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    const std::uint32_t w = static_cast<std::uint32_t>(image.width());
    const std::uint32_t h = static_cast<std::uint32_t>(image.height());
    const unsigned char header[13] = {static_cast<unsigned char>(w >> 24),
                                      static_cast<unsigned char>(w >> 16),
                                      static_cast<unsigned char>(w >> 8),
                                      static_cast<unsigned char>(w),
                                      static_cast<unsigned char>(h >> 24),
                                      static_cast<unsigned char>(h >> 16),
                                      static_cast<unsigned char>(h >> 8),
                                      static_cast<unsigned char>(h),
                                      8,  // bit depth
                                      2,  // colour type RGB
                                      0,
                                      0,
                                      0};
    PutChunk(png, "IHDR", header, sizeof header);
    if (options.deflater == PngDeflater::LibdeflateWhole) {
        PutZlibStream(png, DeflateWhole(FilteredRows(image, threads), options.level));
    } else {
        // The stream is about a third of the pixels' bytes on photographs; a first guess that
        // spares most of the string's regrowth.
        png.reserve(static_cast<std::size_t>(w) * h + 1024);
        AdviseHugePages(png.data(), png.capacity());
        PutBandedStream(png, image, options.level,
                        options.deflater == PngDeflater::ZlibRunBands ? Z_RLE : Z_DEFAULT_STRATEGY,
                        threads, options.minBandBytes);
    }
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace platform
