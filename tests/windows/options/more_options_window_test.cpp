#include "windows/options/more_options_window.h"

#include "app/batch.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/widgets/updownarrows.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include <string>
#include <vector>

namespace {

class MoreOptionsTest : public testsupport::WindowFixture {
protected:
    void SetUp() override { RecordNotices(); }
    static More_Options_Window& OpenDialog() {
        auto& d = More_Options_Window::Instance();
        d.activateWindow();  // the focus goes to controls of the active window only
        QCoreApplication::processEvents();
        return d;
    }
};

struct ArrowCase {
    const char* name;
    bool gain;
    const char* text;
    bool up;
    const char* result;
};
const ArrowCase kArrowCases[] = {
    // clang-format off
    {"Font990Up",   false, "990",  true,  "990"},
    {"Font985Up",   false, "985",  true,  "995"},
    {"Font10Down",  false, "10",   false, "10"},
    {"Font15Down",  false, "15",   false, "5"},
    {"Gain1450Up",  true,  "1450", true,  "1500"},
    {"Gain1460Up",  true,  "1460", true,  "1460"},
    {"Gain150Down", true,  "150",  false, "100"},
    {"Gain140Down", true,  "140",  false, "140"},
    // clang-format on
};
class MoreOptionsArrowTest : public MoreOptionsTest,
                             public ::testing::WithParamInterface<ArrowCase> {};
TEST_P(MoreOptionsArrowTest, EveryPressTicksItsBoxWhetherOrNotItSteps) {
    const auto& c = GetParam();
    auto& d = OpenDialog();
    UI_TextField& field = c.gain ? d.GainSensibility_EditField() : d.FontSize_EditField();
    platform::UpDownArrows& arrows = c.gain ? d.UpDownArrows2() : d.UpDownArrows1();
    UI_Checkbox& box = c.gain ? d.Change_Gain_CheckBox() : d.Change_FontSize_CheckBox();
    field.SetText(c.text);
    box.SetValue(false);
    if (!c.gain)
        d.No_FontChange_CheckBox().SetValue(true);
    (c.up ? arrows.Up : arrows.Down).Raise();
    EXPECT_EQ(field.Text(), c.result);
    EXPECT_TRUE(box.Value());
    if (!c.gain) {
        EXPECT_FALSE(d.No_FontChange_CheckBox().Value());
    }
}
INSTANTIATE_TEST_SUITE_P(Arrows, MoreOptionsArrowTest, ::testing::ValuesIn(kArrowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MoreOptionsTest, TheGainFieldClampsOnLeavingAndTicksItsBox) {
    auto& d = OpenDialog();
    struct Case {
        const char* typed;
        const char* left;
    };
    const Case cases[] = {{"abc", "100"}, {"50", "100"}, {"2000", "1500"}, {"800", "800"}};
    for (const auto& c : cases) {
        d.GainSensibility_EditField().SetText(c.typed);
        d.Change_Gain_CheckBox().SetValue(false);
        d.GainSensibility_EditField().SetFocus();
        d.FontSize_EditField().SetFocus();
        EXPECT_EQ(d.GainSensibility_EditField().Text(), c.left) << c.typed;
        if (std::string(c.typed) != c.left) {
            EXPECT_TRUE(d.Change_Gain_CheckBox().Value()) << c.typed;
        }
    }
    // Typing in the font field ticks nothing.
    d.Change_FontSize_CheckBox().SetValue(false);
    d.FontSize_EditField().SetText("120");
    EXPECT_FALSE(d.Change_FontSize_CheckBox().Value());
}

TEST_F(MoreOptionsTest, FontBoxesExcludeEachOtherWhenTicked) {
    auto& d = OpenDialog();
    d.Change_FontSize_CheckBox().SetValue(true);
    d.No_FontChange_CheckBox().SetValue(true);
    EXPECT_FALSE(d.Change_FontSize_CheckBox().Value());
    d.Change_FontSize_CheckBox().SetValue(true);
    EXPECT_FALSE(d.No_FontChange_CheckBox().Value());
    d.Change_FontSize_CheckBox().SetValue(false);
    EXPECT_FALSE(d.No_FontChange_CheckBox().Value());
}

TEST_F(MoreOptionsTest, TheLogoNoticeShowsOnceAndLeavesTheBoxUnticked) {
    Variables::inWidth = 1024;
    Variables::inHeight = 768;
    Variables::outWidth = 800;
    Variables::outHeight = 600;
    auto& d = OpenDialog();
    d.No_LogoChange_CheckBox().SetValue(true);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].id, 4);
    EXPECT_EQ(notices[0].text,
              "You are going to \"downsize\" the skin.\n\n"
              "If you stop the logo resize, the resized skin might not be useable.");
    EXPECT_FALSE(d.No_LogoChange_CheckBox().Value());
    EXPECT_FALSE(Variables::P_No_LogoChange);
}

