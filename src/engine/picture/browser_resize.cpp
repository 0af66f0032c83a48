#include "engine/picture/browser_resize.h"

#include "engine/picture/browser_graphics.h"
#include "engine/picture/browser_lines.h"
#include "engine/picture/method_report.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/thread.h"

namespace browserresize {

namespace {

// The work pictures stand for pictures the framework could not make: any failure to have
// one is a missing object, reported as such; but one above the size caps is refused as too
// large, which says what to change.
platform::PicturePtr WorkPicture(long long width, long long height) {
    if (width < 1 || height < 1 || width > INT32_MAX || height > INT32_MAX)
        throw platform::NilObjectException("no work picture of that size");
    try {
        return platform::Picture::New(static_cast<int>(width), static_cast<int>(height));
    } catch (const platform::PictureTooLargeException&) {
        throw;
    } catch (const platform::RuntimeException& e) {
        throw platform::NilObjectException(e.what());
    }
}

}  // namespace

void StretchRows(platform::Picture& canvas, const platform::Picture& source, std::int32_t inWidth,
                 std::int32_t inHeight, std::int32_t outHeight, std::int32_t browserBottom,
                 methodlines::RunningLine& cursor) {
    const long long d = static_cast<long long>(outHeight) - inHeight;
    const long long b = browserBottom;

    const platform::PicturePtr band = WorkPicture(inWidth, outHeight);
    platform::Graphics& bg = band->Graphics();
    bg.DrawPicture(source, 0, 0);

    const int width = band->Width();
    const platform::PicturePtr strip = WorkPicture(width, 1);
    if (b - 2 >= 0 && b - 2 < source.Height())
        strip->Graphics().DrawPicture(source, 0, 0, width, 1, 0, static_cast<int>(b - 2), width, 1);

    // One row drawn again and again: the stretch never touches single pixels. The copies
    // start a row higher than the repeated row, so the row above it is covered as well.
    for (cursor.index = -3; cursor.index <= d; ++cursor.index) {
        const long long y = b + cursor.index;
        if (y >= 0 && y < band->Height())
            bg.DrawPicture(*strip, 0, static_cast<int>(y));
        platform::Yield();
    }

    const long long lowerHeight = static_cast<long long>(inHeight) - b + 1;
    if (lowerHeight >= 1 && lowerHeight <= INT32_MAX) {
        platform::PicturePtr lower;
        try {
            lower = platform::Picture::New(width, static_cast<int>(lowerHeight));
        } catch (const platform::RuntimeException&) {
            lower = nullptr;  // the part below the browser then stays where the band has it
        }
        if (lower) {
            lower->Graphics().DrawPicture(source, 0, 0, width, static_cast<int>(lowerHeight), 0,
                                          static_cast<int>(b - 1), width,
                                          static_cast<int>(lowerHeight));
            bg.DrawPicture(*lower, 0, static_cast<int>(band->Height() - lowerHeight));
        }
    }

    platform::Graphics& g = canvas.Graphics();
    const long long spriteRows = static_cast<long long>(source.Height()) - inHeight;
    if (spriteRows >= 1)
        g.DrawPicture(source, 0, outHeight, source.Width(), static_cast<int>(spriteRows), 0,
                      inHeight, source.Width(), static_cast<int>(spriteRows));
    g.DrawPicture(*band, 0, 0);
}

}  // namespace browserresize

namespace Browser {

namespace {

std::int32_t FirstBrowserBottom() {
    return platform::CheckedInt32(static_cast<long long>(platform::At(Browser_Y, 0)) +
                                  platform::At(Browser_Height, 0));
}

void ComposeBrowserBitmap(methodlines::RunningLine& cursor) {
    using namespace Variables;
    const platform::PicturePtr source = BMP_picture;
    if (!source)
        throw platform::NilObjectException("no skin bitmap");
    const long long d = static_cast<long long>(outHeight) - inHeight;

    const platform::PicturePtr canvas =
        methodreport::NewCanvas(source->Width(), static_cast<long long>(source->Height()) + d);
    if (!canvas)
        return;
    New_picture = canvas;
    browserresize::StretchRows(*canvas, *source, inWidth, inHeight, outHeight, FirstBrowserBottom(),
                               cursor);

    if (Browser_Change && (Browser_Color_change || Browser_Picture_Change)) {
        // Every browser keeps its input position; only its height changes.
        for (cursor.index = 0; cursor.index < BrowserCount; ++cursor.index) {
            const long long i = cursor.index;
            Change_Browser_Graphics(platform::At(Browser_Width, i),
                                    platform::CheckedInt32(platform::At(Browser_Height, i) + d),
                                    platform::At(Browser_X, i), platform::At(Browser_Y, i));
            platform::Yield();
        }
    }
    BMP_picture = canvas;
}

}  // namespace

void Browser_Resize() {
    using namespace Variables;
    methodreport::RunLinesThenBitmap(
        "Browser_Resize", 3,
        [](methodlines::RunningLine& cursor) {
            browserlines::MoveLines(Str_Line, inHeight, outHeight, FirstBrowserBottom, cursor);
        },
        ComposeBrowserBitmap);
}

}  // namespace Browser
