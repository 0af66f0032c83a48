// The option dialogs and the full-size preview shown on a real (virtual) display.
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "support/inspection.h"
#include "support/screenshot.h"
#include "windows/options/browser_options_window.h"
#include "windows/options/more_options_window.h"
#include "windows/options/settings_window.h"
#include "windows/options/skin_preview_window.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>

namespace {

using OptionsSmokeTest = testsupport::WindowFixture;

QColor At(const QImage& shot, int x, int y) {
    return QColor(shot.pixel(x, y));
}

TEST_F(OptionsSmokeTest, BrowserOptionsDialog) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    Browser::Browser_Width = {612};
    Browser::Browser_Height = {320};
    Browser::B_Text_Size = 12;
    Browser::Browser_Change = true;
    Browser::Browser_Color_change = true;
    Browser::Browser_Color = platform::RGB(0x20, 0x40, 0x80);
    auto& d = Browser_Options_Window::Instance();
    const QImage shot = testsupport::Screenshot(d);
    ASSERT_FALSE(shot.isNull());
    testsupport::SaveForInspection(shot, "options_browser");
    EXPECT_EQ(shot.size(), QSize(652, 397));
    EXPECT_EQ(At(shot, 640, 10), QColor(0x33, 0x35, 0x38));
    // The grid at (182, 270): cell 5's square from (30, 30), highlighted.
    EXPECT_EQ(At(shot, 182 + 38, 270 + 38), QColor(0x88, 0xC9, 0xF0));
}

TEST_F(OptionsSmokeTest, MoreOptionsAndSettingsDialogs) {
    auto& more = More_Options_Window::Instance();
    const QImage moreShot = testsupport::Screenshot(more);
    ASSERT_FALSE(moreShot.isNull());
    testsupport::SaveForInspection(moreShot, "options_more");
    EXPECT_EQ(moreShot.size(), QSize(348, 257));
    more.Close();

    auto& settings = SettingsWindow::OpenNew();
    const QImage settingsShot = testsupport::Screenshot(settings);
    ASSERT_FALSE(settingsShot.isNull());
    testsupport::SaveForInspection(settingsShot, "options_settings");
    EXPECT_EQ(settingsShot.size(), QSize(380, 204));
}

TEST_F(OptionsSmokeTest, FullSizePreviewWithItsLogoBox) {
    Variables::outWidth = 800;
    Variables::outHeight = 600;
    Variables::Str_Line = {R"(<skin width="800" height="600">)", R"(<logo>)",
                           R"(<pos x="40" y="20" height="43"/>)"};
    Variables::New_picture = platform::Picture::New(800, 600);
    auto& g = Variables::New_picture->Graphics();
    for (int y = 0; y < 600; y += 50) {
        g.ForeColor = platform::RGB(0x10, static_cast<std::uint8_t>(y / 3), 0x60);
        g.FillRect(0, y, 800, 50);
    }
    auto& p = Skin_Preview_Window::OpenNew();
    const QImage shot = testsupport::Screenshot(p);
    ASSERT_FALSE(shot.isNull());
    testsupport::SaveForInspection(shot, "options_preview");
    EXPECT_EQ(shot.size(), QSize(800, 600));
    // Logo box 40, 20, 177 x 43 (43 x 177 / 43): red inside, away from the text.
    EXPECT_EQ(At(shot, 200, 55), QColor(0xFF, 0, 0));
    EXPECT_EQ(At(shot, 400, 300), QColor(0x10, 100, 0x60));  // row 300: 300 / 3 = 100
}

}  // namespace
