// Runs under a real X server (xvfb-run): the main window as the program opens it, the example
// skin chosen in the real file dialog, and a picture of each of the four pages written to the
// build tree's "rendered" folder for a person to look at.
#include "app/ini_read_write.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "platform/dialogs.h"
#include "platform/widgets/pagepanel.h"
#include "platform/widgets/qt_dialogs.h"
#include "support/inspection.h"
#include "support/screenshot.h"
#include "windows/main/main_window.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// The program's own window (MainWindow::Instance) with the real file dialogs.
class MainWindowSmoke : public testsupport::MainWindowFixture {
protected:
    MainWindowSmoke()
        : MainWindowFixture(Opening::ByTest) {}
};

TEST_F(MainWindowSmoke, TheExampleSkinOnEveryPage) {
    ASSERT_NE(QGuiApplication::platformName(), "offscreen") << "run me under xvfb-run";
    // The example skin is copied first: the tool must be able to write beside its input.
    for (const char* name : {"tidewater.xml", "tidewater.png"})
        fs::copy_file(fs::path(MALVOREN_SOURCE_DIR) / "examples" / name, temp / name);
    // A settings file with every notice off: the opening then waits for no box.
    fs::create_directories(temp / "cfg" / "Malvoren Tool");
    temp.Write("cfg/Malvoren Tool/Config.ini", "[Params]\nRunOnce=1*\n");
    auto previous = platform::SetDialogs(std::make_unique<platform::QtDialogs>());

    MainWindow& window = MainWindow::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // The user presses "..." and picks the skin in the real open dialog.
    const std::string skin = (temp / "tidewater.xml").string();
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(skin));
        static_cast<QDialog*>(dialog)->accept();
        answered = true;
    });
    window.Input_Button_Action();
    ASSERT_TRUE(answered);
    EXPECT_EQ(window.InputXML_EditField().Text(), skin);
    EXPECT_EQ(window.Width_input_EditField().Text(), "1024");
    EXPECT_EQ(window.Display_Format_EditField().Text(), "4/3");
    window.Width_Output_EditField().SetText("1280");
    EXPECT_EQ(window.Height_Output_EditField().Text(), "960");
    window.OutputXML_EditField().SetText((temp / "tidewater-1280x960.xml").string());

    for (int page = 0; page < 4; ++page) {
        window.Breadcrumbs().SetValue(page);
        ASSERT_EQ(window.PagePanel1().Value(), page);
        const QImage shot = testsupport::Screenshot(window);
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(shot.width(), 560);
        testsupport::SaveForInspection(shot, "main_window_page" + std::to_string(page));
    }
    delete &window;
    platform::SetDialogs(std::move(previous));
}

// Without a Desktop folder and with no folder remembered, the skin chooser opens in the home
// folder with nothing typed as the file name.
TEST_F(MainWindowSmoke, TheSkinChooserWithoutADesktopStartsAtHomeWithNoName) {
    ASSERT_NE(QGuiApplication::platformName(), "offscreen") << "run me under xvfb-run";
    // The fixture's home folder is the temporary folder, which holds no "Desktop".
    ASSERT_FALSE(fs::exists(temp / "Desktop"));
    fs::create_directories(temp / "cfg" / "Malvoren Tool");
    temp.Write("cfg/Malvoren Tool/Config.ini", "[Params]\nRunOnce=1*\n");
    auto previous = platform::SetDialogs(std::make_unique<platform::QtDialogs>());

    MainWindow& w = MainWindow::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    INI_Read_Write::Open_directory.clear();
    QString folder;
    QString typed = "unread";
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const QImage shot = testsupport::Screenshot(*dialog);
        testsupport::SaveForInspection(shot, "main_window_skin_chooser_without_desktop");
        folder = dialog->directory().absolutePath();
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            typed = name->text();
        dialog->reject();
    });
    w.Input_Button_Action();
    EXPECT_EQ(folder.toStdString(), temp.Path().string());
    EXPECT_EQ(typed.toStdString(), "");
    EXPECT_EQ(w.InputXML_EditField().Text(), "");
    delete &w;
    platform::SetDialogs(std::move(previous));
}

}  // namespace
