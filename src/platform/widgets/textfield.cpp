#include "platform/widgets/textfield.h"

#include "platform/dispatch.h"
#include "platform/keys.h"
#include "platform/widgets/control_font.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace platform {
namespace {

/// Qt's own limit, which is what "no limit" means to QLineEdit.
constexpr int kNoLimit = 32767;

}  // namespace

TextField::TextField(QWidget* parent)
    : QLineEdit(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setFocusPolicy(Qt::StrongFocus);
    ApplyFont();
    ApplyColors();
    // Typing, cutting, pasting and undo all come through here; our own setters raise the
    // event themselves, outside Qt's signal.
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_assigning)
            Dispatch([this] { Event_TextChange(); });
    });
}

TextField::~TextField() = default;

std::string TextField::Text() const {
    return text().toStdString();
}

void TextField::SetText(const std::string& value) {
    const QString before = text();
    m_assigning = true;
    setText(QString::fromStdString(value));
    m_assigning = false;
    if (text() != before)
        Event_TextChange();
}

void TextField::SetLimitText(int characters) {
    m_limit = std::max(characters, 0);
    const QString before = text();
    m_assigning = true;
    setMaxLength(m_limit > 0 ? m_limit : kNoLimit);
    m_assigning = false;
    if (text() != before)
        Event_TextChange();
}

void TextField::SetAlignment(int alignment) {
    m_alignment = alignment;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == 2)
        horizontal = Qt::AlignHCenter;
    else if (alignment == 3)
        horizontal = Qt::AlignRight;
    setAlignment(horizontal | Qt::AlignVCenter);
}

int TextField::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextField::SetSelStart(int start) {
    // Moving the start drops the selection, as the framework does; SelLength then extends it.
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

int TextField::SelLength() const {
    return hasSelectedText() ? selectionLength() : 0;
}

void TextField::SetSelLength(int length) {
    const int start = SelStart();
    const int available = static_cast<int>(text().size()) - start;
    setSelection(start, std::clamp(length, 0, available));
}

std::string TextField::SelText() const {
    return selectedText().toStdString();
}

void TextField::SetSelText(const std::string& value) {
    const QString before = text();
    m_assigning = true;
    insert(QString::fromStdString(value));
    m_assigning = false;
    if (text() != before)
        Event_TextChange();
}

void TextField::SelectAll() {
    selectAll();
}

void TextField::SetTextColor(Color color) {
    m_textColor = color;
    ApplyColors();
}

void TextField::SetBackColor(Color color) {
    m_backColor = color;
    ApplyColors();
}

void TextField::SetTextFont(const std::string& name) {
    m_textFont = name;
    ApplyFont();
}

void TextField::SetTextSize(double pixels) {
    m_textSize = pixels;
    ApplyFont();
}

void TextField::SetBold(bool bold) {
    m_bold = bold;
    ApplyFont();
}

void TextField::ApplyFont() {
    setFont(ControlFont(m_textFont, m_textSize, m_bold));
}

void TextField::ApplyColors() {
    QPalette p = palette();
    const QColor text(m_textColor.r, m_textColor.g, m_textColor.b);
    const QColor back(m_backColor.r, m_backColor.g, m_backColor.b);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Base, back);
    }
    setPalette(p);
}

bool TextField::event(QEvent* event) {
    // Tab is offered to the window's KeyDown like any key, then moves the focus; Qt would
    // otherwise take it for the focus chain before keyPressEvent sees it.
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) {
            SetEventModifiers(keyEvent->modifiers());
            const auto key = KeyText(*keyEvent);
            if (key && Dispatch([&] { return Event_KeyDown(*key); })) {
                event->accept();
                return true;
            }
        }
    }
    return QLineEdit::event(event);
}

void TextField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        // Offered already in event(); here only when the focus had nowhere to go.
        QLineEdit::keyPressEvent(event);
        return;
    }
    SetEventModifiers(event->modifiers());
    const auto key = KeyText(*event);
    if (key && Dispatch([&] { return Event_KeyDown(*key); })) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    Dispatch([this] { Event_GotFocus(); });
}

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Dispatch([this] { Event_LostFocus(); });
}

}  // namespace platform
