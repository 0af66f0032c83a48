#pragma once

#include <vector>

/// The arithmetic of the kit's button and pop-up paints, kept apart from the drawing so that
/// every position can be checked by itself. Kit arithmetic truncates toward zero throughout:
/// reals become integers by truncation and integer halving drops the remainder, so
/// (-5) \ 2 is -2.
namespace kit {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

/// The three looks of the kit's buttons and pop-up menu.
enum class Look { Normal, Pressed, Over };

/// The push button draws its fill and gloss in the pointer-over look also while it holds the
/// window's focus; its caption follows the pointer only.
struct PushButtonLooks {
    Look fill;
    Look caption;
};
PushButtonLooks SelectPushButtonLooks(bool mouseDown, bool mouseOver, bool hasFocus) noexcept;

/// The menu button ignores the focus: one look for fill, gloss and caption.
Look SelectMenuButtonLook(bool mouseDown, bool mouseOver) noexcept;

/// The width a button draws at and the control's width after the paint.
struct ButtonWidths {
    int drawn = 0;
    int control = 0;
};
/// Width mode 0: the control's width. 1: the caption's width rounded up plus twice the padding,
/// the control untouched. Any other mode: the control widens (never narrows) to that width and
/// the box takes the control's width.
ButtonWidths ButtonDrawnWidth(int widthMode, int padding, int controlWidth,
                              double captionWidth) noexcept;

/// The rectangles of one button paint, in control coordinates.
struct ButtonBoxes {
    int shadow = 0;    ///< 1 when the style has a drop shadow
    Rect box;          ///< the rounded box (border colour)
    Rect inner;        ///< the fill and gloss area
    Rect captionClip;  ///< uses the control's full height, whatever the shadow
};
ButtonBoxes LayoutButton(int drawnWidth, int controlHeight, int borderWidth,
                         bool hasShadow) noexcept;

/// First row of the push button's gloss rim that the upper-part cut (gloss code 1) removes:
/// half the control's height when that is less than the corner radius, else radius - 1;
/// at least 1.
int ButtonUpperGlossCut(int controlHeight, int cornerRadius) noexcept;

/// Rows of the rim that the lower-part cut (gloss code 2) keeps at the bottom.
int LowerGlossRows(int cornerRadius) noexcept;

/// The caption's left end in its clip: 3 centred, 0 from the left edge, 1 from the right edge,
/// any other value 0.
int ButtonCaptionLeft(int captionAlign, int clipWidth, double captionWidth, int borderWidth,
                      int captionDelta) noexcept;

/// The caption's baseline in clip coordinates: the text is centred on the control's height.
int CaptionBaseline(int controlHeight, int textHeight, int textAscent, int borderWidth) noexcept;

/// Where a picture is drawn centred on an area (the menu button's icon).
Point CenteredAt(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) noexcept;

/// Where a texture is drawn into an area: once at (0, 0) when it covers the area, else tiled
/// row by row with both limits inclusive, so a tile may start exactly at the far edge.
std::vector<Point> TexturePlacements(int areaWidth, int areaHeight, int textureWidth,
                                     int textureHeight);

/// The rectangles and positions of one pop-up menu paint.
struct PopupBoxes {
    int shadow = 0;
    Rect box;              ///< control coordinates
    Rect inner;            ///< control coordinates
    Rect zone;             ///< the arrow zone, inner-area coordinates; empty when none
    Rect separator;        ///< the bar left of the zone, inner-area coordinates; empty when none
    Rect normalHighlight;  ///< inner-area coordinates
    Rect highlight;        ///< pressed and pointer-over highlight, inner-area coordinates
    Point arrows;          ///< control coordinates (meaningful when the texture exists)
    Rect captionClip;      ///< control coordinates
    int maxTextWidth = 0;  ///< the width the caption is condensed into
};
/// `arrowWidth` and `arrowHeight` are the arrows texture's size, 0 when there is none.
PopupBoxes LayoutPopup(int width, int height, int borderWidth, bool hasShadow, int zoneWidth,
                       int arrowWidth, int arrowHeight) noexcept;

/// The pop-up's upper-part cut: the plain rule Max(1, r - 1); the half-height rule, of the
/// pointer-over looks, Max(1, H \ 2) when H < 2r.
int PopupUpperGlossCut(int controlHeight, int cornerRadius, bool halfHeightRule) noexcept;

/// The pop-up caption's left end: always centred on its full width.
int PopupCaptionLeft(int clipWidth, double captionWidth) noexcept;

}  // namespace kit
