#include "kit/toggles/ui_tooltip.h"

#include "kit/base/control_drawing.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/graphics.h"
#include "platform/thread.h"

UI_Tooltip::UI_Tooltip(int left, int top, int width, int height, bool, bool)
    : platform::OverlayWindow(left, top, width, height) {
    // The class handles the overlay's clicks itself.
    MouseDown = [this](int, int) {
        CloseSmooth();
        return false;
    };
}

UI_Tooltip::~UI_Tooltip() = default;

void UI_Tooltip::Show(const std::string& text, int x, int y, int width, int height, bool autoSize,
                      std::int32_t displayTime) {
    // The built-in look is written before the text is measured, so that the first tooltip
    // of a run is sized like every later one.
    kit::WriteBuiltInTooltipStyle(MyStyle);
    if (autoSize) {
        const platform::PicturePtr probe = platform::Picture::New(1, 1);
        platform::Graphics& g = probe->Graphics();
        g.TextFont = MyStyle.TextFont;
        g.TextSize = MyStyle.TextSize;
        const kit::Extent size =
            kit::SearchTooltipSize([&](int w) { return g.StringHeight(text, w); }, g.TextHeight(),
                                   MyStyle.BorderWidth, [] { platform::Yield(); });
        width = size.width;
        height = size.height;
    }
    Paint(text, width, height);
    myTimer = std::make_unique<UI_TooltipTimer>(this);
    const kit::ScreenRect place = kit::PlaceTooltip(x, y, width, height, MyStyle.PointerHeight);
    SetBounds(place.left, place.top, place.width, place.height);
    SetAlpha(0);
    UpdateShow();
    myTimer->Open(displayTime);
}

void UI_Tooltip::Paint(const std::string& text, int width, int height) {
    const kit::TooltipPictures pictures = kit::ComposeTooltip(MyStyle, text, width, height);
    Pict = pictures.pict;
    Mask = pictures.mask;
}

void UI_Tooltip::CloseSmooth() {
    if (!myTimer)
        return;
    myTimer->SetPeriod(20);
    myTimer->Close();
}

void UI_Tooltip::DrawTexture(platform::Graphics& g, std::int32_t index) {
    kit::DrawTextureFill(g, UI_Module::GetTexture(index).get(), false);
}
