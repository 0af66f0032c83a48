#include "kit/text/ui_textfield.h"

#include "field_window.h"
#include "key_cases.h"
#include "platform/rgbsurface.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <string>

using namespace fieldtest;

namespace {

class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new FieldWindow;
        w->Build();
        w->log.clear();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void ShowActive() {
        w->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        // Showing focuses the first field; start from the other one.
        w->other->SetFocus();
        w->log.clear();
    }
    platform::ScopedManualTimers timers;
    FieldWindow* w = nullptr;
};

class FieldKeyTest : public TextFieldTest,
                     public ::testing::WithParamInterface<keycases::KeyCase> {};

TEST_P(FieldKeyTest, KeySequenceLeavesTextCaretSelectionAndEvents) {
    const auto& c = GetParam();
    Field& f = *w->field;
    f.SetText(c.text);
    f.SetSelStart(c.selStart);
    f.SetSelLength(c.selLength);
    w->log.clear();
    bool consumed = false;
    for (const auto& k : c.keys)
        consumed = SendKey(f, k);
    EXPECT_EQ(f.Text(), c.expectText);
    EXPECT_EQ(f.SelStart(), c.expectStart);
    EXPECT_EQ(f.SelLength(), c.expectLength);
    EXPECT_EQ(Count(w->log, "field.TextChange"), c.changes);
    EXPECT_EQ(Count(w->log, "field.Action"), c.actions);
    EXPECT_EQ(consumed, c.lastConsumed);
}

