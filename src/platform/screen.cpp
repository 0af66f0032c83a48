#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace platform {

ScreenSize MainScreenSize() {
    if (const char* forced = std::getenv("MALVOREN_SCREEN")) {
        int w = 0;
        int h = 0;
        if (std::sscanf(forced, "%dx%d", &w, &h) == 2 && w > 0 && h > 0)
            return ScreenSize{w, h};
    }
    if (QGuiApplication::instance()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            return ScreenSize{area.width(), area.height()};
        }
    }
    return ScreenSize{1280, 800};
}

}  // namespace platform
