#pragma once

#include "platform/clock.h"
#include "platform/color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The settings file "Config.ini": its values, its writer and its key reader.
namespace INI_Read_Write {

inline bool No_Write_Config = false;
inline std::string Open_directory;
inline std::string Save_directory;
inline std::string Lang = "EN";
inline bool Latest_Version = true;
inline bool AutoUpdate = true;
/// Day of the last update check; none until the main window opens.
inline std::optional<platform::DateTime> LastCheck;
inline bool UpdateLater = false;
inline std::string Software_Version;

/// Restores the built-in values of this module's settings (tests).
void ResetSettings();

/// True exactly for "1".
bool Str2Bool(std::string_view text) noexcept;
/// "1" or "0".
std::string Bool2Str(bool value);
/// "#" and red, green and blue as two upper-case hexadecimal digits each ("#0A0B0C").
std::string FormatColor(platform::Color c);
/// Reads a colour text: the first "#", then the first "&c", then the first "&h" are removed
/// (case ignored) and the first six characters left are read as one hexadecimal number
/// 0xRRGGBB; reading stops at the first character that is no hexadecimal digit.
platform::Color ReadColor(std::string_view text);

/// The value of `key` in `section` of a settings text, or `defaultValue`. Lines may end in
/// CR, LF or CR LF; ";" in the first column starts a comment; a section line may carry a key
/// after its "]"; keys and sections ignore case; one blank on each side of "=" is accepted;
/// the first matching line wins and its value is returned as it stands.
std::string GetConfigEntry(std::string_view settingsText, std::string_view key,
                           std::string_view section, std::string_view defaultValue = {});

/// The list of suppressed messages as the file writes it: each element and "*" ("0*1*5*").
std::string FormatRunOnce(const std::vector<std::int32_t>& list);
/// Reads the file's value back: the leading number of the first field becomes element 0,
/// each later field whose leading number is above 0 is appended.
std::vector<std::int32_t> ParseRunOnce(std::string_view value);
/// True when `list` suppresses message `id`: element 0 is 1 (every message window off), or
/// `id` stands at index 1 or later.
bool IsSuppressed(const std::vector<std::int32_t>& list, std::int32_t id);

/// What the writer reads of the main window; the window implements it, tests fill it.
struct MainWindowFields {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int screenAvailableWidth = 0;
    int screenAvailableHeight = 0;
    bool resizeSkinChecked = false;
    bool macChecked = false;
    std::string widthOutputText;
    std::string heightOutputText;
    bool operator==(const MainWindowFields&) const = default;
};

/// Every value the settings file holds, in the order of its lines.
struct ConfigValues {
    MainWindowFields window;
    std::string openDirectory;
    std::string saveDirectory;
    bool noFontChange = false;
    platform::Color changeColor;
    std::vector<std::int32_t> runOnce;
    platform::Color borderColor;
    platform::Color browserColor;
    std::string browserPicture;
    bool oldRenderer = true;
    bool windowOpen = true;
    std::string lang;
    bool latestVersion = true;
    bool autoUpdate = true;
    std::optional<platform::DateTime> lastCheck;
    bool updateLater = false;
    std::string softwareVersion;
    bool operator==(const ConfigValues&) const = default;
};

/// The whole text of the settings file, each key under its section: 27 lines joined by `lineEnd`,
/// no terminator after the last. Nothing when a value cannot be written (no date of the last update
/// check).
std::optional<std::string> ComposeConfig(const ConfigValues& values, std::string_view lineEnd);

/// Reads the values of a settings text back, key by key as GetConfigEntry finds them, so that
/// a missing key reads as the empty text: booleans are true only for "1", colours read by
/// ReadColor, X and Y are the leading number (0 when there is none), an empty RunOnce is an
/// empty list, LastUpdate is read by LastCheckDate against `today`, other values stand as
/// written. Maximize and Old_Renderer are not read back: those fields, and the window's size
/// and the screen's, keep their built-in values.
ConfigValues ReadConfig(std::string_view settingsText, const platform::DateTime& today);

/// The date of the last update check from the settings text: a text with a dot (an old form)
/// is one month before `today` (the day kept, or the last of that month), so that a check is
/// due; else the SQL date "YYYY-MM-DD"; a text that is neither, or no real date, is `today`.
platform::DateTime LastCheckDate(std::string_view text, const platform::DateTime& today);

/// "Config.ini" in the folder "Malvoren Tool" of the user's preferences folder.
std::string ConfigPath();

/// The whole text of the settings file, or the empty text when there is none or it cannot be
/// read (a file over 1 MiB is not read).
std::string ConfigText();

/// Writes the settings file from this module's values, the job options and `window`, unless
/// `No_Write_Config` is true or the text cannot be composed. The text is composed in full and
/// written beside the file, then renamed over it, so a failure never loses the old file; it
/// is reported once per run in a message box.
void WriteConfig(const MainWindowFields& window);

/// For tests: the next failure to write is reported again.
void ResetWriteFailureReport();

}  // namespace INI_Read_Write
