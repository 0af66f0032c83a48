#pragma once

#include "platform/clock.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The application object: start-up, the choice between window mode and batch mode, the debug
/// log and the report of failures that no handler caught.
namespace App {

/// Debug mode: on once an item of the application's folder has "debug.txt" in its name.
inline bool Debug = false;

/// For tests: debug mode off, no main window opener.
void ResetState();

/// Looks at the items of the application's folder in order and turns debug mode on at the
/// first whose name contains "debug.txt", case ignored (files and folders alike).
void DetectDebugMode();

/// "Log_", the year, "-", the month without a leading zero, ".txt".
std::string DebugLogName(const platform::DateTime& when);

/// In debug mode, appends one line to the debug log of the current month in the application's
/// folder: the SQL date and time, " # ", `text`. A log that cannot be written is skipped: it is
/// a diagnostic aid and never stops the tool.
void DebugLog(std::string_view text);

/// How the run goes on after the report of an unhandled failure.
struct ReportOutcome {
    /// The exit status to end the program with; nothing when the user chose "Continue".
    std::optional<int> exitStatus;
};

/// The report of a failure that no handler caught: three records in the job log, then the
/// message (entry 49 of the message table) with the failure's text and its stack, in a dialog
/// offering "Quit" (exit status 0) and "Continue". In a headless run the text goes to `err`
/// and the program ends with status 2.
ReportOutcome Event_UnhandledException(const std::string& message,
                                       const std::vector<std::string>& stack, std::ostream& err);
/// The same for a caught C++ exception: its text and its kind as the stack.
ReportOutcome ReportException(const std::exception& failure, std::ostream& err);

/// Shows the main window and runs the event loop until the program quits; returns the exit
/// status. main() installs it once the windows exist.
using MainWindowOpener = std::function<int()>;
void SetMainWindowOpener(MainWindowOpener opener);

/// Ends the program with `status`: the installed window closer closes every window of ours
/// (the others front to back, the main window last, each told that the application quits),
/// and when none refuses, the event loop ends with `status`. A refusal keeps the program
/// running. While a job runs, the job is ended at its next yield and the quit is tried again
/// once the loop is back, so that nothing closes under the job's feet.
void Quit(int status);
/// Installs what Quit runs to close the windows (true when all closed); main() installs it
/// once the windows exist. Returns the previous one.
using WindowCloser = std::function<bool()>;
WindowCloser SetWindowCloser(WindowCloser closer);

/// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoWindow = 1;
inline constexpr int kExitUnhandled = 2;

/// The usage text a run prints where the main window cannot open.
std::string UsageText();

/// The whole start: sets the line terminator, decides debug mode, then runs batch mode unless
/// the command line is empty or carries the desktop marker, and opens the main window when
/// batch mode does not end the run. `args` is argv (args[0] the program's path). Returns the
/// exit status: 0 after a successful batch run, 1 where the main window cannot open (headless,
/// or not built), 2 after an unhandled failure in a headless run. Batch mode's messages go
/// through the dialogs provider; `out` receives nothing.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace App
