#include "kit/base/lite_progress_wheel.h"

#include "platform/checked.h"
#include "platform/graphics.h"

namespace {

struct Square {
    int x;
    int y;
};

// Clockwise from the top.
constexpr Square kSquares[8] = {{6, 0},  {10, 2}, {12, 6}, {10, 10},
                                {6, 12}, {2, 10}, {0, 6},  {2, 2}};

constexpr platform::Color kGreys[8] = {
    {0xC3, 0xC1, 0xBD}, {0xB6, 0xB4, 0xB0}, {0xAA, 0xA8, 0xA4}, {0x9D, 0x9B, 0x97},
    {0x90, 0x8E, 0x8A}, {0x83, 0x81, 0x7D}, {0x77, 0x75, 0x71}, {0x6A, 0x68, 0x64},
};

}  // namespace

LiteProgressWheel::LiteProgressWheel(QWidget* parent)
    : Canvas(parent) {
    RedrawTimer = std::make_unique<LiteProgressWheelTimer>(this);
}

LiteProgressWheel::~LiteProgressWheel() = default;

void LiteProgressWheel::Refresh(bool eraseBackground) {
    if (RedrawTimer->Mode() < platform::Timer::kModeMultiple)
        RedrawTimer->SetMode(platform::Timer::kModeMultiple);
    Value = Value - 1;
    Canvas::Refresh(eraseBackground);
}

void LiteProgressWheel::DrawSquare(platform::Graphics& g, std::int32_t x, std::int32_t y) {
    g.DrawLine(x + 1, y, x + 2, y);
    g.DrawLine(x, y + 1, x + 3, y + 1);
    g.DrawLine(x, y + 2, x + 3, y + 2);
    g.DrawLine(x + 1, y + 3, x + 2, y + 3);
}

void LiteProgressWheel::Event_Open() {
    for (const Square& s : kSquares) {
        Xval.push_back(s.x);
        Yval.push_back(s.y);
    }
    FaceColor.assign(std::begin(kGreys), std::end(kGreys));
}

void LiteProgressWheel::Event_Paint(platform::Graphics& g) {
    for (int i = 0; i <= 7; ++i) {
        if (Value > 7)
            Value = 0;
        else if (Value < 0)
            Value = 7;
        g.ForeColor = platform::At(FaceColor, Value);
        DrawSquare(g, platform::At(Xval, i), platform::At(Yval, i));
        Value = Value + 1;
    }
}

LiteProgressWheelTimer::LiteProgressWheelTimer(LiteProgressWheel* wheel)
    : Reference(wheel) {
    SetPeriod(168);
    SetMode(kModeMultiple);
    if (wheel && wheel->Visible())
        SetEnabled(true);
}

void LiteProgressWheelTimer::Event_Action() {
    LiteProgressWheel* wheel = owner();
    if (wheel && wheel->Visible())
        wheel->Refresh(false);
}
