#pragma once

namespace platform {

struct ScreenSize {
    int width;
    int height;
};

/// The size of the main screen: MALVOREN_SCREEN=WxH when set (tests), else the primary
/// screen's available area, else 1280 x 800 when there is no screen at all.
ScreenSize MainScreenSize();

}  // namespace platform
