#include "kit/buttons/paint_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kit::Look;
using kit::Point;
using kit::Rect;

TEST(ButtonLooks, PushButtonFocusGivesTheOverFillButNotTheOverCaption) {
    struct Case {
        const char* name;
        bool down, over, focus;
        Look fill, caption;
    };
    // clang-format off
    const Case cases[] = {
        {"Idle",                  false, false, false, Look::Normal,  Look::Normal},
        {"FocusOnly",             false, false, true,  Look::Over,    Look::Normal},
        {"PointerOver",           false, true,  false, Look::Over,    Look::Over},
        {"PressedWinsOverAll",    true,  true,  true,  Look::Pressed, Look::Pressed},
        {"PressedWithoutPointer", true,  false, false, Look::Pressed, Look::Pressed},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto looks = kit::SelectPushButtonLooks(c.down, c.over, c.focus);
        EXPECT_EQ(looks.fill, c.fill) << c.name;
        EXPECT_EQ(looks.caption, c.caption) << c.name;
    }
}

TEST(ButtonLooks, MenuButtonIgnoresTheFocus) {
    EXPECT_EQ(kit::SelectMenuButtonLook(false, false), Look::Normal);
    EXPECT_EQ(kit::SelectMenuButtonLook(false, true), Look::Over);
    EXPECT_EQ(kit::SelectMenuButtonLook(true, false), Look::Pressed);
    EXPECT_EQ(kit::SelectMenuButtonLook(true, true), Look::Pressed);
}

TEST(ButtonWidth, WidthModes) {
    struct Case {
        const char* name;
        int mode, padding, control;
        double caption;
        int drawn, controlAfter;
    };
    // clang-format off
    const Case cases[] = {
        // Ceil(17.2) = 18; 18 + 2 * 15 = 48.
        {"Mode0TakesTheControlWidth",        0,   15, 100, 17.2, 100, 100},
        {"Mode1CaptionPlusPadding",          1,   15, 100, 17.2,  48, 100},
        {"Mode1CanBeWiderThanTheControl",    1,   15,  30, 17.2,  48,  30},
        {"Mode1EmptyCaption",                1,   15, 100,  0.0,  30, 100},
        {"Mode1WholeWidthNotRoundedUp",      1,   15, 100, 18.0,  48, 100},
        {"Mode2WidensANarrowControl",        2,   15,  40, 17.2,  48,  48},
        {"Mode2NeverNarrows",                2,   15,  60, 17.2,  60,  60},
        {"Mode255BehavesAsMode2",          255,   15,  40, 17.2,  48,  48},
        {"Mode200BehavesAsMode2",          200,   15,  60, 17.2,  60,  60},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto w = kit::ButtonDrawnWidth(c.mode, c.padding, c.control, c.caption);
        EXPECT_EQ(w.drawn, c.drawn) << c.name;
        EXPECT_EQ(w.control, c.controlAfter) << c.name;
    }
}

TEST(ButtonLayout, DefaultBoxesWithAndWithoutShadow) {
    // 100 x 25, border 1: inner 98 x 23 at (1, 1); caption clip (2, 1, 96, 23).
    const auto plain = kit::LayoutButton(100, 25, 1, false);
    EXPECT_EQ(plain.box, (Rect{0, 0, 100, 25}));
    EXPECT_EQ(plain.inner, (Rect{1, 1, 98, 23}));
    EXPECT_EQ(plain.captionClip, (Rect{2, 1, 96, 23}));
    // With a shadow the box is one row lower, the caption clip keeps the full height.
    const auto shadowed = kit::LayoutButton(100, 25, 1, true);
    EXPECT_EQ(shadowed.shadow, 1);
    EXPECT_EQ(shadowed.box, (Rect{0, 0, 100, 24}));
    EXPECT_EQ(shadowed.inner, (Rect{1, 1, 98, 22}));
    EXPECT_EQ(shadowed.captionClip, (Rect{2, 1, 96, 23}));
    const auto thick = kit::LayoutButton(60, 30, 3, false);
    EXPECT_EQ(thick.inner, (Rect{3, 3, 54, 24}));
    EXPECT_EQ(thick.captionClip, (Rect{4, 3, 52, 24}));
}

