#pragma once

#include "platform/event.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Picture;

/// A node of a menu tree, after the framework's MenuItem: the menu bar is a tree of these
/// (titles, then their items), and so is every pop-up menu. Widgets mirror a tree; the tree
/// itself knows nothing of Qt's menus.
class MenuItem {
public:
    explicit MenuItem(std::string text = {}, std::string name = {});
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string Name;
    /// "&" marks the next letter as the access key; "-" makes the item a separator.
    std::string Text;
    /// The framework's form: "Cmd+Q", "Cmd+F8", "F1"; empty for none. "Cmd" is Ctrl here.
    std::string KeyboardShortcut;
    /// True: the item is enabled before every enabling event; false: it stays disabled
    /// unless an enabling event enables it.
    bool AutoEnable = true;
    bool Enabled = true;
    bool Checked = false;
    std::int32_t Tag = 0;
    std::shared_ptr<const Picture> Icon;
    /// The framework's QuitMenuItem: when no handler takes its command, the application quits.
    bool IsQuitItem = false;

    /// The item's own command handler; true means handled.
    Event<bool()> Action;

    bool IsSeparator() const noexcept { return Text == "-"; }

    /// Appends `item` as the last child and returns it.
    MenuItem& Append(std::unique_ptr<MenuItem> item);
    /// Inserts `item` before child `index` (0-based; past the end appends) and returns it.
    MenuItem& Insert(std::size_t index, std::unique_ptr<MenuItem> item);
    /// Removes child `index`; an index past the end changes nothing.
    void Remove(std::size_t index);
    std::size_t Count() const noexcept { return m_children.size(); }
    /// Child `index` (0-based). Throws OutOfBoundsException past the end.
    MenuItem& Item(std::size_t index) const;
    /// The direct child named `name`, or nullptr.
    MenuItem* Child(const std::string& name) const noexcept;
    /// The first item named `name` in the whole tree below this one (depth first), or nullptr.
    MenuItem* Find(const std::string& name) const noexcept;
    MenuItem* Parent() const noexcept { return m_parent; }
    /// A deep copy of the item and its children, without their command handlers.
    std::unique_ptr<MenuItem> Clone() const;

    /// Every item's Enabled becomes its AutoEnable, children included: the state in which the
    /// enabling event finds the tree.
    void ResetEnabling() noexcept;

    /// Shows this item's children as a pop-up menu at a screen point through the installed
    /// presenter; the chosen item, or nullptr when none was chosen.
    MenuItem* PopUp(int screenX, int screenY);

private:
    std::vector<std::unique_ptr<MenuItem>> m_children;
    MenuItem* m_parent = nullptr;
};

/// Shows pop-up menus. One presenter serves the whole program: Qt's menu in the application,
/// a scripted one in tests; until one is installed, every pop-up is cancelled (headless).
class PopupPresenter {
public:
    virtual ~PopupPresenter() = default;
    /// Shows the children of `menu` at a screen point; the chosen item, or nullptr.
    virtual MenuItem* PopUp(MenuItem& menu, int screenX, int screenY) = 0;
};

PopupPresenter& CurrentPopupPresenter();
/// Installs `presenter` (nullptr restores the headless one) and returns the previous one.
std::unique_ptr<PopupPresenter> SetPopupPresenter(std::unique_ptr<PopupPresenter> presenter);

/// For tests: records every pop-up (point and rows, those of submenus too) and answers from a
/// queue by item name, or by text when no item has that name, at any depth of the tree (so a
/// pick inside a submenu needs one answer); an empty queue, an unknown answer, a disabled
/// item or an item that opens a submenu cancels.
class ScriptedPopupPresenter : public PopupPresenter {
public:
    struct Row {
        std::string name;
        std::string text;
        bool enabled;
        bool checked;
        std::int32_t tag;
        /// The name of the submenu item that holds the row; empty at the top level.
        std::string parent;
    };
    struct Shown {
        int x;
        int y;
        std::vector<Row> rows;
    };

    MenuItem* PopUp(MenuItem& menu, int screenX, int screenY) override;
    /// Queues the answer to the next pop-up: an item's name, else its text.
    void QueueChoice(std::string nameOrText) { m_answers.emplace_back(std::move(nameOrText)); }
    void QueueCancel() { m_answers.emplace_back(std::nullopt); }

    std::vector<Shown> shown;

private:
    std::deque<std::optional<std::string>> m_answers;
};

/// Installs a ScriptedPopupPresenter for the lifetime of this object (tests).
class ScopedScriptedPopups {
public:
    ScopedScriptedPopups();
    ~ScopedScriptedPopups();
    ScopedScriptedPopups(const ScopedScriptedPopups&) = delete;
    ScopedScriptedPopups& operator=(const ScopedScriptedPopups&) = delete;
    ScriptedPopupPresenter* operator->() noexcept { return m_presenter; }
    ScriptedPopupPresenter& operator*() noexcept { return *m_presenter; }

private:
    ScriptedPopupPresenter* m_presenter;
    std::unique_ptr<PopupPresenter> m_previous;
};

}  // namespace platform
