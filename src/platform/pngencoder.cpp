#include "platform/pngencoder.h"

#include "platform/exceptions.h"
#include "platform/parallel.h"
#include "platform/png_paeth.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kWindow = 32 * 1024;
// IDAT chunks of at most 1 MB, as common encoders write them.
constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kBandBytes = 512 * 1024;
constexpr std::size_t kMinBands = 24;

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

/// Whether a band of filtered bytes holds enough long repeats at distances beyond a run (a
/// text line or a sprite drawn again, a row like one further up) for zlib's matching to pay:
/// whether matches of 24 bytes or more cover at least an eighth as many bytes as lie in
/// neither those nor runs of one value. Those other bytes are what the match search spends
/// its time on, and what it cannot shorten. A greedy pass with a one-entry hash of 8 bytes.
/// Filtered photographs have plenty of shorter chance matches in their small values (about a
/// tenth of their bytes lie in matches of 12 or more) but almost none this long (1 in
/// 10,000); skin graphics are mostly runs and long matches, with few other bytes; a photograph
/// in a frame of flat borders has its borders in runs and matches, but far more other bytes.
bool WorthMatching(const unsigned char* data, std::size_t size) {
    constexpr int kHashBits = 13;
    constexpr std::size_t kLongMatch = 24;
    constexpr std::size_t kMaxMatch = 258;
    std::vector<std::uint32_t> table(std::size_t{1} << kHashBits, 0);
    std::size_t covered = 0;
    std::size_t other = 0;
    std::size_t i = 0;
    while (i + kLongMatch <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        if (word == data[i] * 0x0101010101010101ull) {
            std::size_t j = i + 8;
            while (j < size && data[j] == data[i])
                ++j;
            i = j;
            continue;
        }
        const auto hash =
            static_cast<std::uint32_t>((word * 0x9E3779B97F4A7C15ull) >> (64 - kHashBits));
        const std::uint32_t candidate = table[hash];
        table[hash] = static_cast<std::uint32_t>(i + 1);  // 0 marks an empty slot
        if (candidate != 0 && std::memcmp(data + candidate - 1, data + i, kLongMatch) == 0) {
            const std::size_t from = candidate - 1;
            std::size_t length = kLongMatch;
            while (i + length < size && length < kMaxMatch &&
                   data[from + length] == data[i + length])
                ++length;
            covered += length;
            i += length;
            continue;
        }
        ++other;
        ++i;
    }
    return covered > 0 && covered * 8 >= other;
}

/// A band's deflated bytes and the Adler-32 of its filtered bytes.
struct Band {
    Bytes deflated;
    std::uint32_t adler = 1;
    std::size_t length = 0;
    bool ready = false;
};

/// Joins the bands' deflated bytes, which finish in any order, into one zlib stream and hands
/// it to the sink as IDAT chunks in order as soon as a whole chunk is there, so the stream is
/// never held whole. Every chunk but the last holds kChunk bytes whatever the timing, so the
/// same picture always gives the same file.
class IdatJoiner {
public:
    IdatJoiner(const PngSink& sink, int bands)
        : m_sink(sink)
        , m_bands(static_cast<std::size_t>(bands)) {}

    /// Takes band `index`'s bytes (the last band's ends the stream); writes the chunks that
    /// have become whole. Throws what the sink throws.
    void Put(int index, Band band) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_failed)
            return;
        band.ready = true;
        m_bands[static_cast<std::size_t>(index)] = std::move(band);
        try {
            // The bands now ready in order join the stream: its header goes before the first,
            // its checksum after the last.
            while (m_ready < m_bands.size() && m_bands[m_ready].ready) {
                Band& next = m_bands[m_ready];
                if (m_ready == 0)
                    next.deflated.insert(next.deflated.begin(), {0x78, 0x9C});
                m_adler = static_cast<std::uint32_t>(
                    adler32_combine(m_adler, next.adler, static_cast<z_off_t>(next.length)));
                if (m_ready + 1 == m_bands.size())
                    for (int i = 0; i < 4; ++i)
                        next.deflated.push_back(
                            static_cast<unsigned char>(m_adler >> (24 - 8 * i)));
                m_available += next.deflated.size();
                ++m_ready;
            }
            const bool ended = m_ready == m_bands.size();
            while (m_available >= kChunk || (ended && m_available > 0))
                WriteChunk(std::min(m_available, kChunk));
        } catch (...) {
            m_failed = true;
            throw;
        }
    }

private:
    /// Writes the next `length` bytes of the stream as one IDAT chunk and frees the bands
    /// written whole.
    void WriteChunk(std::size_t length) {
        const char head[8] = {static_cast<char>(length >> 24),
                              static_cast<char>(length >> 16),
                              static_cast<char>(length >> 8),
                              static_cast<char>(length),
                              'I',
                              'D',
                              'A',
                              'T'};
        m_sink(std::string_view(head, 8));
        std::uint32_t crc = libdeflate_crc32(0, head + 4, 4);
        for (std::size_t left = length; left > 0;) {
            Bytes& bytes = m_bands[m_written].deflated;
            const std::size_t take = std::min(left, bytes.size() - m_offset);
            m_sink(std::string_view(reinterpret_cast<const char*>(bytes.data() + m_offset), take));
            crc = libdeflate_crc32(crc, bytes.data() + m_offset, take);
            left -= take;
            m_offset += take;
            if (m_offset == bytes.size()) {
                Bytes().swap(bytes);
                ++m_written;
                m_offset = 0;
            }
        }
        const char tail[4] = {static_cast<char>(crc >> 24), static_cast<char>(crc >> 16),
                              static_cast<char>(crc >> 8), static_cast<char>(crc)};
        m_sink(std::string_view(tail, 4));
        m_available -= length;
    }

    const PngSink& m_sink;
    std::mutex m_mutex;
    std::vector<Band> m_bands;
    std::size_t m_ready = 0;      // bands [0, m_ready) have joined the stream
    std::size_t m_written = 0;    // the first band not yet written whole
    std::size_t m_offset = 0;     // and how much of it is written
    std::size_t m_available = 0;  // bytes joined and not yet written
    std::uint32_t m_adler = 1;
    bool m_failed = false;
};

