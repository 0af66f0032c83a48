#pragma once

#include "kit/base/control_drawing.h"
#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kit {

/// The label's style record (`UI_Label::Style`). Painting reads only the four shadow fields;
/// the others are carried as part of the kit's style scheme.
struct LabelStyle {
    std::string TextFont;
    float TextSize = 0;
    std::uint8_t TextBold = 0;
    std::uint8_t TextItalic = 0;
    std::uint8_t TextUnderline = 0;
    platform::Color TextColor{};
    std::uint8_t HasTextShadow = 0;
    platform::Color TextShadowColor{};
    std::int8_t TextShadowDX = 0;
    std::int8_t TextShadowDY = 0;
};

/// What a label paint reads.
struct LabelFace {
    int width = 0;
    int height = 0;
    std::string text;
    /// 1 centred, 2 right, else left.
    std::int32_t textAlign = 0;
    /// 0 top, 1 middle, 2 bottom.
    std::int32_t verticalAlign = 1;
    bool multiline = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string textFont;
    float textSize = 0;
    int textUnit = 0;
    platform::Color textColor{};
    std::int32_t scrollPosition = 0;
    LabelStyle style;
    Backdrop backdrop;
};

/// The label as one picture of its size: background, the optional shadow (one condensed line),
/// then the text, wrapped at the width when multiline, else one line cut at the edge. The
/// text's height is measured wrapped at the width either way and handed to `measured` with
/// the font's ascent before anything is drawn; the scroll position is read from `face` after
/// that, so a handler that moves it there moves this paint's text. None, and no measurement,
/// for a label without pixels.
platform::PicturePtr ComposeLabel(LabelFace& face,
                                  const std::function<void(int textHeight, int ascent)>& measured);

}  // namespace kit
