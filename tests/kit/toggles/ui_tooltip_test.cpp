#include "kit/toggles/ui_tooltip.h"

#include "paint_probe.h"
#include "platform/graphics.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <limits>
#include <memory>
#include <vector>

using platform::Color;
using platform::PicturePtr;
using platform::ScopedManualTimers;
using toggles_test::Hex;
using toggles_test::Near;
using toggles_test::PixelAt;
using toggles_test::SavePng;

namespace {

// The opacities of the fade, stepped by 0.1 in double precision from the 0 that Show sets:
// ten steps give 0.9999999999999999, still below 1, so an eleventh is taken.
const double kFadeIn[] = {0.1,
                          0.2,
                          0.30000000000000004,
                          0.4,
                          0.5,
                          0.6,
                          0.7,
                          0.7999999999999999,
                          0.8999999999999999,
                          0.9999999999999999,
                          1.0999999999999999};
const double kFadeOut[] = {0.9999999999999999,
                           0.8999999999999999,
                           0.7999999999999999,
                           0.7,
                           0.6,
                           0.5,
                           0.4,
                           0.30000000000000004,
                           0.20000000000000004,
                           0.10000000000000003,
                           2.7755575615628914e-17};

// The tool's way: a new tooltip at (1, 1), 1 × 1, shown at a point with automatic size.
std::unique_ptr<UI_Tooltip> NewTooltip() {
    return std::make_unique<UI_Tooltip>(1, 1, 1, 1, true, true);
}

void Click(QWidget& w) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), w.mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

class TooltipFadeTest : public ::testing::Test {
protected:
    ScopedManualTimers timers;
    std::unique_ptr<UI_Tooltip> tip = NewTooltip();
};

TEST_F(TooltipFadeTest, FadesInHoldsFadesOutAndCloses) {
    tip->Show("Too small", 500, 400, 300, 200, true, 5);
    EXPECT_EQ(tip->Alpha(), 0.0);
    EXPECT_TRUE(tip->isVisible());
    // Ticks at 20, 40, … 220 ms raise the opacity.
    for (double expected : kFadeIn) {
        timers->Advance(20);
        EXPECT_EQ(tip->Alpha(), expected);
    }
    // The tick at 240 ms starts the display time without a step.
    timers->Advance(20);
    EXPECT_EQ(tip->Alpha(), 1.0999999999999999);
    ASSERT_NE(tip->FadeTimer(), nullptr);
    EXPECT_EQ(tip->FadeTimer()->Period(), 5000);
    EXPECT_TRUE(tip->FadeTimer()->Closing());
    // Nothing moves for five seconds: 240 + 4,999 ms.
    timers->Advance(4999);
    EXPECT_EQ(tip->Alpha(), 1.0999999999999999);
    // The tick at 5,240 ms takes the first step down and returns to 20 ms steps.
    timers->Advance(1);
    EXPECT_EQ(tip->Alpha(), kFadeOut[0]);
    EXPECT_EQ(tip->FadeTimer()->Period(), 20);
    for (int i = 1; i < 11; ++i) {
        timers->Advance(20);
        EXPECT_EQ(tip->Alpha(), kFadeOut[i]) << "step " << i;
    }
    EXPECT_FALSE(tip->IsClosed());  // 5,440 ms: the eleventh step
    timers->Advance(20);            // 5,460 ms: below 0.1, closed
    EXPECT_TRUE(tip->IsClosed());
    EXPECT_EQ(tip->FadeTimer()->Mode(), platform::Timer::kModeOff);
    EXPECT_EQ(timers->ScheduledCount(), 0u);
}

