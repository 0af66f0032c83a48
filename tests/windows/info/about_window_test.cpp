#include "windows/info/about_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "kit/buttons/ui_button.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/beep.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/version.h"
#include "platform/widgets/label.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

#include <string>
#include <vector>

namespace {

using abouttext::Link;
using testsupport::Click;

TEST(AboutText, VersionLinesWithoutLeadingZerosOrFinalTerminator) {
    const platform::DateTime built{2026, 12, 11, 9, 5, 0};
    EXPECT_EQ(abouttext::VersionText(2, 10, 0, built, "\n"),
              "Malvoren Tool\nVersion: 2.10.0\nBuild Date: 2026-12-11 09:05:00");
    EXPECT_EQ(abouttext::VersionText(3, 0, 0, built, "\r"),
              "Malvoren Tool\rVersion: 3.0.0\rBuild Date: 2026-12-11 09:05:00");
}

struct HostCase {
    const char* name;
    const char* software;
    bool pcdj;
};
const HostCase kHostCases[] = {
    // clang-format off
    {"PcdjAsWritten",     "PCDJ VJ",  true},
    {"PcdjInLowerCase",   "pcdj vj",  true},
    {"PcdjMixedCase",     "Pcdj vJ",  true},
    {"EmptyIsVirtualDj",  "",         false},
    {"OtherIsVirtualDj",  "VirtualDJ", false},
    {"NearMissIsNotPcdj", "PCDJ",     false},
    // clang-format on
};

class AboutHostTest : public testsupport::WindowFixture,
                      public ::testing::WithParamInterface<HostCase> {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        platform::ResetBeepCount();
    }
    platform::ScopedRecordingLauncher launcher;
};

TEST_P(AboutHostTest, LinksFollowTheHostApplication) {
    INI_Read_Write::Software_Version = GetParam().software;
    About_Window& w = About_Window::ShowAbout(nullptr);
    const bool pcdj = GetParam().pcdj;
    EXPECT_EQ(w.StaticText1().Text(), pcdj ? "www.pcdj.com" : "https://www.virtualdj.com/");
    for (platform::Label* label : {&w.StaticText1(), &w.StaticText2(), &w.StaticText3()})
        Click(*label, QPoint(5, 5));
    const std::vector<std::string> expected =
        pcdj ? std::vector<std::string>{"url:http://www.pcdj.com",
                                        "url:http://forums.pcdj.com/private.php?do=newpm&u=25841",
                                        "url:http://forums.pcdj.com/showthread.php?t=9471"}
             : std::vector<std::string>{
                   "url:https://www.virtualdj.com/",
                   "url:https://www.virtualdj.com/homepage/action/writemail.html?userid=1316539",
                   "url:https://www.virtualdj.com/forums/action/newpost.html?topicid=151628"};
    EXPECT_EQ(launcher->requests, expected);
}
INSTANTIATE_TEST_SUITE_P(Hosts, AboutHostTest, ::testing::ValuesIn(kHostCases),
                         [](const auto& info) { return std::string(info.param.name); });

class AboutWindowTest : public testsupport::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        platform::ResetBeepCount();
    }
    platform::ScopedRecordingLauncher launcher;
};

TEST_F(AboutWindowTest, ShowsTheVersionAndStaysEnglish) {
    testsupport::UseLanguage("Français", {{"Close", "Fermer"}, {"Send PM", "Envoyer"}});
    About_Window& w = About_Window::ShowAbout(nullptr);
    EXPECT_EQ(w.Title(), "About Malvoren Tool");
    EXPECT_EQ(w.Width(), 316);
    EXPECT_EQ(w.Height(), 307);
    EXPECT_EQ(w.Version_Text().Text(),
              abouttext::VersionText(platform::MajorVersion(), platform::MinorVersion(),
                                     platform::BugVersion(), platform::BuildDate(), "\n"));
    EXPECT_EQ(w.Apply_Button().Caption(), "Close");
    EXPECT_EQ(w.StaticText2().Text(), "Send PM");
    EXPECT_EQ(w.StaticText3().Text(), "Write on forum topic");
    EXPECT_EQ(w.StaticText2().HelpTag(),
              "You will need to be loggued into VDJ's forum and be a Professional Edition User.");
    EXPECT_EQ(w.StaticText3().HelpTag(), "You will need to be loggued into VDJ's forum.");
    EXPECT_TRUE(w.StaticText1().Underline());
    EXPECT_FALSE(w.About_Text().Underline());
}

TEST_F(AboutWindowTest, TwiceGivesOneWindowAndOneBeepCloseThenAgainANewOne) {
    About_Window& first = About_Window::ShowAbout(nullptr);
    EXPECT_EQ(&About_Window::ShowAbout(nullptr), &first);
    EXPECT_EQ(platform::BeepCount(), 1);
    QPointer<About_Window> gone(&first);
    testsupport::ClickCentre(first.Apply_Button());
    EXPECT_TRUE(first.IsClosed());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    About_Window::ShowAbout(nullptr);
    EXPECT_EQ(platform::BeepCount(), 2);
}

TEST_F(AboutWindowTest, EachPressOpensThePageAgainAsTheHostNowIs) {
    About_Window& w = About_Window::ShowAbout(nullptr);
    Click(w.StaticText2(), QPoint(5, 5));
    INI_Read_Write::Software_Version = "pcdj vj";
    Click(w.StaticText2(), QPoint(5, 5));
    ASSERT_EQ(launcher->requests.size(), 2u);
    EXPECT_NE(launcher->requests[0], launcher->requests[1]);
    EXPECT_EQ(launcher->requests[1], "url:" + abouttext::Page(Link::PrivateMessage, "PCDJ VJ"));
}

TEST_F(AboutWindowTest, ALinkThatNoBrowserCanOpenIsShownInAMessageBox) {
    platform::ScopedScriptedDialogs dialogs;
    launcher->answer = false;
    About_Window& w = About_Window::ShowAbout(nullptr);
    Click(w.StaticText3(), QPoint(5, 5));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0], std::string(platform::kNoProgramForAddress) + "\n" +
                                     abouttext::Page(Link::ForumTopic, ""));
    EXPECT_FALSE(w.IsClosed());
}

TEST_F(AboutWindowTest, PointingHandOverTheLinksOnly) {
    About_Window& w = About_Window::ShowAbout(nullptr);
    for (platform::Label* label : {&w.StaticText1(), &w.StaticText2(), &w.StaticText3()}) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_EQ(label->MouseCursor(), platform::SystemCursor::FingerPointer) << label->Name();
    }
    for (platform::Label* label : {&w.About_Text(), &w.Version_Text()}) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_EQ(label->MouseCursor(), platform::SystemCursor::StandardPointer) << label->Name();
    }
}

}  // namespace
