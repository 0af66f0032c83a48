#include "windows/options/browser_options_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_radiobutton.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/rgbsurface.h"
#include "platform/widgets/canvas.h"
#include "platform/widgets/combobox.h"
#include "platform/widgets/textfield.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <string>

namespace {

class BrowserOptionsTest : public testsupport::WindowFixture {
protected:
    Browser_Options_Window& OpenDialog() {
        auto& d = Browser_Options_Window::Instance();
        // The focus goes to controls of the active window only.
        d.activateWindow();
        QCoreApplication::processEvents();
        return d;
    }
    /// Return in a picker opens the colour chooser, which the scripted dialogs answer.
    static void ConfirmColour(UI_ColorPicker& picker) {
        picker.SetFocus();
        QTest::keyClick(&picker, Qt::Key_Return);
    }
};

TEST_F(BrowserOptionsTest, OpeningShowsTheModuleValues) {
    Browser::Browser_Width = {300, 200};
    Browser::Browser_Height = {400, 100};
    Browser::Browser_Change = true;
    Browser::Browser_Picture_Change = true;
    Browser::Browser_Color = platform::RGB(0x10, 0x20, 0x30);
    Browser::B_Text_Size = 12;
    Browser::B_Background_Picture = "/pictures/bg.png";
    Browser::B_Adapt_Picture = true;
    Browser::Browser_XML_Change = true;
    Browser::B_Text_Color = platform::RGB(0xAB, 0xCD, 0xEF);
    auto& d = OpenDialog();
    EXPECT_EQ(d.Browser_width_Editfield().Text(), "300");
    EXPECT_EQ(d.Browser_height_Editfield().Text(), "400");
    EXPECT_TRUE(d.Browser_Background_Checkbox().Value());
    EXPECT_TRUE(d.Picture_Radio().Value());
    EXPECT_FALSE(d.Color_radio().Value());
    EXPECT_EQ(d.UI_ColorPicker1().myColor(), platform::RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(d.B_text_size_editfield().Text(), "12");
    EXPECT_EQ(d.Browser_Picture_EditField().Text(), "/pictures/bg.png");
    EXPECT_TRUE(d.Adapt_picture_checkbox().Value());
    EXPECT_FALSE(d.tile_picture_checkbox().Value());
    // The text options box opens unticked whatever the module holds.
    EXPECT_FALSE(d.Browser_Options_Checkbox().Value());
    EXPECT_EQ(d.Browser_Text_Color_EditField().Text(), "ABCDEF");
    EXPECT_FALSE(d.Transparent_White_Checkbox().Enabled());
    // The "..." button is narrowed to 32 and moved 3 pixels left: 251 - 3 = 248.
    EXPECT_EQ(d.Browser_Picture_Button().Width(), 32);
    EXPECT_EQ(d.Browser_Picture_Button().Left(), 248);
    EXPECT_FALSE(d.FontMenu_ComboBox().Visible());
    EXPECT_EQ(d.Width(), 652);
    EXPECT_EQ(d.Height(), 397);
    EXPECT_EQ(d.Title(), "Browser Options");
}

TEST_F(BrowserOptionsTest, ASkinWithoutABrowserOpensWithEmptySizeFields) {
    auto& d = OpenDialog();
    EXPECT_EQ(d.Browser_width_Editfield().Text(), "");
    EXPECT_EQ(d.Browser_height_Editfield().Text(), "");
    // No skin ever gave a size: the field shows "0" and the dialog cannot close yet.
    EXPECT_EQ(d.B_text_size_editfield().Text(), "0");
    EXPECT_FALSE(d.Close());
}

TEST_F(BrowserOptionsTest, SecondRequestReturnsTheOpenDialog) {
    auto& first = OpenDialog();
    first.B_text_size_editfield().SetText("20");
    auto& second = OpenDialog();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.B_text_size_editfield().Text(), "20");
}

enum class CloseWay { CloseBox, Button, Quit };
struct SizeRuleCase {
    const char* name;
    const char* text;
    CloseWay way;
    bool closes;
};
const SizeRuleCase kSizeRuleCases[] = {
    // clang-format off
    {"Eight",            "8",     CloseWay::CloseBox, true},
    {"ThirtySix",        "36",    CloseWay::Button,   true},
    {"TwelvePx",         "12 px", CloseWay::Quit,     true},
    {"SevenNine",        "7.9",   CloseWay::CloseBox, false},
    {"ThirtySixAndHalf", "36.5",  CloseWay::Button,   false},
    {"Forty",            "40",    CloseWay::Quit,     false},
    {"Zero",             "0",     CloseWay::CloseBox, false},
    {"Empty",            "",      CloseWay::Button,   false},
    // clang-format on
};
class SizeRuleTest : public BrowserOptionsTest,
                     public ::testing::WithParamInterface<SizeRuleCase> {};

TEST_P(SizeRuleTest, EveryWayOfClosingChecksTheSize) {
    const auto& c = GetParam();
    Browser::B_Text_Size = 14;
    Browser::B_Background_Picture = "/old.png";
    auto& d = OpenDialog();
    d.Browser_Picture_EditField().SetText("/new.png");
    d.B_text_size_editfield().SetText(c.text);
    QPointer<Browser_Options_Window> alive(&d);
    switch (c.way) {
        case CloseWay::CloseBox:
            d.close();
            break;
        case CloseWay::Button:
            testsupport::ClickCentre(d.Apply_Button());
            break;
        case CloseWay::Quit:
            d.Close(true);
            break;
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (c.closes) {
        EXPECT_TRUE(dialogs->shown.empty());
        EXPECT_TRUE(alive.isNull());
        EXPECT_EQ(Browser::B_Background_Picture, "/new.png");
        return;
    }
    ASSERT_FALSE(alive.isNull());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0], "Font size must be between 8 and 36.");
    EXPECT_TRUE(d.B_text_size_editfield().HasFocus());
    EXPECT_EQ(d.B_text_size_editfield().SelLength(),
              static_cast<std::int32_t>(std::string(c.text).size()));
    // No closing step ran.
    EXPECT_EQ(Browser::B_Background_Picture, "/old.png");
    EXPECT_EQ(Browser::B_Text_Size, 14);
}
INSTANTIATE_TEST_SUITE_P(Sizes, SizeRuleTest, ::testing::ValuesIn(kSizeRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct GridPress {
    const char* name;
    int x, y, cell;
};
const GridPress kGridPresses[] = {
    // clang-format off
    {"X23", 23, 5, 1}, {"X24", 24, 5, 2}, {"X56", 56, 5, 2}, {"X57", 57, 5, 3},
    {"Y23", 5, 23, 1}, {"Y24", 5, 24, 4}, {"Y56", 5, 56, 4}, {"Y57", 5, 57, 7},
    {"Corner", 76, 76, 9},
    // clang-format on
};
class GridPressTest : public BrowserOptionsTest, public ::testing::WithParamInterface<GridPress> {};
TEST_P(GridPressTest, APressStoresTheCellAtOnce) {
    auto& d = OpenDialog();
    testsupport::Click(d.Browser_Picture_Position_Canvas(), QPoint(GetParam().x, GetParam().y));
    EXPECT_EQ(Browser::B_Picture_Position, GetParam().cell);
}
INSTANTIATE_TEST_SUITE_P(Grid, GridPressTest, ::testing::ValuesIn(kGridPresses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserOptionsTest, GridPaintHighlightsTheCellAndFramesEverySquare) {
    Browser::B_Picture_Position = 5;
    Browser::B_Text_Size = 12;
    auto& d = OpenDialog();
    const auto p = d.Browser_Picture_Position_Canvas().Render().Copy();
    const auto pixel = [&p](int x, int y) { return p->RGBSurface().Pixel(x, y); };
    // Cell 5's square starts at (30, 30) and is 17 wide: (38, 38) is inside it, highlighted.
    EXPECT_EQ(pixel(38, 38), platform::RGB(0x88, 0xC9, 0xF0));
    // Cell 1's square at (3, 3): white. Its frame's top-left corner (2, 2): black.
    EXPECT_EQ(pixel(10, 10), platform::RGB(255, 255, 255));
    EXPECT_EQ(pixel(2, 2), platform::RGB(0, 0, 0));
    // Frame of 19 from 2: the right line at 2 + 19 - 1 = 20.
    EXPECT_EQ(pixel(20, 10), platform::RGB(0, 0, 0));
    // Between frames (x 21 to 28) the dialog's back colour shows.
    EXPECT_EQ(pixel(24, 10), platform::RGB(0x33, 0x35, 0x38));
}

TEST_F(BrowserOptionsTest, AdaptAndTileExcludeEachOther) {
    Browser::B_Text_Size = 12;
    auto& d = OpenDialog();
    d.Adapt_picture_checkbox().SetValue(true);
    d.tile_picture_checkbox().SetValue(true);
    EXPECT_FALSE(d.Adapt_picture_checkbox().Value());
    d.Adapt_picture_checkbox().SetValue(true);
    EXPECT_FALSE(d.tile_picture_checkbox().Value());
    d.Adapt_picture_checkbox().SetValue(false);
    EXPECT_FALSE(d.tile_picture_checkbox().Value());
    ASSERT_TRUE(d.Close());
    EXPECT_FALSE(Browser::B_Adapt_Picture);
    EXPECT_FALSE(Browser::B_Tile_Picture);
}

TEST_F(BrowserOptionsTest, UntickingTheBackgroundDeselectsBothRadiosAtOnce) {
    Browser::B_Text_Size = 12;
    Browser::Browser_Change = true;
    Browser::Browser_Color_change = true;
    auto& d = OpenDialog();
    EXPECT_TRUE(d.Color_radio().Value());
    d.Browser_Background_Checkbox().SetValue(false);
    EXPECT_FALSE(Browser::Browser_Change);
    EXPECT_FALSE(d.Color_radio().Value());
    d.Browser_Background_Checkbox().SetValue(true);
    EXPECT_FALSE(d.Color_radio().Value());
    EXPECT_FALSE(d.Picture_Radio().Value());
    ASSERT_TRUE(d.Close());
    EXPECT_TRUE(Browser::Browser_Change);
    EXPECT_FALSE(Browser::Browser_Color_change);
    EXPECT_FALSE(Browser::Browser_Picture_Change);
}

TEST_F(BrowserOptionsTest, PickingAPictureFillsThePathAndTicksTheBackgroundOnly) {
    Browser::B_Text_Size = 12;
    auto& d = OpenDialog();
    dialogs->QueueOpenFile(std::nullopt);
    testsupport::ClickCentre(d.Browser_Picture_Button());
    EXPECT_EQ(d.Browser_Picture_EditField().Text(), "");
    EXPECT_FALSE(d.Browser_Background_Checkbox().Value());
    dialogs->QueueOpenFile("/home/me/stripes.png");
    testsupport::ClickCentre(d.Browser_Picture_Button());
    EXPECT_EQ(d.Browser_Picture_EditField().Text(), "/home/me/stripes.png");
    EXPECT_TRUE(d.Browser_Background_Checkbox().Value());
    EXPECT_FALSE(d.Picture_Radio().Value());
    ASSERT_EQ(dialogs->openRequests.size(), 2u);
    // The pictures the tool reads, and every file as a second choice.
    EXPECT_EQ(dialogs->openRequests[0].filter, "bmp;jpeg;jpg;png");
    EXPECT_EQ(dialogs->openRequests[0].filterName, "Picture Files");
    EXPECT_TRUE(dialogs->openRequests[0].offerAllFiles);
}

TEST_F(BrowserOptionsTest, WhatEachCloseStoresForTheTextOptions) {
    Browser::B_Text_Size = 14;
    Browser::Browser_XML_Change = true;
    // Opened and closed untouched: the text options go off.
    ASSERT_TRUE(OpenDialog().Close());
    EXPECT_FALSE(Browser::Browser_XML_Change);
    // 14.6 against 14: 14 is stored and the options turn on, even with the box unticked.
    auto& d = OpenDialog();
    d.B_text_size_editfield().SetText("14.6");
    d.Browser_Options_Checkbox().SetValue(false);
    ASSERT_TRUE(d.Close());
    EXPECT_EQ(Browser::B_Text_Size, 14);
    EXPECT_TRUE(Browser::Browser_XML_Change);
    // A confirmed text colour ticks the box and is stored at once.
    auto& e = OpenDialog();
    dialogs->QueueColor(platform::RGB(1, 2, 3));
    ConfirmColour(e.UI_ColorPicker3());
    EXPECT_EQ(Browser::B_Selected_Color, platform::RGB(1, 2, 3));
    EXPECT_TRUE(e.Browser_Options_Checkbox().Value());
}

TEST_F(BrowserOptionsTest, AKeyInTheSizeFieldTicksTheTextOptions) {
    Browser::B_Text_Size = 14;
    auto& d = OpenDialog();
    d.B_text_size_editfield().SetFocus();
    QTest::keyClick(&d.B_text_size_editfield(), Qt::Key_Left);
    EXPECT_TRUE(d.Browser_Options_Checkbox().Value());
    ASSERT_TRUE(d.Close());
    EXPECT_TRUE(Browser::Browser_XML_Change);
    EXPECT_EQ(Browser::B_Text_Size, 14);
}

TEST_F(BrowserOptionsTest, TheOffWindowColourFieldsStayOutOfTheFocusChain) {
    Browser::B_Text_Size = 14;
    Browser::B_Text_Color = platform::RGB(0x11, 0x22, 0x33);
    auto& d = OpenDialog();
    // A colour confirmed in the picker must not be undone by the field's older text.
    dialogs->QueueColor(platform::RGB(0xAA, 0xBB, 0xCC));
    ConfirmColour(d.UI_ColorPicker2());
    // Tab never stops in the four fields, so none can lose the focus and apply its text.
    for (platform::TextField* f :
         {&d.Browser_Color_EditField(), &d.Browser_Text_Color_EditField(),
          &d.Browser_Selected_Color_EditField(), &d.Browser_Stripes_Color_EditField()})
        EXPECT_EQ(f->focusPolicy(), Qt::NoFocus);
    ASSERT_TRUE(d.Close());
    EXPECT_EQ(Browser::B_Text_Color, platform::RGB(0xAA, 0xBB, 0xCC));
}

TEST_F(BrowserOptionsTest, CloseButtonIsFittedWithItsRightEdgeAt632) {
    Browser::B_Text_Size = 12;
    INI_Read_Write::Lang = "english";
    auto& d = OpenDialog();
    EXPECT_EQ(d.Apply_Button().Caption(), "Close");
    // "Close" is narrower than 80 - 30 of padding, so 80 wide at 632 - 80 = 552.
    EXPECT_EQ(d.Apply_Button().Width(), 80);
    EXPECT_EQ(d.Apply_Button().Left(), 552);
    ASSERT_TRUE(d.Close());
    INI_Read_Write::Lang = "Francais";
    Language::LangList = std::map<std::string, std::string>{
        {"Apply", "Appliquer les changements de ce dialogue maintenant et pour toujours"}};
    auto& f = OpenDialog();
    EXPECT_EQ(f.Apply_Button().Caption(),
              "Appliquer les changements de ce dialogue maintenant et pour toujours");
    EXPECT_EQ(f.Apply_Button().Width(), 200);
    EXPECT_EQ(f.Apply_Button().Left(), 432);  // 632 - 200
    EXPECT_EQ(f.Apply_Button().HelpTag(), f.Apply_Button().Caption());
}

TEST_F(BrowserOptionsTest, TheFontListIsSortedWithoutAtNamesAndOpensWithoutTicking) {
    Browser::B_Text_Size = 12;
    Browser::B_Text_Font = "Liberation Sans";
    auto& d = OpenDialog();
    auto& fonts = d.FontMenu_ComboBox();
    ASSERT_GT(fonts.ListCount(), 0);
    for (int i = 1; i < fonts.ListCount(); ++i)
        EXPECT_LE(fonts.List(i - 1), fonts.List(i));
    for (int i = 0; i < fonts.ListCount(); ++i)
        EXPECT_NE(fonts.List(i).rfind("@", 0), 0u);
    EXPECT_EQ(fonts.Text(), "Liberation Sans");
    EXPECT_FALSE(d.Browser_Options_Checkbox().Value());
}

}  // namespace
