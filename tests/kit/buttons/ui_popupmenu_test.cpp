#include "kit/buttons/ui_popupmenu.h"

#include "buttons_test_util.h"
#include "kit/base/ui_module.h"
#include "platform/clock.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/menu.h"
#include "platform/thread.h"
#include "platform/timer.h"
#include "platform/widgets/menubar_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace {

using namespace buttonstest;

class ProbePopup : public UI_PopupMenu {
public:
    using UI_PopupMenu::UI_PopupMenu;
    int refreshes = 0;
    void Refresh(bool erase) override {
        ++refreshes;
        UI_PopupMenu::Refresh(erase);
    }
    void SetState(bool down, bool over) {
        mMouseDown = down;
        MouseOver = over;
    }
    void SetLastPopup(std::int64_t ticks) { LastPopup = ticks; }
};

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        UI_Module::ResetDefaults();
        w = new ProbeWindow;
        w->layout = [this](ProbeWindow& win) {
            win.SetLeft(100);
            win.SetTop(200);
            win.SetWidth(300);
            win.SetHeight(200);
            win.SetHasBackColor(true);
            win.SetBackColor(C(0x333538));
            holder = &win.Add<platform::Canvas>([](auto& c) {
                c.SetName("Holder");
                c.SetLeft(30);
                c.SetTop(40);
                c.SetWidth(200);
                c.SetHeight(120);
            });
            popup = &win.Add<ProbePopup>(
                [this](ProbePopup& p) {
                    p.SetName("Language_PopupMenu");
                    // Window coordinates: (10, 20) within the holder at (30, 40).
                    p.SetLeft(40);
                    p.SetTop(60);
                    p.SetWidth(103);
                    p.SetHeight(29);
                    p.InitialValue = initialValue;
                    p.SetListIndex(storedIndex);
                },
                holder);
            popup->Change = [this] {
                log.push_back("Change:" + std::to_string(popup->ListIndex()));
            };
            popup->Open = [this] { log.push_back("Open:" + std::to_string(popup->ListCount())); };
        };
    }
    void Build() { w->Build(); }
    void TearDown() override {
        w->Close();
        FlushDeletes();
        UI_Module::ResetDefaults();
    }
    void AddLanguages() {
        for (const char* l : {"English", "Deutsch", "Francais"})
            popup->AddRow(l);
    }

    std::string initialValue;
    std::int32_t storedIndex = 0;
    ProbeWindow* w = nullptr;
    ProbePopup* popup = nullptr;
    platform::Canvas* holder = nullptr;
    std::vector<std::string> log;
};

