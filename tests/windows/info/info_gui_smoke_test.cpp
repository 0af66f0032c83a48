// The message window, About, the update window after a check and the translation editor,
// shown for real on an X server and photographed into the build tree.
#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/resources.h"
#include "kit/buttons/ui_button.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/screen.h"
#include "platform/widgets/label.h"
#include "platform/widgets/listbox.h"
#include "platform/widgets/qt_dialogs.h"
#include "support/inspection.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"
#include "update_server.h"
#include "windows/info/about_window.h"
#include "windows/info/checkforupdate_window.h"
#include "windows/info/message_window.h"
#include "windows/info/translate_window.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <vector>

namespace {

class InfoGuiSmokeTest : public testsupport::WindowFixture {};

void Photograph(QWidget& window, const std::string& name, int width, int height) {
    const QImage shot = testsupport::Screenshot(window);
    ASSERT_FALSE(shot.isNull()) << name;
    EXPECT_GE(shot.width(), width) << name;
    EXPECT_GE(shot.height(), height) << name;
    testsupport::SaveForInspection(shot, name);
}

TEST_F(InfoGuiSmokeTest, MessageWindowWithALongNotice) {
    Message_Window& w = Message_Window::Instance();
    w.Disp(
        "Welcome to Malvoren Tool. Choose a skin, the size it should have and a method, "
        "then press \"Do the Job\": the resized skin is written beside the original, "
        "which is never changed.",
        1, nullptr);
    Photograph(w, "info_message_window", 367, 130);
}

TEST_F(InfoGuiSmokeTest, AboutWindow) {
    About_Window& w = About_Window::ShowAbout(nullptr);
    Photograph(w, "info_about_window", 316, 307);
}

TEST_F(InfoGuiSmokeTest, UpdateWindowAfterACheck) {
    infotest::UpdateServer server("3.9.5*http://127.0.0.1/dl*Notes");
    auto* w = new CheckForUpdate_Window(updatecheck::LocalVersion{3, 9, 5});
    w->Show();
    testsupport::ClickCentre(w->PushButton1());
    ASSERT_EQ(w->TextMessage().Text(), "Your version is up-to-date");
    Photograph(*w, "info_update_window", 260, 99);
}

// The update offer with 200 lines of notes, as the start-up check or the window shows it: the
// dialog lies wholly on the screen with its buttons, the notes scroll inside it, and Escape
// answers "Later".
TEST_F(InfoGuiSmokeTest, UpdateOfferWithLongNotesFitsTheScreenAndEscapeIsLater) {
    std::string notes;
    for (int i = 1; i <= 200; ++i)
        notes += "- fixed case " + std::to_string(i) + " of the release notes\n";
    infotest::UpdateServer server("3.10.0*http://127.0.0.1/dl*" + notes);
    auto previous = platform::SetDialogs(std::make_unique<platform::QtDialogs>());
    platform::ScopedRecordingLauncher launcher;
    INI_Read_Write::UpdateLater = false;
    const platform::ScreenRect area = platform::AvailableArea();
    QRect frame;
    std::vector<QRect> buttons;
    bool scrolls = false;
    bool seen = false;
    // The dialog follows the server's reply: looked for until it shows.
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = dynamic_cast<platform::MessageDialogWindow*>(QApplication::activeModalWidget());
        if (!box || seen)
            return;
        seen = true;
        poll.stop();
        Photograph(*box, "info_update_offer_long_notes", 300, 100);
        frame = box->frameGeometry();
        for (QPushButton* b : box->findChildren<QPushButton*>())
            buttons.push_back(QRect(b->mapTo(box, QPoint(0, 0)), b->size()).translated(box->pos()));
        scrolls = box->TextView().verticalScrollBar()->isVisible();
        QTest::keyClick(box->Button(platform::DialogButton::Action), Qt::Key_Escape);
    });
    poll.start();
    QPointer<CheckForUpdate_Window> w =
        new CheckForUpdate_Window(updatecheck::LocalVersion{3, 9, 5});
    w->Show();
    testsupport::ClickCentre(w->PushButton1());
    platform::SetDialogs(std::move(previous));
    ASSERT_TRUE(seen);
    const QRect screen(area.left, area.top, area.width, area.height);
    EXPECT_TRUE(screen.contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    ASSERT_EQ(buttons.size(), 2u);  // "Download" and "Later"
    for (const QRect& b : buttons)
        EXPECT_TRUE(screen.contains(b));
    EXPECT_TRUE(scrolls);
    EXPECT_TRUE(INI_Read_Write::UpdateLater);  // "Later"
    EXPECT_TRUE(launcher->requests.empty());   // never "Download"
    EXPECT_TRUE(!w || w->IsClosed());
}

TEST_F(InfoGuiSmokeTest, TranslationEditorWithColouredRows) {
    resources::ResetResources();
    testsupport::TempFolder folder;
    const auto file = folder.Write("fr.lng",
                                   "[Lang=Français]\nFile=Fichier\nQuit=Quit\nOptions=options\n"
                                   "Settings=Réglages\n");
    platform::ScopedScriptedDialogs dialogs;
    dialogs->QueueOpenFile(file.string());
    Translate_Window& w = Translate_Window::Instance();
    w.Show();
    w.OpenLangPushButton_Action();
    ASSERT_TRUE(w.FileOpened());
    Photograph(w, "info_translate_window", 540, 343);
}

}  // namespace
