#include "windows/options/more_options_window.h"

#include "app/batch.h"
#include "app/language.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/variables_buttons.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "messages/run_once.h"
#include "platform/widgets/updownarrows.h"
#include "windows/layout/stored_layout.h"
#include "windows/options/option_rules.h"

namespace {

const char kFontHelp[] =
    "A value of 100% will not change the font size.\r"
    "50% will divide the font size by two.\r"
    "200% will double the font size.\r"
    "This options doesn't change the browser font size.";

const char kRendererHelp[] =
    "Pictures are now resized by the tool's own filter.\r"
    "Tick this box to go back to the old plain resizing.";

using layout::Place;
using layout::PlaceToggle;

// The two number fields share their column and right alignment.
void PlaceField(UI_TextField& field, const char* name, int top, const char* text, int tab) {
    Place(field, name, {238, top, 50, 31}, tab);
    field.Alignment = 2;
    field.SetText(text);
}

}  // namespace

More_Options_Window::More_Options_Window()
    : platform::Window(Frame::Sheet) {
}

More_Options_Window& More_Options_Window::Instance() {
    return platform::Instance<More_Options_Window>(platform::WhenMade::Shown);
}

void More_Options_Window::Layout() {
    SetTitle("More Options");
    setObjectName("More_Options_Window");
    SetHasBackColor(true);
    SetBackColor(platform::RGB(0x33, 0x35, 0x38));
    SetWidth(348);
    SetHeight(257);
    SetResizeable(false);

    const std::string fontHelp = kFontHelp;
    // The boxes' captions are translated when the window opens.
    m_noLogo = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "No_LogoChange_CheckBox", {20, 14, 283, 20}, 1, "");
        },
        [this](UI_Checkbox& b) {
            b.Open = [&b] { b.SetValue(Variables::P_No_LogoChange); };
            b.Action = [this] { No_LogoChange_CheckBox_Action(); };
        });
    m_noFont = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "No_FontChange_CheckBox", {20, 48, 283, 20}, 2, "");
        },
        [this](UI_Checkbox& b) {
            b.Open = [&b] { b.SetValue(Variables::No_FontChange); };
            b.Action = [this, &b] {
                if (b.Value())
                    m_changeFont->SetValue(false);
            };
        });
    m_changeFont = &AddControl<UI_Checkbox>(
        this,
        [&fontHelp](UI_Checkbox& b) {
            PlaceToggle(b, "Change_FontSize_CheckBox", {20, 83, 213, 31}, 3, "");
            b.SetHelpTag(fontHelp + "\r");
        },
        [this](UI_Checkbox& b) {
            b.Action = [this, &b] {
                if (b.Value())
                    m_noFont->SetValue(false);
            };
        });
    m_fontField = &AddControl<UI_TextField>(this, [&fontHelp](UI_TextField& f) {
        PlaceField(f, "FontSize_EditField", 83, "100", 4);
        f.SetHelpTag(fontHelp);
    });
    m_fontArrows = &AddControl<platform::UpDownArrows>(
        this,
        [&fontHelp](platform::UpDownArrows& a) {
            Place(a, "UpDownArrows1", {297, 87, 13, 23}, 5);
            a.SetHelpTag(fontHelp + "\r");
        },
        [this](platform::UpDownArrows& a) {
            a.Up = [this] { FontStep(true); };
            a.Down = [this] { FontStep(false); };
        });
    m_percent = &AddControl<UI_Label>(this, [&fontHelp](UI_Label& l) {
        Place(l, "StaticText1", {313, 83, 25, 31}, 12);
        l.SetText("%");
        l.TextAlign = 0;
        l.VerticalAlign = 1;
        l.Multiline = false;
        l.SetHelpTag(fontHelp + "\r");
    });
    m_changeGain = &AddControl<UI_Checkbox>(this, [](UI_Checkbox& b) {
        PlaceToggle(b, "Change_Gain_CheckBox", {20, 134, 213, 31}, 8, "");
    });
    m_gainField = &AddControl<UI_TextField>(
        this,
        [](UI_TextField& f) {
            PlaceField(f, "GainSensibility_EditField", 134, "750", 9);
            f.SetHelpTag("A value of 750 will let you change the gain precisely.");
        },
        [this](UI_TextField& f) {
            f.TextChange = [this] { m_changeGain->SetValue(true); };
            f.LostFocus = [&f] {
                const std::string clamped = optionrules::GainClamp(f.Text());
                if (clamped != f.Text())
                    f.SetText(clamped);
            };
        });
    m_gainArrows = &AddControl<platform::UpDownArrows>(
        this,
        [](platform::UpDownArrows& a) {
            Place(a, "UpDownArrows2", {297, 138, 13, 23}, 10);
        },
        [this](platform::UpDownArrows& a) {
            a.Up = [this] { GainStep(true); };
            a.Down = [this] { GainStep(false); };
        });
    m_oldRenderer = &AddControl<UI_Checkbox>(
        this,
        [](UI_Checkbox& b) {
            PlaceToggle(b, "Old_Renderer_CheckBox", {20, 175, 283, 20}, 12, "");
            b.SetHelpTag(kRendererHelp);
        },
        [](UI_Checkbox& b) { b.Open = [&b] { b.SetValue(Variables::P_Old_Renderer); }; });
    m_apply = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            Place(b, "Apply_Button", {238, 208, 93, 29}, 11);
            b.SetCaption("Apply");
        },
        [this](UI_Button& b) {
            b.Open = [&b] { b.MyStyle.WidthMode = 0; };
            b.Action = [this] { Apply_Button_Action(); };
        });
}

