// What one paint of the check box, radio button, label and tooltip costs: every paint
// composes the whole control anew (the shaded insides pixel by pixel), so this is the price
// of every repaint.
#include "kit/base/control_drawing.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/checkbox_tick.h"
#include "kit/toggles/label_paint.h"
#include "kit/toggles/toggle_paint.h"
#include "kit/toggles/tooltip_paint.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>

namespace {

void BM_ComposeCheckbox(benchmark::State& state) {
    UI_Module::AddTexture(kit::StringToPicture(kit::kCheckboxTickBase64), "checkbox-tick");
    kit::CheckboxStyle style;
    kit::WriteBuiltInCheckboxStyle(style, UI_Module::TextureIndex("checkbox-tick"));
    kit::CheckboxFace face;
    face.width = 200;
    face.height = 20;
    face.state = 1;
    face.caption = "Keep Skin in scale";
    for (auto _ : state)
        benchmark::DoNotOptimize(kit::ComposeCheckbox(style, face));
}
BENCHMARK(BM_ComposeCheckbox);

void BM_ComposeRadioButton(benchmark::State& state) {
    kit::RadioStyle style;
    kit::WriteBuiltInRadioStyle(style);
    kit::RadioFace face;
    face.width = 200;
    face.height = 31;
    face.selected = true;
    face.caption = "Use a color";
    for (auto _ : state)
        benchmark::DoNotOptimize(kit::ComposeRadioButton(style, face));
}
BENCHMARK(BM_ComposeRadioButton);

void BM_ComposeLabelRecap(benchmark::State& state) {
    kit::LabelFace face;
    face.width = 400;
    face.height = 200;
    face.multiline = true;
    face.verticalAlign = 0;
    face.textColor = platform::RGB(255, 255, 255);
    for (int i = 0; i < 20; ++i)
        face.text += "Output skin: /home/user/skins/Example 1920x1080.xml\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(kit::ComposeLabel(face, {}));
}
BENCHMARK(BM_ComposeLabelRecap);

void BM_ComposeTooltip(benchmark::State& state) {
    kit::TooltipStyle style;
    kit::WriteBuiltInTooltipStyle(style);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kit::ComposeTooltip(style, "The height must be at least 480 pixels", 191, 77));
}
BENCHMARK(BM_ComposeTooltip);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
