#include "platform/launcher.h"

#include "platform/dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(LauncherTest, RecordingLauncherRecordsAndRestores) {
    {
        platform::ScopedRecordingLauncher launcher;
        EXPECT_TRUE(platform::CurrentLauncher().OpenURL("https://example.org/guide"));
        EXPECT_TRUE(platform::CurrentLauncher().OpenItem("/home/u/skins"));
        launcher->answer = false;
        EXPECT_FALSE(platform::CurrentLauncher().LaunchProgram("/opt/t/Tarquell.exe"));
        EXPECT_EQ(launcher->requests,
                  (std::vector<std::string>{"url:https://example.org/guide", "item:/home/u/skins",
                                            "program:/opt/t/Tarquell.exe"}));
    }
    EXPECT_NE(dynamic_cast<platform::SystemLauncher*>(&platform::CurrentLauncher()), nullptr);
}

struct ShowUrlCase {
    const char* name;
    const char* url;
    const char* recorded;
};
const ShowUrlCase kShowUrlCases[] = {
    // clang-format off
    {"HttpOpens",              "http://www.virtualdj.com/",          "url:http://www.virtualdj.com/"},
    {"HttpsOpens",             "https://example.org/guide?p=1",      "url:https://example.org/guide?p=1"},
    {"SchemeCaseDoesNotMatter", "HTTPS://example.org/",              "url:HTTPS://example.org/"},
    {"FileIsRefused",          "file:///etc/passwd",                 "refused:file:///etc/passwd"},
    {"JavascriptIsRefused",    "javascript:alert(1)",                "refused:javascript:alert(1)"},
    {"OtherSchemesAreRefused", "ftp://example.org/x",                "refused:ftp://example.org/x"},
    {"NoSchemeIsRefused",      "www.example.org",                    "refused:www.example.org"},
    {"NoHostIsRefused",        "http:///etc/passwd",                 "refused:http:///etc/passwd"},
    {"EmptyIsRefused",         "",                                   "refused:"},
    // clang-format on
};
class ShowUrlTest : public ::testing::TestWithParam<ShowUrlCase> {};
TEST_P(ShowUrlTest, OpensOnlyWebAddresses) {
    platform::ScopedRecordingLauncher launcher;
    platform::ScopedScriptedDialogs dialogs;
    const bool opened = platform::ShowURL(GetParam().url);
    EXPECT_EQ(opened, std::string(GetParam().recorded).starts_with("url:"));
    EXPECT_EQ(launcher->requests, std::vector<std::string>{GetParam().recorded});
    EXPECT_TRUE(dialogs->shown.empty());
}
INSTANTIATE_TEST_SUITE_P(Launcher, ShowUrlTest, ::testing::ValuesIn(kShowUrlCases),
                         [](const auto& info) { return std::string(info.param.name); });

// No web browser installed: the launcher refuses, and the user reads why and the address.
TEST(LauncherTest, AnAddressThatNoProgramCanOpenIsShownToTheUser) {
    platform::ScopedRecordingLauncher launcher;
    platform::ScopedScriptedDialogs dialogs;
    launcher->answer = false;
    EXPECT_FALSE(platform::ShowURL("https://www.example.org/malvoren/user-guide"));
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"No program on this computer could open this address. You "
                                       "can copy it into a web browser:\n"
                                       "https://www.example.org/malvoren/user-guide"});
}

TEST(LauncherTest, SystemLauncherStartsAProgramAndRefusesAMissingOne) {
    platform::SystemLauncher system;
    EXPECT_TRUE(system.LaunchProgram("/bin/true"));
    testsupport::TempFolder dir;
    EXPECT_FALSE(system.LaunchProgram((dir / "Tarquell.exe").string()));
    const auto notAProgram = dir.Write("Tarquell setup.exe", "MZ not for this system");
    EXPECT_FALSE(system.LaunchProgram(notAProgram.string()));
}

}  // namespace
