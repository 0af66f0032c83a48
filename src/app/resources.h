#pragma once

#include "platform/picture.h"

#include <string>

/// The pictures and the reference language file shipped in the resources folder. A picture is
/// read on the first call that finds its file and kept for the rest of the run; a missing or
/// unreadable file gives no picture, and the next call tries again.
namespace resources {

/// Menu icons: strips with the 16 x 16 icon in the left half and its mask in the right half.
platform::PicturePtr Settings_icon();
platform::PicturePtr OpenFolder();
platform::PicturePtr reload();
platform::PicturePtr Update();
/// "UserGuide.png".
platform::PicturePtr UserGuide_icon();
/// "UI Kit Background.png": the dark windows' backdrop.
platform::PicturePtr UIKitBackground();
/// "Menu texture.png": drawn over the main window's menu button; keeps its transparency.
platform::PicturePtr Menutexture();
platform::PicturePtr UI_ColorPicker_backdrop();
platform::PicturePtr UI_Checkbox_backdrop();

/// The whole text of "en.lng", read on the first call only; empty when it was not there then.
std::string en();

/// For tests: forgets every kept picture and the text of "en.lng".
void ResetResources();

}  // namespace resources
