#pragma once

#include "platform/color.h"
#include "platform/widgets/canvas.h"

#include <cstdint>

/// The common base of the push button, the menu button and the pop-up menu: their Open, the
/// background they paint over, and the colour helpers of their paints.
class UI_Control : public platform::Canvas {
public:
    explicit UI_Control(QWidget* parent = nullptr);
    ~UI_Control() override;

    /// Declared for the subclasses' layouts; the base neither reads nor writes it.
    bool FullRefresh = false;
    /// Painted by DrawBackground when HasBackColor is true.
    platform::Color BackColor{0, 0, 0};
    bool HasBackColor = false;

protected:
    /// The canvas's Open: raises the control's own Open (Event_ControlOpen) once.
    void Event_Open() final;
    /// UI_Control's own Open event, which the button, menu button and pop-up menu handle (and
    /// then raise their Open to the window). A class that does not handle it is one that
    /// should not exist: it gets a message box saying so.
    virtual void Event_ControlOpen();

    /// Paints the whole of g with the control's background: BackColor, or the window's colour
    /// (GetWindowColor) with the slice of the window's backdrop that lies under the control.
    void DrawBackground(platform::Graphics& g);
    /// The back colour of the control's window when it has one, else 0xEDEDED.
    virtual platform::Color GetWindowColor();
    /// The mask grey for a transparency in percent: trunc(percent × 255 / 100).
    static platform::Color TransparentColor(std::int32_t percent);
    /// The grey of the colour's luma, trunc(0.2989 r + 0.587 g + 0.114 b): white gives 254.
    static platform::Color ToGray(platform::Color c);
    /// c1 × (1 − ratio) + c2 × ratio per channel, single-precision weights, truncated.
    static platform::Color mixColor(platform::Color c1, platform::Color c2, float ratio);
};
