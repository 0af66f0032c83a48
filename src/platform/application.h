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

/// For a run from a script (batch mode): keeps Qt's own debug, info and warning messages
/// ("QStandardPaths: XDG_RUNTIME_DIR not set, ...", font and plugin notes) off standard
/// error, so that it carries the tool's messages only. The tool never writes through Qt's
/// message handler, so whatever reaches it is Qt's; critical and fatal messages, which come
/// before a failure, still pass to the handler installed before. Install it before the
/// application object is made, where most of the noise is raised. MALVOREN_QT_MESSAGES=1
/// keeps every message, for a diagnosis.
void QuietQtMessages();

}  // namespace platform
