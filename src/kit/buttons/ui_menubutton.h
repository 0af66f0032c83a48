#pragma once

#include "kit/buttons/button_base.h"
#include "platform/picture.h"

/// The kit's menu button: the push button's looks, input and events, plus a picture drawn
/// centred over the control. Its look follows the pointer alone, never the focus, and a
/// disabled menu button keeps its caption colour. It shares the push button's registry key.
class UI_MenuButton : public kit::ButtonBase {
public:
    using Style = UI_ButtonStyle;

    explicit UI_MenuButton(QWidget* parent = nullptr);

    /// Drawn centred on the control at its own size, over everything, in every look; none
    /// draws nothing. Setting it does not repaint.
    platform::PicturePtr Icon;

protected:
    kit::PushButtonLooks SelectLooks() const override;
    bool GreysCaption() const override { return false; }
    bool LookFollowsFocus() const override { return false; }
    bool TakesSpecialStyle() const override { return false; }
    void PaintOver(platform::Graphics& g0) override;
};
