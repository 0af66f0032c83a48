#include "platform/menu.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

std::unique_ptr<MenuItem> Item(const char* text, const char* name, bool autoEnable = true) {
    auto item = std::make_unique<MenuItem>(text, name);
    item->AutoEnable = autoEnable;
    return item;
}

/// File (Open, Quit), Options (Reload, Settings).
std::unique_ptr<MenuItem> SampleBar() {
    auto bar = std::make_unique<MenuItem>();
    MenuItem& file = bar->Append(Item("&File", "FileMenu"));
    file.Append(Item("&Open Skin Folder", "FileOpenSkinFolder"));
    file.Append(Item("Quitter", "FileQuit")).IsQuitItem = true;
    MenuItem& options = bar->Append(Item("Options", "LicensedMenu"));
    options.Append(Item("Reload Last Created Skin", "LicensedReloadlastcreatedskin", false));
    options.Append(Item("Settings", "LicensedSettings", false)).KeyboardShortcut = "Cmd+F8";
    return bar;
}

}  // namespace

TEST(MenuItemTest, TreeIsFoundByNameAndKeepsItsOrder) {
    auto bar = SampleBar();
    ASSERT_EQ(bar->Count(), 2u);
    EXPECT_EQ(bar->Item(0).Name, "FileMenu");
    EXPECT_EQ(bar->Child("LicensedMenu"), &bar->Item(1));
    EXPECT_EQ(bar->Child("LicensedSettings"), nullptr);  // a grandchild is no child
    ASSERT_NE(bar->Find("LicensedSettings"), nullptr);
    EXPECT_EQ(bar->Find("LicensedSettings")->Parent(), &bar->Item(1));
    EXPECT_THROW(bar->Item(2), OutOfBoundsException);

    // Inserted after "Open Skin Folder", as the sibling-tool launcher does.
    MenuItem& file = *bar->Child("FileMenu");
    file.Insert(1, std::make_unique<MenuItem>("-"));
    file.Insert(2, Item("Open Tarquell Tool", "Tarquell"));
    EXPECT_TRUE(file.Item(1).IsSeparator());
    EXPECT_EQ(file.Item(2).Text, "Open Tarquell Tool");
    EXPECT_EQ(file.Item(3).Name, "FileQuit");
    file.Insert(99, Item("Last", "Last"));
    EXPECT_EQ(file.Item(4).Name, "Last");
}

TEST(MenuItemTest, EnablingResetsEveryItemToItsAutoEnable) {
    auto bar = SampleBar();
    MenuItem& reload = *bar->Find("LicensedReloadlastcreatedskin");
    MenuItem& open = *bar->Find("FileOpenSkinFolder");
    reload.Enabled = true;
    open.Enabled = false;
    bar->ResetEnabling();
    EXPECT_FALSE(reload.Enabled);
    EXPECT_TRUE(open.Enabled);
}

TEST(MenuItemTest, CloneCopiesTheTreeButNotTheHandlers) {
    auto bar = SampleBar();
    MenuItem& settings = *bar->Find("LicensedSettings");
    settings.Checked = true;
    settings.Tag = 42;
    settings.Action = [] { return true; };
    auto copy = bar->Child("LicensedMenu")->Clone();
    ASSERT_EQ(copy->Count(), 2u);
    const MenuItem& copied = copy->Item(1);
    EXPECT_EQ(copied.Name, "LicensedSettings");
    EXPECT_EQ(copied.KeyboardShortcut, "Cmd+F8");
    EXPECT_TRUE(copied.Checked);
    EXPECT_EQ(copied.Tag, 42);
    EXPECT_FALSE(copied.AutoEnable);
    EXPECT_FALSE(copied.Action);
    EXPECT_NE(&copied, &settings);
}

