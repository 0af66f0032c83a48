#include "engine/picture/scale_fixed_picture.h"

#include "engine/picture/method_lines.h"
#include "engine/picture/method_report.h"
#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/xml/geometry_lists.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <algorithm>
#include <cmath>

namespace fixedpicture {

namespace {

// Source columns [srcX, srcX + width) to canvas columns from dstX, all rows, unscaled; the
// parts outside either picture are left out.
void CopyColumns(platform::Picture& canvas, const platform::Picture& source, long long srcX,
                 long long width, long long dstX) {
    if (srcX < 0) {
        width += srcX;
        dstX -= srcX;
        srcX = 0;
    }
    width = std::min<long long>(width, source.Width() - srcX);
    if (width < 1 || dstX >= canvas.Width() || dstX + width <= 0)
        return;
    const int w = static_cast<int>(width);
    canvas.Graphics().DrawPicture(source, static_cast<int>(dstX), 0, w, source.Height(),
                                  static_cast<int>(srcX), 0, w, source.Height());
}

}  // namespace

Margins CustomVisualMargins(const std::vector<std::string>& customVisual, std::int32_t scaledWidth,
                            std::int32_t scaledHeight) {
    Margins m;
    for (const std::string& entry : customVisual) {
        const auto field = [&entry](int k) {
            return platform::Val(platform::NthField(entry, "*", k));
        };
        const double w = field(1), h = field(2), x = field(3), y = field(4), nb = field(5),
                     nbx = field(6);
        if (nbx != 0) {
            if (scaledWidth < w * nbx + x)
                m.right = std::max(m.right, platform::TruncInt32(w * nbx + x - scaledWidth));
            else if (scaledHeight < (nb / nbx) * h + y)
                m.bottom =
                    std::max(m.bottom, platform::TruncInt32((nb / nbx) * h + y - scaledHeight));
        } else if (scaledWidth < w * nb + x) {
            m.right = std::max(m.right, platform::TruncInt32(w * nb + x - scaledWidth));
        }
        platform::Yield();
    }
    return m;
}

void StretchColumns(platform::Picture& canvas, const platform::Picture& source,
                    std::int32_t scaledWidth) {
    const double half = source.Width() / 2.0;
    const long long m = static_cast<long long>(std::trunc(half - 2));
    const long long r = static_cast<long long>(std::trunc(half + 2));
    const long long last = static_cast<long long>(std::trunc(scaledWidth - (half - 2)));
    const long long c = static_cast<long long>(std::trunc(scaledWidth / 2.0));

    CopyColumns(canvas, source, 0, m, 0);
    const long long leftRunEnd = static_cast<long long>(std::trunc(scaledWidth / 2.0 - 1));
    for (long long i = m; i <= leftRunEnd; ++i) {
        CopyColumns(canvas, source, m, 1, i);
        platform::Yield();
    }
    for (long long k = 0; k < 3; ++k)
        CopyColumns(canvas, source, m + 1 + k, 1, c + k);
    const long long rightRunStart = static_cast<long long>(std::trunc(scaledWidth / 2.0 + 2));
    for (long long i = rightRunStart; i <= last; ++i) {
        CopyColumns(canvas, source, r, 1, i);
        platform::Yield();
    }
    CopyColumns(canvas, source, r, r, last);
}

}  // namespace fixedpicture

namespace Variables {

void Scale_FixedPicture() {
    JobLog log;
    log.Write("Resizing Picture");
    std::string step;
    try {
        Cleaning();
        const platform::PicturePtr source = BMP_picture;
        if (!source)
            throw platform::NilObjectException("no skin bitmap");
        const std::int32_t scaledWidth =
            platform::RoundInt32(static_cast<double>(source->Width()) / inWidth * outWidth);
        const std::int32_t scaledHeight =
            platform::RoundInt32(static_cast<double>(source->Height()) / inHeight * outHeight);
        const fixedpicture::Margins margins =
            fixedpicture::CustomVisualMargins(Custom_Visual, scaledWidth, scaledHeight);

        const platform::PicturePtr canvas =
            methodreport::NewCanvas(log, static_cast<long long>(scaledWidth) + margins.right,
                                    static_cast<long long>(scaledHeight) + margins.bottom);
        if (!canvas)
            return;
        New_picture = canvas;
        platform::Graphics& g = canvas->Graphics();
        g.ForeColor = platform::RGB(255, 0, 0);
        g.FillRect(0, 0, canvas->Width(), canvas->Height());

        step = "Drawing resized skin";
        fixedpicture::StretchColumns(*canvas, *source, scaledWidth);
        if (OutdoorPicture)
            Outdoor_Picture();
        BMP_picture = canvas;
        log.Write("Picture Saved");
        log.Write("--");
    } catch (const platform::ThreadEndException&) {
        throw;
    } catch (const std::exception&) {
        methodreport::ReportStepFailure(log, step);
    }
}

}  // namespace Variables
