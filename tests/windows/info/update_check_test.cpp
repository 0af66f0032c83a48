#include "windows/info/update_check.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/timer.h"
#include "support/scoped_env.h"
#include "update_server.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::DialogButton;

const char kRequest[] = "GET /Malvoren/version.txt HTTP/1.1";
// The manual clock starts at 2026-01-15 10:00:00.
const char kCheckTime[] = "2026-01-15 10:00:00";
const char kEarlierTime[] = "2025-12-01 08:00:00";
const updatecheck::LocalVersion kLocal{3, 9, 5};

class StartupCheckTest : public testsupport::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        INI_Read_Write::Latest_Version = false;
        INI_Read_Write::UpdateLater = false;
        INI_Read_Write::LastCheck = platform::DateTime{2025, 12, 1, 8, 0, 0};
    }
    static std::string LastCheck() {
        return INI_Read_Write::LastCheck ? INI_Read_Write::LastCheck->SQLDateTime() : "none";
    }

    ScopedEnv online{"MALVOREN_OFFLINE", std::nullopt};
    platform::ScopedManualTimers timers;
    platform::ScopedRecordingLauncher launcher;
};

struct CompareCase {
    const char* name;
    const char* reply;
    bool offered;
    bool latestVersion;
    const char* lastCheck;
};
const CompareCase kCompareCases[] = {
    // clang-format off
    {"MinorTenIsNewerThanNine", "3.10.0*http://x/dl*Notes",         true,  false, kCheckTime},
    {"MajorAloneIsNewer",       "4*http://x/dl*Notes",              true,  false, kCheckTime},
    {"LeadingNumberOfAPart",    "3.10beta*http://x/dl*Notes",       true,  false, kCheckTime},
    {"SameIsNotNewer",          "3.9.5*http://x/dl*Notes",          false, true,  kCheckTime},
    {"OlderBugFix",             "3.9.4*http://x/dl*Notes",          false, true,  kCheckTime},
    {"OlderMajor",              "2.99.99*http://x/dl*Notes",        false, true,  kCheckTime},
    {"MarkerOffersAnOlderOne",  "1.0.0*http://x/dl*Please downgrade", true, false, kCheckTime},
    // The comparison fails at the minor: silent, Latest_Version already true, time kept.
    {"TooShortFailsSilently",   "3*http://x/dl*Notes",              false, true,  kEarlierTime},
    {"EmptyReplyFailsSilently", "",                                 false, true,  kEarlierTime},
    {"ErrorPageReadsAsVersion0","<html>Not found</html>",           false, true,  kCheckTime},
    // clang-format on
};

class StartupCompareTest : public StartupCheckTest,
                           public ::testing::WithParamInterface<CompareCase> {};

