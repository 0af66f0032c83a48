#include "platform/widgets/pagepanel.h"

#include "platform/widgets/window.h"
#include "probe.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <string>
#include <vector>

using namespace platform;
using probe::ProbeControl;

namespace {

/// A panel of three pages as a layout builds it, a control on page 0 and one on page 1, and
/// the window's Change handler counting the changes.
class PagesWindow : public Window {
public:
    PagePanel* panel = nullptr;
    ProbeControl* onFirst = nullptr;
    ProbeControl* onSecond = nullptr;
    int changes = 0;
    std::vector<int> valuesSeen;

protected:
    void Layout() override {
        setGeometry(30, 30, 300, 200);
        panel = &AddControl<PagePanel>(
            this,
            [](PagePanel& p) {
                p.SetName("PagePanel1");
                p.setGeometry(16, 40, 260, 150);
                p.SetPanelCount(3);
                p.SetValue(0);  // stored values: no change, and no handler yet anyway
            },
            [this](PagePanel& p) {
                p.Change = [this, &p] {
                    ++changes;
                    valuesSeen.push_back(p.Value());
                };
            });
        onFirst = &AddControl<ProbeControl>(panel->Page(0), [](ProbeControl& c) {
            c.SetName("onFirst");
            c.SetLeft(26);
            c.SetTop(59);
        });
        onSecond = &AddControl<ProbeControl>(panel->Page(1), [](ProbeControl& c) {
            c.SetName("onSecond");
            c.SetLeft(23);
            c.SetTop(73);
        });
    }
};

class PagePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new PagesWindow;
        w->Build();
        w->show();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    PagesWindow* w = nullptr;
};

struct ChangeCase {
    const char* name;
    std::vector<int> assigned;
    std::vector<int> changesSeen;  // the value at each Change, in order
    int finalValue;
};

// clang-format off
const ChangeCase kChangeCases[] = {
    {"SameValueRaisesNothing",        {0, 0},        {},        0},
    {"EachRealChangeRaisesOnce",      {1, 2, 0},     {1, 2, 0}, 0},
    {"RepeatAfterChangeRaisesOnce",   {2, 2, 2},     {2},       2},
    {"OutOfRangeIsIgnored",           {3, -1, 1},    {1},       1},
};
// clang-format on

class PagePanelChangeTest : public PagePanelTest,
                            public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(PagePanelChangeTest, ChangeOnlyOnARealChange) {
    const ChangeCase& c = GetParam();
    for (int value : c.assigned)
        w->panel->SetValue(value);
    EXPECT_EQ(w->valuesSeen, c.changesSeen);
    EXPECT_EQ(w->panel->Value(), c.finalValue);
}

INSTANTIATE_TEST_SUITE_P(Values, PagePanelChangeTest, ::testing::ValuesIn(kChangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_F(PagePanelTest, BuildingRaisesNoChangeAndShowsTheFirstPageOnly) {
    EXPECT_EQ(w->changes, 0);
    EXPECT_EQ(w->panel->PanelCount(), 3);
    EXPECT_TRUE(w->onFirst->isVisible());
    EXPECT_FALSE(w->onSecond->isVisible());
    // Hidden by its page, not by itself.
    EXPECT_TRUE(w->onSecond->Visible());
}

TEST_F(PagePanelTest, ControlsOnPagesKeepWindowCoordinates) {
    // Window coordinates, as stored, although the page lies inside the panel at (16, 40).
    EXPECT_EQ(w->onSecond->Left(), 23);
    EXPECT_EQ(w->onSecond->Top(), 73);
    EXPECT_EQ(w->onSecond->x(), 23 - 16);
    EXPECT_EQ(w->onSecond->y(), 73 - 40);
}

TEST_F(PagePanelTest, PageSwitchesNeverTouchAControlsOwnVisibleFlag) {
    w->panel->SetValue(1);
    EXPECT_FALSE(w->onFirst->isVisible());
    EXPECT_TRUE(w->onFirst->Visible());
    EXPECT_TRUE(w->onSecond->isVisible());

    // The window hides a control while its page is not shown: it stays hidden when the page
    // comes back, and shows again once the window shows it.
    w->panel->SetValue(2);
    w->onSecond->SetVisible(false);
    w->panel->SetValue(1);
    EXPECT_FALSE(w->onSecond->Visible());
    EXPECT_FALSE(w->onSecond->isVisible());
    w->onSecond->SetVisible(true);
    EXPECT_TRUE(w->onSecond->isVisible());

    // Shown by the window while its page is hidden: it appears only with its page.
    w->onFirst->SetVisible(false);
    w->onFirst->SetVisible(true);
    EXPECT_FALSE(w->onFirst->isVisible());
    w->panel->SetValue(0);
    EXPECT_TRUE(w->onFirst->isVisible());
}

TEST_F(PagePanelTest, FewerPagesMoveTheCurrentPageToTheLastOne) {
    w->panel->SetValue(2);
    w->valuesSeen.clear();
    w->panel->SetPanelCount(2);
    EXPECT_EQ(w->panel->Value(), 1);
    EXPECT_EQ(w->valuesSeen, (std::vector<int>{1}));
    EXPECT_EQ(w->panel->Page(2), nullptr);
    EXPECT_TRUE(w->onSecond->isVisible());
}