TEST(ButtonGloss, UpperCutRows) {
    struct Case {
        const char* name;
        int height, radius, cut;
    };
    // clang-format off
    const Case cases[] = {
        {"HalfHeightNotBelowRadius",  25,  5,  4},   // 12.5 >= 5: Max(1, 4)
        {"RadiusZeroKeepsTopRow",     25,  0,  1},   // Max(1, -1)
        {"RadiusOne",                 25,  1,  1},
        {"LowControlBigRadius",       20, 15, 10},   // 10 < 15: Trunc(10)
        {"OddHeightTruncates",        21, 15, 10},   // Trunc(10.5)
        {"TinyControl",                1, 15,  1},   // Max(1, 0.5) = 1
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(kit::ButtonUpperGlossCut(c.height, c.radius), c.cut) << c.name;
    EXPECT_EQ(kit::LowerGlossRows(5), 4);
    EXPECT_EQ(kit::LowerGlossRows(0), 1);
    EXPECT_EQ(kit::LowerGlossRows(1), 1);
}

TEST(ButtonCaption, LeftEndByAlignment) {
    struct Case {
        const char* name;
        int align, clip;
        double caption;
        int border, delta, x;
    };
    // clang-format off
    const Case cases[] = {
        {"CentredTruncatesBeforeHalving",  3, 96, 107.4, 1, 0, -5},  // Trunc(-11.4) = -11, \2 = -5
        {"Centred",                        3, 96,  40.5, 1, 0, 27},  // Trunc(55.5) = 55, \2 = 27
        {"LeftAddsBorderAndDelta",         0, 96,  40.5, 1, 5,  6},
        {"Right",                          1, 96,  40.5, 1, 5, 49},  // Trunc(96 - 40.5 - 1 - 5)
        {"OtherValueHasNoMargin",          2, 96,  40.5, 1, 5,  0},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(kit::ButtonCaptionLeft(c.align, c.clip, c.caption, c.border, c.delta), c.x)
            << c.name;
}

TEST(ButtonCaption, BaselineCentresOnTheWholeHeight) {
    // (25 - 14) \ 2 + 11 - 1 = 15 in clip coordinates, 16 in the control's.
    EXPECT_EQ(kit::CaptionBaseline(25, 14, 11, 1), 15);
    // (10 - 15) \ 2 = -2, not -3.
    EXPECT_EQ(kit::CaptionBaseline(10, 15, 12, 0), 10);
}

TEST(ButtonIcon, CentredWithTruncatingHalves) {
    EXPECT_EQ(kit::CenteredAt(49, 29, 20, 20), (Point{14, 4}));
    EXPECT_EQ(kit::CenteredAt(30, 20, 35, 25), (Point{-2, -2}));
}

TEST(ButtonTexture, Placements) {
    // 17 x 17 into 98 x 23: x = 0, 17, 34, 51, 68, 85; y = 0, 17.
    const auto tiles = kit::TexturePlacements(98, 23, 17, 17);
    ASSERT_EQ(tiles.size(), 12u);
    EXPECT_EQ(tiles[0], (Point{0, 0}));
    EXPECT_EQ(tiles[5], (Point{85, 0}));
    EXPECT_EQ(tiles[6], (Point{0, 17}));
    EXPECT_EQ(tiles[11], (Point{85, 17}));
    // Covering textures are drawn once.
    EXPECT_EQ(kit::TexturePlacements(98, 23, 98, 23), (std::vector<Point>{{0, 0}}));
    EXPECT_EQ(kit::TexturePlacements(98, 23, 200, 40), (std::vector<Point>{{0, 0}}));
    // Wide but not high enough: tiled, (0, 0) and (0, 20).
    EXPECT_EQ(kit::TexturePlacements(98, 23, 120, 20), (std::vector<Point>{{0, 0}, {0, 20}}));
    // Inclusive limit: a tile starts exactly at the right edge.
    EXPECT_EQ(kit::TexturePlacements(98, 16, 49, 17),
              (std::vector<Point>{{0, 0}, {49, 0}, {98, 0}}));
}

TEST(PopupLayout, SettingsWindowChooser) {
    // 103 x 29, border 1, zone 25, arrows 6 x 17.
    const auto p = kit::LayoutPopup(103, 29, 1, false, 25, 6, 17);
    EXPECT_EQ(p.box, (Rect{0, 0, 103, 29}));
    EXPECT_EQ(p.inner, (Rect{1, 1, 101, 27}));
    EXPECT_EQ(p.zone, (Rect{76, 0, 25, 27}));
    EXPECT_EQ(p.separator, (Rect{75, 0, 1, 27}));
    EXPECT_EQ(p.normalHighlight, (Rect{1, 0, 99, 27}));
    EXPECT_EQ(p.highlight, (Rect{0, 0, 101, 27}));
    EXPECT_EQ(p.arrows, (Point{87, 6}));  // 103 + (25 - 6) \ 2 - 25
    EXPECT_EQ(p.captionClip, (Rect{2, 1, 74, 27}));
    EXPECT_EQ(p.maxTextWidth, 76);  // 103 - 6 - 1 - 20
}

TEST(PopupLayout, NoZoneNoTextureAndShadow) {
    const auto p = kit::LayoutPopup(103, 29, 1, false, 0, 6, 17);
    EXPECT_EQ(p.zone, (Rect{}));
    EXPECT_EQ(p.separator, (Rect{}));
    EXPECT_EQ(p.arrows.x, 92);  // 103 - 6 - 5
    EXPECT_EQ(p.captionClip, (Rect{2, 1, 99, 27}));
    EXPECT_EQ(kit::LayoutPopup(103, 29, 1, false, 25, 0, 0).maxTextWidth, 82);  // W - b - 20
    const auto s = kit::LayoutPopup(103, 29, 1, true, 25, 6, 17);
    EXPECT_EQ(s.box.h, 28);
    EXPECT_EQ(s.inner.h, 26);
    EXPECT_EQ(s.captionClip.h, 27);  // one row below the inner area
    EXPECT_EQ(s.arrows.y, 6);        // centred on the whole height
    EXPECT_EQ(kit::LayoutPopup(50, 10, 1, false, 25, 6, 17).arrows.y, -3);
}

TEST(PopupGloss, UpperCutRules) {
    struct Case {
        const char* name;
        int height, radius;
        bool halfRule;
        int cut;
    };
    // clang-format off
    const Case cases[] = {
        {"PlainRuleAnyHeight",      7, 5, false, 4},
        {"HalfRuleTallControl",    10, 5, true,  4},
        {"HalfRuleLowControl",      7, 5, true,  3},
        {"HalfRuleOneRow",          1, 5, true,  1},
        {"RadiusZero",             29, 0, false, 1},
        {"RadiusOne",              29, 1, true,  1},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(kit::PopupUpperGlossCut(c.height, c.radius, c.halfRule), c.cut) << c.name;
}

TEST(PopupCaption, CentredOnItsFullWidth) {
    EXPECT_EQ(kit::PopupCaptionLeft(74, 40.5), 16);  // Trunc(33.5) \ 2
    EXPECT_EQ(kit::PopupCaptionLeft(74, 85.0), -5);  // -11 \ 2
}

}  // namespace
