#include "kit/buttons/variables_buttons.h"
#include "platform/graphics.h"

namespace Variables {

platform::PicturePtr loadMaskedPicture(const platform::PicturePtr& strip) {
    if (!strip)
        return nullptr;
    const int h = strip->Width() / 2;
    const int height = strip->Height();
    if (h < 1)
        return nullptr;
    auto result = platform::Picture::New(h, height);
    result->Graphics().DrawPicture(*strip, 0, 0);
    result->Mask()->Graphics().DrawPicture(*strip, 0, 0, h, height, h, 0, h, height);
    return result;
}

}  // namespace Variables
