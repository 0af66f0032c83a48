#include "platform/widgets/menubar_view.h"

#include "platform/picture.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

std::unique_ptr<MenuItem> Item(const char* text, const char* name, bool autoEnable,
                               const char* shortcut = "") {
    auto item = std::make_unique<MenuItem>(text, name);
    item->AutoEnable = autoEnable;
    item->KeyboardShortcut = shortcut;
    return item;
}

/// A window holding the menu bar, enabling "Settings" in its enabling event, as the main
/// window does.
class MenuWindow : public Window {
public:
    MenuWindow() {
        auto* layout = new QVBoxLayout(this);
        menuBar = new QMenuBar(this);
        layout->setMenuBar(menuBar);
        tree.Append(Item("&File", "FileMenu", true))
            .Append(Item("Quitter", "FileQuit", true, "Cmd+Q"))
            .IsQuitItem = true;
        MenuItem& options = tree.Append(Item("Options", "LicensedMenu", true));
        options.Append(Item("Reload Last Created Skin", "LicensedReloadlastcreatedskin", false));
        options.Append(Item("Settings", "LicensedSettings", false, "Cmd+F8"));
        view = std::make_unique<MenuBarView>(tree, *menuBar);
        SetMenuHandler("LicensedSettings", [this] {
            ++settingsCommands;
            return true;
        });
        EnableMenuItems = [this] {
            ++enablings;
            tree.Find("LicensedSettings")->Enabled = true;
            tree.Find("LicensedSettings")->Text = "Réglages";
        };
    }
    QAction* ActionOf(const char* text) {
        for (QAction* a : menuBar->findChildren<QAction*>()) {
            if (a->text() == QString::fromUtf8(text))
                return a;
        }
        return nullptr;
    }

    MenuItem tree;
    QMenuBar* menuBar;
    std::unique_ptr<MenuBarView> view;
    int settingsCommands = 0;
    int enablings = 0;
};

}  // namespace

TEST(MenuBarViewTest, TheTreeIsMirroredWithShortcutsAndItsInitialEnabling) {
    MenuWindow w;
    ASSERT_EQ(w.menuBar->actions().size(), 2);
    EXPECT_EQ(w.menuBar->actions()[0]->text(), "&File");
    QAction* settings = w.ActionOf("Settings");
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->shortcut(), QKeySequence("Ctrl+F8"));
    EXPECT_FALSE(settings->isEnabled());  // AutoEnable false: off until an enabling event
    EXPECT_TRUE(w.ActionOf("Quitter")->isEnabled());
    EXPECT_TRUE(settings->icon().isNull());
    EXPECT_EQ(ShortcutFromFramework("Cmd+Q"), "Ctrl+Q");
    EXPECT_EQ(ShortcutFromFramework("F1"), "F1");
}

TEST(MenuBarViewTest, AShortcutWorksBeforeAnyMenuWasOpened) {
    auto* w = new MenuWindow;
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_EQ(w->enablings, 0);
    QTest::keyClick(w, Qt::Key_F8, Qt::ControlModifier);
    EXPECT_GE(w->enablings, 1);
    EXPECT_EQ(w->settingsCommands, 1);
    // The enabling's texts reach Qt's actions too.
    EXPECT_NE(w->ActionOf("Réglages"), nullptr);
    // Icons given to items reach the actions at the next enabling.
    w->tree.Find("LicensedSettings")->Icon = Picture::New(16, 16);
    w->view->RunEnabling();
    EXPECT_FALSE(w->ActionOf("Réglages")->icon().isNull());
    w->Close();
}

TEST(MenuBarViewTest, ShowingAMenuRunsTheEnablingFirst) {
    MenuWindow w;
    QMenu* options = w.menuBar->actions()[1]->menu();
    ASSERT_NE(options, nullptr);
    Q_EMIT options->aboutToShow();
    EXPECT_EQ(w.enablings, 0);  // the window is not shown, so it is not the frontmost
    w.Show();
    Q_EMIT options->aboutToShow();
    EXPECT_EQ(w.enablings, 1);
    EXPECT_TRUE(w.ActionOf("Réglages")->isEnabled());
    EXPECT_FALSE(w.ActionOf("Reload Last Created Skin")->isEnabled());
    w.hide();
}

TEST(MenuBarViewTest, TheQuitItemQuitsWhenNoHandlerTakesIt) {
    MenuWindow w;
    int quits = 0;
    auto old = SetQuitHandler([&] { ++quits; });
    w.view->Trigger(*w.tree.Find("FileQuit"));
    EXPECT_EQ(quits, 1);
    // The item's own Action, when it handles the command, comes first.
    w.tree.Find("FileQuit")->Action = [] { return true; };
    w.view->Trigger(*w.tree.Find("FileQuit"));
    EXPECT_EQ(quits, 1);
    SetQuitHandler(std::move(old));
}

TEST(QtPopupPresenterTest, QtMenuShowsTheRowsAndReturnsTheChosenItem) {
    MenuItem menu;
    menu.Append(std::make_unique<MenuItem>("English", "en"));
    MenuItem& french = menu.Append(std::make_unique<MenuItem>("Français", "fr"));
    french.Checked = true;
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(shown, nullptr);
        for (QAction* a : shown->actions())
            seen << a->text() + (a->isChecked() ? "*" : "");
        shown->setActiveAction(shown->actions()[1]);
        QTest::keyClick(shown, Qt::Key_Return);
    });
    QtPopupPresenter presenter;
    EXPECT_EQ(presenter.PopUp(menu, 10, 10), &french);
    EXPECT_EQ(seen, (QStringList{"English", "Français*"}));
}