TEST_F(PopupTest, OpenTakesTheDesignTimeRowsAndRegistersTheArrows) {
    // CR LF between the first two words, LF alone before the last.
    initialValue = "one\r\ntwo\nthree";
    Build();
    EXPECT_EQ(popup->List, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(popup->InitialValue, "");
    EXPECT_EQ(popup->ListIndex(), 0);  // the stored index stays
    EXPECT_TRUE(popup->AcceptFocus());
    EXPECT_FALSE(popup->UseFocusRing);
    // The first pop-up to open registers the arrows at index 1.
    EXPECT_EQ(UI_Module::TextureIndex("Arrows"), 1);
    EXPECT_EQ(popup->MyStyle, UI_PopupMenuStyle::BuiltIn(1));
    EXPECT_EQ(log, (std::vector<std::string>{"Open:3"}));
    const platform::PicturePtr arrows = UI_Module::GetTexture(1);
    ASSERT_TRUE(arrows);
    EXPECT_EQ(arrows->Width(), 6);
    EXPECT_EQ(arrows->Height(), 17);
    EXPECT_TRUE(arrows->HasAlpha());
}

TEST_F(PopupTest, TrailingLineEndsGiveAnEmptyLastRow) {
    initialValue = "a\rb\r";
    Build();
    EXPECT_EQ(popup->List, (std::vector<std::string>{"a", "b", ""}));
}

TEST_F(PopupTest, EveryListIndexAssignmentRaisesChange) {
    Build();
    AddLanguages();
    log.clear();
    popup->SetListIndex(1);
    popup->SetListIndex(1);
    popup->SetText("Francais");
    popup->SetText("Italiano");  // appended without a tag and selected
    EXPECT_EQ(popup->ListCount(), 4);
    EXPECT_FALSE(popup->RowTag(3).has_value());
    popup->DeleteAllRows();
    popup->DeleteAllRows();  // no rows: still a Change
    EXPECT_EQ(log, (std::vector<std::string>{"Change:1", "Change:1", "Change:2", "Change:3",
                                             "Change:-1", "Change:-1"}));
    EXPECT_EQ(popup->Text(), "");
}

TEST_F(PopupTest, RowsAndTagsStayInStep) {
    Build();
    AddLanguages();
    popup->SetRowTag(1, std::string("de"));
    popup->InsertRow(0, "Nederlands");
    EXPECT_EQ(popup->List[0], "Nederlands");
    EXPECT_EQ(std::any_cast<std::string>(popup->RowTag(2)), "de");
    EXPECT_THROW(popup->InsertRow(6, "x"), platform::OutOfBoundsException);
    EXPECT_THROW(popup->InsertRow(-1, "x"), platform::OutOfBoundsException);
    EXPECT_THROW(popup->RowTag(4), platform::OutOfBoundsException);
    EXPECT_EQ(popup->ListCount(), 4);
    // Rows appended through Text have no tag; inserting after them keeps the tags in step.
    popup->SetText("Svenska");
    popup->InsertRow(5, "Zulu");
    EXPECT_EQ(popup->ListCount(), 6);
    EXPECT_FALSE(popup->RowTag(5).has_value());
    EXPECT_EQ(std::any_cast<std::string>(popup->RowTag(2)), "de");
    // The insertion does not move the selection.
    popup->SetListIndex(1);
    popup->InsertRow(0, "Afrikaans");
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(popup->Text(), "Nederlands");
}

TEST_F(PopupTest, OutOfRangeIndexReadsAsNoRow) {
    Build();
    AddLanguages();
    popup->SetListIndex(7);
    EXPECT_EQ(popup->ListIndex(), 7);  // stored as given
    EXPECT_EQ(popup->Text(), "");
    const platform::Picture& p = popup->Render();  // no caption, no failure
    EXPECT_EQ(p.Width(), 103);
}

TEST_F(PopupTest, ArrowKeys) {
    Build();
    AddLanguages();
    popup->SetListIndex(-1);
    log.clear();
    struct Step {
        int qtKey;
        QString text;
        int index;
    };
    const Step steps[] = {
        {Qt::Key_Down, {}, 0}, {Qt::Key_Down, {}, 1}, {Qt::Key_Down, {}, 2},
        {Qt::Key_Down, {}, 2},  // the last row again: still a Change
        {Qt::Key_Up, {}, 1},   {Qt::Key_Up, {}, 0},   {Qt::Key_Up, {}, 0},
    };
    std::vector<std::string> expected;
    for (const Step& s : steps) {
        Key(popup, s.qtKey, s.text);
        EXPECT_EQ(popup->ListIndex(), s.index);
        expected.push_back("Change:" + std::to_string(s.index));
    }
    EXPECT_EQ(log, expected);

    popup->SetListIndex(-1);
    Key(popup, Qt::Key_Up);
    EXPECT_EQ(popup->ListIndex(), 0);

    // Left, right and other keys are not handled: the window gets them.
    int windowKeys = 0;
    w->KeyDown = [&](const std::string&) {
        ++windowKeys;
        return true;
    };
    log.clear();
    Key(popup, Qt::Key_Left);
    Key(popup, Qt::Key_Right);
    Key(popup, Qt::Key_A, "a");
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupTest, ArrowKeysWithoutRowsSelectNothing) {
    Build();
    popup->DeleteAllRows();
    log.clear();
    Key(popup, Qt::Key_Down);
    Key(popup, Qt::Key_Up);  // would name row 0, which does not exist
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(log, (std::vector<std::string>{"Change:-1", "Change:-1"}));
}

TEST_F(PopupTest, WindowKeyHandlerComesFirst) {
    Build();
    AddLanguages();
    popup->KeyDown = [](const std::string& key) { return key == "\x1F"; };
    log.clear();
    Key(popup, Qt::Key_Down);
    EXPECT_TRUE(log.empty());
    Key(popup, Qt::Key_Up);
    EXPECT_EQ(log, (std::vector<std::string>{"Change:0"}));
}

TEST_F(PopupTest, ClickShowsTheRowsAtTheLowerLeftCornerAndSelectsTheChoice) {
    platform::ScopedManualTimers timers;
    platform::ScopedScriptedPopups popups;
    Build();
    w->Show();
    AddLanguages();
    popup->SetListIndex(0);
    log.clear();
    bool pressedDuringMenu = false;
    popups->QueueChoice("Deutsch");
    timers->Advance(1000);
    Press(popup, {5, 5});
    pressedDuringMenu = true;
    ASSERT_EQ(popups->shown.size(), 1u);
    const auto& shown = popups->shown[0];
    // Control at (10, 20) in a holder at (30, 40) in a window whose content is at (100, 200):
    // the control's corner on the screen, plus its height.
    const QPoint corner = popup->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(corner, QPoint(140, 260));
    EXPECT_EQ(shown.x, 140);
    EXPECT_EQ(shown.y, 260 + 29);
    ASSERT_EQ(shown.rows.size(), 3u);
    EXPECT_EQ(shown.rows[0].text, "English");
    EXPECT_TRUE(shown.rows[0].checked);
    EXPECT_FALSE(shown.rows[1].checked);
    EXPECT_EQ(shown.rows[2].tag, 2);
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"Change:1"}));
    EXPECT_EQ(w->Focus(), popup);
    EXPECT_TRUE(pressedDuringMenu);
    // The menu took the release: with no button down, the press is over.
    EXPECT_FALSE(popup->IsMouseDown());
    EXPECT_EQ(popup->LastPopupTicks(), platform::Ticks());
}

