#include "kit/toggles/ui_checkbox.h"

#include "kit/base/ui_module.h"
#include "paint_probe.h"
#include "platform/graphics.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <string>
#include <vector>

using platform::Color;
using toggles_test::Hex;
using toggles_test::PixelAt;
using toggles_test::SavePng;

namespace {

// A check box that records its repaint requests into the log the window's handlers share,
// and lets the tests call its handlers directly.
class ProbeCheckbox : public UI_Checkbox {
public:
    using UI_Checkbox::Event_KeyDown;
    using UI_Checkbox::Event_MouseDown;
    using UI_Checkbox::Event_MouseUp;
    using UI_Checkbox::UI_Checkbox;

    std::vector<std::string>* log = nullptr;
    void Refresh(bool eraseBackground) override {
        if (log)
            log->push_back(eraseBackground ? "Refresh(erase)" : "Refresh");
        UI_Checkbox::Refresh(eraseBackground);
    }
};

class CheckboxWindow : public platform::Window {
public:
    ProbeCheckbox* box = nullptr;
    ProbeCheckbox* other = nullptr;
    platform::Canvas* panel = nullptr;
    ProbeCheckbox* inPanel = nullptr;
    std::vector<std::string> log;
    bool tickOnOpen = false;

protected:
    void Layout() override {
        setGeometry(100, 100, 260, 120);
        SetHasBackColor(true);
        SetBackColor(Hex(0x333538));
        box = &AddControl<ProbeCheckbox>(
            this,
            [](ProbeCheckbox& c) {
                c.setGeometry(10, 10, 150, 20);
                c.Caption = "Keep Skin in scale";
                c.SetTextFont("System");
                c.SetValue(false);  // the stored value: unchanged, so nothing happens
                c.Backdrop = platform::Picture::New(4, 4);
            },
            [this](ProbeCheckbox& c) { Attach(c, "box"); });
        other = &AddControl<ProbeCheckbox>(
            this, [](ProbeCheckbox& c) { c.setGeometry(10, 40, 150, 20); },
            [this](ProbeCheckbox& c) { Attach(c, "other"); });
        panel = &AddControl<platform::Canvas>(
            this, [](platform::Canvas& c) { c.setGeometry(170, 10, 80, 60); });
        inPanel = &AddControl<ProbeCheckbox>(
            panel, [](ProbeCheckbox& c) { c.setGeometry(5, 5, 70, 20); },
            [this](ProbeCheckbox& c) { Attach(c, "inPanel"); });
    }

private:
    void Attach(ProbeCheckbox& c, const std::string& name) {
        c.log = &log;
        c.Action = [this, &c, name] {
            log.push_back(name + ".Action(" + std::to_string(c.State()) + ")");
        };
        c.MouseEnter = [this, name] { log.push_back(name + ".MouseEnter"); };
        c.MouseExit = [this, name] { log.push_back(name + ".MouseExit"); };
        c.MouseDrag = [this, name](int, int) { log.push_back(name + ".MouseDrag"); };
        c.Open = [this, &c, name] {
            log.push_back(name + ".Open");
            if (tickOnOpen && name == "box")
                c.SetValue(true);
        };
    }
};

class CheckboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new CheckboxWindow;
        w->Build();
        w->log.clear();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    CheckboxWindow* w = nullptr;
};

TEST_F(CheckboxTest, OpenWritesTheBuiltInLook) {
    const UI_Checkbox::Style& s = w->box->MyStyle;
    EXPECT_EQ(s.BoxSize, 17);
    EXPECT_EQ(s.CornerRadius, 5);
    EXPECT_EQ(s.BorderColor, Hex(0x202224));
    EXPECT_EQ(s.FillColor1, Hex(0x313236));
    EXPECT_EQ(s.MarkFillKind, 4);
    EXPECT_EQ(s.MarkFillTexture, UI_Module::TextureIndex("checkbox-tick"));
    EXPECT_GT(s.MarkFillTexture, 0);
    EXPECT_EQ(s.TextColor, Hex(0xFFFFFF));
    EXPECT_EQ(s.TextFont, "System");  // the layout's font stays
    EXPECT_TRUE(w->box->AcceptFocus());
    EXPECT_FALSE(w->box->EraseBackground);
    EXPECT_EQ(w->box->Backdrop, nullptr);  // the design-time backdrop never shows
    // Both boxes registered the tick under one name and point at the same index.
    EXPECT_EQ(w->other->MyStyle.MarkFillTexture, s.MarkFillTexture);
    const auto tick = UI_Module::GetTexture(s.MarkFillTexture);
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick->Width(), 17);
}

