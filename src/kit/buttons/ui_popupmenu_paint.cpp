#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/paint_geometry.h"
#include "kit/buttons/paint_stages.h"
#include "kit/buttons/ui_popupmenu.h"
#include "platform/graphics.h"
#include "platform/picture.h"

#include <functional>
#include <string>

namespace {

using kit::kPressedRimGrey;
using kit::kRimGrey;

struct PopupFill {
    int kind;
    int texture;
    platform::Color c1;
    platform::Color c2;
};

using DrawTextureFn = std::function<void(platform::Graphics& g, int index)>;

/// The look of the whole control, and whether only the arrow zone shows the pointer over it.
struct PopupLook {
    kit::Look look = kit::Look::Normal;
    bool zoneOver = false;
};

PopupLook LookOf(const UI_PopupMenuStyle& st, bool pressed, bool pointerOver, bool hasFocus) {
    // The keyboard focus gives the pointer-over look only without an arrow zone.
    const int z = st.ArrowZoneWidth;
    PopupLook l;
    if (pressed)
        l.look = kit::Look::Pressed;
    else if (z == 0 && (pointerOver || hasFocus))
        l.look = kit::Look::Over;
    l.zoneOver = l.look == kit::Look::Normal && z > 0 && pointerOver;
    return l;
}

PopupFill OverFill(const UI_PopupMenuStyle& st) {
    return {st.OverFillKind, st.OverFillTexture, st.OverFillColor1, st.OverFillColor2};
}

// Fill kind 5 draws nothing here: the pop-up has no tinted texture.
void FillArea(platform::Graphics& area, const PopupFill& f, const DrawTextureFn& drawTexture) {
    kit::FillByKind(area, f.kind, f.c1, f.c2,
                    [&](platform::Graphics& target) { drawTexture(target, f.texture); });
}

/// The fill of the look, then its gloss highlight.
void PaintFillAndHighlight(platform::Graphics& g2, const UI_PopupMenuStyle& st,
                           const kit::PopupBoxes& boxes, kit::Look look, int controlHeight,
                           const DrawTextureFn& drawTexture) {
    const int r = st.CornerRadius;
    PopupFill fill{st.FillKind, st.FillTexture, st.FillColor1, st.FillColor2};
    platform::Color rim = kRimGrey;
    kit::Rect highlight = boxes.normalHighlight;
    int cutCode = st.Gloss;
    int cutRow = kit::PopupUpperGlossCut(controlHeight, r, false);
    if (look == kit::Look::Pressed) {
        fill = {st.SelFillKind, st.SelFillTexture, st.SelFillColor1, st.SelFillColor2};
        rim = kPressedRimGrey;
        highlight = boxes.highlight;
    } else if (look == kit::Look::Over) {
        fill = OverFill(st);
        highlight = boxes.highlight;
        cutCode = st.OverGloss;
        cutRow = kit::PopupUpperGlossCut(controlHeight, r, true);
    }
    FillArea(g2, fill, drawTexture);

    if (highlight.w > 0 && highlight.h > 0) {
        auto shine = kit::NewHighlight(highlight.w, highlight.h);
        platform::Graphics& mask = shine->Mask()->Graphics();
        mask.ForeColor = rim;
        Pellivor::DrawRoundRectA(mask, 0, 0, highlight.w, highlight.h, r - 1, -1);
        kit::CutHighlight(mask, cutCode, cutRow, r);
        g2.DrawPicture(*shine, highlight.x, highlight.y);
    }
}

/// The arrow zone alone in the pointer-over fill and gloss.
void PaintZoneOver(platform::Graphics& g2, const UI_PopupMenuStyle& st,
                   const kit::PopupBoxes& boxes, int controlHeight,
                   const DrawTextureFn& drawTexture) {
    const int r = st.CornerRadius;
    const int z = st.ArrowZoneWidth;
    const int ih = boxes.inner.h;
    platform::Graphics g3 = g2.Clip(boxes.zone.x, boxes.zone.y, boxes.zone.w, boxes.zone.h);
    FillArea(g3, OverFill(st), drawTexture);
    auto shine = kit::NewHighlight(z, ih);
    platform::Graphics& mask = shine->Mask()->Graphics();
    mask.ForeColor = kRimGrey;
    // The outline starts r pixels left of the zone, so its left corners fall outside; the
    // zone's own left edge is a line.
    Pellivor::DrawRoundRectA(mask, -r, 0, z + r, ih, r - 1, -1);
    mask.DrawLine(0, 0, 0, ih - 1);
    kit::CutHighlight(mask, st.OverGloss, kit::PopupUpperGlossCut(controlHeight, r, true), r);
    g3.DrawPicture(*shine, 0, 0);
}

/// The area inside the border, rounded: fill and highlight, the arrow zone, the separator.
void PaintInner(platform::Graphics& g0, const UI_PopupMenuStyle& st, const kit::PopupBoxes& boxes,
                const PopupLook& look, int controlHeight, const DrawTextureFn& drawTexture) {
    const int iw = boxes.inner.w;
    const int ih = boxes.inner.h;
    if (iw <= 0 || ih <= 0)
        return;
    auto inner = platform::Picture::New(iw, ih);
    Pellivor::FillRoundRectA(inner->Mask()->Graphics(), 0, 0, iw, ih, st.CornerRadius - 1, 1, true);
    platform::Graphics& g2 = inner->Graphics();
    PaintFillAndHighlight(g2, st, boxes, look.look, controlHeight, drawTexture);
    if (look.zoneOver)
        PaintZoneOver(g2, st, boxes, controlHeight, drawTexture);
    if (st.ArrowZoneWidth > 0) {
        g2.ForeColor = st.BorderColor;
        g2.FillRect(boxes.separator.x, boxes.separator.y, boxes.separator.w, boxes.separator.h);
    }
    g0.DrawPicture(*inner, st.BorderWidth, st.BorderWidth);
}

/// The caption in the text style of the look, condensed into the room left of the arrows.
void PaintCaption(platform::Graphics& g0, const UI_PopupMenuStyle& st, const kit::PopupBoxes& boxes,
                  bool pressed, const std::string& caption, int controlHeight) {
    if (boxes.captionClip.w <= 0 || boxes.captionClip.h <= 0)
        return;
    platform::Graphics gc =
        g0.Clip(boxes.captionClip.x, boxes.captionClip.y, boxes.captionClip.w, boxes.captionClip.h);
    gc.TextFont = pressed ? std::string(st.TextSelFont) : std::string(st.TextFont);
    gc.TextSize = pressed ? st.TextSelSize : st.TextSize;
    gc.Bold = (pressed ? st.TextSelBold : st.TextBold) != 0;
    gc.Italic = (pressed ? st.TextSelItalic : st.TextItalic) != 0;
    gc.Underline = (pressed ? st.TextSelUnderline : st.TextUnderline) != 0;
    const int y =
        kit::CaptionBaseline(controlHeight, gc.TextHeight(), gc.TextAscent(), st.BorderWidth);
    const int x = kit::PopupCaptionLeft(gc.Width(), gc.StringWidth(caption));
    const int m = boxes.maxTextWidth;
    if (st.HasTextShadow != 0) {
        gc.ForeColor = st.TextShadowColor;
        gc.DrawString(caption, x, y + st.TextShadowDY, m, true);
    }
    gc.ForeColor = pressed ? platform::Color(st.TextSelColor) : platform::Color(st.TextColor);
    gc.DrawString(caption, x, y, m, true);
}

}  // namespace

