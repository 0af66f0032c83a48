#pragma once

#include "platform/timer.h"
#include "platform/weakref.h"

#include <cstdint>

class UI_Tooltip;

/// Drives one shown tooltip: raises its window's opacity by 0.1 every 20 ms until it reaches
/// 1, holds it for the display time (without limit for a display time of 0 or less), lowers
/// it by 0.1 every 20 ms and closes the window once it is below 0.1. `Close` switches to the
/// fade-out at any time. The tooltip owns its timer; the timer refers to the tooltip only
/// weakly, so that dropping the tooltip ends both.
class UI_TooltipTimer : public platform::Timer {
public:
    /// An idle timer: period 20 ms, off.
    explicit UI_TooltipTimer(UI_Tooltip* owner);

    /// Starts (or resumes) the fade-in; the display time is in seconds.
    void Open(std::int32_t displayTime);
    /// Starts the fade-out from the opacity the window has. Leaves the period alone:
    /// `UI_Tooltip::CloseSmooth` sets it to 20 ms first.
    void Close();

    /// True from the end of the fade-in on (through the display time and the fade-out).
    bool Closing() const noexcept { return m_closing; }
    std::int32_t DisplayTime() const noexcept { return m_displayTime; }

protected:
    void Event_Action() override;

private:
    /// The tooltip, or nullptr once it is gone.
    UI_Tooltip* owner() const noexcept { return m_reference.Value(); }

    bool m_closing = false;
    platform::WeakRef<UI_Tooltip> m_reference;
    std::int32_t m_displayTime = 0;
};
