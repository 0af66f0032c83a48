#include "app/tarquell.h"

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/text.h"
#include "platform/thread.h"

namespace Variables {

std::vector<platform::FolderItem> FindTarquellPrograms() {
    std::vector<platform::FolderItem> found;
    const platform::FolderItem folder = platform::AppFolder().Parent().Child("Tarquell");
    if (!folder.Exists())
        return found;
    // The count is read again before every item, as items may come and go.
    for (long long i = 1; i <= folder.Count(); ++i) {
        const std::string name = folder.Item(i).Name();
        if (platform::InStr(name, ".exe") > 0 && platform::InStr(name, "Tarquell") > 0 &&
            platform::InStr(name, "unin") == 0)
            found.push_back(folder.Item(i));
        platform::Yield();
    }
    return found;
}

void LaunchTarquell() {
    if (TarquellPath.empty() || !platform::CurrentLauncher().LaunchProgram(TarquellPath))
        platform::MsgBox("Unable to start " + TarquellPath);
}

}  // namespace Variables
