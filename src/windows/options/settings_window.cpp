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
#include "windows/options/main_window_link.h"
#include "windows/options/option_rules.h"

namespace {

void PlaceCheckbox(UI_Checkbox& box, const char* name, int top, const char* caption) {
    box.SetName(name);
    box.setGeometry(20, top, 340, 20);
    box.Caption = caption;
    box.SetTextFont("System");
}

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
    SetBackdrop(Resources::UIKitBackground());
    SetHasBackColor(false);
    SetTitle("Settings");
    setObjectName("SettingsWindow");
    SetWidth(380);
    SetHeight(204);
    setFixedSize(380, 204);

    m_default = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceCheckbox(b, "Default_CheckBox", 14, "Restore Default Settings");
            b.TabIndex = 0;
        },
        [](UI_Checkbox& b) {
            // Whatever the box's new state: once asked for, the defaults stay in force.
            b.Action = [] { INI_Read_Write::No_Write_Config = true; };
        });
    m_messageWindow = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceCheckbox(b, "Message_Window_CheckBox", 78, "Disable message windows");
            b.TabIndex = 1;
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
            b.SetName("Apply_Button");
            b.setGeometry(272, 155, 88, 29);
            b.SetCaption("Apply");
            b.TabIndex = 2;
        },
        [this](UI_Button& b) {
            b.Open = [&b] { b.MyStyle.WidthMode = 0; };
            b.Action = [this] { Apply_Button_Action(); };
        });
    m_windowOpen = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceCheckbox(b, "Window_Open_CheckBox", 110,
                          "Show resized skin in explorer when finished job");
            b.TabIndex = 3;
        },
        [](UI_Checkbox& b) { b.Open = [&b] { b.SetValue(Variables::Window_Open); }; });
    m_label = &AddControl<platform::Label>(this, [](platform::Label& l) {
        l.SetName("StaticText1");
        l.setGeometry(20, 141, 79, 29);
        l.SetTextColor(platform::RGB(0xFF, 0xFF, 0xFF));
        l.SetText("Language:");
        l.TabIndex = 4;
    });
    m_lang = &AddControl<UI_PopupMenu>(
        this,
        [](UI_PopupMenu& p) {
            p.SetName("Lang_PopupMenu");
            p.setGeometry(111, 141, 103, 29);
            p.TabIndex = 5;
        },
        [this](UI_PopupMenu& p) {
            p.Open = [this] { Lang_PopupMenu_Open(); };
            p.Close = [this] { Lang_PopupMenu_Close(); };
        });
    m_autoUpdate = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceCheckbox(b, "AutoUpdate_CheckBox", 46, "Disable Auto-update");
            b.TabIndex = 6;
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
        rows.push_back(OptionRules::LanguageRowText(entry));
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
    MainWindowLink::CreateTabCanvas(true);
    MainWindowLink::SetLanguage(true);
}
