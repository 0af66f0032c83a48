#include "kit/base/ui_module.h"

#include "platform/graphics.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <QTransform>

#include <cstring>

namespace UI_Module {
namespace {

using platform::Picture;

auto& Registry() {
    // Asked before anything was registered, the registry is made as the first registration
    // makes it, so index 0 always resolves to the placeholder.
    if (!Textures)
        Textures.emplace().emplace_back("UI_Module", Picture::New(1, 1));
    return *Textures;
}

/// Copies `count` rows or columns of the image onto others, one pixel strip at a time:
/// `target(k)` takes `source(k)` of `from`.
void CopyColumn(const QImage& from, QImage& to, int fromX, int toX, int rows) {
    const int bytes = from.depth() / 8;
    for (int y = 0; y < rows; ++y)
        std::memcpy(to.scanLine(y) + toX * bytes, from.constScanLine(y) + fromX * bytes, bytes);
}

void CopyRow(const QImage& from, QImage& to, int fromY, int toY) {
    std::memcpy(to.scanLine(toY), from.constScanLine(fromY),
                static_cast<std::size_t>(from.bytesPerLine()));
}

/// Draws `mirror` over the picture's top rows through a mask of grey 0x7F: a near-even mix.
void Blend(Picture& picture, const QImage& mirror) {
    PicturePtr scratch = std::make_shared<Picture>(mirror);
    platform::Graphics& mask = scratch->Mask()->Graphics();
    mask.UseOldRenderer = true;
    mask.ForeColor = platform::RGB(0x7F, 0x7F, 0x7F);
    mask.FillRect(0, 0, scratch->Width(), scratch->Height());
    platform::Graphics& g = picture.Graphics();
    g.UseOldRenderer = true;
    g.DrawPicture(*scratch, 0, 0);
}

void FlipHorizontal(Picture& picture, int mode, int rows) {
    QImage& image = picture.Image();
    const int w = image.width();
    if (mode == 1) {
        const QImage copy = image.copy();  // every column is read before it is overwritten
        for (int x = 0; x < w; ++x)
            CopyColumn(copy, image, w - 1 - x, x, rows);
    } else if (mode == 2) {
        // The columns read all lie left of the middle (or are the middle one itself).
        for (int x = w / 2; x < w; ++x)
            CopyColumn(image, image, w - 1 - x, x, rows);
    } else if (mode == 3) {
        QImage mirror = image.copy(0, 0, w, rows).convertToFormat(QImage::Format_RGB32);
        mirror = mirror.mirrored(true, false);
        Blend(picture, mirror);
    }
}

void FlipVertical(Picture& picture, int mode) {
    QImage& image = picture.Image();
    const int h = image.height();
    if (mode == 1) {
        const QImage copy = image.copy();
        for (int y = 0; y < h; ++y)
            CopyRow(copy, image, h - 1 - y, y);
    } else if (mode == 2) {
        for (int y = h / 2; y < h; ++y)
            CopyRow(image, image, h - 1 - y, y);
    } else if (mode == 3) {
        Blend(picture, image.convertToFormat(QImage::Format_RGB32).mirrored(false, true));
    }
}

}  // namespace

void AddTexture(PicturePtr picture, const std::string& name) {
    auto& registry = Registry();
    if (!picture)
        return;
    for (auto& entry : registry) {
        if (platform::TextEquals(entry.first, name)) {
            entry.second = std::move(picture);
            return;
        }
    }
    registry.emplace_back(name, std::move(picture));
}

std::int32_t TextureIndex(const std::string& name) {
    const auto& registry = Registry();
    for (std::size_t i = 0; i < registry.size(); ++i) {
        if (platform::TextEquals(registry[i].first, name))
            return static_cast<std::int32_t>(i);
        platform::Yield();
    }
    return 0;
}

PicturePtr GetTexture(std::int32_t index) {
    const auto& registry = Registry();
    if (index < 0 || static_cast<std::size_t>(index) >= registry.size())
        return nullptr;
    return registry[static_cast<std::size_t>(index)].second;
}

std::optional<std::string> StyleFor(const std::string& key) {
    if (!Styles)
        return std::nullopt;
    auto it = Styles->find(key);
    if (it == Styles->end())
        return std::nullopt;
    return it->second;
}

std::string StyleVersionFor(const std::string& key) {
    if (StylesVersion) {
        auto it = StylesVersion->find(key);
        if (it != StylesVersion->end())
            return it->second;
    }
    return "1.0";
}

PicturePtr Rotate(PicturePtr picture, double angle, platform::Color color, std::int32_t n) {
    if (!picture)
        return nullptr;
    if (angle < 0)
        angle += 360;
    if (angle == 0 || angle == 360)
        return picture;
    if (angle == 90 || angle == 270) {
        // Qt turns by quarter turns exactly, pixel for pixel: for 90 the pixel (x, y) lands
        // at (H-1-y, x), for 270 at (y, W-1-x). Alpha, when the picture has it, goes along.
        const QTransform turn = QTransform().rotate(angle);
        auto result = std::make_shared<Picture>(picture->Image().transformed(turn));
        if (Picture* mask = picture->Mask(false)) {
            PicturePtr maskPicture(picture, mask);
            PicturePtr turned = Rotate(maskPicture, angle, color, n);
            result->Mask()->Image() = turned->Image().convertToFormat(QImage::Format_Grayscale8);
        }
        return result;
    }
    if (angle == 180) {
        PicturePtr result = Picture::New(picture->Width(), picture->Height());
        platform::Graphics& g = result->Graphics();
        g.UseOldRenderer = true;
        g.DrawPicture(*picture, 0, 0);
        Flip(result, 1, 1);
        return result;
    }
    QImage nothing(1, 1, QImage::Format_ARGB32);
    nothing.fill(Qt::transparent);
    return std::make_shared<Picture>(nothing);
}

void Flip(PicturePtr picture, std::int32_t horizontalMode, std::int32_t verticalMode) {
    if (!picture || (horizontalMode == 0 && verticalMode == 0))
        return;
    const int h = picture->Height();
    // With vertical mode 2 the rows below the middle are overwritten from above anyway.
    const int rows = verticalMode == 2 ? std::min(h, h / 2 + 2) : h;
    FlipHorizontal(*picture, horizontalMode, rows);
    FlipVertical(*picture, verticalMode);
}

void ResetDefaults() {
    Textures.reset();
    Styles.reset();
    StylesVersion.reset();
}

}  // namespace UI_Module
