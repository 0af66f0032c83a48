#pragma once

#include "kit/base/control_drawing.h"
#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <string>

/// The looks of the check box and the radio button, composed off-screen from their style
/// records, apart from the canvas that shows them.
namespace kit {

/// The check box's style record (`UI_Checkbox::Style`).
struct CheckboxStyle {
    std::uint8_t CornerRadius = 0;
    platform::Color BorderColor{};
    std::uint8_t BorderWidth = 0;
    std::uint8_t HasShadow = 0;
    platform::Color ShadowColor{};
    /// A percentage that the drawing never reads.
    std::uint8_t ShadowTransparency = 0;
    /// Side of the box; 0 makes the control paint nothing.
    std::uint8_t BoxSize = 0;
    std::uint8_t MarkSize = 0;
    /// 1 solid, 2 vertical gradient, 3 horizontal gradient, 4 texture; else nothing.
    std::uint8_t FillKind = 0;
    std::uint8_t FillTexture = 0;
    platform::Color FillColor1{};
    platform::Color FillColor2{};
    /// Exactly 1 shades the inside toward its rim.
    std::uint8_t InnerShade = 0;
    /// 1 to 3 a dot in the mark colours; 4 the texture MarkFillTexture as the tick.
    std::uint8_t MarkFillKind = 0;
    std::int32_t MarkFillTexture = 0;
    platform::Color MarkFillColor1{};
    platform::Color MarkFillColor2{};
    platform::Color TextColor{};
    std::uint8_t TextBold = 0;
    std::uint8_t TextItalic = 0;
    std::uint8_t TextUnderline = 0;
    /// Pixels; 0 means the default size.
    float TextSize = 0;
    std::string TextFont;
};

/// The radio button's style record (`UI_RadioButton::Style`). Its caption's bold flag is the
/// control's own `Bold`, not a field here.
struct RadioStyle {
    platform::Color BorderColor{};
    std::uint8_t BorderWidth = 0;
    std::uint8_t HasShadow = 0;
    platform::Color ShadowColor{};
    std::uint8_t ShadowTransparency = 0;
    /// Diameter of the circle.
    std::uint8_t BoxSize = 0;
    std::uint8_t MarkSize = 0;
    std::uint8_t FillKind = 0;
    std::uint8_t FillTexture = 0;
    platform::Color FillColor1{};
    platform::Color FillColor2{};
    std::uint8_t InnerShade = 0;
    std::uint8_t MarkFillKind = 0;
    std::int32_t MarkFillTexture = 0;
    platform::Color MarkFillColor1{};
    platform::Color MarkFillColor2{};
    platform::Color TextColor{};
    /// Carried by the record; nothing reads or writes it.
    std::uint8_t Unused = 0;
    std::uint8_t TextItalic = 0;
    std::uint8_t TextUnderline = 0;
    float TextSize = 0;
    std::string TextFont;
};

/// The built-in look that the check box's open handler writes, with the tick texture's index;
/// the text fields and the fields it leaves alone keep what they hold.
void WriteBuiltInCheckboxStyle(CheckboxStyle& style, std::int32_t tickTexture);
/// The built-in look that the radio button's open handler writes.
void WriteBuiltInRadioStyle(RadioStyle& style);

/// What a check box paint reads besides its style.
struct CheckboxFace {
    int width = 0;
    int height = 0;
    /// 0 unchecked, 1 checked (the tick), 2 indeterminate (a faint dot); else no mark.
    std::int32_t state = 0;
    /// False when the control or its direct parent control is disabled.
    bool enabled = true;
    std::string caption;
    Backdrop backdrop;
};

/// What a radio button paint reads besides its style.
struct RadioFace {
    int width = 0;
    int height = 0;
    bool selected = false;
    bool enabled = true;
    bool bold = false;
    std::string caption;
    Backdrop backdrop;
};

/// The whole check box as one picture of its size, or none when the box size is 0 (the
/// control then paints nothing) or the control has no pixels. Parts that a style leaves
/// without pixels (no inside, a zero mark) are skipped.
platform::PicturePtr ComposeCheckbox(const CheckboxStyle& style, const CheckboxFace& face);

/// The whole radio button as one picture of its size, or none when the control has no
/// pixels. Parts without pixels are skipped.
platform::PicturePtr ComposeRadioButton(const RadioStyle& style, const RadioFace& face);

}  // namespace kit
