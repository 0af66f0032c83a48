#include "kit/text/ui_textfield.h"

#include "kit/base/control_drawing.h"
#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/text/kit_paint.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/widgets/window.h"

#include <QApplication>
#include <QPalette>

#include <cmath>

namespace {

using kit::Hex;
using kit::kBorderColor;
using kit::kShadowColor;

void WriteBuiltInStyle(UI_TextFieldStyle& s) {
    s.BorderColor = kBorderColor;
    s.BorderWidth = 1;
    s.ShadowColor = kShadowColor;
    s.ShadowTransparency = 50;
    s.FillKind = 1;
    s.FillTexture = 0;
    s.FillColor1 = Hex(0x313236);
    s.FillColor2 = Hex(0x000000);
    s.InnerShade = 1;
    s.CornerRadius = 5;
    s.TextMargin = 12;
    s.CueTextColor = Hex(0x808080);
    s.FocusRingWidth = 3;
    s.FocusColor1 = Hex(0x67B2FA);
    s.FocusColor2 = Hex(0x1479DB);
    s.TextColor = Hex(0xFFFFFF);
}

platform::Color HighlightColor() {
    const QColor c = QApplication::palette().color(QPalette::Highlight);
    return platform::RGB(c.red(), c.green(), c.blue());
}

}  // namespace

UI_TextField::UI_TextField(QWidget* parent)
    : platform::Canvas(parent) {
}

UI_TextField::~UI_TextField() = default;

void UI_TextField::SetText(std::string_view text) {
    m_edit.SetText(text);
    FullRefresh = true;
    Refresh(false);
    Event_TextChange();
}

void UI_TextField::SetSelStart(std::int32_t v) {
    m_edit.SetSelStart(v);
    FullRefresh = true;
}

void UI_TextField::SetSelLength(std::int32_t v) {
    m_edit.SetSelLength(v);
    FullRefresh = true;
}

void UI_TextField::SelectAll() {
    m_edit.SelectAll();
    FullRefresh = true;
}

std::u32string UI_TextField::Repeat(const std::u32string& s, std::int32_t n) {
    return kit::RepeatChars(s, n);
}

platform::Color UI_TextField::InvertColor(platform::Color c) {
    return platform::RGB(255 - c.r, 255 - c.g, 255 - c.b);
}

std::u32string UI_TextField::Shown() const {
    if (Password)
        return Repeat(U"\u2022", m_edit.Length());
    return m_edit.Chars();
}

bool UI_TextField::IsFocused() const {
    const platform::Window* window = TrueWindow();
    return window && window->Focus() == this;
}

void UI_TextField::DrawBackground(platform::Graphics& g) {
    kit::DrawControlBackground(g, kit::BackdropOf(*this, HasBackcolor, Backcolor));
}

platform::Color UI_TextField::GetWindowColor() const {
    return kit::WindowColorOf(*this);
}

void UI_TextField::DrawTexture(platform::Graphics& g, std::int32_t index) {
    kit::DrawTextureFill(g, UI_Module::GetTexture(index).get(), false);
}

void UI_TextField::SetTextFontOn(platform::Graphics& g, bool withStyle) const {
    g.TextSize = TextSize;
    g.TextUnit = TextUnit;
    g.TextFont = TextFont;
    if (withStyle) {
        g.Bold = Bold;
        g.Italic = Italic;
    }
}

void UI_TextField::Event_Open() {
    EraseBackground = false;
    SetAcceptFocus(true);
    UseFocusRing = false;
    WriteBuiltInStyle(MyStyle);
    IconRight = true;
    Event_FieldOpen();
    RefreshTimer = std::make_unique<platform::Timer>();
    RefreshTimer->SetPeriod(600);
    RefreshTimer->Action = [this] { TimerAction(); };
}

