// What one paint of the push button and the pop-up menu costs: every paint builds the whole
// control anew in fresh pictures (box, inner area, gloss, caption), so this is the price of
// every repaint, a hover or a press included.
#include "kit/base/ui_module.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_popupmenu.h"
#include "platform/graphics.h"
#include "platform/picture.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>

namespace {

class BenchButton : public UI_Button {
public:
    void Look(bool down, bool over) {
        MouseDown = down;
        MouseOver = over;
    }
};

void BM_PaintButton(benchmark::State& state) {
    BenchButton button;
    button.MyStyle = UI_ButtonStyle::BuiltIn();
    button.MyStyle.HasShadow = static_cast<std::uint8_t>(state.range(0));
    button.CaptionAlign = 3;
    button.SetWidth(120);
    button.SetHeight(25);
    button.SetCaption("Do the Job");
    button.Look(false, state.range(1) != 0);
    auto target = platform::Picture::New(120, 25);
    for (auto _ : state)
        button.PaintInto(target->Graphics());
}
BENCHMARK(BM_PaintButton)->ArgNames({"shadow", "over"})->Args({0, 0})->Args({1, 1});

void BM_PaintPopup(benchmark::State& state) {
    UI_PopupMenu popup;
    UI_Module::AddTexture(UI_PopupMenu::ArrowsPicture(), "Arrows");
    popup.MyStyle = UI_PopupMenuStyle::BuiltIn(UI_Module::TextureIndex("Arrows"));
    popup.SetWidth(103);
    popup.SetHeight(29);
    popup.AddRow("English");
    popup.SetListIndex(0);
    auto target = platform::Picture::New(103, 29);
    for (auto _ : state)
        popup.PaintInto(target->Graphics());
}
BENCHMARK(BM_PaintPopup);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
