#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/paint_geometry.h"
#include "kit/buttons/paint_stages.h"
#include "kit/buttons/ui_popupmenu.h"
#include "platform/graphics.h"
#include "platform/picture.h"

namespace {

using kit::kPressedRimGrey;
using kit::kRimGrey;

struct PopupFill {
    int kind;
    int texture;
    platform::Color c1;
    platform::Color c2;
};

}  // namespace

void UI_PopupMenu::PaintInto(platform::Graphics& g) {
    const UI_PopupMenuStyle& st = MyStyle;
    const int W = Width();
    const int H = Height();
    const int b = st.BorderWidth;
    const int r = st.CornerRadius;
    const int z = st.ArrowZoneWidth;

    const platform::PicturePtr arrows = UI_Module::GetTexture(st.ArrowTexture);
    const int l = arrows ? arrows->Width() : 0;
    const kit::PopupBoxes boxes =
        kit::LayoutPopup(W, H, b, st.HasShadow != 0, z, l, arrows ? arrows->Height() : 0);
    const int s = boxes.shadow;

    auto buffer = platform::Picture::New(W, H);
    platform::Graphics& g0 = buffer->Graphics();
    DrawBackground(g0);

    kit::DrawBox(g0, boxes.box.w, boxes.box.h, r, s == 1, TransparentColor(st.ShadowTransparency),
                 st.ShadowColor, st.BorderColor);

    // One look; the keyboard focus gives the pointer-over look only without an arrow zone.
    const bool hasFocus = IsWindowFocus();
    kit::Look look = kit::Look::Normal;
    if (mMouseDown)
        look = kit::Look::Pressed;
    else if (z == 0 && (MouseOver || hasFocus))
        look = kit::Look::Over;
    const bool zoneOver = look == kit::Look::Normal && z > 0 && MouseOver;

    const PopupFill overFill{st.OverFillKind, st.OverFillTexture, st.OverFillColor1,
                             st.OverFillColor2};
    // Fill kind 5 draws nothing here: the pop-up has no tinted texture.
    auto fillArea = [&](platform::Graphics& area, const PopupFill& f) {
        kit::FillByKind(area, f.kind, f.c1, f.c2,
                        [&](platform::Graphics& target) { DrawTexture(target, f.texture); });
    };

    const int iw = boxes.inner.w;
    const int ih = boxes.inner.h;
    if (iw > 0 && ih > 0) {
        auto inner = platform::Picture::New(iw, ih);
        Pellivor::FillRoundRectA(inner->Mask()->Graphics(), 0, 0, iw, ih, r - 1, 1, true);
        platform::Graphics& g2 = inner->Graphics();

        PopupFill fill{st.FillKind, st.FillTexture, st.FillColor1, st.FillColor2};
        platform::Color rim = kRimGrey;
        kit::Rect highlight = boxes.normalHighlight;
        int cutCode = st.Gloss;
        int cutRow = kit::PopupUpperGlossCut(H, r, false);
        if (look == kit::Look::Pressed) {
            fill = {st.SelFillKind, st.SelFillTexture, st.SelFillColor1, st.SelFillColor2};
            rim = kPressedRimGrey;
            highlight = boxes.highlight;
        } else if (look == kit::Look::Over) {
            fill = overFill;
            highlight = boxes.highlight;
            cutCode = st.OverGloss;
            cutRow = kit::PopupUpperGlossCut(H, r, true);
        }
        fillArea(g2, fill);

        if (highlight.w > 0 && highlight.h > 0) {
            auto shine = kit::NewHighlight(highlight.w, highlight.h);
            platform::Graphics& mask = shine->Mask()->Graphics();
            mask.ForeColor = rim;
            Pellivor::DrawRoundRectA(mask, 0, 0, highlight.w, highlight.h, r - 1, -1);
            kit::CutHighlight(mask, cutCode, cutRow, r);
            g2.DrawPicture(*shine, highlight.x, highlight.y);
        }

        if (zoneOver) {
            platform::Graphics g3 = g2.Clip(boxes.zone.x, boxes.zone.y, boxes.zone.w, boxes.zone.h);
            fillArea(g3, overFill);
            auto shine = kit::NewHighlight(z, ih);
            platform::Graphics& mask = shine->Mask()->Graphics();
            mask.ForeColor = kRimGrey;
            // The outline starts r pixels left of the zone, so its left corners fall outside;
            // the zone's own left edge is a line.
            Pellivor::DrawRoundRectA(mask, -r, 0, z + r, ih, r - 1, -1);
            mask.DrawLine(0, 0, 0, ih - 1);
            kit::CutHighlight(mask, st.OverGloss, kit::PopupUpperGlossCut(H, r, true), r);
            g3.DrawPicture(*shine, 0, 0);
        }

        if (z > 0) {
            g2.ForeColor = st.BorderColor;
            g2.FillRect(boxes.separator.x, boxes.separator.y, boxes.separator.w, boxes.separator.h);
        }
        g0.DrawPicture(*inner, b, b);
    }

    if (arrows)
        g0.DrawPicture(*arrows, boxes.arrows.x, boxes.arrows.y);

    const std::string caption = Text();
    if (mListIndex >= 0 && mListIndex < ListCount() && boxes.captionClip.w > 0 &&
        boxes.captionClip.h > 0) {
        platform::Graphics gc = g0.Clip(boxes.captionClip.x, boxes.captionClip.y,
                                        boxes.captionClip.w, boxes.captionClip.h);
        const bool pressed = look == kit::Look::Pressed;
        gc.TextFont = pressed ? std::string(st.TextSelFont) : std::string(st.TextFont);
        gc.TextSize = pressed ? st.TextSelSize : st.TextSize;
        gc.Bold = (pressed ? st.TextSelBold : st.TextBold) != 0;
        gc.Italic = (pressed ? st.TextSelItalic : st.TextItalic) != 0;
        gc.Underline = (pressed ? st.TextSelUnderline : st.TextUnderline) != 0;
        const int y = kit::CaptionBaseline(H, gc.TextHeight(), gc.TextAscent(), b);
        const int x = kit::PopupCaptionLeft(gc.Width(), gc.StringWidth(caption));
        const int m = boxes.maxTextWidth;
        if (st.HasTextShadow != 0) {
            gc.ForeColor = st.TextShadowColor;
            gc.DrawString(caption, x, y + st.TextShadowDY, m, true);
        }
        gc.ForeColor = pressed ? platform::Color(st.TextSelColor) : platform::Color(st.TextColor);
        gc.DrawString(caption, x, y, m, true);
    }

    g.DrawPicture(*buffer, 0, 0);
}

void UI_PopupMenu::DrawTexture(platform::Graphics& g, int index) {
    const platform::PicturePtr tex = UI_Module::GetTexture(index);
    if (!tex)
        return;
    kit::DrawTextureFill(g, tex.get(), false);
}
