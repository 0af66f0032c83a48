#include "platform/widgets/canvas.h"

#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/rgbsurface.h"
#include "platform/timer.h"
#include "platform/widgets/window.h"
#include "support/inspection.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <string>
#include <vector>

using namespace platform;

namespace {

/// A window with two canvases side by side that record their events as the window sees them.
class CanvasWindow : public Window {
public:
    Canvas* first = nullptr;
    Canvas* second = nullptr;
    std::vector<std::string> log;
    bool takePress = true;
    bool takeKeys = false;

protected:
    void Layout() override {
        setGeometry(100, 100, 200, 100);
        SetHasBackColor(true);
        SetBackColor(RGB(0x33, 0x35, 0x38));
        first = &AddControl<Canvas>(
            this,
            [](Canvas& c) {
                c.SetName("first");
                c.setGeometry(10, 10, 40, 30);
                c.SetAcceptFocus(true);
                c.TabIndex = 0;
            },
            [this](Canvas& c) { Record(c); });
        second = &AddControl<Canvas>(
            this,
            [](Canvas& c) {
                c.SetName("second");
                c.setGeometry(60, 10, 40, 30);
                c.SetAcceptFocus(true);
                c.TabIndex = 1;
            },
            [this](Canvas& c) { Record(c); });
    }

private:
    void Record(Canvas& c) {
        const std::string n = c.Name() + ".";
        auto xy = [](int x, int y) {
            return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
        };
        c.MouseDown = [=, this](int x, int y) {
            log.push_back(n + "MouseDown" + xy(x, y));
            return takePress;
        };
        c.MouseDrag = [=, this](int x, int y) { log.push_back(n + "MouseDrag" + xy(x, y)); };
        c.MouseUp = [=, this](int x, int y) { log.push_back(n + "MouseUp" + xy(x, y)); };
        c.MouseMove = [=, this](int x, int y) { log.push_back(n + "MouseMove" + xy(x, y)); };
        c.MouseEnter = [=, this] { log.push_back(n + "MouseEnter"); };
        c.MouseExit = [=, this] { log.push_back(n + "MouseExit"); };
        c.MouseWheel = [=, this](int, int, int dx, int dy) {
            log.push_back(n + "MouseWheel" + xy(dx, dy));
            return true;
        };
        c.KeyDown = [=, this](const std::string& key) {
            log.push_back(n + "KeyDown:" + std::to_string(static_cast<int>(key[0])) +
                          (Keyboard::ControlKey() ? "+ctrl" : ""));
            return takeKeys;
        };
        c.GotFocus = [=, this] { log.push_back(n + "GotFocus"); };
        c.LostFocus = [=, this] { log.push_back(n + "LostFocus"); };
    }
};

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Wheel(QWidget* w, QPoint angle) {
    QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), angle, Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new CanvasWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    CanvasWindow* w = nullptr;
};

}  // namespace

TEST_F(CanvasTest, ATakenPressGetsDragsRepeatedWhileTheButtonRestsThenTheRelease) {
    ScopedManualTimers timers;
    Canvas* c = w->first;
    Mouse(c, QEvent::MouseButtonPress, {4, 5}, Qt::LeftButton, Qt::LeftButton);
    Mouse(c, QEvent::MouseMove, {6, 7}, Qt::NoButton, Qt::LeftButton);
    timers->Advance(2 * Canvas::kDragRepeatMs);  // the pointer rests: two more drags
    Mouse(c, QEvent::MouseButtonRelease, {6, 7}, Qt::LeftButton, Qt::NoButton);
    timers->Advance(5 * Canvas::kDragRepeatMs);  // released: no more
    Mouse(c, QEvent::MouseMove, {8, 9}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->log, (std::vector<std::string>{"first.MouseDown(4,5)", "first.MouseDrag(6,7)",
                                                "first.MouseDrag(6,7)", "first.MouseDrag(6,7)",
                                                "first.MouseUp(6,7)", "first.MouseMove(8,9)"}));
}

TEST_F(CanvasTest, AnUntakenPressGetsNoDragAndNoRelease) {
    ScopedManualTimers timers;
    w->takePress = false;
    Canvas* c = w->first;
    Mouse(c, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    Mouse(c, QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::LeftButton);
    timers->Advance(100);
    Mouse(c, QEvent::MouseButtonRelease, {2, 2}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->log, (std::vector<std::string>{"first.MouseDown(1,1)"}));
}

TEST_F(CanvasTest, EnterExitAndTheWheelInTheFrameworksSign) {
    Canvas* c = w->first;
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), c->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(c, &enter);
    Wheel(c, {0, 120});   // away from the user: up, so the framework's deltaY is negative
    Wheel(c, {0, -240});  // two notches towards the user: down
    Wheel(c, {0, -30});   // part of a notch (a touchpad) still counts as one step
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c, &leave);
    EXPECT_EQ(w->log, (std::vector<std::string>{"first.MouseEnter", "first.MouseWheel(0,-1)",
                                                "first.MouseWheel(0,2)", "first.MouseWheel(0,1)",
                                                "first.MouseExit"}));
}

TEST_F(CanvasTest, CtrlAReachesTheControlAsTheLetterWithControlHeld) {
    QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
    QApplication::sendEvent(w->first, &ctrlA);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(w->first, &home);
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(w->first, &shift);  // no key text: not delivered
    EXPECT_EQ(w->log, (std::vector<std::string>{"first.KeyDown:97+ctrl", "first.KeyDown:1"}));
}

