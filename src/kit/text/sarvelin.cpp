#include "kit/text/sarvelin.h"

#include "kit/base/control_drawing.h"
#include "kit/base/pellivor.h"
#include "kit/base/ui_module.h"
#include "kit/text/kit_paint.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "platform/widgets/window.h"

#include <algorithm>
#include <utility>

namespace {

using kit::Hex;
using kit::kBorderColor;

}  // namespace

Sarvelin::Sarvelin(QWidget* parent)
    : platform::Canvas(parent) {
}

kit::ScrollShape Sarvelin::Shape() const noexcept {
    kit::ScrollShape s;
    s.width = Width();
    s.height = Height();
    s.arrows = m_arrows;
    s.groupArrows = GroupArrows;
    s.arrowSize = MyStyle.ArrowSize;
    s.knobInset = MyStyle.KnobInset;
    s.minimum = m_minimum;
    s.maximum = m_maximum;
    return s;
}

bool Sarvelin::isVertical() const noexcept {
    return kit::IsVertical(Shape());
}

std::int32_t Sarvelin::minRealValue() const noexcept {
    return kit::MinRealValue(Shape());
}

platform::PicturePtr Sarvelin::Knob() {
    if (m_knob)
        return m_knob;
    if (const auto size = kit::KnobFor(Shape()))
        m_knob = platform::Picture::New(size->width, size->height);
    return m_knob;
}

std::int32_t Sarvelin::mSize() {
    const platform::PicturePtr knob = Knob();
    std::optional<kit::KnobSize> size;
    if (knob)
        size = kit::KnobSize{knob->Width(), knob->Height()};
    return kit::Travel(Shape(), size);
}

std::int32_t Sarvelin::Value() {
    return kit::ValueAt(Shape(), mSize(), RealValue);
}

void Sarvelin::SetValue(std::int64_t v) {
    RealValue = kit::RealValueFor(Shape(), mSize(), v);
    m_lastValue = v;
    Refresh(false);
    ValueChanged.Raise();
}

void Sarvelin::SetMinimum(std::int32_t v) {
    m_minimum = v;
    m_knob = nullptr;
    Refresh(false);
}

void Sarvelin::SetMaximum(std::int32_t v) {
    m_maximum = v;
    m_knob = nullptr;
    Refresh(false);
}

void Sarvelin::SetArrows(bool arrows) {
    m_arrows = arrows;
    NormalArrow = nullptr;
    RotatedArrow = nullptr;
    FullRefresh = true;
    Refresh(false);
}

void Sarvelin::Event_Open() {
    PageStep = 5;
    LineStep = 1;
    SetAcceptFocus(true);
    EraseBackground = false;
    UseFocusRing = false;
    MyStyle.CornerRadius = 232;
    MyStyle.KnobRadius = 232;
    MyStyle.Gloss = 1;
    AutoUpdate();
    MyStyle.BorderWidth = 1;
    MyStyle.BorderColor = kBorderColor;
    MyStyle.TrackFillColor1 = Hex(0x292A2E);
    MyStyle.KnobBorderColor = kBorderColor;
    MyStyle.KnobFillColor1 = Hex(0x333437);
    MyStyle.KnobFillColor2 = Hex(0x383A3F);
    MyStyle.KnobFocusBorderColor = Hex(0x082A45);
    MyStyle.KnobFocusFillColor1 = Hex(0x2386E0);
    MyStyle.KnobFocusFillColor2 = Hex(0x82C6F2);
    // A horizontal bar's gradients run across it top to bottom: the pairs swap once, here.
    if (!isVertical()) {
        std::swap(MyStyle.KnobFillColor1, MyStyle.KnobFillColor2);
        std::swap(MyStyle.KnobFocusFillColor1, MyStyle.KnobFocusFillColor2);
    }
    MyStyle.ArrowSize = 15;
    SetArrows(true);
    RealValue = minRealValue();
    platform::Canvas::Event_Open();
}

