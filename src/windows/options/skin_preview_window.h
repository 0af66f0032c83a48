#pragma once

#include "platform/widgets/window.h"

#include <array>
#include <cstdint>

/// The last output skin at its real size: a borderless window as large as the output, at the
/// screen's top left, showing the composed picture. A red box marks where the host places its
/// logo, the skin's close button closes the window, a press anywhere else drags it, and a small
/// contextual menu toggles the logo box and puts the window back. Each press of "Preview Skin"
/// makes a new one.
class Skin_Preview_Window : public platform::Window {
public:
    Skin_Preview_Window();

    /// Makes a new preview and shows it; it deletes itself when it closes.
    static Skin_Preview_Window& OpenNew();

    /// The grab point of a drag: where the last plain press fell, in window pixels.
    std::int32_t X_pos = 0;
    std::int32_t Y_pos = 0;
    /// Elements 1 to 4: left, top, width and height of the logo box (element 0 unused).
    std::array<std::int32_t, 5> Logo{};
    /// Elements 1 to 4: left, top, width and height of the close area (element 0 unused).
    /// Named apart from Close(), which it would hide.
    std::array<std::int32_t, 5> Close_Area{};
    bool Show_Logo = true;

protected:
    void Layout() override;
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    bool Event_ConstructContextualMenu(platform::MenuItem& base, int x, int y) override;
    bool Event_ContextualMenuAction(platform::MenuItem& item) override;
};
