#include "kit/buttons/ui_button.h"

#include "buttons_test_util.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/ui_menubutton.h"
#include "kit/buttons/ui_popupmenu.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <vector>

namespace {

using namespace buttonstest;

/// Counts the repaints the control asks for.
template <typename Base>
class Counting : public Base {
public:
    using Base::Base;
    int refreshes = 0;
    void Refresh(bool erase) override {
        ++refreshes;
        Base::Refresh(erase);
    }
};

using CountingButton = Counting<UI_Button>;
using CountingMenuButton = Counting<UI_MenuButton>;

template <typename T>
class ButtonFixture : public ::testing::Test {
protected:
    void SetUp() override {
        UI_Module::ResetDefaults();
        w = new ProbeWindow;
        w->layout = [this](ProbeWindow& win) {
            win.SetWidth(300);
            win.SetHeight(200);
            container = &win.Add<Counting<UI_Button>>([](auto& c) {
                c.SetName("Container");
                c.SetLeft(150);
                c.SetTop(100);
                c.SetWidth(120);
                c.SetHeight(60);
            });
            button = &win.Add<T>([](T& b) {
                b.SetName("Do_Button");
                b.SetLeft(10);
                b.SetTop(10);
                b.SetWidth(100);
                b.SetHeight(25);
                b.SetCaption("Do the Job");
                b.CaptionAlign = 0;
            });
            button->Open = [this] {
                log.push_back("Open:" + std::to_string(button->MyStyle.WidthMode));
            };
            button->Action = [this] {
                log.push_back("Action:" + std::string(button->IsMouseDown() ? "down" : "up") +
                              (button->IsMouseOver() ? ",over" : ""));
            };
            button->MouseExit = [this] { log.push_back("MouseExit"); };
        };
        w->Build();
    }
    void TearDown() override {
        w->Close();
        FlushDeletes();
        UI_Module::ResetDefaults();
    }

