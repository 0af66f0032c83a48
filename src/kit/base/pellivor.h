#pragma once

#include "platform/color.h"
#include "platform/picture.h"

namespace platform {
class Graphics;
}

/// The control kit's own anti-aliased drawing. Shapes are a picture filled with one colour
/// and a grey mask computed pixel by pixel (black opaque, white transparent), drawn at whole
/// pixels; reals become pixels by truncation toward zero throughout.
namespace Pellivor {

using platform::Color;
using platform::Graphics;
using platform::PicturePtr;

/// A rounded rectangle filled with g's fore colour at (trunc x, trunc y), trunc w × trunc h,
/// drawn through its soft-edged mask; with `asMask`, the mask itself is drawn instead (black
/// inside, white outside the corners, greys on their rim). `radius` is limited to half the
/// shorter side; `edge` is the rim's width, -1 for automatic (√r below a radius of 5, else
/// 2.5). A radius below 1 fills a plain rectangle; with `asMask` it first sets g's fore
/// colour to black and leaves it so. A size below one pixel draws nothing.
void FillRoundRectA(Graphics& g, double x, double y, double w, double h, double radius, double edge,
                    bool asMask);
/// The outline of a rounded rectangle, one pixel wide on the straight sides, in g's fore
/// colour; a radius below 1 also frames the rectangle with DrawRect first.
void DrawRoundRectA(Graphics& g, double x, double y, double w, double h, double radius,
                    double edge);

/// The pictures that FillRoundRectA and DrawRoundRectA draw: trunc w × trunc h in `color`,
/// with the computed mask; none when a side is below one pixel.
PicturePtr RoundRectFillPicture(Color color, double w, double h, double radius, double edge);
PicturePtr RoundRectOutlinePicture(Color color, double w, double h, double radius, double edge);

/// A line with a solid core `width` wide and a soft edge `blur` wide on each side, in g's
/// fore colour, cut at the box between its end points. An axis-parallel line from a whole
/// start point with a blur of 0 is drawn with the plain pen, whose width and height stay
/// set to trunc(width) on g.
void DrawLineA(Graphics& g, double x1, double y1, double x2, double y2, float width, float blur);

/// Writes a radial ramp into every pixel of `pic`: `inner` within `radius` of the centre,
/// `outer` beyond radius + edge, between them greys from inner's red level to outer's. A
/// centre at exactly half the picture's size is moved half a pixel up and left, onto the
/// middle of the pixel grid. Yields after every pixel and every row. Returns `pic`.
/// Throws NilObjectException when there is no picture.
PicturePtr RoundShade(PicturePtr pic, double cx, double cy, double radius, double edge, Color inner,
                      Color outer);

/// Fills a rectangle of g with a two-colour gradient, one line per row (vertical, c1 on top)
/// or per column (c1 on the left), with single-precision weights and truncated channels.
void gradient(Graphics& g, int x, int y, int w, int h, Color c1, Color c2, bool vertical);
/// Fills the whole of g with its fore colour.
void FillAll(Graphics& g);
/// Writes an elliptical ramp into every pixel of `pic`: `inner` inside the ellipse of the
/// given axes around (cx, cy), `outer` beyond a focal-distance sum `edge` larger (-1: the ramp
/// ends at the top-left pixel), greys between. A centre at half the picture's size moves as
/// in RoundShade. Returns `pic`. Throws NilObjectException when there is no picture.
PicturePtr OvalShade(PicturePtr pic, double cx, double cy, double width, double height, double edge,
                     Color inner, Color outer);
/// Fills, in g's fore colour, the part of the box between the end points on one side of the
/// line, the other side fading out over `dist` pixels. A one-pixel box from a whole start
/// point is filled solid.
void DrawLineAFill(Graphics& g, double x1, double y1, double x2, double y2, double dist, bool side);

/// The pictures that DrawLineA and DrawLineAFill draw through their masks (none on the
/// plain-pen and solid paths), with where they land.
struct PlacedPicture {
    PicturePtr picture;
    int x = 0;
    int y = 0;
};
PlacedPicture LinePicture(Color color, double x1, double y1, double x2, double y2, float width,
                          float blur);
PlacedPicture LineFillPicture(Color color, double x1, double y1, double x2, double y2, double dist,
                              bool side);

}  // namespace Pellivor
