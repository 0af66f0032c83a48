#include "kit/buttons/paint_geometry.h"

#include <algorithm>
#include <cmath>

namespace kit {

PushButtonLooks SelectPushButtonLooks(bool mouseDown, bool mouseOver, bool hasFocus) noexcept {
    if (mouseDown)
        return {Look::Pressed, Look::Pressed};
    return {mouseOver || hasFocus ? Look::Over : Look::Normal,
            mouseOver ? Look::Over : Look::Normal};
}

Look SelectMenuButtonLook(bool mouseDown, bool mouseOver) noexcept {
    if (mouseDown)
        return Look::Pressed;
    return mouseOver ? Look::Over : Look::Normal;
}

ButtonWidths ButtonDrawnWidth(int widthMode, int padding, int controlWidth,
                              double captionWidth) noexcept {
    const double needed = std::ceil(captionWidth) + 2.0 * padding;
    switch (widthMode) {
        case 0:
            return {controlWidth, controlWidth};
        case 1:
            return {static_cast<int>(std::trunc(needed)), controlWidth};
        default: {
            const int width =
                controlWidth < needed ? static_cast<int>(std::trunc(needed)) : controlWidth;
            return {width, width};
        }
    }
}

ButtonBoxes LayoutButton(int drawnWidth, int controlHeight, int borderWidth,
                         bool hasShadow) noexcept {
    ButtonBoxes b;
    b.shadow = hasShadow ? 1 : 0;
    b.box = {0, 0, drawnWidth, controlHeight - b.shadow};
    b.inner = {borderWidth, borderWidth, b.box.w - 2 * borderWidth, b.box.h - 2 * borderWidth};
    b.captionClip = {borderWidth + 1, borderWidth, b.inner.w - 2, controlHeight - 2 * borderWidth};
    return b;
}

int ButtonUpperGlossCut(int controlHeight, int cornerRadius) noexcept {
    const double half = controlHeight / 2.0;
    if (half < cornerRadius)
        return static_cast<int>(std::trunc(std::max(1.0, half)));
    return std::max(1, cornerRadius - 1);
}

int LowerGlossRows(int cornerRadius) noexcept {
    return std::max(1, cornerRadius - 1);
}

int ButtonCaptionLeft(int captionAlign, int clipWidth, double captionWidth, int borderWidth,
                      int captionDelta) noexcept {
    switch (captionAlign) {
        case 3:
            return static_cast<int>(std::trunc(clipWidth - captionWidth)) / 2;
        case 0:
            return borderWidth + captionDelta;
        case 1:
            return static_cast<int>(
                std::trunc(clipWidth - captionWidth - borderWidth - captionDelta));
        default:
            return 0;
    }
}

int CaptionBaseline(int controlHeight, int textHeight, int textAscent, int borderWidth) noexcept {
    return (controlHeight - textHeight) / 2 + textAscent - borderWidth;
}

Point CenteredAt(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) noexcept {
    return {(areaWidth - pictureWidth) / 2, (areaHeight - pictureHeight) / 2};
}

std::vector<Point> TexturePlacements(int areaWidth, int areaHeight, int textureWidth,
                                     int textureHeight) {
    if (textureWidth <= 0 || textureHeight <= 0)
        return {};
    if (areaWidth <= textureWidth && areaHeight <= textureHeight)
        return {{0, 0}};
    std::vector<Point> out;
    for (int y = 0; y <= areaHeight; y += textureHeight)
        for (int x = 0; x <= areaWidth; x += textureWidth)
            out.push_back({x, y});
    return out;
}

PopupBoxes LayoutPopup(int width, int height, int borderWidth, bool hasShadow, int zoneWidth,
                       int arrowWidth, int arrowHeight) noexcept {
    PopupBoxes p;
    const int b = borderWidth;
    const int z = zoneWidth;
    p.shadow = hasShadow ? 1 : 0;
    p.box = {0, 0, width, height - p.shadow};
    p.inner = {b, b, width - 2 * b, height - p.shadow - 2 * b};
    const int iw = p.inner.w;
    const int ih = p.inner.h;
    if (z > 0) {
        p.zone = {iw - z, 0, z, ih};
        p.separator = {iw - b - z, 0, b, ih};
        p.arrows.x = width + (z - arrowWidth) / 2 - z;
    } else {
        p.arrows.x = width - arrowWidth - 5;
    }
    p.arrows.y = (height - arrowHeight) / 2;
    p.normalHighlight = {1, 0, iw - 2, ih};
    p.highlight = {0, 0, iw, ih};
    p.captionClip = {b + 1, b, iw - z - 2, height - 2 * b};
    p.maxTextWidth = width - arrowWidth - b - 20;
    return p;
}

int PopupUpperGlossCut(int controlHeight, int cornerRadius, bool halfHeightRule) noexcept {
    if (halfHeightRule && controlHeight < 2 * cornerRadius)
        return std::max(1, controlHeight / 2);
    return std::max(1, cornerRadius - 1);
}

int PopupCaptionLeft(int clipWidth, double captionWidth) noexcept {
    return static_cast<int>(std::trunc(clipWidth - captionWidth)) / 2;
}

}  // namespace kit
