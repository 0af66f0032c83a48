#include "kit/toggles/label_paint.h"

#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"

namespace kit {

platform::PicturePtr ComposeLabel(LabelFace& face,
                                  const std::function<void(int textHeight, int ascent)>& measured) {
    if (face.width <= 0 || face.height <= 0)
        return nullptr;
    platform::PicturePtr picture = platform::Picture::New(face.width, face.height);
    platform::Graphics& g = picture->Graphics();
    DrawControlBackground(g, face.backdrop);
    g.Bold = face.bold;
    g.Italic = face.italic;
    g.Underline = face.underline;
    g.TextFont = face.textFont;
    g.TextSize = face.textSize;
    g.TextUnit = face.textUnit;

    const int x = LabelTextX(face.textAlign, face.width, g.StringWidth(face.text));
    // Measured wrapped even for a single-line label, so alignment and the scroll range follow
    // the wrapped height.
    const int h = g.StringHeight(face.text, face.width);
    const int ascent = g.TextAscent();
    if (measured)
        measured(h, ascent);
    const int y = LabelBaseline(face.verticalAlign, face.height, h, ascent, face.scrollPosition);

    if (face.style.HasTextShadow != 0) {
        g.ForeColor = face.style.TextShadowColor;
        g.DrawString(face.text, x + face.style.TextShadowDX, y + face.style.TextShadowDY,
                     face.width, true);
    }
    g.ForeColor = face.textColor;
    g.DrawString(face.text, x, y, face.multiline ? face.width : 0, false);
    return picture;
}

}  // namespace kit
