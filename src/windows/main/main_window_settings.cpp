// The settings file as the main window takes it when it opens and writes it when it closes.

#include "app/app.h"
#include "app/batch.h"
#include "app/gui/menu_bar.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/line_terminator.h"
#include "messages/run_once.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/screen.h"
#include "platform/widgets/menubar_view.h"
#include "windows/info/update_check.h"
#include "windows/main/main_window.h"
#include "windows/main/main_window_rules.h"
#include "windows/main/settings_rules.h"

#include <QTimer>

#include <exception>

namespace {

constexpr std::int32_t kStartNoticeId = 1;

std::string StartNotice(const std::string& rc) {
    const std::string gap = rc + rc;
    return "Thank you for downloading the Malvoren Tool." + gap +
           "According to the License Agreement you read and accepted before installing this "
           "tool, please remember:" +
           gap + "- Skins are copyrighted to their respective owners -" + gap +
           "Before you share a resized skin on the VirtualDJ website, ask its creators for "
           "their authorization." +
           gap +
           "This message will appear each time you open this tool. To disable this message, "
           "please tick the box below.";
}

}  // namespace

void MainWindow::Event_Open() {
    // A failure stops the opening where it happens: what was done stays, the window stays
    // open, and the user is told once.
    try {
        ApplySettingsFile();
        SetLanguage(false);
        // The window always opens with "Smart" chosen; its handler unticks the others.
        SmartResize_CheckBox().SetValue(true);
        SetIcons();
        Input_Button().SetFocus();
    } catch (const platform::ThreadEndException&) {
        // Built during a command-line job that is being ended: the job's end goes on.
        throw;
    } catch (const std::exception&) {
        platform::MsgBox("Exception in the Open Event of the Main Window");
    }
    platform::Window::Event_Open();
}

void MainWindow::ApplySettingsFile() {
    using namespace INI_Read_Write;
    const platform::FolderItem folder = platform::PreferencesFolder().Child("Malvoren Tool");
    const bool haveFile = folder.Exists() && folder.Child("Config.ini").Exists();
    const platform::DateTime today = platform::Now();
    LastCheck = today;
    Variables::DeleteJobLog();
    Variables::GetTarquellPath();
    // The bar was mirrored when the window was laid out, before the sibling tool's item was
    // inserted into the File menu.
    if (platform::MenuBarView* view = MenuBarViewOf())
        view->Rebuild();

    std::string text;
    if (!haveFile)
        platform::MsgBox("Press F8 on keyboard to change language.");
    else
        text = ConfigText();
    const ConfigValues stored = ReadConfig(text, today);

    if (!stored.lang.empty())
        Lang = stored.lang;
    Language::ReadLanguage();

    const platform::ScreenArea screen = platform::MainScreen();
    SetLeft(stored.window.left);
    SetTop(stored.window.top);
    const mainwindow::Placement at =
        mainwindow::PlaceOnScreen(Left(), Top(), Width(), Height(), screen.width, screen.height,
                                  screen.availableWidth, screen.availableHeight);
    SetLeft(at.left);
    SetTop(at.top);

    Open_directory = stored.openDirectory;
    Save_directory = stored.saveDirectory;
    Resize_Skin_CheckBox().SetValue(stored.window.resizeSkinChecked);
    Mac_CheckBox().SetValue(stored.window.macChecked);
    Width_Output_EditField().SetText(stored.window.widthOutputText);
    Height_Output_EditField().SetText(stored.window.heightOutputText);
    Variables::No_FontChange = stored.noFontChange;
    // "0" stands for the screen's own size; any other text ("0.0" too) is kept as written.
    if (Width_Output_EditField().Text() == "0")
        Width_Output_EditField().SetText(std::to_string(screen.width));
    if (Height_Output_EditField().Text() == "0")
        Height_Output_EditField().SetText(std::to_string(screen.height));
    Variables::Change_Color = stored.changeColor;
    // Without a stored list the built-in one stays.
    if (!stored.runOnce.empty())
        RunOnce = stored.runOnce;

    AutoUpdate = stored.autoUpdate;
    Latest_Version = stored.latestVersion;
    UpdateLater = stored.updateLater;
    Software_Version = stored.softwareVersion;

    CreateTabCanvas(false);

    Variables::P_Border_Color = stored.borderColor;
    // The picker took its colour when it was built: it shows the one read from now on.
    Border_Color_EditField().SetMyColor(Variables::P_Border_Color);
    Browser::Browser_Color = stored.browserColor;
    Browser::B_Background_Picture = stored.browserPicture;
    Variables::Window_Open = stored.windowOpen;

    // The notice's suppression (id 1, or every notice off) is the message window's rule; the
    // notice does not hold up the opening.
    App::ShowMessageWindow(StartNotice(Variables::RC), kStartNoticeId);

    if (AutoUpdate) {
        LastCheck = stored.lastCheck;
        if (mainwindow::UpdateCheckDue(*stored.lastCheck, today, UpdateLater))
            Check();
    }
}

void MainWindow::Check() {
    updatecheck::Check(this);
}

bool MainWindow::Event_CancelClose(bool appQuitting) {
    m_closingToQuit = appQuitting;
    return platform::Window::Event_CancelClose(appQuitting);
}

void MainWindow::Event_Close() {
    // A file that cannot be written is reported by the writer, and the old one stays whole.
    INI_Read_Write::WriteConfig(SettingsFields());
    platform::Window::Event_Close();
    // Closed by a quit, the quit ends the loop itself. Closed alone, the window quits the
    // program, which asks the other windows; from inside this close the quit would close this
    // window a second time, so it runs once the close has ended.
    if (!m_closingToQuit)
        QTimer::singleShot(0, [] { App::Quit(App::kExitOk); });
}
