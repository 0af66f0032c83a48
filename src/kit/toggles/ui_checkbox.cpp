#include "kit/toggles/ui_checkbox.h"

#include "kit/base/control_drawing.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/checkbox_tick.h"
#include "platform/graphics.h"

UI_Checkbox::UI_Checkbox(QWidget* parent)
    : kit::ToggleCanvas<kit::CheckboxStyle>(parent) {
}

void UI_Checkbox::SetValue(bool value) {
    if ((value && m_state == 1) || (!value && m_state == 0))
        return;
    SetState(value ? 1 : 0);
}

void UI_Checkbox::SetState(std::int32_t state) {
    m_state = state;
    Action.Raise();
    Refresh(false);
}

void UI_Checkbox::SetBold(bool bold) {
    MyStyle.TextBold = bold ? 1 : 0;
    Refresh(false);
}

void UI_Checkbox::Event_Open() {
    EraseBackground = false;
    SetAcceptFocus(true);
    UseFocusRing = false;
    // Several stored layouts give check boxes a design-time backdrop that must never show.
    Backdrop = nullptr;
    // Every check box registers the tick again under the same name; the index stays.
    UI_Module::AddTexture(StringToPicture(kit::kCheckboxTickBase64), "checkbox-tick");
    kit::WriteBuiltInCheckboxStyle(MyStyle, UI_Module::TextureIndex("checkbox-tick"));
    Opening = false;
    platform::Canvas::Event_Open();
}

void UI_Checkbox::Event_Paint(platform::Graphics& g) {
    kit::CheckboxFace face;
    face.width = Width();
    face.height = Height();
    face.state = m_state;
    face.enabled = kit::DrawsEnabled(*this);
    face.caption = Caption;
    face.backdrop = kit::BackdropOf(*this, HasBackcolor, Backcolor);
    if (const platform::PicturePtr picture = kit::ComposeCheckbox(MyStyle, face))
        g.DrawPicture(*picture, 0, 0);
}

void UI_Checkbox::Act() {
    SetValue(!Value());
}

platform::PicturePtr UI_Checkbox::StringToPicture(std::string_view text) const {
    return kit::StringToPicture(text);
}
