#include "kit/text/ui_breadcrumbs.h"

#include "kit/base/control_drawing.h"
#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/text/kit_paint.h"
#include "kit/text/step_layout.h"
#include "platform/graphics.h"
#include "platform/keys.h"

#include <algorithm>
#include <cstring>

namespace {

using kit::Hex;
using kit::kBorderColor;
using kit::kRimGrey;
using kit::kShadowColor;
using kit::kTextShadowColor;

void WriteBuiltInStyle(UI_BreadcrumbsStyle& s) {
    s.CornerRadius = 5;
    s.BorderColor = kBorderColor;
    s.BorderWidth = 1;
    s.HasShadow = 0;
    s.ShadowColor = kShadowColor;
    s.ShadowTransparency = 50;
    s.FillKind = 2;
    s.FillTexture = 0;
    s.FillColor1 = Hex(0x474F59);
    s.FillColor2 = Hex(0x313338);
    s.FitToText = 0;
    s.TextPadding = 15;
    s.ChevronDepth = 12;
    s.TextFont.clear();
    s.TextSize = 0;
    s.TextBold = 1;
    s.TextItalic = 0;
    s.TextUnderline = 0;
    s.TextColor = Hex(0xFFFFFF);
    s.TextSelFont.clear();
    s.TextSelSize = 0;
    s.TextSelBold = 0;
    s.TextSelItalic = 0;
    s.TextSelUnderline = 0;
    s.TextSelColor = Hex(0xC8CDD5);
    s.HasTextShadow = 1;
    s.TextShadowColor = kTextShadowColor;
    s.TextShadowDY = 1;
    s.TextSelShadowDY = -1;
    s.SelFillKind = 1;
    s.SelFillTexture = 0;
    s.SelFillColor1 = Hex(0x313236);
    s.SelFillColor2 = Hex(0x000000);
    s.InnerShade = 1;
}

/// Copies `count` columns of one mask into another, from column `from` to column `to`.
void CopyMaskColumns(platform::Picture& source, int from, platform::Picture& target, int to,
                     int count) {
    QImage& src = source.Mask()->Image();
    QImage& dst = target.Mask()->Image();
    const int rows = std::min(src.height(), dst.height());
    for (int x = 0; x < count; ++x) {
        if (from + x < 0 || from + x >= src.width() || to + x < 0 || to + x >= dst.width())
            continue;
        for (int y = 0; y < rows; ++y)
            dst.scanLine(y)[to + x] = src.scanLine(y)[from + x];
    }
}

/// A picture `width` wide whose mask is a rounded rectangle: the rounded ends of the bar.
platform::PicturePtr EndStencil(int height, int radius) {
    platform::PicturePtr stencil = kit::NewPictureOrNone(100, height);
    if (stencil)
        kit::RoundMask(*stencil, radius, 1);
    return stencil;
}

/// Cuts the point (right end) and the notch (left end) of a chevron into a picture's mask.
void CutChevron(platform::Picture& p, bool point, bool notch, int depth) {
    platform::Graphics& mask = p.Mask()->Graphics();
    const double w = p.Width();
    const double h = p.Height();
    if (point) {
        mask.ForeColor = platform::RGB(255, 255, 255);
        mask.FillRect(p.Width() - depth, 0, depth, p.Height());
        mask.ForeColor = platform::RGB(0, 0, 0);
        Pellivor::DrawLineAFill(mask, w - depth, 0, w, h / 2, 1, true);
        Pellivor::DrawLineAFill(mask, w - depth, h, w, h / 2, 1, true);
    }
    if (notch) {
        mask.ForeColor = platform::RGB(255, 255, 255);
        mask.FillRect(0, 0, depth, p.Height());
        mask.ForeColor = platform::RGB(0, 0, 0);
        Pellivor::DrawLineAFill(mask, 0, 0, depth, h / 2, 1, false);
        Pellivor::DrawLineAFill(mask, 0, h, depth, h / 2, 1, false);
    }
}

void SetFont(platform::Graphics& g, const std::string& font, float size, bool bold, bool italic,
             bool underline) {
    g.TextFont = font;
    g.TextSize = size;
    g.Bold = bold;
    g.Italic = italic;
    g.Underline = underline;
}

}  // namespace

