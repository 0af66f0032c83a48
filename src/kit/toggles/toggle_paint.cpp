#include "kit/toggles/toggle_paint.h"

#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"

namespace kit {

namespace {

using platform::Color;
using platform::Graphics;
using platform::Picture;
using platform::PicturePtr;

void Fill(Picture& picture, Color color) {
    Graphics& g = picture.Graphics();
    g.ForeColor = color;
    g.FillRect(0, 0, picture.Width(), picture.Height());
}

void FillMask(Picture& picture, Color color) {
    Fill(*picture.Mask(), color);
}

// Gives `picture` the shape of a rounded square (a disc for a radius of 100) with a soft rim.
void ShapeMask(Picture& picture, double radius) {
    Pellivor::FillRoundRectA(picture.Mask()->Graphics(), 0, 0, picture.Width(), picture.Height(),
                             radius, 1, true);
}

// Fill kinds 1 to 4 of a disc or inside. `greyColours` passes the colours through ToGray;
// `greyTexture` greys the texture of kind 4.
void FillByKind(Picture& picture, int kind, Color c1, Color c2, int texture, bool greyColours,
                bool greyTexture) {
    if (greyColours) {
        c1 = ToGray(c1);
        c2 = ToGray(c2);
    }
    kit::FillByKind(picture.Graphics(), kind, c1, c2, [&](Graphics& g) {
        DrawTextureFill(g, UI_Module::GetTexture(texture).get(), greyTexture);
    });
}

// The box or circle with its shadow one pixel lower.
void DrawFrame(Graphics& g, int size, int top, double radius, bool shadow, Color shadowColor,
               Color borderColor) {
    PicturePtr frame = NewPictureOrNone(size, size);
    if (!frame)
        return;
    ShapeMask(*frame, radius);
    if (shadow) {
        Fill(*frame, shadowColor);
        g.DrawPicture(*frame, 0, top + 1);
    }
    Fill(*frame, borderColor);
    g.DrawPicture(*frame, 0, top);
}

// The inside's shade: opaque in the middle, letting the frame show through toward the rim.
// `d` is the inside's side; the shade's own mask gives it its outline.
PicturePtr InsideShade(int d) {
    PicturePtr shade = Picture::New(d, d);
    Pellivor::RoundShade(shade, d / 2.0, d / 2.0, d / 2.0 - 5, 5, kBlack,
                         platform::RGB(0x68, 0x68, 0x68));
    return shade;
}

void DrawCaption(Graphics& g, const std::string& caption, const ToggleLayout& layout, int height,
                 Color color) {
    g.ForeColor = color;
    const int h = g.StringHeight(caption, layout.captionWrap);
    const int y = ToggleCaptionBaseline(height, h, g.TextAscent());
    g.DrawString(caption, layout.captionX, y, layout.captionWrap, false);
}

constexpr Color kInside{0x31, 0x32, 0x36};

}  // namespace

void WriteBuiltInCheckboxStyle(CheckboxStyle& style, std::int32_t tickTexture) {
    style.CornerRadius = 5;
    style.BoxSize = 17;
    style.HasShadow = 1;
    style.ShadowColor = kShadowColor;
    style.ShadowTransparency = 50;
    style.BorderColor = kBorderColor;
    style.BorderWidth = 1;
    style.FillKind = 1;
    style.FillColor1 = kInside;
    style.InnerShade = 1;
    style.MarkSize = 7;
    style.MarkFillKind = 4;
    style.MarkFillTexture = tickTexture;
    style.TextColor = kWhite;
}

void WriteBuiltInRadioStyle(RadioStyle& style) {
    style.BoxSize = 19;
    style.ShadowColor = kShadowColor;
    style.ShadowTransparency = 50;
    style.BorderColor = kBorderColor;
    style.BorderWidth = 1;
    style.FillKind = 1;
    style.FillColor1 = kInside;
    style.MarkSize = 7;
    style.MarkFillKind = 1;
    style.MarkFillColor1 = kWhite;
    style.TextColor = kWhite;
    style.HasShadow = 1;
    style.InnerShade = 1;
}

PicturePtr ComposeCheckbox(const CheckboxStyle& style, const CheckboxFace& face) {
    const int s = style.BoxSize;
    const int b = style.BorderWidth;
    const int m = style.MarkSize;
    const int r = style.CornerRadius;
    if (s == 0)
        return nullptr;
    PicturePtr picture = NewPictureOrNone(face.width, face.height);
    if (!picture)
        return nullptr;
    Graphics& g = picture->Graphics();
    DrawControlBackground(g, face.backdrop);
    const ToggleLayout layout = LayoutToggle(face.width, face.height, s, b, m);
    const int p = layout.top;

    DrawFrame(g, s, p, r, style.HasShadow != 0, style.ShadowColor, style.BorderColor);

    const int d = layout.insideSize;
    if (PicturePtr inside = NewPictureOrNone(d, d)) {
        if (style.InnerShade == 1) {
            PicturePtr shade = InsideShade(d);
            ShapeMask(*shade, r);
            FillMask(*inside, kWhite);
            inside->Mask()->Graphics().DrawPicture(*shade, 0, 0);
        } else {
            ShapeMask(*inside, r - 1);
        }
        FillByKind(*inside, style.FillKind, style.FillColor1, style.FillColor2, style.FillTexture,
                   !face.enabled, !face.enabled);
        g.DrawPicture(*inside, b, p + b);
    }

    const int o = layout.markOffset;
    if (face.state == 1) {
        PicturePtr tick;
        if (style.MarkFillKind >= 4)
            tick = UI_Module::GetTexture(style.MarkFillTexture);
        if (tick) {
            if (style.MarkFillKind == 4)
                g.DrawPicture(*tick, (s - tick->Width()) / 2, p + (s - tick->Height()) / 2);
        } else if (PicturePtr dot = NewPictureOrNone(m, m)) {
            ShapeMask(*dot, 100);
            if (style.MarkFillKind < 4)
                FillByKind(*dot, style.MarkFillKind, style.MarkFillColor1, style.MarkFillColor2, 0,
                           false, false);
            g.DrawPicture(*dot, o, p + o);
        }
    } else if (face.state == 2) {
        if (PicturePtr dot = NewPictureOrNone(m, m)) {
            Graphics& mask = dot->Mask()->Graphics();
            FillMask(*dot, kWhite);
            mask.ForeColor = platform::RGB(0x70, 0x70, 0x70);
            Pellivor::FillRoundRectA(mask, 0, 0, m, m, 100, 1, false);
            if (style.MarkFillKind == 4) {
                // The indeterminate mark shows the top-left corner of the tick; without a
                // registered texture the dot keeps what a new picture holds.
                if (PicturePtr texture = UI_Module::GetTexture(style.MarkFillTexture))
                    dot->Graphics().DrawPicture(*texture, 0, 0);
            } else {
                FillByKind(*dot, style.MarkFillKind, style.MarkFillColor1, style.MarkFillColor2, 0,
                           false, false);
            }
            g.DrawPicture(*dot, o, p + o);
        }
    }

    g.Bold = style.TextBold != 0;
    g.Italic = style.TextItalic != 0;
    g.Underline = style.TextUnderline != 0;
    g.TextFont = style.TextFont;
    g.TextSize = style.TextSize;
    DrawCaption(g, face.caption, layout, face.height, style.TextColor);
    return picture;
}

PicturePtr ComposeRadioButton(const RadioStyle& style, const RadioFace& face) {
    const int s = style.BoxSize;
    const int b = style.BorderWidth;
    const int m = style.MarkSize;
    PicturePtr picture = NewPictureOrNone(face.width, face.height);
    if (!picture)
        return nullptr;
    Graphics& g = picture->Graphics();
    DrawControlBackground(g, face.backdrop);
    const ToggleLayout layout = LayoutToggle(face.width, face.height, s, b, m);
    const int p = layout.top;

    DrawFrame(g, s, p, 100, style.HasShadow != 0, style.ShadowColor, style.BorderColor);

    const int d = layout.insideSize;
    if (PicturePtr inside = NewPictureOrNone(d, d)) {
        if (style.InnerShade == 1) {
            PicturePtr shade = InsideShade(d);
            Pellivor::RoundShade(PicturePtr(shade, shade->Mask()), d / 2.0, d / 2.0, d / 2.0 - 1, 1,
                                 kBlack, kWhite);
            FillMask(*inside, kWhite);
            inside->Mask()->Graphics().DrawPicture(*shade, 0, 0);
        } else {
            ShapeMask(*inside, 100);
        }
        FillByKind(*inside, style.FillKind, style.FillColor1, style.FillColor2, style.FillTexture,
                   !face.enabled, !face.enabled);
        g.DrawPicture(*inside, b, p + b);
    }

    if (face.selected) {
        if (PicturePtr dot = NewPictureOrNone(m, m)) {
            ShapeMask(*dot, 100);
            FillByKind(*dot, style.MarkFillKind, style.MarkFillColor1, style.MarkFillColor2,
                       style.MarkFillTexture, false, !face.enabled);
            const int o = layout.markOffset;
            g.DrawPicture(*dot, o, p + o);
        }
    }

    g.Bold = face.bold;
    g.Italic = style.TextItalic != 0;
    g.Underline = style.TextUnderline != 0;
    g.TextFont = style.TextFont;
    g.TextSize = style.TextSize;
    DrawCaption(g, face.caption, layout, face.height, style.TextColor);
    return picture;
}

}  // namespace kit
