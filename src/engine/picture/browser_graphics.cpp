#include "engine/picture/browser_graphics.h"

#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"
#include "platform/thread.h"

namespace Browser {

namespace {

/// The top left of grid cell 1 to 9 for a pw × ph picture in a w × h rectangle, or false.
bool CellPosition(std::int32_t cell, int w, int h, int pw, int ph, int& x, int& y) {
    if (cell < 1 || cell > 9)
        return false;
    const int column = (cell - 1) % 3;
    const int row = (cell - 1) / 3;
    // Halves in double precision, truncated toward zero: a 151-pixel picture centred in 100
    // pixels lands at trunc(50 − 75.5) = −25.
    const int centreX = static_cast<int>(w / 2.0 - pw / 2.0);
    const int centreY = static_cast<int>(h / 2.0 - ph / 2.0);
    x = column == 0 ? 0 : column == 1 ? centreX : w - pw;
    y = row == 0 ? 0 : row == 1 ? centreY : h - ph;
    return true;
}

}  // namespace

void Change_Browser_Graphics(std::int32_t w, std::int32_t h, std::int32_t x, std::int32_t y) {
    if (!Variables::New_picture)
        throw platform::NilObjectException("no canvas to restyle");
    auto work = platform::Picture::New(w, h);
    platform::Graphics& g = work->Graphics();
    g.DrawPicture(*Variables::New_picture, 0, 0, w, h, x, y, w, h);

    if (Browser_Color_change) {
        if (B_Force_Color) {
            g.ForeColor = Browser_Color;
            g.FillRect(0, 0, w, h);
        } else {
            work->RGBSurface().FloodFill(static_cast<int>(w / 2.0), static_cast<int>(h / 2.0),
                                         Browser_Color);
        }
    }

    if (Browser_Picture_Change && platform::IsAbsolutePath(B_Background_Picture)) {
        // The background keeps its transparency, so that a chosen fill shows through it.
        const platform::PicturePtr picture =
            platform::OpenAsPicture(B_Background_Picture, nullptr, platform::PictureAlpha::Keep);
        if (!picture)
            throw platform::NilObjectException("no background picture in " + B_Background_Picture);
        const int pw = picture->Width();
        const int ph = picture->Height();
        if (B_Adapt_Picture) {
            g.DrawPicture(*picture, 0, 0, w, h, 0, 0, pw, ph);
        } else if (B_Tile_Picture) {
            for (int tx = 0; tx <= w; tx += pw) {
                for (int ty = 0; ty <= h; ty += ph) {
                    g.DrawPicture(*picture, tx, ty, w, h, 0, 0, w, h);
                    platform::Yield();
                }
                platform::Yield();
            }
        } else {
            int px = 0;
            int py = 0;
            if (CellPosition(B_Picture_Position, w, h, pw, ph, px, py))
                g.DrawPicture(*picture, px, py, w, h, 0, 0, w, h);
        }
    }

    Variables::New_picture->Graphics().DrawPicture(*work, x, y);
}

}  // namespace Browser
