#pragma once

#include "kit/buttons/button_base.h"

/// The kit's push button: three looks drawn from its style record, Action on a click released
/// inside it or on Space, Return or Enter while it has the focus. Its fill and gloss show the
/// pointer-over look also while it holds the window's focus, and a disabled button greys its
/// normal caption.
class UI_Button : public kit::ButtonBase {
public:
    using Style = UI_ButtonStyle;

    explicit UI_Button(QWidget* parent = nullptr);

    /// The help tag that caption fitting last set, so that it can clear its own tag when the
    /// caption fits again without touching one the window set.
    std::string FittedHelpTag;

protected:
    kit::PushButtonLooks SelectLooks() const override;
    bool GreysCaption() const override { return true; }
    bool LookFollowsFocus() const override { return true; }
    bool TakesSpecialStyle() const override { return true; }
};
