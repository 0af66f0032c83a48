#include "app/ini_read_write.h"

#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/run_once.h"
#include "platform/application.h"
#include "platform/atomic_file.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <QDate>

#include <algorithm>
#include <cctype>

namespace INI_Read_Write {
namespace {

int HexDigit(char c) noexcept {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string TwoHex(std::uint8_t v) {
    static const char kDigits[] = "0123456789ABCDEF";
    return {kDigits[v >> 4], kDigits[v & 0x0F]};
}

bool IsWhite(std::string_view s) {
    return platform::Trim(s).empty();
}

constexpr std::uintmax_t kMaxConfigBytes = 1024 * 1024;

bool& WriteFailureReported() {
    static bool reported = false;
    return reported;
}

}  // namespace

void ResetSettings() {
    No_Write_Config = false;
    Open_directory.clear();
    Save_directory.clear();
    Lang = "EN";
    Latest_Version = true;
    AutoUpdate = true;
    LastCheck.reset();
    UpdateLater = false;
    Software_Version.clear();
}

bool Str2Bool(std::string_view text) noexcept {
    return text == "1";
}

std::string Bool2Str(bool value) {
    return value ? "1" : "0";
}

std::string FormatColor(platform::Color c) {
    return "#" + TwoHex(c.r) + TwoHex(c.g) + TwoHex(c.b);
}

platform::Color ReadColor(std::string_view text) {
    std::string s = platform::Replace(text, "#", "");
    s = platform::Replace(s, "&c", "");
    s = platform::Replace(s, "&h", "");
    std::uint32_t value = 0;
    for (const char c : platform::Left(s, 6)) {
        const int d = HexDigit(c);
        if (d < 0)
            break;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return platform::RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::string GetConfigEntry(std::string_view settingsText, std::string_view key,
                           std::string_view section, std::string_view defaultValue) {
    if (settingsText.empty())
        return std::string(defaultValue);
    std::string currentSection;
    for (std::string line : Variables::SplitSkinLines(settingsText)) {
        platform::Yield();
        if (IsWhite(line))
            continue;
        if (line[0] == ';')
            continue;
        if (line[0] == '[') {
            // A section line without "]" names everything after its "[".
            const std::size_t close = line.find(']');
            currentSection =
                line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            line = close == std::string::npos ? std::string() : line.substr(close + 1);
            if (IsWhite(line))
                continue;
        }
        if (!platform::TextEquals(currentSection, section))
            continue;
        const std::size_t eq = line.find('=');
        std::string keyPart = line.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (!keyPart.empty() && keyPart.back() == ' ') {
            // "Key = value": one blank on each side of the "=".
            keyPart.pop_back();
            value = platform::Mid(value, 2);
        }
        if (platform::TextEquals(keyPart, key))
            return value;
    }
    return std::string(defaultValue);
}

std::string FormatRunOnce(const std::vector<std::int32_t>& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        text += platform::Str(static_cast<long long>(list[i])) + "*";
        platform::Yield();
    }
    return text;
}

std::vector<std::int32_t> ParseRunOnce(std::string_view value) {
    const std::vector<std::string> fields = platform::Split(value, "*");
    std::vector<std::int32_t> list;
    auto number = [](const std::string& field) {
        const double v = platform::Val(field);
        return platform::TryTruncInt32(v).value_or(0);
    };
    list.push_back(number(fields[0]));
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::int32_t id = number(fields[i]);
        if (id > 0)
            list.push_back(id);
    }
    return list;
}

bool IsSuppressed(const std::vector<std::int32_t>& list, std::int32_t id) {
    if (!list.empty() && list[0] == 1)
        return true;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i] == id)
            return true;
        platform::Yield();
    }
    return false;
}

