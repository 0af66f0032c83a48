#include "platform/widgets/label.h"

#include "platform/dispatch.h"
#include "platform/keys.h"
#include "platform/widgets/control_font.h"
#include "platform/widgets/window.h"

#include <QMouseEvent>

namespace platform {
Label::Label(QWidget* parent)
    : QLabel(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    ApplyFont();
    ApplyAlignment();
    ApplyColors();
}

Label::~Label() = default;

void Label::SetText(const std::string& text) {
    m_text = text;
    ApplyText();
}

void Label::ApplyText() {
    QString shown = QString::fromStdString(m_text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!m_multiline) {
        // A one-line label shows its first line only.
        const auto end = shown.indexOf(QLatin1Char('\n'));
        if (end >= 0)
            shown.truncate(end);
    }
    setText(shown);
}

void Label::SetTextColor(Color color) {
    m_textColor = color;
    ApplyColors();
}

void Label::SetTextFont(const std::string& name) {
    m_textFont = name;
    ApplyFont();
}

void Label::SetTextSize(double pixels) {
    m_textSize = pixels;
    ApplyFont();
}

void Label::SetBold(bool bold) {
    m_bold = bold;
    ApplyFont();
}

void Label::SetItalic(bool italic) {
    m_italic = italic;
    ApplyFont();
}

void Label::SetUnderline(bool underline) {
    m_underline = underline;
    ApplyFont();
}

void Label::SetTextAlign(int align) {
    m_textAlign = align;
    ApplyAlignment();
}

void Label::SetMultiline(bool multiline) {
    m_multiline = multiline;
    setWordWrap(multiline);
    ApplyText();
    ApplyAlignment();
}

void Label::SetTransparent(bool transparent) {
    m_transparent = transparent;
    ApplyColors();
}

void Label::SetSelectable(bool selectable) {
    m_selectable = selectable;
    setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
}

void Label::ApplyFont() {
    setFont(ControlFont(m_textFont, m_textSize, m_bold, m_italic, m_underline));
}

void Label::ApplyAlignment() {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_textAlign == 1)
        horizontal = Qt::AlignHCenter;
    else if (m_textAlign == 2)
        horizontal = Qt::AlignRight;
    // The framework draws a label's text from its top edge, not centred in its height.
    setAlignment(horizontal | Qt::AlignTop);
}

void Label::ApplyColors() {
    QPalette p = palette();
    const QColor text(m_textColor.r, m_textColor.g, m_textColor.b);
    // The disabled look keeps the style's greyed text.
    p.setColor(QPalette::Active, QPalette::WindowText, text);
    p.setColor(QPalette::Inactive, QPalette::WindowText, text);
    if (!m_transparent) {
        const platform::Window* owner = TrueWindow();
        if (owner && owner->HasBackColor()) {
            const Color back = owner->BackColor();
            p.setColor(QPalette::Window, QColor(back.r, back.g, back.b));
        }
    }
    setPalette(p);
    setAutoFillBackground(!m_transparent);
}

void Label::mousePressEvent(QMouseEvent* event) {
    SetEventModifiers(event->modifiers());
    SetContextualClick(event->button() == Qt::RightButton ||
                       (event->modifiers() & Qt::ControlModifier));
    const QPoint at = event->position().toPoint();
    m_pressTaken = Dispatch([&] { return Event_MouseDown(at.x(), at.y()); });
    SetContextualClick(false);
    if (m_pressTaken) {
        event->accept();
        return;
    }
    if (m_selectable) {
        QLabel::mousePressEvent(event);
        return;
    }
    // Not taken: Qt hands an ignored press on to the parent widget, up to the window.
    event->ignore();
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressTaken) {
        QLabel::mouseMoveEvent(event);
        return;
    }
    SetEventModifiers(event->modifiers());
    const QPoint at = event->position().toPoint();
    Dispatch([&] { Event_MouseDrag(at.x(), at.y()); });
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressTaken) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    m_pressTaken = false;
    SetEventModifiers(event->modifiers());
    const QPoint at = event->position().toPoint();
    Dispatch([&] { Event_MouseUp(at.x(), at.y()); });
}

void Label::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    Dispatch([this] { Event_MouseEnter(); });
}

void Label::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    Dispatch([this] { Event_MouseExit(); });
}

}  // namespace platform
