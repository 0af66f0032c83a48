#pragma once

#include <functional>

/// What the option dialogs ask of the main window, which opens them and so lies above them:
/// the main window installs the calls when it is built.
namespace mainwindowlink {

/// Rebuilds the step bar's captions in the current language; true removes the old ones first.
using CreateTabCanvasCall = std::function<void(bool clear)>;
/// Sets every translated caption of the main window; true does so also in English.
using SetLanguageCall = std::function<void(bool force)>;

void Install(CreateTabCanvasCall createTabCanvas, SetLanguageCall setLanguage);
/// Each does nothing while no main window has installed its calls.
void CreateTabCanvas(bool clear);
void SetLanguage(bool force);

}  // namespace mainwindowlink
