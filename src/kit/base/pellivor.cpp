#include "kit/base/pellivor.h"

#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/rgbsurface.h"
#include "platform/thread.h"

#include <algorithm>
#include <cmath>

namespace Pellivor {
namespace {

using platform::Picture;
using platform::RGBSurface;

constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};

/// A grey level from a computed real: truncated toward zero and kept within 0..255, so that
/// a level the formulas put above 255 (or an infinite one from a zero-width ramp) is white.
int Level(double v) noexcept {
    if (!(v < 255.0))
        return 255;
    if (!(v > 0.0))
        return 0;
    return static_cast<int>(v);
}

Color Grey(int level) noexcept {
    return platform::RGB(level, level, level);
}

bool IsWhole(double v) noexcept {
    return std::floor(v) == std::ceil(v);
}

/// A new picture of the given size filled with `color`; none when a side has no pixel.
PicturePtr FilledPicture(Color color, int w, int h) {
    if (w <= 0 || h <= 0)
        return nullptr;
    PicturePtr pic = Picture::New(w, h);
    Graphics& g = pic->Graphics();
    g.ForeColor = color;
    g.FillRect(0, 0, w, h);
    return pic;
}

/// The picture's mask made entirely transparent, ready for the pixels a line makes opaque.
RGBSurface& TransparentMask(Picture& picture) {
    Picture* mask = picture.Mask();
    mask->Graphics().ForeColor = kWhite;
    mask->Graphics().FillRect(0, 0, mask->Width(), mask->Height());
    return mask->RGBSurface();
}

/// Corner radius and ramp width of the rounded rectangles.
struct Rounding {
    double r;
    double e;
};

Rounding RoundingFor(double w, double h, double radius, double edge) {
    const double r = std::min({radius, w / 2, h / 2});
    double e = edge;
    if (edge == -1)
        e = r < 5 ? std::sqrt(r) : 2.5;
    return Rounding{r, e};
}

/// The ramp of the rounded rectangles: the distance itself is part of the level.
int RampLevel(double d, const Rounding& k) {
    return Level((d - k.r) / k.e * 255 + d);
}

double Distance(double cx, double cy, double j, double i) {
    return std::sqrt((cx - j) * (cx - j) + (cy - i) * (cy - i));
}

int FillLevel(int j, int i, double w, double h, const Rounding& k) {
    const double r = k.r;
    const bool top = i >= 0 && i < r;
    const bool bottom = h - 1 - r < i && i <= h - 1;
    const bool left = j >= 0 && j < r;
    const bool right = w - 1 - r < j && j <= w - 1;
    double cx;
    double cy;
    if (left && top) {
        cx = r;
        cy = r;
    } else if (right && top) {
        cx = w - 1 - r;
        cy = r;
    } else if (left && bottom) {
        cx = r;
        cy = h - 1 - r;
    } else if (right && bottom) {
        cx = w - 1 - r;
        cy = h - 1 - r;
    } else {
        return 0;
    }
    const double d = Distance(cx, cy, j, i);
    if (d <= r)
        return 0;
    if (d <= r + k.e)
        return RampLevel(d, k);
    return 255;
}

int OutlineLevel(int j, int i, double w, double h, const Rounding& k) {
    const double r = k.r;
    const bool firstOrLastRow = i == 0 || i == h - 1;
    const bool firstOrLastColumn = j == 0 || j == w - 1;
    if (r <= j && j <= w - 1 - r && firstOrLastRow)
        return 0;
    if (r <= i && i <= h - 1 - r && firstOrLastColumn)
        return 0;
    const bool top = i >= 0 && i < r;
    const bool bottom = h - 1 - r < i && i <= h - 1;
    const bool left = j >= 0 && j < r;
    const bool right = w - 1 - r < j && j <= w - 1;
    if (!((top || bottom) && (left || right)))
        return 255;
    const double d = std::min({Distance(r, r, j, i), Distance(w - 1 - r, r, j, i),
                               Distance(r, h - 1 - r, j, i), Distance(w - 1 - r, h - 1 - r, j, i)});
    if (d == r)
        return 0;
    if (d < r) {
        if (w >= h && firstOrLastRow)
            return 0;
        if (w < h && firstOrLastColumn)
            return 0;
        // Reflected to the outside of the circle and moved out by one pixel.
        return RampLevel(2 * r - d + 1, k);
    }
    if (d <= r + k.e)
        return RampLevel(d, k);
    return 255;
}

void SetMaskLevel(RGBSurface& mask, int j, int i, int level) {
    mask.SetPixel(j, i, Grey(level));
}

/// The plain-pen test of the line: an axis-parallel box from a whole start point, which
/// stays one pixel thick when enlarged by the rounded-up blur on every side.
struct LineBox {
    int w;
    int h;
    bool plainPen;
    bool axisParallel;
};

LineBox LineBoxFor(double x1, double y1, double x2, double y2, float blur) {
    LineBox box{static_cast<int>(std::abs(x2 - x1) + 1), static_cast<int>(std::abs(y2 - y1) + 1),
                false, false};
    box.axisParallel = box.w == 1 || box.h == 1;
    if (box.axisParallel && IsWhole(x1) && IsWhole(y1)) {
        const double grow = 2 * std::ceil(static_cast<double>(blur));
        box.plainPen = static_cast<int>(box.w + grow) == 1 || static_cast<int>(box.h + grow) == 1;
    }
    return box;
}

/// The soft line's level at distance d from its axis.
int LineLevel(double d, float hw, float z, float blur) {
    if (d > z)
        return -1;
    if (d <= hw)
        return 0;
    return std::max(0, static_cast<int>((d - hw) / blur * 255));
}

/// An axis-parallel segment off the whole-pixel grid or with a blur: centred in a box that
/// the rounded-up blur widens across it, since the slope rule has no slope to follow there.
PlacedPicture AxisLinePicture(Color color, double x1, double y1, double x2, double y2,
                              const LineBox& box, float width, float blur) {
    const int grow = static_cast<int>(std::ceil(static_cast<double>(blur)));
    const bool vertical = box.w == 1 && box.h > 1;
    const int w = vertical ? 1 + 2 * grow : box.w;
    const int h = vertical ? box.h : 1 + 2 * grow;
    PlacedPicture placed{FilledPicture(color, w, h),
                         static_cast<int>(std::min(x1, x2)) - (vertical ? grow : 0),
                         static_cast<int>(std::min(y1, y2)) - (vertical ? 0 : grow)};
    RGBSurface& surface = TransparentMask(*placed.picture);
    const float hw = width / 2;
    const float z = hw + blur;
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            const int level = LineLevel(std::abs((vertical ? j : i) - grow), hw, z, blur);
            if (level >= 0)
                SetMaskLevel(surface, j, i, level);
        }
    }
    return placed;
}

