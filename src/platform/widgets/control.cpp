#include "platform/widgets/control.h"

#include "platform/widgets/window.h"

#include <QCursor>
#include <QWidget>

namespace platform {
namespace {

/// Offset of `widget`'s top left within its window's content area.
QPoint WindowOffset(const QWidget& widget) {
    QPoint offset;
    for (const QWidget* w = &widget; w && !Window::IsContentRoot(*w); w = w->parentWidget())
        offset += w->pos();
    return offset;
}

/// The base of a control's position: its container's offset, or 0 in the content area.
QPoint ContainerOffset(const QWidget& self) {
    const QWidget* parent = self.parentWidget();
    return parent && !Window::IsContentRoot(*parent) ? WindowOffset(*parent) : QPoint();
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
    m_self.move(left - ContainerOffset(m_self).x(), m_self.y());
}

void Control::SetTop(int top) {
    m_self.move(m_self.x(), top - ContainerOffset(m_self).y());
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
    return up && !Window::IsContentRoot(*up) ? ControlOf(up) : nullptr;
}

SystemCursor Control::MouseCursor() const {
    return SystemCursorOf(m_self);
}

void Control::SetMouseCursor(SystemCursor cursor) {
    ApplySystemCursor(m_self, cursor);
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

void Control::Refresh(bool eraseBackground) {
    RepaintWidget(m_self, eraseBackground);
}

void RepaintWidget(QWidget& widget, bool now) {
    // repaint() paints every pending region of the window through its backing store and
    // flushes it to the screen; it does nothing for a widget that is not shown.
    if (now && widget.isVisible() && !widget.testAttribute(Qt::WA_WState_InPaintEvent))
        widget.repaint();
    else
        widget.update();
}

namespace {

struct CursorShape {
    SystemCursor cursor;
    Qt::CursorShape shape;
};
constexpr CursorShape kCursorShapes[] = {
    {SystemCursor::StandardPointer, Qt::ArrowCursor},
    {SystemCursor::ArrowAllDirections, Qt::SizeAllCursor},
    {SystemCursor::FingerPointer, Qt::PointingHandCursor},
    {SystemCursor::IBeam, Qt::IBeamCursor},
    {SystemCursor::Wait, Qt::WaitCursor},
};

}  // namespace

void ApplySystemCursor(QWidget& widget, SystemCursor cursor) {
    for (const CursorShape& entry : kCursorShapes) {
        if (entry.cursor == cursor)
            widget.setCursor(entry.shape);
    }
}

SystemCursor SystemCursorOf(const QWidget& widget) {
    // cursor() answers the parent's shape for a widget without one of its own.
    if (!widget.testAttribute(Qt::WA_SetCursor))
        return SystemCursor::StandardPointer;
    for (const CursorShape& entry : kCursorShapes) {
        if (entry.shape == widget.cursor().shape())
            return entry.cursor;
    }
    return SystemCursor::StandardPointer;
}

Control* ControlOf(QWidget* widget) {
    for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* control = dynamic_cast<Control*>(w))
            return control;
    }
    return nullptr;
}

}  // namespace platform
