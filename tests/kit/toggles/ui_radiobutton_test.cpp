#include "kit/toggles/ui_radiobutton.h"

#include "paint_probe.h"
#include "platform/graphics.h"
#include "platform/thread.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <map>
#include <string>
#include <vector>

using toggles_test::Hex;
using toggles_test::PixelAt;
using toggles_test::SavePng;

namespace {

class ProbeRadio : public UI_RadioButton {
public:
    using UI_RadioButton::Event_KeyDown;
    using UI_RadioButton::Event_MouseDown;
    using UI_RadioButton::Event_MouseUp;
    using UI_RadioButton::UI_RadioButton;

    std::string name;
    std::vector<std::string>* log = nullptr;
    void Refresh(bool eraseBackground) override {
        if (log)
            log->push_back(name + ".Refresh" + (eraseBackground ? "(erase)" : ""));
        UI_RadioButton::Refresh(eraseBackground);
    }
};

// Three buttons directly on the window (one group), two on a panel (another group).
class RadioWindow : public platform::Window {
public:
    std::map<std::string, ProbeRadio*> radio;
    platform::Canvas* panel = nullptr;
    std::vector<std::string> log;
    std::string preselect;     // selected by its stored value
    std::string selectOnOpen;  // selected by the window's handler of its Open

protected:
    void Layout() override {
        setGeometry(100, 100, 300, 200);
        SetHasBackColor(true);
        SetBackColor(Hex(0x333538));
        Add(this, "a", 10);
        Add(this, "b", 50);
        panel = &AddControl<platform::Canvas>(
            this, [](platform::Canvas& c) { c.setGeometry(150, 0, 150, 200); });
        Add(panel, "d", 10);
        Add(panel, "e", 50);
        Add(this, "c", 90);
    }

private:
    void Add(QWidget* container, const std::string& name, int top) {
        radio[name] = &AddControl<ProbeRadio>(
            container,
            [this, name, top](ProbeRadio& r) {
                r.setGeometry(10, top, 120, 31);
                r.name = name;
                r.Caption = "Use a color";
                if (name == preselect)
                    r.SetValue(true);
            },
            [this, name](ProbeRadio& r) {
                r.log = &log;
                r.Action = [this, name] { log.push_back(name + ".Action"); };
                r.Open = [this, name, &r] {
                    if (name != selectOnOpen) {
                        log.push_back(name + ".Open");
                        return;
                    }
                    r.SetValue(true);
                    log.push_back(name + ".Open end");
                };
            });
    }
};

class RadioTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new RadioWindow;
        w->Build();
        w->log.clear();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ProbeRadio& R(const std::string& name) { return *w->radio.at(name); }
    std::string Selected() {
        std::string s;
        for (const auto& [name, r] : w->radio)
            s += r->Value() ? name : "";
        return s;
    }
    RadioWindow* w = nullptr;
};

TEST_F(RadioTest, OpenWritesTheBuiltInLook) {
    const UI_RadioButton::Style& s = R("a").MyStyle;
    EXPECT_EQ(s.BoxSize, 19);
    EXPECT_EQ(s.MarkSize, 7);
    EXPECT_EQ(s.MarkFillKind, 1);
    EXPECT_EQ(s.MarkFillColor1, Hex(0xFFFFFF));
    EXPECT_EQ(s.InnerShade, 1);
    EXPECT_TRUE(R("a").AcceptFocus());
}

TEST_F(RadioTest, SelectingClearsTheGroupAndOnlyTheNewOneRaises) {
    R("a").SetValue(true);
    EXPECT_EQ(w->log, (std::vector<std::string>{"a.Refresh", "a.Action"}));
    w->log.clear();
    R("b").SetValue(true);
    // a is cleared and repaints, silently; then b repaints and raises.
    EXPECT_EQ(w->log, (std::vector<std::string>{"a.Refresh", "b.Refresh", "b.Action"}));
    EXPECT_EQ(Selected(), "b");
}

TEST_F(RadioTest, GroupsFollowTheParentControl) {
    R("a").SetValue(true);
    R("d").SetValue(true);
    EXPECT_EQ(Selected(), "ad");
    R("e").SetValue(true);
    EXPECT_EQ(Selected(), "ae");
    R("c").SetValue(true);
    EXPECT_EQ(Selected(), "ce");
}

