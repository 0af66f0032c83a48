#include "platform/menu.h"

#include "platform/exceptions.h"

#include <algorithm>

namespace platform {
namespace {

class HeadlessPopupPresenter : public PopupPresenter {
public:
    MenuItem* PopUp(MenuItem&, int, int) override { return nullptr; }
};

std::unique_ptr<PopupPresenter>& Presenter() {
    static std::unique_ptr<PopupPresenter> presenter = std::make_unique<HeadlessPopupPresenter>();
    return presenter;
}

}  // namespace

MenuItem::MenuItem(std::string text, std::string name)
    : Name(std::move(name))
    , Text(std::move(text)) {
}

MenuItem::~MenuItem() = default;

MenuItem& MenuItem::Append(std::unique_ptr<MenuItem> item) {
    return Insert(m_children.size(), std::move(item));
}

MenuItem& MenuItem::Insert(std::size_t index, std::unique_ptr<MenuItem> item) {
    if (!item)
        throw NilObjectException("no menu item to insert");
    item->m_parent = this;
    index = std::min(index, m_children.size());
    auto it =
        m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    return **it;
}

void MenuItem::Remove(std::size_t index) {
    if (index < m_children.size())
        m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
}

MenuItem& MenuItem::Item(std::size_t index) const {
    if (index >= m_children.size())
        throw OutOfBoundsException("menu item " + std::to_string(index) + " of " +
                                   std::to_string(m_children.size()));
    return *m_children[index];
}

MenuItem* MenuItem::Child(const std::string& name) const noexcept {
    for (const auto& child : m_children) {
        if (child->Name == name)
            return child.get();
    }
    return nullptr;
}

MenuItem* MenuItem::Find(const std::string& name) const noexcept {
    for (const auto& child : m_children) {
        if (child->Name == name)
            return child.get();
        if (MenuItem* found = child->Find(name))
            return found;
    }
    return nullptr;
}

std::unique_ptr<MenuItem> MenuItem::Clone() const {
    auto copy = std::make_unique<MenuItem>(Text, Name);
    copy->KeyboardShortcut = KeyboardShortcut;
    copy->AutoEnable = AutoEnable;
    copy->Enabled = Enabled;
    copy->Checked = Checked;
    copy->Tag = Tag;
    copy->Icon = Icon;
    copy->IsQuitItem = IsQuitItem;
    for (const auto& child : m_children)
        copy->Append(child->Clone());
    return copy;
}

void MenuItem::ResetEnabling() noexcept {
    Enabled = AutoEnable;
    for (auto& child : m_children)
        child->ResetEnabling();
}

MenuItem* MenuItem::PopUp(int screenX, int screenY) {
    return CurrentPopupPresenter().PopUp(*this, screenX, screenY);
}

PopupPresenter& CurrentPopupPresenter() {
    return *Presenter();
}

std::unique_ptr<PopupPresenter> SetPopupPresenter(std::unique_ptr<PopupPresenter> presenter) {
    auto previous = std::move(Presenter());
    Presenter() = presenter ? std::move(presenter) : std::make_unique<HeadlessPopupPresenter>();
    return previous;
}

namespace {

void RecordRows(const MenuItem& menu, const std::string& parent,
                std::vector<ScriptedPopupPresenter::Row>& rows) {
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        const MenuItem& item = menu.Item(i);
        rows.push_back({item.Name, item.Text, item.Enabled, item.Checked, item.Tag, parent});
        RecordRows(item, item.Name, rows);
    }
}

MenuItem* FindByText(const MenuItem& menu, const std::string& text) {
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        MenuItem& item = menu.Item(i);
        if (item.Text == text)
            return &item;
        if (MenuItem* found = FindByText(item, text))
            return found;
    }
    return nullptr;
}

/// As in a real menu, an item is reachable only when it and every submenu above it are
/// enabled.
bool Reachable(const MenuItem& item, const MenuItem& root) {
    for (const MenuItem* at = &item; at && at != &root; at = at->Parent()) {
        if (!at->Enabled || at->IsSeparator())
            return false;
    }
    return true;
}

}  // namespace

MenuItem* ScriptedPopupPresenter::PopUp(MenuItem& menu, int screenX, int screenY) {
    Shown record{screenX, screenY, {}};
    RecordRows(menu, std::string(), record.rows);
    shown.push_back(std::move(record));
    if (m_answers.empty())
        return nullptr;
    const std::optional<std::string> answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (!answer)
        return nullptr;
    MenuItem* chosen = menu.Find(*answer);
    if (!chosen)
        chosen = FindByText(menu, *answer);
    // An item that opens a submenu is no command.
    if (chosen && (!Reachable(*chosen, menu) || chosen->Count() > 0))
        return nullptr;
    return chosen;
}

ScopedScriptedPopups::ScopedScriptedPopups() {
    auto presenter = std::make_unique<ScriptedPopupPresenter>();
    m_presenter = presenter.get();
    m_previous = SetPopupPresenter(std::move(presenter));
}

ScopedScriptedPopups::~ScopedScriptedPopups() {
    SetPopupPresenter(std::move(m_previous));
}

}  // namespace platform
