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

std::optional<std::string> ComposeConfig(const ConfigValues& v, std::string_view lineEnd) {
    if (!v.lastCheck)
        return std::nullopt;
    const bool maximize =
        v.window.width > 0.9 * static_cast<double>(v.window.screenAvailableWidth) &&
        v.window.height > 0.9 * static_cast<double>(v.window.screenAvailableHeight);
    const std::vector<std::string> lines = {
        "[Position]",
        "X=" + platform::Str(static_cast<long long>(v.window.left)),
        "Y=" + platform::Str(static_cast<long long>(v.window.top)),
        "Maximize=" + Bool2Str(maximize),
        "[Params]",
        "Open=" + v.openDirectory,
        "Save=" + v.saveDirectory,
        "ResizeXML=" + Bool2Str(v.window.resizeSkinChecked),
        "Mac=" + Bool2Str(v.window.macChecked),
        "OutputW=" + v.window.widthOutputText,
        "OutputH=" + v.window.heightOutputText,
        "FontSize=" + Bool2Str(v.noFontChange),
        "Color=" + FormatColor(v.changeColor),
        "RunOnce=" + FormatRunOnce(v.runOnce),
        "[L_Params]",
        "Border_Color=" + FormatColor(v.borderColor),
        "Browser_Color=" + FormatColor(v.browserColor),
        "Browser_Picture=" + v.browserPicture,
        "Old_Renderer=" + Bool2Str(v.oldRenderer),
        "WindowOpen=" + Bool2Str(v.windowOpen),
        "[Version]",
        "Lang=" + v.lang,
        "Latest_Version=" + Bool2Str(v.latestVersion),
        "AutoUpdate=" + Bool2Str(v.autoUpdate),
        "LastUpdate=" + v.lastCheck->SQLDate(),
        "Later=" + Bool2Str(v.updateLater),
        "Software=" + v.softwareVersion,
    };
    return platform::Join(lines, lineEnd);
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
