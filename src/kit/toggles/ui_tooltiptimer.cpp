#include "kit/toggles/ui_tooltiptimer.h"

#include "kit/toggles/ui_tooltip.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kStepMs = 20;
constexpr double kStep = 0.1;

// The display time in milliseconds. Formed in 64 bits: a display time above 2,147,483
// seconds would overflow 32 bits and come out negative. Such a time is held as long as a
// timer period can be.
int DisplayPeriod(std::int32_t seconds) {
    const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
    return static_cast<int>(std::min<std::int64_t>(ms, std::numeric_limits<int>::max()));
}

}  // namespace

UI_TooltipTimer::UI_TooltipTimer(UI_Tooltip* owner)
    : m_reference(owner) {
    SetPeriod(kStepMs);
    SetMode(kModeOff);
}

void UI_TooltipTimer::Open(std::int32_t displayTime) {
    m_closing = false;
    SetMode(kModeMultiple);
    m_displayTime = displayTime;
}

void UI_TooltipTimer::Close() {
    m_closing = true;
    SetMode(kModeMultiple);
}

void UI_TooltipTimer::Event_Action() {
    // The tooltip owns its timer, so a tick without one cannot come; should it, the timer
    // simply stops.
    if (!owner()) {
        SetMode(kModeOff);
        return;
    }
    if (m_closing) {
        if (Period() > kStepMs)
            SetPeriod(kStepMs);
        if (owner()->Alpha() < kStep) {
            SetMode(kModeOff);
            owner()->Close();
            return;
        }
        owner()->SetAlpha(owner()->Alpha() - kStep);
    } else {
        if (!(owner()->Alpha() < 1)) {
            if (m_displayTime > 0) {
                SetPeriod(DisplayPeriod(m_displayTime));
                m_closing = true;
            } else {
                SetMode(kModeOff);
            }
            return;
        }
        owner()->SetAlpha(owner()->Alpha() + kStep);
    }
    owner()->Update();
}
