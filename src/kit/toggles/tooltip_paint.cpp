#include "kit/toggles/tooltip_paint.h"

#include "kit/base/control_drawing.h"
#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"

#include <algorithm>

namespace kit {

namespace {

using platform::Color;
using platform::Graphics;
using platform::Picture;
using platform::PicturePtr;

void FillWith(Graphics& g, Color color) {
    g.ForeColor = color;
    Pellivor::FillAll(g);
}

// The inner area: the fill inside a rounded rectangle of radius R − 1, with the faint light
// rim that Gloss asks for.
PicturePtr PaintInner(const TooltipStyle& style, int width, int height, int balloonHeight) {
    PicturePtr inner = NewPictureOrNone(width, height);
    if (!inner)
        return nullptr;
    const int r = style.CornerRadius;
    Pellivor::FillRoundRectA(inner->Mask()->Graphics(), 0, 0, width, height, r - 1, 1, true);
    Graphics& g = inner->Graphics();
    switch (style.FillKind) {
        case 1:
            g.ForeColor = style.FillColor1;
            g.FillRect(0, 0, width, height);
            break;
        case 2:
            Pellivor::gradient(g, 0, 0, width, height, style.FillColor1, style.FillColor2, true);
            break;
        case 3:
            Pellivor::gradient(g, 0, 0, width, height, style.FillColor1, style.FillColor2, false);
            break;
        case 4:
            DrawTextureFill(g, UI_Module::GetTexture(style.FillTexture).get(), false);
            break;
        default:
            break;
    }
    if (style.Gloss != 0) {
        PicturePtr highlight = Picture::New(width, height);
        Graphics& mask = highlight->Mask()->Graphics();
        FillWith(mask, kWhite);
        mask.ForeColor = kRimGrey;
        Pellivor::DrawRoundRectA(mask, 0, 0, width, height, r - 1, -1);
        mask.ForeColor = kWhite;
        if (style.Gloss == 1) {
            const int cut = TooltipGlossUpperCut(balloonHeight, r);
            mask.FillRect(0, cut, width, height);
        } else if (style.Gloss == 2) {
            mask.FillRect(0, 0, width, TooltipGlossLowerCut(height, r));
        }
        g.DrawPicture(*highlight, 0, 0);
    }
    return inner;
}

void PaintText(const TooltipStyle& style, Picture& balloon, std::string_view text) {
    const int b = style.BorderWidth;
    const int w = balloon.Width();
    const int h = balloon.Height();
    const int viewWidth = w - 2 * b - 2;
    if (viewWidth <= 0 || h - 2 * b <= 0)
        return;
    Graphics view = balloon.Graphics().Clip(b + 1, b, viewWidth, h - 2 * b);
    view.TextFont = style.TextFont;
    view.TextSize = style.TextSize;
    view.Bold = style.TextBold != 0;
    view.Italic = style.TextItalic != 0;
    view.Underline = style.TextUnderline != 0;
    const int wrap = viewWidth - 20;
    const TooltipTextOrigin origin = PlaceTooltipText(
        viewWidth, h, b, view.StringHeight(text, wrap), view.StringHeight(text, viewWidth),
        view.TextHeight(), view.TextAscent(), view.StringWidth(text));
    if (style.HasTextShadow != 0) {
        view.ForeColor = style.TextShadowColor;
        view.DrawString(text, origin.x, origin.y + style.TextShadowDY, wrap, false);
    }
    view.ForeColor = style.TextColor;
    view.DrawString(text, origin.x, origin.y, wrap, false);
}

// The pointer's colours: a FillColor2 triangle hanging from the top row, the corners beside
// its slanted edges in the border colour, and a faint light line just inside each edge.
void PaintPointer(const TooltipStyle& style, Picture& pointer) {
    const double pw = style.PointerWidth;
    const double ph = style.PointerHeight;
    const double b = style.BorderWidth;
    Graphics& g = pointer.Graphics();
    FillWith(g, style.FillColor2);
    g.ForeColor = style.BorderColor;
    Pellivor::DrawLineAFill(g, 0, 0, pw / 2, ph - b, 0.5, true);
    Pellivor::DrawLineAFill(g, pw / 2, ph - b, pw, 0, 0.5, false);

    PicturePtr highlight = Picture::New(pointer.Width(), pointer.Height());
    Graphics& mask = highlight->Mask()->Graphics();
    FillWith(mask, kWhite);
    mask.ForeColor = kRimGrey;
    Pellivor::DrawLineA(mask, 0, 0, pw / 2, ph - b - 1, 1, 1);
    Pellivor::DrawLineA(mask, pw / 2, ph - b - 1, pw, 0, 1, 1);
    g.DrawPicture(*highlight, 0, 0);
}

// Reuses the pointer picture for its shape: the triangle drawn two rows lower than the
// coloured one, so that a band of border colour stays inside the shape along both edges;
// its apex lies below the picture, which cuts the tip flat.
void ShapePointer(const TooltipStyle& style, Picture& pointer) {
    const double pw = style.PointerWidth;
    const double ph = style.PointerHeight;
    Graphics& g = pointer.Graphics();
    FillWith(g, kWhite);
    g.ForeColor = kBlack;
    g.FillRect(0, 0, pointer.Width(), 2);
    Pellivor::DrawLineAFill(g, 0, 2, pw / 2, ph + 1, 0.5, false);
    Pellivor::DrawLineAFill(g, pw / 2, ph + 1, pw, 2, 0.5, true);
}

}  // namespace

void WriteBuiltInTooltipStyle(TooltipStyle& style) {
    style.CornerRadius = 5;
    style.BorderColor = kBorderColor;
    style.BorderWidth = 1;
    style.FillKind = 2;
    style.FillColor1 = platform::RGB(0x47, 0x4F, 0x59);
    style.FillColor2 = platform::RGB(0x31, 0x33, 0x38);
    style.TextFont = "Arial";
    style.TextSize = 0;
    style.TextBold = 1;
    style.TextColor = platform::RGB(0xFF, 0xFF, 0xFF);
    style.PointerHeight = 8;
    style.PointerWidth = 11;
    style.HasTextShadow = 1;
    style.TextShadowDY = 1;
    style.TextShadowColor = kTextShadowColor;
    style.Gloss = 3;
}

TooltipPictures ComposeTooltip(TooltipStyle& style, std::string_view text, int width, int height) {
    if (style.PointerWidth == 0)
        style.PointerWidth = 11;
    if (style.PointerHeight == 0)
        style.PointerHeight = 8;
    const int b = style.BorderWidth;
    const int pw = style.PointerWidth;
    const int ph = style.PointerHeight;
    const int r = style.CornerRadius;

    TooltipPictures result;
    result.pict = NewPictureOrNone(width, height + ph - 2);
    if (!result.pict)
        return result;
    // The overlay takes a grey picture as its shape: the mask of a carrier picture, which the
    // shared pointer keeps alive with it.
    PicturePtr carrier = Picture::New(width, height + ph - 2);
    result.mask = PicturePtr(carrier, carrier->Mask());
    FillWith(result.mask->Graphics(), kWhite);

    if (PicturePtr balloon = NewPictureOrNone(width, height)) {
        FillWith(balloon->Graphics(), style.BorderColor);
        if (PicturePtr inner = PaintInner(style, width - 2 * b, height - 2 * b, height))
            balloon->Graphics().DrawPicture(*inner, b, b);
        if (!text.empty())
            PaintText(style, *balloon, text);
        result.pict->Graphics().DrawPicture(*balloon, 0, 0);
    }

    const int pointerX = (width - pw) / 2;
    PicturePtr pointer = Picture::New(pw, ph);
    PaintPointer(style, *pointer);
    result.pict->Graphics().DrawPicture(*pointer, pointerX, height - 2);

    Graphics& mask = result.mask->Graphics();
    if (height > 0)
        Pellivor::FillRoundRectA(mask, 0, 0, width, height, r, 1, true);
    ShapePointer(style, *pointer);
    mask.DrawPicture(*pointer, pointerX, height - 2);
    return result;
}

}  // namespace kit
