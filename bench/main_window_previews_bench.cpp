// What one paint of each skin preview of the main window costs, for a 1920 × 1200 skin on a
// 1920 × 3000 bitmap. The resize preview composes itself anew at every paint, and it repaints
// at every hover of a method box, so its time per paint is what the user feels.
#include "photo_like.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "windows/main/previews.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>

namespace {

const platform::Picture& SkinBitmap() {
    static const platform::PicturePtr bitmap =
        std::make_shared<platform::Picture>(bench::PhotoLike(1920, 3000));
    return *bitmap;
}

mainwindow::PreviewScene Scene(std::int32_t mode, std::int32_t outWidth, std::int32_t outHeight) {
    mainwindow::PreviewScene scene;
    scene.skin = &SkinBitmap();
    scene.inWidth = 1920;
    scene.inHeight = 1200;
    scene.outWidth = outWidth;
    scene.outHeight = outHeight;
    scene.mode = mode;
    scene.borderColor = platform::RGB(0, 0, 0);
    scene.windowColor = platform::RGB(0x33, 0x35, 0x38);
    return scene;
}

void BM_SkinPreviewPaint(benchmark::State& state) {
    const mainwindow::PreviewScene scene = Scene(0, 2560, 1600);
    platform::PicturePtr canvas = platform::Picture::New(179, 116);
    for (auto _ : state)
        mainwindow::PaintSkinPreview(canvas->Graphics(), scene);
}
BENCHMARK(BM_SkinPreviewPaint)->Unit(benchmark::kMillisecond);

// Modes 0 to 3 at a taller output (2560 × 1800), so Browser and Smart repeat their bands.
void BM_ResizePreviewPaint(benchmark::State& state) {
    const mainwindow::PreviewScene scene =
        Scene(static_cast<std::int32_t>(state.range(0)), 2560, 1800);
    platform::PicturePtr canvas = platform::Picture::New(213, 253);
    for (auto _ : state) {
        const platform::PicturePtr picture = mainwindow::ComposeResizePreview(213, 253, scene);
        canvas->Graphics().DrawPicture(*picture, 0, 0);
    }
}
BENCHMARK(BM_ResizePreviewPaint)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
