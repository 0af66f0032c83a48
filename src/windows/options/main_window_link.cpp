#include "windows/options/main_window_link.h"

namespace mainwindowlink {
namespace {

CreateTabCanvasCall& TheCreateTabCanvas() {
    static CreateTabCanvasCall call;
    return call;
}

SetLanguageCall& TheSetLanguage() {
    static SetLanguageCall call;
    return call;
}

}  // namespace

void Install(CreateTabCanvasCall createTabCanvas, SetLanguageCall setLanguage) {
    TheCreateTabCanvas() = std::move(createTabCanvas);
    TheSetLanguage() = std::move(setLanguage);
}

void CreateTabCanvas(bool clear) {
    if (TheCreateTabCanvas())
        TheCreateTabCanvas()(clear);
}

void SetLanguage(bool force) {
    if (TheSetLanguage())
        TheSetLanguage()(force);
}

}  // namespace mainwindowlink
