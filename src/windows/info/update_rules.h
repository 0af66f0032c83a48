#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The rules of the update check, kept apart from its windows and its network request: reading
/// the update description, choosing the release notes, comparing versions, the update dialog
/// and what each outcome leaves in the update settings.
namespace updatecheck {

/// The path of the update description on the update server.
inline constexpr std::string_view kDescriptionPath = "/Malvoren/version.txt";
/// Seconds the request for the description may take.
inline constexpr int kTimeoutSeconds = 80;

/// The running tool's three version numbers.
struct LocalVersion {
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t bug = 0;
};

/// What the check reads of the update description.
struct Description {
    /// Field 1, unchanged: the offered version, shown in the dialog as it stands.
    std::string version;
    /// Field 2: the download address.
    std::string address;
    /// The chosen release notes, beginning with the line terminator.
    std::string notes;
};

/// Reads the description's fields (separated by "*", numbered from 1, a missing field empty)
/// and chooses the notes for `lang`: field 3 for every language, field 5 for "Français" when
/// field 4 holds "FR", field 7 for "Italiano" when field 6 holds "IT" (names and tags in any
/// case; a tagged field is chosen even when empty). The notes begin with `lineEnd`.
Description ReadDescription(std::string_view reply, std::string_view lang,
                            std::string_view lineEnd);

/// True when the notes hold "Downgrade" in any case: the release is offered whatever its
/// version.
bool HasDowngradeMarker(std::string_view notes) noexcept;

/// Whether the offered version (parts separated by ".", each read as its leading number, none
/// being 0) is above `local`, comparing the major, then the minor, then the bug-fix number,
/// each only when the parts before it are equal. Nothing when the comparison reaches a part
/// that the field does not have (an empty field has none).
std::optional<bool> IsNewer(std::string_view versionField, const LocalVersion& local);

/// The update dialog: question icon, "Download" and "Later" (through the language), no cancel
/// button; the message is the translated `key`, the version field and message 25, the
/// explanation message 26, the line terminator and the notes.
platform::MessageDialogSpec UpdateDialog(const Description& description, std::string_view key);

/// The settings that the checks read and write.
struct Settings {
    bool latestVersion = true;
    bool updateLater = false;
    std::optional<platform::DateTime> lastCheck;
};

/// How a check came out before the user answered.
enum class Verdict {
    /// The reply was empty, or its version field too short for the comparison.
    Failed,
    NotNewer,
    /// Newer, or offered because of the marker: the update dialog is shown.
    Offered,
};

/// The user's answer to the update dialog.
enum class Answer { None, Download, Later };

/// Judges a reply: Offered with the marker; else the comparison's outcome, Failed when it
/// could not be made.
Verdict Judge(const Description& description, const LocalVersion& local);

/// The settings after the start-up check. Failed: the comparison had begun, so
/// `latestVersion` is true and nothing else changes. Not newer: `latestVersion` true and the
/// check's time recorded. Offered: `latestVersion` false, `updateLater` from the answer, the
/// time recorded after the dialog.
Settings AfterStartupCheck(Settings before, Verdict verdict, Answer answer,
                           const platform::DateTime& now);

/// The settings after the update window's check of a reply that is not empty. Without the
/// marker the time is recorded before the comparison (so also when it fails); not newer also
/// clears `updateLater` and sets `latestVersion`; an offer clears `latestVersion` and takes
/// `updateLater` from the answer, and with the marker leaves the time as it was.
Settings AfterWindowCheck(Settings before, Verdict verdict, bool marker, Answer answer,
                          const platform::DateTime& now);

}  // namespace updatecheck
