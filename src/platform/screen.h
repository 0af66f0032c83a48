#pragma once

namespace platform {

struct ScreenSize {
    int width;
    int height;
};

/// The main screen's full size and its available area (without panels and docks).
struct ScreenArea {
    int width;
    int height;
    int availableWidth;
    int availableHeight;
};

/// A rectangle of the screen, in screen coordinates.
struct ScreenRect {
    int left;
    int top;
    int width;
    int height;
};

/// The main screen: MALVOREN_SCREEN=WxH sets the full and the available size alike (tests,
/// runs under Xvfb); else the primary screen; else 1280 x 800 when there is no screen at all.
ScreenArea MainScreen();

/// The size of the main screen: MALVOREN_SCREEN=WxH when set (tests), else the primary
/// screen's available area, else 1280 x 800 when there is no screen at all.
ScreenSize MainScreenSize();

/// Where windows may go on the main screen: the whole of MALVOREN_SCREEN from 0, 0 when it is
/// set, else the primary screen's available area (without panels and docks), else 1280 x 800.
ScreenRect AvailableArea();

}  // namespace platform
