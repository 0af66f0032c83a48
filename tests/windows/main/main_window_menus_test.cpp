#include "app/gui/menu_bar.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/resources.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_menubutton.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "platform/application.h"
#include "platform/picture.h"
#include "platform/widgets/menubar_view.h"
#include "support/inspection.h"
#include "support/scoped_env.h"
#include "windows/info/about_window.h"
#include "windows/info/checkforupdate_window.h"
#include "windows/info/translate_window.h"
#include "windows/options/main_window_link.h"
#include "windows/options/settings_window.h"
#include "windows/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

platform::MenuItem& Item(const char* name) {
    platform::MenuItem* item = MenuBar1::Instance().Find(name);
    if (!item)
        throw std::runtime_error(std::string("no menu item ") + name);
    return *item;
}

constexpr const char* kIconItems[] = {"FileOpenSkinFolder", "LicensedReloadlastcreatedskin",
                                      "LicensedSettings", "CheckforUpdate", "UserGuide"};

class MainWindowMenusTest : public testsupport::MainWindowFixture {
protected:
    void RunEnabling() { w->MenuBarViewOf()->RunEnabling(); }
};

TEST_F(MainWindowMenusTest, ReloadWaitsForAStartedJobAndIsOffWhileItRuns) {
    ASSERT_NE(w->MenuBarViewOf(), nullptr);
    RunEnabling();
    EXPECT_TRUE(Item("LicensedSettings").Enabled);
    EXPECT_FALSE(Item("LicensedReloadlastcreatedskin").Enabled);

    PrepareSimple(Skin("in.xml", 1024, 768), "1024", "768");
    w->Job_Button_Action();
    ASSERT_TRUE(w->JobRunning());
    RunEnabling();
    EXPECT_FALSE(Item("LicensedReloadlastcreatedskin").Enabled);
    // A command that still arrives leaves the job's input alone.
    const std::string output = w->OutputXML_EditField().Text();
    w->_LicensedReloadlastcreatedskin_Action();
    EXPECT_EQ(w->OutputXML_EditField().Text(), output);

    FinishJob();
    RunEnabling();
    EXPECT_TRUE(Item("LicensedSettings").Enabled);
    EXPECT_TRUE(Item("LicensedReloadlastcreatedskin").Enabled);
}

TEST_F(MainWindowMenusTest, CaptionsFollowTheLanguageAtTheNextMenuShow) {
    const char* keys[] = {"File",      "Open Skin Folder",         "Quit",
                          "Options",   "Reload Last Created Skin", "Settings",
                          "Translate", "Check for Update",         "User Guide",
                          "About"};
    WriteTestishLanguage({std::begin(keys), std::end(keys)});
    // The language chosen in the settings while the window is open.
    INI_Read_Write::Lang = "Testish";
    Language::ReadLanguage();
    ASSERT_EQ(Language::Lng("File"), "T-File");

    QMenuBar* bar = w->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 3);
    QMenu* file = bar->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    Q_EMIT file->aboutToShow();

    const char* items[] = {"FileMenu",
                           "FileOpenSkinFolder",
                           "FileQuit",
                           "LicensedMenu",
                           "LicensedReloadlastcreatedskin",
                           "LicensedSettings",
                           "Translate",
                           "CheckforUpdate",
                           "UserGuide",
                           "About"};
    for (std::size_t i = 0; i < std::size(items); ++i)
        EXPECT_EQ(Item(items[i]).Text, std::string("T-") + keys[i]) << items[i];
    EXPECT_EQ(Item("Menu").Text, "&?");
    // The bar shows them.
    EXPECT_EQ(bar->actions()[0]->text(), "T-File");
    EXPECT_EQ(bar->actions()[1]->text(), "T-Options");
    EXPECT_EQ(bar->actions()[2]->text(), "&?");
    EXPECT_EQ(bar->actions()[2]->menu()->actions().back()->text(), "T-About");
}

TEST_F(MainWindowMenusTest, TheSettingsDialogsLanguageChangeReachesTheWindowWhileItExists) {
    WriteTestishLanguage({"Files", "Preview Skin"});
    INI_Read_Write::Lang = "Testish";
    Language::ReadLanguage();
    // What the settings dialog calls after the user chose another language.
    mainwindowlink::CreateTabCanvas(true);
    mainwindowlink::SetLanguage(true);
    EXPECT_EQ(w->Breadcrumbs().Tabs.front(), "T-Files");
    EXPECT_EQ(w->Breadcrumbs().Tabs.size(), 4u);
    EXPECT_EQ(w->Preview_button().Caption(), "T-Preview Skin");
    // Once the window is gone the calls reach nothing.
    delete w;
    w = nullptr;
    mainwindowlink::CreateTabCanvas(true);
    mainwindowlink::SetLanguage(true);
}

