#pragma once

#include "platform/folderitem.h"

namespace platform {

/// The folder of the executable, or MALVOREN_APP_DIR when set (tests).
FolderItem AppFolder();
/// The executable itself.
FolderItem AppExecutable();
/// Shipped resources: MALVOREN_RESOURCES_DIR when set, else "resources/" beside the
/// executable (build tree), else "../share/malvoren/" (installed).
FolderItem ResourcesFolder();
/// The user's preferences folder: $XDG_CONFIG_HOME, else ~/.config.
FolderItem PreferencesFolder();
/// The user's data folder for the tool: $XDG_DATA_HOME (else ~/.local/share) / "Malvoren Tool".
FolderItem UserDataFolder();
FolderItem DocumentsFolder();
FolderItem DesktopFolder();

}  // namespace platform