void UI_TextField::RenderBuffer() {
    const int w = Width();
    const int h = Height();
    const Style& s = MyStyle;
    const int m = s.TextMargin;
    const int b = s.BorderWidth;
    const int r = s.CornerRadius;
    const int z = s.FocusRingWidth;
    LastSize = w * h;
    Buffer = platform::Picture::New(std::max(1, w), std::max(1, h));
    platform::Graphics& bg = Buffer->Graphics();
    StartX = Icon && !IconRight ? 2 * m + Icon->Width() : m;
    DrawBackground(bg);

    // The frame, once one pixel lower in the shadow colour: a line along the lower edge.
    if (platform::PicturePtr frame = kit::NewPictureOrNone(w, h - 1)) {
        kit::RoundMask(*frame, r, 1);
        frame->Graphics().ForeColor = s.ShadowColor;
        Pellivor::FillAll(frame->Graphics());
        bg.DrawPicture(*frame, 0, 1);
        frame->Graphics().ForeColor = s.BorderColor;
        Pellivor::FillAll(frame->Graphics());
        bg.DrawPicture(*frame, 0, 0);
    }
    if (platform::PicturePtr inner = kit::NewPictureOrNone(w - 2 * b, h - 1 - 2 * b)) {
        kit::RoundMask(*inner, r, 1);
        kit::FillByKind(inner->Graphics(), s.FillKind, s.FillColor1, s.FillColor2,
                        [&](platform::Graphics& g) { DrawTexture(g, s.FillTexture); });
        if (s.InnerShade == 1) {
            m_shadow = kit::InnerShadePicture(inner->Width(), inner->Height());
            inner->Graphics().DrawPicture(*m_shadow, 0, 0);
        }
        bg.DrawPicture(*inner, b, b);
    }
    if (IsFocused()) {
        if (platform::PicturePtr ring = kit::NewPictureOrNone(w, h)) {
            platform::Graphics& mask = ring->Mask()->Graphics();
            Pellivor::FillRoundRectA(mask, 0, 0, w, h, r, 1, true);
            mask.ForeColor = platform::RGB(255, 255, 255);
            Pellivor::FillRoundRectA(mask, z, z, w - 2 * z, h - 2 * z, r - z + 1, 1, false);
            Pellivor::gradient(ring->Graphics(), 0, 0, w, h, s.FocusColor1, s.FocusColor2, true);
            bg.DrawPicture(*ring, 0, 0);
        }
        if (z > 1) {
            if (platform::PicturePtr edge = kit::NewPictureOrNone(w - 2 * z + 2, h - 2 * z + 2)) {
                platform::Graphics& mask = edge->Mask()->Graphics();
                mask.ForeColor = platform::RGB(255, 255, 255);
                Pellivor::FillAll(mask);
                mask.ForeColor = platform::RGB(0xB0, 0xB0, 0xB0);
                Pellivor::DrawRoundRectA(mask, 0, 0, edge->Width(), edge->Height(), r, 1);
                bg.DrawPicture(*edge, z - 1, z - 1);
            }
        }
    }
    if (Icon) {
        const int y = (h - Icon->Height()) / 2;
        const int x = IconRight ? w - m - Icon->Width() : m;
        bg.DrawPicture(*Icon, x, y);
    }

    const int areaWidth = Icon && IconRight ? w - 2 * m - StartX - Icon->Width() : w - m - StartX;
    platform::Graphics t = bg.Clip(StartX, 0, std::max(0, areaWidth), h);
    t.ForeColor = s.TextColor;
    SetTextFontOn(t, true);
    t.Underline = Underline;
    const std::u32string shown = Shown();
    auto width = [&](const std::u32string& text) { return t.StringWidth(kit::ToUtf8(text)); };
    const kit::TextPlacement place =
        kit::PlaceText(areaWidth, width(kit::FirstChars(shown, m_edit.SelStart())), width(shown),
                       m_delta, Alignment);
    m_caretPos = place.caretPos;
    m_delta = place.delta;
    m_drawX = place.drawX;
    const int y0 = (h - t.TextHeight()) / 2 + t.TextAscent();
    const float origin = m_delta + static_cast<float>(m_drawX);
    const auto at = [](float x) { return static_cast<double>(static_cast<std::int32_t>(x)); };
    if (!shown.empty() && m_edit.SelLength() == 0) {
        t.DrawString(kit::ToUtf8(shown), at(origin), y0);
    } else if (!shown.empty()) {
        const std::int32_t s0 = m_edit.SelStart();
        const std::int32_t n = m_edit.SelLength();
        const std::u32string pre = kit::FirstChars(shown, s0);
        const std::u32string sel = kit::FirstChars(kit::CharsFrom(shown, s0), n);
        const std::u32string post = kit::CharsFrom(shown, static_cast<std::int64_t>(s0) + n);
        t.DrawString(kit::ToUtf8(pre), at(origin), y0);
        const float x1 = static_cast<float>(width(pre)) + origin;
        t.ForeColor = HighlightColor();
        t.FillRect(static_cast<std::int32_t>(x1), (h - t.TextHeight()) / 2,
                   static_cast<std::int32_t>(width(sel)), t.TextHeight());
        t.ForeColor = InvertColor(s.TextColor);
        t.DrawString(kit::ToUtf8(sel), at(x1), y0);
        const float x2 =
            static_cast<float>(width(kit::FirstChars(shown, static_cast<std::int64_t>(s0) + n))) +
            origin;
        t.ForeColor = s.TextColor;
        t.DrawString(kit::ToUtf8(post), at(x2), y0);
    } else if (!IsFocused()) {
        t.ForeColor = s.CueTextColor;
        t.DrawString(CueText, at(origin), y0);
    }
    FullRefresh = false;
}

