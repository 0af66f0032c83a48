#include "kit/toggles/ui_label.h"

#include "paint_probe.h"
#include "platform/graphics.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <string>
#include <vector>

using platform::Color;
using toggles_test::Hex;
using toggles_test::PixelAt;
using toggles_test::SavePng;

namespace {

class ProbeLabel : public UI_Label {
public:
    using UI_Label::UI_Label;
    std::vector<std::string>* log = nullptr;
    void Refresh(bool eraseBackground) override {
        if (log)
            log->push_back(eraseBackground ? "Refresh(erase)" : "Refresh");
        UI_Label::Refresh(eraseBackground);
    }
};

class LabelWindow : public platform::Window {
public:
    ProbeLabel* label = nullptr;
    std::vector<std::string> log;
    std::vector<std::int32_t> steps;

protected:
    void Layout() override {
        setGeometry(100, 100, 200, 100);
        SetHasBackColor(true);
        SetBackColor(Hex(0x333538));
        label = &AddControl<ProbeLabel>(
            this,
            [](ProbeLabel& l) {
                l.setGeometry(10, 10, 100, 20);
                l.SetTextColor(Hex(0x000000));  // the layout's black never shows
                l.TextFont = "System";
            },
            [this](ProbeLabel& l) {
                l.log = &log;
                l.ChangeScroll = [this](std::int32_t s) {
                    steps.push_back(s);
                    log.push_back("ChangeScroll(" + std::to_string(s) + ")");
                };
                l.Open = [this] { log.push_back("Open"); };
                l.DoubleClick = [this](int, int) { log.push_back("DoubleClick"); };
            });
    }
};

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new LabelWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    LabelWindow* w = nullptr;
};

TEST_F(LabelTest, OpenMakesTheTextWhiteBeforeTheWindowsHandler) {
    EXPECT_EQ(w->log, (std::vector<std::string>{"Refresh", "Open"}));
    EXPECT_EQ(w->label->TextColor(), Hex(0xFFFFFF));
    EXPECT_EQ(w->label->MyStyle.TextShadowDY, 1);
    EXPECT_EQ(w->label->MyStyle.TextShadowColor, Hex(0x101112));
    EXPECT_EQ(w->label->MyStyle.HasTextShadow, 0);
    EXPECT_FALSE(w->label->EraseBackground);
}

TEST_F(LabelTest, SettersRepaintEveryTimePlainFieldsDoNot) {
    w->log.clear();
    w->label->SetText("Process start");
    w->label->SetText("Process start");
    w->label->SetCaption("XML Processing");
    w->label->SetScrollPosition(0);
    w->label->SetTextColor(Hex(0xFFFFFF));
    EXPECT_EQ(w->log.size(), 5u);
    EXPECT_EQ(w->label->Caption(), "XML Processing");
    EXPECT_EQ(w->label->Text(), "XML Processing");
    w->label->TextAlign = 1;
    w->label->Multiline = true;
    EXPECT_EQ(w->log.size(), 5u);
}

TEST_F(LabelTest, ScrollRangeIsReportedByThePaintWhenTheHeightChanges) {
    // Liberation Sans at 12 pixels: lines 14 high, ascent 11 (pinned here, since the
    // expected steps are worked from them).
    const platform::PicturePtr probe = platform::Picture::New(1, 1);
    ASSERT_EQ(probe->Graphics().TextHeight(), 14);
    ASSERT_EQ(probe->Graphics().TextAscent(), 11);
    w->log.clear();
    w->label->SetText("Picture Processing");
    EXPECT_TRUE(w->steps.empty());  // nothing until painted
    w->label->Render();
    // One line: (14 + 11 − 20) / 5 = 1
    EXPECT_EQ(w->steps, (std::vector<std::int32_t>{1}));
    w->label->SetText("Picture Processing");
    w->label->Render();
    EXPECT_EQ(w->steps.size(), 1u);  // same height: nothing
    w->label->SetText("one\ntwo\nthree\nfour");
    w->label->Render();
    w->label->Render();
    // Four lines: (56 + 11 − 20) / 5 = 9.4 → 9, once.
    EXPECT_EQ(w->steps, (std::vector<std::int32_t>{1, 9}));
    w->label->SetText("");
    w->label->Render();
    // An empty text measures one line, as high as the first text.
    EXPECT_EQ(w->steps, (std::vector<std::int32_t>{1, 9, 1}));
}

TEST_F(LabelTest, WindowConnectsTheScrollBarThroughScrollPosition) {
    w->label->VerticalAlign = 0;
    w->label->SetText("one\ntwo\nthree\nfour");
    w->label->ChangeScroll = [this](std::int32_t steps) {
        w->label->SetScrollPosition(steps);  // as a scroll bar at its end would
    };
    // The handler runs inside the paint, before the text is placed: this very paint shows
    // the text moved.
    const platform::Picture& scrolled = w->label->Render();
    SavePng(scrolled, "ui_label_scrolled");
    // 9 steps move the text up 45 pixels: line 4's baseline 11 + 42 − 45 = 8 lies in the
    // label, the first lines above it.
    const QRect text =
        toggles_test::BoundsOf(scrolled, QRect(0, 0, 100, 20), [](Color c) { return c.r > 0x90; });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LE(text.bottom(), 8 + 3);
}

TEST_F(LabelTest, PaintsTheTextOverTheWindowColour) {
    w->label->SetText("Status");
    const platform::Picture& picture = w->label->Render();
    SavePng(picture, "ui_label_status");
    EXPECT_EQ(PixelAt(picture, 99, 0), Hex(0x333538));
    // Middle: baseline 11 + (20 − 14) \ 2 = 14.
    const QRect text =
        toggles_test::BoundsOf(picture, QRect(0, 0, 100, 20), [](Color c) { return c.r > 0x90; });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LE(text.left(), 2);
    EXPECT_LE(text.bottom(), 14);
    EXPECT_GE(text.top(), 14 - 11);
}

TEST_F(LabelTest, DoubleClickNeverReachesTheWindow) {
    w->log.clear();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5),
                    w->label->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w->label, &dbl);
    EXPECT_TRUE(w->log.empty());
}

TEST_F(LabelTest, ZeroSizeLabelPaintsNothingAndReportsNothing) {
    w->label->setGeometry(10, 10, 0, 20);
    w->label->SetText("Status");
    EXPECT_NO_THROW(w->label->Render());
    EXPECT_TRUE(w->steps.empty());
}

}  // namespace
