#include "kit/base/lite_progress_wheel.h"

#include "kit/base/mouse.h"
#include "kit_test_util.h"
#include "platform/event_yield.h"
#include "platform/parallel.h"
#include "platform/rgbsurface.h"
#include "platform/thread.h"
#include "platform/timer.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScreen>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

using platform::Color;
using platform::RGB;

namespace {

// The greys, lightest first.
const Color kGrey[8] = {RGB(195, 193, 189), RGB(182, 180, 176), RGB(170, 168, 164),
                        RGB(157, 155, 151), RGB(144, 142, 138), RGB(131, 129, 125),
                        RGB(119, 117, 113), RGB(106, 104, 100)};
// Square i's cell, clockwise from the top.
const int kCellX[8] = {6, 10, 12, 10, 6, 2, 0, 2};
const int kCellY[8] = {0, 2, 6, 10, 12, 10, 6, 2};

/// A window with one wheel laid out as the windows do: 16 × 16, hidden, no erasing.
class WheelWindow : public platform::Window {
public:
    LiteProgressWheel* wheel = nullptr;

protected:
    void Layout() override {
        SetHasBackColor(true);
        SetBackColor(RGB(0x33, 0x35, 0x38));
        wheel = &AddControl<LiteProgressWheel>(this, [](LiteProgressWheel& w) {
            w.SetName("Chase_Wheel");
            w.setGeometry(20, 30, 16, 16);
            w.SetVisible(false);
            w.EraseBackground = false;
        });
    }
};

/// The grey index each square shows in `picture` (-1 when it is none of the eight).
std::vector<int> SquareGreys(platform::Picture& picture) {
    std::vector<int> greys;
    for (int i = 0; i < 8; ++i) {
        // Pixel (x + 1, y) is in every square's cell.
        const Color c = picture.RGBSurface().Pixel(kCellX[i] + 1, kCellY[i]);
        int index = -1;
        for (int g = 0; g < 8; ++g) {
            if (kGrey[g] == c)
                index = g;
        }
        greys.push_back(index);
    }
    return greys;
}

class WheelTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new WheelWindow;
        w->Build();
    }
    void TearDown() override {
        if (w)
            w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    WheelWindow* w = nullptr;
    platform::ScopedManualTimers timers;
};

using V = std::vector<int>;

}  // namespace

TEST_F(WheelTest, OpenFillsThePositionsAndGreysAndTheTimerRunsEvery168Ms) {
    LiteProgressWheel& wheel = *w->wheel;
    EXPECT_EQ(wheel.Xval, (std::vector<std::int32_t>{6, 10, 12, 10, 6, 2, 0, 2}));
    EXPECT_EQ(wheel.Yval, (std::vector<std::int32_t>{0, 2, 6, 10, 12, 10, 6, 2}));
    ASSERT_EQ(wheel.FaceColor.size(), 8u);
    EXPECT_EQ(wheel.FaceColor[0], RGB(0xC3, 0xC1, 0xBD));
    EXPECT_EQ(wheel.FaceColor[7], RGB(0x6A, 0x68, 0x64));
    EXPECT_EQ(wheel.Value, 0);
    EXPECT_EQ(wheel.Timer().Period(), 168);
    EXPECT_EQ(wheel.Timer().Mode(), platform::Timer::kModeMultiple);
    EXPECT_TRUE(wheel.Timer().Enabled());
}