TEST_F(PopupTest, ReopeningGuardAfterTheMenuCloses) {
    platform::ScopedManualTimers timers;
    platform::ScopedScriptedPopups popups;
    Build();
    AddLanguages();
    timers->Advance(5000);
    popups->QueueCancel();
    Press(popup, {5, 5});  // the first click after creation opens (LastPopup is 0)
    ASSERT_EQ(popups->shown.size(), 1u);
    log.clear();
    // 10 ticks later (1/60 s each): no menu, but the focus and the pressed state.
    timers->Advance(10 * 1000 / 60 + 1);
    ASSERT_EQ(platform::Ticks() - popup->LastPopupTicks(), 10);
    Press(popup, {5, 5});
    EXPECT_EQ(popups->shown.size(), 1u);
    EXPECT_TRUE(popup->IsMouseDown());
    Release(popup, {5, 5});
    EXPECT_FALSE(popup->IsMouseDown());
    EXPECT_TRUE(popup->IsMouseOver());
    // 11 ticks: it opens. A dismissed menu raises nothing.
    timers->Advance(17);
    ASSERT_EQ(platform::Ticks() - popup->LastPopupTicks(), 11);
    popups->QueueCancel();
    Press(popup, {5, 5});
    EXPECT_EQ(popups->shown.size(), 2u);
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupTest, ChoosingTheSelectedRowRaisesChangeAgain) {
    platform::ScopedScriptedPopups popups;
    Build();
    AddLanguages();
    popup->SetListIndex(2);
    log.clear();
    popups->QueueChoice("Francais");
    Key(popup, Qt::Key_Space, " ");  // keys skip the guard and the pressed look
    EXPECT_EQ(log, (std::vector<std::string>{"Change:2"}));
    popups->QueueChoice("English");
    Key(popup, Qt::Key_Return, "\r");
    EXPECT_EQ(popup->ListIndex(), 0);
    EXPECT_EQ(popups->shown.size(), 2u);
}

