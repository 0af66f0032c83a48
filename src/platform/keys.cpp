#include "platform/keys.h"

#include <QKeyEvent>

namespace platform {
namespace {

Qt::KeyboardModifiers g_modifiers;
bool g_contextual = false;

std::optional<char> NamedKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return keycode::kLeft;
        case Qt::Key_Right:
            return keycode::kRight;
        case Qt::Key_Up:
            return keycode::kUp;
        case Qt::Key_Down:
            return keycode::kDown;
        case Qt::Key_Return:
            return keycode::kReturn;
        case Qt::Key_Enter:
            return keycode::kEnter;
        case Qt::Key_Backspace:
            return keycode::kBackspace;
        case Qt::Key_Delete:
            return keycode::kDelete;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return keycode::kTab;
        case Qt::Key_Escape:
            return keycode::kEscape;
        case Qt::Key_Home:
            return keycode::kHome;
        case Qt::Key_End:
            return keycode::kEnd;
        case Qt::Key_PageUp:
            return keycode::kPageUp;
        case Qt::Key_PageDown:
            return keycode::kPageDown;
        case Qt::Key_Space:
            return keycode::kSpace;
        default:
            break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return keycode::kFunctionKey;
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