TEST(PopupPresenterTest, ScriptedPresenterRecordsRowsAndAnswersByNameOrText) {
    ScopedScriptedPopups popups;
    MenuItem menu;
    menu.Append(Item("English", "")).Tag = 0;
    MenuItem& french = menu.Append(Item("Français", "fr"));
    french.Tag = 3;
    french.Checked = true;
    menu.Append(Item("Greyed", "grey")).Enabled = false;

    popups->QueueChoice("fr");
    popups->QueueChoice("English");
    popups->QueueChoice("grey");
    popups->QueueCancel();
    EXPECT_EQ(menu.PopUp(100, 200), &french);
    EXPECT_EQ(menu.PopUp(0, 0), &menu.Item(0));
    EXPECT_EQ(menu.PopUp(0, 0), nullptr);  // a disabled item cannot be chosen
    EXPECT_EQ(menu.PopUp(0, 0), nullptr);
    EXPECT_EQ(menu.PopUp(0, 0), nullptr);  // nothing queued: cancelled

    ASSERT_EQ(popups->shown.size(), 5u);
    const auto& first = popups->shown[0];
    EXPECT_EQ(first.x, 100);
    EXPECT_EQ(first.y, 200);
    ASSERT_EQ(first.rows.size(), 3u);
    EXPECT_EQ(first.rows[1].text, "Français");
    EXPECT_TRUE(first.rows[1].checked);
    EXPECT_EQ(first.rows[1].tag, 3);
    EXPECT_FALSE(first.rows[2].enabled);
}

TEST(PopupPresenterTest, WithoutAPresenterEveryPopupIsCancelled) {
    MenuItem menu;
    menu.Append(Item("One", "one"));
    EXPECT_EQ(menu.PopUp(1, 1), nullptr);
}

namespace {

/// "Close", then the submenu "Language" holding "English" and "Français", then the disabled
/// submenu "Export" holding "PNG".
std::unique_ptr<MenuItem> NestedMenu() {
    auto menu = std::make_unique<MenuItem>();
    menu->Append(Item("Close", "close"));
    MenuItem& language = menu->Append(Item("Language", "language"));
    language.Append(Item("English", "en"));
    language.Append(Item("Français", "fr")).Tag = 7;
    MenuItem& exportMenu = menu->Append(Item("Export", "export"));
    exportMenu.Enabled = false;
    exportMenu.Append(Item("PNG", "png"));
    return menu;
}

struct NestedPick {
    const char* name;
    const char* answer;
    const char* chosenName;  // nullptr: cancelled
};

class NestedPopupTest : public ::testing::TestWithParam<NestedPick> {};

}  // namespace

TEST_P(NestedPopupTest, OneAnswerPicksAnItemAtAnyDepth) {
    ScopedScriptedPopups popups;
    auto menu = NestedMenu();
    popups->QueueChoice(GetParam().answer);
    MenuItem* chosen = menu->PopUp(5, 6);
    if (GetParam().chosenName) {
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(chosen->Name, GetParam().chosenName);
    } else {
        EXPECT_EQ(chosen, nullptr);
    }
}

// clang-format off
const NestedPick kNestedPicks[] = {
    {"TopLevelByName",                 "close",    "close"},
    {"InsideASubmenuByName",           "fr",       "fr"},
    {"InsideASubmenuByText",           "English",  "en"},
    {"ASubmenuItselfIsNoCommand",      "language", nullptr},
    {"InsideADisabledSubmenuCancels",  "png",      nullptr},
    {"AnUnknownAnswerCancels",         "German",   nullptr},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Picks, NestedPopupTest, ::testing::ValuesIn(kNestedPicks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PopupPresenterTest, ScriptedPresenterRecordsTheRowsOfSubmenusWithTheirParent) {
    ScopedScriptedPopups popups;
    auto menu = NestedMenu();
    menu->PopUp(0, 0);
    ASSERT_EQ(popups->shown.size(), 1u);
    std::vector<std::string> rows;
    for (const auto& row : popups->shown[0].rows)
        rows.push_back(row.parent + "/" + row.name);
    EXPECT_EQ(rows, (std::vector<std::string>{"/close", "/language", "language/en", "language/fr",
                                              "/export", "export/png"}));
    EXPECT_EQ(popups->shown[0].rows[3].tag, 7);
}