TEST_F(PopupTest, AWindowMouseDownHandlerKeepsTheMenuClosed) {
    platform::ScopedScriptedPopups popups;
    Build();
    AddLanguages();
    popup->MouseDown = [](int, int) { return true; };
    Press(popup, {3, 4});
    EXPECT_TRUE(popups->shown.empty());
    EXPECT_TRUE(popup->IsMouseDown());
    EXPECT_EQ(w->Focus(), popup);
    Release(popup, {0, 4});  // the left column is outside
    EXPECT_FALSE(popup->IsMouseDown());
    EXPECT_FALSE(popup->IsMouseOver());
}

TEST_F(PopupTest, ADisabledPopupTakesNoInput) {
    platform::ScopedScriptedPopups popups;
    Build();
    AddLanguages();
    popup->SetEnabled(false);
    log.clear();
    Press(popup, {5, 5});
    Key(popup, Qt::Key_Down);
    Key(popup, Qt::Key_Space, " ");
    EXPECT_TRUE(popups->shown.empty());
    EXPECT_EQ(log, std::vector<std::string>{});
    EXPECT_FALSE(popup->IsMouseDown());
}

TEST_F(PopupTest, FocusRepaintsUnlessThePointerIsOverAndLosingItIsReported) {
    Build();
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    int lost = 0;
    popup->LostFocus = [&] { ++lost; };
    holder->SetAcceptFocus(true);
    holder->SetFocus();
    lost = 0;  // the window gave the pop-up the focus when it was shown
    int before = popup->refreshes;
    popup->SetFocus();
    EXPECT_EQ(popup->refreshes, before + 1);
    before = popup->refreshes;
    holder->SetFocus();
    EXPECT_EQ(popup->refreshes, before + 1);
    EXPECT_EQ(lost, 1);
    Enter(popup);
    ASSERT_TRUE(popup->IsMouseOver());
    before = popup->refreshes;
    popup->SetFocus();
    EXPECT_EQ(popup->refreshes, before);
    holder->SetFocus();
    EXPECT_EQ(popup->refreshes, before);
    EXPECT_EQ(lost, 2);
}

TEST_F(PopupTest, EnterLeaveAndPush) {
    platform::ScopedManualTimers timers;
    Build();
    Enter(popup);
    EXPECT_TRUE(popup->IsMouseOver());
    popup->SetState(true, true);
    Leave(popup);
    EXPECT_FALSE(popup->IsMouseOver());
    EXPECT_FALSE(popup->IsMouseDown());

    auto previous = platform::SetYieldHook([&] { timers->Advance(17); });
    log.clear();
    bool downDuringChange = false;
    popup->Change = [&] { downDuringChange = popup->IsMouseDown(); };
    const std::int64_t start = platform::Ticks();
    popup->Push();
    EXPECT_TRUE(downDuringChange);
    EXPECT_FALSE(popup->IsMouseDown());
    EXPECT_GE(platform::Ticks() - start, 12);
    platform::SetYieldHook(previous);
}

TEST_F(PopupTest, TheRealMenuShowsTheRowsAndReturnsTheChoice) {
    Build();
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    AddLanguages();
    popup->SetListIndex(0);
    auto previous = platform::SetPopupPresenter(std::make_unique<platform::QtPopupPresenter>());
    std::vector<std::string> texts;
    bool checkedFirst = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            texts.push_back(a->text().toStdString());
        checkedFirst = !menu->actions().isEmpty() && menu->actions()[0]->isChecked();
        menu->setActiveAction(menu->actions()[2]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    log.clear();
    popup->Popup();
    platform::SetPopupPresenter(std::move(previous));
    EXPECT_EQ(texts, (std::vector<std::string>{"English", "Deutsch", "Francais"}));
    EXPECT_TRUE(checkedFirst);
    EXPECT_EQ(popup->ListIndex(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"Change:2"}));
}