namespace {

/// The main window as the tool has it: its menu bar set through the window, "Settings"
/// (Ctrl+F8) enabled only by its own enabling event, "About" (F2) always enabled.
class MainWithBar : public Window {
public:
    MainWithBar() {
        MenuItem& options = tree.Append(Item("Options", "LicensedMenu", true));
        options.Append(Item("Settings", "LicensedSettings", false, "Cmd+F8"));
        MenuItem& help = tree.Append(Item("&?", "Menu", true));
        help.Append(Item("&About", "About", true, "F2"));
        EnableMenuItems = [this] { tree.Find("LicensedSettings")->Enabled = true; };
        for (const char* name : {"LicensedSettings", "About"}) {
            SetMenuHandler(name, [this, name] {
                log.push_back(std::string("main:") + name);
                return true;
            });
        }
    }
    MenuItem tree;
    std::vector<std::string> log;

protected:
    void Layout() override {
        SetMenuBar(tree);
        setGeometry(40, 60, 300, 200);
    }
};

struct FrontCase {
    const char* name;
    bool dialogHandlesAbout;
    std::vector<std::string> expected;
};

class MenuUnderADialogTest : public ::testing::TestWithParam<FrontCase> {};

}  // namespace

TEST_P(MenuUnderADialogTest, ShortcutsReachTheFrontWindowFirstThenTheMainWindow) {
    QPointer<MainWithBar> mainWindow = new MainWithBar;
    mainWindow->Show();
    QPointer<Window> dialog = new Window(Window::Frame::MovableModal);
    dialog->setGeometry(80, 90, 120, 80);
    dialog->SetMenuHandler("About", [&] {
        mainWindow->log.push_back("dialog:About");
        return GetParam().dialogHandlesAbout;
    });
    dialog->ShowWithin(*mainWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    ASSERT_EQ(Window::Frontmost(), dialog.data());
    ASSERT_EQ(Window::Main(), mainWindow.data());

    QTest::keyClick(dialog, Qt::Key_F2);
    // Settings is enabled by the main window's enabling alone, which runs under the dialog.
    QTest::keyClick(dialog, Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(mainWindow->log, GetParam().expected);
    dialog->Close();
    mainWindow->Close();
}

const FrontCase kFrontCases[] = {
    {"TheMainWindowTakesWhatTheDialogLeaves",
     false,
     {"dialog:About", "main:About", "main:LicensedSettings"}},
    {"TheDialogsOwnHandlerComesFirst", true, {"dialog:About", "main:LicensedSettings"}},
};
INSTANTIATE_TEST_SUITE_P(Fronts, MenuUnderADialogTest, ::testing::ValuesIn(kFrontCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunMenuCommandTest, APopupsChoiceRunsThroughTheSameHandlersByName) {
    QPointer<MainWithBar> mainWindow = new MainWithBar;
    mainWindow->Show();
    ScopedScriptedPopups popups;
    MenuItem menu;
    MenuItem& help = menu.Append(Item("Help", "HelpMenu", true));
    help.Append(Item("About", "About", true));
    MenuItem& own = help.Append(Item("Own", "Own", true));
    int ownActions = 0;
    own.Action = [&] { return ++ownActions > 0; };
    popups->QueueChoice("About");
    popups->QueueChoice("Own");
    for (int i = 0; i < 2; ++i) {
        MenuItem* chosen = menu.PopUp(0, 0);
        ASSERT_NE(chosen, nullptr);
        EXPECT_TRUE(RunMenuCommand(*chosen));
    }
    EXPECT_EQ(mainWindow->log, (std::vector<std::string>{"main:About"}));
    EXPECT_EQ(ownActions, 1);  // no window handles "Own": the item's own Action runs
    mainWindow->Close();
}

TEST(QtPopupPresenterTest, QtMenuOpensSubmenusAndReturnsAnItemInside) {
    MenuItem menu;
    menu.Append(std::make_unique<MenuItem>("Close", "close"));
    MenuItem& language = menu.Append(std::make_unique<MenuItem>("Language", "language"));
    language.Append(std::make_unique<MenuItem>("English", "en"));
    MenuItem& french = language.Append(std::make_unique<MenuItem>("Français", "fr"));
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* top = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(top, nullptr);
        QAction* languageAction = top->actions()[1];
        ASSERT_NE(languageAction->menu(), nullptr);
        for (QAction* a : languageAction->menu()->actions())
            seen << a->text();
        top->setActiveAction(languageAction);
        QTest::keyClick(top, Qt::Key_Right);  // opens the submenu on its first row
        auto* sub = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(sub, nullptr);
        ASSERT_NE(sub, top);
        QTest::keyClick(sub, Qt::Key_Down);
        QTest::keyClick(sub, Qt::Key_Return);
    });
    QtPopupPresenter presenter;
    EXPECT_EQ(presenter.PopUp(menu, 10, 10), &french);
    EXPECT_EQ(seen, (QStringList{"English", "Français"}));
}