UI_Breadcrumbs::UI_Breadcrumbs(QWidget* parent)
    : platform::Canvas(parent) {
}

void UI_Breadcrumbs::SetTabDefinition(std::string_view text) {
    Tabs = kit::SplitStepDefinition(text);
}

void UI_Breadcrumbs::SetValue(std::int64_t v) {
    const auto n = static_cast<std::int64_t>(Tabs.size());
    m_value = kit::ClampStep(v, n);
    Refresh(false);
    // With no steps there is no caption to pass: the window gets an empty one.
    const std::string caption =
        m_value < n ? Tabs[static_cast<std::size_t>(m_value)] : std::string();
    Action.Raise(m_value, caption);
}

void UI_Breadcrumbs::Event_Open() {
    SetAcceptFocus(true);
    UseFocusRing = false;
    WriteBuiltInStyle(MyStyle);
    platform::Canvas::Event_Open();
}

void UI_Breadcrumbs::DrawBackground(platform::Graphics& g) {
    kit::DrawControlBackground(g, kit::BackdropOf(*this, HasBackColor, BackColor));
}

platform::Color UI_Breadcrumbs::GetWindowColor() const {
    return kit::WindowColorOf(*this);
}

void UI_Breadcrumbs::DrawTexture(platform::Graphics& g, std::int32_t index) {
    kit::DrawTextureFill(g, UI_Module::GetTexture(index).get(), !kit::DrawsEnabled(*this));
}

std::int32_t UI_Breadcrumbs::TabFromXY(std::int32_t x, std::int32_t) const {
    return kit::StepAt(m_widths, MyStyle.ChevronDepth, x);
}

bool UI_Breadcrumbs::Event_MouseDown(int x, int y) {
    SetFocus();
    const std::int32_t s = TabFromXY(x, y);
    if (s >= 0 && s != m_value)
        SetValue(s);
    return false;
}

bool UI_Breadcrumbs::Event_KeyDown(const std::string& key) {
    const auto n = static_cast<std::int64_t>(Tabs.size());
    if (key.size() == 1 && key[0] == platform::keycode::kLeft && m_value >= 1) {
        SetValue(m_value - 1);
        return true;
    }
    if (key.size() == 1 && key[0] == platform::keycode::kRight && m_value < n - 1) {
        SetValue(m_value + 1);
        return true;
    }
    return false;
}

platform::PicturePtr UI_Breadcrumbs::StepPicture(std::int32_t i, std::int32_t n, std::int32_t w,
                                                 std::int32_t h, const platform::Picture& outer,
                                                 const platform::Picture& inner) {
    const Style& s = MyStyle;
    const int d = s.ChevronDepth;
    const int r = s.CornerRadius;
    const int b = s.BorderWidth;
    const bool first = i == 0;
    const bool last = i == n - 1;
    platform::PicturePtr step = kit::NewPictureOrNone(w, h);
    if (!step)
        return nullptr;
    step->Mask();
    auto& outerStencil = const_cast<platform::Picture&>(outer);
    auto& innerStencil = const_cast<platform::Picture&>(inner);
    if (first && r != 0)
        CopyMaskColumns(outerStencil, 0, *step, 0, r + 2);
    if (last && r != 0)
        CopyMaskColumns(outerStencil, 100 - r - 2, *step, w - r - 2, r + 2);
    CutChevron(*step, !last, !first, d);
    step->Graphics().ForeColor = s.BorderColor;
    Pellivor::FillAll(step->Graphics());

    platform::PicturePtr face = kit::NewPictureOrNone(w - 2 * b, h - 2 * b);
    if (!face)
        return step;
    face->Mask();
    CutChevron(*face, !last, !first, d);
    platform::Graphics& fg = face->Graphics();
    const double fw = face->Width();
    const double fh = face->Height();
    if (m_value == i) {
        kit::FillByKind(fg, s.SelFillKind, s.SelFillColor1, s.SelFillColor2,
                        [&](platform::Graphics& g) { DrawTexture(g, s.SelFillTexture); });
        if (s.InnerShade == 1) {
            if (platform::PicturePtr shade = kit::InnerShadePicture(face->Width(), face->Height()))
                fg.DrawPicture(*shade, 0, 0);
        }
    } else {
        kit::FillByKind(fg, s.FillKind, s.FillColor1, s.FillColor2,
                        [&](platform::Graphics& g) { DrawTexture(g, s.FillTexture); });
        // A faint white rim: lines about 18 % opaque along the step's edges and seams.
        platform::PicturePtr rim = platform::Picture::New(face->Width(), face->Height());
        platform::Graphics& mask = rim->Mask()->Graphics();
        mask.ForeColor = platform::RGB(255, 255, 255);
        Pellivor::FillAll(mask);
        mask.ForeColor = kRimGrey;
        if (first || last) {
            Pellivor::DrawRoundRectA(mask, 0, 0, fw, fh, r - 1, -1);
        } else {
            mask.DrawLine(0, 0, face->Width(), 0);
            mask.DrawLine(0, face->Height() - 1, face->Width() - 1, face->Height() - 1);
        }
        if (i < n - 1 && m_value == i + 1) {
            const double shift = first ? 0.5 : 0;
            Pellivor::DrawLineA(mask, fw - d - shift, 0, fw - shift, fh / 2, 1, 1);
            Pellivor::DrawLineA(mask, fw - d - shift, fh, fw - shift, fh / 2, 1, 1);
        }
        if (!first) {
            Pellivor::DrawLineA(mask, 0, 0, d, fh / 2, 1, 1);
            Pellivor::DrawLineA(mask, 0, fh, d, fh / 2, 1, 1);
        }
        fg.DrawPicture(*rim, 0, 0);
    }
    if (first && r != 0)
        CopyMaskColumns(innerStencil, 0, *face, 0, r + 2);
    if (last && r != 0)
        CopyMaskColumns(innerStencil, 100 - r - 2, *face, face->Width() - r - 2, r + 2);
    step->Graphics().DrawPicture(*face, b, b);
    return step;
}

