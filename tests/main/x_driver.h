#pragma once
// Driving the real program on an X server with xdotool, as a user would: finding its windows,
// clicking, typing, and screenshots of the whole screen for a person to look at.
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

}  // namespace xdriver
