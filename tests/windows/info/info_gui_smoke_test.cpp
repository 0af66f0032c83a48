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
#include "platform/widgets/label.h"
#include "platform/widgets/listbox.h"
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
    auto* w = new CheckForUpdate_Window(UpdateCheck::LocalVersion{3, 9, 5});
    w->Show();
    testsupport::ClickCentre(w->PushButton1());
    ASSERT_EQ(w->TextMessage().Text(), "Your version is up-to-date");
    Photograph(*w, "info_update_window", 260, 99);
}

TEST_F(InfoGuiSmokeTest, TranslationEditorWithColouredRows) {
    Resources::ResetResources();
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
