#pragma once

#include "windows/info/update_rules.h"

#include <string>

namespace platform {
class Window;
}

namespace updatecheck {

/// The running tool's version, as the build fixed it.
LocalVersion CurrentVersion();

/// Requests the update description from the update server (80-second time-out): the reply
/// body, or "" when the request failed or timed out.
std::string FetchDescription();

/// The settings values that the checks change, read from and written to the settings module.
Settings CurrentSettings();
void StoreSettings(const Settings& settings);

/// The start-up check, which the main window runs inside its opening when a check is due:
/// silent unless a release is offered. Not connected, nothing happens. Otherwise it reads the
/// update description and, when the release is newer than `local` or its notes hold the
/// "Downgrade" marker, asks "Download" or "Later" in the update dialog (key "New Version"),
/// opening the download address for "Download". It then records the settings: no release
/// offered, or not, "Later", and the time of the check. Every failure ends it quietly where
/// it happens, keeping what was set before (a reply that cannot be compared leaves
/// `Latest_Version` true and the time of the last check as it was). `parent` is the window
/// the dialog belongs to.
void Check(platform::Window* parent, const LocalVersion& local = CurrentVersion());

}  // namespace updatecheck
