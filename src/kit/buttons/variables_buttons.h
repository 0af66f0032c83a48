#pragma once

#include "platform/picture.h"

class UI_Button;

/// The window services that sit with the job state in the original program.
namespace Variables {

/// Sizes `button` to its caption, measured with its normal look's text attributes, plus twice
/// its padding (the measured width's fraction dropped), at least `minWidth` and, when
/// `maxWidth` is not 0, at most `maxWidth`; a cut caption becomes the help tag. With
/// `alignRight` the right edge stays where it was, else the left edge.
void fixWidth(UI_Button& button, bool alignRight, int maxWidth, int minWidth);

/// A picture from a strip holding an image and its mask side by side: the left half (width
/// \ 2 columns) is the image, the next as many columns its mask; the last column of an odd
/// strip is not used. None for no strip or one narrower than 2 pixels.
platform::PicturePtr loadMaskedPicture(const platform::PicturePtr& strip);

}  // namespace Variables