/// Moves a centre given as exactly half the picture's size onto the middle of the pixel grid.
double Centred(double c, int size) {
    return c == size / 2.0 ? c - 0.5 : c;
}

}  // namespace

PicturePtr RoundRectFillPicture(Color color, double w, double h, double radius, double edge) {
    PicturePtr pic = FilledPicture(color, static_cast<int>(w), static_cast<int>(h));
    if (!pic)
        return nullptr;
    const Rounding k = RoundingFor(w, h, radius, edge);
    RGBSurface& mask = pic->Mask()->RGBSurface();
    // Only the bands along the shorter sides hold corners; the rest keeps the opaque mask.
    auto band = [&](double rowFrom, double rowTo, double colFrom, double colTo) {
        for (int i = static_cast<int>(rowFrom); i <= rowTo; ++i) {
            for (int j = static_cast<int>(colFrom); j <= colTo; ++j)
                SetMaskLevel(mask, j, i, FillLevel(j, i, w, h, k));
        }
    };
    if (h >= w) {
        band(0, k.r - 1, 0, w - 1);
        band(static_cast<int>(h - k.r), h - 1, 0, w - 1);
    } else {
        band(0, h - 1, 0, k.r);
        band(0, h - 1, static_cast<int>(w - k.r), w - 1);
    }
    return pic;
}

PicturePtr RoundRectOutlinePicture(Color color, double w, double h, double radius, double edge) {
    PicturePtr pic = FilledPicture(color, static_cast<int>(w), static_cast<int>(h));
    if (!pic)
        return nullptr;
    const Rounding k = RoundingFor(w, h, radius, edge);
    RGBSurface& mask = pic->Mask()->RGBSurface();
    for (int i = 0; i < pic->Height(); ++i) {
        for (int j = 0; j < pic->Width(); ++j)
            SetMaskLevel(mask, j, i, OutlineLevel(j, i, w, h, k));
    }
    return pic;
}

