// Encoding a photo-like 2560 × 4000 output bitmap as PNG, the largest part of a job's time:
// Qt's writer, libpng with fast settings, and our encoder with each deflater. (Measured on the
// job's own output, smoother than this picture: libdeflate 6 keeps 0.286 of the filtered
// bytes at 32 MB/s a core, level 1 0.315 at 219 MB/s, zlib 6 0.295 at 11 MB/s, ISA-L's igzip
// 0.323 at 460 MB/s, zlib's run-length strategy 0.271 at 97 MB/s: the smallest, and fast
// enough on bands in parallel. On skin graphics (bench/compare's generated skin resized to
// 2560 x 2133) run-length keeps 1.66 times ImageMagick's size, zlib 6 1.00, zlib 4 1.05, zlib
// 1 1.21, igzip 1 to 3 1.15 to 1.17 and slower there than zlib 6: so each band takes zlib 6
// or run-length by a quick look at its bytes.)
#include "photo_like.h"
#include "platform/pngencoder.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <string>
#include <vector>

namespace {

const QImage& Photo() {
    static const QImage image = bench::PhotoLike(2560, 4000);
    return image;
}

void Report(benchmark::State& state, std::size_t bytes) {
    state.counters["MB_out"] = static_cast<double>(bytes) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Photo().width() *
                            Photo().height() * 3);
}

void QtWriter(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.write(Photo());
        bytes = static_cast<std::size_t>(out.size());
    }
    Report(state, bytes);
}
BENCHMARK(QtWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

void Append(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), size);
}

/// libpng with one filter for every row (range(0): PNG_FILTER_* mask) at level range(1).
void Libpng(benchmark::State& state) {
    std::size_t bytes = 0;
    const QImage& image = Photo();
    std::vector<unsigned char> row(static_cast<std::size_t>(image.width()) * 3);
    for (auto _ : state) {
        std::string out;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, &out, Append, nullptr);
        png_set_IHDR(png, info, image.width(), image.height(), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_filter(png, 0, static_cast<int>(state.range(0)));
        png_set_compression_level(png, static_cast<int>(state.range(1)));
        png_write_info(png, info);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                row[3 * x] = static_cast<unsigned char>(qRed(line[x]));
                row[3 * x + 1] = static_cast<unsigned char>(qGreen(line[x]));
                row[3 * x + 2] = static_cast<unsigned char>(qBlue(line[x]));
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        bytes = out.size();
    }
    Report(state, bytes);
}
BENCHMARK(Libpng)
    ->ArgNames({"filter", "level"})
    ->Args({PNG_FILTER_SUB, 1})
    ->Args({PNG_FILTER_SUB, 6})
    ->Args({PNG_ALL_FILTERS, 6})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// Our encoder: range(0) deflater (0 chosen per band, the default, 1 run-length, 2 matching),
/// range(1) threads (0 = one per core).
void Ours(benchmark::State& state) {
    platform::PngEncoderOptions options;
    const platform::PngDeflater deflaters[] = {platform::PngDeflater::Choose,
                                               platform::PngDeflater::RunLength,
                                               platform::PngDeflater::Matching};
    options.deflater = deflaters[state.range(0)];
    options.threads = static_cast<int>(state.range(1));
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = platform::EncodePng(Photo(), options).size();
    Report(state, bytes);
}
BENCHMARK(Ours)
    ->ArgNames({"deflater", "threads"})
    ->Args({0, 0})
    ->Args({0, 2})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