/// Deflates `length` filtered bytes at `data`, primed with the `primed` bytes before them, as
/// one band of the stream: ended by a sync flush, or finished when `final`.
Bytes DeflateBand(const unsigned char* data, std::size_t primed, std::size_t length, bool final,
                  bool matching, Bytes& out) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, matching ? Z_DEFAULT_STRATEGY : Z_RLE) != Z_OK)
        throw RuntimeException("Not enough memory to compress a picture.");
    std::unique_ptr<z_stream, decltype(&deflateEnd)> guard(&stream, &deflateEnd);
    // Run-length matches only the byte before: a little history is plenty.
    const std::size_t dictionary = std::min(primed, matching ? kWindow : std::size_t{258});
    if (dictionary > 0)
        deflateSetDictionary(&stream, data - dictionary, static_cast<uInt>(dictionary));
    // A sync flush may add an empty stored block to the bound of a finished stream.
    const std::size_t bound = deflateBound(&stream, static_cast<uLong>(length)) + 16;
    if (bound > out.size())
        out.resize(bound);
    stream.next_in = const_cast<unsigned char*>(data);
    stream.avail_in = static_cast<uInt>(length);
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, final ? Z_FINISH : Z_SYNC_FLUSH);
    const bool ok = final ? result == Z_STREAM_END : result == Z_OK && stream.avail_out > 0;
    if (!ok || stream.avail_in != 0)
        throw RuntimeException("A picture could not be compressed.");
    return Bytes(out.data(), out.data() + (out.size() - stream.avail_out));
}

/// Filters and deflates bands of rows in parallel and hands the joined zlib stream to the
/// sink as IDAT chunks. A band never needs the whole picture's filtered rows: it filters the
/// rows before it again to prime its dictionary, so at most one band per thread is held.
void PutBandedStream(const PngSink& sink, const QImage& image, PngDeflater deflater, int threads,
                     std::size_t minBandBytes) {
    const int height = image.height();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3 + 1;
    const int minRows = static_cast<int>(
        std::max<std::size_t>(1, std::max<std::size_t>(minBandBytes, 1) / rowBytes));
    // Enough bands for an even load on many cores, and more on large pictures: bands of about
    // kBandBytes keep each worker's buffers small. The bands never depend on the threads, so
    // the file is the same on any machine.
    const std::size_t total = rowBytes * static_cast<std::size_t>(height);
    const int wanted =
        static_cast<int>(std::clamp<std::size_t>(total / kBandBytes, kMinBands, 1 << 16));
    const int bands = std::max(1, std::min(wanted, height / minRows));
    const int dictionaryRows = static_cast<int>((kWindow + rowBytes - 1) / rowBytes);
    const int workers = std::min(threads, bands);
    // The largest band with its primed rows, for a buffer that each worker allocates once and
    // never clears: every byte is written before it is read.
    const int largestBand = (height + bands - 1) / bands + dictionaryRows;
    const std::size_t bufferBytes = static_cast<std::size_t>(largestBand) * rowBytes;
    IdatJoiner joiner(sink, bands);
    // Bands are taken in order as workers come free, so they also finish about in order and
    // the joiner holds few of them.
    std::atomic<int> nextBand{0};
    ParallelFor(
        workers,
        [&](int) {
            const std::unique_ptr<unsigned char[]> filtered(new unsigned char[bufferBytes]);
            Bytes out;
            for (int band = nextBand++; band < bands; band = nextBand++) {
                const int first = static_cast<int>(static_cast<long long>(height) * band / bands);
                const int last =
                    static_cast<int>(static_cast<long long>(height) * (band + 1) / bands);
                const int from = std::max(0, first - dictionaryRows);
                const std::size_t primed = static_cast<std::size_t>(first - from) * rowBytes;
                const std::size_t length = static_cast<std::size_t>(last - first) * rowBytes;
                FilterRows(image, from, last, filtered.get());
                const unsigned char* data = filtered.get() + primed;
                const bool matching =
                    deflater == PngDeflater::Matching ||
                    (deflater == PngDeflater::Choose && WorthMatching(data, length));
                Band piece;
                piece.deflated =
                    DeflateBand(data, primed, length, band == bands - 1, matching, out);
                piece.adler = libdeflate_adler32(1, data, length);
                piece.length = length;
                joiner.Put(band, std::move(piece));
            }
        },
        workers);
}

}  // namespace

void EncodePng(const QImage& source, const PngSink& sink, const PngEncoderOptions& options) {
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw RuntimeException("Not enough memory to encode a picture.");
    const int threads = ThreadCount(options.threads);

    std::string head("\x89PNG\r\n\x1a\n", 8);
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
    PutChunk(head, "IHDR", header, sizeof header);
    sink(head);
    PutBandedStream(sink, image, options.deflater, threads, options.minBandBytes);
    std::string end;
    PutChunk(end, "IEND", nullptr, 0);
    sink(end);
}

std::string EncodePng(const QImage& image, const PngEncoderOptions& options) {
    std::string png;
    EncodePng(
        image, [&](std::string_view bytes) { png.append(bytes); }, options);
    return png;
}

}  // namespace platform
