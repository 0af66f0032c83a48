#include "app/app.h"
#include "app/file_types.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The command line as typed: Qt removes the options it knows ("-style", "-platform", ...)
    // from argv when the application object is built.
    const std::vector<std::string> args(argv, argv + argc);

    // Without a display, run headless so that batch mode works over SSH and in scripts.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    FileTypes1::Initialize();
    QApplication app(argc, argv);
    return App::Run(args, std::cout, std::cerr);
}
