#include "windows/options/settings_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/resources.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_popupmenu.h"
#include "kit/buttons/variables_buttons.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/run_once.h"
#include "platform/text.h"
#include "platform/widgets/label.h"
#include "windows/layout/stored_layout.h"
#include "windows/options/main_window_link.h"
#include "windows/options/option_rules.h"

namespace {

using layout::Place;
using layout::PlaceToggle;

}  // namespace

SettingsWindow::SettingsWindow()
    : platform::Window(Frame::Sheet) {
}

SettingsWindow& SettingsWindow::OpenNew() {
    auto* window = new SettingsWindow;
    window->Show();
    return *window;
}

void SettingsWindow::Layout() {
    // The backdrop first, then the stored properties: no back colour of its own.
    SetBackdrop(resources::UIKitBackground());
    SetHasBackColor(false);
    SetTitle("Settings");
    setObjectName("SettingsWindow");
    SetWidth(380);
    SetHeight(204);
    SetResizeable(false);

    m_default = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Default_CheckBox", {20, 14, 340, 20}, 0, "Restore Default Settings");
        },
        [](UI_Checkbox& b) {
            // Whatever the box's new state: once asked for, the defaults stay in force.
            b.Action = [] { INI_Read_Write::No_Write_Config = true; };
        });
    m_messageWindow = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Message_Window_CheckBox", {20, 78, 340, 20}, 1,
                        "Disable message windows");
        },
        [](UI_Checkbox& b) {
            b.Open = [&b] {
                const auto& runOnce = INI_Read_Write::RunOnce;
                b.SetValue(!runOnce.empty() && runOnce[0] == 1);
            };
        });
    m_apply = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            Place(b, "Apply_Button", {272, 155, 88, 29}, 2);
            b.SetCaption("Apply");
        },
        [this](UI_Button& b) {
            b.Open = [&b] { b.MyStyle.WidthMode = 0; };
            b.Action = [this] { Apply_Button_Action(); };
        });
    m_windowOpen = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Window_Open_CheckBox", {20, 110, 340, 20}, 3,
                        "Show resized skin in explorer when finished job");
        },
        [](UI_Checkbox& b) { b.Open = [&b] { b.SetValue(Variables::Window_Open); }; });
    m_label = &AddControl<platform::Label>(this, [](platform::Label& l) {
        Place(l, "StaticText1", {20, 141, 79, 29}, 4);
        l.SetTextColor(platform::RGB(0xFF, 0xFF, 0xFF));
        l.SetText("Language:");
    });
    m_lang = &AddControl<UI_PopupMenu>(
        this,
        [](UI_PopupMenu& p) {
            Place(p, "Lang_PopupMenu", {111, 141, 103, 29}, 5);
        },
        [this](UI_PopupMenu& p) {
            p.Open = [this] { Lang_PopupMenu_Open(); };
            p.Close = [this] { Lang_PopupMenu_Close(); };
        });
    m_autoUpdate = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "AutoUpdate_CheckBox", {20, 46, 340, 20}, 6, "Disable Auto-update");
        },
        [](UI_Checkbox& b) {
            b.Open = [&b] { b.SetValue(!INI_Read_Write::AutoUpdate); };
            b.Action = [&b] { INI_Read_Write::AutoUpdate = !b.Value(); };
        });
}

void SettingsWindow::Event_Open() {
    SetTitle(Language::Lng("Settings"));
    m_apply->SetCaption(Language::Lng("Apply"));
    m_default->Caption = Language::Lng("Restore Default Settings");
    m_autoUpdate->Caption = Language::Lng("Disable Auto-update");
    m_messageWindow->Caption = Language::Lng("Disable message windows");
    m_windowOpen->Caption = Language::Lng("Show resized skin in explorer when finished job");
    m_label->SetText(Language::Lng("Language") + ":");
    Variables::fixWidth(*m_apply, true, 200, 80);
    platform::Window::Event_Open();
}

void SettingsWindow::Event_Close() {
    Closed = true;
    platform::Window::Event_Close();
}

void SettingsWindow::Apply_Button_Action() {
    if (m_default->Value())
        INI_Read_Write::No_Write_Config = true;
    auto& runOnce = INI_Read_Write::RunOnce;
    if (runOnce.empty())
        runOnce.push_back(0);
    runOnce[0] = m_messageWindow->Value() ? 1 : 0;
    Variables::Window_Open = m_windowOpen->Value();
    Close();
}

void SettingsWindow::Lang_PopupMenu_Open() {
    m_lang->DeleteAllRows();
    std::vector<std::string> rows;
    for (const auto& entry : Language::AvailableLang) {
        rows.push_back(optionrules::LanguageRowText(entry));
        m_lang->AddRow(rows.back());
    }
    // Every equal row is selected in turn, so the last one stays selected.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (platform::TextEquals(rows[i], INI_Read_Write::Lang))
            m_lang->SetListIndex(static_cast<std::int32_t>(i));
    }
}

void SettingsWindow::Lang_PopupMenu_Close() {
    const std::string chosen = m_lang->Text();
    if (platform::TextEquals(INI_Read_Write::Lang, chosen))
        return;
    INI_Read_Write::Lang = chosen;
    Language::ReadLanguage();
    mainwindowlink::CreateTabCanvas(true);
    mainwindowlink::SetLanguage(true);
}
