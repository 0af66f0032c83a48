#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

// MALVOREN_SCREEN=WxH, when it is set and readable.
bool ForcedSize(int& w, int& h) {
    const char* forced = std::getenv("MALVOREN_SCREEN");
    char rest = 0;
    return forced && std::sscanf(forced, "%dx%d%c", &w, &h, &rest) == 2 && w > 0 && h > 0;
}

}  // namespace

ScreenArea MainScreen() {
    int w = 0;
    int h = 0;
    if (ForcedSize(w, h))
        return ScreenArea{w, h, w, h};
    if (QGuiApplication::instance()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect full = screen->geometry();
            const QRect area = screen->availableGeometry();
            return ScreenArea{full.width(), full.height(), area.width(), area.height()};
        }
    }
    return ScreenArea{1280, 800, 1280, 800};
}

ScreenSize MainScreenSize() {
    const ScreenArea screen = MainScreen();
    return ScreenSize{screen.availableWidth, screen.availableHeight};
}

ScreenRect AvailableArea() {
    int w = 0;
    int h = 0;
    if (ForcedSize(w, h))
        return ScreenRect{0, 0, w, h};
    if (QGuiApplication::instance()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            return ScreenRect{area.left(), area.top(), area.width(), area.height()};
        }
    }
    return ScreenRect{0, 0, 1280, 800};
}

}  // namespace platform
