#include "kit/text/sarvelin.h"

#include "field_window.h"
#include "platform/keys.h"
#include "platform/timer.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QWheelEvent>

#include <string>
#include <vector>

using namespace fieldtest;
namespace C = platform::keycode;

namespace {

class Bar : public Sarvelin {
public:
    using Sarvelin::Event_KeyDown;
    using Sarvelin::Sarvelin;
};

/// The recap's bar: 12 × 222, arrows switched off by the window's Open; and a horizontal one.
class BarWindow : public platform::Window {
public:
    Bar* bar = nullptr;
    Bar* across = nullptr;
    int changes = 0;
    bool arrowsOff = true;

protected:
    void Layout() override {
        setGeometry(100, 100, 300, 260);
        SetHasBackColor(true);
        SetBackColor(platform::RGB(0x33, 0x35, 0x38));
        bar = &AddControl<Bar>(
            this,
            [](Bar& b) {
                b.setGeometry(10, 10, 12, 222);
                b.LiveScroll = true;
                b.PageStep = 20;  // the stored value does not survive the open handler
                b.SetMaximum(30);
            },
            [this](Bar& b) {
                b.ValueChanged = [this] { ++changes; };
                b.Open = [this, &b] {
                    if (arrowsOff)
                        b.SetArrows(false);
                };
            });
        across = &AddControl<Bar>(this, [](Bar& b) { b.setGeometry(40, 10, 222, 12); });
    }
};

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new BarWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Bar& B() { return *w->bar; }
    platform::ScopedManualTimers timers;
    BarWindow* w = nullptr;
};

void Wheel(QWidget* target, QPoint angle) {
    QWheelEvent e(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), angle, Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

TEST_F(ScrollBarTest, OpenAppliesItsStepsAndStyleOverTheLayout) {
    EXPECT_EQ(B().PageStep, 5);
    EXPECT_EQ(B().LineStep, 1);
    EXPECT_FALSE(B().Arrows());
    EXPECT_EQ(B().MyStyle.ArrowSize, 15);
    EXPECT_EQ(B().MyStyle.CornerRadius, 232);
    EXPECT_EQ(B().MyStyle.KnobFillColor1, Hex(0x333437));
    EXPECT_EQ(B().MyStyle.KnobFocusFillColor1, Hex(0x2386E0));
    // The horizontal bar has each pair exchanged.
    EXPECT_TRUE(w->across->Arrows());
    EXPECT_EQ(w->across->MyStyle.KnobFillColor1, Hex(0x383A3F));
    EXPECT_EQ(w->across->MyStyle.KnobFillColor2, Hex(0x333437));
    EXPECT_EQ(w->across->MyStyle.KnobFocusFillColor1, Hex(0x82C6F2));
    // The arrows went off after the knob was placed after them: 15 reads above Minimum
    // until the first paint puts it back at the start.
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 15);
    EXPECT_GT(B().Value(), 0);
    B().Render();
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 0);
    EXPECT_EQ(B().Value(), 0);
    EXPECT_EQ(w->changes, 0);
}

TEST_F(ScrollBarTest, ValueMapsOntoTheTravelAndEveryAssignmentRaises) {
    B().SetMaximum(9);  // knob 12 × 140, travel 82
    B().SetValue(5);
    EXPECT_NEAR(B().KnobPosition(), 45.5556, 1e-4);  // 5 / 9 × 82
    EXPECT_EQ(B().Value(), 5);
    ASSERT_NE(B().KnobPicture(), nullptr);
    EXPECT_EQ(B().KnobPicture()->Height(), 140);
    B().SetValue(5);
    EXPECT_EQ(w->changes, 2);
    B().SetValue(19);  // beyond Maximum: the end, read back as Maximum
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 82);
    EXPECT_EQ(B().Value(), 9);
    // Raising Maximum keeps the pixel position: Round(82 / 102 × 20) = 16, no event.
    B().SetMaximum(20);
    EXPECT_EQ(B().Value(), 16);
    EXPECT_EQ(w->changes, 3);
    // A change of area puts the knob back where the last assignment (19) says.
    B().Render();
    B().resize(14, 222);
    B().Render();
    EXPECT_EQ(B().Value(), 19);
}

