#include "app/gui/menu_bar.h"

#include "app/tarquell.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ItemCase {
    const char* menu;  // "" for a title of the bar
    const char* name;
    const char* text;
    const char* shortcut;
    bool autoEnable;
};

const ItemCase kItems[] = {
    // clang-format off
    {"",             "FileMenu",                      "&File",                    "",       true},
    {"FileMenu",     "FileOpenSkinFolder",            "&Open Skin Folder",        "",       true},
    {"FileMenu",     "FileQuit",                      "Quitter",                  "Cmd+Q",  true},
    {"",             "LicensedMenu",                  "Options",                  "",       true},
    {"LicensedMenu", "LicensedReloadlastcreatedskin", "Reload Last Created Skin", "",       false},
    {"LicensedMenu", "LicensedSettings",              "Settings",                 "Cmd+F8", false},
    {"",             "Menu",                          "&?",                       "",       true},
    {"Menu",         "Translate",                     "Translate",                "",       true},
    {"Menu",         "CheckforUpdate",                "Check for Update",         "",       true},
    {"Menu",         "UserGuide",                     "User Guide",               "F1",     true},
    {"Menu",         "About",                         "&About",                   "F2",     true},
    // clang-format on
};

std::vector<std::string> Names(const platform::MenuItem& menu) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < menu.Count(); ++i)
        names.push_back(menu.Item(i).Name.empty() ? menu.Item(i).Text : menu.Item(i).Name);
    return names;
}

TEST(MenuBarTest, ThreeMenusWithTheirItemsInOrder) {
    const auto bar = MenuBar1::Build();
    EXPECT_EQ(Names(*bar), (std::vector<std::string>{"FileMenu", "LicensedMenu", "Menu"}));
    EXPECT_EQ(Names(*bar->Child("FileMenu")),
              (std::vector<std::string>{"FileOpenSkinFolder", "FileQuit"}));
    EXPECT_EQ(Names(*bar->Child("LicensedMenu")),
              (std::vector<std::string>{"LicensedReloadlastcreatedskin", "LicensedSettings"}));
    EXPECT_EQ(Names(*bar->Child("Menu")),
              (std::vector<std::string>{"Translate", "CheckforUpdate", "UserGuide", "About"}));
    for (const ItemCase& c : kItems) {
        const platform::MenuItem* item = bar->Find(c.name);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->Parent()->Name, c.menu) << c.name;
        EXPECT_EQ(item->Text, c.text) << c.name;
        EXPECT_EQ(item->KeyboardShortcut, c.shortcut) << c.name;
        EXPECT_EQ(item->AutoEnable, c.autoEnable) << c.name;
        EXPECT_EQ(item->IsQuitItem, std::string(c.name) == "FileQuit") << c.name;
        EXPECT_FALSE(item->Checked);
        EXPECT_FALSE(item->Icon);
    }
}

TEST(MenuBarTest, InstanceIsBuiltOnce) {
    MenuBar1::ResetInstance();
    platform::MenuItem& first = MenuBar1::Instance();
    EXPECT_EQ(&MenuBar1::Instance(), &first);
    MenuBar1::ResetInstance();
}

// The application's folder is "<tmp>/app"; the sibling tool lives in "<tmp>/Tarquell".
class TarquellTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "app");
        ::setenv("MALVOREN_APP_DIR", (root / "app").c_str(), 1);
        MenuBar1::ResetInstance();
        Variables::TarquellPath.clear();
    }
    void TearDown() override {
        ::unsetenv("MALVOREN_APP_DIR");
        MenuBar1::ResetInstance();
        Variables::TarquellPath.clear();
    }
    testsupport::TempFolder root;
};

TEST_F(TarquellTest, NoToolFolderChangesNothing) {
    Variables::GetTarquellPath();
    EXPECT_EQ(Variables::TarquellPath, "");
    EXPECT_EQ(MenuBar1::Instance().Child("FileMenu")->Count(), 2u);
}

TEST_F(TarquellTest, EveryMatchAddsASeparatorAndAnItemAfterOpenSkinFolder) {
    for (const char* name : {"Tarquell Setup.exe", "Tarquell.app", "Tarquell.exe",
                             "Uninstall Tarquell.exe", "readme.txt", "tarquell.EXE.old"})
        root.Write(std::string("Tarquell/") + name, "");
    Variables::GetTarquellPath();
    // Names are listed in byte order: "Tarquell Setup.exe", "Tarquell.exe", "tarquell.EXE.old"
    // match; an uninstaller, a name without ".exe" and other files do not.
    EXPECT_EQ(Variables::TarquellPath, (root / "Tarquell" / "tarquell.EXE.old").string());
    const platform::MenuItem& file = *MenuBar1::Instance().Child("FileMenu");
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < file.Count(); ++i)
        texts.push_back(file.Item(i).Text);
    EXPECT_EQ(texts, (std::vector<std::string>{"&Open Skin Folder", "-", "Open Tarquell Tool", "-",
                                               "Open Tarquell Tool", "-", "Open Tarquell Tool",
                                               "Quitter"}));

    // Every item starts the file that matched last; the command is not reported as handled.
    platform::ScopedRecordingLauncher launcher;
    EXPECT_FALSE(file.Item(2).Action.Raise());
    EXPECT_FALSE(file.Item(6).Action.Raise());
    const std::string program = "program:" + Variables::TarquellPath;
    EXPECT_EQ(launcher->requests, (std::vector<std::string>{program, program}));
}

TEST_F(TarquellTest, ProgramThatCannotStartIsReported) {
    root.Write("Tarquell/Tarquell.exe", "");
    Variables::GetTarquellPath();
    platform::ScopedRecordingLauncher launcher;
    launcher->answer = false;
    platform::ScopedScriptedDialogs dialogs;
    MenuBar1::Instance().Child("FileMenu")->Item(2).Action.Raise();
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"Unable to start " +
                                       (root / "Tarquell" / "Tarquell.exe").string()});
}

}  // namespace