// Paint. Built-in style on 103 x 29 (r = 5, b = 1, z = 25): inner area 101 x 27 at (1, 1),
// a vertical gradient over 27 rows (n = 26), the arrow zone at inner x 76 to 100, the
// separator at control x 76, the arrows at (87, 6).
struct PopupCheck {
    int x, y;
    std::uint32_t rgb;
    bool blended;
};
struct PopupPaintCase {
    const char* name;
    bool down, over, focus;
    int zone;
    std::vector<PopupCheck> checks;
};

const PopupPaintCase kPopupCases[] = {
    {"Normal",
     false,
     false,
     false,
     25,
     {
         {50, 0, 0x202224, false},   // border
         {76, 14, 0x202224, false},  // separator bar
         {20, 14, 0x31353A, false},  // row 13 of n = 26: halfway
         {20, 27, 0x2B2C2E, false},  // row 26 = c2
         {20, 4, 0x353B44, false},   // row 3 (55*23/26 + 43*3/26 = 53.6): no rim below ...
         {20, 1, 0x5C6269, true},    // ... row 0, where the highlight shows in grey 0xD0
         {2, 10, 0x32373E, false},   // row 9; the highlight's left side (inner x 1) is cut at row 4
         {80, 14, 0x31353A, false},  // the zone shows the normal fill
     }},
    {"PointerOverTheZone",
     false,
     true,
     false,
     25,
     {
         {4, 14, 0x31353A, false},   // the face keeps the normal look
         {80, 14, 0x3C4148, false},  // the zone takes the over fill, row 13: halfway
         {77, 14, 0x60646A, true},   // the zone's left edge line over row 13 = 0x3C4148
         {80, 27, 0x57595D, true},   // ... and its bottom rim over row 26 = 0x313338
         {76, 14, 0x202224, false},  // the separator stays
     }},
    {"FocusWithZoneShowsNothing",
     false,
     false,
     true,
     25,
     {{4, 14, 0x31353A, false}, {80, 14, 0x31353A, false}}},
    {"FocusWithoutZone",
     false,
     false,
     true,
     0,
     {
         {4, 14, 0x3C4148, false},   // the whole inner area in the over look
         {76, 14, 0x3C4148, false},  // no separator
         {20, 27, 0x57595D, true},   // over gloss 0: the whole rim
     }},
    {"Pressed",
     true,
     true,
     false,
     25,
     {
         {4, 14, 0x2F3134, false},
         {80, 14, 0x2F3134, false},  // no over fill in the zone while pressed
         {20, 1, 0x3C3D3F, true},    // the pressed highlight's grey 0xEA
     }},
};

class PopupPaintTest : public PopupTest, public ::testing::WithParamInterface<PopupPaintCase> {};

