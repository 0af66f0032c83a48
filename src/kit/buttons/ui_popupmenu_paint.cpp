#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/paint_geometry.h"
#include "kit/buttons/ui_popupmenu.h"
#include "platform/graphics.h"
#include "platform/picture.h"

namespace {

constexpr platform::Color kWhite{255, 255, 255};
constexpr platform::Color kRimGrey{0xD0, 0xD0, 0xD0};
constexpr platform::Color kPressedRimGrey{0xEA, 0xEA, 0xEA};

struct PopupFill {
    int kind;
    int texture;
    platform::Color c1;
    platform::Color c2;
};

/// Cuts a highlight's mask: 1 keeps the rows above `upperCut`, 2 the bottom rows, any other
/// value the whole rim.
void CutHighlight(platform::Graphics& mask, int code, int upperCut, int radius) {
    const int w = mask.Width();
    const int h = mask.Height();
    mask.ForeColor = kWhite;
    if (code == 1)
        mask.FillRect(0, upperCut, w, h);
    else if (code == 2)
        mask.FillRect(0, 0, w, h - kit::LowerGlossRows(radius));
}

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

    if (boxes.box.w > 0 && boxes.box.h > 0) {
        auto box = platform::Picture::New(boxes.box.w, boxes.box.h);
        platform::Graphics& mask = box->Mask()->Graphics();
        if (s == 1) {
            mask.ForeColor = kWhite;
            Pellivor::FillAll(mask);
            mask.ForeColor = TransparentColor(st.ShadowTransparency);
            Pellivor::FillRoundRectA(mask, 0, 0, W, H - 1, r, 1, false);
            box->Graphics().ForeColor = st.ShadowColor;
            Pellivor::FillAll(box->Graphics());
            g0.DrawPicture(*box, 0, 1);
        }
        Pellivor::FillRoundRectA(mask, 0, 0, W, H - s, r, 1, true);
        box->Graphics().ForeColor = st.BorderColor;
        Pellivor::FillAll(box->Graphics());
        g0.DrawPicture(*box, 0, 0);
    }

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
    auto fillArea = [&](platform::Graphics& area, const PopupFill& f) {
        const int w = area.Width();
        const int h = area.Height();
        switch (f.kind) {
            case 1:
                area.ForeColor = f.c1;
                area.FillRect(0, 0, w, h);
                break;
            case 2:
                Pellivor::gradient(area, 0, 0, w, h, f.c1, f.c2, true);
                break;
            case 3:
                Pellivor::gradient(area, 0, 0, w, h, f.c1, f.c2, false);
                break;
            case 4:
                DrawTexture(area, f.texture);
                break;
            default:
                break;
        }
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
            auto shine = platform::Picture::New(highlight.w, highlight.h);
            platform::Graphics& mask = shine->Mask()->Graphics();
            mask.ForeColor = kWhite;
            Pellivor::FillAll(mask);
            mask.ForeColor = rim;
            Pellivor::DrawRoundRectA(mask, 0, 0, highlight.w, highlight.h, r - 1, -1);
            CutHighlight(mask, cutCode, cutRow, r);
            g2.DrawPicture(*shine, highlight.x, highlight.y);
        }

        if (zoneOver) {
            platform::Graphics g3 = g2.Clip(boxes.zone.x, boxes.zone.y, boxes.zone.w, boxes.zone.h);
            fillArea(g3, overFill);
            auto shine = platform::Picture::New(z, ih);
            platform::Graphics& mask = shine->Mask()->Graphics();
            mask.ForeColor = kWhite;
            Pellivor::FillAll(mask);
            mask.ForeColor = kRimGrey;
            // The outline starts r pixels left of the zone, so its left corners fall outside;
            // the zone's own left edge is a line.
            Pellivor::DrawRoundRectA(mask, -r, 0, z + r, ih, r - 1, -1);
            mask.DrawLine(0, 0, 0, ih - 1);
            CutHighlight(mask, st.OverGloss, kit::PopupUpperGlossCut(H, r, true), r);
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
    for (const kit::Point& p :
         kit::TexturePlacements(g.Width(), g.Height(), tex->Width(), tex->Height()))
        g.DrawPicture(*tex, p.x, p.y);
}
