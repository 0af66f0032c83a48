// A probe window with a few kit and framework controls, shown on a real (virtual) display.
#include "kit/base/ui_module.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "platform/graphics.h"
#include "platform/screen.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/window.h"
#include "support/inspection.h"
#include "support/screenshot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <set>

namespace {

class ProbeWindow : public platform::Window {
public:
    platform::Canvas* icon = nullptr;

protected:
    void Layout() override {
        SetTitle("gui-smoke probe");
        SetWidth(360);
        SetHeight(200);
        SetHasBackColor(true);
        SetBackColor(platform::RGB(0x33, 0x35, 0x38));
        icon = &AddControl<platform::Canvas>(this, [](platform::Canvas& c) {
            c.SetName("Note_Canvas");
            c.SetLeft(12);
            c.SetTop(12);
            c.SetWidth(32);
            c.SetHeight(32);
        });
        icon->Paint = [](platform::Graphics& g) { g.DrawNoteIcon(0, 0); };
        AddControl<UI_Label>(this, [](UI_Label& c) {
            c.SetName("Title_Label");
            c.SetLeft(56);
            c.SetTop(18);
            c.SetWidth(280);
            c.SetHeight(20);
            c.SetText("Malvoren skin resizer");
            c.SetTextColor(platform::RGB(255, 255, 255));
        });
        AddControl<UI_TextField>(this, [](UI_TextField& c) {
            c.SetName("Width_TextField");
            c.SetLeft(12);
            c.SetTop(60);
            c.SetWidth(120);
            c.SetHeight(22);
            c.SetText("1024");
        });
        AddControl<UI_Checkbox>(this, [](UI_Checkbox& c) {
            c.SetName("Resize_CheckBox");
            c.SetLeft(12);
            c.SetTop(96);
            c.SetWidth(200);
            c.SetHeight(20);
            c.Caption = "Resize the XML";
            c.SetValue(true);
        });
        AddControl<UI_Button>(this, [](UI_Button& c) {
            c.SetName("Do_Button");
            c.SetLeft(12);
            c.SetTop(140);
            c.SetWidth(140);
            c.SetHeight(28);
            c.SetCaption("Do the Job");
        });
    }
};

TEST(GuiSmokeTest, ProbeWindowIsShownOnTheDisplayAndPhotographed) {
    // A real display, whose size MALVOREN_SCREEN repeats for the tool.
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    const platform::ScreenArea area = platform::MainScreen();
    EXPECT_EQ(area.width, 1280);
    EXPECT_EQ(area.height, 800);
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1280, 800));

    UI_Module::ResetDefaults();
    auto* window = new ProbeWindow;
    window->Show();
    const QImage shot = testsupport::Screenshot(*window);
    ASSERT_FALSE(shot.isNull()) << "the window never appeared on the display";
    testsupport::SaveForInspection(shot, "gui_smoke_probe");

    EXPECT_EQ(shot.size(), QSize(360, 200));
    // The backdrop colour away from every control, and the note icon's blue disc left of
    // its "i" (icon at 12,12; the disc's body at 4..12 of the icon, y 16).
    EXPECT_EQ(QColor(shot.pixel(300, 180)), QColor(0x33, 0x35, 0x38));
    EXPECT_EQ(QColor(shot.pixel(12 + 8, 12 + 16)), QColor(0x3b, 0x82, 0xd6));
    // Controls drew something: many colours, not a flat window.
    std::set<QRgb> colours;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 20u);

    window->Close();
    QApplication::processEvents();
}

}  // namespace
