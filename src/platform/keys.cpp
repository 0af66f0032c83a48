#include "platform/keys.h"

#include <QKeyEvent>

namespace platform {
namespace {

Qt::KeyboardModifiers g_modifiers;
bool g_contextual = false;

std::optional<char> NamedKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return KeyCode::kLeft;
        case Qt::Key_Right:
            return KeyCode::kRight;
        case Qt::Key_Up:
            return KeyCode::kUp;
        case Qt::Key_Down:
            return KeyCode::kDown;
        case Qt::Key_Return:
            return KeyCode::kReturn;
        case Qt::Key_Enter:
            return KeyCode::kEnter;
        case Qt::Key_Backspace:
            return KeyCode::kBackspace;
        case Qt::Key_Delete:
            return KeyCode::kDelete;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return KeyCode::kTab;
        case Qt::Key_Escape:
            return KeyCode::kEscape;
        case Qt::Key_Home:
            return KeyCode::kHome;
        case Qt::Key_End:
            return KeyCode::kEnd;
        case Qt::Key_PageUp:
            return KeyCode::kPageUp;
        case Qt::Key_PageDown:
            return KeyCode::kPageDown;
        case Qt::Key_Space:
            return KeyCode::kSpace;
        default:
            break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return KeyCode::kFunctionKey;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> KeyText(int qtKey, Qt::KeyboardModifiers modifiers,
                                   const QString& text) {
    if (auto code = NamedKey(qtKey))
        return std::string(1, *code);
    // With Control or Meta held, Qt's text is a control character ("\x01" for Ctrl+A) or
    // empty; the framework gives the key's own character instead.
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) {
        if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
            const char upper = static_cast<char>(qtKey);
            return std::string(1, (modifiers & Qt::ShiftModifier) ? upper : upper - 'A' + 'a');
        }
        if (qtKey > 0x20 && qtKey < 0x7f)
            return std::string(1, static_cast<char>(qtKey));
    }
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
    }
    return text.toStdString();
}

std::optional<std::string> KeyText(const QKeyEvent& event) {
    return KeyText(event.key(), event.modifiers(), event.text());
}

namespace Keyboard {
bool ShiftKey() noexcept {
    return g_modifiers & Qt::ShiftModifier;
}
bool ControlKey() noexcept {
    return g_modifiers & Qt::ControlModifier;
}
bool OSKey() noexcept {
    return g_modifiers & Qt::MetaModifier;
}
}  // namespace Keyboard

bool IsContextualClick() noexcept {
    return g_contextual;
}

void SetEventModifiers(Qt::KeyboardModifiers modifiers) noexcept {
    g_modifiers = modifiers;
}

void SetContextualClick(bool contextual) noexcept {
    g_contextual = contextual;
}

}  // namespace platform
