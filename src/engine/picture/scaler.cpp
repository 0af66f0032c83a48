#include "engine/picture/scaler.h"

#include "platform/graphics.h"
#include "platform/parallel.h"
#include "platform/rgbsurface.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace Variables {

namespace {

struct AxisSamples {
    std::vector<int> first;
    std::vector<int> second;
};

/// Sample positions for result coordinates 1 to size − 2 on one axis.
AxisSamples Samples(int source, int size) {
    const double ratio = static_cast<double>(size) / source;
    const double back = ratio > 0.5 ? 0.45 : ratio < 0.5 ? 0.75 : 0.0;
    const double distance = ratio > 0.5 ? 0.5 : ratio < 0.5 ? 2.0 : 1.0;
    const double step = static_cast<double>(source) / size;
    AxisSamples samples;
    samples.first.assign(static_cast<std::size_t>(std::max(size, 0)), 0);
    samples.second.assign(samples.first.size(), 0);
    for (int i = 1; i <= size - 2; ++i) {
        const double p = i * step - back;
        // Truncation toward zero: the lowest position lies above −0.75 and reads column 0.
        samples.first[i] = std::min(static_cast<int>(p), source - 1);
        samples.second[i] = std::min(static_cast<int>(p + distance), source - 1);
    }
    return samples;
}

}  // namespace

platform::PicturePtr ScalePicture1(const platform::PicturePtr& pic, std::int32_t w,
                                   std::int32_t h) {
    if (!pic)
        return nullptr;
    const int srcW = pic->Width();
    const int srcH = pic->Height();
    platform::PicturePtr result;
    if (!pic->HasMask() && !pic->HasAlpha() && w > 0 && h > 0 &&
        platform::PictureSizeRefusal(w, h).empty()) {
        // An opaque source drawn scaled onto a new picture of the same size leaves exactly
        // the scaled pixels there: they become the result, and no second picture of the
        // output size is made, filled and copied into.
        result = std::make_shared<platform::Picture>(pic->ScaledImage(w, h));
    } else {
        result = platform::Picture::New(w, h);
        result->Graphics().DrawPicture(*pic, 0, 0, w, h, 0, 0, srcW, srcH);
    }
    if (w <= 2 || h <= 2)
        return result;

    const AxisSamples xs = Samples(srcW, w);
    const AxisSamples ys = Samples(srcH, h);
    // Row pointers are taken once, before the threads start, so no thread detaches an image.
    std::vector<const std::uint32_t*> sourceRows(static_cast<std::size_t>(srcH));
    for (int y = 0; y < srcH; ++y)
        sourceRows[y] = std::as_const(pic->RGBSurface()).Row(y);
    std::vector<std::uint32_t*> targetRows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        targetRows[y] = result->RGBSurface().Row(y);
    // Rows are independent, so bands of them run on all cores; nothing here yields.
    const int rows = h - 2;
    const int bands = std::min(rows, platform::WorkerCount() * 4);
    platform::ParallelFor(bands, [&](int band) {
        const int firstRow = 1 + static_cast<int>(static_cast<long long>(rows) * band / bands);
        const int lastRow = 1 + static_cast<int>(static_cast<long long>(rows) * (band + 1) / bands);
        for (int i = firstRow; i < lastRow; ++i) {
            const std::uint32_t* top = sourceRows[ys.first[i]];
            const std::uint32_t* bottom = sourceRows[ys.second[i]];
            std::uint32_t* out = targetRows[i];
            for (int j = 1; j <= w - 2; ++j) {
                const std::uint32_t a = top[xs.first[j]];
                const std::uint32_t b = top[xs.second[j]];
                const std::uint32_t c = bottom[xs.first[j]];
                const std::uint32_t d = bottom[xs.second[j]];
                const auto mean = [&](int shift) {
                    const std::uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) +
                                              ((c >> shift) & 0xFF) + ((d >> shift) & 0xFF);
                    return (sum / 4) << shift;
                };
                out[j] = 0xFF000000u | mean(16) | mean(8) | mean(0);
            }
        }
    });
    return result;
}

}  // namespace Variables