TEST_P(PopupPaintTest, PixelsOfTheLook) {
    const PopupPaintCase& c = GetParam();
    Build();
    popup->DeleteAllRows();
    popup->MyStyle.ArrowZoneWidth = static_cast<std::uint8_t>(c.zone);
    popup->SetState(c.down, c.over);
    if (c.focus)
        popup->SetFocus();
    const platform::Picture& p = popup->Render();
    SavePng(p, std::string("popup_") + c.name + ".png");
    for (const PopupCheck& check : c.checks) {
        const platform::Color got = At(p, check.x, check.y);
        if (check.blended)
            EXPECT_TRUE(Near(got, C(check.rgb))) << "at " << check.x << "," << check.y;
        else
            EXPECT_EQ(Hex(got), Hex(C(check.rgb))) << "at " << check.x << "," << check.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, PopupPaintTest, ::testing::ValuesIn(kPopupCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PopupTest, ArrowsSitInTheLastColumnsAndTheDisabledLookIsTheSame) {
    Build();
    popup->DeleteAllRows();
    auto enabled = platform::Picture::New(103, 29);
    enabled->Graphics().DrawPicture(popup->Render(), 0, 0);
    // The arrows' dark up triangle: column 2 of the texture at (89, 6..11) is darker than the
    // fill beside the arrows, the empty rows 7 to 9 of the texture leave the fill.
    const platform::Color fill = At(*enabled, 86, 8);
    EXPECT_LT(At(*enabled, 89, 11).r, fill.r);
    EXPECT_EQ(Hex(At(*enabled, 89, 14)), Hex(At(*enabled, 86, 14)));
    popup->SetEnabled(false);
    const platform::Picture& disabled = popup->Render();
    SavePng(disabled, "popup_Disabled.png");
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 103; ++x)
            ASSERT_EQ(At(disabled, x, y), At(*enabled, x, y)) << x << "," << y;
}

TEST_F(PopupTest, CaptionIsCentredAndCondensed) {
    Build();
    AddLanguages();
    popup->SetListIndex(-1);
    auto blank = platform::Picture::New(103, 29);
    blank->Graphics().DrawPicture(popup->Render(), 0, 0);
    popup->SetListIndex(0);
    const platform::Picture& p = popup->Render();
    SavePng(p, "popup_Caption.png");
    int left = 1000, right = -1;
    bool white = false, shadow = false;
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 103; ++x) {
            const platform::Color c = At(p, x, y);
            if (c == At(*blank, x, y))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            white = white || c == C(0xFFFFFF);
            shadow = shadow || c == C(0x101112);
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(shadow);
    // Centred in the clip (2, 1, 74, 27) on the text's full width.
    auto scratch = platform::Picture::New(1, 1);
    scratch->Graphics().Bold = true;
    const double sw = scratch->Graphics().StringWidth("English");
    const int x = 2 + static_cast<int>(std::trunc(74 - sw)) / 2;
    EXPECT_GE(left, x - 1);
    EXPECT_LE(left, x + 2);
    EXPECT_LE(right, x + static_cast<int>(std::ceil(sw)) + 1);

    // A row wider than the clip starts left of it (x is negative) and is condensed to the
    // maximum width: its beginning is cut off, its end elided before the separator.
    const std::string wide = "Portugues do Brasil";
    const double wideWidth = scratch->Graphics().StringWidth(wide);
    ASSERT_GT(wideWidth, 74);
    ASSERT_LT(wideWidth, 74 + 2 * 60);
    popup->SetText(wide);
    const platform::Picture& longer = popup->Render();
    SavePng(longer, "popup_LongCaption.png");
    bool shown = false;
    for (int y = 1; y < 28; ++y) {
        EXPECT_EQ(Hex(At(longer, 76, y)), "0x202224") << y;
        for (int x2 = 2; x2 < 76; ++x2)
            shown = shown || At(longer, x2, y) == C(0xFFFFFF);
    }
    EXPECT_TRUE(shown);
    // Pressed: the pressed caption colour.
    popup->SetListIndex(0);
    popup->SetState(true, true);
    const platform::Picture& pressed = popup->Render();
    SavePng(pressed, "popup_CaptionPressed.png");
    bool pressedColour = false;
    for (int y = 0; y < 29; ++y)
        for (int x2 = 0; x2 < 76; ++x2)
            pressedColour = pressedColour || At(pressed, x2, y) == C(0xC8CDD5);
    EXPECT_TRUE(pressedColour);
}

TEST_F(PopupTest, NoArrowsTextureDrawsNoArrows) {
    Build();
    popup->DeleteAllRows();
    popup->MyStyle.ArrowTexture = 200;
    const platform::Picture& p = popup->Render();
    // The zone's middle column shows the plain fill where the arrows would be.
    EXPECT_EQ(Hex(At(p, 89, 14)), "0x31353A");
}

}  // namespace