INSTANTIATE_TEST_SUITE_P(Keys, FieldKeyTest, ::testing::ValuesIn(keycases::kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFieldTest, OpenAppliesTheBuiltInStyleAndRaisesOpen) {
    FieldWindow fresh;
    fresh.Build();
    EXPECT_EQ(Count(fresh.log, "field.Open"), 1);
    const auto& s = fresh.field->MyStyle;
    EXPECT_EQ(s.BorderColor, Hex(0x202224));
    EXPECT_EQ(s.TextMargin, 12);
    EXPECT_EQ(s.FocusRingWidth, 3);
    EXPECT_EQ(fresh.field->TextColor(), Hex(0xFFFFFF));
    EXPECT_TRUE(fresh.field->IconRight);
    EXPECT_TRUE(fresh.field->AcceptFocus());
    ASSERT_NE(fresh.field->BlinkTimer(), nullptr);
    EXPECT_EQ(fresh.field->BlinkTimer()->Period(), 600);
    EXPECT_EQ(fresh.field->BlinkTimer()->Mode(), platform::Timer::kModeOff);
    fresh.Close();
}

TEST_F(TextFieldTest, EveryAssignmentOfTextRaisesTextChange) {
    Field& f = *w->field;
    f.SetText("800");
    f.SetSelStart(1);
    f.SetSelLength(1);
    f.SetText("800");
    EXPECT_EQ(Count(w->log, "field.TextChange"), 2);
    EXPECT_EQ(f.SelStart(), 3);
    EXPECT_EQ(f.SelLength(), 0);
}

TEST_F(TextFieldTest, TheWindowSeesKeysFirst) {
    Field& f = *w->field;
    f.SetText("ab");
    w->consumeKeys = true;
    EXPECT_TRUE(SendKey(f, keycases::Typed("x")));
    EXPECT_EQ(f.Text(), "ab");
    w->consumeKeys = false;
    EXPECT_TRUE(SendKey(f, keycases::Typed("x")));
    EXPECT_EQ(f.Text(), "abx");
}

TEST_F(TextFieldTest, CommandWithALetterIsLeftForTheMenuBar) {
    Field& f = *w->field;
    f.SetText("ab");
    w->log.clear();
    // Command is Meta here; the key arrives as the plain letter with the modifier held.
    QKeyEvent e(QEvent::KeyPress, Qt::Key_V, Qt::MetaModifier, QString());
    QApplication::sendEvent(&f, &e);
    EXPECT_FALSE(e.isAccepted());
    EXPECT_EQ(f.Text(), "ab");
    EXPECT_TRUE(w->log.empty());
}

TEST_F(TextFieldTest, ReadOnlyConsumesEditsSilently) {
    Field& f = *w->field;
    f.ReadOnly = true;
    f.SetText("abc");
    w->log.clear();
    EXPECT_TRUE(SendKey(f, keycases::Typed("x")));
    EXPECT_TRUE(SendKey(f, keycases::K(platform::keycode::kBackspace)));
    EXPECT_TRUE(SendKey(f, keycases::K(platform::keycode::kLeft)));
    EXPECT_TRUE(SendKey(f, keycases::K(platform::keycode::kReturn)));
    EXPECT_EQ(f.Text(), "abc");
    EXPECT_EQ(f.SelStart(), 2);
    EXPECT_EQ(w->log, (std::vector<std::string>{"field.TextChange", "field.Action"}));
}

TEST_F(TextFieldTest, CaretBlinksWhileFocusedAndHidesOnLosingIt) {
    ShowActive();
    Field& f = *w->field;
    f.SetFocus();
    EXPECT_TRUE(f.HasFocus());
    EXPECT_EQ(w->log, (std::vector<std::string>{"other.LostFocus", "field.GotFocus"}));
    EXPECT_FALSE(f.CaretShown()) << "gaining the focus does not show the caret at once";
    timers->Advance(599);
    EXPECT_FALSE(f.CaretShown());
    timers->Advance(1);
    EXPECT_TRUE(f.CaretShown());
    timers->Advance(600);
    EXPECT_FALSE(f.CaretShown());
    timers->Advance(600);
    EXPECT_TRUE(f.CaretShown());
    w->other->SetFocus();
    EXPECT_FALSE(f.CaretShown());
    EXPECT_EQ(f.BlinkTimer()->Mode(), platform::Timer::kModeOff);
    timers->Advance(1800);
    EXPECT_FALSE(f.CaretShown());
}

TEST_F(TextFieldTest, AClickShowsTheCaretAtOnceAndRestartsTheBlink) {
    ShowActive();
    Field& f = *w->field;
    f.SetText("abcdef");
    f.Render();
    timers->Advance(300);
    Click(&f, QPoint(14, 15));  // left of half of 'a': position 0
    EXPECT_TRUE(f.HasFocus());
    EXPECT_TRUE(f.CaretShown());
    EXPECT_EQ(f.SelStart(), 0);
    timers->Advance(599);
    EXPECT_TRUE(f.CaretShown());
    timers->Advance(1);
    EXPECT_FALSE(f.CaretShown());
}

TEST_F(TextFieldTest, ClicksAndDragsPlaceTheCaretAndSelect) {
    ShowActive();
    Field& f = *w->field;
    f.SetText("abcdef");
    f.Render();
    w->log.clear();
    // The text starts at the margin, x 12; a click far right lands at the end.
    Click(&f, QPoint(95, 15));
    EXPECT_EQ(f.SelStart(), 6);
    Mouse(&f, QEvent::MouseButtonPress, QPoint(95, 15), Qt::LeftButton, Qt::LeftButton);
    Mouse(&f, QEvent::MouseMove, QPoint(5, 15), Qt::NoButton, Qt::LeftButton);
    Mouse(&f, QEvent::MouseButtonRelease, QPoint(5, 15), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.SelStart(), 0);
    EXPECT_EQ(f.SelLength(), 6);
    EXPECT_EQ(Count(w->log, "field.TextChange"), 0) << "the mouse raises no TextChange";
}

TEST_F(TextFieldTest, TheWindowCanConsumeAClick) {
    ShowActive();
    Field& f = *w->field;
    f.SetText("abcdef");
    w->consumeClicks = true;
    Click(&f, QPoint(14, 15));
    EXPECT_EQ(f.SelStart(), 6);
    EXPECT_FALSE(f.HasFocus());
}

TEST_F(TextFieldTest, TheIconZoneRaisesActionAndKeepsTheCaret) {
    ShowActive();
    Field& f = *w->field;
    f.Icon = platform::Picture::New(20, 20);
    f.SetText("ab");
    w->log.clear();
    // Field 100 wide, margin 12, icon 20 at the right: the zone starts at 100 − 12 − 20 = 68.
    Click(&f, QPoint(68, 15));
    EXPECT_EQ(w->log,
              (std::vector<std::string>{"other.LostFocus", "field.GotFocus", "field.Action"}));
    EXPECT_EQ(f.SelStart(), 2);
    EXPECT_FALSE(f.CaretShown());
    Click(&f, QPoint(67, 15));
    EXPECT_EQ(Count(w->log, "field.Action"), 1);
    EXPECT_TRUE(f.CaretShown());
    // Icon at the left: the zone is x < 12 + 20.
    f.IconRight = false;
    Click(&f, QPoint(31, 15));
    EXPECT_EQ(Count(w->log, "field.Action"), 2);
}

TEST_F(TextFieldTest, PaintsFrameShadowFillAndFocusRing) {
    ShowActive();
    Field& f = *w->field;  // 100 × 30 on 0x333538
    const platform::Picture& idle = f.Render();
    SavePng(idle, "textfield_idle");
    // Frame 100 × 29 in 0x202224 over its copy one pixel lower in 0x4D4E52.
    EXPECT_EQ(PixelAt(idle, 50, 0), Hex(0x202224));
    EXPECT_EQ(PixelAt(idle, 50, 29), Hex(0x4D4E52));
    EXPECT_EQ(PixelAt(idle, 0, 15), Hex(0x202224));
    // The inner area 98 × 27 at (1, 1): its middle row (13, at y 14) is clear of the shade
    // between the foci, 48.5 ± 39, so the fill shows as it is.
    EXPECT_EQ(PixelAt(idle, 50, 14), Hex(0x313236));
    EXPECT_EQ(PixelAt(idle, 15, 14), Hex(0x313236));
    // Toward the corners the shade darkens the fill.
    const platform::Color corner = PixelAt(idle, 3, 3);
    EXPECT_LT(corner.r, 0x31);
    // Rounded corners: the window colour shows at the very corner.
    EXPECT_EQ(PixelAt(idle, 0, 0), Hex(0x333538));

    f.SetFocus();
    f.SetText("");  // an empty field re-renders on focus; this forces it too
    const platform::Picture& focused = f.Render();
    SavePng(focused, "textfield_focused");
    // The ring's gradient starts in 0x67B2FA on the top row and ends in 0x1479DB at the bottom.
    EXPECT_EQ(PixelAt(focused, 50, 0), Hex(0x67B2FA));
    EXPECT_EQ(PixelAt(focused, 50, 29), Hex(0x1479DB));
    // Inside the ring the field is as before.
    EXPECT_EQ(PixelAt(focused, 50, 14), Hex(0x313236));
}

TEST_F(TextFieldTest, PlaceholderShowsOnlyWithoutTheFocus) {
    ShowActive();
    Field& f = *w->field;
    f.CueText = "WWW";
    f.FullRefresh = true;
    auto cuePixels = [&](const platform::Picture& p) {
        int n = 0;
        for (int x = 12; x < 88; ++x)
            for (int y = 5; y < 25; ++y)
                n += PixelAt(p, x, y) == Hex(0x808080);
        return n;
    };
    const int unfocused = cuePixels(f.Render());
    SavePng(f.Render(), "textfield_placeholder");
    EXPECT_GT(unfocused, 0);
    f.SetFocus();
    EXPECT_EQ(cuePixels(f.Render()), 0);
}

TEST_F(TextFieldTest, SelectionIsHighlightedAndTheTextScrollsToTheCaret) {
    ShowActive();
    Field& f = *w->field;
    f.SetText("abcdefghijklmnopqrstuvwxyz");
    f.SetSelStart(1);
    f.SetSelLength(2);
    f.FullRefresh = true;
    const platform::Picture& p = f.Render();
    SavePng(p, "textfield_selection");
    const QColor h = QApplication::palette().color(QPalette::Highlight);
    int highlighted = 0;
    for (int x = 12; x < 88; ++x)
        highlighted += PixelAt(p, x, 15) == platform::RGB(h.red(), h.green(), h.blue());
    EXPECT_GT(highlighted, 0);
    // The caret at the end of a long text: a click at the text area's left edge then
    // lands at 1 or later, since the text is scrolled.
    SendKey(f, keycases::K(platform::keycode::kEnd));
    f.Render();
    Click(&f, QPoint(12, 15));
    EXPECT_GE(f.SelStart(), 1);
    SavePng(f.Render(), "textfield_scrolled");
}

TEST_F(TextFieldTest, PasswordFieldsMeasureBullets) {
    ShowActive();
    Field& f = *w->field;
    f.Password = true;
    f.SetText("WWW");
    f.Render();
    // Three bullets are much narrower than "WWW": a click just right of the bullets lands at
    // the end, where in the plain text it would fall inside the second W.
    auto scratch = platform::Picture::New(1, 1);
    const double www = scratch->Graphics().StringWidth("WWW");
    const double bullets = scratch->Graphics().StringWidth("\u2022\u2022\u2022");
    ASSERT_GT(www, bullets + 12);
    Click(&f, QPoint(12 + static_cast<int>(bullets) + 1, 15));
    EXPECT_EQ(f.SelStart(), 3);
    EXPECT_EQ(f.Text(), "WWW");
}

}  // namespace
