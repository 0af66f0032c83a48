#include "platform/widgets/control.h"

#include "platform/widgets/window.h"

#include <QWidget>

namespace platform {
namespace {

/// Offset of `widget`'s top left within its window's content area.
QPoint WindowOffset(const QWidget& widget) {
    QPoint offset;
    for (const QWidget* w = &widget; w && !w->isWindow(); w = w->parentWidget())
        offset += w->pos();
    return offset;
}

}  // namespace

Control::Control(QWidget& self)
    : m_self(self) {
}

Control::~Control() = default;

std::string Control::Name() const {
    return m_self.objectName().toStdString();
}

void Control::SetName(const std::string& name) {
    m_self.setObjectName(QString::fromStdString(name));
}

std::string Control::HelpTag() const {
    return m_self.toolTip().toStdString();
}

void Control::SetHelpTag(const std::string& text) {
    m_self.setToolTip(QString::fromStdString(text));
}

int Control::Left() const {
    return WindowOffset(m_self).x();
}

int Control::Top() const {
    return WindowOffset(m_self).y();
}

int Control::Width() const {
    return m_self.width();
}

int Control::Height() const {
    return m_self.height();
}

void Control::SetLeft(int left) {
    const QWidget* parent = m_self.parentWidget();
    const int base = parent && !parent->isWindow() ? WindowOffset(*parent).x() : 0;
    m_self.move(left - base, m_self.y());
}

void Control::SetTop(int top) {
    const QWidget* parent = m_self.parentWidget();
    const int base = parent && !parent->isWindow() ? WindowOffset(*parent).y() : 0;
    m_self.move(m_self.x(), top - base);
}

void Control::SetWidth(int width) {
    m_self.resize(width, m_self.height());
}

void Control::SetHeight(int height) {
    m_self.resize(m_self.width(), height);
}

bool Control::Enabled() const {
    // Qt's isEnabled() is false when any ancestor is disabled; the framework's flag is the
    // control's own, which Qt keeps as WA_ForceDisabled.
    return !m_self.testAttribute(Qt::WA_ForceDisabled);
}

void Control::SetEnabled(bool enabled) {
    m_self.setEnabled(enabled);
}

bool Control::Visible() const {
    return !m_self.isHidden();
}

void Control::SetVisible(bool visible) {
    m_self.setVisible(visible);
}

Control* Control::Parent() const {
    QWidget* up = m_self.parentWidget();
    return up && !up->isWindow() ? ControlOf(up) : nullptr;
}

platform::Window* Control::TrueWindow() const {
    return dynamic_cast<platform::Window*>(m_self.window());
}

void Control::SetFocus() {
    if (!Enabled())
        return;
    m_self.setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const {
    return m_self.hasFocus();
}

void Control::Refresh(bool) {
    m_self.update();
}

Control* ControlOf(QWidget* widget) {
    for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* control = dynamic_cast<Control*>(w))
            return control;
    }
    return nullptr;
}

}  // namespace platform
