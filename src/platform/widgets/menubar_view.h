#pragma once

#include "platform/event.h"
#include "platform/menu.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace platform {

class Window;

/// Mirrors a menu-bar tree (titles, then their items) into a QMenuBar.
///
/// The enabling event runs before any menu shows (each menu's aboutToShow) and before a key
/// is matched against the shortcuts (an application event filter on ShortcutOverride), so a
/// shortcut works before any menu was ever opened. Enabling resets every item to its
/// AutoEnable, runs the frontmost window's EnableMenuItems, then copies the tree's texts and
/// states into Qt's actions.
///
/// A command goes to the frontmost window's handler for the item's name, else to the item's
/// own Action, else, for the quit item, to the quit request.
class MenuBarView : public QObject {
public:
    /// Mirrors `tree`, which must outlive the view, into `bar`; `owner` is the window that
    /// holds the bar (its enabling also runs while another window is in front).
    MenuBarView(MenuItem& tree, QMenuBar& bar, Window* owner = nullptr);
    ~MenuBarView() override;

    /// Rebuilds Qt's menus from the tree (after items were appended or inserted).
    void Rebuild();
    /// Runs the enabling and copies texts and states into Qt's actions.
    void RunEnabling();
    /// Runs the command of `item` as a click on it would.
    void Trigger(MenuItem& item);

    /// Raised after the window's enabling event, for enabling that belongs to no window.
    Event<void()> EnableMenuItems;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddItems(QMenu& menu, MenuItem& parent);
    void Sync();

    MenuItem& m_tree;
    QMenuBar& m_bar;
    Window* m_owner;
    std::map<QAction*, MenuItem*> m_actions;
    bool m_enabling = false;
};

/// The shortcut text of the framework ("Cmd+Q", "Cmd+F8", "F1") in Qt's form ("Ctrl+Q").
QString ShortcutFromFramework(const std::string& shortcut);

/// Ends the application: runs the installed quit handler (the shell's App::Quit), or, when
/// none is installed, closes every window, the main window last (stopping at a refusal), and
/// leaves the loop.
void RequestQuit();
/// Installs the quit handler; returns the previous one.
std::function<void()> SetQuitHandler(std::function<void()> handler);

/// Pop-ups through Qt's QMenu::exec, rows mirroring the tree's texts, states and checks, an
/// item with children opening a submenu.
class QtPopupPresenter : public PopupPresenter {
public:
    MenuItem* PopUp(MenuItem& menu, int screenX, int screenY) override;
};

}  // namespace platform
