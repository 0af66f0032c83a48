#include "platform/widgets/pagepanel.h"

#include <QResizeEvent>

#include <algorithm>

namespace platform {

PagePanel::PagePanel(QWidget* parent)
    : QWidget(parent)
    , Control(static_cast<QWidget&>(*this)) {
    SetPanelCount(1);
}

PagePanel::~PagePanel() = default;

void PagePanel::SetPanelCount(int count) {
    count = std::max(count, 0);
    while (PanelCount() > count) {
        delete m_pages.back();
        m_pages.pop_back();
    }
    while (PanelCount() < count) {
        auto* page = new QWidget(this);
        page->setObjectName(QStringLiteral("page%1").arg(PanelCount()));
        page->setGeometry(rect());
        page->hide();
        m_pages.push_back(page);
    }
    if (m_value < 0 && count > 0) {
        // The first page of a new panel is current from the start; nothing has changed yet.
        m_value = 0;
        ShowCurrent();
    } else if (m_value >= count) {
        m_value = count - 1;
        ShowCurrent();
        Event_Change();
    } else {
        ShowCurrent();
    }
}

void PagePanel::SetValue(int value) {
    if (value < 0 || value >= PanelCount() || value == m_value)
        return;
    m_value = value;
    ShowCurrent();
    Event_Change();
}

QWidget* PagePanel::Page(int index) const {
    if (index < 0 || index >= PanelCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(index)];
}

void PagePanel::ShowCurrent() {
    // Only the page containers are shown and hidden: Qt hides the controls on a hidden page
    // without touching their own hidden flag, which is the control's Visible.
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(static_cast<int>(i) == m_value);
}

void PagePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QWidget* page : m_pages)
        page->setGeometry(rect());
}

}  // namespace platform
