#include "kit/buttons/button_base.h"

#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/paint_stages.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/rgbsurface.h"
#include "platform/thread.h"

#include <QWidget>

#include <cmath>

namespace kit {

namespace {

struct FillFields {
    int kind;
    int texture;
    platform::Color c1;
    platform::Color c2;
    int gloss;
    platform::Color rim;
};

FillFields FillOf(const UI_ButtonStyle& s, Look look) {
    switch (look) {
        case Look::Pressed:
            return {s.SelFillKind,   s.SelFillTexture, s.SelFillColor1,
                    s.SelFillColor2, s.SelGloss,       kPressedRimGrey};
        case Look::Over:
            return {s.OverFillKind,   s.OverFillTexture, s.OverFillColor1,
                    s.OverFillColor2, s.OverGloss,       kRimGrey};
        case Look::Normal:
            break;
    }
    return {s.FillKind, s.FillTexture, s.FillColor1, s.FillColor2, s.Gloss, kRimGrey};
}

struct CaptionFields {
    std::string font;
    float size;
    bool bold, italic, underline;
    platform::Color color;
    int dx, dy;
};

CaptionFields CaptionOf(const UI_ButtonStyle& s, Look look) {
    switch (look) {
        case Look::Pressed:
            return {s.TextSelFont,        s.TextSelSize,           s.TextSelBold != 0,
                    s.TextSelItalic != 0, s.TextSelUnderline != 0, s.TextSelColor,
                    s.TextSelShadowDX,    s.TextSelShadowDY};
        case Look::Over:
            return {s.TextOverFont,        s.TextOverSize,           s.TextOverBold != 0,
                    s.TextOverItalic != 0, s.TextOverUnderline != 0, s.TextOverColor,
                    s.TextOverShadowDX,    s.TextOverShadowDY};
        case Look::Normal:
            break;
    }
    return {s.TextFont,           s.TextSize,  s.TextBold != 0, s.TextItalic != 0,
            s.TextUnderline != 0, s.TextColor, s.TextShadowDX,  s.TextShadowDY};
}

}  // namespace

ButtonBase::ButtonBase(QWidget* parent)
    : UI_Control(parent) {
}

ButtonBase::~ButtonBase() = default;

void ButtonBase::SetSpecialStyle(const std::string& name) {
    mSpecialStyle = name;
    if (name.empty() || !TakesSpecialStyle())
        return;
    if (const auto stored = UI_Module::StyleFor(name))
        MyStyle.SetStringValue(*stored, false);
}

void ButtonBase::Event_ControlOpen() {
    SetAcceptFocus(true);
    UseFocusRing = false;
    CaptionAlign = 3;
    if (const auto stored = UI_Module::StyleFor("UI_Button"))
        MyStyle.SetStringValue(*stored, false);
    else
        MyStyle = UI_ButtonStyle::BuiltIn();
    Open.Raise();
}

bool ButtonBase::EnabledWithParent() const {
    return kit::DrawsEnabled(*this);
}

bool ButtonBase::IsWindowFocus() const {
    return kit::IsWindowFocus(Widget());
}

bool ButtonBase::Event_MouseDown(int, int) {
    if (!EnabledWithParent())
        return false;
    MouseDown = true;
    SetFocus();
    Refresh(false);
    return true;
}

void ButtonBase::Event_MouseUp(int x, int y) {
    MouseDown = false;
    const bool inside = 0 < x && 0 < y && x < Width() && y < Height();
    if (inside) {
        Action.Raise();
        MouseOver = true;
    } else {
        MouseOver = false;
    }
    Refresh(false);
}

void ButtonBase::Event_MouseMove(int x, int) {
    if (!EnabledWithParent())
        return;
    const bool over = x <= mRealWidth;
    if (over != MouseOver) {
        MouseOver = over;
        Refresh(false);
    }
}

void ButtonBase::Event_MouseExit() {
    MouseOver = false;
    MouseExit.Raise();
    if (!LookFollowsFocus() || !IsWindowFocus())
        Refresh(false);
}

void ButtonBase::Event_GotFocus() {
    if (!EnabledWithParent())
        return;
    if (MouseOver && !LookFollowsFocus())
        return;
    Refresh(false);
}

void ButtonBase::Event_LostFocus() {
    if (!MouseOver)
        Refresh(false);
}

bool ButtonBase::Event_KeyDown(const std::string& key) {
    if (key == " " || key == std::string(1, '\r') || key == std::string(1, '\x03'))
        Push();
    return false;
}

void ButtonBase::Push() {
    MouseDown = true;
    // The wait below keeps the event loop from running outside a job: paint the pressed
    // look now rather than after the release.
    repaint();
    const std::int64_t start = platform::Ticks();
    Action.Raise();
    WaitTicksSince(start, 12);
    MouseDown = false;
    Refresh(false);
}

void ButtonBase::Event_Paint(platform::Graphics& g) {
    PaintInto(g);
}

void ButtonBase::PaintOver(platform::Graphics&) {
}

void ButtonBase::PaintInto(platform::Graphics& g) {
    const UI_ButtonStyle& st = MyStyle;
    const bool enabled = EnabledWithParent();
    const PushButtonLooks looks = SelectLooks();
    const int controlHeight = Height();

    auto composite = platform::Picture::New(Width(), controlHeight);
    platform::Graphics& g0 = composite->Graphics();
    DrawBackground(g0);
    g0.TextFont = std::string(st.TextFont);
    g0.TextSize = st.TextSize;
    g0.Bold = st.TextBold != 0;

    const double captionWidth = Text.empty() ? 0.0 : g0.StringWidth(Text);
    const ButtonWidths widths =
        ButtonDrawnWidth(st.WidthMode, st.TextPadding, Width(), captionWidth);
    // Widening moves the control's size, which repaints it whole afterwards: the box cut at
    // the old width shows only until then.
    if (widths.control != Width())
        SetWidth(widths.control);
    mRealWidth = widths.drawn;

    const int border = st.BorderWidth;
    const int radius = st.CornerRadius;
    const ButtonBoxes boxes = LayoutButton(widths.drawn, controlHeight, border, st.HasShadow != 0);

    // A box or inner area without pixels is not drawn: the stages that need it are skipped.
    DrawBox(g0, boxes.box.w, boxes.box.h, radius, boxes.shadow == 1,
            TransparentColor(st.ShadowTransparency), st.ShadowColor, st.BorderColor);

    const int w = boxes.inner.w;
    const int h = boxes.inner.h;
    if (w > 0 && h > 0) {
        auto inner = platform::Picture::New(w, h);
        Pellivor::FillRoundRectA(inner->Mask()->Graphics(), 0, 0, w, h, radius - 1, 1, true);
        platform::Graphics& gi = inner->Graphics();
        const FillFields fill = FillOf(st, looks.fill);
        if (looks.fill == Look::Normal && !enabled) {
            gi.ForeColor = ToGray(st.FillColor1);
            gi.FillRect(0, 0, w, h);
        } else if (fill.kind == 5) {
            // The texture tinted: the first colour laid over it through a uniform mask of
            // the second.
            DrawTexture(gi, fill.texture);
            auto tint = platform::Picture::New(w, h);
            tint->Graphics().ForeColor = fill.c1;
            Pellivor::FillAll(tint->Graphics());
            tint->Mask()->Graphics().ForeColor = fill.c2;
            Pellivor::FillAll(tint->Mask()->Graphics());
            gi.DrawPicture(*tint, 0, 0);
        } else {
            FillByKind(gi, fill.kind, fill.c1, fill.c2,
                       [&](platform::Graphics& target) { DrawTexture(target, fill.texture); });
        }

        if (fill.gloss != 0) {
            auto gloss = NewHighlight(w, h);
            platform::Graphics& gm2 = gloss->Mask()->Graphics();
            gm2.ForeColor = fill.rim;
            Pellivor::DrawRoundRectA(gm2, 0, 0, w, h, radius - 1, -1);
            CutHighlight(gm2, fill.gloss, ButtonUpperGlossCut(controlHeight, radius), radius);
            gi.DrawPicture(*gloss, 0, 0);
        }
        g0.DrawPicture(*inner, border, border);
    }

    if (!Text.empty() && boxes.captionClip.w > 0 && boxes.captionClip.h > 0) {
        platform::Graphics gc = g0.Clip(boxes.captionClip.x, boxes.captionClip.y,
                                        boxes.captionClip.w, boxes.captionClip.h);
        const CaptionFields cap = CaptionOf(st, looks.caption);
        gc.TextFont = cap.font;
        gc.TextSize = cap.size;
        gc.Bold = cap.bold;
        gc.Italic = cap.italic;
        gc.Underline = cap.underline;
        const double sw = gc.StringWidth(Text);
        const int x = ButtonCaptionLeft(CaptionAlign, gc.Width(), sw, border, CaptionDelta);
        const int y = CaptionBaseline(controlHeight, gc.TextHeight(), gc.TextAscent(), border);
        if (st.HasTextShadow != 0) {
            gc.ForeColor = st.TextShadowColor;
            gc.DrawString(Text, x + cap.dx, y + cap.dy, 0, false);
        }
        gc.ForeColor = cap.color;
        if (looks.caption == Look::Normal && !enabled && GreysCaption())
            gc.ForeColor = mixColor(ToGray(st.TextColor), ToGray(st.FillColor1), 0.3f);
        gc.DrawString(Text, x, y, 0, false);
    }

    PaintOver(g0);
    g.DrawPicture(*composite, 0, 0);
}

void ButtonBase::DrawTexture(platform::Graphics& g, int index) {
    platform::PicturePtr tex = UI_Module::GetTexture(index);
    if (!tex)
        return;
    // The pixel and tiling loops pass no yield point: a paint is never part of the job, and a
    // yield there could only end the paint when a job is being killed.
    // A disabled button shows the texture's opaque grey copy: what its mask hid is drawn in the
    // grey of its colour.
    DrawTextureFill(g, tex.get(), !EnabledWithParent());
}

}  // namespace kit