namespace {

/// The leading number of a text as a 32-bit integer, the fraction dropped; 0 when there is none
/// or it does not fit.
std::int32_t LeadingInt(std::string_view text) {
    return platform::TryTruncInt32(platform::Val(text)).value_or(0);
}

std::string Decimal(int value) {
    return platform::Str(static_cast<long long>(value));
}

/// One key line of the file: its section, its key, how the value is written, and how it is
/// read back (none for a key that nothing reads back). The file is these lines in this order,
/// each section line written before the first key of its section.
using Day = platform::DateTime;
struct Key {
    const char* section;
    const char* name;
    std::string (*write)(const ConfigValues& v);
    void (*read)(ConfigValues& v, const std::string& text, const Day& today);
};

bool NearlyFillsTheScreen(const MainWindowFields& w) {
    return w.width > 0.9 * static_cast<double>(w.screenAvailableWidth) &&
           w.height > 0.9 * static_cast<double>(w.screenAvailableHeight);
}

const Key kKeys[] = {
    {"Position", "X", [](const ConfigValues& v) { return Decimal(v.window.left); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.window.left = LeadingInt(t); }},
    {"Position", "Y", [](const ConfigValues& v) { return Decimal(v.window.top); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.window.top = LeadingInt(t); }},
    // Written, never read back: the window keeps the size of its layout.
    {"Position", "Maximize",
     [](const ConfigValues& v) { return Bool2Str(NearlyFillsTheScreen(v.window)); }, nullptr},
    {"Params", "Open", [](const ConfigValues& v) { return v.openDirectory; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.openDirectory = t; }},
    {"Params", "Save", [](const ConfigValues& v) { return v.saveDirectory; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.saveDirectory = t; }},
    {"Params", "ResizeXML",
     [](const ConfigValues& v) { return Bool2Str(v.window.resizeSkinChecked); },
     [](ConfigValues& v, const std::string& t, const Day&) {
         v.window.resizeSkinChecked = Str2Bool(t);
     }},
    {"Params", "Mac", [](const ConfigValues& v) { return Bool2Str(v.window.macChecked); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.window.macChecked = Str2Bool(t); }},
    {"Params", "OutputW", [](const ConfigValues& v) { return v.window.widthOutputText; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.window.widthOutputText = t; }},
    {"Params", "OutputH", [](const ConfigValues& v) { return v.window.heightOutputText; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.window.heightOutputText = t; }},
    {"Params", "FontSize", [](const ConfigValues& v) { return Bool2Str(v.noFontChange); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.noFontChange = Str2Bool(t); }},
    {"Params", "Color", [](const ConfigValues& v) { return FormatColor(v.changeColor); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.changeColor = ReadColor(t); }},
    // An empty value reads as no list, so that the list in memory stays as it is.
    {"Params", "RunOnce", [](const ConfigValues& v) { return FormatRunOnce(v.runOnce); },
     [](ConfigValues& v, const std::string& t, const Day&) {
         v.runOnce = t.empty() ? std::vector<std::int32_t>() : ParseRunOnce(t);
     }},
    {"L_Params", "Border_Color", [](const ConfigValues& v) { return FormatColor(v.borderColor); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.borderColor = ReadColor(t); }},
    {"L_Params", "Browser_Color", [](const ConfigValues& v) { return FormatColor(v.browserColor); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.browserColor = ReadColor(t); }},
    {"L_Params", "Browser_Picture", [](const ConfigValues& v) { return v.browserPicture; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.browserPicture = t; }},
    // Written, never read back: the option keeps its built-in value in every run.
    {"L_Params", "Old_Renderer", [](const ConfigValues& v) { return Bool2Str(v.oldRenderer); },
     nullptr},
    {"L_Params", "WindowOpen", [](const ConfigValues& v) { return Bool2Str(v.windowOpen); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.windowOpen = Str2Bool(t); }},
    {"Version", "Lang", [](const ConfigValues& v) { return v.lang; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.lang = t; }},
    {"Version", "Latest_Version", [](const ConfigValues& v) { return Bool2Str(v.latestVersion); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.latestVersion = Str2Bool(t); }},
    {"Version", "AutoUpdate", [](const ConfigValues& v) { return Bool2Str(v.autoUpdate); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.autoUpdate = Str2Bool(t); }},
    {"Version", "LastUpdate", [](const ConfigValues& v) { return v.lastCheck->SQLDate(); },
     [](ConfigValues& v, const std::string& t, const Day& today) {
         v.lastCheck = LastCheckDate(t, today);
     }},
    {"Version", "Later", [](const ConfigValues& v) { return Bool2Str(v.updateLater); },
     [](ConfigValues& v, const std::string& t, const Day&) { v.updateLater = Str2Bool(t); }},
    {"Version", "Software", [](const ConfigValues& v) { return v.softwareVersion; },
     [](ConfigValues& v, const std::string& t, const Day&) { v.softwareVersion = t; }},
};

}  // namespace

