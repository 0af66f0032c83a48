#pragma once

#include "kit/text/ui_textfield.h"
#include "platform/color.h"
#include "platform/event.h"

/// A text field that holds a colour: its text is six hexadecimal digits RRGGBB, its icon at the
/// right a swatch of the colour. Typing changes the colour at every key; Return, Enter or a
/// click on the swatch opens the system colour chooser, and a colour chosen there rewrites
/// the text and raises ColorChange.
///
/// The picker answers the field's Action and TextChange itself: the window never sees them.
class UI_ColorPicker : public UI_TextField {
public:
    explicit UI_ColorPicker(QWidget* parent = nullptr);

    platform::Color myColor() const noexcept { return m_myColor; }
    /// Stores the colour, writes its six digits as the text and draws the swatch; raises
    /// nothing to the window.
    void SetMyColor(platform::Color c);

    platform::Event<void(platform::Color c)> ColorChange;

protected:
    void Event_FieldOpen() override;
    void Event_Action() override;
    void Event_TextChange() override;
    /// Draws the swatch (a field 10 pixels high or less gets none) and makes it the icon.
    virtual void DrawIcon();

private:
    platform::Color m_myColor{0, 0, 0};
};
