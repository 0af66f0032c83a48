#include "app/app.h"

#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "support/job_state.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using testsupport::ReadAll;

namespace {

class FixedClock : public platform::Clock {
public:
    explicit FixedClock(platform::DateTime now)
        : m_now(now) {}
    std::int64_t MonotonicMs() const override { return 0; }
    platform::DateTime Now() const override { return m_now; }

private:
    platform::DateTime m_now;
};

// Every test runs with the application's folder in a fresh temporary folder and the tool's
// start-up state.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override { App::ResetState(); }
    void TearDown() override {
        platform::SetClock(nullptr);
        App::ResetState();
    }
    void SetNow(platform::DateTime now) { platform::SetClock(std::make_unique<FixedClock>(now)); }
    testsupport::JobState jobState;
    testsupport::TempFolder app;
    ScopedEnv appDir{"MALVOREN_APP_DIR", app.Path().string()};
    ScopedEnv data{"XDG_DATA_HOME", (app / "data").string()};
};

TEST_F(AppTest, DebugModeOffWithoutADebugItem) {
    app.Write("notes.txt", "");
    app.Write("debug.tx", "");
    App::DetectDebugMode();
    EXPECT_FALSE(App::Debug);
    App::DebugLog("anything");
    for (const auto& entry : fs::directory_iterator(app.Path()))
        EXPECT_NE(entry.path().filename().string().rfind("Log_", 0), 0u) << entry.path();
}

TEST_F(AppTest, DebugModeOnForAnyItemNamedLikeDebugTxt) {
    for (const char* name : {"debug.txt", "Debug.TXT", "olddebug.txt.bak"}) {
        testsupport::TempFolder folder;
        ScopedEnv dir{"MALVOREN_APP_DIR", folder.Path().string()};
        folder.Write(name, "");
        App::ResetState();
        App::DetectDebugMode();
        EXPECT_TRUE(App::Debug) << name;
    }
    testsupport::TempFolder folder;
    ScopedEnv dir{"MALVOREN_APP_DIR", folder.Path().string()};
    fs::create_directory(folder / "debug.txt");  // a folder counts as well
    App::ResetState();
    App::DetectDebugMode();
    EXPECT_TRUE(App::Debug);
}

TEST_F(AppTest, DebugLogNameHasNoLeadingZeroInTheMonth) {
    EXPECT_EQ(App::DebugLogName({2026, 3, 7, 0, 0, 0}), "Log_2026-3.txt");
    EXPECT_EQ(App::DebugLogName({2026, 12, 31, 23, 59, 59}), "Log_2026-12.txt");
}

TEST_F(AppTest, EachStartAppendsTwoLinesToTheLogOfTheMonth) {
    app.Write("debug.txt", "");
    SetNow({2026, 3, 7, 14, 5, 9});
    std::ostringstream out;
    std::ostringstream err;
    Variables::RC = "\n";
    App::Run({"/opt/malvoren"}, out, err);
    App::ResetState();
    App::Run({"/opt/malvoren"}, out, err);
    const std::string expected =
        "2026-03-07 14:05:09 # ------------------------------\n"
        "2026-03-07 14:05:09 # Open Tarquell\n";
    EXPECT_EQ(ReadAll(app / "Log_2026-3.txt"), expected + expected);

    // A start in another month writes a file of its own.
    SetNow({2026, 12, 1, 8, 0, 0});
    App::ResetState();
    App::Run({"/opt/malvoren"}, out, err);
    EXPECT_EQ(ReadAll(app / "Log_2026-12.txt"),
              "2026-12-01 08:00:00 # ------------------------------\n"
              "2026-12-01 08:00:00 # Open Tarquell\n");
}

TEST_F(AppTest, DebugLogThatCannotBeWrittenNeverStopsTheStart) {
    fs::create_directory(app / "Log_2026-3.txt");  // a folder in the way of the log
    app.Write("debug.txt", "");
    SetNow({2026, 3, 7, 14, 5, 9});
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(App::Run({"/opt/malvoren"}, out, err), App::kExitNoWindow);
    EXPECT_TRUE(App::Debug);
}

TEST_F(AppTest, NoArgumentHeadlessSaysWhyAndExitsWithOne) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(App::Run({"/opt/malvoren"}, out, err), App::kExitNoWindow);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("Usage: malvoren -w WIDTH"), std::string::npos);
    EXPECT_EQ(Variables::RC, "\n");  // the first step of every start
}

TEST_F(AppTest, DesktopMarkerSkipsBatchMode) {
    platform::ScopedScriptedDialogs dialogs;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(App::Run({"/opt/malvoren", "-psn_0_4711", "-q", "5"}, out, err), App::kExitNoWindow);
    EXPECT_TRUE(dialogs->shown.empty());          // no option was looked at
    EXPECT_TRUE(Language::Messages[13].empty());  // batch mode did not fill the table
}

