#include "kit/base/ui_control.h"

#include "kit/base/control_drawing.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/widgets/window.h"

#include <algorithm>
#include <cmath>

namespace {

using platform::Color;

int Channel(double v) {
    // Values outside 0..255 (a ratio outside 0..1, a percentage above 100) are limited.
    return static_cast<int>(std::clamp(std::trunc(v), 0.0, 255.0));
}

Color Grey(int v) {
    return platform::RGB(v, v, v);
}

}  // namespace

UI_Control::UI_Control(QWidget* parent)
    : Canvas(parent) {
}

UI_Control::~UI_Control() = default;

void UI_Control::Event_Open() {
    Event_ControlOpen();
}

void UI_Control::Event_ControlOpen() {
    const platform::Window* owner = TrueWindow();
    platform::MsgBox(Name() + " on " + (owner ? owner->Title() : std::string()) +
                     " is a UI_Control.\nThis class is not meant to be used directly.\n"
                     "Please use a UI_Button or UI_PopupMenu.");
}

void UI_Control::DrawBackground(platform::Graphics& g) {
    if (HasBackColor) {
        g.ForeColor = BackColor;
        g.FillRect(0, 0, g.Width(), g.Height());
        return;
    }
    g.ForeColor = GetWindowColor();
    g.FillRect(0, 0, g.Width(), g.Height());
    const platform::Window* owner = TrueWindow();
    if (!owner || !owner->Backdrop())
        return;
    const platform::Picture& backdrop = *owner->Backdrop();
    // Only the top-left corner is tested; a negative position passes.
    if (Left() < backdrop.Width() && Top() < backdrop.Height())
        g.DrawPicture(backdrop, 0, 0, Width(), Height(), Left(), Top(), Width(), Height());
}

Color UI_Control::GetWindowColor() {
    const platform::Window* owner = TrueWindow();
    if (owner && owner->HasBackColor())
        return owner->BackColor();
    return kit::kWindowGrey;
}

Color UI_Control::TransparentColor(std::int32_t percent) {
    const std::int64_t product = static_cast<std::int64_t>(percent) * 255;
    return Grey(Channel(static_cast<double>(product) / 100));
}

Color UI_Control::ToGray(Color c) {
    return kit::ToGray(c);
}

Color UI_Control::mixColor(Color c1, Color c2, float ratio) {
    if (ratio == 0)
        return c1;
    const float u = static_cast<float>(1.0 - static_cast<double>(ratio));
    auto mix = [&](int a, int b) {
        return Channel(a * static_cast<double>(u) + b * static_cast<double>(ratio));
    };
    return platform::RGB(mix(c1.r, c2.r), mix(c1.g, c2.g), mix(c1.b, c2.b));
}