TEST_P(StartupCompareTest, OneRequestThenTheDialogOrNothing) {
    infotest::UpdateServer server(GetParam().reply);
    dialogs->QueueButton(DialogButton::Alternate);  // "Later", should the dialog come
    updatecheck::Check(nullptr, kLocal);
    EXPECT_EQ(server.requests, std::vector<std::string>{kRequest});
    EXPECT_EQ(dialogs->dialogs.size(), GetParam().offered ? 1u : 0u);
    EXPECT_TRUE(dialogs->shown.size() == dialogs->dialogs.size());  // no other message
    EXPECT_EQ(INI_Read_Write::Latest_Version, GetParam().latestVersion);
    EXPECT_EQ(INI_Read_Write::UpdateLater, GetParam().offered);
    EXPECT_EQ(LastCheck(), GetParam().lastCheck);
    EXPECT_TRUE(launcher->requests.empty());
}
INSTANTIATE_TEST_SUITE_P(Versions, StartupCompareTest, ::testing::ValuesIn(kCompareCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupCheckTest, DialogTextsAndButtons) {
    infotest::UpdateServer server("3.10.0*http://x/dl*Bug fixes");
    dialogs->QueueButton(DialogButton::Alternate);
    updatecheck::Check(nullptr, kLocal);
    ASSERT_EQ(dialogs->dialogs.size(), 1u);
    const platform::MessageDialogSpec& d = dialogs->dialogs[0];
    EXPECT_EQ(d.icon, platform::DialogIcon::Question);
    EXPECT_EQ(d.actionCaption, "Download");
    EXPECT_EQ(d.alternateCaption, "Later");
    EXPECT_EQ(d.cancelCaption, "");
    EXPECT_EQ(d.message, "New Version3.10.0 of this application is available for download.");
    EXPECT_EQ(d.explanation,
              "This new version may include new features or bug fixes.\n\nBug fixes");
}

TEST_F(StartupCheckTest, FrenchNotesForAFrenchUserWhenTagged) {
    infotest::UpdateServer server("3.10.0*http://x/dl*English*fr*Corrections");
    testsupport::UseLanguage("Français", {{"New Version", "Nouvelle version "}});
    dialogs->QueueButton(DialogButton::Alternate);
    updatecheck::Check(nullptr, kLocal);
    ASSERT_EQ(dialogs->dialogs.size(), 1u);
    EXPECT_EQ(dialogs->dialogs[0].message,
              "Nouvelle version 3.10.0 of this application is available for download.");
    EXPECT_EQ(dialogs->dialogs[0].explanation,
              "This new version may include new features or bug fixes.\n\nCorrections");
}

TEST_F(StartupCheckTest, DownloadOpensTheAddressAndClearsLater) {
    infotest::UpdateServer server("3.10.0*http://example.org/dl*Notes");
    INI_Read_Write::UpdateLater = true;
    dialogs->QueueButton(DialogButton::Action);
    updatecheck::Check(nullptr, kLocal);
    EXPECT_EQ(launcher->requests, std::vector<std::string>{"url:http://example.org/dl"});
    EXPECT_FALSE(INI_Read_Write::UpdateLater);
    EXPECT_FALSE(INI_Read_Write::Latest_Version);
    EXPECT_EQ(LastCheck(), kCheckTime);
}

TEST_F(StartupCheckTest, OnlyWebAddressesAreOpened) {
    infotest::UpdateServer server("3.10.0*file:///etc/passwd*Notes");
    dialogs->QueueButton(DialogButton::Action);
    updatecheck::Check(nullptr, kLocal);
    EXPECT_EQ(launcher->requests, std::vector<std::string>{"refused:file:///etc/passwd"});
}

TEST_F(StartupCheckTest, NotConnectedAsksNothingAndChangesNothing) {
    ScopedEnv offline("MALVOREN_OFFLINE", "1");
    infotest::UpdateServer server("3.10.0*http://x/dl*Notes");
    updatecheck::Check(nullptr, kLocal);
    EXPECT_TRUE(server.requests.empty());
    EXPECT_TRUE(dialogs->dialogs.empty());
    EXPECT_FALSE(INI_Read_Write::Latest_Version);
    EXPECT_EQ(LastCheck(), kEarlierTime);
}

TEST_F(StartupCheckTest, SilentServerTimesOutOnTheTimerDriver) {
    infotest::UpdateServer server("3.10.0*http://x/dl*Notes");
    server.silent = true;
    // The request waits in its own loop; 80 s on the driver end the wait.
    server.onSilentRequest = [this] { timers->Advance(80'000); };
    const std::int64_t start = timers->NowMs();
    updatecheck::Check(nullptr, kLocal);
    EXPECT_EQ(server.requests, std::vector<std::string>{kRequest});
    EXPECT_TRUE(dialogs->dialogs.empty());
    EXPECT_TRUE(INI_Read_Write::Latest_Version);
    EXPECT_EQ(LastCheck(), kEarlierTime);
    EXPECT_EQ(timers->NowMs() - start, 80'000);
}

TEST_F(StartupCheckTest, LocalVersionOfTheBuildByDefault) {
    const updatecheck::LocalVersion v = updatecheck::CurrentVersion();
    const std::string current =
        std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.bug);
    infotest::UpdateServer server(current + "*http://x/dl*Notes");
    updatecheck::Check(nullptr);
    EXPECT_TRUE(dialogs->dialogs.empty());
    EXPECT_TRUE(INI_Read_Write::Latest_Version);
}

}  // namespace