bool Sarvelin::Event_KeyDown(const std::string& key) {
    namespace Code = platform::keycode;
    // Tab and shortcuts go on, so that the bar is no trap for the keyboard focus.
    if (key.empty() || key[0] == Code::kTab || platform::Keyboard::ControlKey() ||
        platform::Keyboard::OSKey())
        return false;
    const std::int64_t v = Value();
    switch (key[0]) {
        case Code::kLeft:
        case Code::kUp:
            SetValue(std::max<std::int64_t>(v - LineStep, m_minimum));
            break;
        case Code::kRight:
        case Code::kDown:
            SetValue(std::min<std::int64_t>(v + LineStep, m_maximum));
            break;
        case Code::kHome:
            SetValue(m_minimum);
            break;
        case Code::kPageUp:
            SetValue(std::max<std::int64_t>(v - PageStep, m_minimum));
            break;
        case Code::kPageDown:
            SetValue(std::min<std::int64_t>(v + PageStep, m_maximum));
            break;
        case Code::kEnd:
            SetValue(m_maximum);
            break;
        default:
            break;
    }
    return true;
}

void Sarvelin::Step(std::int32_t p, bool press) {
    const kit::ScrollShape s = Shape();
    const std::int32_t length = kit::AxisLength(s);
    const std::int32_t as = MyStyle.ArrowSize;
    const platform::PicturePtr knob = Knob();
    const double kl = knob ? (isVertical() ? knob->Height() : knob->Width()) : 0;
    const std::int64_t v = Value();
    if (m_arrows && p >= length - as) {
        SetValue(v + LineStep);
    } else if (m_arrows && GroupArrows && p >= length - 2 * as) {
        SetValue(v - LineStep);
    } else if (m_arrows && !GroupArrows && p <= as) {
        SetValue(v - LineStep);
    } else if (RealValue <= p && p < RealValue + kl) {
        if (press) {
            Down = p;
            Drag = true;
        }
    } else if (p < RealValue) {
        SetValue(std::max<std::int64_t>(v - PageStep, m_minimum));
    } else if (p > RealValue + kl) {
        SetValue(std::min<std::int64_t>(v + PageStep, m_maximum));
    }
}

bool Sarvelin::Event_MouseDown(int x, int y) {
    SetFocus();
    Drag = false;
    LastClickTicks = platform::Ticks();
    FirstDrag = true;
    if (!Knob())
        return false;
    Step(Along(x, y), true);
    return true;
}

void Sarvelin::Event_MouseDrag(int x, int y) {
    const std::int32_t p = Along(x, y);
    if (p == Down)
        return;
    const std::int32_t before = Value();
    if (Drag) {
        const std::int32_t d = p - Down;
        Down = p;
        if (p >= 0 && p < kit::AxisLength(Shape())) {
            const double start = minRealValue();
            RealValue = std::max(start, std::min(start + mSize(), RealValue + d));
            Refresh(false);
            const std::int32_t now = Value();
            if (LiveScroll && now != before)
                ValueChanged.Raise();
            m_lastValue = now;
        }
        return;
    }
    const std::int64_t now = platform::Ticks();
    if (now - LastClickTicks > (FirstDrag ? 25 : 2)) {
        FirstDrag = false;
        LastClickTicks = now;
        Step(p, false);
    }
}

void Sarvelin::Event_MouseUp(int, int) {
    if (!LiveScroll)
        ValueChanged.Raise();
}

bool Sarvelin::Event_MouseWheel(int, int, int deltaX, int deltaY) {
    const int delta = isVertical() ? deltaY : (deltaX != 0 ? deltaX : deltaY);
    if (delta == 0)
        return false;
    SetValue(static_cast<std::int64_t>(Value()) + (delta > 0 ? 1 : -1) * PageStep);
    Refresh(false);
    return true;
}

void Sarvelin::Event_GotFocus() {
    m_knob = nullptr;
    Refresh(false);
    platform::Canvas::Event_GotFocus();
}

void Sarvelin::Event_LostFocus() {
    m_knob = nullptr;
    Refresh(false);
    platform::Canvas::Event_LostFocus();
}

void Sarvelin::Event_MouseEnter() {
    if (cursor().shape() != Qt::ArrowCursor)
        setCursor(Qt::ArrowCursor);
}

platform::Color Sarvelin::GetWindowColor() const {
    return kit::WindowColorOf(*this);
}

void Sarvelin::DrawBackground(platform::Graphics& g) {
    kit::DrawControlBackground(g, kit::BackdropOf(*this, false, Backcolor));
}

void Sarvelin::DrawTexture(platform::Graphics& g, std::int32_t index) {
    kit::DrawTextureFill(g, UI_Module::GetTexture(index).get(), false);
}

platform::Color Sarvelin::TransparentColor(std::int32_t percent) {
    const int v = percent * 255 / 100;
    return platform::RGB(v, v, v);
}

