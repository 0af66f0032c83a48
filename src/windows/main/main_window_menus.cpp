// The menus: enabling and captions before every use, the icons, the menu button's pop-up and
// the seven commands.
#include "app/gui/menu_bar.h"
#include "app/language.h"
#include "app/resources.h"
#include "engine/xml/analysis.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_menubutton.h"
#include "kit/buttons/variables_buttons.h"
#include "kit/text/ui_textfield.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/launcher.h"
#include "platform/menu.h"
#include "platform/widgets/menubar_view.h"
#include "windows/info/about_window.h"
#include "windows/info/checkforupdate_window.h"
#include "windows/info/translate_window.h"
#include "windows/main/main_window.h"
#include "windows/options/settings_window.h"

#include <exception>
#include <optional>
#include <string>

namespace {

// Where the user guide will live; the tool has no page of its own yet.
constexpr const char* kUserGuidePage = "https://www.example.org/malvoren/user-guide";

struct CaptionRow {
    const char* item;
    const char* key;
};

// In the order in which they are set. The help menu's title "&?" is no word and stays.
constexpr CaptionRow kCaptions[] = {
    {"FileMenu", "File"},
    {"FileOpenSkinFolder", "Open Skin Folder"},
    {"FileQuit", "Quit"},
    {"LicensedMenu", "Options"},
    {"LicensedReloadlastcreatedskin", "Reload Last Created Skin"},
    {"LicensedSettings", "Settings"},
    {"Translate", "Translate"},
    {"CheckforUpdate", "Check for Update"},
    {"UserGuide", "User Guide"},
    {"About", "About"},
};

struct IconRow {
    const char* item;
    platform::PicturePtr (*strip)();
};

constexpr IconRow kIcons[] = {
    {"FileOpenSkinFolder", resources::OpenFolder},
    {"LicensedReloadlastcreatedskin", resources::reload},
    {"LicensedSettings", resources::Settings_icon},
    {"CheckforUpdate", resources::Update},
    {"UserGuide", resources::UserGuide_icon},
};

// The menus that the menu button offers, in order.
constexpr const char* kMenus[] = {"FileMenu", "LicensedMenu", "Menu"};

platform::MenuItem* Item(const char* name) {
    return MenuBar1::Instance().Find(name);
}

// The host application's skins folder, or nothing when it is missing or cannot be looked at.
std::optional<platform::FolderItem> SkinFolder() noexcept {
    try {
        platform::FolderItem skins = platform::DocumentsFolder().Child("VirtualDJ").Child("Skins");
        // A file of that name is no skins folder.
        if (skins.IsFolder())
            return skins;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

void MainWindow::AddMenuHandlers() {
    SetMenuHandler("About", [this] { return _About_Action(); });
    SetMenuHandler("CheckforUpdate", [this] { return _CheckforUpdate_Action(); });
    SetMenuHandler("UserGuide", [this] { return _UserGuide_Action(); });
    SetMenuHandler("LicensedSettings", [this] { return _LicensedSettings_Action(); });
    SetMenuHandler("LicensedReloadlastcreatedskin",
                   [this] { return _LicensedReloadlastcreatedskin_Action(); });
    SetMenuHandler("FileOpenSkinFolder", [this] { return _FileOpenSkinFolder_Action(); });
    SetMenuHandler("Translate", [this] { return _Translate_Action(); });
}

void MainWindow::Event_EnableMenuItems() {
    if (platform::MenuItem* settings = Item("LicensedSettings"))
        settings->Enabled = true;
    // Reloading reads the job state's input side, which a running job is using.
    if (!LastSkin.empty() && !JobRunning()) {
        if (platform::MenuItem* reload = Item("LicensedReloadlastcreatedskin"))
            reload->Enabled = true;
    }
    // Every use, so that a language chosen in the settings shows at the next menu.
    for (const CaptionRow& row : kCaptions) {
        if (platform::MenuItem* item = Item(row.item))
            item->Text = Language::Lng(row.key);
    }
    platform::Window::Event_EnableMenuItems();
}

void MainWindow::SetIcons() {
    for (const IconRow& row : kIcons) {
        if (platform::MenuItem* item = Item(row.item))
            item->Icon = Variables::loadMaskedPicture(row.strip());
    }
}

void MainWindow::Input_Button1_Open() {
    Input_Button1().MyStyle.WidthMode = 0;
    // A plain picture, not an icon and mask strip.
    Input_Button1().Icon = resources::Menutexture();
}

void MainWindow::Input_Button1_Action() {
    // The copies take the items' states and captions as the menu bar would show them now.
    if (platform::MenuBarView* view = MenuBarViewOf())
        view->RunEnabling();
    platform::MenuItem& bar = MenuBar1::Instance();
    platform::MenuItem menu;
    for (const char* name : kMenus) {
        if (const platform::MenuItem* m = bar.Child(name))
            menu.Append(m->Clone());
    }
    const UI_MenuButton& button = Input_Button1();
    platform::MenuItem* chosen =
        menu.PopUp(Left() + button.Left(), Top() + button.Top() + button.Height());
    if (!chosen)
        return;
    // The copy has no command of its own: the menu bar's item of that name runs, as a click
    // on it would, so that items with their own command (the sibling tool's) work too.
    platform::MenuItem* original = chosen->Name.empty() ? nullptr : bar.Find(chosen->Name);
    platform::RunMenuCommand(original ? *original : *chosen);
}

bool MainWindow::_About_Action() {
    About_Window::ShowAbout(this);
    return true;
}

bool MainWindow::_CheckforUpdate_Action() {
    CheckForUpdate_Window::ShowNew();
    return true;
}

bool MainWindow::_UserGuide_Action() {
    platform::ShowURL(kUserGuidePage);
    return true;
}

bool MainWindow::_LicensedSettings_Action() {
    SettingsWindow::OpenNew();
    return true;
}

bool MainWindow::_LicensedReloadlastcreatedskin_Action() {
    // The menu item is disabled while a job runs; a command that still arrives would change
    // the input side under the job.
    if (JobRunning())
        return true;
    // A skin that can no longer be read is reported by the analysis; the rest still runs.
    if (!LastSkin.empty())
        Variables::Lecture(LastSkin);
    OutputXML_EditField().SetText("");
    const std::string input = InputXML_EditField().Text();
    if (!input.empty())
        Variables::Input_Filename = platform::FolderItem(input).Name();
    return true;
}

bool MainWindow::_FileOpenSkinFolder_Action() {
    if (const std::optional<platform::FolderItem> skins = SkinFolder()) {
        platform::CurrentLauncher().OpenItem(skins->NativePath());
        return true;
    }
    platform::MessageDialogSpec spec;
    spec.message =
        "Software not found. You must install the software first. "
        "See " +
        abouttext::Page(abouttext::Link::Site, "") + " for more information.";
    spec.icon = platform::DialogIcon::Caution;
    platform::CurrentDialogs().ShowMessageDialog(spec);
    return true;
}

bool MainWindow::_Translate_Action() {
    Translate_Window::ShowTranslate(this);
    return true;
}