TEST_F(RadioTest, WindowsNeverAffectEachOther) {
    auto* second = new RadioWindow;
    second->Build();
    R("a").SetValue(true);
    second->radio.at("b")->SetValue(true);
    EXPECT_TRUE(R("a").Value());
    second->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct RadioValueCase {
    const char* name;
    bool from;
    bool assign;
    std::vector<std::string> log;
};
const RadioValueCase kRadioValueCases[] = {
    {"UnselectedTrueSelects", false, true, {"a.Refresh", "a.Action"}},
    {"SelectedTrueDoesNothing", true, true, {}},
    {"SelectedFalseClearsSilently", true, false, {"a.Refresh"}},
    {"UnselectedFalseDoesNothing", false, false, {}},
};

class RadioValueTest : public RadioTest, public ::testing::WithParamInterface<RadioValueCase> {};

TEST_P(RadioValueTest, RaisesOnlyOnBecomingSelected) {
    R("a").SetValue(GetParam().from);
    w->log.clear();
    R("a").SetValue(GetParam().assign);
    EXPECT_EQ(R("a").Value(), GetParam().assign);
    EXPECT_EQ(w->log, GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(Transitions, RadioValueTest, ::testing::ValuesIn(kRadioValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RadioTest, ClickAndSpaceSelectButNeverClear) {
    EXPECT_TRUE(R("a").Event_MouseDown(3, 3));
    R("a").Event_MouseUp(3, 3);
    EXPECT_EQ(w->log, (std::vector<std::string>{"a.Refresh", "a.Action"}));
    w->log.clear();
    R("a").Event_MouseUp(3, 3);              // on a selected button: nothing
    EXPECT_TRUE(R("a").Event_KeyDown(" "));  // still handled
    EXPECT_FALSE(R("a").Event_KeyDown("x"));
    EXPECT_TRUE(w->log.empty());
    EXPECT_TRUE(R("b").Event_KeyDown(" "));
    EXPECT_EQ(Selected(), "b");
}

TEST_F(RadioTest, ReleaseOutsideDoesNothing) {
    const std::pair<int, int> outside[] = {{-1, 5}, {120, 5}, {5, -1}, {5, 31}};
    for (const auto& [x, y] : outside)
        R("a").Event_MouseUp(x, y);
    EXPECT_FALSE(R("a").Value());
    EXPECT_TRUE(w->log.empty());
}

TEST_F(RadioTest, UnselectAllRadioCalledDirectlyClearsItselfToo) {
    R("a").SetValue(true);
    w->log.clear();
    R("a").UnselectAllRadio();
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(w->log, (std::vector<std::string>{"a.Refresh"}));
}

TEST_F(RadioTest, TheWalkOverTheWindowYieldsOncePerControl) {
    int yields = 0;
    const auto previous = platform::SetYieldHook([&] { ++yields; });
    R("a").SetValue(true);
    platform::SetYieldHook(previous);
    // Five buttons and the panel: six controls, one yield each.
    EXPECT_EQ(yields, 6);
}

TEST(RadioOpenTest, SelectingInOpenClearsTheGroupWhileTheWindowOpens) {
    // The browser options dialog sets Value in the buttons' Open handlers.
    auto* w = new RadioWindow;
    w->preselect = "a";
    w->selectOnOpen = "b";
    w->Build();
    EXPECT_EQ(w->log, (std::vector<std::string>{"a.Open", "a.Refresh", "b.Refresh", "b.Action",
                                                "b.Open end", "d.Open", "e.Open", "c.Open"}));
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// 31 pixels high on 0x333538: the circle at rows 6–24, the inside's centre at (9, 15), the
// dot (7 × 7) at (6, 12).
TEST_F(RadioTest, PaintedLooks) {
    const platform::Picture& off = R("a").Render();
    SavePng(off, "ui_radio_unselected");
    EXPECT_EQ(PixelAt(off, 9, 5), Hex(0x333538));
    // The circle's rim rows are anti-aliased: border and shadow colour within a few levels.
    EXPECT_TRUE(toggles_test::Near(PixelAt(off, 9, 6), Hex(0x202224), 6));
    EXPECT_EQ(PixelAt(off, 9, 15), Hex(0x313236));
    EXPECT_TRUE(toggles_test::Near(PixelAt(off, 9, 25), Hex(0x4D4E52), 6));

    // Pressed, the button shows no look of its own.
    const QImage plain = off.Image().copy();
    R("a").Event_MouseDown(3, 3);
    EXPECT_EQ(R("a").Render().Image(), plain);

    R("a").SetValue(true);
    const platform::Picture& on = R("a").Render();
    SavePng(on, "ui_radio_selected");
    EXPECT_EQ(PixelAt(on, 9, 15), Hex(0xFFFFFF));

    w->panel->SetEnabled(false);
    R("d").SetValue(true);
    const platform::Picture& greyed = R("e").Render();
    SavePng(greyed, "ui_radio_parent_disabled");
    EXPECT_EQ(PixelAt(greyed, 9, 15), Hex(0x323232));
    EXPECT_EQ(PixelAt(R("d").Render(), 9, 15), Hex(0xFFFFFF));  // the dot keeps its colour
}

}  // namespace
