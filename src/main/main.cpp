#include "app/app.h"
#include "app/file_types.h"
#include "app/gui/menu_bar.h"
#include "platform/application.h"
#include "platform/dispatch.h"
#include "platform/widgets/menubar_view.h"
#include "platform/widgets/qt_dialogs.h"
#include "platform/widgets/window.h"
#include "windows/info/message_window.h"
#include "windows/main/main_window.h"
#include "windows/main/refusal_sink.h"

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

    // A run with arguments is batch mode, run by scripts: its standard error carries the
    // tool's messages only, not Qt's notes on the environment (XDG_RUNTIME_DIR unset under
    // sudo or cron, missing fonts). Dropping them beats setting XDG_RUNTIME_DIR ourselves,
    // which would make a folder the user did not ask for and hide nothing else.
    if (args.size() > 1)
        platform::QuietQtMessages();

    FileTypes1::Initialize();
    // The application object is never destroyed: its teardown does nothing a finished run
    // needs, and under the offscreen platform it even loads the font configuration only to
    // free it again, about 90 ms after a batch job's files are already in place. It stays
    // reachable through this pointer, so leak checkers do not report it.
    static QApplication* const app = new QApplication(argc, argv);
    (void)app;
    MenuBar1::Instance();
    platform::SetUpWindowMode();
    // Quitting, from the menu or the main window's close box, asks every window of ours.
    App::SetWindowCloser([] { return platform::CloseAllWindows(platform::Window::Main()); });
    platform::SetQuitHandler([] { App::Quit(App::kExitOk); });
    // Notices that the user may switch off go to the message window from now on.
    InstallMessageWindow();
    // A refused "Smart" job points at the output height in the main window.
    InstallSmartRefusalSink();
    // A failure that leaves an event handler: the report decides whether the program ends.
    platform::SetExceptionReport([](const std::exception& failure) {
        const App::ReportOutcome outcome = App::ReportException(failure, std::cerr);
        if (outcome.exitStatus)
            QCoreApplication::exit(*outcome.exitStatus);
    });
    // Window mode: the main window is built and shown on first use, then the loop runs until
    // the program quits.
    App::SetMainWindowOpener([] {
        MainWindow::Instance();
        return QApplication::exec();
    });
    return App::Run(args, std::cout, std::cerr);
}