TEST_F(WheelTest, ANewWheelShowsSquareIInGreyIAndPaintingNeverMovesThePhase) {
    LiteProgressWheel& wheel = *w->wheel;
    platform::Picture& first = const_cast<platform::Picture&>(wheel.Render());
    EXPECT_EQ(SquareGreys(first), (V{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(wheel.Value, 8);  // 8 reads as 0 at the next paint
    platform::Picture& second = const_cast<platform::Picture&>(wheel.Render());
    EXPECT_EQ(SquareGreys(second), (V{0, 1, 2, 3, 4, 5, 6, 7}));
    kittest::SavePng(second.Image(), "wheel_phase_0.png");
}

TEST_F(WheelTest, EachSquareIsItsCellLessTheCorners) {
    LiteProgressWheel& wheel = *w->wheel;
    platform::Picture& pic = const_cast<platform::Picture&>(wheel.Render());
    const Color back = RGB(0x33, 0x35, 0x38);  // the first paint erased to the window colour
    platform::RGBSurface& s = pic.RGBSurface();
    // Square 2's cell at (12, 6): corners keep the background, the rest is grey 2.
    EXPECT_EQ(s.Pixel(12, 6), back);
    EXPECT_EQ(s.Pixel(15, 6), back);
    EXPECT_EQ(s.Pixel(12, 9), back);
    EXPECT_EQ(s.Pixel(15, 9), back);
    EXPECT_EQ(s.Pixel(13, 6), kGrey[2]);
    EXPECT_EQ(s.Pixel(12, 7), kGrey[2]);
    EXPECT_EQ(s.Pixel(15, 8), kGrey[2]);
    EXPECT_EQ(s.Pixel(14, 9), kGrey[2]);
    // 8 squares × 12 pixels are grey; the other 160 of 256 keep the background.
    int grey = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            grey += s.Pixel(x, y) != back;
    }
    EXPECT_EQ(grey, 96);
}

TEST_F(WheelTest, ShowingStepsOnceThenTheTimerStepsItWhileVisible) {
    LiteProgressWheel& wheel = *w->wheel;
    timers->Advance(168 * 3);  // hidden: the firings change nothing
    EXPECT_EQ(wheel.Value, 0);
    wheel.Render();

    // The windows show it: Visible true, then Refresh(true).
    wheel.SetVisible(true);
    wheel.Refresh(true);
    // The canvas keeps one picture: read each paint's greys before the next paint.
    platform::Picture& shown = const_cast<platform::Picture&>(wheel.Render());
    const V shownGreys = SquareGreys(shown);
    // Phase 7 after the first step: square 0 darkest, square 1 lightest.
    EXPECT_EQ(shownGreys, (V{7, 0, 1, 2, 3, 4, 5, 6}));
    kittest::SavePng(shown.Image(), "wheel_first_show.png");

    timers->Advance(168);  // one step clockwise
    platform::Picture& stepped = const_cast<platform::Picture&>(wheel.Render());
    const V steppedGreys = SquareGreys(stepped);
    EXPECT_EQ(steppedGreys, (V{6, 7, 0, 1, 2, 3, 4, 5}));
    kittest::SavePng(stepped.Image(), "wheel_one_step.png");

    timers->Advance(168 * 7);  // seven more: eight steps since the show, a full turn
    EXPECT_EQ(SquareGreys(const_cast<platform::Picture&>(wheel.Render())), shownGreys);

    // Hidden: the shading stops; shown again it goes on one step further.
    wheel.SetVisible(false);
    timers->Advance(168 * 5);
    wheel.SetVisible(true);
    wheel.Refresh(true);
    EXPECT_EQ(SquareGreys(const_cast<platform::Picture&>(wheel.Render())), steppedGreys);
}

TEST_F(WheelTest, WhileAJobWaitsForItsPixelWorkTheWheelTurnsOnTheScreen) {
    platform::InstallEventYield();
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    LiteProgressWheel& wheel = *w->wheel;
    // The greys the screen shows of each square (the wheel sits at (20, 30)).
    const auto onScreen = [&] {
        QImage shot = w->screen()->grabWindow(w->winId()).toImage();
        platform::Picture picture(shot.copy(20, 30, 16, 16));
        return SquareGreys(picture);
    };
    {
        platform::JobRunningScope job;
        // The job's start: the wheel is on the screen at once, before the job goes on.
        wheel.SetVisible(true);
        wheel.Refresh(true);
        EXPECT_EQ(onScreen(), (V{7, 0, 1, 2, 3, 4, 5, 6}));
        // Its pixel work runs until 168 ms have passed on the loop's timers.
        std::atomic<bool> timePassed{false};
        bool steppedInTheJob = false;
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                timers->Advance(168);
                steppedInTheJob = platform::JobRunning() && wheel.Value == 6;
                timePassed = true;
            },
            Qt::QueuedConnection);
        platform::RunAside([&] {
            while (!timePassed)
                std::this_thread::yield();
        });
        EXPECT_TRUE(steppedInTheJob);
        // The job's next yields paint the step.
        platform::Yield();
        EXPECT_EQ(onScreen(), (V{6, 7, 0, 1, 2, 3, 4, 5}));
    }
    platform::SetYieldHook({});
}

TEST_F(WheelTest, PhasesOutsideTheRingPaintAsItsEnds) {
    LiteProgressWheel& wheel = *w->wheel;
    wheel.Value = 100;  // paints as 0
    EXPECT_EQ(SquareGreys(const_cast<platform::Picture&>(wheel.Render())),
              (V{0, 1, 2, 3, 4, 5, 6, 7}));
    wheel.Value = -3;  // paints as 7
    EXPECT_EQ(SquareGreys(const_cast<platform::Picture&>(wheel.Render())),
              (V{7, 0, 1, 2, 3, 4, 5, 6}));
    // A refresh of a hidden wheel still lowers the phase.
    wheel.Value = 3;
    wheel.Refresh(false);
    EXPECT_EQ(wheel.Value, 2);
}

TEST_F(WheelTest, ATimerWhoseWheelIsGoneDoesNothing) {
    LiteProgressWheelTimer orphan(w->wheel);
    EXPECT_EQ(orphan.owner(), w->wheel);
    w->Close();
    w = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(orphan.owner(), nullptr);
    timers->Advance(168 * 2);  // fires with no wheel: nothing happens
    SUCCEED();
}

TEST(MouseTest, MoveMouseChangesNothing) {
    Mouse::MoveMouse(-5000, 99999, true);
    Mouse::MoveMouse(10, 10, false);
    SUCCEED();
}
