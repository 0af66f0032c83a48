#include "windows/main/previews.h"

#include "kit/base/pellivor.h"
#include "platform/graphics.h"
#include "windows/main/main_window_rules.h"

namespace mainwindow {
namespace {

void PaintBackground(platform::Graphics& g, const PreviewScene& scene) {
    g.ForeColor = scene.windowColor;
    Pellivor::FillAll(g);
    // The part of the window's backdrop under the canvas, so the canvas looks transparent.
    const platform::Picture* backdrop = scene.backdrop;
    if (backdrop && scene.canvasLeft < backdrop->Width() && scene.canvasTop < backdrop->Height())
        g.DrawPicture(*backdrop, 0, 0, g.Width(), g.Height(), scene.canvasLeft, scene.canvasTop,
                      g.Width(), g.Height());
}

void DrawSkin(platform::Graphics& g, const PreviewScene& scene, const Rect& at) {
    if (at.w < 1 || at.h < 1)
        return;
    g.DrawPicture(*scene.skin, at.x, at.y, at.w, at.h, 0, 0, scene.inWidth, scene.inHeight);
}

// The sketch of the Border, Browser and Smart modes: the skin drawn into a picture of the
// output's proportions, then for Browser and Smart a 5-row band repeated below it.
platform::PicturePtr ComposeSketch(const ResizePreviewPlan& plan, const PreviewScene& scene) {
    platform::PicturePtr sketch = platform::Picture::New(plan.sketchWidth, plan.sketchHeight);
    platform::Graphics& a = sketch->Graphics();
    if (plan.after == ResizePreviewPlan::After::Border) {
        a.ForeColor = scene.borderColor;
        Pellivor::FillAll(a);
    }
    DrawSkin(a, scene, plan.skinInSketch);
    if (!plan.bandRows.empty()) {
        platform::PicturePtr band = platform::Picture::New(plan.sketchWidth, 5);
        band->Graphics().DrawPicture(*sketch, 0, 0, plan.sketchWidth, 5, 0, plan.bandSourceRow,
                                     plan.sketchWidth, 5);
        for (const int y : plan.bandRows)
            a.DrawPicture(*band, 0, y);
    }
    return sketch;
}

}  // namespace

void PaintSkinPreview(platform::Graphics& g, const PreviewScene& scene) {
    PaintBackground(g, scene);
    if (!scene.skin)
        return;
    if (const auto at = SkinPreviewRect(g.Width(), g.Height(), scene.inWidth, scene.inHeight))
        DrawSkin(g, scene, *at);
}

platform::PicturePtr ComposeResizePreview(int width, int height, const PreviewScene& scene) {
    platform::PicturePtr picture = platform::Picture::New(width, height);
    platform::Graphics& g = picture->Graphics();
    PaintBackground(g, scene);
    if (!scene.skin)
        return picture;
    const auto plan = PlanResizePreview(width, height, scene.inWidth, scene.inHeight,
                                        scene.outWidth, scene.outHeight, scene.mode);
    if (!plan)
        return picture;
    DrawSkin(g, scene, plan->before);
    using After = ResizePreviewPlan::After;
    switch (plan->after) {
        case After::Message:
            g.ForeColor = platform::RGB(0xFF, 0xFF, 0xFF);
            g.Bold = true;
            g.DrawString(kPreviewHint, 0, plan->messageBaseline, width);
            break;
        case After::Stretch:
            DrawSkin(g, scene, plan->stretch);
            break;
        case After::Border:
        case After::Band:
            g.DrawPicture(*ComposeSketch(*plan, scene), plan->sketchAt.x, plan->sketchAt.y);
            break;
        case After::None:
            break;
    }
    return picture;
}

}  // namespace mainwindow