void UI_Breadcrumbs::Event_Paint(platform::Graphics& g) {
    const Style& s = MyStyle;
    const int w = Width();
    const int h = Height();
    const int d = s.ChevronDepth;
    const auto n = static_cast<std::int32_t>(Tabs.size());
    platform::PicturePtr bar = platform::Picture::New(std::max(1, w), std::max(1, h));
    platform::Graphics& pg = bar->Graphics();
    DrawBackground(pg);
    m_widths.clear();
    const platform::PicturePtr outer = EndStencil(h, s.CornerRadius);
    const platform::PicturePtr inner = EndStencil(h - 2 * s.BorderWidth, s.CornerRadius);

    SetFont(pg, s.TextFont, s.TextSize, s.TextBold != 0, false, false);
    const int y0 = (h - 1 - pg.TextHeight()) / 2 + pg.TextAscent();
    const std::int32_t stepWidth = kit::EqualStepWidth(w, n, d);
    m_widths.assign(static_cast<std::size_t>(n), stepWidth);
    const std::vector<kit::StepPlacement> places = kit::PlaceSteps(m_widths, d);
    for (std::int32_t i = 0; i < n; ++i) {
        const kit::StepPlacement& at = places[static_cast<std::size_t>(i)];
        if (outer && inner) {
            if (platform::PicturePtr step = StepPicture(i, n, stepWidth, h, *outer, *inner))
                pg.DrawPicture(*step, at.left, 0);
        }
        const std::string& caption = Tabs[static_cast<std::size_t>(i)];
        const bool selected = m_value == i;
        if (selected)
            SetFont(pg, s.TextSelFont, s.TextSelSize, s.TextSelBold != 0, s.TextSelItalic != 0,
                    s.TextSelUnderline != 0);
        else
            SetFont(pg, s.TextFont, s.TextSize, s.TextBold != 0, s.TextItalic != 0,
                    s.TextUnderline != 0);
        const int dy = selected ? s.TextSelShadowDY : s.TextShadowDY;
        const auto spare = static_cast<std::int32_t>(stepWidth - pg.StringWidth(caption));
        const auto cx = static_cast<std::int32_t>(at.x + static_cast<float>(spare / 2));
        if (s.HasTextShadow != 0) {
            pg.ForeColor = s.TextShadowColor;
            pg.DrawString(caption, cx, y0 + dy);
        }
        pg.ForeColor = selected ? s.TextSelColor : s.TextColor;
        pg.DrawString(caption, cx, y0);
    }
    g.DrawPicture(*bar, 0, 0);
}
