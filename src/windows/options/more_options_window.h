#pragma once

#include "platform/widgets/window.h"

class UI_Button;
class UI_Checkbox;
class UI_Label;
class UI_TextField;
namespace platform {
class UpDownArrows;
}

/// Five options of a job: keep the logo's size, leave font sizes alone, change them by a
/// percentage, write a gain sensibility and draw the scaled picture plainly. The dialog edits
/// its own controls; "Apply" writes all seven job values at once and closes it, any other
/// close writes nothing.
class More_Options_Window : public platform::Window {
public:
    More_Options_Window();

    /// The open dialog, or a new one built and shown when none is open.
    static More_Options_Window& Instance();

    UI_Checkbox& No_LogoChange_CheckBox() const { return *m_noLogo; }
    UI_Checkbox& No_FontChange_CheckBox() const { return *m_noFont; }
    UI_Checkbox& Change_FontSize_CheckBox() const { return *m_changeFont; }
    UI_TextField& FontSize_EditField() const { return *m_fontField; }
    platform::UpDownArrows& UpDownArrows1() const { return *m_fontArrows; }
    UI_Label& StaticText1() const { return *m_percent; }
    UI_Checkbox& Change_Gain_CheckBox() const { return *m_changeGain; }
    UI_TextField& GainSensibility_EditField() const { return *m_gainField; }
    platform::UpDownArrows& UpDownArrows2() const { return *m_gainArrows; }
    UI_Checkbox& Old_Renderer_CheckBox() const { return *m_oldRenderer; }
    UI_Button& Apply_Button() const { return *m_apply; }

protected:
    void Layout() override;
    void Event_Open() override;

private:
    void No_LogoChange_CheckBox_Action();
    void FontStep(bool up);
    void GainStep(bool up);
    void Apply_Button_Action();

    UI_Checkbox* m_noLogo = nullptr;
    UI_Checkbox* m_noFont = nullptr;
    UI_Checkbox* m_changeFont = nullptr;
    UI_TextField* m_fontField = nullptr;
    platform::UpDownArrows* m_fontArrows = nullptr;
    UI_Label* m_percent = nullptr;
    UI_Checkbox* m_changeGain = nullptr;
    UI_TextField* m_gainField = nullptr;
    platform::UpDownArrows* m_gainArrows = nullptr;
    UI_Checkbox* m_oldRenderer = nullptr;
    UI_Button* m_apply = nullptr;
};
