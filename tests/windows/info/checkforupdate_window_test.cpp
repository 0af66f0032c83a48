#include "windows/info/checkforupdate_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/timer.h"
#include "platform/widgets/label.h"
#include "support/scoped_env.h"
#include "update_server.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::DialogButton;
using testsupport::ClickCentre;

const char kRequest[] = "GET /Malvoren/version.txt HTTP/1.1";
const char kCheckTime[] = "2026-01-15 10:00:00";  // the manual clock's start
const char kEarlierTime[] = "2025-12-01 08:00:00";
const char kNoReply[] = "Unable to contact the webserver.";

class UpdateWindowTest : public testsupport::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        INI_Read_Write::Latest_Version = false;
        INI_Read_Write::UpdateLater = true;
        INI_Read_Write::LastCheck = platform::DateTime{2025, 12, 1, 8, 0, 0};
    }
    CheckForUpdate_Window& Open() {
        window = new CheckForUpdate_Window(updatecheck::LocalVersion{3, 9, 5});
        window->Show();
        return *window;
    }
    void Press() { ClickCentre(window->PushButton1()); }
    static std::string LastCheck() {
        return INI_Read_Write::LastCheck ? INI_Read_Write::LastCheck->SQLDateTime() : "none";
    }
    bool Closed() const { return !window || window->IsClosed(); }
    void ExpectMessage(const std::string& text) {
        ASSERT_FALSE(Closed());
        EXPECT_EQ(window->Height(), 99);  // 54 + 25 + 20
        EXPECT_TRUE(window->TextMessage().Visible());
        EXPECT_EQ(window->TextMessage().Text(), text);
        EXPECT_EQ(window->PushButton1().Caption(), "Close");
        EXPECT_TRUE(window->ProgressWheel1().Visible());  // it keeps turning
    }

    ScopedEnv online{"MALVOREN_OFFLINE", std::nullopt};
    platform::ScopedManualTimers timers;
    platform::ScopedRecordingLauncher launcher;
    QPointer<CheckForUpdate_Window> window;
};

TEST_F(UpdateWindowTest, OpensReady) {
    CheckForUpdate_Window& w = Open();
    EXPECT_EQ(w.Title(), "Check for update");  // not the stored "Check for Update"
    EXPECT_EQ(w.Width(), 260);
    EXPECT_EQ(w.Height(), 66);
    EXPECT_EQ(w.PushButton1().Caption(), "Check");
    EXPECT_EQ(w.PushButton1().MyStyle.WidthMode, 0);
    EXPECT_FALSE(w.ProgressWheel1().Visible());
    EXPECT_FALSE(w.TextMessage().Visible());
}

TEST_F(UpdateWindowTest, TitleAndCaptionsGoThroughTheLanguageEvenInEnglish) {
    testsupport::UseLanguage("English", {{"Check for update", "Update?"}, {"Check", "Go"}});
    CheckForUpdate_Window& w = Open();
    EXPECT_EQ(w.Title(), "Update?");
    EXPECT_EQ(w.PushButton1().Caption(), "Go");
}

TEST_F(UpdateWindowTest, UpToDateShowsItsMessageAndASecondPressCloses) {
    infotest::UpdateServer server("3.9.5*http://x/dl*Notes");
    Open();
    Press();
    ExpectMessage("Your version is up-to-date");
    EXPECT_EQ(LastCheck(), kCheckTime);
    EXPECT_FALSE(INI_Read_Write::UpdateLater);  // cleared, though it was set
    EXPECT_TRUE(INI_Read_Write::Latest_Version);
    Press();
    EXPECT_TRUE(Closed());
    EXPECT_EQ(server.requests, std::vector<std::string>{kRequest});  // never a second check
}

TEST_F(UpdateWindowTest, UpToDateMessageIsTheTranslatedMessage41) {
    infotest::UpdateServer server("3.9.5*http://x/dl*Notes");
    Language::Messages[41] = "Votre version est à jour";
    testsupport::UseLanguage("Français", {{"Close", "Fermer"}});
    Open();
    Press();
    EXPECT_EQ(window->TextMessage().Text(), "Votre version est à jour");
    EXPECT_EQ(window->PushButton1().Caption(), "Fermer");
    Press();
    EXPECT_TRUE(Closed());
}