TEST(CheckboxOpenTest, ValueAssignedInOpenRaisesActionWhileOpening) {
    auto* w = new CheckboxWindow;
    w->tickOnOpen = true;
    w->Build();
    const std::vector<std::string> opening(w->log.begin(), w->log.begin() + 3);
    EXPECT_EQ(opening, (std::vector<std::string>{"box.Open", "box.Action(1)", "Refresh"}));
    EXPECT_TRUE(w->box->Value());
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct ValueCase {
    const char* name;
    std::int32_t from;
    bool assign;
    std::int32_t to;
    std::vector<std::string> log;
};
const ValueCase kValueCases[] = {
    {"UncheckedTrueChecks", 0, true, 1, {"box.Action(1)", "Refresh"}},
    {"CheckedTrueDoesNothing", 1, true, 1, {}},
    {"UncheckedFalseDoesNothing", 0, false, 0, {}},
    {"CheckedFalseUnchecks", 1, false, 0, {"box.Action(0)", "Refresh"}},
    {"IndeterminateTrueChecks", 2, true, 1, {"box.Action(1)", "Refresh"}},
    {"IndeterminateFalseUnchecks", 2, false, 0, {"box.Action(0)", "Refresh"}},
};

class CheckboxValueTest : public CheckboxTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(CheckboxValueTest, ChangesAndRaisesOnlyWhenTheReadingDiffers) {
    const ValueCase& c = GetParam();
    w->box->SetState(c.from);
    w->log.clear();
    w->box->SetValue(c.assign);
    EXPECT_EQ(w->box->State(), c.to);
    EXPECT_EQ(w->log, c.log);
}

INSTANTIATE_TEST_SUITE_P(Transitions, CheckboxValueTest, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckboxTest, EveryStateAssignmentRaisesAction) {
    w->box->SetState(1);
    w->box->SetState(1);
    w->box->SetState(2);
    EXPECT_EQ(w->log, (std::vector<std::string>{"box.Action(1)", "Refresh", "box.Action(1)",
                                                "Refresh", "box.Action(2)", "Refresh"}));
    EXPECT_TRUE(w->box->Value());  // indeterminate reads true
}

TEST_F(CheckboxTest, ActionRunsInsideTheAssignment) {
    // A handler that unticks the other box from its own Action: the other's Action runs
    // before the first handler returns.
    w->box->Action = [this] {
        w->log.push_back("box.Action");
        if (w->box->Value())
            w->other->SetValue(false);
        w->log.push_back("box.Action end");
    };
    w->other->SetValue(true);
    w->log.clear();
    w->box->SetValue(true);
    EXPECT_EQ(w->log, (std::vector<std::string>{"box.Action", "other.Action(0)", "Refresh",
                                                "box.Action end", "Refresh"}));
}

TEST_F(CheckboxTest, ClickReleasedInsideToggles) {
    EXPECT_TRUE(w->box->Event_MouseDown(5, 5));
    w->box->Event_MouseUp(149, 19);
    EXPECT_EQ(w->box->State(), 1);
    w->box->Event_MouseUp(0, 0);
    EXPECT_EQ(w->box->State(), 0);
    w->box->SetState(2);
    w->box->Event_MouseUp(3, 3);
    EXPECT_EQ(w->box->State(), 0);  // indeterminate reads true, so a click unchecks
}

TEST_F(CheckboxTest, ReleaseOutsideChangesNothing) {
    const std::pair<int, int> outside[] = {{-1, 5}, {150, 5}, {5, -1}, {5, 20}};
    for (const auto& [x, y] : outside) {
        w->box->Event_MouseUp(x, y);
        EXPECT_EQ(w->box->State(), 0) << x << "," << y;
    }
    EXPECT_TRUE(w->log.empty());
}

TEST_F(CheckboxTest, PressTakesTheFocusAndKeepsItWhenReleasedOutside) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    const QPoint inside(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, inside, w->box->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->box, &press);
    const QPoint outside(200, 5);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, w->box->mapToGlobal(outside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w->box, &release);
    EXPECT_TRUE(w->box->HasFocus());
    EXPECT_EQ(w->box->State(), 0);
}

TEST_F(CheckboxTest, SpaceTogglesOtherKeysPassOn) {
    EXPECT_TRUE(w->box->Event_KeyDown(" "));
    EXPECT_TRUE(w->box->Value());
    EXPECT_TRUE(w->box->Event_KeyDown(" "));
    EXPECT_FALSE(w->box->Value());
    EXPECT_FALSE(w->box->Event_KeyDown("a"));
    EXPECT_FALSE(w->box->Event_KeyDown(std::string(1, '\x0D')));
    EXPECT_FALSE(w->box->Event_KeyDown(std::string(1, '\x09')));
    EXPECT_FALSE(w->box->Value());
}

