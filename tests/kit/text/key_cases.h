#pragma once

#include "platform/keys.h"

#include <string>
#include <vector>

/// Key sequences and what they leave in a text field, shared by the model's tests and the
/// control's (which sends them as real key events).
namespace keycases {

/// One key: its text as the control receives it, and the modifiers held.
struct Key {
    std::string text;
    bool shift = false;
    bool control = false;
};

inline Key K(char code, bool shift = false) {
    return {std::string(1, code), shift, false};
}
inline Key Typed(const std::string& text) {
    return {text, false, false};
}
inline Key Ctrl(const std::string& text) {
    return {text, false, true};
}

namespace C = platform::keycode;

struct KeyCase {
    const char* name;
    const char* text;
    int selStart;
    int selLength;
    std::vector<Key> keys;
    const char* expectText;
    int expectStart;
    int expectLength;
    /// TextChange events the keys raise, and whether the last key is consumed.
    int changes;
    bool lastConsumed;
    int actions = 0;
};

// clang-format off
inline const std::vector<KeyCase> kKeyCases = {
    {"TypingIntoAnEmptyFieldRaisesOneChangePerKey", "", 0, 0,
     {Typed("1"), Typed("2"), Typed("3")}, "123", 3, 0, 3, true},
    {"ControlCharactersAreTypedUnfiltered", "ab", 1, 0,
     {Typed("\x02"), Typed("\x05")}, "a\x02\x05" "b", 3, 0, 2, true},
    {"NoLengthLimit", "0123456789012345678901234567890123456789", 40, 0,
     {Typed("x"), Typed("y")}, "0123456789012345678901234567890123456789xy", 42, 0, 2, true},
    {"SpaceIsTyped", "ab", 1, 0, {K(C::kSpace)}, "a b", 2, 0, 1, true},
    {"BackspaceThenForwardDelete", "abcdef", 3, 0,
     {K(C::kBackspace), K(C::kDelete)}, "abef", 2, 0, 2, true},
    {"BackspaceAtStartStillChanges", "abc", 0, 0, {K(C::kBackspace)}, "abc", 0, 0, 1, true},
    {"ForwardDeleteAtEndStillChanges", "abc", 3, 0, {K(C::kDelete)}, "abc", 3, 0, 1, true},
    {"TypingReplacesTheSelection", "abcdef", 1, 3, {Typed("X")}, "aXef", 2, 0, 1, true},
    {"BackspaceDeletesTheSelection", "abcdef", 1, 3, {K(C::kBackspace)}, "aef", 1, 0, 1, true},
    {"ForwardDeleteDeletesTheSelection", "abcdef", 2, 2, {K(C::kDelete)}, "abef", 2, 0, 1, true},
    {"MultiCharacterKeyTextMovesTheCaretPastAllOfIt", "ab", 1, 0,
     {Typed("\xC3\xA9\xC3\xA8")}, "a\xC3\xA9\xC3\xA8" "b", 3, 0, 1, true},
    {"ShiftRightTwiceThenShiftLeftThenLeft", "abcdef", 2, 0,
     {K(C::kRight, true), K(C::kRight, true), K(C::kLeft, true)}, "abcdef", 2, 1, 3, true},
    {"LeftAloneAfterASelectionLandsBesideItsStart", "abcdef", 2, 0,
     {K(C::kRight, true), K(C::kRight, true), K(C::kLeft, true), K(C::kLeft)},
     "abcdef", 1, 0, 4, true},
    {"ShiftLeftTwiceThenShiftRightMovesTheStart", "abcdef", 4, 0,
     {K(C::kLeft, true), K(C::kLeft, true), K(C::kRight, true)}, "abcdef", 3, 1, 3, true},
    {"ShiftLeftAtStartSelectsNothing", "abc", 0, 0, {K(C::kLeft, true)}, "abc", 0, 0, 1, true},
    {"ShiftRightAtEndSelectsNothing", "abc", 3, 0, {K(C::kRight, true)}, "abc", 3, 0, 1, true},
    {"RightWithASelectionLandsOnePastItsStart", "abcdef", 2, 3, {K(C::kRight)}, "abcdef", 3, 0, 1, true},
    {"LeftWithASelectionLandsOneBeforeItsStart", "abcdef", 2, 3, {K(C::kLeft)}, "abcdef", 1, 0, 1, true},
    {"HomeKeepsTheSelectionLength", "abcdef", 3, 2, {K(C::kHome)}, "abcdef", 0, 2, 1, true},
    {"EndLeavesACaretAtTheEnd", "abcdef", 3, 2, {K(C::kEnd)}, "abcdef", 6, 0, 1, true},
    {"UpDownPageKeysAreConsumedWithoutChange", "abc", 1, 0,
     {K(C::kUp), K(C::kDown), K(C::kPageUp), K(C::kPageDown)}, "abc", 1, 0, 0, true},
    {"TabIsPassedOn", "abc", 1, 0, {K(C::kTab)}, "abc", 1, 0, 0, false},
    {"EscapeIsPassedOn", "abc", 1, 0, {K(C::kEscape)}, "abc", 1, 0, 0, false},
    {"FunctionKeysArePassedOn", "abc", 1, 0, {K(C::kFunctionKey)}, "abc", 1, 0, 0, false},
    {"ControlWithALetterIsPassedOn", "abc", 1, 0, {Ctrl("a")}, "abc", 1, 0, 0, false},
    {"ControlWithAnArrowStillMoves", "abc", 1, 0, {{std::string(1, C::kRight), false, true}},
     "abc", 2, 0, 1, true},
    {"ReturnRaisesActionOnly", "abc", 1, 0, {K(C::kReturn)}, "abc", 1, 0, 0, true, 1},
    {"EnterRaisesActionOnly", "abc", 1, 0, {K(C::kEnter)}, "abc", 1, 0, 0, true, 1},
    {"ControlReturnStillRaisesAction", "abc", 1, 0, {Ctrl("\r")}, "abc", 1, 0, 0, true, 1},
};
// clang-format on

}  // namespace keycases
