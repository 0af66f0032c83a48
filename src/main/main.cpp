#include "platform/dialogs.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    // Without a display, run headless so that the tool works over SSH and in scripts.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    std::cerr << "malvoren: usage: malvoren -w WIDTH -h HEIGHT -r METHOD input.xml output.xml\n";
    return 1;
}
