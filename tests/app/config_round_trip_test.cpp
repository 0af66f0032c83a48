#include "app/ini_read_write.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

using namespace INI_Read_Write;
using platform::RGB;

namespace {

// The file keeps the day of the last check only: at midnight it reads back whole.
const platform::DateTime kToday{2026, 11, 30, 0, 0, 0};

// Every value away from its built-in one, so that a key the reader skipped shows.
ConfigValues Stored() {
    ConfigValues v;
    v.window = {130, 90, 560, 376, 1920, 1080, true, true, "1280", "800"};
    v.openDirectory = "/home/u/skins";
    v.saveDirectory = "/home/u/out";
    v.noFontChange = true;
    v.changeColor = RGB(0xFF, 0xFF, 0xFF);
    v.runOnce = {0, 4, 5};
    v.borderColor = RGB(0x10, 0x20, 0x30);
    v.browserColor = RGB(0x12, 0xAB, 0x0F);
    v.browserPicture = "/p/back.png";
    v.oldRenderer = false;
    v.windowOpen = false;
    v.lang = "Deutsch";
    v.latestVersion = false;
    v.autoUpdate = false;
    v.lastCheck = platform::DateTime{2026, 3, 7, 0, 0, 0};
    v.updateLater = true;
    v.softwareVersion = "VirtualDJ";
    return v;
}

// What reading gives back of `written`: the keys that are not read back, and the sizes that
// only decide Maximize, keep their built-in values.
ConfigValues ReadBack(ConfigValues written) {
    const ConfigValues builtIn;
    written.window.width = builtIn.window.width;
    written.window.height = builtIn.window.height;
    written.window.screenAvailableWidth = builtIn.window.screenAvailableWidth;
    written.window.screenAvailableHeight = builtIn.window.screenAvailableHeight;
    written.oldRenderer = builtIn.oldRenderer;
    return written;
}

struct KeyCase {
    const char* name;
    const char* section;
    const char* key;
    void (*change)(ConfigValues& v);
    const char* written;  // the value text of the key's line
    bool readBack;
};

const KeyCase kKeyCases[] = {
    // clang-format off
    {"XNegative",        "Position", "X",               [](ConfigValues& v) { v.window.left = -12; },                 "-12",          true},
    {"Y",                "Position", "Y",               [](ConfigValues& v) { v.window.top = 40; },                   "40",           true},
    // 0.9 * 1920 = 1728 and 0.9 * 1080 = 972: both sides above.
    {"MaximizeNotRead",  "Position", "Maximize",        [](ConfigValues& v) { v.window.width = 1729;
                                                                              v.window.height = 973; },             "1",            false},
    {"Open",             "Params",   "Open",            [](ConfigValues& v) { v.openDirectory = "/a b/c"; },          "/a b/c",       true},
    {"Save",             "Params",   "Save",            [](ConfigValues& v) { v.saveDirectory = "/out"; },            "/out",         true},
    {"ResizeXML",        "Params",   "ResizeXML",       [](ConfigValues& v) { v.window.resizeSkinChecked = false; },  "0",            true},
    {"Mac",              "Params",   "Mac",             [](ConfigValues& v) { v.window.macChecked = false; },         "0",            true},
    {"OutputWAsTyped",   "Params",   "OutputW",         [](ConfigValues& v) { v.window.widthOutputText = "0.0"; },    "0.0",          true},
    {"OutputHBlankKept", "Params",   "OutputH",         [](ConfigValues& v) { v.window.heightOutputText = " 800"; },  " 800",         true},
    {"FontSize",         "Params",   "FontSize",        [](ConfigValues& v) { v.noFontChange = false; },              "0",            true},
    {"Color",            "Params",   "Color",           [](ConfigValues& v) { v.changeColor = RGB(0xFF, 0x80, 0); },  "#FF8000",      true},
    {"RunOnce",          "Params",   "RunOnce",         [](ConfigValues& v) { v.runOnce = {1, 5}; },                  "1*5*",         true},
    {"RunOnceEmpty",     "Params",   "RunOnce",         [](ConfigValues& v) { v.runOnce.clear(); },                   "",             true},
    {"BorderColor",      "L_Params", "Border_Color",    [](ConfigValues& v) { v.borderColor = RGB(0, 0, 0); },        "#000000",      true},
    {"BrowserColor",     "L_Params", "Browser_Color",   [](ConfigValues& v) { v.browserColor = RGB(1, 2, 3); },       "#010203",      true},
    {"PictureWithEqual", "L_Params", "Browser_Picture", [](ConfigValues& v) { v.browserPicture = "/p/a=b.png"; },     "/p/a=b.png",   true},
    {"OldRendererNotRead", "L_Params", "Old_Renderer",  [](ConfigValues& v) { v.oldRenderer = true; },                "1",            false},
    {"WindowOpen",       "L_Params", "WindowOpen",      [](ConfigValues& v) { v.windowOpen = true; },                 "1",            true},
    {"Lang",             "Version",  "Lang",            [](ConfigValues& v) { v.lang = "Français"; },                 "Français",     true},
    {"LatestVersion",    "Version",  "Latest_Version",  [](ConfigValues& v) { v.latestVersion = true; },              "1",            true},
    {"AutoUpdate",       "Version",  "AutoUpdate",      [](ConfigValues& v) { v.autoUpdate = true; },                 "1",            true},
    {"LastUpdate",       "Version",  "LastUpdate",      [](ConfigValues& v) { v.lastCheck = platform::DateTime{2025, 12, 31, 0, 0, 0}; },
                                                                                                                     "2025-12-31",   true},
    {"Later",            "Version",  "Later",           [](ConfigValues& v) { v.updateLater = false; },               "0",            true},
    {"Software",         "Version",  "Software",        [](ConfigValues& v) { v.softwareVersion = "PCDJ VJ"; },       "PCDJ VJ",      true},
    // clang-format on
};

class ConfigKeyTest : public ::testing::TestWithParam<KeyCase> {};

// The writer puts the value under its key and section; the reader gives back what was
// written, or, for a key that is not read back, what it gives when the value is unchanged.
TEST_P(ConfigKeyTest, WrittenUnderItsSectionAndReadBack) {
    const KeyCase& c = GetParam();
    ConfigValues written = Stored();
    c.change(written);
    const std::string text = *ComposeConfig(written, "\r\n");
    EXPECT_EQ(GetConfigEntry(text, c.key, c.section, "<none>"), c.written);
    const ConfigValues read = ReadConfig(text, kToday);
    EXPECT_EQ(read, ReadBack(c.readBack ? written : Stored()));
}

INSTANTIATE_TEST_SUITE_P(Keys, ConfigKeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigReaderTest, EveryValueStoredComesBack) {
    const std::string text = *ComposeConfig(Stored(), "\n");
    EXPECT_EQ(ReadConfig(text, kToday), ReadBack(Stored()));
}

TEST(ConfigReaderTest, NoFileReadsEveryKeyAsTheEmptyText) {
    ConfigValues expected;
    expected.window = {0, 0, 0, 0, 0, 0, false, false, "", ""};
    expected.changeColor = RGB(0, 0, 0);
    expected.runOnce = {};  // no list: the one in memory stays
    expected.borderColor = RGB(0, 0, 0);
    expected.browserColor = RGB(0, 0, 0);
    expected.windowOpen = false;  // a boolean is true only for "1"
    expected.latestVersion = false;
    expected.autoUpdate = false;
    expected.lastCheck = kToday;  // no date: the check is not due today
    expected.oldRenderer = true;  // not read: built-in value
    EXPECT_EQ(ReadConfig("", kToday), expected);
}

}  // namespace
