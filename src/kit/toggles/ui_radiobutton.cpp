#include "kit/toggles/ui_radiobutton.h"

#include "kit/base/control_drawing.h"
#include "platform/graphics.h"
#include "platform/thread.h"
#include "platform/widgets/window.h"

UI_RadioButton::UI_RadioButton(QWidget* parent)
    : kit::ToggleCanvas<kit::RadioStyle>(parent) {
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

void UI_RadioButton::Act() {
    SetValue(true);
}
