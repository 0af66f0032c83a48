#include "buttons_test_util.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/variables_buttons.h"
#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace buttonstest;

/// The caption's width in the normal look's font of the built-in style (bold), as the
/// platform measures it.
double Measured(const std::string& caption, bool bold = true) {
    auto scratch = platform::Picture::New(1, 1);
    scratch->Graphics().TextFont = "Arial";
    scratch->Graphics().Bold = bold;
    return scratch->Graphics().StringWidth(caption);
}

class FixWidthTest : public ::testing::Test {
protected:
    void SetUp() override {
        UI_Module::ResetDefaults();
        w = new ProbeWindow;
        w->layout = [this](ProbeWindow& win) {
            button = &win.Add<UI_Button>([](UI_Button& b) {
                b.SetLeft(300);
                b.SetTop(10);
                b.SetWidth(100);
                b.SetHeight(25);
            });
        };
        w->Build();
    }
    void TearDown() override {
        w->Close();
        FlushDeletes();
    }
    ProbeWindow* w = nullptr;
    UI_Button* button = nullptr;
};

TEST_F(FixWidthTest, EmptyCaptionTakesTheMinimum) {
    // 0 + 2 * 15 = 30, below the minimum of 80.
    Variables::fixWidth(*button, true, 200, 80);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Left(), 320);  // the right edge stays at 400
    button->MyStyle.TextPadding = 0;
    Variables::fixWidth(*button, false, 0, 0);
    EXPECT_EQ(button->Width(), 0);
}

TEST_F(FixWidthTest, MeasuredWidthDropsItsFractionThenAddsThePadding) {
    const std::string caption = "Apply the changes";
    button->SetCaption(caption);
    const double sw = Measured(caption);
    ASSERT_NE(sw, std::floor(sw)) << "pick a caption with a fractional width";
    const int wanted = static_cast<int>(std::trunc(sw)) + 30;
    ASSERT_LT(wanted, 200);
    button->SetHelpTag("window's tag");
    Variables::fixWidth(*button, false, 200, 80);
    EXPECT_EQ(button->Width(), wanted);
    EXPECT_EQ(button->Left(), 300);
    EXPECT_EQ(button->HelpTag(), "window's tag");
    // Only the normal look's font counts.
    button->MyStyle.TextSelBold = 0;
    button->MyStyle.TextOverFont = "Liberation Mono";
    Variables::fixWidth(*button, true, 0, 0);
    EXPECT_EQ(button->Width(), wanted);
    EXPECT_EQ(button->Left() + button->Width(), 300 + wanted);
    button->MyStyle.TextBold = 0;
    Variables::fixWidth(*button, false, 0, 0);
    EXPECT_EQ(button->Width(), static_cast<int>(std::trunc(Measured(caption, false))) + 30);
}

TEST_F(FixWidthTest, TheMaximumCutsAndShowsTheCaptionAsHelpTag) {
    const std::string caption = "Apply these changes to every skin you resize from now on";
    button->SetCaption(caption);
    ASSERT_GT(Measured(caption) + 30, 200);
    Variables::fixWidth(*button, true, 200, 80);
    EXPECT_EQ(button->Width(), 200);
    EXPECT_EQ(button->Left(), 200);
    EXPECT_EQ(button->HelpTag(), caption);
    // With no maximum the button takes its whole caption.
    Variables::fixWidth(*button, false, 0, 80);
    EXPECT_EQ(button->Width(), static_cast<int>(std::trunc(Measured(caption))) + 30);
}

TEST_F(FixWidthTest, AWidthEqualToTheMaximumIsNotCut) {
    const std::string caption = "Preview";
    button->SetCaption(caption);
    const int wanted = static_cast<int>(std::trunc(Measured(caption))) + 30;
    Variables::fixWidth(*button, false, wanted, 0);
    EXPECT_EQ(button->Width(), wanted);
    EXPECT_EQ(button->HelpTag(), "");
}

TEST_F(FixWidthTest, ACaptionThatFitsAgainDropsTheTagThatFittingSet) {
    const std::string longCaption = "Apply these changes to every skin you resize from now on";
    button->SetCaption(longCaption);
    Variables::fixWidth(*button, true, 200, 80);
    ASSERT_EQ(button->HelpTag(), longCaption);
    // After a language switch the shorter caption fits: the stale tag goes.
    button->SetCaption("Apply");
    Variables::fixWidth(*button, true, 200, 80);
    EXPECT_EQ(button->HelpTag(), "");
    // A tag the window set itself is never touched.
    button->SetHelpTag("Applies the options");
    Variables::fixWidth(*button, true, 200, 80);
    EXPECT_EQ(button->HelpTag(), "Applies the options");
}

}  // namespace
