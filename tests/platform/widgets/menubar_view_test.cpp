#include "platform/widgets/menubar_view.h"

#include "platform/picture.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

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