void FillRoundRectA(Graphics& g, double x, double y, double w, double h, double radius, double edge,
                    bool asMask) {
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(y);
    if (radius < 1) {
        if (asMask)
            g.ForeColor = kBlack;
        g.FillRect(px, py, static_cast<int>(w), static_cast<int>(h));
        return;
    }
    PicturePtr pic = RoundRectFillPicture(g.ForeColor, w, h, radius, edge);
    if (!pic)
        return;
    if (asMask)
        g.DrawPicture(*pic->Mask(), px, py);
    else
        g.DrawPicture(*pic, px, py);
}

void DrawRoundRectA(Graphics& g, double x, double y, double w, double h, double radius,
                    double edge) {
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(y);
    if (radius < 1)
        g.DrawRect(px, py, static_cast<int>(w), static_cast<int>(h));
    if (PicturePtr pic = RoundRectOutlinePicture(g.ForeColor, w, h, radius, edge))
        g.DrawPicture(*pic, px, py);
}

PlacedPicture LinePicture(Color color, double x1, double y1, double x2, double y2, float width,
                          float blur) {
    const LineBox box = LineBoxFor(x1, y1, x2, y2, blur);
    if (box.plainPen)
        return {};
    if (box.axisParallel)
        return AxisLinePicture(color, x1, y1, x2, y2, box, width, blur);
    const int w = box.w;
    const int h = box.h;
    PlacedPicture placed{FilledPicture(color, w, h), static_cast<int>(std::min(x1, x2)),
                         static_cast<int>(std::min(y1, y2))};
    RGBSurface& surface = TransparentMask(*placed.picture);

    const double k = (y1 - y2) / (x1 - x2);
    const double m = k < 0 ? h - 1 : 0;
    const double s = std::sqrt(k * k + 1);
    const float hw = width / 2;
    const float z = hw + blur;
    const bool leftToRight = k > 0;
    int scan = leftToRight ? 0 : w - 1;
    for (int i = 0; i < h; ++i) {
        int firstWritten = -1;
        for (int j = scan; leftToRight ? j < w : j >= 0; j += leftToRight ? 1 : -1) {
            const int level = LineLevel(std::abs(k * j - i + m) / s, hw, z, blur);
            if (level < 0) {
                if (firstWritten >= 0)
                    break;
                continue;
            }
            SetMaskLevel(surface, j, i, level);
            if (firstWritten < 0)
                firstWritten = j;
        }
        // The line moves one way from row to row: the next row starts where this one met it.
        if (firstWritten >= 0)
            scan = firstWritten;
    }
    return placed;
}

void DrawLineA(Graphics& g, double x1, double y1, double x2, double y2, float width, float blur) {
    if (LineBoxFor(x1, y1, x2, y2, blur).plainPen) {
        g.PenWidth = static_cast<int>(width);
        g.PenHeight = static_cast<int>(width);
        g.DrawLine(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
                   static_cast<int>(y2));
        return;
    }
    const PlacedPicture placed = LinePicture(g.ForeColor, x1, y1, x2, y2, width, blur);
    if (placed.picture)
        g.DrawPicture(*placed.picture, placed.x, placed.y);
}

PicturePtr RoundShade(PicturePtr pic, double cx, double cy, double radius, double edge, Color inner,
                      Color outer) {
    if (!pic)
        throw platform::NilObjectException("RoundShade has no picture");
    const int w = pic->Width();
    const int h = pic->Height();
    RGBSurface& surface = pic->RGBSurface();
    const int lo = inner.r;
    const int hi = outer.r;
    cx = Centred(cx, w);
    cy = Centred(cy, h);
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            const double d = Distance(cx, cy, j, i);
            if (d <= radius)
                surface.SetPixel(j, i, inner);
            else if (d > radius + edge)
                surface.SetPixel(j, i, outer);
            else
                surface.SetPixel(j, i, Grey(Level((d - radius) / edge * (hi - lo) + lo)));
            platform::Yield();
        }
        platform::Yield();
    }
    return pic;
}

