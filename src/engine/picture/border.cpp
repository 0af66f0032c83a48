#include "engine/picture/border.h"

#include "engine/picture/browser_graphics.h"
#include "engine/picture/method_report.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/thread.h"

#include <algorithm>

namespace border {

void ComposeCanvas(platform::Picture& canvas, const platform::Picture& source, const Shifts& shifts,
                   std::int32_t inWidth, std::int32_t inHeight, platform::Color borderColor) {
    platform::Graphics& g = canvas.Graphics();
    g.ForeColor = borderColor;
    g.FillRect(0, 0, canvas.Width(), canvas.Height());

    const platform::PicturePtr skin = platform::Picture::New(inWidth, inHeight);
    skin->Graphics().DrawPicture(source, 0, 0);

    // The whole bitmap goes down with the sprite area, but its own skin rectangle must not
    // show there: that part reads as border colour, as if the input had been painted over,
    // which it never is.
    const int spriteY = 2 * shifts.sy;
    g.DrawPicture(source, shifts.sx, spriteY);
    g.FillRect(shifts.sx, spriteY, std::min(inWidth, source.Width()),
               std::min(inHeight, source.Height()));
    g.DrawPicture(*skin, shifts.sx, shifts.sy);
}

}  // namespace border

namespace Variables {

namespace {

// The bitmap half; a canvas that cannot be had is reported here.
void ComposeBorderBitmap(const border::Shifts& shifts, methodlines::RunningLine& cursor) {
    const platform::PicturePtr source = BMP_picture;
    if (!source)
        throw platform::NilObjectException("no skin bitmap");

    const platform::PicturePtr canvas = methodreport::NewCanvas(
        outWidth, static_cast<long long>(source->Height()) + 2LL * shifts.sy);
    if (!canvas)
        return;
    New_picture = canvas;
    border::ComposeCanvas(*canvas, *source, shifts, inWidth, inHeight, P_Border_Color);

    if (Browser::Browser_Change &&
        (Browser::Browser_Color_change || Browser::Browser_Picture_Change)) {
        for (cursor.index = 0; cursor.index < Browser::BrowserCount; ++cursor.index) {
            const long long i = cursor.index;
            Browser::Change_Browser_Graphics(
                platform::At(Browser::Browser_Width, i), platform::At(Browser::Browser_Height, i),
                platform::CheckedInt32(shifts.sx + 0LL + platform::At(Browser::Browser_X, i)),
                platform::CheckedInt32(shifts.sy + 0LL + platform::At(Browser::Browser_Y, i)));
            platform::Yield();
        }
    }
    BMP_picture = canvas;
}

}  // namespace

void XML_Depl() {
    const border::Shifts shifts = border::ComputeShifts(inWidth, inHeight, outWidth, outHeight);
    methodreport::RunLinesThenBitmap(
        "XML_Depl", 1,
        [&shifts](methodlines::RunningLine& cursor) {
            border::ShiftLines(Str_Line, shifts, inHeight, outWidth, outHeight, cursor);
        },
        [&shifts](methodlines::RunningLine& cursor) { ComposeBorderBitmap(shifts, cursor); });
}

}  // namespace Variables