TEST_F(MoreOptionsTest, ASuppressedNoticeLetsTheBoxStayTicked) {
    Variables::inWidth = 1024;
    Variables::inHeight = 768;
    Variables::outWidth = 800;
    Variables::outHeight = 600;
    INI_Read_Write::RunOnce = {0, 4};
    auto& d = OpenDialog();
    d.No_LogoChange_CheckBox().SetValue(true);
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(d.No_LogoChange_CheckBox().Value());
}

TEST_F(MoreOptionsTest, OpeningWithTheLogoKeptOnASmallerSkinShowsTheNoticeAtOnce) {
    Variables::inWidth = 1024;
    Variables::inHeight = 768;
    Variables::outWidth = 800;
    Variables::outHeight = 600;
    Variables::P_No_LogoChange = true;
    auto& d = OpenDialog();
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_FALSE(d.No_LogoChange_CheckBox().Value());
    EXPECT_TRUE(Variables::P_No_LogoChange);
}

TEST_F(MoreOptionsTest, ApplyWritesTheSevenValuesAndTheCloseBoxNone) {
    auto& d = OpenDialog();
    d.Change_FontSize_CheckBox().SetValue(true);
    d.FontSize_EditField().SetText("150");
    d.GainSensibility_EditField().SetText("900");
    d.Old_Renderer_CheckBox().SetValue(false);
    d.close();
    EXPECT_FALSE(Variables::P_Change_FontSize);
    EXPECT_EQ(Variables::P_Change_FontSize_Value, 100);
    EXPECT_TRUE(Variables::P_Old_Renderer);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto& e = OpenDialog();
    // A new dialog: the font and gain controls at their defaults.
    EXPECT_EQ(e.FontSize_EditField().Text(), "100");
    EXPECT_EQ(e.GainSensibility_EditField().Text(), "750");
    EXPECT_FALSE(e.Change_FontSize_CheckBox().Value());
    e.Change_FontSize_CheckBox().SetValue(true);
    e.FontSize_EditField().SetText("150.7");
    e.GainSensibility_EditField().SetText("900");
    e.Old_Renderer_CheckBox().SetValue(false);
    e.No_FontChange_CheckBox().SetValue(false);
    QPointer<More_Options_Window> alive(&e);
    testsupport::ClickCentre(e.Apply_Button());
    EXPECT_FALSE(Variables::P_No_LogoChange);
    EXPECT_FALSE(Variables::No_FontChange);
    EXPECT_TRUE(Variables::P_Change_FontSize);
    EXPECT_EQ(Variables::P_Change_FontSize_Value, 150);
    EXPECT_TRUE(Variables::P_Change_Gain);
    EXPECT_EQ(Variables::P_Change_Gain_Value, 900);
    EXPECT_FALSE(Variables::P_Old_Renderer);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());

    // Reopened and applied untouched: 100 and 750, both boxes off.
    testsupport::ClickCentre(OpenDialog().Apply_Button());
    EXPECT_FALSE(Variables::P_Change_FontSize);
    EXPECT_EQ(Variables::P_Change_FontSize_Value, 100);
    EXPECT_FALSE(Variables::P_Change_Gain);
    EXPECT_EQ(Variables::P_Change_Gain_Value, 750);
}

TEST_F(MoreOptionsTest, ApplyNeverStoresAnUnusableFontPercentage) {
    Variables::P_Change_FontSize_Value = 120;
    for (const char* text : {"", "-50", "0", "99999999999"}) {
        auto& d = OpenDialog();
        d.FontSize_EditField().SetText(text);
        testsupport::ClickCentre(d.Apply_Button());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Variables::P_Change_FontSize_Value, 120) << text;
    }
}

TEST_F(MoreOptionsTest, CaptionsAreTranslatedAndApplyIsFittedAtItsRightEdge) {
    auto& d = OpenDialog();
    EXPECT_EQ(d.Change_Gain_CheckBox().Caption, "Change Gain Sensibility");
    EXPECT_EQ(d.Apply_Button().Caption(), "Apply");
    EXPECT_EQ(d.Apply_Button().Width(), 80);
    EXPECT_EQ(d.Apply_Button().Left() + d.Apply_Button().Width(), 331);  // 238 + 93
    EXPECT_EQ(d.Title(), "More Options");
}

}  // namespace
