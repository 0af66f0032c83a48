#include "kit/text/kit_paint.h"

#include "kit/base/pellivor.h"
#include "platform/graphics.h"

namespace kit {

platform::PicturePtr NewPictureOrNone(std::int32_t w, std::int32_t h) {
    if (w < 1 || h < 1)
        return nullptr;
    return platform::Picture::New(w, h);
}

void RoundMask(platform::Picture& picture, double radius, double edge) {
    Pellivor::FillRoundRectA(picture.Mask()->Graphics(), 0, 0, picture.Width(), picture.Height(),
                             radius, edge, true);
}

void FillByKind(platform::Graphics& g, std::int32_t kind, platform::Color c1, platform::Color c2,
                const std::function<void(platform::Graphics&)>& texture) {
    switch (kind) {
        case 1:
            g.ForeColor = c1;
            g.FillRect(0, 0, g.Width(), g.Height());
            break;
        case 2:
        case 3:
            Pellivor::gradient(g, 0, 0, g.Width(), g.Height(), c1, c2, kind == 2);
            break;
        case 4:
            texture(g);
            break;
        default:
            break;
    }
}

platform::PicturePtr InnerShadePicture(std::int32_t w, std::int32_t h) {
    platform::PicturePtr shade = NewPictureOrNone(w, h);
    if (!shade)
        return nullptr;
    Pellivor::OvalShade(platform::PicturePtr(shade, shade->Mask()), w / 2.0, h / 2.0, w - 20, 1, -1,
                        platform::RGB(0xFF, 0xFF, 0xFF), platform::RGB(0xA0, 0xA0, 0xA0));
    shade->Graphics().ForeColor = platform::RGB(0, 0, 0);
    Pellivor::FillAll(shade->Graphics());
    return shade;
}

}  // namespace kit