TEST_F(ScrollBarTest, KeysStepClampAndAreConsumedButTabAndShortcutsPassOn) {
    B().SetMaximum(30);
    struct KeyStep {
        char key;
        int value;
    };
    const KeyStep steps[] = {
        {C::kEnd, 30},   {C::kDown, 30},     {C::kPageUp, 25},   {C::kUp, 24},  {C::kLeft, 23},
        {C::kRight, 24}, {C::kPageDown, 29}, {C::kPageDown, 30}, {C::kHome, 0}, {C::kHome, 0}};
    int expected = 0;
    for (const KeyStep& s : steps) {
        EXPECT_TRUE(B().Event_KeyDown(std::string(1, s.key)));
        EXPECT_EQ(B().Value(), s.value) << static_cast<int>(s.key);
        EXPECT_EQ(w->changes, ++expected) << "every recognised key raises, also at a limit";
    }
    EXPECT_TRUE(B().Event_KeyDown("a"));
    EXPECT_TRUE(B().Event_KeyDown("\r"));
    EXPECT_EQ(w->changes, expected);
    EXPECT_FALSE(B().Event_KeyDown(std::string(1, C::kTab)));
    platform::SetEventModifiers(Qt::ControlModifier);
    EXPECT_FALSE(B().Event_KeyDown("q"));
    platform::SetEventModifiers(Qt::NoModifier);
}

TEST_F(ScrollBarTest, TheWheelStepsAPageBySignOnly) {
    B().SetMaximum(30);
    B().Render();                  // the first paint puts the knob at the start
    Wheel(&B(), QPoint(0, -360));  // three notches down: one page, +5
    EXPECT_EQ(B().Value(), 5);
    Wheel(&B(), QPoint(0, 120));
    EXPECT_EQ(B().Value(), 0);
    Wheel(&B(), QPoint(120, 0));  // no vertical delta: not taken by a vertical bar
    EXPECT_EQ(w->changes, 2);
    Bar& h = *w->across;
    h.SetMaximum(30);
    h.Render();
    Wheel(&h, QPoint(0, -120));  // a horizontal bar takes the vertical delta when alone
    EXPECT_EQ(h.Value(), 5);
    Wheel(&h, QPoint(120, -120));  // the horizontal one first: left, −5
    EXPECT_EQ(h.Value(), 0);
}

TEST_F(ScrollBarTest, AHeldPressOnTheTrackRepeatsAfterADelayUntilTheKnobArrives) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    B().SetMaximum(100);  // knob 88, travel 134
    B().Render();
    w->changes = 0;
    Mouse(&B(), QEvent::MouseButtonPress, QPoint(6, 200), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(B().Value(), 5) << "the press takes the first page";
    // The button rests: drags every 16 ms; the first repeat waits for more than 25 ticks.
    timers->Advance(416);  // 24.96 ticks
    EXPECT_EQ(w->changes, 1);
    timers->Advance(32);  // 26.88 ticks
    EXPECT_EQ(w->changes, 2);
    // Then one page every third tick, until the knob covers the pointer: at 85 the knob
    // spans 113.9 .. 201.9 (85 / 100 × 134 + 88), which holds y 200.
    timers->Advance(2000);
    EXPECT_EQ(B().Value(), 85);
    EXPECT_EQ(w->changes, 17);
    Mouse(&B(), QEvent::MouseButtonRelease, QPoint(6, 200), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->changes, 17) << "LiveScroll: the release raises nothing";
}