TEST_F(UpdateWindowTest, EmptyReplyChangesNothing) {
    infotest::UpdateServer server("");
    Open();
    Press();
    ExpectMessage(kNoReply);
    EXPECT_EQ(LastCheck(), kEarlierTime);
    EXPECT_TRUE(INI_Read_Write::UpdateLater);
    EXPECT_FALSE(INI_Read_Write::Latest_Version);
}

TEST_F(UpdateWindowTest, SilentServerTimesOutOnTheTimerDriver) {
    infotest::UpdateServer server("3.10.0*http://x/dl*Notes");
    server.silent = true;
    server.onSilentRequest = [this] { timers->Advance(80'000); };
    Open();
    Press();
    ExpectMessage(kNoReply);
    EXPECT_EQ(LastCheck(), kEarlierTime);
}

// The server was reached: its answer, not the connection, is at fault, and the window stays
// usable instead of reporting an unhandled failure.
TEST_F(UpdateWindowTest, VersionTooShortToCompareSaysTheAnswerCouldNotBeRead) {
    struct Case {
        const char* reply;
        updatecheck::LocalVersion local;
    };
    // The major numbers are equal, so the comparison needs the minor that the field lacks.
    for (const Case& c :
         {Case{"3*http://x/dl*Notes", {3, 9, 5}}, Case{"0*http://x*notes", {0, 1, 0}}}) {
        infotest::UpdateServer server(c.reply);
        INI_Read_Write::LastCheck = platform::DateTime{2025, 12, 1, 8, 0, 0};
        window = new CheckForUpdate_Window(c.local);
        window->Show();
        Press();
        ExpectMessage("Unable to read the webserver's answer.");
        EXPECT_TRUE(dialogs->dialogs.empty()) << c.reply;  // no report with "Quit", "Continue"
        EXPECT_EQ(LastCheck(), kCheckTime) << c.reply;     // taken before the comparison
        Press();
        EXPECT_TRUE(Closed()) << c.reply;
    }
}

TEST_F(UpdateWindowTest, NoNetworkOnPressShowsMessage51AndStaysReady) {
    ScopedEnv offline("MALVOREN_OFFLINE", "1");
    infotest::UpdateServer server("3.10.0*http://x/dl*Notes");
    Open();
    Press();
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"You aren't actually connected on Internet. Please get a "
                                       "connection and try again."});
    EXPECT_TRUE(server.requests.empty());
    EXPECT_FALSE(Closed());
    EXPECT_EQ(window->Height(), 66);
    EXPECT_EQ(window->PushButton1().Caption(), "Check");
    EXPECT_FALSE(window->ProgressWheel1().Visible());
}

TEST_F(UpdateWindowTest, LaterClosesTheWindowAndSetsLater) {
    infotest::UpdateServer server("3.10.0*http://x/dl*Notes");
    INI_Read_Write::UpdateLater = false;
    dialogs->QueueButton(DialogButton::Alternate);
    Open();
    Press();
    ASSERT_EQ(dialogs->dialogs.size(), 1u);
    EXPECT_EQ(dialogs->dialogs[0].message,
              "NewVersion3.10.0 of this application is available for download.");
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(INI_Read_Write::UpdateLater);
    EXPECT_FALSE(INI_Read_Write::Latest_Version);
    EXPECT_EQ(LastCheck(), kCheckTime);
    EXPECT_TRUE(launcher->requests.empty());
}

TEST_F(UpdateWindowTest, DownloadOpensTheAddressAndClosesTheWindow) {
    infotest::UpdateServer server("3.10.0*https://example.org/dl*Notes");
    dialogs->QueueButton(DialogButton::Action);
    Open();
    Press();
    EXPECT_EQ(launcher->requests, std::vector<std::string>{"url:https://example.org/dl"});
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(INI_Read_Write::UpdateLater);
}

TEST_F(UpdateWindowTest, MarkerOffersAnyVersionAndKeepsTheLastCheck) {
    infotest::UpdateServer server("1.0*http://x/dl*DOWNGRADE to the stable one");
    dialogs->QueueButton(DialogButton::Alternate);
    Open();
    Press();
    ASSERT_EQ(dialogs->dialogs.size(), 1u);
    EXPECT_EQ(dialogs->dialogs[0].explanation,
              "This new version may include new features or bug fixes.\n\nDOWNGRADE to the "
              "stable one");
    EXPECT_EQ(LastCheck(), kEarlierTime);
    EXPECT_TRUE(Closed());
}

}  // namespace
