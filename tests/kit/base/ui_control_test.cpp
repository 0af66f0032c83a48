#include "kit/base/ui_control.h"

#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/rgbsurface.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <string>

using platform::Color;
using platform::RGB;

namespace {

/// Opens its window as a kit button would: it handles UI_Control's Open.
class ButtonLike : public UI_Control {
public:
    using UI_Control::DrawBackground;
    using UI_Control::GetWindowColor;
    using UI_Control::mixColor;
    using UI_Control::ToGray;
    using UI_Control::TransparentColor;
    using UI_Control::UI_Control;
    int opens = 0;

protected:
    void Event_ControlOpen() override {
        ++opens;
        Open.Raise();
    }
};

/// A class that derives from UI_Control without handling its Open.
class Stray : public UI_Control {
public:
    using UI_Control::UI_Control;
};

class KitWindow : public platform::Window {
public:
    ButtonLike* button = nullptr;
    Stray* stray = nullptr;
    int buttonOpens = 0;

protected:
    void Layout() override {
        SetTitle("Main Window");
        setGeometry(0, 0, 120, 80);
        button = &AddControl<ButtonLike>(
            this,
            [](ButtonLike& b) {
                b.SetName("Job_Button");
                b.setGeometry(10, 10, 30, 20);
            },
            [this](ButtonLike& b) { b.Open = [this] { ++buttonOpens; }; });
        stray = &AddControl<Stray>(this, [](Stray& s) { s.SetName("Canvas1"); });
    }
};

class UIControlTest : public ::testing::Test {
protected:
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace

TEST_F(UIControlTest, OpenReachesTheHandlingClassAndOtherClassesGetTheMisuseMessage) {
    platform::ScopedScriptedDialogs dialogs;
    auto* w = new KitWindow;
    w->Build();
    EXPECT_EQ(w->button->opens, 1);
    EXPECT_EQ(w->buttonOpens, 1);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0],
              "Canvas1 on Main Window is a UI_Control.\n"
              "This class is not meant to be used directly.\n"
              "Please use a UI_Button or UI_PopupMenu.");
    EXPECT_EQ(w->stray->TrueWindow(), w);  // the control stays in its window
    w->Close();
}

struct GrayCase {
    const char* name;
    Color in;
    Color want;
};
// clang-format off
const GrayCase kGrayCases[] = {
    // White: 255 × 0.9999 = 254.97; red: 255 × 0.2989 = 76.2; green: 149.7; blue: 29.07.
    {"WhiteIsOneLevelDown", RGB(255, 255, 255), RGB(0xFE, 0xFE, 0xFE)},
    {"Red",                 RGB(255, 0, 0),     RGB(0x4C, 0x4C, 0x4C)},
    {"Green",               RGB(0, 255, 0),     RGB(0x95, 0x95, 0x95)},
    {"Blue",                RGB(0, 0, 255),     RGB(0x1D, 0x1D, 0x1D)},
};
// clang-format on
class ToGrayTest : public ::testing::TestWithParam<GrayCase> {};
TEST_P(ToGrayTest, LumaTruncated) {
    EXPECT_EQ(ButtonLike::ToGray(GetParam().in), GetParam().want);
}
INSTANTIATE_TEST_SUITE_P(Colours, ToGrayTest, ::testing::ValuesIn(kGrayCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UIControlColourTest, TransparentColorTruncatesThePercentage) {
    EXPECT_EQ(ButtonLike::TransparentColor(0), RGB(0, 0, 0));
    EXPECT_EQ(ButtonLike::TransparentColor(50), RGB(0x7F, 0x7F, 0x7F));  // 127.5
    EXPECT_EQ(ButtonLike::TransparentColor(100), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(ButtonLike::TransparentColor(150), RGB(0xFF, 0xFF, 0xFF));  // limited, no wrap
}

TEST(UIControlColourTest, MixColorUsesSinglePrecisionWeights) {
    // u = (float)(1 - 0.3) = 0.69999999; 255 × 0.3 (as a float, 0.30000001) = 76.5: 0x4C.
    EXPECT_EQ(ButtonLike::mixColor(RGB(0, 0, 0), RGB(255, 255, 255), 0.3f), RGB(0x4C, 0x4C, 0x4C));
    // 255 × 0.69999999 = 178.49: 0xB2.
    EXPECT_EQ(ButtonLike::mixColor(RGB(255, 255, 255), RGB(0, 0, 0), 0.3f), RGB(0xB2, 0xB2, 0xB2));
    EXPECT_EQ(ButtonLike::mixColor(RGB(1, 2, 3), RGB(200, 200, 200), 0), RGB(1, 2, 3));
    // With itself at 0.1: 0.89999998 + 0.1 (float 0.100000001) sums under 1 for 200: 199.
    EXPECT_EQ(ButtonLike::mixColor(RGB(200, 100, 0), RGB(200, 100, 0), 0.1f), RGB(199, 99, 0));
    // At 0.3 the weights sum to exactly 1 in double: the colour comes back.
    EXPECT_EQ(ButtonLike::mixColor(RGB(200, 100, 0), RGB(200, 100, 0), 0.3f), RGB(200, 100, 0));
}

TEST_F(UIControlTest, BackgroundIsTheWindowColourWithTheBackdropSliceUnderTheControl) {
    auto* w = new KitWindow;
    w->Build();
    ButtonLike& b = *w->button;  // at (10, 10), 30 × 20
    EXPECT_EQ(b.GetWindowColor(), RGB(0xED, 0xED, 0xED));

    // A backdrop 41 wide whose column x is grey x: the control's slice starts at column 10.
    platform::PicturePtr backdrop = platform::Picture::New(41, 41);
    for (int x = 0; x < 41; ++x) {
        backdrop->Graphics().ForeColor = RGB(x, x, x);
        backdrop->Graphics().FillRect(x, 0, 1, 41);
    }
    w->SetBackdrop(backdrop);
    w->SetHasBackColor(true);
    w->SetBackColor(RGB(0x33, 0x35, 0x38));
    platform::PicturePtr pic = platform::Picture::New(30, 20);
    b.DrawBackground(pic->Graphics());
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0), RGB(10, 10, 10));
    EXPECT_EQ(pic->RGBSurface().Pixel(29, 19), RGB(39, 39, 39));
    EXPECT_EQ(pic->Graphics().ForeColor, RGB(0x33, 0x35, 0x38));  // left at the fill colour

    // A control whose Left equals the backdrop's width gets no slice; one less does.
    b.SetLeft(41);
    b.DrawBackground(pic->Graphics());
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0), RGB(0x33, 0x35, 0x38));
    b.SetLeft(40);
    b.DrawBackground(pic->Graphics());
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0), RGB(40, 40, 40));
    EXPECT_EQ(pic->RGBSurface().Pixel(1, 0), RGB(0x33, 0x35, 0x38));  // beyond the backdrop

    // The control's own back colour: no backdrop at all.
    b.HasBackColor = true;
    b.BackColor = RGB(1, 2, 3);
    b.DrawBackground(pic->Graphics());
    EXPECT_EQ(pic->RGBSurface().Pixel(0, 0), RGB(1, 2, 3));
    w->Close();
}
