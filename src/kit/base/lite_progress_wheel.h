#pragma once

#include "platform/color.h"
#include "platform/timer.h"
#include "platform/weakref.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <memory>
#include <vector>

class LiteProgressWheelTimer;

/// The kit's busy indicator: eight grey squares in a 16 × 16 ring whose shading turns one
/// square clockwise at each Refresh. Windows show it with Visible true and Refresh(true) and
/// hide it with Visible false; its timer steps it every 168 ms while it is visible.
class LiteProgressWheel : public platform::Canvas {
public:
    explicit LiteProgressWheel(QWidget* parent = nullptr);
    ~LiteProgressWheel() override;

    /// The phase: the index into FaceColor of square 0's grey; brought into 0..7 by painting.
    std::int32_t Value = 0;
    /// Left x and top y of each square's 4 × 4 cell, in square order (from the Open handler).
    std::vector<std::int32_t> Xval;
    std::vector<std::int32_t> Yval;
    /// The eight greys, lightest first (from the Open handler).
    std::vector<platform::Color> FaceColor;

    /// Sets the timer to multiple mode when it is below, lowers the phase by one, then asks
    /// for a repaint: every call advances the shading one step, whoever makes it.
    void Refresh(bool eraseBackground = true) override;
    /// Draws the 4 × 4 cell at (x, y) less its corners, in g's fore colour.
    void DrawSquare(platform::Graphics& g, std::int32_t x, std::int32_t y);

    const LiteProgressWheelTimer& Timer() const noexcept { return *RedrawTimer; }

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;

    std::unique_ptr<LiteProgressWheelTimer> RedrawTimer;
};

/// Steps its wheel every 168 ms while the wheel is visible. It refers to the wheel only
/// weakly, so a firing after the wheel is gone does nothing.
class LiteProgressWheelTimer : public platform::Timer {
public:
    explicit LiteProgressWheelTimer(LiteProgressWheel* wheel);

    /// The wheel, or nullptr once it is gone.
    LiteProgressWheel* owner() const noexcept { return Reference.Value(); }

protected:
    void Event_Action() override;

private:
    platform::WeakRef<LiteProgressWheel> Reference;
};