void gradient(Graphics& g, int x, int y, int w, int h, Color c1, Color c2, bool vertical) {
    Graphics view = g.Clip(x, y, w, h);
    const int n = vertical ? h - 1 : w - 1;
    for (int i = 0; i <= n; ++i) {
        float a = 1;
        float b = 0;
        if (n != 0) {
            a = static_cast<float>(static_cast<double>(n - i) / n);
            b = static_cast<float>(static_cast<double>(i) / n);
        }
        auto channel = [&](int from, int to) {
            return Level(static_cast<double>(to) * static_cast<double>(b) +
                         static_cast<double>(from) * static_cast<double>(a));
        };
        view.ForeColor =
            platform::RGB(channel(c1.r, c2.r), channel(c1.g, c2.g), channel(c1.b, c2.b));
        if (vertical)
            view.DrawLine(0, i, w - 1, i);
        else
            view.DrawLine(i, 0, i, h - 1);
    }
}

void FillAll(Graphics& g) {
    g.FillRect(0, 0, g.Width(), g.Height());
}

PicturePtr OvalShade(PicturePtr pic, double cx, double cy, double width, double height, double edge,
                     Color inner, Color outer) {
    if (!pic)
        throw platform::NilObjectException("OvalShade has no picture");
    const int w = pic->Width();
    const int h = pic->Height();
    cx = Centred(cx, w);
    cy = Centred(cy, h);
    const int base = inner.r;
    const int span = outer.r - inner.r;
    // A negative axis (a picture narrower than the callers' margin) would take the root of a
    // negative number: the foci then meet at the centre.
    double f1x, f1y, f2x, f2y, m;
    if (width < height) {
        const double f =
            std::sqrt(std::max(0.0, (height / 2) * (height / 2) - (width / 2) * (width / 2)));
        f1x = cx;
        f1y = cy - f;
        f2x = cx;
        f2y = cy + f;
        m = Distance(f1x, f1y, cx, cy - height / 2) + Distance(f2x, f2y, cx, cy - height / 2);
    } else {
        const double f =
            std::sqrt(std::max(0.0, (width / 2) * (width / 2) - (height / 2) * (height / 2)));
        f1x = cx - f;
        f1y = cy;
        f2x = cx + f;
        f2y = cy;
        m = Distance(f1x, f1y, cx - width / 2, cy) + Distance(f2x, f2y, cx - width / 2, cy);
    }
    if (edge == -1)
        edge = Distance(f1x, f1y, 0, 0) + Distance(f2x, f2y, 0, 0) - m;
    RGBSurface& surface = pic->RGBSurface();
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            const double s = Distance(f1x, f1y, j, i) + Distance(f2x, f2y, j, i);
            if (s <= m)
                surface.SetPixel(j, i, inner);
            else if (s > m + edge)
                surface.SetPixel(j, i, outer);
            else
                surface.SetPixel(j, i, Grey(Level((s - m) / edge * span + base)));
        }
    }
    return pic;
}

PlacedPicture LineFillPicture(Color color, double x1, double y1, double x2, double y2, double dist,
                              bool side) {
    const int cw = static_cast<int>(std::abs(x2 - x1) + 1);
    const int ch = static_cast<int>(std::abs(y2 - y1) + 1);
    PlacedPicture placed{FilledPicture(color, cw, ch), static_cast<int>(std::min(x1, x2)),
                         static_cast<int>(std::min(y1, y2))};
    if (!placed.picture)
        return placed;
    if ((cw == 1 || ch == 1) && IsWhole(x1) && IsWhole(y1))
        return placed;  // solid: no mask at all
    RGBSurface& surface = TransparentMask(*placed.picture);
    const double k = x1 == x2 ? -1 : (y1 - y2) / (x1 - x2);
    const double m = k < 0 ? ch - 1 : 0;
    const double q = std::sqrt(k * k + 1);
    const bool below = (k > 0 && side) || (k < 0 && !side) || k == 0;
    for (int i = 0; i < ch; ++i) {
        for (int j = 0; j < cw; ++j) {
            double d = (k * j - i + m) / q;  // positive above the line
            if (!below)
                d = d > 0 ? 0 : -d;
            // A soft edge of no width is a hard one.
            const double grey = d > dist ? 255 : (dist > 0 ? std::max(0.0, d / dist * 255) : 0);
            SetMaskLevel(surface, j, i, Level(grey));
        }
    }
    return placed;
}

void DrawLineAFill(Graphics& g, double x1, double y1, double x2, double y2, double dist,
                   bool side) {
    const PlacedPicture placed = LineFillPicture(g.ForeColor, x1, y1, x2, y2, dist, side);
    if (placed.picture)
        g.DrawPicture(*placed.picture, placed.x, placed.y);
}

}  // namespace Pellivor