TEST_F(ScrollBarTest, DraggingTheKnobFollowsThePointerAndStopsAtTheEnds) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    B().SetMaximum(9);  // travel 82
    B().Render();
    w->changes = 0;
    Mouse(&B(), QEvent::MouseButtonPress, QPoint(6, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(w->changes, 0) << "a press on the knob only grabs it";
    Mouse(&B(), QEvent::MouseMove, QPoint(6, 54), Qt::NoButton, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 4);
    EXPECT_EQ(w->changes, 0) << "4 / 82 × 9 still reads 0";
    Mouse(&B(), QEvent::MouseMove, QPoint(6, 60), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(B().Value(), 1);  // 10 / 82 × 9 = 1.1
    EXPECT_EQ(w->changes, 1);
    Mouse(&B(), QEvent::MouseMove, QPoint(6, 221), Qt::NoButton, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 82);
    Mouse(&B(), QEvent::MouseMove, QPoint(6, 300), Qt::NoButton, Qt::LeftButton);  // outside
    Mouse(&B(), QEvent::MouseMove, QPoint(6, 290), Qt::NoButton, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 82);
    Mouse(&B(), QEvent::MouseMove, QPoint(6, 200), Qt::NoButton, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(B().KnobPosition(), 0) << "back inside: moved by the 90 pixels back";
    B().LiveScroll = false;
    const int before = w->changes;
    Mouse(&B(), QEvent::MouseButtonRelease, QPoint(6, 200), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->changes, before + 1) << "without LiveScroll the release raises once";
}

TEST_F(ScrollBarTest, APressWithoutARangeIsNotTaken) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    B().SetMaximum(0);
    B().LiveScroll = false;
    w->changes = 0;
    Click(&B(), QPoint(6, 100));
    EXPECT_EQ(w->changes, 0);
    EXPECT_TRUE(B().HasFocus());
}

TEST_F(ScrollBarTest, ArrowButtonsStepAndTheirLastValueOutlivesAResize) {
    BarWindow withArrows;
    withArrows.arrowsOff = false;
    withArrows.Build();
    withArrows.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&withArrows));
    Bar& b = *withArrows.bar;
    b.SetMaximum(9);  // knob 121 on a 192 track, travel 71, from 15
    b.SetValue(9);
    withArrows.changes = 0;
    Click(&b, QPoint(6, 215));  // the far button, at the limit: raises all the same
    EXPECT_EQ(withArrows.changes, 1);
    EXPECT_EQ(b.Value(), 9);
    b.Render();
    b.resize(12, 240);
    b.Render();
    EXPECT_EQ(b.Value(), 9) << "the last value, 10, still puts the knob at the end";
    Click(&b, QPoint(6, 5));  // the near button
    EXPECT_EQ(b.Value(), 8);
    b.GroupArrows = true;
    b.SetValue(0);
    Click(&b, QPoint(6, 240 - 20));  // within 2 × 15 of the far end: decreases (stays 0)
    EXPECT_EQ(b.Value(), 0);
    withArrows.Close();
}

TEST_F(ScrollBarTest, DrawsFrameTrackAndKnobInTheFocusColours) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    B().SetMaximum(0);
    const platform::Picture& empty = B().Render();
    // 12 × 222 without arrows: a 10 × 218 track at (1, 2) on the frame colour.
    EXPECT_EQ(PixelAt(empty, 6, 100), Hex(0x292A2E));
    EXPECT_EQ(PixelAt(empty, 0, 100), Hex(0x202224));
    EXPECT_EQ(PixelAt(empty, 6, 1), Hex(0x202224));
    EXPECT_EQ(PixelAt(empty, 0, 0), Hex(0x333538)) << "fully round ends";
    B().SetMaximum(9);
    B().SetValue(4);  // 4 / 9 × 82 = 36.4: the knob from y 36, 140 long
    w->across->SetFocus();
    const platform::Picture& idle = B().Render();
    SavePng(idle, "scrollbar_idle");
    EXPECT_EQ(PixelAt(idle, 0, 36 + 70), Hex(0x202224));
    EXPECT_EQ(PixelAt(idle, 6, 20), Hex(0x292A2E)) << "the track shows above the knob";
    B().SetFocus();
    const platform::Picture& focused = B().Render();
    SavePng(focused, "scrollbar_focused");
    EXPECT_EQ(PixelAt(focused, 0, 36 + 70), Hex(0x082A45));
    // Inside the outline the gradient runs across, 0x2386E0 on the left to 0x82C6F2 on the
    // right; the middle columns lie between.
    const platform::Color mid = PixelAt(focused, 6, 36 + 70);
    EXPECT_GT(mid.r, 0x23);
    EXPECT_LT(mid.r, 0x82);
}

TEST_F(ScrollBarTest, DrawsArrowButtonsAtBothEnds) {
    BarWindow withArrows;
    withArrows.arrowsOff = false;
    withArrows.Build();
    Bar& b = *withArrows.bar;
    b.SetMaximum(9);
    const platform::Picture& p = b.Render();
    SavePng(p, "scrollbar_arrows");
    // The arrow area (12 × 188 at 0, 0 and 0, 34) carries a white capsule 10 wide from
    // y 1 near the top; the track (10 × 188 at 1, 17) covers its middle.
    EXPECT_EQ(PixelAt(p, 6, 12), Hex(0xFFFFFF));
    EXPECT_EQ(PixelAt(p, 6, 213), Hex(0xFFFFFF));
    // The knob (121 long) starts after the near button, at 15; the track shows below it.
    EXPECT_EQ(PixelAt(p, 0, 80), Hex(0x202224));
    EXPECT_EQ(PixelAt(p, 6, 160), Hex(0x292A2E));
    const platform::Picture& turned = w->across->Render();
    SavePng(turned, "scrollbar_horizontal");
    EXPECT_EQ(PixelAt(turned, 12, 6), Hex(0xFFFFFF));
    withArrows.Close();
}

}  // namespace