platform::DateTime LastCheckDate(std::string_view text, const platform::DateTime& today) {
    platform::DateTime d = today;
    if (text.find('.') != std::string_view::npos) {
        // One month back; January goes to December of the year before, and a day the month
        // before does not have becomes its last, so that the date stays a real one.
        QDate back = QDate(today.year, today.month, 1).addMonths(-1);
        d.year = back.year();
        d.month = back.month();
        d.day = std::min(today.day, back.daysInMonth());
        return d;
    }
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return d;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (text[i] < '0' || text[i] > '9')
            return d;
    }
    const auto num = [&](std::size_t at, std::size_t n) {
        return std::stoi(std::string(text.substr(at, n)));
    };
    const int year = num(0, 4);
    const int month = num(5, 2);
    const int day = num(8, 2);
    if (!QDate::isValid(year, month, day))
        return d;
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

std::optional<std::string> ComposeConfig(const ConfigValues& values, std::string_view lineEnd) {
    if (!values.lastCheck)
        return std::nullopt;
    std::vector<std::string> lines;
    std::string_view section;
    for (const Key& key : kKeys) {
        if (key.section != section) {
            section = key.section;
            lines.push_back("[" + std::string(section) + "]");
        }
        lines.push_back(std::string(key.name) + "=" + key.write(values));
    }
    return platform::Join(lines, lineEnd);
}

ConfigValues ReadConfig(std::string_view settingsText, const platform::DateTime& today) {
    ConfigValues values;
    for (const Key& key : kKeys) {
        if (key.read)
            key.read(values, GetConfigEntry(settingsText, key.name, key.section), today);
    }
    return values;
}

std::string ConfigPath() {
    return platform::PreferencesFolder().Child("Malvoren Tool").Child("Config.ini").NativePath();
}

}  // namespace INI_Read_Write

namespace INI_Read_Write {

std::string ConfigText() {
    try {
        return platform::ReadFileBytes(ConfigPath(), kMaxConfigBytes);
    } catch (const platform::RuntimeException&) {
        return {};
    }
}

void ResetWriteFailureReport() {
    WriteFailureReported() = false;
}

void WriteConfig(const MainWindowFields& window) {
    if (No_Write_Config)
        return;
    ConfigValues values;
    values.window = window;
    values.openDirectory = Open_directory;
    values.saveDirectory = Save_directory;
    values.noFontChange = Variables::No_FontChange;
    values.changeColor = Variables::Change_Color;
    values.runOnce = RunOnce;
    values.borderColor = Variables::P_Border_Color;
    values.browserColor = Browser::Browser_Color;
    values.browserPicture = Browser::B_Background_Picture;
    values.oldRenderer = Variables::P_Old_Renderer;
    values.windowOpen = Variables::Window_Open;
    values.lang = Lang;
    values.latestVersion = Latest_Version;
    values.autoUpdate = AutoUpdate;
    values.lastCheck = LastCheck;
    values.updateLater = UpdateLater;
    values.softwareVersion = Software_Version;
    const std::optional<std::string> text = ComposeConfig(values, Variables::RC);
    if (!text)
        return;  // nothing half-composed is ever written
    const platform::FolderItem file(ConfigPath());
    try {
        const platform::FolderItem folder = file.Parent();
        if (!folder.Exists())
            folder.CreateAsFolder();
        platform::WriteFileAtomic(file.Path(), *text);
    } catch (const platform::RuntimeException& failure) {
        if (WriteFailureReported())
            return;
        WriteFailureReported() = true;
        platform::MsgBox("The settings could not be saved in " + file.NativePath() + "." +
                         Variables::RC + failure.what());
    }
}

}  // namespace INI_Read_Write