TEST_F(AppTest, InstalledMainWindowOpensWhenBatchModeDoesNotEndTheRun) {
    ScopedEnv display{"QT_QPA_PLATFORM", "xcb"};
    ScopedEnv headless{"MALVOREN_HEADLESS", std::nullopt};
    platform::ScopedScriptedDialogs dialogs;
    int opened = 0;
    App::SetMainWindowOpener([&] {
        ++opened;
        return 7;
    });
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(App::Run({"/opt/malvoren", "-w", "1024", "-r", "zoom"}, out, err), 7);
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0],
              "Unknown command \"-r zoom\"\nAvailable resize parameters are:\nsimple / border / "
              "browser");
}

TEST_F(AppTest, WithADisplayButNoMainWindowTheRunSaysSo) {
    ScopedEnv display{"QT_QPA_PLATFORM", "xcb"};
    ScopedEnv headless{"MALVOREN_HEADLESS", std::nullopt};
    platform::ScopedScriptedDialogs dialogs;  // someone can answer
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(App::Run({"/opt/malvoren"}, out, err), App::kExitNoWindow);
    EXPECT_NE(err.str().find("main window is not available"), std::string::npos);
}

TEST_F(AppTest, UnhandledReportHeadlessWritesItsTextAndExitsWithTwo) {
    Variables::RC = "\n";
    Language::SetMessages();
    std::ostringstream err;
    const auto outcome = App::Event_UnhandledException("disk on fire", {"Step A", "Step B"}, err);
    EXPECT_EQ(outcome.exitStatus, App::kExitUnhandled);
    EXPECT_EQ(err.str(),
              "An unhandled exception occurred.\nThe program might close.\n"
              "disk on fire\n\nPlease send this information to the developer.\nStep A\nStep B\n");
    EXPECT_EQ(ReadAll(app / "Malvoren log.txt"), "\n**Exception\nUnhandeld Exception\n--");
}

TEST_F(AppTest, UnhandledReportOffersQuitAndContinue) {
    ScopedEnv display{"QT_QPA_PLATFORM", "xcb"};
    ScopedEnv headless{"MALVOREN_HEADLESS", std::nullopt};
    Variables::RC = "\n";
    platform::ScopedScriptedDialogs dialogs;
    dialogs->QueueButton(platform::DialogButton::Action);
    dialogs->QueueButton(platform::DialogButton::Cancel);
    std::ostringstream err;
    // The table is still empty: the dialog's message is empty, its explanation begins with
    // the failure's own (empty) message.
    EXPECT_EQ(App::Event_UnhandledException("", {}, err).exitStatus, App::kExitOk);
    EXPECT_EQ(App::Event_UnhandledException("x", {}, err).exitStatus, std::nullopt);
    ASSERT_EQ(dialogs->dialogs.size(), 2u);
    const platform::MessageDialogSpec& first = dialogs->dialogs[0];
    EXPECT_EQ(first.message, "");
    EXPECT_EQ(first.explanation, "\n\nPlease send this information to the developer.\n");
    EXPECT_EQ(first.actionCaption, "Quit");
    EXPECT_EQ(first.cancelCaption, "Continue");
    EXPECT_EQ(err.str(), "");
    // Each report appends its three records.
    EXPECT_EQ(ReadAll(app / "Malvoren log.txt"),
              "\n**Exception\nUnhandeld Exception\n--\n**Exception\nUnhandeld Exception\n--");
}

TEST_F(AppTest, UnhandledReportUnderOffscreenAsksTheScriptedProvider) {
    // The installed provider, not Qt's platform name, decides: an in-process window test sees
    // the interactive report.
    ScopedEnv offscreen{"QT_QPA_PLATFORM", "offscreen"};
    Variables::RC = "\n";
    platform::ScopedScriptedDialogs dialogs;
    dialogs->QueueButton(platform::DialogButton::Cancel);
    std::ostringstream err;
    EXPECT_EQ(App::Event_UnhandledException("x", {}, err).exitStatus, std::nullopt);
    ASSERT_EQ(dialogs->dialogs.size(), 1u);
    EXPECT_EQ(dialogs->dialogs[0].actionCaption, "Quit");
    EXPECT_EQ(dialogs->dialogs[0].cancelCaption, "Continue");
    EXPECT_EQ(err.str(), "");
}

TEST_F(AppTest, ReportNamesTheKindOfFailure) {
    Variables::RC = "\n";
    std::ostringstream err;
    App::ReportException(platform::NilObjectException("no picture"), err);
    EXPECT_NE(err.str().find("no picture\n\nPlease send this information to the developer.\n"
                             "NilObjectException"),
              std::string::npos);
}

TEST_F(AppTest, JobLogOfTheReportFallsBackWhenTheFolderIsNotWritable) {
    fs::create_directory(app / "Malvoren log.txt");  // cannot be appended to
    Variables::RC = "\n";
    std::ostringstream err;
    EXPECT_EQ(App::Event_UnhandledException("x", {}, err).exitStatus, App::kExitUnhandled);
}

}  // namespace