void Sarvelin::DrawKnob(platform::Picture& knob, bool focused) {
    const Style& s = MyStyle;
    const int w = knob.Width();
    const int h = knob.Height();
    const int b = s.BorderWidth;
    const int r = s.KnobRadius;
    platform::Graphics& mask = knob.Mask()->Graphics();
    if (s.KnobTransparency == 0) {
        Pellivor::FillRoundRectA(mask, 0, 0, w, h, r, 1.5, true);
    } else {
        mask.ForeColor = platform::RGB(255, 255, 255);
        Pellivor::FillAll(mask);
        mask.ForeColor = TransparentColor(s.KnobTransparency);
        Pellivor::FillRoundRectA(mask, 0, 0, w, h, r, 1.5, false);
    }
    if (w - 2 * b < 1 || h - 2 * b < 1)
        return;
    knob.Graphics().ForeColor = focused ? s.KnobFocusBorderColor : s.KnobBorderColor;
    Pellivor::FillAll(knob.Graphics());
    platform::PicturePtr inner = platform::Picture::New(w - 2 * b, h - 2 * b);
    const int iw = inner->Width();
    const int ih = inner->Height();
    const platform::Color c1 = focused ? s.KnobFocusFillColor1 : s.KnobFillColor1;
    const platform::Color c2 = focused ? s.KnobFocusFillColor2 : s.KnobFillColor2;
    platform::Graphics& ig = inner->Graphics();
    if (s.KnobFillKind == 1) {
        ig.ForeColor = c1;
        Pellivor::FillAll(ig);
    } else {
        const bool along = s.KnobFillKind == 2;
        Pellivor::gradient(ig, 0, 0, iw, ih, c1, c2, along ? isVertical() : !isVertical());
    }
    if (s.KnobTexture > 0) {
        if (platform::PicturePtr grip = UI_Module::GetTexture(s.KnobTexture)) {
            if (isVertical()) {
                if (grip->Height() + 2 < ih)
                    ig.DrawPicture(*grip, (iw - grip->Width()) / 2, (ih - grip->Height()) / 2);
            } else {
                if (!RotatedKnobTexture)
                    RotatedKnobTexture = UI_Module::Rotate(grip, -90, platform::RGB(0, 0, 0), 0);
                const platform::Picture& turned = *RotatedKnobTexture;
                if (turned.Width() + 2 < iw)
                    ig.DrawPicture(turned, (iw - turned.Width()) / 2, (ih - turned.Height()) / 2);
            }
        }
    }
    if (s.Gloss > 0) {
        platform::PicturePtr rim = platform::Picture::New(iw, ih);
        platform::Graphics& rimMask = rim->Mask()->Graphics();
        rimMask.ForeColor = platform::RGB(255, 255, 255);
        Pellivor::FillAll(rimMask);
        rimMask.ForeColor = Hex(0xDDDDDD);
        Pellivor::FillRoundRectA(rimMask, 0, 0, iw, ih, r, 1.0, false);
        rimMask.ForeColor = platform::RGB(255, 255, 255);
        Pellivor::FillRoundRectA(rimMask, 1, 1, iw - 2, ih - 2, r, 1.5, false);
        ig.DrawPicture(*rim, 0, 0);
    }
    kit::RoundMask(*inner, r, 1.0);
    knob.Graphics().DrawPicture(*inner, b, b);
}

