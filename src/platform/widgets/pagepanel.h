#pragma once

#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QWidget>

#include <vector>

namespace platform {

/// The framework's page panel: a container of PanelCount pages, of which only the current one
/// (Value) is shown. It draws nothing of its own.
///
/// Each page is a container widget as large as the panel; a control goes on page n by adding
/// it inside Page(n). A control on a page is shown only while its page is current, and its own
/// Visible flag stays apart from that: hiding and showing pages never changes it, so a control
/// hidden by its window stays hidden when its page comes back.
class PagePanel : public QWidget, public Control {
public:
    explicit PagePanel(QWidget* parent = nullptr);
    ~PagePanel() override;

    int PanelCount() const noexcept { return static_cast<int>(m_pages.size()); }
    /// Sets the number of pages. Pages beyond the new count are deleted with their controls; a
    /// current page that no longer exists makes the last page current (raising Change).
    void SetPanelCount(int count);

    /// The current page, 0-based (-1 while the panel has no page).
    int Value() const noexcept { return m_value; }
    /// Shows page `value`; raises Change only when the current page really changes. A value
    /// outside 0 to PanelCount - 1 is ignored.
    void SetValue(int value);

    /// The container of page `index` (0-based), or nullptr when there is no such page.
    QWidget* Page(int index) const;

    /// The window's handler, raised when the current page has changed.
    Event<void()> Change;

protected:
    virtual void Event_Change() { Change.Raise(); }

    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowCurrent();

    std::vector<QWidget*> m_pages;
    int m_value = -1;
};

}  // namespace platform