void UI_PopupMenu::PaintInto(platform::Graphics& g) {
    const UI_PopupMenuStyle& st = MyStyle;
    const int W = Width();
    const int H = Height();
    const platform::PicturePtr arrows = UI_Module::GetTexture(st.ArrowTexture);
    const kit::PopupBoxes boxes =
        kit::LayoutPopup(W, H, st.BorderWidth, st.HasShadow != 0, st.ArrowZoneWidth,
                         arrows ? arrows->Width() : 0, arrows ? arrows->Height() : 0);

    auto buffer = platform::Picture::New(W, H);
    platform::Graphics& g0 = buffer->Graphics();
    DrawBackground(g0);
    kit::DrawBox(g0, boxes.box.w, boxes.box.h, st.CornerRadius, boxes.shadow == 1,
                 TransparentColor(st.ShadowTransparency), st.ShadowColor, st.BorderColor);

    const PopupLook look = LookOf(st, mMouseDown, MouseOver, IsWindowFocus());
    PaintInner(g0, st, boxes, look, H,
               [this](platform::Graphics& target, int index) { DrawTexture(target, index); });
    if (arrows)
        g0.DrawPicture(*arrows, boxes.arrows.x, boxes.arrows.y);
    if (mListIndex >= 0 && mListIndex < ListCount())
        PaintCaption(g0, st, boxes, look.look == kit::Look::Pressed, Text(), H);

    g.DrawPicture(*buffer, 0, 0);
}

void UI_PopupMenu::DrawTexture(platform::Graphics& g, int index) {
    const platform::PicturePtr tex = UI_Module::GetTexture(index);
    if (!tex)
        return;
    kit::DrawTextureFill(g, tex.get(), false);
}
