#include "kit/text/kit_paint.h"

#include "kit/base/pellivor.h"
#include "platform/graphics.h"

namespace kit {

void RoundMask(platform::Picture& picture, double radius, double edge) {
    Pellivor::FillRoundRectA(picture.Mask()->Graphics(), 0, 0, picture.Width(), picture.Height(),
                             radius, edge, true);
}

platform::PicturePtr InnerShadePicture(std::int32_t w, std::int32_t h) {
    platform::PicturePtr shade = NewPictureOrNone(w, h);
    if (!shade)
        return nullptr;
    Pellivor::OvalShade(platform::PicturePtr(shade, shade->Mask()), w / 2.0, h / 2.0, w - 20, 1, -1,
                        kWhite, platform::RGB(0xA0, 0xA0, 0xA0));
    shade->Graphics().ForeColor = platform::RGB(0, 0, 0);
    Pellivor::FillAll(shade->Graphics());
    return shade;
}

}  // namespace kit
