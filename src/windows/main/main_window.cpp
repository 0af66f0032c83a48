#include "windows/main/main_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/base/mouse.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_menubutton.h"
#include "kit/buttons/variables_buttons.h"
#include "kit/text/sarvelin.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "kit/toggles/ui_tooltip.h"
#include "messages/line_terminator.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/label.h"
#include "platform/widgets/pagepanel.h"
#include "windows/main/main_window_rules.h"
#include "windows/options/main_window_link.h"

#include <QToolTip>

namespace {

std::string Lng(std::string_view key) {
    return Language::Lng(key);
}

}  // namespace

MainWindow::MainWindow()
    : platform::Window(Frame::Document) {
    SetOwnsJob(true);
    // Its close box quits the program, which asks every other window first; a window that
    // refuses keeps the tool open. Moving it changes nothing: its position reaches the
    // settings file when the file is next written.
    SetCloseBoxQuits(true);
    AddMenuHandlers();
    // The settings dialog retranslates the window after a language change; it reaches the
    // window through the accessor, so a closed window is never called.
    mainwindowlink::Install(
        [](bool clear) {
            if (MainWindow* w = platform::Existing<MainWindow>())
                w->CreateTabCanvas(clear);
        },
        [](bool force) {
            if (MainWindow* w = platform::Existing<MainWindow>())
                w->SetLanguage(force);
        });
}

MainWindow::~MainWindow() = default;

MainWindow& MainWindow::Instance() {
    // The stored layout makes the window visible: a new one is shown once built.
    return platform::Instance<MainWindow>(platform::WhenMade::Shown);
}

platform::Color MainWindow::GetWindowColor() const {
    return HasBackColor() ? BackColor() : platform::RGB(0xED, 0xED, 0xED);
}

void MainWindow::CreateTabCanvas(bool clear) {
    if (clear)
        Breadcrumbs().Tabs.clear();
    for (std::string& caption : mainwindow::StepCaptions(Lng))
        Breadcrumbs().Tabs.push_back(std::move(caption));
}

void MainWindow::Breadcrumbs_Action(std::int32_t, const std::string&) {
    // The step bar raises Action on every assignment, so this reads the current value and
    // may run twice for one change: the second run sets the page already shown.
    const std::int32_t v = Breadcrumbs().Value();
    if (v == 3)
        Recap_Editfield().SetText(RecapText());
    PagePanel1().SetValue(v);
}

void MainWindow::PagePanel1_Change() {
    QToolTip::hideText();
    HideToolTip();
    const int page = PagePanel1().Value();
    // The caption may have been translated: the button is fitted each time it is shown.
    if (page == 3)
        Variables::fixWidth(Preview_button(), true, 0, 80);
    if (Breadcrumbs().Value() != page)
        Breadcrumbs().SetValue(page);
}

std::string MainWindow::RecapText() const {
    mainwindow::RecapFields f;
    f.inputXml = InputXML_EditField().Text();
    f.inWidth = Width_input_EditField().Text();
    f.inHeight = Height_Input_EditField().Text();
    f.outputXml = OutputXML_EditField().Text();
    f.outWidth = Width_Output_EditField().Text();
    f.outHeight = Height_Output_EditField().Text();
    using mainwindow::Method;
    if (Resize_Skin_CheckBox().Value())
        f.method = Method::Simple;
    else if (Border_Checkbox().Value())
        f.method = Method::Border;
    else if (Browser_Resize_CheckBox().Value())
        f.method = Method::Browser;
    else if (SmartResize_CheckBox().Value())
        f.method = Method::Smart;
    f.borderColorText = Border_Color_EditField().Text();
    f.browser.change = Browser::Browser_Change;
    f.browser.colorChange = Browser::Browser_Color_change;
    f.browser.pictureChange = Browser::Browser_Picture_Change;
    f.browser.adaptPicture = Browser::B_Adapt_Picture;
    f.browser.tilePicture = Browser::B_Tile_Picture;
    f.browser.color = Browser::Browser_Color;
    f.browser.picture = Browser::B_Background_Picture;
    f.browser.xmlChange = Browser::Browser_XML_Change;
    f.browser.textColor = Browser::B_Text_Color;
    f.browser.selectedColor = Browser::B_Selected_Color;
    f.browser.stripesColor = Browser::B_Stripes_Color;
    f.browser.textSize = Browser::B_Text_Size;
    f.browser.textFont = Browser::B_Text_Font;
    f.useResizedPicture = UseResizedPicture_CheckBox().Value();
    f.externPictureFile = Variables::ExternPictureFile;
    return mainwindow::RecapText(f, Lng, Variables::RC);
}

void MainWindow::ShowToolTip(const std::string& text, platform::Control& control, std::int32_t) {
    const auto centre = [&control, this] {
        const platform::Window* window = control.TrueWindow();
        if (!window)
            window = this;
        return mainwindow::ControlCentre(window->Left(), window->Top(), control.Left(),
                                         control.Top(), control.Width(), control.Height());
    };
    mainwindow::Point p = centre();
    Mouse::MoveMouse(p.x, p.y, true);
    mTooltip = std::make_unique<UI_Tooltip>(1, 1, 1, 1, true, true);
    p = centre();
    mTooltip->Show(text, p.x, p.y, 300, 200, true, 5);
}

void MainWindow::HideToolTip() {
    mTooltip.reset();
}

void MainWindow::Recap_Editfield_Open() {
    // A recap shorter than the label starts at its top.
    Recap_Editfield().VerticalAlign = 0;
}

void MainWindow::Recap_Editfield_ChangeScroll(std::int32_t steps) {
    Sarvelin1().SetMaximum(steps);
}

void MainWindow::Sarvelin1_ValueChanged() {
    Recap_Editfield().SetScrollPosition(Sarvelin1().Value());
}

void MainWindow::Sarvelin1_Open() {
    Sarvelin1().SetArrows(false);
}

void MainWindow::SetLanguage(bool force) {
    if (!mainwindow::SetsCaptions(INI_Read_Write::Lang, force))
        return;
    for (const auto& row : mainwindow::TranslatedCaptions()) {
        const std::string caption = Lng(row.key) + row.suffix;
        platform::Control* control = FindControl(row.control);
        if (auto* label = dynamic_cast<platform::Label*>(control))
            label->SetCaption(caption);
        else if (auto* kitLabel = dynamic_cast<UI_Label*>(control))
            kitLabel->SetCaption(caption);
        else if (auto* box = dynamic_cast<UI_Checkbox*>(control))
            box->Caption = caption;
        else if (auto* button = dynamic_cast<UI_Button*>(control))
            button->SetCaption(caption);
    }
}
