#include "kit/text/text_edit.h"

#include "key_cases.h"

#include <gtest/gtest.h>

#include <string>

using namespace kit;
namespace C = platform::keycode;

namespace {

class KeySequenceTest : public ::testing::TestWithParam<keycases::KeyCase> {};

TEST_P(KeySequenceTest, LeavesTextCaretAndSelection) {
    const auto& c = GetParam();
    TextEdit e;
    e.SetText(c.text);
    e.SetSelStart(c.selStart);
    e.SetSelLength(c.selLength);
    int changes = 0;
    int actions = 0;
    KeyOutcome last;
    for (const auto& k : c.keys) {
        last = e.Key(k.text, k.shift, k.control, false);
        changes += last.changed;
        actions += last.action;
    }
    EXPECT_EQ(e.Text(), c.expectText);
    EXPECT_EQ(e.SelStart(), c.expectStart);
    EXPECT_EQ(e.SelLength(), c.expectLength);
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(last.consumed, c.lastConsumed);
    EXPECT_EQ(actions, c.actions);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeySequenceTest, ::testing::ValuesIn(keycases::kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextEditTest, ReadOnlyIgnoresEditingKeysButMovesTheCaret) {
    TextEdit e;
    e.SetText("abc");
    e.SetSelStart(1);
    const KeyOutcome silent{true, false, false};
    EXPECT_EQ(e.Key("x", false, false, true), silent);
    EXPECT_EQ(e.Key(std::string(1, C::kBackspace), false, false, true), silent);
    EXPECT_EQ(e.Key(std::string(1, C::kDelete), false, false, true), silent);
    EXPECT_EQ(e.Text(), "abc");
    EXPECT_EQ(e.Key(std::string(1, C::kRight), false, false, true),
              (KeyOutcome{true, true, false}));
    EXPECT_EQ(e.SelStart(), 2);
    EXPECT_EQ(e.Key("\r", false, false, true), (KeyOutcome{true, false, true}));
}

TEST(TextEditTest, LineEndingsOfEveryConventionRaiseAction) {
    for (const char* ending : {"\r\n", "\r", "\n"}) {
        TextEdit e;
        EXPECT_EQ(e.Key(ending, false, false, false), (KeyOutcome{true, false, true})) << ending;
        EXPECT_EQ(e.Text(), "");
    }
}

TEST(TextEditTest, AnEmptyKeyTextIsNotConsumed) {
    TextEdit e;
    e.SetText("ab");
    e.SetSelStart(1);
    EXPECT_EQ(e.Key("", false, false, false), KeyOutcome{});
    EXPECT_EQ(e.SelStart(), 1);
}

TEST(TextEditTest, SettersClampAndTextPutsTheCaretAtTheEnd) {
    TextEdit e;
    e.SetText("h\xC3\xA9llo");  // five characters, six bytes
    EXPECT_EQ(e.Length(), 5);
    EXPECT_EQ(e.SelStart(), 5);
    e.SetSelStart(-3);
    EXPECT_EQ(e.SelStart(), 0);
    e.SetSelStart(2);
    e.SetSelLength(99);
    EXPECT_EQ(e.SelLength(), 3);
    e.SetSelLength(-1);
    EXPECT_EQ(e.SelLength(), 0);
    e.SetSelStart(99);
    EXPECT_EQ(e.SelStart(), 5);
    e.SelectAll();
    EXPECT_EQ(e.SelStart(), 0);
    EXPECT_EQ(e.SelLength(), 5);
}

TEST(TextEditTest, DragSelectsFromThePressAndCollapsesAtTheFixedEnd) {
    TextEdit e;
    e.SetText("0123456789");
    e.Click(5);
    EXPECT_TRUE(e.Drag(4));
    EXPECT_TRUE(e.Drag(2));
    EXPECT_EQ(e.SelStart(), 2);
    EXPECT_EQ(e.SelLength(), 3);
    EXPECT_TRUE(e.Drag(5));  // back at the fixed end: a caret there
    EXPECT_EQ(e.SelStart(), 5);
    EXPECT_EQ(e.SelLength(), 0);
    EXPECT_TRUE(e.Drag(7));
    EXPECT_EQ(e.SelStart(), 5);
    EXPECT_EQ(e.SelLength(), 2);
    EXPECT_TRUE(e.SelectionToRight);
    EXPECT_FALSE(e.Drag(7)) << "the same position twice changes nothing";
    EXPECT_EQ(e.SelLength(), 2);
}

TEST(TextEditTest, DragJumpingLeftOfAMovingRightEndKeepsTheRightEnd) {
    TextEdit e;
    e.SetText("0123456789");
    e.Click(5);
    e.Drag(8);
    e.Drag(2);
    EXPECT_EQ(e.SelStart(), 2);
    EXPECT_EQ(e.SelLength(), 6);
    EXPECT_FALSE(e.SelectionToRight);
}

TEST(TextEditTest, DragBackToTheStartOfARightwardSelectionCollapsesIt) {
    TextEdit e;
    e.SetText("0123456789");
    e.Click(3);
    e.Drag(6);
    EXPECT_TRUE(e.Drag(3));
    EXPECT_EQ(e.SelStart(), 3);
    EXPECT_EQ(e.SelLength(), 0);
    EXPECT_FALSE(e.SelectionToRight);
}

/// Every character 10 pixels wide: widths are easy to work by hand.
double TenEach(const std::u32string& s) {
    return 10.0 * static_cast<double>(s.size());
}

TEST(CharPosTest, UnscrolledClicks) {
    const std::u32string abc = U"abc";
    EXPECT_EQ(CharPosAtX(4, 0, abc, TenEach), 0);   // 4 < 10 / 2
    EXPECT_EQ(CharPosAtX(5, 0, abc, TenEach), 1);   // the rest of 'a'
    EXPECT_EQ(CharPosAtX(14, 0, abc, TenEach), 1);  // 10 + 5 − 1: one pixel short of b's middle
    EXPECT_EQ(CharPosAtX(15, 0, abc, TenEach), 2);  // b's middle
    EXPECT_EQ(CharPosAtX(30, 0, abc, TenEach), 3);  // right of the text
    EXPECT_EQ(CharPosAtX(-7, 0, abc, TenEach), 0);
    EXPECT_EQ(CharPosAtX(9, 0, U"", TenEach), 0);
}

TEST(CharPosTest, ScrolledTextGivesAtLeastOne) {
    // Scrolled 25 pixels left: x 0 is 25 pixels into the text, 'c' at 20..30.
    EXPECT_EQ(CharPosAtX(0, -25, U"abcdef", TenEach), 3);  // d 25 ≤ 20 + 10
    EXPECT_EQ(CharPosAtX(-30, -25, U"abcdef", TenEach), 1);
    EXPECT_EQ(CharPosAtX(90, -25, U"abcdef", TenEach), 6);
}

TEST(PlaceTextTest, ScrollsToKeepTheCaretInsideAndAligns) {
    // Caret beyond a 50-pixel area: the text moves left by the excess.
    auto p = PlaceText(50, 73.6, 80, 0, 0);
    EXPECT_EQ(p.caretPos, 73);
    EXPECT_FLOAT_EQ(p.delta, -23);
    EXPECT_EQ(p.drawX, 0);
    // Back inside: the text returns to its start, not yet aligned.
    p = PlaceText(50, 20, 30, -23, 2);
    EXPECT_FLOAT_EQ(p.delta, 0);
    EXPECT_EQ(p.drawX, 0);
    // The next placement centres it: (50 − 30) \ 2.
    p = PlaceText(50, 20, 30, 0, 2);
    EXPECT_EQ(p.drawX, 10);
    // Right-aligned: 50 − 30 − 1.
    EXPECT_EQ(PlaceText(50, 20, 30, 0, 3).drawX, 19);
    // An empty text centred starts at the middle; right-aligned one pixel short of the edge.
    EXPECT_EQ(PlaceText(50, 0, 0, 0, 2).drawX, 25);
    EXPECT_EQ(PlaceText(50, 0, 0, 0, 3).drawX, 49);
    // A caret exactly at the edge keeps the scroll.
    p = PlaceText(50, 50, 90, -12, 2);
    EXPECT_FLOAT_EQ(p.delta, -12);
    EXPECT_EQ(p.drawX, 0);
}

}  // namespace
