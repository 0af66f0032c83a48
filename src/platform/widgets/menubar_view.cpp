#include "platform/widgets/menubar_view.h"

#include "platform/dispatch.h"
#include "platform/picture.h"
#include "platform/widgets/window.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

namespace platform {
namespace {

std::function<void()>& QuitHandler() {
    static std::function<void()> handler;
    return handler;
}

QString MenuText(const MenuItem& item) {
    return QString::fromStdString(item.Text);
}

void CopyState(QAction& action, const MenuItem& item) {
    action.setText(MenuText(item));
    action.setEnabled(item.Enabled);
    action.setCheckable(item.Checked);
    action.setChecked(item.Checked);
    if (item.Icon) {
        const QRect whole(0, 0, item.Icon->Width(), item.Icon->Height());
        action.setIcon(QIcon(QPixmap::fromImage(item.Icon->DrawableImage(whole))));
    } else {
        action.setIcon(QIcon());
    }
}

}  // namespace

QString ShortcutFromFramework(const std::string& shortcut) {
    QString text = QString::fromStdString(shortcut);
    text.replace(QLatin1String("Cmd+"), QLatin1String("Ctrl+"), Qt::CaseInsensitive);
    return text;
}

MenuBarView::MenuBarView(MenuItem& tree, QMenuBar& bar, Window* owner)
    : QObject(&bar)
    , m_tree(tree)
    , m_bar(bar)
    , m_owner(owner) {
    Rebuild();
    qApp->installEventFilter(this);
}

MenuBarView::~MenuBarView() {
    qApp->removeEventFilter(this);
}

void MenuBarView::Rebuild() {
    // Until the first enabling event, only the items that enable themselves are enabled.
    m_tree.ResetEnabling();
    m_bar.clear();
    m_actions.clear();
    for (std::size_t i = 0; i < m_tree.Count(); ++i) {
        MenuItem& title = m_tree.Item(i);
        QMenu* menu = m_bar.addMenu(MenuText(title));
        m_actions[menu->menuAction()] = &title;
        connect(menu, &QMenu::aboutToShow, this, [this] { Dispatch([this] { RunEnabling(); }); });
        AddItems(*menu, title);
    }
    Sync();
}

void MenuBarView::AddItems(QMenu& menu, MenuItem& parent) {
    for (std::size_t i = 0; i < parent.Count(); ++i) {
        MenuItem& item = parent.Item(i);
        if (item.IsSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (item.Count() > 0) {
            QMenu* sub = menu.addMenu(MenuText(item));
            m_actions[sub->menuAction()] = &item;
            AddItems(*sub, item);
            continue;
        }
        QAction* action = menu.addAction(MenuText(item));
        // The original menu bar is the application's, so its shortcuts work in every window.
        action->setShortcut(QKeySequence(ShortcutFromFramework(item.KeyboardShortcut)));
        action->setShortcutContext(Qt::ApplicationShortcut);
        m_actions[action] = &item;
        MenuItem* target = &item;
        connect(action, &QAction::triggered, this, [this, target] { Trigger(*target); });
    }
}

void MenuBarView::Sync() {
    for (auto& [action, item] : m_actions)
        CopyState(*action, *item);
}

void MenuBarView::RunEnabling() {
    if (m_enabling)
        return;
    m_enabling = true;
    m_tree.ResetEnabling();
    Window* front = Window::Frontmost();
    if (front)
        Dispatch([front] { front->Event_EnableMenuItems(); });
    Window* main = m_owner ? m_owner : Window::Main();
    if (main && main != front && !main->IsClosed())
        Dispatch([main] { main->Event_EnableMenuItems(); });
    Dispatch([this] { EnableMenuItems.Raise(); });
    Sync();
    m_enabling = false;
}

void MenuBarView::Trigger(MenuItem& item) {
    Dispatch([&] { RunMenuCommand(item); });
}

bool MenuBarView::eventFilter(QObject* watched, QEvent* event) {
    // Sent to the focus object before Qt matches the key against the shortcuts.
    if (event->type() == QEvent::ShortcutOverride)
        Dispatch([this] { RunEnabling(); });
    return QObject::eventFilter(watched, event);
}

void RequestQuit() {
    if (QuitHandler()) {
        QuitHandler()();
        return;
    }
    if (CloseAllWindows(Window::Main()))
        QCoreApplication::quit();
}

std::function<void()> SetQuitHandler(std::function<void()> handler) {
    auto previous = std::move(QuitHandler());
    QuitHandler() = std::move(handler);
    return previous;
}

namespace {

void AddPopupRows(QMenu& qmenu, MenuItem& menu, std::map<QAction*, MenuItem*>& actions) {
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        MenuItem& item = menu.Item(i);
        if (item.IsSeparator()) {
            qmenu.addSeparator();
            continue;
        }
        if (item.Count() > 0) {
            QMenu* sub = qmenu.addMenu(MenuText(item));
            sub->setEnabled(item.Enabled);
            AddPopupRows(*sub, item, actions);
            continue;
        }
        QAction* action = qmenu.addAction(MenuText(item));
        CopyState(*action, item);
        actions[action] = &item;
    }
}

}  // namespace

MenuItem* QtPopupPresenter::PopUp(MenuItem& menu, int screenX, int screenY) {
    QMenu qmenu;
    std::map<QAction*, MenuItem*> actions;
    AddPopupRows(qmenu, menu, actions);
    QAction* chosen = qmenu.exec(QPoint(screenX, screenY));
    auto it = actions.find(chosen);
    return it == actions.end() ? nullptr : it->second;
}

}  // namespace platform
