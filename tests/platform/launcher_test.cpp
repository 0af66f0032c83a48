#include "platform/launcher.h"

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

TEST(LauncherTest, SystemLauncherStartsAProgramAndRefusesAMissingOne) {
    platform::SystemLauncher system;
    EXPECT_TRUE(system.LaunchProgram("/bin/true"));
    testsupport::TempFolder dir;
    EXPECT_FALSE(system.LaunchProgram((dir / "Tarquell.exe").string()));
    const auto notAProgram = dir.Write("Tarquell setup.exe", "MZ not for this system");
    EXPECT_FALSE(system.LaunchProgram(notAProgram.string()));
}

}  // namespace
