#include "kit/toggles/ui_radiobutton.h"

#include "kit/base/ui_module.h"
#include "kit/toggles/control_drawing.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"
#include "platform/thread.h"
#include "platform/widgets/window.h"

UI_RadioButton::UI_RadioButton(QWidget* parent)
    : platform::Canvas(parent) {
}

void UI_RadioButton::SetValue(bool value) {
    if (value == m_value)
        return;
    if (value)
        UnselectAllRadio();
    m_value = value;
    Refresh(false);
    if (value)
        Action.Raise();
}

void UI_RadioButton::UnselectAllRadio() {
    platform::Window* window = TrueWindow();
    if (!window)
        return;
    // The count is read at every pass: a handler may add controls while the walk runs.
    for (std::size_t i = 0; i < window->ControlCount(); ++i) {
        auto* radio = dynamic_cast<UI_RadioButton*>(&window->ControlAt(i));
        if (radio && radio->Parent() == Parent())
            radio->SetValue(false);
        platform::Yield();
    }
}

void UI_RadioButton::SetItalic(bool italic) {
    MyStyle.TextItalic = italic ? 1 : 0;
    Refresh(false);
}

void UI_RadioButton::SetUnderline(bool underline) {
    MyStyle.TextUnderline = underline ? 1 : 0;
    Refresh(false);
}

void UI_RadioButton::SetTextFont(const std::string& font) {
    MyStyle.TextFont = font;
    Refresh(false);
}

void UI_RadioButton::SetTextSize(float size) {
    MyStyle.TextSize = size;
    Refresh(false);
}

void UI_RadioButton::Event_Open() {
    EraseBackground = false;
    SetAcceptFocus(true);
    UseFocusRing = false;
    kit::WriteBuiltInRadioStyle(MyStyle);
    Opening = false;
    platform::Canvas::Event_Open();
}

void UI_RadioButton::Event_Paint(platform::Graphics& g) {
    kit::RadioFace face;
    face.width = Width();
    face.height = Height();
    face.selected = m_value;
    face.enabled = kit::DrawsEnabled(*this);
    face.bold = Bold;
    face.caption = Caption;
    face.backdrop = kit::BackdropOf(*this, HasBackcolor, Backcolor);
    if (const platform::PicturePtr picture = kit::ComposeRadioButton(MyStyle, face))
        g.DrawPicture(*picture, 0, 0);
}

bool UI_RadioButton::Event_MouseDown(int, int) {
    SetFocus();
    return true;
}

void UI_RadioButton::Event_MouseUp(int x, int y) {
    if (x >= 0 && x < Width() && y >= 0 && y < Height())
        SetValue(true);
}

bool UI_RadioButton::Event_KeyDown(const std::string& key) {
    if (key != " ")
        return false;
    SetValue(true);
    return true;
}

void UI_RadioButton::DrawBackground(platform::Graphics& g) {
    kit::DrawControlBackground(g, kit::BackdropOf(*this, HasBackcolor, Backcolor));
}

platform::Color UI_RadioButton::GetWindowColor() const {
    return kit::WindowColorOf(*this);
}

void UI_RadioButton::DrawTexture(platform::Graphics& g, std::int32_t index) {
    kit::DrawTextureFill(g, UI_Module::GetTexture(index).get(), !kit::DrawsEnabled(*this));
}

platform::Color UI_RadioButton::ToGray(platform::Color c) const {
    return kit::ToGray(c);
}
