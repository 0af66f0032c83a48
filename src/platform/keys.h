#pragma once

#include <QString>
#include <Qt>

#include <optional>
#include <string>

class QKeyEvent;

namespace platform {

/// The framework's one-character key codes, as kit controls compare them.
namespace keycode {
inline constexpr char kHome = 1;
inline constexpr char kEnter = 3;  // the keypad's Enter
inline constexpr char kEnd = 4;
inline constexpr char kBackspace = 8;
inline constexpr char kTab = 9;
inline constexpr char kPageUp = 11;
inline constexpr char kPageDown = 12;
inline constexpr char kReturn = 13;
inline constexpr char kFunctionKey = 16;
inline constexpr char kEscape = 27;
inline constexpr char kLeft = 28;
inline constexpr char kRight = 29;
inline constexpr char kUp = 30;
inline constexpr char kDown = 31;
inline constexpr char kSpace = 32;
inline constexpr char kDelete = 127;
}  // namespace keycode

/// The key text a control receives for a Qt key press, or nothing when none is delivered.
/// Named keys give their one-character code; Control or Meta with a letter or another
/// printable key gives that plain character (Ctrl+A is "a" with Control held, never Home's
/// code 1); other keys give their text, unless it is empty or a control character.
std::optional<std::string> KeyText(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
std::optional<std::string> KeyText(const QKeyEvent& event);

/// The keyboard state as the event being handled saw it (the framework's Keyboard module).
namespace Keyboard {
bool ShiftKey() noexcept;
bool ControlKey() noexcept;
/// The Command key of the original platform: Meta (the "Windows" key) here.
bool OSKey() noexcept;
}  // namespace Keyboard

/// True while a mouse press with the right button (or Control held) is handled: the
/// framework's IsContextualClick.
bool IsContextualClick() noexcept;

/// Records the modifiers of the event about to be handled; every entry from Qt's input
/// events calls it.
void SetEventModifiers(Qt::KeyboardModifiers modifiers) noexcept;
/// Records whether the press about to be handled is a contextual click.
void SetContextualClick(bool contextual) noexcept;

}  // namespace platform
