#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace platform {

ScreenArea MainScreen() {
    if (const char* forced = std::getenv("MALVOREN_SCREEN")) {
        int w = 0;
        int h = 0;
        char rest = 0;
        if (std::sscanf(forced, "%dx%d%c", &w, &h, &rest) == 2 && w > 0 && h > 0)
            return ScreenArea{w, h, w, h};
    }
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

}  // namespace platform