TEST_F(MainWindowMenusTest, CtrlF8BeforeAnyMenuWasOpenedRunsSettings) {
    // The state in which the enabling event has never run: Settings disabled.
    MenuBar1::Instance().ResetEnabling();
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(OpenWindows<SettingsWindow>().size(), 1u);
}

TEST_F(MainWindowMenusTest, TheMenuButtonPopsUpTheThreeMenusUnderItsLowerLeftCorner) {
    platform::ScopedScriptedPopups popups;
    w->Show();
    w->SetLeft(120);
    w->SetTop(90);
    popups->QueueChoice("About");
    w->Input_Button1_Action();
    // Moved: the pop-up follows the window.
    w->SetLeft(300);
    w->SetTop(200);
    popups->QueueCancel();
    w->Input_Button1_Action();

    ASSERT_EQ(popups->shown.size(), 2u);
    // The button stands at 16, 18 and is 29 high: 120 + 16, 90 + 18 + 29; then 300 + 16,
    // 200 + 18 + 29.
    EXPECT_EQ(popups->shown[0].x, 136);
    EXPECT_EQ(popups->shown[0].y, 137);
    EXPECT_EQ(popups->shown[1].x, 316);
    EXPECT_EQ(popups->shown[1].y, 247);

    std::vector<std::string> names;
    for (const auto& row : popups->shown[0].rows) {
        names.push_back(row.name);
        // Enabled as the menu bar would show them now: no job yet.
        if (row.name == "LicensedReloadlastcreatedskin") {
            EXPECT_FALSE(row.enabled);
        }
        if (row.name == "LicensedSettings") {
            EXPECT_TRUE(row.enabled);
        }
    }
    const std::vector<std::string> expected = {"FileMenu",
                                               "FileOpenSkinFolder",
                                               "FileQuit",
                                               "LicensedMenu",
                                               "LicensedReloadlastcreatedskin",
                                               "LicensedSettings",
                                               "Menu",
                                               "Translate",
                                               "CheckforUpdate",
                                               "UserGuide",
                                               "About"};
    EXPECT_EQ(names, expected);
    // The copy's choice ran the window's "About" handler, as the menu bar does.
    const auto about = OpenWindows<About_Window>();
    ASSERT_EQ(about.size(), 1u);
    EXPECT_TRUE(about[0]->isVisible());
}

