#include "kit/buttons/variables_buttons.h"

#include "kit/buttons/ui_button.h"
#include "platform/graphics.h"

#include <cmath>

namespace Variables {

void fixWidth(UI_Button& button, bool alignRight, int maxWidth, int minWidth) {
    const int left = button.Left();
    const int right = left + button.Width();

    auto scratch = platform::Picture::New(1, 1);
    platform::Graphics& g = scratch->Graphics();
    const UI_ButtonStyle& style = button.MyStyle;
    g.TextFont = std::string(style.TextFont);
    g.TextSize = style.TextSize;
    g.Bold = style.TextBold != 0;
    g.Italic = style.TextItalic != 0;
    g.Underline = style.TextUnderline != 0;
    const std::string caption = button.Caption();
    int w = static_cast<int>(std::trunc(g.StringWidth(caption))) + 2 * style.TextPadding;
    if (w < minWidth)
        w = minWidth;

    if (maxWidth != 0 && w > maxWidth) {
        button.SetWidth(maxWidth);
        button.SetHelpTag(caption);
        button.FittedHelpTag = caption;
    } else {
        button.SetWidth(w);
        // A caption that fits again no longer needs the tag that an earlier fitting set;
        // a tag the window set itself stays.
        if (!button.FittedHelpTag.empty() && button.HelpTag() == button.FittedHelpTag)
            button.SetHelpTag("");
        button.FittedHelpTag.clear();
    }
    if (alignRight)
        button.SetLeft(right - button.Width());
}

}  // namespace Variables
