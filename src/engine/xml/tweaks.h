#pragma once

#include <string>

namespace Variables {

/// Corrections for a few skins known by name (`Variables::SkinName`). The stage "XML" fixes
/// the skin lines before any pass reads them; the stage "Cleaning" removes known mask and
/// fader entries from the sorted geometry lists. Any other stage does nothing.
void Special_Tweaks(const std::string& stage);

}  // namespace Variables
