#include "kit/buttons/ui_menubutton.h"

#include "platform/graphics.h"

UI_MenuButton::UI_MenuButton(QWidget* parent)
    : ButtonBase(parent) {
}

kit::PushButtonLooks UI_MenuButton::SelectLooks() const {
    const kit::Look look = kit::SelectMenuButtonLook(MouseDown, MouseOver);
    return {look, look};
}

void UI_MenuButton::PaintOver(platform::Graphics& g0) {
    if (!Icon)
        return;
    // Centred on the composite picture, that is on the control's size at the start of the
    // paint, not on the drawn box.
    const kit::Point at = kit::CenteredAt(g0.Width(), g0.Height(), Icon->Width(), Icon->Height());
    g0.DrawPicture(*Icon, at.x, at.y);
}
