#pragma once

#include "platform/picture.h"
#include "platform/picture_test_util.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"
#include "support/inspection.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <string>

/// Small generated bitmaps for the methods' pixel tests, and a look at what they render.
namespace methodpictures {

inline platform::PicturePtr Make(int width, int height,
                                 const std::function<platform::Color(int, int)>& colour) {
    platform::PicturePtr p = platform::Picture::New(width, height);
    platform::RGBSurface& s = p->RGBSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.SetPixel(x, y, colour(x, y));
    return p;
}

using picturetest::At;

/// The "Border" fixture: a skin pixel (rows 0 to 5) names its column and row, a sprite pixel
/// (row 6 on) is told apart by red 200.
inline platform::Color SkinPixel(int x, int y) {
    return y < 6 ? platform::RGB(10 * x, 10 * y, 100) : platform::RGB(200, 10 * x, 10 * y);
}

/// The "Browser" fixture: every row and column of its own colour.
inline platform::Color RowPixel(int x, int y) {
    return platform::RGB(20 * x, 15 * y, 50);
}

/// True when row `y` of `a` from column 0 to `width` - 1 equals row `ay` of `b`.
inline bool SameRow(platform::Picture& a, int y, platform::Picture& b, int by, int width) {
    for (int x = 0; x < width; ++x)
        if (!(At(a, x, y) == At(b, x, by)))
            return false;
    return true;
}

/// Writes `p` enlarged `zoom` times (each pixel a block), for a look at it.
inline void SaveRendered(const std::string& name, const platform::Picture& p, int zoom = 16) {
    testsupport::SaveForInspection(p, name, zoom);
}

}  // namespace methodpictures
