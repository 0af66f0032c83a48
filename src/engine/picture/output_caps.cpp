#include "engine/picture/output_caps.h"

#include "engine/picture/bitmap_files.h"
#include "engine/picture/method_lines.h"
#include "engine/picture/method_report.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/text.h"

#include <QSize>

#include <optional>

namespace Variables {

namespace {

// The ratio as the XML job stores it, in single precision: the bitmap side tests against it.
float Ratio(std::int32_t out, std::int32_t in) {
    return static_cast<float>(static_cast<double>(out) / static_cast<double>(in));
}

std::int64_t Scaled(std::int64_t source, std::int32_t in, std::int32_t out) {
    return platform::RoundInt32(static_cast<double>(source) / in * out);
}

// The "Simple" canvas without the custom elements' margins: the bitmap scaled as the skin,
// with the icon strip below in a shrinking job.
PlannedPicture SimpleCanvas(PlannedPicture source, std::int32_t inW, std::int32_t inH,
                            std::int32_t outW, std::int32_t outH) {
    const bool shrinking = Ratio(outW, inW) < 1 || Ratio(outH, inH) < 1;
    return {Scaled(source.width, inW, outW),
            Scaled(source.height, inH, outH) + (shrinking ? kIconStripRows : 0)};
}

// The "Browser" canvas (the bitmap's width, its height plus the height gained) and the work
// band of the skin's width at the output height.
void BrowserPictures(PlannedPicture source, std::int32_t inW, std::int32_t inH, std::int32_t outH,
                     std::vector<PlannedPicture>& into) {
    into.push_back({source.width, source.height + (static_cast<std::int64_t>(outH) - inH)});
    into.push_back({inW, outH});
}

std::vector<PlannedPicture> Plan(const std::string& method, PlannedPicture source) {
    std::vector<PlannedPicture> pictures;
    if (platform::TextEquals(method, "Simple")) {
        pictures.push_back(SimpleCanvas(source, inWidth, inHeight, outWidth, outHeight));
    } else if (platform::TextEquals(method, "Border")) {
        // The output width, and the bitmap's height plus the vertical shift above and below;
        // the skin's own rectangle is copied through a picture of the input size.
        const std::int64_t shift = (static_cast<std::int64_t>(outHeight) - inHeight) / 2;
        pictures.push_back({outWidth, source.height + 2 * shift});
        pictures.push_back({inWidth, inHeight});
    } else if (platform::TextEquals(method, "Browser")) {
        BrowserPictures(source, inWidth, inHeight, outHeight, pictures);
    } else if (platform::TextEquals(method, "Smart")) {
        if (platform::TextEquals(SkinName, "RekordBox") && inWidth < outWidth &&
            inHeight < outHeight)
            return pictures;
        // Proportional first when the proportions differ, then the browsers take the height
        // that is left, on the scaled bitmap. A job that keeps the input's size composes no
        // picture larger than the input bitmap.
        const bool differ = smartrules::AspectsDiffer(inWidth, inHeight, outWidth, outHeight);
        if (!differ && outWidth == inWidth && outHeight == inHeight)
            return pictures;
        const std::int32_t height =
            differ
                ? platform::RoundInt32(
                      static_cast<double>(static_cast<std::int64_t>(outWidth) * inHeight) / inWidth)
                : outHeight;
        const PlannedPicture scaled = SimpleCanvas(source, inWidth, inHeight, outWidth, height);
        pictures.push_back(scaled);
        if (differ)
            BrowserPictures(scaled, outWidth, height, outHeight, pictures);
    }
    return pictures;
}

}  // namespace

std::vector<PlannedPicture> PlannedPictures(const std::string& method, std::int64_t sourceWidth,
                                            std::int64_t sourceHeight) noexcept {
    if (inWidth <= 0 || inHeight <= 0 || outWidth <= 0 || outHeight <= 0 || sourceWidth <= 0 ||
        sourceHeight <= 0)
        return {};
    try {
        return Plan(method, {sourceWidth, sourceHeight});
    } catch (...) {
        return {};
    }
}

bool OutputPicturesFit(const std::string& method) {
    std::optional<std::string> bitmap;
    try {
        bitmap = BitmapBesideInput();
    } catch (const platform::RuntimeException&) {
        return true;  // the job's own steps report a path that does not resolve
    }
    const std::optional<QSize> source =
        bitmap ? platform::PictureFileSize(*bitmap) : std::optional<QSize>();
    if (!source)
        return true;
    for (const PlannedPicture& picture :
         PlannedPictures(method, source->width(), source->height())) {
        if (picture.width <= 0 || picture.height <= 0 ||
            platform::PictureSizeRefusal(picture.width, picture.height).empty())
            continue;
        JobLog log;
        methodreport::ReportPictureTooLarge(
            log, platform::PictureTooLargeException(picture.width, picture.height));
        return false;
    }
    return true;
}

}  // namespace Variables
