#include "kit/buttons/ui_button.h"

UI_Button::UI_Button(QWidget* parent)
    : ButtonBase(parent) {
}

kit::PushButtonLooks UI_Button::SelectLooks() const {
    return kit::SelectPushButtonLooks(MouseDown, MouseOver, IsWindowFocus());
}
