#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/widgets/menubar_view.h"
#include "platform/widgets/window.h"
#include "probe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

using namespace platform;
using probe::ProbeControl;

namespace {

/// A 560 x 376 window at (100, 80), optionally under a menu bar, with a control in each corner
/// of the content.
class ChromeWindow : public Window {
public:
    explicit ChromeWindow(bool withMenuBar)
        : m_withMenuBar(withMenuBar) {
        tree.Append(std::make_unique<MenuItem>("&File", "FileMenu"))
            .Append(std::make_unique<MenuItem>("Quitter", "FileQuit"));
    }
    MenuItem tree;
    ProbeControl* topLeft = nullptr;
    ProbeControl* bottomRight = nullptr;

protected:
    void Layout() override {
        if (m_withMenuBar)
            SetMenuBar(tree);
        SetLeft(100);
        SetTop(80);
        SetWidth(560);
        SetHeight(376);
        topLeft = &AddControl<ProbeControl>(this, [](ProbeControl& c) {
            c.SetName("topLeft");
            c.setGeometry(0, 0, 20, 10);
        });
        bottomRight = &AddControl<ProbeControl>(nullptr, [](ProbeControl& c) {
            c.SetName("bottomRight");
            c.setGeometry(540, 366, 20, 10);  // 560 - 20, 376 - 10
        });
    }

private:
    bool m_withMenuBar;
};

class WindowChromeTest : public ::testing::Test {
protected:
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void SendMouse(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target.mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

}  // namespace

TEST_F(WindowChromeTest, TheMenuBarLiesOutsideTheStoredContentArea) {
    for (const bool withMenuBar : {false, true}) {
        SCOPED_TRACE(withMenuBar ? "with a menu bar" : "without a menu bar");
        QPointer<ChromeWindow> w = new ChromeWindow(withMenuBar);
        w->Show();
        // The stored size is all content, whatever the bar takes.
        EXPECT_EQ(w->Left(), 100);
        EXPECT_EQ(w->Top(), 80);
        EXPECT_EQ(w->Width(), 560);
        EXPECT_EQ(w->Height(), 376);
        EXPECT_EQ(w->Content()->size(), QSize(560, 376));
        const int bar = withMenuBar ? w->MenuBar()->height() : 0;
        if (withMenuBar) {
            EXPECT_GT(bar, 0);
            EXPECT_EQ(w->MenuBar()->geometry(), QRect(0, 0, 560, bar));
        }
        // The frame's inside holds the bar above the content.
        EXPECT_EQ(w->geometry(), QRect(100, 80 - bar, 560, 376 + bar));
        // Controls are placed in content coordinates, so they sit under the bar.
        EXPECT_EQ(w->topLeft->Top(), 0);
        EXPECT_EQ(w->topLeft->Widget().mapTo(w, QPoint(0, 0)), QPoint(0, bar));
        EXPECT_EQ(w->bottomRight->Left(), 540);
        EXPECT_EQ(w->bottomRight->Top(), 366);
        EXPECT_TRUE(w->Content()->geometry().contains(
            QRect(w->bottomRight->Widget().mapTo(w, QPoint(0, 0)), QSize(20, 10))));
        // Setters keep the content meaning: moving the top moves the frame with it.
        w->SetTop(120);
        w->SetHeight(300);
        EXPECT_EQ(w->Top(), 120);
        EXPECT_EQ(w->Height(), 300);
        EXPECT_EQ(w->geometry(), QRect(100, 120 - bar, 560, 300 + bar));
        w->Close();
    }
}

TEST_F(WindowChromeTest, PaintDrawsOverTheBackColourInContentCoordinates) {
    for (const bool withMenuBar : {false, true}) {
        SCOPED_TRACE(withMenuBar ? "with a menu bar" : "without a menu bar");
        QPointer<ChromeWindow> w = new ChromeWindow(withMenuBar);
        w->Build();
        w->SetHasBackColor(true);
        w->SetBackColor(RGB(0, 0, 255));
        int paints = 0;
        w->Paint = [&](Graphics& g) {
            ++paints;
            EXPECT_EQ(g.Width(), 560);
            EXPECT_EQ(g.Height(), 376);
            g.ForeColor = RGB(255, 0, 0);
            g.FillRect(100, 200, 10, 10);
        };
        const QImage shot = w->Content()->grab().toImage();
        EXPECT_GE(paints, 1);
        EXPECT_EQ(shot.pixelColor(105, 205), QColor(255, 0, 0));  // inside 100..109, 200..209
        EXPECT_EQ(shot.pixelColor(110, 205), QColor(0, 0, 255));  // the first column after it
        w->Close();
    }
}

struct PressCase {
    const char* name;
    bool taken;
    std::vector<std::string> expected;
};

class WindowMouseTest : public WindowChromeTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(WindowMouseTest, OnlyATakenPressGetsDragAndUpInContentCoordinates) {
    QPointer<ChromeWindow> w = new ChromeWindow(true);
    w->Show();
    const int bar = w->MenuBar()->height();
    std::vector<std::string> log;
    auto at = [](const char* what, int x, int y) {
        return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
    };
    w->MouseDown = [&](int x, int y) {
        log.push_back(at("down", x, y));
        return GetParam().taken;
    };
    w->MouseDrag = [&](int x, int y) { log.push_back(at("drag", x, y)); };
    w->MouseUp = [&](int x, int y) { log.push_back(at("up", x, y)); };
    // Sent to the window's own coordinates, below the bar: the handlers see content ones.
    SendMouse(*w, QEvent::MouseButtonPress, QPoint(300, 200 + bar), Qt::LeftButton, Qt::LeftButton);
    SendMouse(*w, QEvent::MouseMove, QPoint(310, 215 + bar), Qt::NoButton, Qt::LeftButton);
    SendMouse(*w, QEvent::MouseButtonRelease, QPoint(312, 216 + bar), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log, GetParam().expected);
    w->Close();
}

const PressCase kPressCases[] = {
    {"TakenPressGetsDragAndUp", true, {"down 300,200", "drag 310,215", "up 312,216"}},
    {"UntakenPressGetsNothingMore", false, {"down 300,200"}},
};
INSTANTIATE_TEST_SUITE_P(Presses, WindowMouseTest, ::testing::ValuesIn(kPressCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowChromeTest, AContextualClickShowsTheConstructedMenuAndRunsTheChoice) {
    ScopedScriptedPopups popups;
    QPointer<ChromeWindow> w = new ChromeWindow(false);
    w->Show();
    bool showLogo = true;
    std::vector<std::string> log;
    w->MouseDown = [&](int, int) {
        log.push_back(IsContextualClick() ? "down contextual" : "down");
        return false;  // a contextual click is left to the menu
    };
    w->ConstructContextualMenu = [&](MenuItem& base, int x, int y) {
        log.push_back("construct " + std::to_string(x) + "," + std::to_string(y));
        const char* texts[] = {"Close", "-", "Show Logo", "Initial Position"};
        for (int i = 0; i < 4; ++i) {
            MenuItem& item = base.Append(std::make_unique<MenuItem>(texts[i], texts[i]));
            item.Tag = i;
            item.Checked = i == 2 && showLogo;
        }
        return true;
    };
    w->ContextualMenuAction = [&](MenuItem& hit) {
        log.push_back("action tag " + std::to_string(hit.Tag));
        return true;
    };
    popups->QueueChoice("Show Logo");
    SendMouse(*w, QEvent::MouseButtonPress, QPoint(40, 30), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(log,
              (std::vector<std::string>{"down contextual", "construct 40,30", "action tag 2"}));
    ASSERT_EQ(popups->shown.size(), 1u);
    const auto& shown = popups->shown[0];
    EXPECT_EQ(QPoint(shown.x, shown.y), w->mapToGlobal(QPoint(40, 30)));
    ASSERT_EQ(shown.rows.size(), 4u);
    EXPECT_TRUE(shown.rows[2].checked);
    EXPECT_FALSE(shown.rows[3].checked);
    EXPECT_EQ(shown.rows[3].tag, 3);

    // A press that the window takes shows no menu; one whose construction says no neither.
    log.clear();
    w->MouseDown = [&](int, int) { return true; };
    SendMouse(*w, QEvent::MouseButtonPress, QPoint(40, 30), Qt::RightButton, Qt::RightButton);
    w->MouseDown = [&](int, int) { return false; };
    w->ConstructContextualMenu = [](MenuItem&, int, int) { return false; };
    SendMouse(*w, QEvent::MouseButtonPress, QPoint(40, 30), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(popups->shown.size(), 1u);

    // An action that the window leaves goes to the menu handlers by the item's name.
    int closes = 0;
    w->SetMenuHandler("Close", [&] {
        ++closes;
        return true;
    });
    w->ConstructContextualMenu = [](MenuItem& base, int, int) {
        base.Append(std::make_unique<MenuItem>("Close", "Close"));
        return true;
    };
    w->ContextualMenuAction = [](MenuItem&) { return false; };
    popups->QueueChoice("Close");
    SendMouse(*w, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(closes, 1);
    w->Close();
}

struct CursorCase {
    const char* name;
    SystemCursor cursor;
    Qt::CursorShape shape;
};

class CursorTest : public WindowChromeTest, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(CursorTest, WindowsAndControlsShowTheSystemShape) {
    QPointer<ChromeWindow> w = new ChromeWindow(true);
    w->Build();
    EXPECT_EQ(w->topLeft->MouseCursor(), SystemCursor::StandardPointer);  // none of its own
    w->SetMouseCursor(GetParam().cursor);
    EXPECT_EQ(w->MouseCursor(), GetParam().cursor);
    EXPECT_EQ(w->cursor().shape(), GetParam().shape);
    // The content area under the bar shows the window's shape.
    EXPECT_EQ(w->Content()->cursor().shape(), GetParam().shape);
    w->topLeft->SetMouseCursor(GetParam().cursor);
    EXPECT_EQ(w->topLeft->MouseCursor(), GetParam().cursor);
    EXPECT_EQ(w->topLeft->Widget().cursor().shape(), GetParam().shape);
    w->Close();
}

// clang-format off
const CursorCase kCursorCases[] = {
    {"StandardPointerIsTheArrow",       SystemCursor::StandardPointer,    Qt::ArrowCursor},
    {"AllDirectionsIsTheMoveArrows",    SystemCursor::ArrowAllDirections, Qt::SizeAllCursor},
    {"FingerPointerIsThePointingHand",  SystemCursor::FingerPointer,      Qt::PointingHandCursor},
    {"IBeamIsTheTextBeam",              SystemCursor::IBeam,              Qt::IBeamCursor},
    {"WaitIsTheWaitCursor",             SystemCursor::Wait,               Qt::WaitCursor},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cursors, CursorTest, ::testing::ValuesIn(kCursorCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct LockCase {
    const char* name;
    bool top;
    bool bottom;
    QRect after;  // the control's rectangle after the content grows from 376 to 436 high
};

class LockedEdgesTest : public WindowChromeTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(LockedEdgesTest, AHeightChangeMovesOrGrowsTheControlsLockedToTheBottom) {
    QPointer<ChromeWindow> w = new ChromeWindow(true);
    w->Build();
    ProbeControl& c = *w->bottomRight;  // at (540, 366), 20 x 10
    c.LockTop = GetParam().top;
    c.LockBottom = GetParam().bottom;
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        w->SetHeight(376);  // back to the stored size (which moves the control back too)
        c.setGeometry(540, 366, 20, 10);
        if (shown)
            w->Show();
        w->SetHeight(436);  // 60 pixels more
        EXPECT_EQ(QRect(c.Left(), c.Top(), c.Width(), c.Height()), GetParam().after);
        // The control unlocked at the bottom never moves.
        EXPECT_EQ(w->topLeft->Top(), 0);
    }
    w->Close();
}

// clang-format off
const LockCase kLockCases[] = {
    {"TopOnlyStays",             true,  false, QRect(540, 366, 20, 10)},
    {"BottomOnlyMovesDown",      false, true,  QRect(540, 426, 20, 10)},  // 366 + 60
    {"TopAndBottomGrows",        true,  true,  QRect(540, 366, 20, 70)},  // 10 + 60
    {"NeitherKeepsItsTopAsTop",  false, false, QRect(540, 366, 20, 10)},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Locks, LockedEdgesTest, ::testing::ValuesIn(kLockCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowChromeTest, CloseBoxAndFixedSizeFollowTheStoredLayout) {
    QPointer<ChromeWindow> w = new ChromeWindow(true);
    w->Build();
    EXPECT_TRUE(w->CloseBox());
    w->SetCloseBox(false);
    EXPECT_FALSE(w->CloseBox());
    w->SetCloseBox(true);
    EXPECT_TRUE(w->CloseBox());

    const int bar = w->MenuBar()->height();
    w->SetResizeable(false);
    EXPECT_EQ(w->minimumSize(), QSize(560, 376 + bar));
    EXPECT_EQ(w->maximumSize(), QSize(560, 376 + bar));
    // The user cannot resize it; its own setters still can.
    w->resize(700, 500);
    EXPECT_EQ(w->Width(), 560);
    w->SetWidth(600);
    EXPECT_EQ(w->Width(), 600);
    EXPECT_EQ(w->maximumSize(), QSize(600, 376 + bar));
    w->Close();
}