void Sarvelin::DrawButtons(platform::Picture& area, bool) {
    if (!m_arrows)
        return;
    const Style& s = MyStyle;
    const bool vertical = isVertical();
    const int a = s.ArrowSize;
    const int b = s.BorderWidth;
    area.Graphics().ForeColor = s.BorderColor;
    Pellivor::FillAll(area.Graphics());
    const int areaThick = vertical ? area.Width() : area.Height();
    const int areaLength = vertical ? area.Height() : area.Width();
    const int barThick = vertical ? Width() : Height();
    const int thick = std::max(1, areaThick - 2 * b - 2 * s.KnobInset);
    const int length = 2 * a + barThick + 2;
    platform::PicturePtr capsule =
        vertical ? platform::Picture::New(thick, length) : platform::Picture::New(length, thick);
    platform::Graphics& cg = capsule->Graphics();
    if (s.ArrowFillKind == 1) {
        cg.ForeColor = s.ArrowFillColor1;
        Pellivor::FillAll(cg);
    } else if (s.ArrowFillKind == 2) {
        const int half = static_cast<int>(platform::Round(length / 2.0));
        if (vertical) {
            Pellivor::gradient(cg, 0, 0, thick, half, s.ArrowFillColor1, s.ArrowFillColor2, true);
            Pellivor::gradient(cg, 0, half, thick, half, s.ArrowFillColor2, s.ArrowFillColor1,
                               true);
        } else {
            Pellivor::gradient(cg, 0, 0, half, thick, s.ArrowFillColor1, s.ArrowFillColor2, false);
            Pellivor::gradient(cg, half, 0, half, thick, s.ArrowFillColor2, s.ArrowFillColor1,
                               false);
        }
    } else if (s.ArrowFillKind == 3) {
        Pellivor::gradient(cg, 0, 0, capsule->Width(), capsule->Height(), s.ArrowFillColor1,
                           s.ArrowFillColor2, !vertical);
    }
    if (!NormalArrow) {
        const platform::Color black{0, 0, 0};
        if (vertical) {
            NormalArrow = UI_Module::GetTexture(s.ArrowTexture);
            RotatedArrow =
                s.ArrowTexture2 != 0
                    ? UI_Module::GetTexture(s.ArrowTexture2)
                    : UI_Module::Rotate(UI_Module::Rotate(NormalArrow, 90, black, 0), 90, black, 0);
        } else {
            NormalArrow = UI_Module::Rotate(UI_Module::GetTexture(s.ArrowTexture), -90, black, 0);
            if (s.ArrowTexture2 != 0) {
                RotatedArrow =
                    UI_Module::Rotate(UI_Module::GetTexture(s.ArrowTexture2), -90, black, 0);
            } else if (NormalArrow) {
                // The half turn carries no mask: the glyph's mask is turned on its own.
                RotatedArrow = UI_Module::Rotate(NormalArrow, 180, black, 0);
                if (RotatedArrow && NormalArrow->HasMask()) {
                    const platform::PicturePtr turned = UI_Module::Rotate(
                        platform::PicturePtr(NormalArrow, NormalArrow->Mask()), 180, black, 0);
                    if (turned)
                        RotatedArrow->Mask()->Image() =
                            turned->Image().convertToFormat(QImage::Format_Grayscale8);
                }
            }
        }
    }
    auto place = [&](const platform::PicturePtr& glyph, int along) {
        if (!glyph)
            return;
        const int across = (thick - (vertical ? glyph->Width() : glyph->Height())) / 2;
        if (vertical)
            cg.DrawPicture(*glyph, across, along);
        else
            cg.DrawPicture(*glyph, along, across);
    };
    auto size = [&](const platform::PicturePtr& glyph) {
        return glyph ? (vertical ? glyph->Height() : glyph->Width()) : 0;
    };
    const int normalSize = size(NormalArrow);
    place(NormalArrow, GroupArrows ? length - 2 * a + (a - normalSize) / 2 : (a - normalSize) / 2);
    const int rotatedSize = size(RotatedArrow);
    place(RotatedArrow, length - rotatedSize - (a - rotatedSize) / 2);
    kit::RoundMask(*capsule, s.CornerRadius, 1.0);
    const int across = (barThick - thick) / 2;
    platform::Graphics& ag = area.Graphics();
    if (!GroupArrows) {
        if (vertical)
            ag.DrawPicture(*capsule, across, b);
        else
            ag.DrawPicture(*capsule, b, across);
    }
    if (vertical)
        ag.DrawPicture(*capsule, across, areaLength - length - b);
    else
        ag.DrawPicture(*capsule, areaLength - length - b, across);
}