TEST_F(TooltipFadeTest, NoDisplayTimeStaysUntilClicked) {
    tip->Show("Hint", 100, 100, 0, 0, true, 0);
    timers->Advance(12 * 20);
    EXPECT_EQ(tip->Alpha(), 1.0999999999999999);
    EXPECT_EQ(tip->FadeTimer()->Mode(), platform::Timer::kModeOff);
    EXPECT_FALSE(tip->FadeTimer()->Closing());
    timers->Advance(60'000);
    EXPECT_FALSE(tip->IsClosed());
    Click(*tip);
    timers->Advance(20);
    EXPECT_EQ(tip->Alpha(), kFadeOut[0]);
    timers->Advance(11 * 20);
    EXPECT_TRUE(tip->IsClosed());
}

TEST_F(TooltipFadeTest, NegativeDisplayTimeAlsoStays) {
    tip->Show("Hint", 100, 100, 0, 0, true, -3);
    timers->Advance(10'000);
    EXPECT_EQ(tip->Alpha(), 1.0999999999999999);
    EXPECT_FALSE(tip->IsClosed());
}

TEST_F(TooltipFadeTest, ClickWhileFadingInTurnsAroundAtOnce) {
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    timers->Advance(5 * 20);
    EXPECT_EQ(tip->Alpha(), 0.5);
    Click(*tip);
    timers->Advance(20);
    EXPECT_DOUBLE_EQ(tip->Alpha(), 0.4);
    // 0.4, 0.3, 0.2, 0.1, ~0: five steps down, then the tick that closes.
    timers->Advance(4 * 20);
    EXPECT_FALSE(tip->IsClosed());
    EXPECT_LT(tip->Alpha(), 0.1);
    timers->Advance(20);
    EXPECT_TRUE(tip->IsClosed());
}

TEST_F(TooltipFadeTest, ClickBeforeTheFirstTickClosesAtTheFirstTick) {
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    Click(*tip);
    timers->Advance(19);
    EXPECT_FALSE(tip->IsClosed());
    timers->Advance(1);
    EXPECT_TRUE(tip->IsClosed());
    EXPECT_EQ(tip->Alpha(), 0.0);
}

TEST_F(TooltipFadeTest, ClickAtTheFirstStepFallsToZeroThenCloses) {
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    timers->Advance(20);
    EXPECT_EQ(tip->Alpha(), 0.1);
    tip->CloseSmooth();
    timers->Advance(20);
    EXPECT_EQ(tip->Alpha(), 0.0);
    EXPECT_FALSE(tip->IsClosed());
    timers->Advance(20);
    EXPECT_TRUE(tip->IsClosed());
}

TEST_F(TooltipFadeTest, ClickDuringTheDisplayTimeFadesTwentyMillisecondsLater) {
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    timers->Advance(12 * 20 + 1000);
    EXPECT_EQ(tip->FadeTimer()->Period(), 5000);
    tip->CloseSmooth();
    EXPECT_EQ(tip->FadeTimer()->Period(), 20);
    timers->Advance(19);
    EXPECT_EQ(tip->Alpha(), 1.0999999999999999);
    timers->Advance(1);
    EXPECT_EQ(tip->Alpha(), kFadeOut[0]);
}

TEST_F(TooltipFadeTest, OpenDuringTheFadeOutClimbsAgainFromWhereItWas) {
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    timers->Advance(12 * 20 + 5000 + 20);  // steps down at 5,240 and 5,260 ms
    EXPECT_EQ(tip->Alpha(), kFadeOut[1]);
    tip->FadeTimer()->Open(5);
    timers->Advance(20);
    EXPECT_EQ(tip->Alpha(), kFadeOut[1] + 0.1);  // 0.9999999999999999, still below 1
    timers->Advance(20);
    EXPECT_EQ(tip->Alpha(), kFadeOut[1] + 0.1 + 0.1);
    EXPECT_FALSE(tip->FadeTimer()->Closing());
    timers->Advance(20);  // not below 1 any more: the display time starts anew
    EXPECT_TRUE(tip->FadeTimer()->Closing());
    EXPECT_EQ(tip->FadeTimer()->Period(), 5000);
}

TEST_F(TooltipFadeTest, CloseAfterTheWindowClosedClosesAgainHarmlessly) {
    tip->Show("Hint", 100, 100, 0, 0, true, 1);
    timers->Advance(12 * 20 + 1000 + 12 * 20);
    ASSERT_TRUE(tip->IsClosed());
    tip->CloseSmooth();
    timers->Advance(20);
    EXPECT_TRUE(tip->IsClosed());
    EXPECT_EQ(tip->FadeTimer()->Mode(), platform::Timer::kModeOff);
}

TEST_F(TooltipFadeTest, CloseSmoothBeforeAnyShowDoesNothing) {
    EXPECT_NO_THROW(tip->CloseSmooth());
    EXPECT_EQ(tip->FadeTimer(), nullptr);
    Click(*tip);
    timers->Advance(1000);
    EXPECT_FALSE(tip->IsClosed());
}

TEST_F(TooltipFadeTest, DisplayTimeBeyondThirtyTwoBitsHoldsInsteadOfWrapping) {
    struct Row {
        std::int32_t seconds;
        int period;
    };
    const Row rows[] = {
        {2'147'483, 2'147'483'000},  // the largest that fits: 2,147,483,000 ms
        // 2,147,484 × 1000 = 2,147,484,000 > 2,147,483,647: would wrap negative in 32 bits
        {2'147'484, std::numeric_limits<int>::max()},
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<int>::max()},
    };
    for (const Row& row : rows) {
        tip->Show("Hint", 100, 100, 0, 0, true, row.seconds);
        timers->Advance(12 * 20);
        EXPECT_EQ(tip->FadeTimer()->Period(), row.period) << row.seconds;
        timers->Advance(24LL * 3600 * 1000);  // a day later it still shows
        EXPECT_EQ(tip->Alpha(), 1.0999999999999999);
    }
}

TEST_F(TooltipFadeTest, SecondShowWhileFadingStartsAgainWithANewTimer) {
    tip->Show("First", 100, 100, 0, 0, true, 5);
    timers->Advance(12 * 20 + 5000 + 2 * 20);  // three steps down, at 5,240 to 5,280 ms
    const UI_TooltipTimer* first = tip->FadeTimer();
    EXPECT_EQ(tip->Alpha(), kFadeOut[2]);
    tip->Show("Second message", 200, 150, 0, 0, true, 5);
    EXPECT_NE(tip->FadeTimer(), first);
    EXPECT_EQ(tip->Alpha(), 0.0);
    EXPECT_EQ(timers->ScheduledCount(), 1u);  // the released timer ticks no more
    for (double expected : kFadeIn) {
        timers->Advance(20);
        EXPECT_EQ(tip->Alpha(), expected);
    }
}

TEST_F(TooltipFadeTest, DroppingTheTooltipTakesItsTimerAlong) {
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    timers->Advance(3 * 20);
    tip.reset();
    EXPECT_EQ(timers->ScheduledCount(), 0u);
    EXPECT_NO_THROW(timers->Advance(10'000));
}

TEST_F(TooltipFadeTest, EveryShowWritesTheBuiltInStyle) {
    UI_Tooltip::MyStyle.FillColor1 = Hex(0xFF0000);
    UI_Tooltip::MyStyle.Gloss = 0;
    tip->Show("Hint", 100, 100, 0, 0, true, 5);
    EXPECT_EQ(UI_Tooltip::MyStyle.FillColor1, Hex(0x474F59));
    EXPECT_EQ(UI_Tooltip::MyStyle.Gloss, 3);
    EXPECT_EQ(UI_Tooltip::MyStyle.TextFont, "Arial");
}

// 12-pixel Liberation Sans, what "Arial" at size 0 resolves to.
struct Font {
    int lineHeight;
    int ascent;
};

Font BalloonFont() {
    const PicturePtr probe = platform::Picture::New(1, 1);
    probe->Graphics().TextFont = "Arial";
    return {probe->Graphics().TextHeight(), probe->Graphics().TextAscent()};
}

TEST_F(TooltipFadeTest, OneLineTextGivesTheSmallestBalloon) {
    const Font font = BalloonFont();
    tip->Show("Too small", 500, 400, 300, 200, true, 5);
    // The search stops at w = 70: 70 + 20 + 1 = 91 wide; one line h, h + line + 21 high;
    // the window is 8 higher than the balloon, its picture 6.
    const int balloonHeight = font.lineHeight + font.lineHeight + 21;
    EXPECT_EQ(tip->Width(), 91);
    EXPECT_EQ(tip->Height(), balloonHeight + 8);
    EXPECT_EQ(tip->Left(), 500 - 45);
    EXPECT_EQ(tip->Top(), 400 - balloonHeight - 8);
    ASSERT_TRUE(tip->Pict && tip->Mask);
    EXPECT_EQ(tip->Pict->Width(), 91);
    EXPECT_EQ(tip->Pict->Height(), balloonHeight + 6);
    EXPECT_EQ(tip->Mask->Height(), balloonHeight + 6);
}

TEST_F(TooltipFadeTest, TheWindowShowsOnlyTheBalloonAndItsPointer) {
    tip->Show("Too small", 500, 400, 300, 200, true, 5);
    const QImage screen = tip->ComposedImage();
    ASSERT_EQ(screen.width(), 91);
    // Beside the pointer, and in the two rows the picture leaves below it, nothing shows.
    EXPECT_EQ(qAlpha(screen.pixel(5, screen.height() - 4)), 0);
    EXPECT_EQ(qAlpha(screen.pixel(45, screen.height() - 1)), 0);
    // The balloon's middle is opaque (the window's own opacity is applied on the screen).
    EXPECT_EQ(qAlpha(screen.pixel(45, 20)), 255);
    EXPECT_EQ(qAlpha(screen.pixel(45, screen.height() - 5)), 255);  // inside the pointer
}

TEST_F(TooltipFadeTest, FixedSizeBalloonAboveThePoint) {
    tip->Show("Fixed", 500, 400, 300, 200, false, 5);
    EXPECT_EQ(tip->Left(), 350);
    EXPECT_EQ(tip->Top(), 192);
    EXPECT_EQ(tip->Width(), 300);
    EXPECT_EQ(tip->Height(), 208);
    ASSERT_TRUE(tip->Pict);
    EXPECT_EQ(tip->Pict->Width(), 300);
    EXPECT_EQ(tip->Pict->Height(), 206);
}

TEST_F(TooltipFadeTest, ZeroSizedBalloonShowsNothingAndStillFades) {
    EXPECT_NO_THROW(tip->Show("", 100, 100, 0, 0, false, 1));
    EXPECT_NO_THROW(timers->Advance(12 * 20 + 1000 + 12 * 20));
    EXPECT_TRUE(tip->IsClosed());
    EXPECT_NO_THROW(tip->Show("x", 100, 100, 1, 1, false, 1));
    EXPECT_NO_THROW(tip->Show("x", 100, 100, -5, 3, false, 1));
}

class TooltipPaintTest : public ::testing::Test {
protected:
    void SetUp() override { kit::WriteBuiltInTooltipStyle(style); }
    kit::TooltipStyle style;
};

// A balloon 91 × 49 with the built-in style: border 0x202224, inner area 89 × 47 at (1, 1)
// with corner radius 4, gradient 0x474F59 → 0x313338, pointer columns (91 − 11) \ 2 = 40 to
// 50 and picture rows 47 to 54.
TEST_F(TooltipPaintTest, BalloonPictureAndShape) {
    const kit::TooltipPictures pictures = kit::ComposeTooltip(style, "", 91, 49);
    ASSERT_TRUE(pictures.pict && pictures.mask);
    SavePng(*pictures.pict, "tooltip_empty");
    SavePng(*pictures.mask, "tooltip_empty_mask");
    EXPECT_EQ(pictures.pict->Width(), 91);
    EXPECT_EQ(pictures.pict->Height(), 55);  // 49 + 8 − 2
    const platform::Picture& pict = *pictures.pict;
    const platform::Picture& mask = *pictures.mask;
    EXPECT_EQ(PixelAt(pict, 45, 0), Hex(0x202224));  // the border's top row
    EXPECT_EQ(PixelAt(pict, 0, 24), Hex(0x202224));
    // The inner area's top row, under the gloss rim: white through mask grey 0xD0 (47 / 255)
    // over 0x474F59: 255·47/255 + 71·208/255 = 47 + 57.9, 47 + 64.4, 47 + 72.6.
    EXPECT_TRUE(Near(PixelAt(pict, 45, 1), platform::RGB(105, 111, 120)))
        << ::testing::PrintToString(PixelAt(pict, 45, 1));
    // Inner row 1 of 47: t = 1 / 46; 49t + 71(1 − t) = 70.5 → 70; 51t + 79(1 − t) = 78.4;
    // 56t + 89(1 − t) = 88.3.
    EXPECT_EQ(PixelAt(pict, 45, 2), platform::RGB(70, 78, 88));
    // Shape: opaque along the balloon's middle, transparent beside the pointer.
    EXPECT_EQ(PixelAt(mask, 45, 0), Hex(0x000000));
    EXPECT_EQ(PixelAt(mask, 45, 48), Hex(0x000000));
    EXPECT_EQ(PixelAt(mask, 5, 52), Hex(0xFFFFFF));
    EXPECT_EQ(PixelAt(mask, 85, 52), Hex(0xFFFFFF));
    // The pointer's middle column, picture row 50 (pointer row 3): inside the shape and
    // filled with 0x313338.
    EXPECT_EQ(PixelAt(mask, 45, 50), Hex(0x000000));
    EXPECT_EQ(PixelAt(pict, 45, 50), Hex(0x313338));
    // The pointer's first column, row 6 (picture row 53): border colour in the picture,
    // but outside the shape, whose triangle lies two rows lower than the coloured one.
    EXPECT_EQ(PixelAt(pict, 40, 53), Hex(0x202224));
    EXPECT_EQ(PixelAt(mask, 40, 53), Hex(0xFFFFFF));
    EXPECT_EQ(PixelAt(mask, 40, 47), Hex(0x000000));  // the shape's two top rows are opaque
    // Outside the pointer columns below the balloon nothing is opaque.
    EXPECT_EQ(PixelAt(mask, 39, 50), Hex(0xFFFFFF));
    EXPECT_EQ(PixelAt(mask, 51, 50), Hex(0xFFFFFF));
}

struct GlossCase {
    const char* name;
    std::uint8_t gloss;
    bool top;     // the rim shows along the inner area's top row
    bool bottom;  // and along its bottom row
};
// clang-format off
const GlossCase kGlossCases[] = {
    {"NoneLeavesTheFill",        0, false, false},
    // H / 2 = 24.5 is not below R = 5, so rows from Max(1, 4) = 4 down are wiped.
    {"OneKeepsTheUpperPart",     1, true,  false},
    // Rows 0 to 47 − 4 − 1 are wiped, the lowest four kept.
    {"TwoKeepsTheLowerPart",     2, false, true},
    {"ThreeKeepsTheWholeRim",    3, true,  true},
    {"AnyOtherKeepsTheWholeRim", 9, true,  true},
};
// clang-format on

class TooltipGlossTest : public ::testing::TestWithParam<GlossCase> {};

TEST_P(TooltipGlossTest, LightRimWhereTheGlossSays) {
    kit::TooltipStyle style;
    kit::WriteBuiltInTooltipStyle(style);
    style.Gloss = GetParam().gloss;
    const kit::TooltipPictures pictures = kit::ComposeTooltip(style, "", 91, 49);
    ASSERT_TRUE(pictures.pict);
    // Inner top row (picture row 1): the gradient's first colour 0x474F59, or white through
    // mask grey 0xD0 over it: 47 + 71·208/255 = 104.9, 47 + 79·208/255 = 111.4, 119.6.
    const Color top = PixelAt(*pictures.pict, 45, 1);
    if (GetParam().top)
        EXPECT_TRUE(Near(top, platform::RGB(105, 111, 120))) << ::testing::PrintToString(top);
    else
        EXPECT_EQ(top, Hex(0x474F59));
    // Inner bottom row (picture row 47, left of the pointer): the second colour 0x313338
    // (t = 46 / 46), or white over it: 47 + 49·0.8157 = 87.0, 88.6, 92.7.
    const Color bottom = PixelAt(*pictures.pict, 20, 47);
    if (GetParam().bottom)
        EXPECT_TRUE(Near(bottom, platform::RGB(87, 89, 93))) << ::testing::PrintToString(bottom);
    else
        EXPECT_EQ(bottom, Hex(0x313338));
}

INSTANTIATE_TEST_SUITE_P(Glosses, TooltipGlossTest, ::testing::ValuesIn(kGlossCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TooltipPaintTest, FillKindsOfTheInnerArea) {
    style.Gloss = 0;
    style.FillKind = 1;
    EXPECT_EQ(PixelAt(*kit::ComposeTooltip(style, "", 91, 49).pict, 45, 24), Hex(0x474F59));
    // Horizontal: column 44 of 89, t = 44 / 88 = 0.5: 49·0.5 + 71·0.5 = 60, 65, 72.5 → 72.
    style.FillKind = 3;
    EXPECT_EQ(PixelAt(*kit::ComposeTooltip(style, "", 91, 49).pict, 45, 24),
              platform::RGB(60, 65, 72));
    style.FillKind = 0;  // nothing drawn: the new picture's white
    EXPECT_EQ(PixelAt(*kit::ComposeTooltip(style, "", 91, 49).pict, 45, 24), Hex(0xFFFFFF));
}

TEST_F(TooltipPaintTest, OneLineTextIsCentredWithItsShadowBelow) {
    const std::string text = "Too small";
    const kit::TooltipPictures pictures = kit::ComposeTooltip(style, text, 91, 49);
    ASSERT_TRUE(pictures.pict);
    SavePng(*pictures.pict, "tooltip_text");
    const PicturePtr probe = platform::Picture::New(1, 1);
    probe->Graphics().TextFont = "Arial";
    probe->Graphics().Bold = true;
    const double w = probe->Graphics().StringWidth(text);
    // View width 91 − 2 − 2 = 87; x = Int(87 − w) \ 2 in the view, which starts at x = 2.
    const int left = 2 + static_cast<int>(87 - w) / 2;
    const QRect white = toggles_test::BoundsOf(*pictures.pict, QRect(2, 1, 87, 47),
                                               [](Color c) { return Near(c, Hex(0xFFFFFF), 40); });
    ASSERT_FALSE(white.isEmpty());
    EXPECT_GE(white.left(), left);
    EXPECT_LE(white.left(), left + 2);
    EXPECT_LE(white.right(), left + static_cast<int>(w) + 1);
    // The shadow shows below the white glyphs.
    const QRect shadow = toggles_test::BoundsOf(*pictures.pict, QRect(2, 1, 87, 47),
                                                [](Color c) { return Near(c, Hex(0x101112), 6); });
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(shadow.bottom(), white.bottom() + 1);
}

TEST_F(TooltipPaintTest, LongTextStartsTenPixelsIntoTheView) {
    const std::string text = "The output height must leave every browser at least 245 pixels";
    const kit::TooltipPictures pictures = kit::ComposeTooltip(style, text, 200, 120);
    ASSERT_TRUE(pictures.pict);
    SavePng(*pictures.pict, "tooltip_long");
    const QRect white = toggles_test::BoundsOf(*pictures.pict, QRect(2, 1, 196, 118),
                                               [](Color c) { return Near(c, Hex(0xFFFFFF), 40); });
    ASSERT_FALSE(white.isEmpty());
    // The view starts at B + 1 = 2; several lines at x = 10 in it: 12, wrapped at 196 − 20.
    EXPECT_GE(white.left(), 12);
    EXPECT_LE(white.left(), 14);
    EXPECT_LE(white.right(), 2 + 196 - 10);
}

TEST_F(TooltipPaintTest, ZeroPointerSizesTakeTheBuiltInValues) {
    style.PointerWidth = 0;
    style.PointerHeight = 0;
    const kit::TooltipPictures pictures = kit::ComposeTooltip(style, "", 91, 49);
    EXPECT_EQ(style.PointerWidth, 11);
    EXPECT_EQ(style.PointerHeight, 8);
    ASSERT_TRUE(pictures.pict);
    EXPECT_EQ(pictures.pict->Height(), 55);
}

TEST_F(TooltipPaintTest, BalloonsWithoutRoomPaintSafely) {
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {91, -6}, {-3, 40}, {3, 3}}) {
        kit::TooltipPictures pictures;
        EXPECT_NO_THROW(pictures = kit::ComposeTooltip(style, "text", w, h)) << w << "×" << h;
    }
    EXPECT_FALSE(kit::ComposeTooltip(style, "text", 0, 10).pict);
}

}  // namespace
