#pragma once

#include "platform/folderitem.h"

#include <string>
#include <vector>

/// The sibling skin-authoring tool, Tarquell, when it is installed beside the program.
namespace Variables {

/// Path of the tool's program file, set when the main window finds it.
inline std::string TarquellPath;

/// The items of the folder "Tarquell" beside the application's folder (in its parent) whose
/// names contain ".exe" and "Tarquell" and not "unin", case ignored, in listing order; none
/// when there is no such folder.
std::vector<platform::FolderItem> FindTarquellPrograms();

/// Starts the program at `TarquellPath` through the system. A program that cannot be started
/// is reported in a message box.
void LaunchTarquell();

}  // namespace Variables