void UI_TextField::Event_Paint(platform::Graphics& g) {
    if (!Visible())
        return;
    if (!Buffer || Width() * Height() != LastSize || FullRefresh)
        RenderBuffer();
    g.DrawPicture(*Buffer, 0, 0);
    if (m_showCaret) {
        g.ForeColor = MyStyle.TextColor;
        SetTextFontOn(g, false);
        const int top = (g.Height() - g.TextHeight()) / 2;
        const auto x = static_cast<std::int32_t>(static_cast<float>(m_caretPos) + m_delta +
                                                 static_cast<float>(StartX + m_drawX));
        g.DrawLine(x, top, x, top + g.TextHeight());
    }
}

std::int32_t UI_TextField::CharPosAtXY(std::int32_t x, std::int32_t) {
    auto scratch = platform::Picture::New(1, 1);
    platform::Graphics& g = scratch->Graphics();
    SetTextFontOn(g, true);
    return kit::CharPosAtX(x - StartX - m_drawX, m_delta, Shown(),
                           [&](const std::u32string& t) { return g.StringWidth(kit::ToUtf8(t)); });
}

bool UI_TextField::InIconZone(int x) const {
    if (!Icon)
        return false;
    const int m = MyStyle.TextMargin;
    return IconRight ? x >= Width() - m - Icon->Width() : x < m + Icon->Width();
}

bool UI_TextField::Event_KeyDown(const std::string& key) {
    if (KeyDown.Raise(key))
        return true;
    const kit::KeyOutcome out =
        m_edit.Key(key, platform::Keyboard::ShiftKey(),
                   platform::Keyboard::ControlKey() || platform::Keyboard::OSKey(), ReadOnly);
    if (out.action)
        Event_Action();
    if (out.changed) {
        FullRefresh = true;
        Refresh(false);
        Event_TextChange();
    }
    return out.consumed;
}

bool UI_TextField::Event_MouseDown(int x, int y) {
    if (MouseDown.Raise(x, y))
        return true;
    if (platform::IsContextualClick())
        return false;
    SetFocus();
    if (InIconZone(x)) {
        Event_Action();
        return false;
    }
    m_edit.Click(CharPosAtXY(x, y));
    FullRefresh = true;
    m_lastX = x;
    if (RefreshTimer)
        RefreshTimer->SetMode(platform::Timer::kModeOff);
    m_showCaret = true;
    Refresh(false);
    if (RefreshTimer)
        RefreshTimer->SetMode(platform::Timer::kModeMultiple);
    return true;
}

void UI_TextField::Event_MouseDrag(int x, int y) {
    // Only the x of the press is skipped: handling any other position twice gives the same
    // selection.
    if (x == m_lastX)
        return;
    if (m_edit.Drag(CharPosAtXY(x, y))) {
        FullRefresh = true;
        Refresh(false);
    }
}

void UI_TextField::Event_MouseMove(int x, int) {
    setCursor(InIconZone(x) ? Qt::ArrowCursor : Qt::IBeamCursor);
}

void UI_TextField::Event_GotFocus() {
    if (RefreshTimer)
        RefreshTimer->SetMode(platform::Timer::kModeMultiple);
    GotFocus.Raise();
    if (m_edit.Length() == 0) {
        FullRefresh = true;
        Refresh(false);
    }
}

void UI_TextField::Event_LostFocus() {
    LostFocus.Raise();
    if (RefreshTimer)
        RefreshTimer->SetMode(platform::Timer::kModeOff);
    m_showCaret = false;
    FullRefresh = true;
    Refresh(false);
}

void UI_TextField::TimerAction() {
    if (IsFocused()) {
        m_showCaret = !m_showCaret;
    } else {
        RefreshTimer->SetMode(platform::Timer::kModeOff);
        m_showCaret = false;
    }
    Refresh(false);
}
