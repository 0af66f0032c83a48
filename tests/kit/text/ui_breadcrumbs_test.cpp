#include "kit/text/ui_breadcrumbs.h"

#include "field_window.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <string>
#include <vector>

using namespace fieldtest;
namespace C = platform::keycode;

namespace {

class Bar : public UI_Breadcrumbs {
public:
    using UI_Breadcrumbs::Event_KeyDown;
    using UI_Breadcrumbs::UI_Breadcrumbs;
};

/// The main window's bar: 465 × 29 on the dark window colour, four steps.
class StepWindow : public platform::Window {
public:
    Bar* bar = nullptr;
    std::vector<std::string> log;

protected:
    void Layout() override {
        setGeometry(100, 100, 500, 60);
        SetHasBackColor(true);
        SetBackColor(platform::RGB(0x33, 0x35, 0x38));
        bar = &AddControl<Bar>(
            this,
            [](Bar& b) {
                b.setGeometry(10, 10, 465, 29);
                b.SetTabDefinition("");
                b.SetValue(0);  // stored: no handler attached yet
            },
            [this](Bar& b) {
                b.Action = [this](std::int32_t i, const std::string& caption) {
                    log.push_back("Action(" + std::to_string(i) + "," + caption + ")");
                };
                b.Open = [this, &b] {
                    log.push_back("Open");
                    b.Tabs = {"Files", "Resizing", "Options", "Generating"};
                };
            });
    }
};

class StepBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new StepWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Bar& B() { return *w->bar; }
    StepWindow* w = nullptr;
};

TEST_F(StepBarTest, OpenWritesTheBuiltInLookAndRaisesOpenOnly) {
    EXPECT_EQ(w->log, (std::vector<std::string>{"Open"}));
    EXPECT_EQ(B().MyStyle.ChevronDepth, 12);
    EXPECT_EQ(B().MyStyle.CornerRadius, 5);
    EXPECT_EQ(B().MyStyle.TextSelShadowDY, -1);
    EXPECT_TRUE(B().AcceptFocus());
    EXPECT_TRUE(B().Widths().empty()) << "no layout before the first paint: every x misses";
}

TEST_F(StepBarTest, EveryAssignmentClampsAndRaisesAction) {
    w->log.clear();
    B().SetValue(7);
    B().SetValue(-2);
    B().SetValue(0);
    B().SetValue(2);
    EXPECT_EQ(w->log, (std::vector<std::string>{"Action(3,Generating)", "Action(0,Files)",
                                                "Action(0,Files)", "Action(2,Options)"}));
    EXPECT_EQ(B().Value(), 2);
}

TEST_F(StepBarTest, NoStepsStoreZeroWithAnEmptyCaption) {
    B().Tabs.clear();
    w->log.clear();
    B().SetValue(3);
    EXPECT_EQ(B().Value(), 0);
    EXPECT_EQ(w->log, (std::vector<std::string>{"Action(0,)"}));
    EXPECT_FALSE(B().Event_KeyDown(std::string(1, C::kRight)));
}

TEST_F(StepBarTest, ArrowKeysStepWithinTheSteps) {
    w->log.clear();
    EXPECT_FALSE(B().Event_KeyDown(std::string(1, C::kLeft)));
    EXPECT_TRUE(B().Event_KeyDown(std::string(1, C::kRight)));
    EXPECT_TRUE(B().Event_KeyDown(std::string(1, C::kRight)));
    EXPECT_TRUE(B().Event_KeyDown(std::string(1, C::kRight)));
    EXPECT_FALSE(B().Event_KeyDown(std::string(1, C::kRight)));
    EXPECT_TRUE(B().Event_KeyDown(std::string(1, C::kLeft)));
    EXPECT_FALSE(B().Event_KeyDown("a"));
    EXPECT_EQ(w->log, (std::vector<std::string>{"Action(1,Resizing)", "Action(2,Options)",
                                                "Action(3,Generating)", "Action(2,Options)"}));
}

TEST_F(StepBarTest, ClicksUseTheLastPaintsWidths) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->log.clear();
    B().Render();
    EXPECT_EQ(B().Widths(), (std::vector<std::int32_t>(4, 125)));
    Click(&B(), QPoint(120, 10));  // the overlap of steps 0 and 1: the selected step 0 wins
    Click(&B(), QPoint(130, 10));
    Click(&B(), QPoint(130, 25));  // the selected step: nothing
    Click(&B(), QPoint(463, 3));
    Click(&B(), QPoint(464, 3));  // beyond every range
    EXPECT_EQ(w->log, (std::vector<std::string>{"Action(1,Resizing)", "Action(3,Generating)"}));
    EXPECT_TRUE(B().HasFocus()) << "every press takes the focus";
}

TEST_F(StepBarTest, DrawsChevronsWithTheSelectedStepFlat) {
    B().SetValue(1);
    const platform::Picture& p = B().Render();
    SavePng(p, "breadcrumbs");
    // The outline runs along the top row; the window shows at the rounded outer corners and
    // in the two pixels past the last step (it ends at 462).
    EXPECT_EQ(PixelAt(p, 60, 0), Hex(0x202224));
    EXPECT_EQ(PixelAt(p, 0, 0), Hex(0x333538));
    EXPECT_EQ(PixelAt(p, 463, 14), Hex(0x333538));
    EXPECT_EQ(PixelAt(p, 464, 14), Hex(0x333538));
    // Unselected steps: a vertical gradient from 0x474F59 at the top of the inner area to
    // 0x313338 at its bottom (rows 1 to 27); the rim over the first row lightens it a bit.
    const platform::Color top = PixelAt(p, 400, 2);
    const platform::Color bottom = PixelAt(p, 400, 26);
    EXPECT_GT(top.b, bottom.b);
    EXPECT_NEAR(bottom.r, 0x31, 2);
    // The selected step 1 (drawn at 112, inner area from 113): its fill is flat 0x313236
    // along the middle row, where the shade is clear.
    EXPECT_EQ(PixelAt(p, 150, 14), Hex(0x313236));
    EXPECT_EQ(PixelAt(p, 200, 14), Hex(0x313236));
    // The shade darkens it toward its corners.
    EXPECT_LT(PixelAt(p, 140, 3).r, 0x31);
    // In the middle of the chevron's notch of step 2 (drawn at 225) the point of step 1 shows.
    EXPECT_NE(PixelAt(p, 229, 14), Hex(0x333538));
}

TEST_F(StepBarTest, OneStepIsRoundedAtBothEndsAndFillsTheWidth) {
    B().Tabs = {"Only"};
    B().SetValue(0);
    const platform::Picture& p = B().Render();
    SavePng(p, "breadcrumbs_single");
    EXPECT_EQ(B().Widths(), (std::vector<std::int32_t>{465}));
    EXPECT_EQ(PixelAt(p, 464, 0), Hex(0x333538));
    EXPECT_EQ(PixelAt(p, 464, 14), Hex(0x202224));
    EXPECT_EQ(PixelAt(p, 100, 14), Hex(0x313236));
}

}  // namespace
