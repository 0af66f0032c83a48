#include "windows/options/settings_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_popupmenu.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/widgets/label.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/options/main_window_link.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include <string>
#include <vector>

namespace {

class SettingsWindowTest : public testsupport::WindowFixture {
protected:
    void TearDown() override {
        mainwindowlink::Install({}, {});
        WindowFixture::TearDown();
    }
};

TEST_F(SettingsWindowTest, OpensWithTheModuleSettings) {
    INI_Read_Write::RunOnce = {1, 4};
    INI_Read_Write::AutoUpdate = false;
    INI_Read_Write::No_Write_Config = true;
    Variables::Window_Open = false;
    auto& d = SettingsWindow::OpenNew();
    EXPECT_EQ(d.Title(), "Settings");
    EXPECT_FALSE(d.Default_CheckBox().Value());  // unticked whatever the setting holds
    EXPECT_TRUE(d.Message_Window_CheckBox().Value());
    EXPECT_TRUE(d.AutoUpdate_CheckBox().Value());
    EXPECT_FALSE(d.Window_Open_CheckBox().Value());
    EXPECT_EQ(d.StaticText1().Text(), "Language:");
    EXPECT_EQ(d.Width(), 380);
    EXPECT_EQ(d.Height(), 204);
    // "Apply" fits in 80 pixels; the right edge stays at 272 + 88 = 360.
    EXPECT_EQ(d.Apply_Button().Width(), 80);
    EXPECT_EQ(d.Apply_Button().Left() + d.Apply_Button().Width(), 360);
}

TEST_F(SettingsWindowTest, RestoreDefaultsStaysInForceOnceTicked) {
    auto& d = SettingsWindow::OpenNew();
    d.Default_CheckBox().SetValue(true);
    EXPECT_TRUE(INI_Read_Write::No_Write_Config);
    d.Default_CheckBox().SetValue(false);
    EXPECT_TRUE(INI_Read_Write::No_Write_Config);
    ASSERT_TRUE(d.Close());
    auto& again = SettingsWindow::OpenNew();
    EXPECT_FALSE(again.Default_CheckBox().Value());
    EXPECT_TRUE(INI_Read_Write::No_Write_Config);
}

TEST_F(SettingsWindowTest, AutoUpdateIsWrittenAtOnce) {
    auto& d = SettingsWindow::OpenNew();
    ASSERT_TRUE(INI_Read_Write::AutoUpdate);
    d.AutoUpdate_CheckBox().SetValue(true);
    EXPECT_FALSE(INI_Read_Write::AutoUpdate);
    d.AutoUpdate_CheckBox().SetValue(false);
    EXPECT_TRUE(INI_Read_Write::AutoUpdate);
}

TEST_F(SettingsWindowTest, ApplyWritesElementZeroAndTheFolderChoiceThenCloses) {
    // A hand-edited 7 in element 0 becomes 0; single ids stay suppressed.
    INI_Read_Write::RunOnce = {7, 4, 5};
    auto& d = SettingsWindow::OpenNew();
    QPointer<SettingsWindow> alive(&d);
    d.Window_Open_CheckBox().SetValue(false);
    testsupport::ClickCentre(d.Apply_Button());
    EXPECT_EQ(INI_Read_Write::RunOnce, (std::vector<std::int32_t>{0, 4, 5}));
    EXPECT_FALSE(Variables::Window_Open);
    EXPECT_TRUE(d.Closed);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST_F(SettingsWindowTest, TheLastEqualLanguageRowIsSelected) {
    Language::AvailableLang = {"English*/l/en.lng", "Francais*/l/fr.lng", "english*/l/en2.lng"};
    INI_Read_Write::Lang = "ENGLISH";
    auto& d = SettingsWindow::OpenNew();
    EXPECT_EQ(d.Lang_PopupMenu().ListCount(), 3);
    EXPECT_EQ(d.Lang_PopupMenu().ListIndex(), 2);
}

TEST_F(SettingsWindowTest, ALanguageChangeReloadsThenTranslatesTheMainWindow) {
    std::vector<std::string> calls;
    mainwindowlink::Install(
        [&calls](bool clear) { calls.push_back(clear ? "tabs(true)" : "tabs"); },
        [&calls](bool force) { calls.push_back(force ? "lang(true)" : "lang"); });
    // A resources folder with one French file, which the reload lists and loads.
    testsupport::TempFolder resources;
    std::filesystem::create_directory(resources.Path() / "Languages");
    resources.Write("Languages/fr.lng", "[Lang=Francais]\nApply=Appliquer\n");
    ScopedEnv env("MALVOREN_RESOURCES_DIR", resources.Path().string());
    Language::AvailableLang = {"English*/l/en.lng", "Francais*/l/fr.lng"};
    INI_Read_Write::Lang = "English";
    auto& d = SettingsWindow::OpenNew();
    d.Lang_PopupMenu().SetListIndex(1);
    ASSERT_TRUE(d.Close());
    EXPECT_EQ(INI_Read_Write::Lang, "Francais");
    EXPECT_EQ(Language::Lng("Apply"), "Appliquer");
    EXPECT_EQ(calls, (std::vector<std::string>{"tabs(true)", "lang(true)"}));
}

TEST_F(SettingsWindowTest, TheSameLanguageInAnotherCaseChangesNothing) {
    std::vector<std::string> calls;
    mainwindowlink::Install([&calls](bool) { calls.push_back("tabs"); },
                            [&calls](bool) { calls.push_back("lang"); });
    Language::AvailableLang = {"Francais*/l/fr.lng"};
    INI_Read_Write::Lang = "FRANCAIS";
    auto& d = SettingsWindow::OpenNew();
    ASSERT_EQ(d.Lang_PopupMenu().ListIndex(), 0);
    ASSERT_TRUE(d.Close());
    EXPECT_EQ(INI_Read_Write::Lang, "FRANCAIS");
    EXPECT_TRUE(calls.empty());
}

}  // namespace
