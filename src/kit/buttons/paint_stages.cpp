#include "kit/buttons/paint_stages.h"

#include "kit/base/pellivor.h"
#include "kit/buttons/paint_geometry.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/thread.h"
#include "platform/widgets/control.h"

#include <QWidget>

namespace kit {

bool IsWindowFocus(const QWidget& widget) {
    return widget.window()->focusWidget() == &widget;
}

void WaitTicksSince(std::int64_t start, int ticks) {
    while (platform::Ticks() - start < ticks)
        platform::Yield();
}

void DrawBox(platform::Graphics& g, int w, int h, int radius, bool shadow,
             platform::Color shadowGrey, platform::Color shadowColor, platform::Color borderColor) {
    if (w <= 0 || h <= 0)
        return;
    auto box = platform::Picture::New(w, h);
    platform::Graphics& mask = box->Mask()->Graphics();
    if (shadow) {
        mask.ForeColor = kWhite;
        Pellivor::FillAll(mask);
        mask.ForeColor = shadowGrey;
        Pellivor::FillRoundRectA(mask, 0, 0, w, h, radius, 1, false);
        box->Graphics().ForeColor = shadowColor;
        Pellivor::FillAll(box->Graphics());
        g.DrawPicture(*box, 0, 1);
    }
    // The box's mask replaces the shadow's whole.
    Pellivor::FillRoundRectA(mask, 0, 0, w, h, radius, 1, true);
    box->Graphics().ForeColor = borderColor;
    Pellivor::FillAll(box->Graphics());
    g.DrawPicture(*box, 0, 0);
}

platform::PicturePtr NewHighlight(int w, int h) {
    auto highlight = platform::Picture::New(w, h);
    platform::Graphics& mask = highlight->Mask()->Graphics();
    mask.ForeColor = kWhite;
    Pellivor::FillAll(mask);
    return highlight;
}

void CutHighlight(platform::Graphics& mask, int code, int upperCut, int radius) {
    const int w = mask.Width();
    const int h = mask.Height();
    mask.ForeColor = kWhite;
    if (code == 1)
        mask.FillRect(0, upperCut, w, h);
    else if (code == 2)
        mask.FillRect(0, 0, w, h - LowerGlossRows(radius));
}

}  // namespace kit
