#include "app/ini_read_write.h"

#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "support/job_state.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace INI_Read_Write;
using platform::RGB;

namespace {

struct EntryCase {
    const char* name;
    const char* text;
    const char* key;
    const char* section;
    const char* expected;  // "<default>" when the default comes back
};

const EntryCase kEntryCases[] = {
    // clang-format off
    {"PlainKey",                 "[Params]\nOpen=/a",                 "Open", "Params", "/a"},
    {"SectionAndKeyIgnoreCase",  "[params]\nopen=/a",                 "Open", "Params", "/a"},
    {"BlankEachSide",            "[Params]\nOpen = /a",               "Open", "Params", "/a"},
    {"BlankBeforeOnlyEatsChar",  "[Params]\nOpen =/a",                "Open", "Params", "a"},
    {"TwoBlanksBeforeNoMatch",   "[Params]\nOpen  = /a",              "Open", "Params", "<default>"},
    {"BlankBeforeKeyNoMatch",    "[Params]\n Open=/a",                "Open", "Params", "<default>"},
    {"LaterEqualsKept",          "[Params]\nOpen=/a=b",               "Open", "Params", "/a=b"},
    {"TrailingBlanksKept",       "[Params]\nOpen=/a  ",               "Open", "Params", "/a  "},
    {"KeyWithoutEquals",         "[Params]\nOpen",                    "Open", "Params", ""},
    {"KeyOnSectionLine",         "[Params]Open=/a",                   "Open", "Params", "/a"},
    {"KeyBeforeAnySection",      "Open=/a\n[Params]\nOpen=/b",        "Open", "",       "/a"},
    {"OtherSectionNotFound",     "[Position]\nOpen=/a",               "Open", "Params", "<default>"},
    {"FirstMatchWins",           "[Params]\nOpen=/a\nOpen=/b",        "Open", "Params", "/a"},
    {"CommentSkipped",           "[Params]\n;Open=/a\nOpen=/b",       "Open", "Params", "/b"},
    {"BlankThenSemicolonIsKey",  "[Params]\n ;Open=/a\n;x=1",         " ;Open", "Params", "/a"},
    {"CrLfAndCrLineEnds",        "[Position]\r\nX=1\r[Params]\r\nOpen=/c", "Open", "Params", "/c"},
    {"WhiteLinesSkipped",        "[Params]\n   \n\t\nOpen=/a",         "Open", "Params", "/a"},
    {"EmptyText",                "",                                  "Open", "Params", "<default>"},
    {"SectionWithoutBracket",    "[Params\nOpen=/a",                  "Open", "Params", "/a"},
    // clang-format on
};

class GetConfigEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(GetConfigEntryTest, ReadsOneKey) {
    const EntryCase& c = GetParam();
    EXPECT_EQ(GetConfigEntry(c.text, c.key, c.section, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Reader, GetConfigEntryTest, ::testing::ValuesIn(kEntryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniTest, BooleansAreOneAndZero) {
    EXPECT_TRUE(Str2Bool("1"));
    for (const char* falsy : {"0", "", "true", " 1", "01", "1 "})
        EXPECT_FALSE(Str2Bool(falsy)) << falsy;
    EXPECT_EQ(Bool2Str(true), "1");
    EXPECT_EQ(Bool2Str(false), "0");
}

TEST(IniTest, ColourTexts) {
    EXPECT_EQ(FormatColor(RGB(10, 11, 12)), "#0A0B0C");
    EXPECT_EQ(FormatColor(RGB(255, 255, 255)), "#FFFFFF");
    EXPECT_EQ(FormatColor(RGB(0, 0, 0)), "#000000");

    struct {
        const char* text;
        platform::Color color;
    } const kReads[] = {
        // clang-format off
        {"#0a0b0c",   RGB(10, 11, 12)},
        {"&c0A0B0C",  RGB(10, 11, 12)},
        {"#FF8000",   RGB(0xFF, 0x80, 0x00)},
        {"&hff8000",  RGB(0xFF, 0x80, 0x00)},
        {"FF8000",    RGB(0xFF, 0x80, 0x00)},
        {"#FFF",      RGB(0x00, 0x0F, 0xFF)},      // a shorter text is a smaller number
        {"",          RGB(0, 0, 0)},
        {"#11223344", RGB(0x11, 0x22, 0x33)},      // the first six digits only
        {"12#3456",   RGB(0x12, 0x34, 0x56)},      // the first "#" wherever it stands
        {"#12G456",   RGB(0x00, 0x00, 0x12)},      // reading stops at a non-digit: 0x12
        // clang-format on
    };
    for (const auto& r : kReads)
        EXPECT_EQ(ReadColor(r.text), r.color) << r.text;
}

TEST(IniTest, RunOnceListInTheFile) {
    EXPECT_EQ(FormatRunOnce({0}), "0*");
    EXPECT_EQ(FormatRunOnce({0, 4, 5}), "0*4*5*");
    EXPECT_EQ(FormatRunOnce({}), "");
    EXPECT_EQ(ParseRunOnce("1*0*5*x*"), (std::vector<std::int32_t>{1, 5}));
    EXPECT_EQ(ParseRunOnce("0*"), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(ParseRunOnce(""), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(ParseRunOnce("2.7*-4*4.9*"), (std::vector<std::int32_t>{2, 4}));
    EXPECT_EQ(ParseRunOnce(FormatRunOnce({0, 1, 5})), (std::vector<std::int32_t>{0, 1, 5}));
}

TEST(IniTest, SuppressedMessages) {
    EXPECT_FALSE(IsSuppressed({0}, 5));
    EXPECT_TRUE(IsSuppressed({1}, 5));  // element 0 = 1: every message window off
    EXPECT_TRUE(IsSuppressed({0, 4, 5}, 5));
    EXPECT_FALSE(IsSuppressed({5}, 5));  // element 0 is the switch, not an id
    EXPECT_FALSE(IsSuppressed({}, 5));
}

ConfigValues SampleValues() {
    ConfigValues v;
    v.window = {-12, 40, 960, 700, 1920, 1080, true, false, "1280", "800"};
    v.openDirectory = "/home/u/skins";
    v.saveDirectory = "/home/u/out";
    v.noFontChange = true;
    v.changeColor = RGB(255, 255, 255);
    v.runOnce = {0, 4, 5};
    v.borderColor = RGB(0, 0, 0);
    v.browserColor = RGB(0x12, 0xAB, 0x0F);
    v.browserPicture = "/p/back.png";
    v.oldRenderer = true;
    v.windowOpen = false;
    v.lang = "Français";
    v.latestVersion = true;
    v.autoUpdate = false;
    v.lastCheck = platform::DateTime{2026, 3, 7, 14, 5, 9};
    v.updateLater = false;
    v.softwareVersion = "VirtualDJ";
    return v;
}

TEST(IniTest, ComposesTheTwentySevenLinesInOrder) {
    const auto text = ComposeConfig(SampleValues(), "\n");
    ASSERT_TRUE(text.has_value());
    const std::vector<std::string> expected = {"[Position]",
                                               "X=-12",
                                               "Y=40",
                                               "Maximize=0",
                                               "[Params]",
                                               "Open=/home/u/skins",
                                               "Save=/home/u/out",
                                               "ResizeXML=1",
                                               "Mac=0",
                                               "OutputW=1280",
                                               "OutputH=800",
                                               "FontSize=1",
                                               "Color=#FFFFFF",
                                               "RunOnce=0*4*5*",
                                               "[L_Params]",
                                               "Border_Color=#000000",
                                               "Browser_Color=#12AB0F",
                                               "Browser_Picture=/p/back.png",
                                               "Old_Renderer=1",
                                               "WindowOpen=0",
                                               "[Version]",
                                               "Lang=Français",
                                               "Latest_Version=1",
                                               "AutoUpdate=0",
                                               "LastUpdate=2026-03-07",
                                               "Later=0",
                                               "Software=VirtualDJ"};
    EXPECT_EQ(platform::Split(*text, "\n"), expected);
    EXPECT_NE(text->back(), '\n');  // no terminator after the last line
}

TEST(IniTest, MaximizeNeedsBothSidesStrictlyAboveNinetyPercent) {
    struct {
        int w, h;
        const char* line;
    } const kSizes[] = {
        {1728, 973, "Maximize=0"},  // 0.9 * 1920 = 1728 exactly: not wider
        {1729, 973, "Maximize=1"},  // 0.9 * 1080 = 972
        {1729, 972, "Maximize=0"},
        {1920, 1080, "Maximize=1"},
    };
    for (const auto& s : kSizes) {
        ConfigValues v = SampleValues();
        v.window.width = s.w;
        v.window.height = s.h;
        EXPECT_EQ(platform::NthField(*ComposeConfig(v, "\n"), "\n", 4), s.line)
            << s.w << "x" << s.h;
    }
}

TEST(IniTest, NothingComposedWithoutTheDateOfTheLastCheck) {
    ConfigValues v = SampleValues();
    v.lastCheck.reset();
    EXPECT_FALSE(ComposeConfig(v, "\n").has_value());
}

TEST(IniTest, RoundTripThroughTheKeyReader) {
    const ConfigValues v = SampleValues();
    const std::string text = *ComposeConfig(v, "\n");
    EXPECT_EQ(GetConfigEntry(text, "X", "Position"), "-12");
    EXPECT_EQ(GetConfigEntry(text, "Open", "Params"), v.openDirectory);
    EXPECT_EQ(ParseRunOnce(GetConfigEntry(text, "RunOnce", "Params")), v.runOnce);
    EXPECT_EQ(ReadColor(GetConfigEntry(text, "Browser_Color", "L_Params")), v.browserColor);
    EXPECT_EQ(ReadColor(GetConfigEntry(text, "Color", "Params")), v.changeColor);
    EXPECT_TRUE(Str2Bool(GetConfigEntry(text, "FontSize", "Params")));
    EXPECT_EQ(GetConfigEntry(text, "Lang", "Version"), "Français");
    EXPECT_EQ(GetConfigEntry(text, "Software", "Version"), "VirtualDJ");
    EXPECT_EQ(GetConfigEntry(text, "Software", "Params"), "");  // wrong section
}

// The writer in a fresh preferences folder, from the module's and the job's values.
class WriteConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::RC = "\n";
        ResetSettings();
        ResetWriteFailureReport();
        LastCheck = platform::DateTime{2026, 11, 30, 9, 0, 0};
    }
    void TearDown() override {
        ResetSettings();
        ResetWriteFailureReport();
    }
    fs::path ConfigFile() const { return prefs / "Malvoren Tool" / "Config.ini"; }

    testsupport::JobState jobState;
    testsupport::TempFolder prefs;
    ScopedEnv config{"XDG_CONFIG_HOME", prefs.Path().string()};
    platform::ScopedScriptedDialogs dialogs;
    MainWindowFields window{100, 80, 560, 376, 1920, 1080, false, true, "1280", "800"};
};

TEST_F(WriteConfigTest, CreatesTheFolderAndWritesEveryValue) {
    Variables::P_Border_Color = RGB(1, 2, 3);
    Browser::Browser_Color = RGB(0xAA, 0xBB, 0xCC);
    Browser::B_Background_Picture = "/p/b.png";
    Variables::Window_Open = false;
    RunOnce = {0, 4, 5};
    Lang = "Deutsch";
    WriteConfig(window);
    EXPECT_EQ(ConfigPath(), ConfigFile().string());
    const std::string text = testsupport::ReadAll(ConfigFile());
    EXPECT_EQ(text, ConfigText());
    EXPECT_EQ(platform::Split(text, "\n").size(), 27u);
    EXPECT_EQ(GetConfigEntry(text, "X", "Position"), "100");
    EXPECT_EQ(GetConfigEntry(text, "Mac", "Params"), "1");
    EXPECT_EQ(GetConfigEntry(text, "OutputW", "Params"), "1280");
    EXPECT_EQ(GetConfigEntry(text, "RunOnce", "Params"), "0*4*5*");
    EXPECT_EQ(GetConfigEntry(text, "Border_Color", "L_Params"), "#010203");
    EXPECT_EQ(GetConfigEntry(text, "Browser_Color", "L_Params"), "#AABBCC");
    EXPECT_EQ(GetConfigEntry(text, "Browser_Picture", "L_Params"), "/p/b.png");
    EXPECT_EQ(GetConfigEntry(text, "Old_Renderer", "L_Params"), "1");
    EXPECT_EQ(GetConfigEntry(text, "WindowOpen", "L_Params"), "0");
    EXPECT_EQ(GetConfigEntry(text, "Lang", "Version"), "Deutsch");
    EXPECT_EQ(GetConfigEntry(text, "LastUpdate", "Version"), "2026-11-30");
    EXPECT_EQ(platform::Right(text, 9), "Software=");
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(WriteConfigTest, RestoreDefaultsLeavesTheFileAsItWas) {
    WriteConfig(window);
    const std::string before = testsupport::ReadAll(ConfigFile());
    No_Write_Config = true;
    Lang = "Deutsch";
    window.left = 5;
    WriteConfig(window);
    EXPECT_EQ(testsupport::ReadAll(ConfigFile()), before);
}

TEST_F(WriteConfigTest, NothingWrittenWhenTheTextCannotBeComposed) {
    WriteConfig(window);
    const std::string before = testsupport::ReadAll(ConfigFile());
    LastCheck.reset();
    window.left = 5;
    WriteConfig(window);
    EXPECT_EQ(testsupport::ReadAll(ConfigFile()), before);  // never half a file
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(WriteConfigTest, FailureToWriteIsReportedOnceAndKeepsTheOldFile) {
    fs::create_directories(ConfigFile());  // a folder where the file should be
    WriteConfig(window);
    WriteConfig(window);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].rfind(
                  "The settings could not be saved in " + ConfigFile().string() + ".\n", 0),
              0u);
    EXPECT_TRUE(fs::is_directory(ConfigFile()));
    EXPECT_EQ(ConfigText(), "");
}

TEST_F(WriteConfigTest, FolderThatCannotBeCreatedIsReported) {
    prefs.Write("Malvoren Tool", "a file in the way");
    WriteConfig(window);
    EXPECT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(testsupport::ReadAll(prefs / "Malvoren Tool"), "a file in the way");
}

TEST_F(WriteConfigTest, ReadBackThroughTheKeyReaderAfterAnEarlierFile) {
    prefs.Write("Malvoren Tool/Config.ini", "[Params]\r\nOpen=/old\r\n");
    Open_directory = "/new";
    WriteConfig(window);
    EXPECT_EQ(GetConfigEntry(ConfigText(), "Open", "Params"), "/new");  // replaced whole
}

// A settings file that cannot be used reads as no settings: every key takes its default, and
// the file is left as it was for the next write to replace.
TEST_F(WriteConfigTest, UnusableSettingsFileReadsAsNoSettings) {
    struct {
        const char* name;
        std::function<void()> make;
        std::string text;  // what ConfigText gives
    } const kFiles[] = {
        {"Missing", [] {}, ""},
        {"Folder", [&] { fs::create_directories(ConfigFile()); }, ""},
        {"OverOneMebibyte",
         [&] {
             prefs.Write("Malvoren Tool/Config.ini", "[Params]\nOpen=/a\n");
             fs::resize_file(ConfigFile(), 1024 * 1024 + 1);
         },
         ""},
        {"Binary", [&] { prefs.Write("Malvoren Tool/Config.ini", std::string("\0\xFF=\n[", 5)); },
         std::string("\0\xFF=\n[", 5)},
    };
    for (const auto& f : kFiles) {
        fs::remove_all(prefs / "Malvoren Tool");
        f.make();
        EXPECT_EQ(ConfigText(), f.text) << f.name;
        EXPECT_EQ(GetConfigEntry(ConfigText(), "Open", "Params", "<default>"), "<default>")
            << f.name;
    }
    EXPECT_EQ(fs::file_size(ConfigFile()), 5u);  // read, never changed
    EXPECT_TRUE(dialogs->shown.empty());
}

}  // namespace
