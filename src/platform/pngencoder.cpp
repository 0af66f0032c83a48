#include "platform/pngencoder.h"

#include "platform/exceptions.h"
#include "platform/parallel.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kWindow = 32 * 1024;

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

inline unsigned char Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<unsigned char>(a);
    return static_cast<unsigned char>(pb <= pc ? b : c);
}

/// Writes the filter byte and the filtered bytes of one row of `raw` (3 bytes a pixel) into
/// `out`, choosing the filter whose output has the smallest sum of magnitudes.
void FilterRow(const unsigned char* raw, const unsigned char* prior, std::size_t n,
               unsigned char* out, std::vector<unsigned char>& scratch) {
    scratch.resize(5 * n);
    unsigned char* candidates[5];
    for (int f = 0; f < 5; ++f)
        candidates[f] = scratch.data() + static_cast<std::size_t>(f) * n;
    std::uint64_t sums[5] = {0, 0, 0, 0, 0};
    const auto magnitude = [](unsigned char v) { return v < 128 ? v : 256 - v; };
    for (std::size_t i = 0; i < n; ++i) {
        const int x = raw[i];
        const int a = i >= 3 ? raw[i - 3] : 0;
        const int b = prior ? prior[i] : 0;
        const int c = prior && i >= 3 ? prior[i - 3] : 0;
        const unsigned char v[5] = {
            static_cast<unsigned char>(x), static_cast<unsigned char>(x - a),
            static_cast<unsigned char>(x - b), static_cast<unsigned char>(x - ((a + b) >> 1)),
            static_cast<unsigned char>(x - Paeth(a, b, c))};
        for (int f = 0; f < 5; ++f) {
            candidates[f][i] = v[f];
            sums[f] += static_cast<std::uint64_t>(magnitude(v[f]));
        }
    }
    const int best = static_cast<int>(std::min_element(sums, sums + 5) - sums);
    out[0] = static_cast<unsigned char>(best);
    std::memcpy(out + 1, candidates[best], n);
}

/// The image's rows as PNG filter type plus filtered RGB bytes, one band of rows per thread.
std::vector<unsigned char> FilteredRows(const QImage& image, int threads) {
    const int width = image.width();
    const int height = image.height();
    const std::size_t n = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> filtered(static_cast<std::size_t>(height) * (n + 1));
    const int bands = std::min(height, threads * 4);
    ParallelFor(
        bands,
        [&](int band) {
            const int first = static_cast<int>(static_cast<long long>(height) * band / bands);
            const int last = static_cast<int>(static_cast<long long>(height) * (band + 1) / bands);
            std::vector<unsigned char> raw(n), prior(n), scratch;
            const auto unpack = [&](int y, std::vector<unsigned char>& into) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < width; ++x) {
                    into[3 * x] = static_cast<unsigned char>(qRed(line[x]));
                    into[3 * x + 1] = static_cast<unsigned char>(qGreen(line[x]));
                    into[3 * x + 2] = static_cast<unsigned char>(qBlue(line[x]));
                }
            };
            if (first > 0)
                unpack(first - 1, prior);
            for (int y = first; y < last; ++y) {
                unpack(y, raw);
                FilterRow(raw.data(), y > 0 ? prior.data() : nullptr, n,
                          filtered.data() + static_cast<std::size_t>(y) * (n + 1), scratch);
                std::swap(raw, prior);
            }
        },
        threads);
    return filtered;
}

std::string DeflateWhole(const std::vector<unsigned char>& data, int level) {
    std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(std::clamp(level, 1, 12)), &libdeflate_free_compressor);
    if (!compressor)
        throw RuntimeException("Not enough memory to compress a picture.");
    std::string out(libdeflate_zlib_compress_bound(compressor.get(), data.size()), '\0');
    const std::size_t size = libdeflate_zlib_compress(compressor.get(), data.data(), data.size(),
                                                      out.data(), out.size());
    if (size == 0)
        throw RuntimeException("A picture could not be compressed.");
    out.resize(size);
    return out;
}

std::string DeflateBands(const std::vector<unsigned char>& data, int level, int threads) {
    // Bands of at least 1 MB: smaller ones lose ratio to their restarts for little gain.
    const std::size_t minBand = 1 << 20;
    const int bands = static_cast<int>(std::max<std::size_t>(
        1, std::min<std::size_t>(static_cast<std::size_t>(threads) * 2, data.size() / minBand)));
    std::vector<std::string> pieces(static_cast<std::size_t>(bands));
    ParallelFor(
        bands,
        [&](int band) {
            const std::size_t first = data.size() * static_cast<std::size_t>(band) / bands;
            const std::size_t last = data.size() * static_cast<std::size_t>(band + 1) / bands;
            z_stream stream{};
            if (deflateInit2(&stream, std::clamp(level, 1, 9), Z_DEFLATED, -15, 8,
                             Z_DEFAULT_STRATEGY) != Z_OK)
                throw RuntimeException("Not enough memory to compress a picture.");
            if (first > 0) {
                const std::size_t from = first > kWindow ? first - kWindow : 0;
                deflateSetDictionary(&stream, data.data() + from, static_cast<uInt>(first - from));
            }
            std::string& out = pieces[static_cast<std::size_t>(band)];
            out.resize(deflateBound(&stream, static_cast<uLong>(last - first)) + 16);
            stream.next_in = const_cast<Bytef*>(data.data() + first);
            stream.avail_in = static_cast<uInt>(last - first);
            stream.next_out = reinterpret_cast<Bytef*>(out.data());
            stream.avail_out = static_cast<uInt>(out.size());
            const bool final = band == bands - 1;
            const int result = deflate(&stream, final ? Z_FINISH : Z_SYNC_FLUSH);
            const bool ok = final ? result == Z_STREAM_END : result == Z_OK;
            out.resize(out.size() - stream.avail_out);
            deflateEnd(&stream);
            if (!ok || stream.avail_in != 0)
                throw RuntimeException("A picture could not be compressed.");
        },
        threads);
    std::string out;
    std::size_t total = 6;
    for (const auto& piece : pieces)
        total += piece.size();
    out.reserve(total);
    out.push_back(static_cast<char>(0x78));
    out.push_back(static_cast<char>(0x9C));
    for (const auto& piece : pieces)
        out += piece;
    PutBigEndian(out, libdeflate_adler32(1, data.data(), data.size()));
    return out;
}

}  // namespace

std::string EncodePng(const QImage& source, const PngEncoderOptions& options) {
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw RuntimeException("Not enough memory to encode a picture.");
    const int threads = ThreadCount(options.threads);
    const std::vector<unsigned char> filtered = FilteredRows(image, threads);
    const std::string zlib = options.deflater == PngDeflater::LibdeflateWhole
                                 ? DeflateWhole(filtered, options.level)
                                 : DeflateBands(filtered, options.level, threads);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    unsigned char header[13];
    const std::uint32_t w = static_cast<std::uint32_t>(image.width());
    const std::uint32_t h = static_cast<std::uint32_t>(image.height());
    const unsigned char fields[13] = {static_cast<unsigned char>(w >> 24),
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
    std::memcpy(header, fields, sizeof header);
    png.reserve(zlib.size() + 128);
    PutChunk(png, "IHDR", header, sizeof header);
    // IDAT chunks of at most 1 MB, as common encoders write them.
    const std::size_t chunk = 1 << 20;
    for (std::size_t at = 0; at < zlib.size(); at += chunk)
        PutChunk(png, "IDAT", reinterpret_cast<const unsigned char*>(zlib.data()) + at,
                 std::min(chunk, zlib.size() - at));
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace platform
