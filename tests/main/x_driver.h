#pragma once
// Driving the real program on an X server with xdotool, as a user would: finding its windows,
// clicking, typing, and screenshots of the whole screen for a person to look at; and the steps
// through the program's own windows that every such test takes.
#include <QProcess>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace xdriver {

/// Runs xdotool with `args`; its standard output, empty when it did not finish in time.
std::string Xdo(const QStringList& args);

/// A window on the X server: its id, its title and its frame.
struct XWindow {
    std::string id;
    std::string name;
    int x = 0, y = 0, width = 0, height = 0;
};

/// Every visible window.
std::vector<XWindow> VisibleWindows();
/// The first visible window so named (any name when empty; and that wide, when `width` is
/// given) that is not in `known`, waiting for it at most ten seconds.
std::optional<XWindow> WaitForWindow(const std::string& name, int width = 0,
                                     const std::set<std::string>& known = {});
/// Waits until the window `id` is no longer shown; false after ten seconds.
bool WaitUntilGone(const std::string& id);
/// Waits until the file at `path` holds `text`; false after ten seconds.
bool WaitForText(const std::filesystem::path& path, const std::string& text);
/// The ids of the visible windows.
std::set<std::string> Ids();
/// The whole screen, a moment after the last event, saved for inspection as `prefix` + `name`.
void Shot(const std::string& prefix, const std::string& name);

/// Clicks at `x`, `y` of the window's frame.
void ClickIn(const XWindow& w, int x, int y);

/// The program's main window: content coordinates are below its menu bar, whose height is
/// what the window has beyond its 376 rows of content.
struct MainWindowAt {
    XWindow w;
    int Bar() const;
    void Click(int x, int y) const;
};

/// Types `text` into the focused control.
void Type(const std::string& text);
/// Presses the keys, as xdotool names them ("Return", "ctrl+a").
void Keys(const QStringList& keys);

/// The real program (MALVOREN_EXE) on this X server, as on its first start: its settings
/// ("cfg"), data, runtime and own ("app") folders are new ones in `home`, it stays offline, and
/// it sees a screen of 1280 × 800 whatever the caller's environment says.
class Program {
public:
    explicit Program(const std::filesystem::path& home);
    /// Kills the program when it still runs.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool WaitForStarted() { return m_process.waitForStarted(); }
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
};

/// Passes the first start: answers the language box with Return, then closes the start-up
/// notice beside the main window with its "Ok". Unless `shotPrefix` is empty, each is shot while
/// it is shown ("1_press_f8_box", "2_first_start_with_notice"). The main window; none, with the
/// failure recorded, when a window did not come or did not go.
std::optional<XWindow> PassFirstStart(const std::string& shotPrefix = "");

/// Chooses `skin` as the input with "..." and the real file dialog, shot once the path is typed
/// ("3_file_dialog") unless `shotPrefix` is empty. False, with the failure recorded, when the
/// dialog did not come or did not go.
bool ChooseInput(const MainWindowAt& w, const std::filesystem::path& skin,
                 const std::string& shotPrefix = "");

/// Types the output file and the width on the Files page.
void FillFilesPage(const MainWindowAt& w, const std::filesystem::path& output,
                   const std::string& width);

enum class Resize { Simple, Smart };
/// Chooses the resize on the Resizing page and goes on to the recap on "Generating".
void ChooseResize(const MainWindowAt& w, Resize resize);

/// Presses "Do the Job" on the Generating page.
void DoTheJob(const MainWindowAt& w);

}  // namespace xdriver
