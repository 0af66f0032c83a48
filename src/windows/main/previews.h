#pragma once

#include "platform/color.h"
#include "platform/picture.h"

#include <cstdint>

namespace platform {
class Graphics;
}

/// The two skin previews of the main window, drawn from the values they are given so that
/// they can be painted (and measured) without a window.
namespace mainwindow {

/// What a preview reads at each paint.
struct PreviewScene {
    /// The skin bitmap: the skin at (0, 0, inWidth, inHeight), the sprite area below. None
    /// draws the background alone.
    const platform::Picture* skin = nullptr;
    std::int32_t inWidth = 0;
    std::int32_t inHeight = 0;
    std::int32_t outWidth = 0;
    std::int32_t outHeight = 0;
    /// 0 Simple, 1 Border, 2 Browser, 3 Smart.
    std::int32_t mode = 0;
    platform::Color borderColor;
    /// The ground: the window's colour and its backdrop, of which the part under the canvas
    /// (at canvasLeft, canvasTop in window coordinates) shows through.
    platform::Color windowColor;
    const platform::Picture* backdrop = nullptr;
    int canvasLeft = 0;
    int canvasTop = 0;
};

/// The input preview into g (its whole surface): the background, then the skin as large as
/// fits, centred across, at the top.
void PaintSkinPreview(platform::Graphics& g, const PreviewScene& scene);

/// The before-and-after preview, composed in a new picture of width × height: the background,
/// the skin at the top and, at the bottom, the sketch of the mode at the output size, or a
/// hint when no output size is set.
platform::PicturePtr ComposeResizePreview(int width, int height, const PreviewScene& scene);

}  // namespace mainwindow
