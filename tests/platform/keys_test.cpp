#include "platform/keys.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace platform;

namespace {

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;                 // what Qt puts in the event's text
    std::optional<std::string> want;  // what the control receives
};

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

// clang-format off
const KeyCase kKeyCases[] = {
    {"LeftArrowIs28",           Qt::Key_Left,      kNone,                   "",     std::string("\x1c")},
    {"RightArrowIs29",          Qt::Key_Right,     kNone,                   "",     std::string("\x1d")},
    {"UpArrowIs30",             Qt::Key_Up,        kNone,                   "",     std::string("\x1e")},
    {"DownArrowIs31",           Qt::Key_Down,      kNone,                   "",     std::string("\x1f")},
    {"ReturnIs13",              Qt::Key_Return,    kNone,                   "\r",   std::string("\r")},
    {"KeypadEnterIs3",          Qt::Key_Enter,     Qt::KeypadModifier,      "\r",   std::string("\x03")},
    {"BackspaceIs8",            Qt::Key_Backspace, kNone,                   "\b",   std::string("\b")},
    {"DeleteIs127",             Qt::Key_Delete,    kNone,                   "\x7f", std::string("\x7f")},
    {"TabIs9",                  Qt::Key_Tab,       kNone,                   "\t",   std::string("\t")},
    {"ShiftTabIs9",             Qt::Key_Backtab,   Qt::ShiftModifier,       "",     std::string("\t")},
    {"EscapeIs27",              Qt::Key_Escape,    kNone,                   "\x1b", std::string("\x1b")},
    {"HomeIs1",                 Qt::Key_Home,      kNone,                   "",     std::string("\x01")},
    {"EndIs4",                  Qt::Key_End,       kNone,                   "",     std::string("\x04")},
    {"PageUpIs11",              Qt::Key_PageUp,    kNone,                   "",     std::string("\x0b")},
    {"PageDownIs12",            Qt::Key_PageDown,  kNone,                   "",     std::string("\x0c")},
    {"SpaceIs32",               Qt::Key_Space,     kNone,                   " ",    std::string(" ")},
    {"AnyFunctionKeyIs16",      Qt::Key_F7,        kNone,                   "",     std::string("\x10")},
    {"PlainLetter",             Qt::Key_A,         kNone,                   "a",    std::string("a")},
    {"ShiftedLetter",           Qt::Key_A,         Qt::ShiftModifier,       "A",    std::string("A")},
    {"CtrlAIsTheLetterNotHome", Qt::Key_A,         kCtrl,                   "\x01", std::string("a")},
    {"CtrlShiftAIsCapitalA",    Qt::Key_A,         kCtrl | Qt::ShiftModifier, "\x01", std::string("A")},
    {"MetaCIsTheLetter",        Qt::Key_C,         Qt::MetaModifier,        "",     std::string("c")},
    {"CtrlDigitIsTheDigit",     Qt::Key_1,         kCtrl,                   "",     std::string("1")},
    {"AccentedLetterAsText",    Qt::Key_Eacute,    kNone,                   "\xc3\xa9", std::string("\xc3\xa9")},
    {"ShiftAloneIsNotDelivered", Qt::Key_Shift,    Qt::ShiftModifier,       "",     std::nullopt},
    {"ControlCharTextNotDelivered", Qt::Key_unknown, kNone,                 "\x02", std::nullopt},
};
// clang-format on

class KeyTextTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTextTest, MapsToTheFrameworkCode) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(KeyText(c.key, c.modifiers, QString::fromUtf8(c.text)), c.want);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTextTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST(KeyboardTest, ModifiersOfTheEventBeingHandledAreReadable) {
    SetEventModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Keyboard::ControlKey());
    EXPECT_TRUE(Keyboard::ShiftKey());
    EXPECT_FALSE(Keyboard::OSKey());
    SetEventModifiers(Qt::MetaModifier);
    EXPECT_TRUE(Keyboard::OSKey());
    EXPECT_FALSE(Keyboard::ControlKey());
    SetEventModifiers(Qt::NoModifier);
}
