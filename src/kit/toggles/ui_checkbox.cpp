#include "kit/toggles/ui_checkbox.h"

#include "kit/base/ui_module.h"
#include "kit/toggles/checkbox_tick.h"
#include "kit/toggles/control_drawing.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"

UI_Checkbox::UI_Checkbox(QWidget* parent)
    : platform::Canvas(parent) {
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

void UI_Checkbox::SetItalic(bool italic) {
    MyStyle.TextItalic = italic ? 1 : 0;
    Refresh(false);
}

void UI_Checkbox::SetUnderline(bool underline) {
    MyStyle.TextUnderline = underline ? 1 : 0;
    Refresh(false);
}

void UI_Checkbox::SetTextFont(const std::string& font) {
    MyStyle.TextFont = font;
    Refresh(false);
}

void UI_Checkbox::SetTextSize(float size) {
    MyStyle.TextSize = size;
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

bool UI_Checkbox::Event_MouseDown(int, int) {
    SetFocus();
    return true;
}

void UI_Checkbox::Event_MouseUp(int x, int y) {
    if (x >= 0 && x < Width() && y >= 0 && y < Height())
        SetValue(!Value());
}

bool UI_Checkbox::Event_KeyDown(const std::string& key) {
    if (key != " ")
        return false;
    SetValue(!Value());
    return true;
}

void UI_Checkbox::DrawBackground(platform::Graphics& g) {
    kit::DrawControlBackground(g, kit::BackdropOf(*this, HasBackcolor, Backcolor));
}

platform::Color UI_Checkbox::GetWindowColor() const {
    return kit::WindowColorOf(*this);
}

void UI_Checkbox::DrawTexture(platform::Graphics& g, std::int32_t index) {
    kit::DrawTextureFill(g, UI_Module::GetTexture(index).get(), !kit::DrawsEnabled(*this));
}

platform::Color UI_Checkbox::ToGray(platform::Color c) const {
    return kit::ToGray(c);
}

platform::PicturePtr UI_Checkbox::StringToPicture(std::string_view text) const {
    return kit::StringToPicture(text);
}
