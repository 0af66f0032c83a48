#include "app/app.h"

#include "app/batch.h"
#include "app/command_line.h"
#include "engine/xml/skin_file.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/dispatch.h"
#include "platform/event_yield.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <QCoreApplication>
#include <QTimer>

#include <exception>
#include <ostream>

namespace App {
namespace {

MainWindowOpener& Opener() {
    static MainWindowOpener opener;
    return opener;
}

WindowCloser& Closer() {
    static WindowCloser closer;
    return closer;
}

int OpenMainWindow(std::ostream& err) {
    if (platform::IsHeadless()) {
        err << "malvoren: no display, so the main window cannot open; nothing was resized.\n"
            << UsageText();
        return kExitNoWindow;
    }
    if (!Opener()) {
        err << "malvoren: the main window is not available in this build; nothing was "
               "resized.\n"
            << UsageText();
        return kExitNoWindow;
    }
    return Opener()();
}

}  // namespace

void ResetState() {
    Debug = false;
    Opener() = nullptr;
    Closer() = nullptr;
}

void SetMainWindowOpener(MainWindowOpener opener) {
    Opener() = std::move(opener);
}

WindowCloser SetWindowCloser(WindowCloser closer) {
    auto previous = std::move(Closer());
    Closer() = std::move(closer);
    return previous;
}

void Quit(int status) {
    if (platform::JobRunning()) {
        platform::RequestKill();
        QTimer::singleShot(0, [status] { platform::Dispatch([status] { Quit(status); }); });
        return;
    }
    if (Closer() && !Closer()())
        return;
    QCoreApplication::exit(status);
}

std::string UsageText() {
    return "Usage: malvoren -w WIDTH [-h HEIGHT] -r simple|border|browser|smart "
           "[-bfontsize SIZE] [-nostop] INPUT.xml OUTPUT.xml\n"
           "Relative skin names are looked up in the folder of the program.\n";
}

void DetectDebugMode() {
    const platform::FolderItem folder = platform::AppFolder();
    if (!folder.Exists())
        return;
    const long long count = folder.Count();
    for (long long i = 1; i <= count; ++i) {
        platform::Yield();
        if (platform::InStr(folder.Item(i).Name(), "debug.txt") > 0) {
            Debug = true;
            return;
        }
    }
}

std::string DebugLogName(const platform::DateTime& when) {
    return "Log_" + platform::Str(static_cast<long long>(when.year)) + "-" +
           platform::Str(static_cast<long long>(when.month)) + ".txt";
}

void DebugLog(std::string_view text) {
    if (!Debug)
        return;
    const platform::DateTime now = platform::Now();
    const platform::FolderItem file = platform::AppFolder().Child(DebugLogName(now));
    try {
        platform::AppendToFile(file.Path(),
                               now.SQLDateTime() + " # " + std::string(text) + Variables::RC);
    } catch (const platform::RuntimeException&) {
        // Dropped: the debug log only helps to diagnose, it never stops a start.
    }
}

ReportOutcome Event_UnhandledException(const std::string& message,
                                       const std::vector<std::string>& stack, std::ostream& err) {
    // The job log never stops the report: it falls back to the user's data folder and drops
    // what it cannot write.
    Variables::JobLog log;
    Variables::LogException(log, {"Unhandeld Exception", "--"});
    const std::string& rc = Variables::RC;
    platform::MessageDialogSpec dialog;
    dialog.message = Language::Messages[49];
    dialog.explanation = message + rc + rc + "Please send this information to the developer." + rc +
                         platform::Join(stack, rc);
    dialog.actionCaption = "Quit";
    dialog.cancelCaption = "Continue";
    if (platform::IsHeadless()) {
        err << dialog.message << '\n' << dialog.explanation << '\n';
        return {kExitUnhandled};
    }
    if (platform::CurrentDialogs().ShowMessageDialog(dialog) == platform::DialogButton::Cancel)
        return {};
    return {kExitOk};
}

ReportOutcome ReportException(const std::exception& failure, std::ostream& err) {
    const auto* runtime = dynamic_cast<const platform::RuntimeException*>(&failure);
    return Event_UnhandledException(failure.what(),
                                    {runtime ? runtime->KindName() : "std::exception"}, err);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    (void)out;  // batch mode writes nothing to standard output
    Variables::RC = "\n";
    try {
        DetectDebugMode();
        if (Debug) {
            DebugLog("------------------------------");
            DebugLog("Open Tarquell");
        }
        const std::string commandLine = CommandLineFromArgs(args);
        // No argument at all is the desktop start, as the marker of the original platform.
        if (args.size() > 1 && !IsDesktopLaunch(commandLine) && ParseCommand(commandLine))
            return kExitOk;
    } catch (const std::exception& failure) {
        const ReportOutcome outcome = ReportException(failure, err);
        if (outcome.exitStatus)
            return *outcome.exitStatus;
        // "Continue" after a failure during start-up: the main window opens, so that the
        // program never stays running with nothing on screen.
    }
    return OpenMainWindow(err);
}

}  // namespace App
