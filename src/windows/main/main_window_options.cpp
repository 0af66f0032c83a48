// The "Options" page: the two option dialogs, the pre-resized picture, and "Preview Skin" on
// the last page.
#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/messages.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/widgets/label.h"
#include "windows/main/main_window.h"
#include "windows/options/browser_options_window.h"
#include "windows/options/more_options_window.h"
#include "windows/options/skin_preview_window.h"

#include <optional>

namespace {

constexpr std::size_t kNoSkinForBrowserOptions = 54;

}  // namespace

void MainWindow::Options_PushButton_Open() {
    Options_PushButton().MyStyle.WidthMode = 0;
}

void MainWindow::Options_CheckBox_Action() {
    Options_PushButton().SetEnabled(Options_CheckBox().Value());
    Options_PushButton().SetFocus();
}

void MainWindow::Options_PushButton_Action() {
    // A second push while the dialog is open brings the same dialog forward.
    More_Options_Window::Instance().Show();
}

void MainWindow::Browser_PushButton_Open() {
    Browser_PushButton().MyStyle.WidthMode = 0;
}

void MainWindow::Browser_Options_CheckBox_Open() {
    Browser_PushButton().SetEnabled(Browser_Options_CheckBox().Value());
}

void MainWindow::Browser_PushButton_Action() {
    Browser_Options_Window::Instance().Show();
}

void MainWindow::Browser_Options_CheckBox_Action() {
    UI_Checkbox& box = Browser_Options_CheckBox();
    Browser_PushButton().SetEnabled(box.Value());
    Browser_PushButton().SetFocus();
    // Without an analysed skin that has a browser area there is nothing to restyle. Unticking
    // raises this handler again, which finishes the refusal; the bubble it shows is replaced
    // by the one below, so one bubble stays.
    if (Browser::Browser_Width.empty()) {
        box.SetValue(false);
        Browser_PushButton().SetEnabled(box.Value());
        const std::size_t n = kNoSkinForBrowserOptions;
        ShowToolTip(n < Language::Messages.size() ? Language::Messages[n] : std::string(), box, 1);
    }
    // An unticked box means a job leaves the browser alone; the dialog's other choices
    // (colours, picture, text) stay for the next time it is ticked.
    if (!box.Value()) {
        Browser::Browser_XML_Change = false;
        Browser::Browser_Change = false;
    }
}

void MainWindow::UseResizedPicture_CheckBox_Action() {
    const bool ticked = UseResizedPicture_CheckBox().Value();
    Input_Picture().SetEnabled(ticked);
    if (!ticked) {
        Variables::UseExternPicture = false;
        Variables::ExternPictureFile.clear();
        ExternPicture_StaticText().SetCaption("No file");
    }
}

void MainWindow::Input_Picture_Open() {
    Input_Picture().MyStyle.WidthMode = 0;
}

void MainWindow::Input_Picture_Action() {
    platform::FileDialogSpec spec;
    spec.initialFolder = INI_Read_Write::Open_directory.size() >= 2
                             ? INI_Read_Write::Open_directory
                             : platform::DesktopFolder().NativePath();
    spec.title = Language::Lng("select a resized picture Skin file");
    spec.filter = FileTypes1::bmp().Filter();
    spec.filterName = FileTypes1::bmp().Name;
    spec.actionCaption = Language::Lng("Open");
    spec.cancelCaption = Language::Lng("Cancel");
    // A dialog of its own, not a sheet of the main window.
    spec.parent = nullptr;
    const std::optional<std::string> chosen = platform::CurrentDialogs().GetOpenFile(spec);
    if (chosen) {
        const platform::FolderItem file(*chosen);
        ExternPicture_StaticText().SetCaption(file.Name());
        Variables::ExternPictureFile = file.NativePath();
        Variables::UseExternPicture = true;
    } else {
        Variables::UseExternPicture = false;
        Variables::ExternPictureFile.clear();
        ExternPicture_StaticText().SetCaption("No file");
    }
}

void MainWindow::Preview_button_Action() {
    // Every push opens another preview; each deletes itself when closed.
    Skin_Preview_Window::OpenNew();
}