TEST_F(CanvasTest, TabIsOfferedToTheControlBeforeItMovesTheFocus) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->first->SetFocus();
    EXPECT_EQ(w->Focus(), w->first);
    w->takeKeys = true;  // the control takes Tab: the focus stays
    QTest::keyClick(w->first, Qt::Key_Tab);
    EXPECT_EQ(w->Focus(), w->first);
    w->takeKeys = false;  // not taken: the focus moves along the tab chain
    w->log.clear();
    QTest::keyClick(w->first, Qt::Key_Tab);
    EXPECT_EQ(w->Focus(), w->second);
    EXPECT_EQ(w->log,
              (std::vector<std::string>{"first.KeyDown:9", "first.LostFocus", "second.GotFocus"}));
}

TEST_F(CanvasTest, FocusFollowsTheOwnEnabledFlag) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->first->clearFocus();  // the window gave it the focus when it was shown
    w->log.clear();
    w->second->SetEnabled(false);
    w->second->SetFocus();
    EXPECT_EQ(w->Focus(), nullptr);
    w->second->SetEnabled(true);
    w->second->SetFocus();
    EXPECT_EQ(w->Focus(), w->second);
    EXPECT_EQ(w->log, (std::vector<std::string>{"second.GotFocus"}));
}

TEST_F(CanvasTest, AClassHandlerKeepsTheEventFromTheWindow) {
    struct Taker : Canvas {
        using Canvas::Canvas;
        int presses = 0;
        bool Event_MouseDown(int, int) override {
            ++presses;
            return false;
        }
    };
    Taker t(w);
    bool windowSaw = false;
    t.MouseDown = [&](int, int) { return windowSaw = true; };
    Mouse(&t, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(t.presses, 1);
    EXPECT_FALSE(windowSaw);
}

TEST_F(CanvasTest, PaintsIntoAPictureThatKeepsItsPixelsUnlessErased) {
    Canvas* c = w->first;
    int paints = 0;
    c->Paint = [&](Graphics& g) {
        ++paints;
        // Each paint adds one pixel in a new column, never clearing the others.
        g.ForeColor = RGB(255, 0, 0);
        g.FillRect(paints, 0, 1, 1);
    };
    c->Render();
    c->Refresh(false);
    const Picture& kept = c->Render();
    testsupport::SaveForInspection(kept, "canvas_refresh_without_erase");
    RGBSurface& s = const_cast<Picture&>(kept).RGBSurface();
    // The first paint erased to the window's back colour 0x333538.
    EXPECT_EQ(s.Pixel(0, 0), RGB(0x33, 0x35, 0x38));
    EXPECT_EQ(s.Pixel(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(s.Pixel(2, 0), RGB(255, 0, 0));  // the second paint kept the first pixel
    c->Refresh(true);
    const Picture& erased = c->Render();
    RGBSurface& e = const_cast<Picture&>(erased).RGBSurface();
    EXPECT_EQ(e.Pixel(1, 0), RGB(0x33, 0x35, 0x38));
    EXPECT_EQ(e.Pixel(3, 0), RGB(255, 0, 0));
    EXPECT_EQ(erased.Width(), 40);
    EXPECT_EQ(erased.Height(), 30);
}

namespace {

/// What the screen shows at `at` in the window's content.
QRgb OnScreen(QWidget& window, QPoint at) {
    const QImage shot = window.screen()->grabWindow(window.winId()).toImage();
    return shot.pixel(at);
}

}  // namespace

TEST_F(CanvasTest, AnImmediateRefreshIsOnTheScreenBeforeItReturnsAndARequestWaitsForTheLoop) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    Color firstColor = RGB(255, 0, 0);
    Color secondColor = RGB(0, 0, 255);
    w->first->Paint = [&](Graphics& g) {
        g.ForeColor = firstColor;
        g.FillRect(0, 0, 40, 30);
    };
    w->second->Paint = [&](Graphics& g) {
        g.ForeColor = secondColor;
        g.FillRect(0, 0, 40, 30);
    };
    w->first->Refresh(false);
    w->second->Refresh(false);
    QApplication::processEvents();
    // The canvases sit at (10, 10) and (60, 10) in the window's content.
    const QPoint inFirst(20, 20);
    const QPoint inSecond(70, 20);
    ASSERT_EQ(OnScreen(*w, inFirst), qRgb(255, 0, 0));
    ASSERT_EQ(OnScreen(*w, inSecond), qRgb(0, 0, 255));

    // A request changes nothing until the loop turns.
    firstColor = RGB(0, 255, 0);
    secondColor = RGB(255, 255, 0);
    w->second->Refresh(false);
    EXPECT_EQ(OnScreen(*w, inSecond), qRgb(0, 0, 255));
    // An immediate refresh is on the screen at once, and so is what else waited for a paint.
    w->first->Refresh(true);
    EXPECT_EQ(OnScreen(*w, inFirst), qRgb(0, 255, 0));
    EXPECT_EQ(OnScreen(*w, inSecond), qRgb(255, 255, 0));

    // A hidden canvas only asks: it is painted when it is shown.
    w->first->SetVisible(false);
    int paints = 0;
    w->first->Paint = [&](Graphics&) { ++paints; };
    w->first->Refresh(true);
    EXPECT_EQ(paints, 0);
}
