#pragma once

#include "kit/toggles/tooltip_paint.h"
#include "kit/toggles/ui_tooltiptimer.h"
#include "platform/widgets/overlay.h"

#include <cstdint>
#include <memory>
#include <string>

/// The kit's balloon tooltip: a rounded dark balloon with bold white text and a pointer below
/// its middle, in a borderless window of its own that fades in, stays for a number of
/// seconds, fades out and closes. A click on it starts the fade-out at once. It is painted
/// once, when shown; fading only changes the window's opacity. Dropping the object removes
/// the window at once.
class UI_Tooltip : public platform::OverlayWindow {
public:
    using Style = kit::TooltipStyle;

    /// The overlay window at a screen rectangle, hidden until shown. The two flags of the
    /// original overlay (no activation, top-most) are how every overlay behaves here.
    UI_Tooltip(int left, int top, int width, int height, bool windowsNoActivate = false,
               bool windowsTopMost = true);
    ~UI_Tooltip() override;

    /// One look for every tooltip, rewritten with the built-in values by every Show.
    static inline Style MyStyle;

    /// Shows `text` in a balloon centred above the screen point (x, y): sized to the text
    /// when `autoSize` is true (then `width` and `height` are ignored), painted, placed,
    /// shown fully transparent, and faded in; `displayTime` seconds of full visibility, 0 or
    /// less until clicked.
    void Show(const std::string& text, int x, int y, int width, int height, bool autoSize,
              std::int32_t displayTime);
    /// Builds the window's picture and mask for a balloon of width × height plus its pointer.
    void Paint(const std::string& text, int width, int height);
    /// Starts the fade-out at once. A tooltip that was never shown has no fade to end and
    /// is left as it is.
    void CloseSmooth();

    /// The fade timer of the last Show, or nullptr.
    UI_TooltipTimer* FadeTimer() const noexcept { return myTimer.get(); }

protected:
    void DrawTexture(platform::Graphics& g, std::int32_t index);

    std::unique_ptr<UI_TooltipTimer> myTimer;
};