TEST_F(MainWindowMenusTest, EachCommandOpensItsWindowOrPage) {
    struct Case {
        const char* item;
        std::function<bool(MainWindowMenusTest&)> opened;
    };
    bool translateShown = false;
    platform::Window::SetModalHook([&](platform::Window& modal) {
        translateShown = dynamic_cast<Translate_Window*>(&modal) != nullptr;
        modal.Close();
    });
    const Case cases[] = {
        {"About", [](auto&) { return OpenWindows<About_Window>().size() == 1; }},
        {"CheckforUpdate", [](auto&) { return OpenWindows<CheckForUpdate_Window>().size() == 1; }},
        {"LicensedSettings", [](auto&) { return OpenWindows<SettingsWindow>().size() == 1; }},
        {"Translate", [&](auto&) { return translateShown; }},
        {"UserGuide",
         [](MainWindowMenusTest& t) {
             return t.launcher->requests ==
                    std::vector<std::string>{"url:https://www.example.org/malvoren/user-guide"};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_TRUE(platform::RunMenuCommand(Item(c.item)));
        EXPECT_TRUE(c.opened(*this));
        CloseWindows(w);
    }
}

TEST_F(MainWindowMenusTest, TheUserGuideWithoutAWebBrowserSaysSoAndShowsTheAddress) {
    launcher->answer = false;
    dialogs->shown.clear();
    EXPECT_TRUE(platform::RunMenuCommand(Item("UserGuide")));
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{std::string(platform::kNoProgramForAddress) +
                                                       "\nhttps://www.example.org/malvoren/"
                                                       "user-guide"});
}

TEST_F(MainWindowMenusTest, OpenSkinFolderOpensTheHostsSkinsOrSaysTheSoftwareIsMissing) {
    const fs::path documents = temp / "Documents";
    ASSERT_EQ(platform::DocumentsFolder().Path(), documents);
    const fs::path skins = documents / "VirtualDJ" / "Skins";
    struct Case {
        const char* rule;
        std::function<void()> make;
        bool opens;
    };
    const Case cases[] = {
        {"NoVirtualDJFolder", [] {}, false},
        {"NoSkinsFolder", [&] { fs::create_directories(documents / "VirtualDJ"); }, false},
        {"SkinsIsAFile", [&] { temp.Write("Documents/VirtualDJ/Skins", "x"); }, false},
        {"SkinsFolder",
         [&] {
             fs::remove(skins);
             fs::create_directories(skins);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        c.make();
        dialogs->shown.clear();
        launcher->requests.clear();
        EXPECT_TRUE(w->_FileOpenSkinFolder_Action());
        if (c.opens) {
            EXPECT_EQ(launcher->requests, std::vector<std::string>{"item:" + skins.string()});
            EXPECT_TRUE(dialogs->shown.empty());
        } else {
            EXPECT_TRUE(launcher->requests.empty());
            ASSERT_EQ(dialogs->shown.size(), 1u);
            EXPECT_EQ(dialogs->shown[0].rfind(
                          "Software not found. You must install the software first. ", 0),
                      0u);
            EXPECT_NE(dialogs->shown[0].find("https://www.virtualdj.com/"), std::string::npos);
        }
    }
}

TEST_F(MainWindowMenusTest, ReloadReadsTheLastSkinAndEmptiesOnlyTheOutputField) {
    const std::string input = Skin("in.xml", 1024, 768);
    dialogs->QueueOpenFile(input);
    w->Input_Button_Action();
    w->OutputXML_EditField().SetText("/skins/out.xml");
    w->LastSkin = Skin("last.xml", 1280, 800);
    Variables::Input_Filename = "other.xml";

    EXPECT_TRUE(w->_LicensedReloadlastcreatedskin_Action());
    EXPECT_EQ(Variables::inWidth, 1280);  // the last skin analysed again
    EXPECT_EQ(Variables::inHeight, 800);
    EXPECT_EQ(w->OutputXML_EditField().Text(), "");
    EXPECT_EQ(w->InputXML_EditField().Text(), input);
    EXPECT_EQ(Variables::Input_Filename, "in.xml");
}

TEST_F(MainWindowMenusTest, FiveItemsGetMaskedIconsAndTheMenuButtonItsPicture) {
    for (const char* name : kIconItems) {
        SCOPED_TRACE(name);
        const auto& icon = Item(name).Icon;
        ASSERT_TRUE(icon);
        // A 32 x 16 strip: the icon is its left half, the right half its mask.
        EXPECT_EQ(icon->Width(), 16);
        EXPECT_EQ(icon->Height(), 16);
    }
    EXPECT_FALSE(Item("About").Icon);
    EXPECT_FALSE(Item("Translate").Icon);
    ASSERT_TRUE(w->Input_Button1().Icon);
    EXPECT_EQ(w->Input_Button1().Icon->Width(), 22);  // used as it is, no strip
    EXPECT_EQ(w->Input_Button1().MyStyle.WidthMode, 0);
}

TEST_F(MainWindowMenusTest, TheBarShowsTheIconsAndIsSavedForALook) {
    w->Show();
    QMenu* help = w->MenuBar()->actions()[2]->menu();
    Q_EMIT help->aboutToShow();
    // Translate, Check for Update, User Guide, About: two of them have icons.
    const QList<QAction*> rows = help->actions();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[0]->icon().isNull());
    EXPECT_FALSE(rows[1]->icon().isNull());
    EXPECT_FALSE(rows[2]->icon().isNull());
    EXPECT_TRUE(rows[3]->icon().isNull());
    help->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    testsupport::SaveForInspection(w->grab().toImage(), "main_window_menu_bar");
    testsupport::SaveForInspection(help->grab().toImage(), "main_window_help_menu");
    help->hide();
}

TEST_F(MainWindowMenusTest, MissingPicturesLeaveItemsWithoutIcons) {
    delete w;
    w = nullptr;
    for (const char* name : kIconItems)
        Item(name).Icon.reset();
    fs::create_directories(temp / "no pictures");
    ScopedEnv empty{"MALVOREN_RESOURCES_DIR", (temp / "no pictures").string()};
    resources::ResetResources();
    Build();
    for (const char* name : kIconItems)
        EXPECT_FALSE(Item(name).Icon) << name;
    EXPECT_FALSE(w->Input_Button1().Icon);
}

}  // namespace