TEST_F(CheckboxTest, PointerEventsTheClassLeavesAloneReachTheWindow) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w->box->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w->box, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w->box, &leave);
    EXPECT_EQ(w->log, (std::vector<std::string>{"box.MouseEnter", "box.MouseExit"}));
}

TEST_F(CheckboxTest, FontSettersRepaintEvenUnchangedCaptionDoesNot) {
    w->box->SetTextFont("System");
    w->box->SetTextSize(0);
    w->box->SetBold(false);
    w->box->SetItalic(false);
    w->box->SetUnderline(false);
    EXPECT_EQ(w->log.size(), 5u);
    w->box->Caption = "Other";
    EXPECT_EQ(w->log.size(), 5u);
    w->box->SetBold(true);
    EXPECT_TRUE(w->box->Bold());
    EXPECT_EQ(w->box->MyStyle.TextBold, 1);
}

// The box's looks on the window colour 0x333538, 20 pixels high: the box at rows 1–17, its
// inside's centre at (8, 9), the tick's opaque pixel (7, 11) at (7, 12).
TEST_F(CheckboxTest, PaintedLooks) {
    const platform::Picture& unticked = w->box->Render();
    SavePng(unticked, "ui_checkbox_unticked");
    EXPECT_EQ(PixelAt(unticked, 8, 0), Hex(0x333538));
    EXPECT_EQ(PixelAt(unticked, 8, 1), Hex(0x202224));
    EXPECT_EQ(PixelAt(unticked, 8, 9), Hex(0x313236));
    EXPECT_NE(PixelAt(unticked, 7, 12), Hex(0xFFFFFF));
    const QImage plain = unticked.Image().copy();

    // Pointer over and pressed show no look of their own.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w->box->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w->box, &enter);
    EXPECT_EQ(w->box->Render().Image(), plain);
    w->box->Event_MouseDown(5, 5);
    EXPECT_EQ(w->box->Render().Image(), plain);

    w->box->SetValue(true);
    const platform::Picture& ticked = w->box->Render();
    SavePng(ticked, "ui_checkbox_ticked");
    EXPECT_EQ(PixelAt(ticked, 7, 12), Hex(0xFFFFFF));
    EXPECT_EQ(PixelAt(ticked, 8, 1), Hex(0x202224));

    w->box->SetEnabled(false);
    const platform::Picture& disabled = w->box->Render();
    SavePng(disabled, "ui_checkbox_disabled");
    EXPECT_EQ(PixelAt(disabled, 7, 9), Hex(0x323232));  // beside the tick's stroke
    EXPECT_EQ(PixelAt(disabled, 7, 12), Hex(0xFFFFFF));
}

TEST_F(CheckboxTest, DisabledParentGreysTheInside) {
    w->panel->SetEnabled(false);
    const platform::Picture& picture = w->inPanel->Render();
    SavePng(picture, "ui_checkbox_parent_disabled");
    EXPECT_EQ(PixelAt(picture, 8, 9), Hex(0x323232));
    w->panel->SetEnabled(true);
    EXPECT_EQ(PixelAt(w->inPanel->Render(), 8, 9), Hex(0x313236));
}

TEST_F(CheckboxTest, CaptionIsWhiteRightOfTheBox) {
    const platform::Picture& picture = w->box->Render();
    SavePng(picture, "ui_checkbox_caption");
    const QRect text =
        toggles_test::BoundsOf(picture, QRect(17, 0, 133, 20), [](Color c) { return c.r > 0x90; });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 22);
    EXPECT_LE(text.left(), 24);
    EXPECT_FALSE(toggles_test::BoundsOf(picture, text, [](Color c) {
                     return toggles_test::Near(c, Hex(0xFFFFFF), 8);
                 }).isEmpty());
}

TEST_F(CheckboxTest, BoxSizeZeroPaintsNothing) {
    const QImage before = w->box->Render().Image().copy();
    w->box->MyStyle.BoxSize = 0;
    w->box->SetValue(true);
    // Not even the background or the caption: the last paint's pixels stay.
    EXPECT_EQ(w->box->Render().Image(), before);
}

TEST_F(CheckboxTest, TinyControlsPaintWithoutFailing) {
    w->box->setGeometry(10, 10, 1, 1);
    w->box->SetValue(true);
    EXPECT_NO_THROW(w->box->Render());
    w->box->MyStyle.BorderWidth = 10;
    w->box->MyStyle.MarkFillKind = 1;
    w->box->MyStyle.MarkSize = 0;
    w->box->setGeometry(10, 10, 150, 20);
    EXPECT_NO_THROW(w->box->Render());
}

}  // namespace
