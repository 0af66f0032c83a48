#pragma once

#include "platform/color.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <string>
#include <string_view>

class QFont;
class QPainter;
class QRectF;

namespace platform {

class Picture;

/// Draws on a picture or on its mask, after the framework's Graphics: integer pixel
/// coordinates from the top left, no anti-aliasing of shapes, sizes that mean pixels.
///
/// Text needs a QGuiApplication (the font database).
class Graphics {
public:
    /// Draws on `target`, which must outlive this object.
    explicit Graphics(Picture& target);

    Color ForeColor{0, 0, 0};
    /// The pen's size in pixels; lines and outlines extend right of and below their points.
    int PenWidth = 1;
    int PenHeight = 1;
    /// "Arial", "System" and "" mean Liberation Sans.
    std::string TextFont;
    /// Pixels; 0 means 12.
    double TextSize = 0;
    /// Kept for callers that set it; sizes are always pixels.
    int TextUnit = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    /// Kept for callers that set it; there is one renderer.
    bool UseOldRenderer = false;

    /// The drawable width and height (a clipped view's own size).
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }

    /// Fills exactly width × height pixels in ForeColor.
    void FillRect(int x, int y, int width, int height);
    /// Outlines exactly width × height pixels in ForeColor, PenWidth × PenHeight thick.
    void DrawRect(int x, int y, int width, int height);
    /// A line through both end points in ForeColor, the pen hanging right of and below each.
    void DrawLine(int x1, int y1, int x2, int y2);
    void FillOval(int x, int y, int width, int height);
    /// A rectangle whose corners are quarter ellipses of arcWidth × arcHeight.
    void FillRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight);

    /// Draws the whole picture at (x, y) at its own size, through its mask or alpha. An
    /// opaque picture lands as an exact copy of its pixels. Throws RuntimeException when memory
    /// for a masked picture's drawable copy runs out.
    void DrawPicture(const Picture& picture, int x, int y);
    /// Draws the picture unscaled from its top left, cut at width × height. Throws as the
    /// drawing at its own size.
    void DrawPicture(const Picture& picture, int x, int y, int width, int height);
    /// Draws the source rectangle into the destination rectangle: an exact copy when the
    /// sizes agree, else scaled smoothly (area averaging when shrinking, bilinear when
    /// growing). The part of the source rectangle outside the picture draws nothing. Throws
    /// PictureTooLargeException when the scaled part would lie above the picture size caps
    /// (before anything is allocated), RuntimeException when memory for it runs out.
    void DrawPicture(const Picture& picture, int destX, int destY, int destWidth, int destHeight,
                     int sourceX, int sourceY, int sourceWidth, int sourceHeight);

    /// Draws text with the left end of its first baseline at (x, y). With `wrapWidth` > 0 the
    /// text breaks into lines no wider than that (TextHeight apart); with `condense` it stays
    /// on one line, cut with an ellipsis to fit `wrapWidth`. CR, LF and CR LF break lines.
    void DrawString(std::string_view text, double x, double y, double wrapWidth = 0,
                    bool condense = false);
    /// The advance of the text on one line, in pixels.
    double StringWidth(std::string_view text) const;
    /// The height of the text broken as DrawString breaks it: lines × TextHeight.
    int StringHeight(std::string_view text, double wrapWidth) const;
    /// Ascent plus descent of the current font.
    int TextHeight() const;
    int TextAscent() const;
    /// The family the current font resolves to ("Liberation Sans" for "Arial").
    std::string ResolvedFontFamily() const;

    /// Draws the note icon (the tool's own 32 × 32 picture: a blue disc with a white "i") with
    /// its top left at (x, y); its corners stay transparent.
    void DrawNoteIcon(int x, int y);
    static constexpr int kNoteIconSize = 32;

    /// A view of this surface whose origin is (x, y) and which draws nothing outside
    /// width × height (nor outside this view). It starts with this view's settings.
    Graphics Clip(int x, int y, int width, int height) const;

private:
    using Shape = std::function<void(QPainter&, const QRectF&)>;
    void FillShape(int x, int y, int width, int height, const Shape& shape);
    /// Runs `draw` on a painter of the target, clipped to this view. `pixels` is about how
    /// many pixels it paints: from kAsidePixels on, the painting runs aside (RunAside).
    void Paint(const std::function<void(QPainter&)>& draw, std::int64_t pixels = 0);
    QFont Font() const;
    void DrawPenRect(QPainter& painter, int x, int y, int width, int height) const;

    Picture* m_target;
    /// The view's origin in the target's pixels.
    QPoint m_origin;
    int m_width;
    int m_height;
    /// What may be drawn, in the target's pixels.
    QRect m_clip;
};

/// The number of font families installed on the system (the font database's families).
/// Needs a QGuiApplication.
int FontCount();
/// The name of installed family `index` (0-based, in the font database's order).
/// Throws OutOfBoundsException outside 0 .. FontCount() − 1.
std::string Font(int index);

}  // namespace platform
