// The "Files" page: the input skin, the output file and the output size fields.
#include "app/file_types.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/bitmap_files.h"
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/line_terminator.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/text.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/label.h"
#include "windows/main/main_window.h"
#include "windows/main/main_window_rules.h"

#include <optional>

namespace {

constexpr platform::Color kCrossColor = platform::RGB(0xFF, 0xFF, 0xFF);
constexpr platform::Color kCrossHoverColor = platform::RGB(0x00, 0x00, 0xFF);

platform::FileDialogSpec SkinDialog(const std::string& title, const std::string& action,
                                    QWidget* parent) {
    platform::FileDialogSpec spec;
    spec.title = Language::Lng(title);
    spec.actionCaption = Language::Lng(action);
    spec.cancelCaption = Language::Lng("Cancel");
    spec.filter = FileTypes1::XML().Filter();
    spec.filterName = FileTypes1::XML().Name;
    spec.parent = parent;
    return spec;
}

platform::FileDialogSpec OpenSkinDialog(QWidget* parent) {
    platform::FileDialogSpec spec = SkinDialog("Select an XML Skin file", "Open", parent);
    spec.initialFolder = INI_Read_Write::Open_directory.size() >= 2
                             ? INI_Read_Write::Open_directory
                             : platform::DesktopFolder().NativePath();
    return spec;
}

}  // namespace

void MainWindow::OpenXML(const platform::FolderItem* item) {
    const platform::FileDialogSpec spec = OpenSkinDialog(this);
    std::optional<platform::FolderItem> file;
    if (item && item->Exists())
        file = *item;
    else if (auto chosen = platform::CurrentDialogs().GetOpenFile(spec))
        file = platform::FolderItem(*chosen);
    if (!file)
        return;
    while (!file->IsWriteable()) {
        platform::MsgBox(Language::Lng("This file isn't Writeable.") + Variables::RC +
                         Language::Lng("Please open another file."));
        auto chosen = platform::CurrentDialogs().GetOpenFile(spec);
        if (!chosen)
            return;
        file = platform::FolderItem(*chosen);
    }
    const std::string name = file->Name();
    if (!platform::TextEquals(platform::Right(name, 3), "xml")) {
        platform::MsgBox("This isn't an XML file");
        return;
    }

    Browser::Init();
    Variables::InputXMLPath = file->NativePath();
    if (!Variables::Lecture(Variables::InputXMLPath))
        return;
    Width_input_EditField().SetText(platform::Str(static_cast<long long>(Variables::inWidth)));
    Height_Input_EditField().SetText(platform::Str(static_cast<long long>(Variables::inHeight)));
    const std::string format = mainwindow::DisplayFormat(Variables::inWidth, Variables::inHeight);
    if (ScaleCheckbox().Value()) {
        if (const auto h = mainwindow::ProportionalHeight(Width_Output_EditField().Text(),
                                                          Variables::inHeight, Variables::inWidth))
            Height_Output_EditField().SetText(platform::Str(static_cast<long long>(*h)));
    }
    Display_Format_EditField().SetText(format);
    InputXML_EditField().SetText(Variables::InputXMLPath);
    INI_Read_Write::Open_directory = file->Parent().NativePath();
    Variables::Input_Filename = name;
    if (Variables::Open_Picture("")) {
        SkinPreview().SetEnabled(true);
        SkinPreview().Refresh(false);
        SkinResizePreview().SetEnabled(true);
    }
    Preview_button().SetEnabled(false);
}

void MainWindow::Input_Button_Action() {
    Variables::ThreadRunning = false;
    OpenXML(nullptr);
    OutputXML_EditField().SetText("");
}

void MainWindow::Input_Button_Open() {
    Input_Button().MyStyle.WidthMode = 0;
}

void MainWindow::Output_Button_Open() {
    Output_Button().MyStyle.WidthMode = 0;
}

void MainWindow::Output_Button_Action() {
    const mainwindow::NameFields fields{
        Variables::Input_Filename, Width_input_EditField().Text(), Height_Input_EditField().Text(),
        Width_Output_EditField().Text(), Height_Output_EditField().Text()};
    const mainwindow::SaveDialogStart start = mainwindow::PlanSaveDialog(
        OutputXML_EditField().Text(), fields, INI_Read_Write::Save_directory,
        INI_Read_Write::Open_directory, platform::DesktopFolder().NativePath());
    platform::FileDialogSpec spec =
        SkinDialog("Select a FileName for the XML output", "Save", this);
    spec.initialFolder = start.folder;
    spec.suggestedName = start.suggestedName;
    const auto chosen = platform::CurrentDialogs().GetSaveFile(spec);
    if (!chosen)
        return;
    OutputXML_EditField().SetText(*chosen);
    INI_Read_Write::Save_directory = mainwindow::SaveDirectoryOf(*chosen);
}

void MainWindow::ProportionalHeight() {
    if (const auto h = mainwindow::ProportionalHeight(
            Width_Output_EditField().Text(), platform::Val(Height_Input_EditField().Text()),
            platform::Val(Width_input_EditField().Text())))
        Height_Output_EditField().SetText(platform::Str(static_cast<long long>(*h)));
}

void MainWindow::CopyOutputSizes() {
    Variables::outWidth = mainwindow::LeadingInt(Width_Output_EditField().Text());
    Variables::outHeight = mainwindow::LeadingInt(Height_Output_EditField().Text());
}

void MainWindow::Width_Output_EditField_TextChange() {
    if (ScaleCheckbox().Value())
        ProportionalHeight();
    CopyOutputSizes();
}

void MainWindow::Height_Output_EditField_TextChange() {
    CopyOutputSizes();
}

void MainWindow::Width_Output_EditField_GotFocus() {
    Width_Output_EditField().SelectAll();
}

void MainWindow::Height_Output_EditField_GotFocus() {
    Height_Output_EditField().SelectAll();
}

bool MainWindow::Width_Output_EditField_MouseDown(int, int) {
    Width_Output_EditField().SelectAll();
    return false;
}

bool MainWindow::Height_Output_EditField_MouseDown(int, int) {
    Height_Output_EditField().SelectAll();
    return false;
}

void MainWindow::ScaleCheckbox_Action() {
    const bool ticked = ScaleCheckbox().Value();
    Height_Output_EditField().SetEnabled(!ticked);
    if (ticked)
        ProportionalHeight();
}

void MainWindow::StaticText4_MouseEnter() {
    StaticText4().SetTextColor(kCrossHoverColor);
}

void MainWindow::StaticText4_MouseExit() {
    StaticText4().SetTextColor(kCrossColor);
}

bool MainWindow::StaticText4_MouseDown(int, int) {
    if (Width_Output_EditField().Text() != "0") {
        ProportionalHeight();
    } else if (Height_Output_EditField().Text() != "0") {
        // Writing the width raises its TextChange, which may bring the height back in scale.
        if (const auto w = mainwindow::ProportionalWidth(
                Height_Output_EditField().Text(), platform::Val(Height_Input_EditField().Text()),
                platform::Val(Width_input_EditField().Text())))
            Width_Output_EditField().SetText(platform::Str(static_cast<long long>(*w)));
    }
    return false;
}
