#include "app/gui/menu_bar.h"

#include "app/tarquell.h"

#include <string>

namespace MenuBar1 {
namespace {

std::unique_ptr<platform::MenuItem>& Bar() {
    static std::unique_ptr<platform::MenuItem> bar;
    return bar;
}

std::unique_ptr<platform::MenuItem> Item(const std::string& name, bool autoEnable,
                                         const std::string& text, const std::string& shortcut) {
    auto item = std::make_unique<platform::MenuItem>();
    item->Name = name;
    item->AutoEnable = autoEnable;
    item->Text = text;
    item->KeyboardShortcut = shortcut;
    return item;
}

void Untitled0(platform::MenuItem& bar) {
    bar.Append(Item("FileMenu", true, "&File", ""));
    bar.Child("FileMenu")->Append(Item("FileOpenSkinFolder", true, "&Open Skin Folder", ""));
    auto quit = Item("FileQuit", true, "Quitter", "Cmd+Q");
    quit->IsQuitItem = true;
    bar.Child("FileMenu")->Append(std::move(quit));
}

void Untitled1(platform::MenuItem& bar) {
    bar.Append(Item("LicensedMenu", true, "Options", ""));
    bar.Child("LicensedMenu")
        ->Append(Item("LicensedReloadlastcreatedskin", false, "Reload Last Created Skin", ""));
    bar.Child("LicensedMenu")->Append(Item("LicensedSettings", false, "Settings", "Cmd+F8"));
}

void Untitled2(platform::MenuItem& bar) {
    bar.Append(Item("Menu", true, "&?", ""));
    platform::MenuItem& help = *bar.Child("Menu");
    help.Append(Item("Translate", true, "Translate", ""));
    help.Append(Item("CheckforUpdate", true, "Check for Update", ""));
    help.Append(Item("UserGuide", true, "User Guide", "F1"));
    help.Append(Item("About", true, "&About", "F2"));
}

}  // namespace

std::unique_ptr<platform::MenuItem> Build() {
    auto bar = std::make_unique<platform::MenuItem>();
    Untitled0(*bar);
    Untitled1(*bar);
    Untitled2(*bar);
    return bar;
}

platform::MenuItem& Instance() {
    if (!Bar())
        Bar() = Build();
    return *Bar();
}

void ResetInstance() {
    Bar().reset();
}

}  // namespace MenuBar1

OpenTarquell::OpenTarquell()
    : platform::MenuItem("Open Tarquell Tool", "OpenTarquell") {
    Action = [] {
        Variables::LaunchTarquell();
        return false;
    };
}

namespace Variables {

void GetTarquellPath() {
    for (const platform::FolderItem& program : FindTarquellPrograms()) {
        TarquellPath = program.NativePath();
        platform::MenuItem* file = MenuBar1::Instance().Child("FileMenu");
        if (!file)
            return;
        file->Insert(1, std::make_unique<platform::MenuItem>("-"));
        file->Insert(2, std::make_unique<OpenTarquell>());
    }
}

}  // namespace Variables
