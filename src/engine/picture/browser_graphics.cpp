#include "engine/picture/browser_graphics.h"

#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"
#include "platform/thread.h"

#include <QImage>

#include <algorithm>
#include <cstring>
#include <memory>

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

/// The background repeated every picture width and height from the top left of a w × h
/// rectangle, in one picture: drawn once, it gives what drawing every tile in turn gave, in
/// one drawing instead of one per tile (a 1 × 1 tile in a 394 × 394 browser took 156 025
/// drawings: twelve seconds under the sanitizers, and a browser of a few megapixels seconds
/// even without them). The pixels are copied as they are, alpha included, and the tiles
/// never overlap, so the composition over the browser's fill is the same pixel for pixel.
/// Yields once per row.
platform::PicturePtr Tiled(const platform::Picture& tile, int w, int h) {
    const int pw = tile.Width();
    const int ph = tile.Height();
    // What drawing the tile draws: its own colour plane, or with its mask as alpha; in the
    // 32-bit form a picture keeps, so that the layer holds the very same pixel values.
    const QImage::Format format =
        tile.HasAlpha() || tile.HasMask() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage source = tile.DrawableImage(QRect(0, 0, pw, ph)).convertToFormat(format);
    auto layer = std::make_shared<platform::Picture>(QImage(w, h, format));
    QImage& image = layer->Image();
    constexpr std::size_t kBytesPerPixel = 4;
    for (int row = 0; row < h; ++row) {
        const uchar* from = source.constScanLine(row % ph);
        uchar* to = image.scanLine(row);
        for (int column = 0; column < w; column += pw) {
            const auto pixels = static_cast<std::size_t>(std::min(pw, w - column));
            std::memcpy(to + static_cast<std::size_t>(column) * kBytesPerPixel, from,
                        pixels * kBytesPerPixel);
        }
        platform::Yield();
    }
    return layer;
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
            platform::OpenAsPicture(B_Background_Picture, platform::PictureAlpha::Keep);
        if (!picture)
            throw platform::NilObjectException("no background picture in " + B_Background_Picture);
        const int pw = picture->Width();
        const int ph = picture->Height();
        if (B_Adapt_Picture) {
            g.DrawPicture(*picture, 0, 0, w, h, 0, 0, pw, ph);
        } else if (B_Tile_Picture) {
            g.DrawPicture(*Tiled(*picture, w, h), 0, 0);
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
