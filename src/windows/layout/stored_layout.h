#pragma once

#include "kit/toggles/toggle_canvas.h"
#include "platform/color.h"

#include <string>

class UI_Checkbox;
class UI_Label;
class UI_TextField;

namespace kit {
class ButtonBase;
}  // namespace kit

namespace platform {
class Control;
class Label;
}  // namespace platform

/// The stored layout of a window's controls, as each window's Layout applies it while the
/// control is added, before the window's handlers are attached. Two kinds of block: Place and
/// the short Place… blocks set only what a window's layout changes from a new control; the
/// Store… blocks list every stored property of their type, as the main window's layout holds
/// them.
namespace layout {

/// A control's rectangle in window coordinates: the content area's top left is 0, 0, also for
/// a control inside a group box or on a page.
struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

/// Names `c`, places it at `bounds` through the control's own setters (so that a control in a
/// container still stands where the window's coordinates say) and gives it its position
/// `tab` in its container's tab chain.
void Place(platform::Control& c, const std::string& name, Bounds bounds, int tab);

/// A check box's or radio button's short block: placed, with `caption` in the system font.
template <typename Style>
void PlaceToggle(kit::ToggleCanvas<Style>& t, const std::string& name, Bounds bounds, int tab,
                 const std::string& caption) {
    Place(t, name, bounds, tab);
    t.Caption = caption;
    t.SetTextFont("System");
}

/// A kit label's short block: placed, with `text` on one line in the system font, centred
/// down the label.
void PlaceKitLabel(UI_Label& l, const std::string& name, Bounds bounds, int tab,
                   const std::string& text);

/// The values every full block starts with: placed, visible, enabled, with `helpTag`.
void StoreCommon(platform::Control& c, const std::string& name, Bounds bounds, int tab,
                 const std::string& helpTag = {});

/// A check box's full block: unticked, `caption` plain in the system font, no back colour, no
/// focus.
void StoreCheckbox(UI_Checkbox& c, const std::string& name, Bounds bounds, int tab,
                   const std::string& caption, const std::string& helpTag = {});

/// A kit button's full block: `caption` at the default place, with a focus ring, no focus on
/// a press, erasing its background, no back colour.
void StoreButton(kit::ButtonBase& c, const std::string& name, Bounds bounds, int tab,
                 const std::string& caption);

/// A kit text field's full block: empty, black on white without a back colour, plain system
/// font, nothing selected, text aligned by `alignment` (0 left, 1 centre, 2 right).
void StoreTextField(UI_TextField& c, const std::string& name, Bounds bounds, int tab,
                    int alignment);

/// A kit label's full block: `text` on one line, plain system font, in `textColor`.
void StoreKitLabel(UI_Label& c, const std::string& name, Bounds bounds, int tab,
                   const std::string& text, platform::Color textColor);

/// The framework label's full block: white `text` on a transparent back, not selectable, one
/// line in the system font; `boldCentred` makes it bold and centred. Its class preparation
/// gives it the default text unit first.
void StoreLabel(platform::Label& c, const std::string& name, Bounds bounds, int tab,
                const std::string& text, bool boldCentred = false);

}  // namespace layout