void More_Options_Window::Event_Open() {
    m_noLogo->Caption = Language::Lng("Do not change logo size");
    m_noFont->Caption = Language::Lng("Do not change font size");
    m_changeFont->Caption = Language::Lng("Change Font Size");
    m_changeGain->Caption = Language::Lng("Change Gain Sensibility");
    m_oldRenderer->Caption = Language::Lng("Use Old Picture Renderer");
    m_apply->SetCaption(Language::Lng("Apply"));
    Variables::fixWidth(*m_apply, true, 200, 80);
    platform::Window::Event_Open();
}

void More_Options_Window::No_LogoChange_CheckBox_Action() {
    if (!m_noLogo->Value())
        return;
    if (!optionrules::LogoNoticeDue(Variables::outWidth, Variables::inWidth, Variables::outHeight,
                                    Variables::inHeight, INI_Read_Write::RunOnce))
        return;
    App::ShowMessageWindow(optionrules::LogoNoticeText(Variables::RC), optionrules::kLogoNoticeId);
    // The box cannot stay ticked on a skin being made smaller while the notice is shown.
    m_noLogo->SetValue(!m_noLogo->Value());
}

void More_Options_Window::FontStep(bool up) {
    const std::string stepped = optionrules::FontArrowStep(m_fontField->Text(), up);
    if (stepped != m_fontField->Text())
        m_fontField->SetText(stepped);
    m_changeFont->SetValue(true);
    m_noFont->SetValue(false);
}

void More_Options_Window::GainStep(bool up) {
    const std::string stepped = optionrules::GainArrowStep(m_gainField->Text(), up);
    if (stepped != m_gainField->Text())
        m_gainField->SetText(stepped);
    m_changeGain->SetValue(true);
}

void More_Options_Window::Apply_Button_Action() {
    Variables::P_No_LogoChange = m_noLogo->Value();
    Variables::No_FontChange = m_noFont->Value();
    Variables::P_Change_FontSize = m_changeFont->Value();
    Variables::P_Change_FontSize_Value =
        optionrules::FontPercentageOnApply(m_fontField->Text(), Variables::P_Change_FontSize_Value);
    Variables::P_Change_Gain = m_changeGain->Value();
    Variables::P_Change_Gain_Value =
        optionrules::GainOnApply(m_gainField->Text(), Variables::P_Change_Gain_Value);
    Variables::P_Old_Renderer = m_oldRenderer->Value();
    Close();
}