void Sarvelin::FillTrack(platform::Picture& track) {
    const Style& s = MyStyle;
    platform::Graphics& tg = track.Graphics();
    const bool vertical = isVertical();
    switch (s.TrackFillKind) {
        case 0:
        case 1:
            tg.ForeColor = s.TrackFillColor1;
            Pellivor::FillAll(tg);
            break;
        case 2:
        case 3:
            Pellivor::gradient(tg, 0, 0, track.Width(), track.Height(), s.TrackFillColor1,
                               s.TrackFillColor2, s.TrackFillKind == 2 ? vertical : !vertical);
            break;
        case 4:
            DrawTexture(tg, s.TrackFillTexture);
            break;
        case 99: {
            // Colour 1 at the track's start, colour 2 under the knob, back toward colour 1 after
            // it. Bands without pixels are left out.
            tg.ForeColor = s.TrackFillColor2;
            Pellivor::FillAll(tg);
            const double m = minRealValue();
            const int bw = s.BorderWidth;
            const int thick = vertical ? track.Width() : track.Height();
            const int length = vertical ? track.Height() : track.Width();
            auto band = [&](int from, int extent, platform::Color c1, platform::Color c2) {
                if (extent < 1)
                    return;
                if (vertical)
                    Pellivor::gradient(tg, 0, from, thick, extent, c1, c2, true);
                else
                    Pellivor::gradient(tg, from, 0, extent, thick, c1, c2, false);
            };
            band(0, static_cast<int>(RealValue - m), s.TrackFillColor1, s.TrackFillColor2);
            if (const platform::PicturePtr knob = Knob()) {
                const double kl = vertical ? knob->Height() : knob->Width();
                band(static_cast<int>(RealValue + kl - m - 2 * bw),
                     static_cast<int>(length - RealValue - kl + m + 2 * bw + 1), s.TrackFillColor2,
                     s.TrackFillColor1);
            }
            break;
        }
        default:
            break;
    }
}

bool Sarvelin::RebuildBackground() {
    const Style& s = MyStyle;
    const int w = Width();
    const int h = Height();
    const int bw = s.BorderWidth;
    const int as = s.ArrowSize;
    const bool vertical = isVertical();
    m_knob = nullptr;
    if (w * h != LastSize) {
        LastSize = w * h;
        RealValue = kit::RealValueFor(Shape(), mSize(), m_lastValue);
    }
    const bool tooSmall =
        m_arrows ? (vertical ? h : w) - 4 * bw - 2 * as < 1 : w - 4 * bw < 1 || h - 4 * bw < 1;
    if (tooSmall) {
        // Nothing is drawn at this size, and no older look is composed later.
        Background = nullptr;
        return false;
    }
    Background = platform::Picture::New(w, h);
    if (bw != 0) {
        Background->Graphics().ForeColor = s.BorderColor;
        Background->Graphics().FillRect(0, 0, w, h);
    }
    if (m_arrows) {
        platform::PicturePtr area = vertical ? kit::NewPictureOrNone(w, h - 4 * bw - 2 * as)
                                             : kit::NewPictureOrNone(w - 4 * bw - 2 * as, h);
        if (area) {
            DrawButtons(*area, false);
            if (vertical)
                Background->Graphics().DrawPicture(*area, 0, h - area->Height());
            else
                Background->Graphics().DrawPicture(*area, w - area->Width(), 0);
            if (!GroupArrows)
                Background->Graphics().DrawPicture(*area, 0, 0);
        }
    }
    const int ends = m_arrows ? 4 * bw + 2 * as : 4 * bw;
    platform::PicturePtr track = vertical ? kit::NewPictureOrNone(w - 2 * bw, h - ends)
                                          : kit::NewPictureOrNone(w - ends, h - 2 * bw);
    if (track) {
        FillTrack(*track);
        kit::RoundMask(*track, s.KnobRadius, 1);
        if (vertical)
            Background->Graphics().DrawPicture(*track, bw, 2 * bw + minRealValue());
        else
            Background->Graphics().DrawPicture(*track, 2 * bw + minRealValue(), bw);
    }
    kit::RoundMask(*Background, s.CornerRadius, 1);
    FullRefresh = false;
    return true;
}

void Sarvelin::Event_Paint(platform::Graphics& g) {
    if (Freeze)
        return;
    if (MyStyle.TrackFillKind == 99)
        FullRefresh = true;
    if (!Background || Width() * Height() != LastSize || FullRefresh) {
        if (!RebuildBackground())
            return;
    }
    const platform::PicturePtr knob = Knob();
    if (knob) {
        const platform::Window* window = TrueWindow();
        DrawKnob(*knob, window && window->Focus() == this);
    }
    platform::PicturePtr buffer =
        platform::Picture::New(std::max(1, Width()), std::max(1, Height()));
    platform::Graphics& bg = buffer->Graphics();
    DrawBackground(bg);
    bg.DrawPicture(*Background, 0, 0);
    if (knob) {
        const auto at = static_cast<std::int32_t>(RealValue);
        if (isVertical())
            bg.DrawPicture(*knob, (Width() - knob->Width()) / 2, at);
        else
            bg.DrawPicture(*knob, at, (Height() - knob->Height()) / 2);
    }
    g.DrawPicture(*buffer, 0, 0);
}
