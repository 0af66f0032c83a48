#pragma once

#include "platform/picture.h"
#include "platform/widgets/window.h"

class UI_Button;
class UI_Checkbox;
class UI_ColorPicker;
class UI_Label;
class UI_RadioButton;
class UI_TextField;
namespace platform {
class Canvas;
class ComboBox;
class GroupBox;
class Label;
class TextField;
}  // namespace platform

/// The options with which a job restyles the browser areas: fill colour or background picture
/// and its placement in the bitmap, the browser text's size and colours in the XML. It shows
/// the browser module's values when it opens and leaves its choices there: some at once, the
/// rest in its controls' close steps, so every close that goes through saves. It refuses to
/// close while the text size lies outside 8 to 36.
class Browser_Options_Window : public platform::Window {
public:
    Browser_Options_Window();

    /// The open dialog, or a new one built and shown when none is open.
    static Browser_Options_Window& Instance();

    /// The off-screen picture of the position grid (77 x 77), made when the dialog opens.
    platform::PicturePtr Position_Picture;

    platform::GroupBox& GroupBox1() const { return *m_group1; }
    platform::Canvas& Browser_Color_Canvas() const { return *m_colorCanvas; }
    platform::TextField& Browser_Color_EditField() const { return *m_colorField; }
    platform::GroupBox& GroupBox2() const { return *m_group2; }
    platform::TextField& Browser_Text_Color_EditField() const { return *m_textColorField; }
    platform::TextField& Browser_Selected_Color_EditField() const { return *m_selectedField; }
    platform::TextField& Browser_Stripes_Color_EditField() const { return *m_stripesField; }
    UI_Button& Apply_Button() const { return *m_apply; }
    UI_TextField& Browser_height_Editfield() const { return *m_heightField; }
    UI_TextField& Browser_width_Editfield() const { return *m_widthField; }
    UI_Checkbox& Browser_Background_Checkbox() const { return *m_background; }
    UI_RadioButton& Picture_Radio() const { return *m_pictureRadio; }
    UI_RadioButton& Color_radio() const { return *m_colorRadio; }
    UI_ColorPicker& UI_ColorPicker1() const { return *m_picker1; }
    UI_Checkbox& CheckBox1() const { return *m_force; }
    UI_Button& Browser_Picture_Button() const { return *m_pictureButton; }
    UI_TextField& Browser_Picture_EditField() const { return *m_pictureField; }
    platform::Canvas& Browser_Picture_Position_Canvas() const { return *m_grid; }
    UI_Checkbox& Transparent_White_Checkbox() const { return *m_transparent; }
    UI_Checkbox& tile_picture_checkbox() const { return *m_tile; }
    UI_Checkbox& Adapt_picture_checkbox() const { return *m_adapt; }
    UI_Checkbox& Browser_Options_Checkbox() const { return *m_textOptions; }
    UI_ColorPicker& UI_ColorPicker2() const { return *m_picker2; }
    UI_ColorPicker& UI_ColorPicker3() const { return *m_picker3; }
    UI_ColorPicker& UI_ColorPicker4() const { return *m_picker4; }
    platform::ComboBox& FontMenu_ComboBox() const { return *m_fonts; }
    platform::Label& StaticText7() const { return *m_fontLabel; }
    UI_TextField& B_text_size_editfield() const { return *m_size; }

protected:
    void Layout() override;
    void Event_Open() override;
    bool Event_CancelClose(bool appQuitting) override;

private:
    void AddOffWindowControls();
    void AddBackgroundControls();
    void AddTextControls();
    void PaintGrid(platform::Graphics& g);

    platform::GroupBox* m_group1 = nullptr;
    platform::Canvas* m_colorCanvas = nullptr;
    platform::TextField* m_colorField = nullptr;
    platform::GroupBox* m_group2 = nullptr;
    platform::TextField* m_textColorField = nullptr;
    platform::TextField* m_selectedField = nullptr;
    platform::TextField* m_stripesField = nullptr;
    UI_Button* m_apply = nullptr;
    UI_TextField* m_heightField = nullptr;
    UI_TextField* m_widthField = nullptr;
    UI_Checkbox* m_background = nullptr;
    UI_RadioButton* m_pictureRadio = nullptr;
    UI_RadioButton* m_colorRadio = nullptr;
    UI_ColorPicker* m_picker1 = nullptr;
    UI_Checkbox* m_force = nullptr;
    UI_Button* m_pictureButton = nullptr;
    UI_TextField* m_pictureField = nullptr;
    platform::Canvas* m_grid = nullptr;
    UI_Checkbox* m_transparent = nullptr;
    UI_Checkbox* m_tile = nullptr;
    UI_Checkbox* m_adapt = nullptr;
    UI_Checkbox* m_textOptions = nullptr;
    UI_ColorPicker* m_picker2 = nullptr;
    UI_ColorPicker* m_picker3 = nullptr;
    UI_ColorPicker* m_picker4 = nullptr;
    platform::ComboBox* m_fonts = nullptr;
    platform::Label* m_fontLabel = nullptr;
    UI_TextField* m_size = nullptr;
};