    ProbeWindow* w = nullptr;
    T* button = nullptr;
    Counting<UI_Button>* container = nullptr;
    std::vector<std::string> log;
};

using PushButtonTest = ButtonFixture<CountingButton>;
using MenuButtonTest = ButtonFixture<CountingMenuButton>;

TEST_F(PushButtonTest, OpenStepCentresTheCaptionTakesTheFocusAndFillsTheBuiltInStyle) {
    EXPECT_EQ(button->CaptionAlign, 3);
    EXPECT_TRUE(button->AcceptFocus());
    EXPECT_FALSE(button->UseFocusRing);
    EXPECT_EQ(button->MyStyle, UI_ButtonStyle::BuiltIn());
    EXPECT_EQ(button->RealWidth(), 0);
    // The window's Open handler runs after the style is filled.
    EXPECT_EQ(log, (std::vector<std::string>{"Open:1"}));
}

TEST_F(PushButtonTest, ReleaseInsideIsStrictOnEveryEdge) {
    struct Case {
        const char* name;
        int x, y;
        bool action;
    };
    // clang-format off
    const Case cases[] = {
        {"LeftColumnIsOutside",    0, 10, false},
        {"TopRowIsOutside",       50,  0, false},
        {"BottomRightIsInside",   99, 24, true},
        {"RightOfTheControl",    100, 10, false},
        {"BelowTheControl",       50, 25, false},
        {"Middle",                50, 12, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        log.clear();
        Press(button, {50, 12});
        EXPECT_TRUE(button->IsMouseDown()) << c.name;
        Release(button, {c.x, c.y});
        EXPECT_FALSE(button->IsMouseDown()) << c.name;
        EXPECT_EQ(button->IsMouseOver(), c.action) << c.name;
        EXPECT_EQ(log,
                  c.action ? std::vector<std::string>{"Action:up"} : std::vector<std::string>{})
            << c.name;
    }
}

TEST_F(PushButtonTest, ActionRunsBeforeThePointerOverStateAndTheRepaint) {
    int refreshesAtAction = -1;
    button->Action = [&] {
        refreshesAtAction = button->refreshes;
        log.push_back(button->IsMouseOver() ? "over" : "not over");
    };
    Press(button, {50, 12});
    const int afterPress = button->refreshes;
    EXPECT_EQ(afterPress, 1);
    Release(button, {50, 12});
    EXPECT_EQ(log, (std::vector<std::string>{"Open:1", "not over"}));
    EXPECT_EQ(refreshesAtAction, afterPress);
    EXPECT_EQ(button->refreshes, afterPress + 1);
    EXPECT_TRUE(button->IsMouseOver());
}

TEST_F(PushButtonTest, PressTakesTheFocusBeforeTheAction) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    container->SetFocus();
    Press(button, {50, 12});
    EXPECT_EQ(w->Focus(), button);
    Release(button, {50, 12});
    EXPECT_EQ(log.back(), "Action:up");
}

TEST_F(PushButtonTest, PressOnADisabledButtonIsRefused) {
    for (const bool parentOnly : {false, true}) {
        log.clear();
        auto* b = button;
        if (parentOnly) {
            // A button inside a disabled container counts as disabled.
            b = new CountingButton(container);
            b->SetWidth(50);
            b->SetHeight(20);
            container->SetEnabled(false);
        } else {
            b->SetEnabled(false);
        }
        const int before = b->refreshes;
        Press(b, {10, 10});
        Release(b, {10, 10});
        EXPECT_FALSE(b->IsMouseDown()) << parentOnly;
        EXPECT_EQ(b->refreshes, before) << parentOnly;
        EXPECT_TRUE(log.empty()) << parentOnly;
        EXPECT_NE(w->Focus(), b) << parentOnly;
    }
}

TEST_F(PushButtonTest, PointerOverComparesWithTheDrawnWidthOnly) {
    // Before the first paint only x <= 0 counts as over.
    Move(button, {0, 12});
    EXPECT_TRUE(button->IsMouseOver());
    Move(button, {1, 12});
    EXPECT_FALSE(button->IsMouseOver());

    button->Render();  // width mode 1: the box is caption + 30 wide, narrower than 100
    const int real = button->RealWidth();
    ASSERT_GT(real, 30);
    ASSERT_LT(real, 100);
    const int before = button->refreshes;
    Move(button, {real, 200});  // the height is not tested
    EXPECT_TRUE(button->IsMouseOver());
    Move(button, {real - 1, 3});  // no change: no repaint
    EXPECT_EQ(button->refreshes, before + 1);
    Move(button, {real + 1, 3});
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(button->refreshes, before + 2);

    button->SetEnabled(false);
    Move(button, {0, 3});
    EXPECT_FALSE(button->IsMouseOver());
}

TEST_F(PushButtonTest, SpaceReturnAndEnterPushOnceAndAreNeverReportedHandled) {
    platform::ScopedManualTimers timers;
    int yields = 0;
    auto previous = platform::SetYieldHook([&] {
        ++yields;
        timers->Advance(17);  // about one tick per pass
    });
    bool windowGotKey = false;
    w->KeyDown = [&](const std::string&) {
        windowGotKey = true;
        return true;
    };
    struct Case {
        const char* name;
        int qtKey;
        QString text;
    };
    const Case cases[] = {{"Space", Qt::Key_Space, " "},
                          {"Return", Qt::Key_Return, "\r"},
                          {"Enter", Qt::Key_Enter, "\r"}};
    for (const Case& c : cases) {
        log.clear();
        yields = 0;
        const std::int64_t start = platform::Ticks();
        Key(button, c.qtKey, c.text);
        EXPECT_EQ(log, (std::vector<std::string>{"Action:down"})) << c.name;
        EXPECT_FALSE(button->IsMouseDown()) << c.name;
        // Held for at least 12 ticks counted from before the Action.
        EXPECT_GE(platform::Ticks() - start, 12) << c.name;
        EXPECT_LE(platform::Ticks() - start, 13) << c.name;
        EXPECT_GT(yields, 0) << c.name;
        // Not reported as handled: the key goes on to the window.
        EXPECT_TRUE(windowGotKey) << c.name;
        windowGotKey = false;
    }
    log.clear();
    Key(button, Qt::Key_A, "a");
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(windowGotKey);
    platform::SetYieldHook(previous);
}

TEST_F(PushButtonTest, PushAfterALongActionReleasesAtOnce) {
    platform::ScopedManualTimers timers;
    int yields = 0;
    auto previous = platform::SetYieldHook([&] {
        ++yields;
        timers->Advance(17);
    });
    button->Action = [&] { timers->Advance(1000); };
    button->Push();
    EXPECT_EQ(yields, 0);
    EXPECT_FALSE(button->IsMouseDown());
    // Without a handler the button still shows the pressed look and releases.
    button->Action.Clear();
    button->Push();
    EXPECT_GE(yields, 1);
    EXPECT_FALSE(button->IsMouseDown());
    platform::SetYieldHook(previous);
}

TEST_F(PushButtonTest, LeavingRaisesMouseExitAndRepaintsUnlessTheButtonHoldsTheFocus) {
    Move(button, {0, 1});
    ASSERT_TRUE(button->IsMouseOver());
    int before = button->refreshes;
    Leave(button);
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(log.back(), "MouseExit");
    EXPECT_EQ(button->refreshes, before + 1);

    button->SetFocus();  // the window's focus control, even while the window is inactive
    ASSERT_EQ(w->Focus(), button);
    before = button->refreshes;
    Leave(button);
    EXPECT_EQ(log.back(), "MouseExit");
    EXPECT_EQ(button->refreshes, before);
}

TEST_F(PushButtonTest, FocusRepaints) {
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    container->SetFocus();
    int before = button->refreshes;
    button->SetFocus();
    EXPECT_EQ(button->refreshes, before + 1);
    // Losing the focus while the pointer is over the button does not repaint.
    Move(button, {0, 1});
    before = button->refreshes;
    container->SetFocus();
    EXPECT_EQ(button->refreshes, before);
}

TEST_F(PushButtonTest, CaptionSetterDoesNotRepaint) {
    const int before = button->refreshes;
    button->SetCaption("Preview");
    EXPECT_EQ(button->Caption(), "Preview");
    EXPECT_EQ(button->Text, "Preview");
    EXPECT_EQ(button->refreshes, before);
}

TEST_F(MenuButtonTest, BehavesAsThePushButtonExceptForTheFocus) {
    EXPECT_EQ(button->CaptionAlign, 3);
    EXPECT_EQ(button->MyStyle, UI_ButtonStyle::BuiltIn());
    Press(button, {0, 12});
    Release(button, {0, 12});
    EXPECT_EQ(log, (std::vector<std::string>{"Open:1"}));
    Press(button, {5, 5});
    Release(button, {5, 5});
    EXPECT_EQ(log.back(), "Action:up");

    // Gaining the focus with the pointer over it repaints nothing; without the pointer it does.
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    container->SetFocus();
    Move(button, {0, 1});
    ASSERT_TRUE(button->IsMouseOver());
    int before = button->refreshes;
    button->SetFocus();
    EXPECT_EQ(button->refreshes, before);
    // Its look ignores the focus, so leaving repaints also while it holds the focus.
    before = button->refreshes;
    Leave(button);
    EXPECT_EQ(button->refreshes, before + 1);
    container->SetFocus();
    Move(button, {button->RealWidth() + 1, 1});  // right of the drawn box: not over
    ASSERT_FALSE(button->IsMouseOver());
    before = button->refreshes;
    button->SetFocus();
    EXPECT_EQ(button->refreshes, before + 1);
}

TEST_F(MenuButtonTest, KeysPushAndTheIconSetterDoesNotRepaint) {
    platform::ScopedManualTimers timers;
    auto previous = platform::SetYieldHook([&] { timers->Advance(17); });
    Key(button, Qt::Key_Space, " ");
    EXPECT_EQ(log.back(), "Action:down");
    platform::SetYieldHook(previous);
    const int before = button->refreshes;
    button->Icon = platform::Picture::New(20, 20);
    EXPECT_EQ(button->refreshes, before);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { UI_Module::ResetDefaults(); }
    void TearDown() override {
        if (w) {
            w->Close();
            FlushDeletes();
        }
        UI_Module::ResetDefaults();
    }
    template <typename T>
    T& Open(const std::function<void(T&)>& stored = {}) {
        w = new ProbeWindow;
        T* made = nullptr;
        w->layout = [&](ProbeWindow& win) { made = &win.Add<T>(stored); };
        w->Build();
        return *made;
    }
    ProbeWindow* w = nullptr;
};

UI_ButtonStyle CustomButtonStyle() {
    UI_ButtonStyle s = UI_ButtonStyle::BuiltIn();
    s.CornerRadius = 2;
    s.FillKind = 1;
    s.FillColor1 = platform::RGB(0x11, 0x22, 0x33);
    s.WidthMode = 0;
    s.TextFont = "Liberation Serif";
    return s;
}

TEST_F(RegistryTest, TheThreeKitClassesOpenWithoutTheMisuseMessage) {
    platform::ScopedScriptedDialogs dialogs;
    w = new ProbeWindow;
    int opened = 0;
    w->layout = [&](ProbeWindow& win) {
        win.Add<UI_Button>().Open = [&] { ++opened; };
        win.Add<UI_MenuButton>().Open = [&] { ++opened; };
        win.Add<UI_PopupMenu>().Open = [&] { ++opened; };
    };
    w->Build();
    EXPECT_EQ(opened, 3);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(RegistryTest, ARegistryWithoutTheKeyGivesTheBuiltInStyle) {
    UI_Module::Styles.emplace();
    (*UI_Module::Styles)["UI_Checkbox"] = std::string(20, '\x07');
    EXPECT_EQ(Open<UI_Button>().MyStyle, UI_ButtonStyle::BuiltIn());
}

TEST_F(RegistryTest, TheButtonKeyStylesPushButtonsAndMenuButtonsAlike) {
    UI_Module::Styles.emplace();
    (*UI_Module::Styles)["UI_Button"] = CustomButtonStyle().StringValue(false);
    EXPECT_EQ(Open<UI_Button>().MyStyle, CustomButtonStyle());
    w->Close();
    FlushDeletes();
    EXPECT_EQ(Open<UI_MenuButton>().MyStyle, CustomButtonStyle());
}

TEST_F(RegistryTest, PopupConvertsAStoredStyleFromItsLayoutVersion) {
    const UI_PopupMenuStyle current = UI_PopupMenuStyle::BuiltIn(9);
    const std::string now = current.StringValue(false);
    // The same record in the "1.0.1" layout: pressed caption (49–82) before pressed fill.
    const std::string old =
        now.substr(0, 49) + now.substr(59, 34) + now.substr(49, 10) + now.substr(93);
    UI_Module::Styles.emplace();
    (*UI_Module::Styles)["UI_PopupMenu"] = old;
    UI_Module::StylesVersion.emplace();
    (*UI_Module::StylesVersion)["UI_PopupMenu"] = "1.0.1";
    const UI_PopupMenu& popup = Open<UI_PopupMenu>();
    EXPECT_EQ(popup.MyStyle, current);
    // The stored style is taken whole: the arrows picture is not registered.
    EXPECT_EQ(UI_Module::TextureIndex("Arrows"), 0);
}

TEST_F(RegistryTest, PopupWithoutAVersionRegistryReadsLayoutOneDotZero) {
    const std::string now = UI_PopupMenuStyle::BuiltIn(3).StringValue(false);
    // "1.0" holds the radius at byte 21 and the header one byte earlier.
    const std::string v101 =
        now.substr(0, 49) + now.substr(59, 34) + now.substr(49, 10) + now.substr(93);
    const std::string v10 = v101.substr(1, 21) + v101.substr(0, 1) + v101.substr(22);
    UI_Module::Styles.emplace();
    (*UI_Module::Styles)["UI_PopupMenu"] = v10;
    EXPECT_EQ(Open<UI_PopupMenu>().MyStyle, UI_PopupMenuStyle::BuiltIn(3));
}

TEST_F(RegistryTest, NamedStyleSelection) {
    UI_Module::Styles.emplace();
    (*UI_Module::Styles)["Dark"] = CustomButtonStyle().StringValue(false);
    auto& button = Open<Counting<UI_Button>>();
    const int before = button.refreshes;

    button.SetSpecialStyle("");
    EXPECT_EQ(button.SpecialStyle(), "");
    EXPECT_EQ(button.MyStyle, UI_ButtonStyle::BuiltIn());

    button.SetSpecialStyle("Missing");
    EXPECT_EQ(button.SpecialStyle(), "Missing");
    EXPECT_EQ(button.MyStyle, UI_ButtonStyle::BuiltIn());

    button.SetSpecialStyle("Dark");
    EXPECT_EQ(button.SpecialStyle(), "Dark");
    EXPECT_EQ(button.MyStyle, CustomButtonStyle());
    EXPECT_EQ(button.refreshes, before);  // shown at the next paint, not asked for

    // The menu button stores the name and keeps its style.
    UI_MenuButton menu;
    menu.MyStyle = UI_ButtonStyle::BuiltIn();
    menu.SetSpecialStyle("Dark");
    EXPECT_EQ(menu.SpecialStyle(), "Dark");
    EXPECT_EQ(menu.MyStyle, UI_ButtonStyle::BuiltIn());

    // The pop-up menu takes the stored string unchanged, without version conversion.
    const std::string popupString = UI_PopupMenuStyle::BuiltIn(4).StringValue(false);
    (*UI_Module::Styles)["Popup"] = popupString;
    UI_PopupMenu popup;
    popup.SetSpecialStyle("Popup");
    EXPECT_EQ(popup.MyStyle.StringValue(false), popupString);
}

TEST_F(RegistryTest, NamedStyleWithoutARegistryStoresTheNameOnly) {
    auto& button = Open<UI_Button>();
    button.SetSpecialStyle("Dark");
    EXPECT_EQ(button.SpecialStyle(), "Dark");
    EXPECT_EQ(button.MyStyle, UI_ButtonStyle::BuiltIn());
}

}  // namespace
