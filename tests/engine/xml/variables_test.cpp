#include "engine/xml/variables.h"

#include "engine/xml/browser.h"
#include "engine_fixture.h"

#include <gtest/gtest.h>

namespace {

using platform::RGB;

TEST(JobStateTest, ProcessStartDefaults) {
    // CTest runs each case in its own process; the other cases restore the defaults anyway.
    EXPECT_EQ(Variables::RC, "EndOfLine");
    EXPECT_TRUE(Variables::Str_Line.empty());
    EXPECT_EQ(Variables::inWidth, 0);
    EXPECT_EQ(Variables::outHeight, 0);
    EXPECT_EQ(Variables::X_prop, 0.0f);
    EXPECT_EQ(Variables::SkinVersion, 0.0f);
    EXPECT_EQ(Variables::P_Change_FontSize_Value, 100);
    EXPECT_EQ(Variables::P_Change_Gain_Value, 750);
    EXPECT_TRUE(Variables::P_Old_Renderer);
    EXPECT_TRUE(Variables::Window_Open);
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(Variables::Log_Ok);
    EXPECT_FALSE(Variables::ThreadRunning);
    EXPECT_FALSE(Variables::XMLSavedThisJob);
    EXPECT_EQ(Variables::P_Border_Color, RGB(0, 0, 0));
    EXPECT_EQ(Variables::Change_Color, RGB(255, 255, 255));
    EXPECT_EQ(Variables::customicons, (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(Variables::custombuttons, (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(Browser::BrowserCount, 0);
    EXPECT_EQ(Browser::B_Picture_Position, 5);
    EXPECT_EQ(Browser::B_Text_Size, 0);
    EXPECT_EQ(Browser::Browser_Color, RGB(0, 0, 0));
    EXPECT_EQ(Browser::B_Stripes_Color, RGB(0, 0, 0));
}

TEST(JobStateTest, ResetDefaultsRestoresWhatAJobChanged) {
    Variables::RC = "\n";
    Variables::Str_Line = {"a"};
    Variables::inWidth = 1024;
    Variables::X_prop = 1.5f;
    Variables::P_Old_Renderer = false;
    Variables::Window_Open = false;
    Variables::Job_Ok = false;
    Variables::Log_Ok = false;
    Variables::P_Change_Gain_Value = 1;
    Variables::Change_Color = RGB(1, 2, 3);
    Variables::customicons = {7};
    Variables::Mask = {"1 2 3 4"};
    Browser::Browser_X = {1};
    Browser::BrowserCount = 3;
    Browser::B_Picture_Position = 1;
    Browser::B_Text_Font = "Arial";
    Variables::ResetDefaults();
    Browser::ResetDefaults();
    EXPECT_EQ(Variables::RC, "EndOfLine");
    EXPECT_TRUE(Variables::Str_Line.empty());
    EXPECT_EQ(Variables::inWidth, 0);
    EXPECT_EQ(Variables::X_prop, 0.0f);
    EXPECT_TRUE(Variables::P_Old_Renderer);
    EXPECT_TRUE(Variables::Window_Open);
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(Variables::Log_Ok);
    EXPECT_EQ(Variables::P_Change_Gain_Value, 750);
    EXPECT_EQ(Variables::Change_Color, RGB(255, 255, 255));
    EXPECT_EQ(Variables::customicons, (std::vector<std::int32_t>{0, 0}));
    EXPECT_TRUE(Variables::Mask.empty());
    EXPECT_TRUE(Browser::Browser_X.empty());
    EXPECT_EQ(Browser::BrowserCount, 0);
    EXPECT_EQ(Browser::B_Picture_Position, 5);
    EXPECT_EQ(Browser::B_Text_Font, "");
}

using BrowserInitTest = enginetest::EngineTest;

TEST_F(BrowserInitTest, ForgetsTheRectanglesButNotTheRestyleOptions) {
    Browser::BrowserCount = 2;
    Browser::Browser_X = {10, 20};
    Browser::Browser_Y = {30};
    Browser::Browser_Width = {400, 500};
    Browser::Browser_Height = {300, 250};
    Browser::Browser_Change = true;
    Browser::Browser_Color = RGB(1, 2, 3);
    Browser::B_Text_Font = "Liberation Sans";
    Browser::B_Text_Size = 14;
    Browser::B_Picture_Position = 9;
    Browser::Init();
    EXPECT_EQ(Browser::BrowserCount, 0);
    EXPECT_TRUE(Browser::Browser_X.empty());
    EXPECT_TRUE(Browser::Browser_Y.empty());
    EXPECT_TRUE(Browser::Browser_Width.empty());
    EXPECT_TRUE(Browser::Browser_Height.empty());
    EXPECT_TRUE(Browser::Browser_Change);
    EXPECT_EQ(Browser::Browser_Color, RGB(1, 2, 3));
    EXPECT_EQ(Browser::B_Text_Font, "Liberation Sans");
    EXPECT_EQ(Browser::B_Text_Size, 14);
    EXPECT_EQ(Browser::B_Picture_Position, 9);
}

}  // namespace
