#include "kit/toggles/toggle_paint.h"

#include "kit/base/control_drawing.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/checkbox_tick.h"
#include "paint_probe.h"
#include "platform/graphics.h"

#include <gtest/gtest.h>

using platform::Color;
using platform::Picture;
using platform::PicturePtr;
using toggles_test::Hex;
using toggles_test::Near;
using toggles_test::PixelAt;
using toggles_test::SavePng;

namespace {

const Color kWindow = Hex(0xEDEDED);
const Color kBorder = Hex(0x202224);
const Color kShadow = Hex(0x4D4E52);
const Color kInside = Hex(0x313236);
const Color kInsideGrey = Hex(0x323232);  // 0.2989·49 + 0.587·50 + 0.114·54 = 50.15
const Color kWhite = Hex(0xFFFFFF);

std::int32_t TickIndex() {
    UI_Module::AddTexture(kit::StringToPicture(kit::kCheckboxTickBase64), "checkbox-tick");
    return UI_Module::TextureIndex("checkbox-tick");
}

std::int32_t RedTexture() {
    PicturePtr red = Picture::New(4, 4);
    red->Graphics().ForeColor = Hex(0xFF0000);
    red->Graphics().FillRect(0, 0, 4, 4);
    UI_Module::AddTexture(red, "toggles-test-red");
    return UI_Module::TextureIndex("toggles-test-red");
}

kit::CheckboxStyle BuiltInCheckbox() {
    kit::CheckboxStyle style;
    kit::WriteBuiltInCheckboxStyle(style, TickIndex());
    return style;
}

kit::RadioStyle BuiltInRadio() {
    kit::RadioStyle style;
    kit::WriteBuiltInRadioStyle(style);
    return style;
}

kit::CheckboxFace CheckboxFace(std::int32_t state, bool enabled = true) {
    kit::CheckboxFace face;
    face.width = 100;
    face.height = 20;
    face.state = state;
    face.enabled = enabled;
    return face;
}

// With the built-in style on a control 20 pixels high: the box covers columns 0–16 and rows
// 1–17, its shadow reaches row 18, the inside (15 × 15) starts at (1, 2) with its centre pixel
// at (8, 9), the tick lies at (0, 1) and the indeterminate dot (7 × 7) at (5, 6).
TEST(CheckboxPaintTest, UncheckedBuiltInLook) {
    const PicturePtr picture = kit::ComposeCheckbox(BuiltInCheckbox(), CheckboxFace(0));
    ASSERT_TRUE(picture);
    SavePng(*picture, "checkbox_unchecked");
    EXPECT_EQ(picture->Width(), 100);
    EXPECT_EQ(picture->Height(), 20);
    EXPECT_EQ(PixelAt(*picture, 8, 0), kWindow);   // above the box
    EXPECT_EQ(PixelAt(*picture, 8, 1), kBorder);   // the box's top row, left uncovered
    EXPECT_EQ(PixelAt(*picture, 0, 10), kBorder);  // its left column
    EXPECT_EQ(PixelAt(*picture, 8, 18), kShadow);  // the shadow, one row below the box
    EXPECT_EQ(PixelAt(*picture, 8, 19), kWindow);
    EXPECT_EQ(PixelAt(*picture, 20, 10), kWindow);  // between box and caption
    // Within 2.5 pixels of the inside's centre (7, 7) its mask is black: the fill in full.
    EXPECT_EQ(PixelAt(*picture, 8, 9), kInside);
    EXPECT_EQ(PixelAt(*picture, 7, 9), kInside);
    // The inside's top row, 7 pixels from its centre: mask level (7 − 2.5) / 5 × 0x68 = 93.6
    // → 93, so the fill covers 162 / 255 of the border colour:
    // red 49·162/255 + 32·93/255 = 31.1 + 11.7 = 42.8, green 31.8 + 12.4 = 44.2,
    // blue 34.3 + 13.1 = 47.4.
    EXPECT_TRUE(Near(PixelAt(*picture, 8, 2), platform::RGB(43, 44, 47)))
        << ::testing::PrintToString(PixelAt(*picture, 8, 2));
    // No mark while unchecked: the tick's opaque pixel (7, 11) lands on (7, 12), inside
    // pixel (6, 10), 3.16 from the centre: level (3.16 − 2.5) / 5 × 104 = 13.8 → 13, fill
    // over 242 / 255 – nowhere near white.
    EXPECT_TRUE(Near(PixelAt(*picture, 7, 12), platform::RGB(48, 49, 53)))
        << ::testing::PrintToString(PixelAt(*picture, 7, 12));
}

TEST(CheckboxPaintTest, CheckedDrawsTheTickOnTheBox) {
    const PicturePtr picture = kit::ComposeCheckbox(BuiltInCheckbox(), CheckboxFace(1));
    ASSERT_TRUE(picture);
    SavePng(*picture, "checkbox_checked");
    // The tick picture lies at ((17 − 17) \ 2, 1 + 0): its opaque (7, 11) and (12, 5).
    EXPECT_EQ(PixelAt(*picture, 7, 12), kWhite);
    EXPECT_EQ(PixelAt(*picture, 12, 6), kWhite);
    // Its transparent corner leaves the box as it was.
    EXPECT_EQ(PixelAt(*picture, 8, 1), kBorder);
    EXPECT_EQ(PixelAt(*picture, 8, 18), kShadow);
}

TEST(CheckboxPaintTest, IndeterminateDrawsAFaintDot) {
    const PicturePtr picture = kit::ComposeCheckbox(BuiltInCheckbox(), CheckboxFace(2));
    ASSERT_TRUE(picture);
    SavePng(*picture, "checkbox_indeterminate");
    // The dot shows the tick's top-left 7 × 7 pixels, all transparent, so it keeps a new
    // picture's white, laid on through mask grey 0x70 (143 / 255 opaque) at its centre (8, 9):
    // 255·143/255 + 49·112/255 = 143 + 21.5, 143 + 22.0, 143 + 23.7.
    EXPECT_TRUE(Near(PixelAt(*picture, 8, 9), platform::RGB(164, 165, 166), 2))
        << ::testing::PrintToString(PixelAt(*picture, 8, 9));
    // Outside the dot (columns 5–11, rows 6–12) the inside is as unchecked.
    const PicturePtr unchecked = kit::ComposeCheckbox(BuiltInCheckbox(), CheckboxFace(0));
    EXPECT_EQ(PixelAt(*picture, 8, 14), PixelAt(*unchecked, 8, 14));
}

TEST(CheckboxPaintTest, DisabledGreysTheInsideOnly) {
    const PicturePtr picture = kit::ComposeCheckbox(BuiltInCheckbox(), CheckboxFace(1, false));
    ASSERT_TRUE(picture);
    SavePng(*picture, "checkbox_disabled");
    // (7, 9): inside pixel (6, 7), 1 from its centre, and a transparent pixel of the tick.
    EXPECT_EQ(PixelAt(*picture, 7, 9), kInsideGrey);
    EXPECT_EQ(PixelAt(*picture, 8, 1), kBorder);
    EXPECT_EQ(PixelAt(*picture, 8, 18), kShadow);
    EXPECT_EQ(PixelAt(*picture, 7, 12), kWhite);  // the tick is never greyed
}

TEST(CheckboxPaintTest, TextureFillGreysWhenDisabled) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.FillKind = 4;
    style.FillTexture = static_cast<std::uint8_t>(RedTexture());
    const PicturePtr enabled = kit::ComposeCheckbox(style, CheckboxFace(0));
    const PicturePtr disabled = kit::ComposeCheckbox(style, CheckboxFace(0, false));
    ASSERT_TRUE(enabled && disabled);
    SavePng(*enabled, "checkbox_texture");
    SavePng(*disabled, "checkbox_texture_disabled");
    EXPECT_EQ(PixelAt(*enabled, 8, 9), Hex(0xFF0000));
    EXPECT_EQ(PixelAt(*disabled, 8, 9), Hex(0x4C4C4C));  // 0.2989 × 255 = 76.2
}

TEST(CheckboxPaintTest, GradientFillRunsTopToBottom) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.FillKind = 2;
    style.FillColor1 = Hex(0x000000);
    style.FillColor2 = Hex(0xFFFFFF);
    style.InnerShade = 0;
    const PicturePtr picture = kit::ComposeCheckbox(style, CheckboxFace(0));
    ASSERT_TRUE(picture);
    // Inside row 7 of 15: t = 7 / 14 = 0.5, 255 × 0.5 = 127.5 → 127; row 0 black, row 14
    // white (the unshaded inside's corners are rounded, its middle columns are not).
    EXPECT_EQ(PixelAt(*picture, 8, 9), Hex(0x7F7F7F));
    EXPECT_EQ(PixelAt(*picture, 8, 2), Hex(0x000000));
    EXPECT_EQ(PixelAt(*picture, 8, 16), Hex(0xFFFFFF));
}

TEST(CheckboxPaintTest, DotMarkKindsDrawARoundDot) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.MarkFillKind = 1;
    style.MarkFillColor1 = Hex(0xFF0000);
    const PicturePtr picture = kit::ComposeCheckbox(style, CheckboxFace(1));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 8, 9), Hex(0xFF0000));  // the dot's centre, (5, 6) + (3, 3)
    EXPECT_NE(PixelAt(*picture, 12, 6), kWhite);        // no tick
    // A kind above 4 with a registered texture draws no mark at all.
    style.MarkFillKind = 5;
    style.MarkFillTexture = TickIndex();
    const PicturePtr none = kit::ComposeCheckbox(style, CheckboxFace(1));
    ASSERT_TRUE(none);
    EXPECT_EQ(PixelAt(*none, 8, 9), kInside);
    EXPECT_NE(PixelAt(*none, 7, 12), kWhite);
}

TEST(CheckboxPaintTest, OnlyInnerShadeOneShades) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.InnerShade = 2;
    const PicturePtr picture = kit::ComposeCheckbox(style, CheckboxFace(0));
    ASSERT_TRUE(picture);
    SavePng(*picture, "checkbox_unshaded");
    // A plain rounded inside (radius 4): its top row's middle is the fill in full.
    EXPECT_EQ(PixelAt(*picture, 8, 2), kInside);
    EXPECT_EQ(PixelAt(*picture, 8, 16), kInside);
}

TEST(CheckboxPaintTest, MissingTickFallsBackToAnEmptyDot) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.MarkFillTexture = 250;  // nothing registered there
    const PicturePtr picture = kit::ComposeCheckbox(style, CheckboxFace(1));
    ASSERT_TRUE(picture);
    // Kind 4 draws nothing into the dot, which is still masked and drawn: a new picture's
    // white disc at (5, 6), centre (8, 9).
    EXPECT_EQ(PixelAt(*picture, 8, 9), kWhite);
    EXPECT_EQ(PixelAt(*picture, 12, 6) == kWhite, false);  // no tick stroke
}

TEST(CheckboxPaintTest, UnknownFillKindLeavesTheInsideWhite) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.FillKind = 0;
    EXPECT_EQ(PixelAt(*kit::ComposeCheckbox(style, CheckboxFace(0)), 8, 9), kWhite);
    style.FillKind = 5;
    EXPECT_EQ(PixelAt(*kit::ComposeCheckbox(style, CheckboxFace(0)), 8, 9), kWhite);
}

TEST(CheckboxPaintTest, ShadowFlagIsAnyNonzeroValue) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.HasShadow = 2;
    EXPECT_EQ(PixelAt(*kit::ComposeCheckbox(style, CheckboxFace(0)), 8, 18), kShadow);
    style.HasShadow = 0;
    EXPECT_EQ(PixelAt(*kit::ComposeCheckbox(style, CheckboxFace(0)), 8, 18), kWindow);
}

TEST(CheckboxPaintTest, CaptionSitsRightOfTheBoxInTheTextColour) {
    kit::CheckboxFace face = CheckboxFace(0);
    face.width = 150;  // the caption fits the 128 pixels right of the box on one line
    face.caption = "Keep Skin in scale";
    face.backdrop.hasBackcolor = true;
    face.backdrop.backcolor = Hex(0x000000);
    kit::CheckboxStyle style = BuiltInCheckbox();
    const PicturePtr picture = kit::ComposeCheckbox(style, face);
    ASSERT_TRUE(picture);
    SavePng(*picture, "checkbox_caption");
    // Text pixels (anything brighter than the box and the black background) start at the
    // caption's x = 17 + 5 = 22 and stay within the control.
    const QRect text =
        toggles_test::BoundsOf(*picture, QRect(17, 0, 83, 20), [](Color c) { return c.r > 0x60; });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 22);
    EXPECT_LE(text.left(), 24);
    // 12-pixel Liberation Sans: ascent 11 and height 14, (20 − 14) \ 2 + 11 + 1 = 15 is the
    // baseline, so capitals reach from about row 6 down to row 14.
    EXPECT_GE(text.top(), 4);
    EXPECT_LE(text.bottom(), 18);
    // The glyphs' solid pixels are the text colour within the anti-aliasing's few levels.
    EXPECT_FALSE(toggles_test::BoundsOf(*picture, text, [](Color c) {
                     return Near(c, Hex(0xFFFFFF), 8);
                 }).isEmpty());
}

TEST(CheckboxPaintTest, StylesWithoutRoomPaintSafely) {
    kit::CheckboxStyle style = BuiltInCheckbox();
    style.BoxSize = 0;
    EXPECT_FALSE(kit::ComposeCheckbox(style, CheckboxFace(1)));  // box size 0 paints nothing

    style = BuiltInCheckbox();
    style.BorderWidth = 9;  // 17 − 18 < 1: no inside
    style.MarkSize = 0;     // no dot either
    style.MarkFillKind = 1;
    PicturePtr picture;
    EXPECT_NO_THROW(picture = kit::ComposeCheckbox(style, CheckboxFace(1)));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 8, 9), kBorder);
    EXPECT_NO_THROW(picture = kit::ComposeCheckbox(style, CheckboxFace(2)));

    kit::CheckboxFace empty = CheckboxFace(1);
    empty.width = 0;
    EXPECT_FALSE(kit::ComposeCheckbox(BuiltInCheckbox(), empty));
    empty = CheckboxFace(1);
    empty.height = 0;
    EXPECT_FALSE(kit::ComposeCheckbox(BuiltInCheckbox(), empty));
}

kit::RadioFace RadioFace(bool selected, bool enabled = true) {
    kit::RadioFace face;
    face.width = 100;
    face.height = 31;
    face.selected = selected;
    face.enabled = enabled;
    return face;
}

// With the built-in style on a control 31 pixels high: P = 6, the circle covers rows 6–24
// and columns 0–18, its shadow reaches row 25, the inside (17 × 17) starts at (1, 7) with its
// centre pixel at (9, 15), the dot (7 × 7) at (6, 12).
TEST(RadioPaintTest, UnselectedBuiltInLook) {
    const PicturePtr picture = kit::ComposeRadioButton(BuiltInRadio(), RadioFace(false));
    ASSERT_TRUE(picture);
    SavePng(*picture, "radio_unselected");
    EXPECT_EQ(PixelAt(*picture, 9, 5), kWindow);
    // The circle's outermost rows are its anti-aliased rim: border colour letting a few
    // percent of the window through at the top, shadow likewise one row below the bottom.
    EXPECT_TRUE(Near(PixelAt(*picture, 9, 6), kBorder, 12));
    EXPECT_TRUE(Near(PixelAt(*picture, 9, 25), kShadow, 12));
    EXPECT_EQ(PixelAt(*picture, 9, 26), kWindow);
    EXPECT_EQ(PixelAt(*picture, 9, 15), kInside);
    // A disc: the square's corners stay the window colour.
    EXPECT_EQ(PixelAt(*picture, 0, 6), kWindow);
    EXPECT_EQ(PixelAt(*picture, 18, 24), kWindow);
}

TEST(RadioPaintTest, SelectedDrawsTheWhiteDot) {
    const PicturePtr picture = kit::ComposeRadioButton(BuiltInRadio(), RadioFace(true));
    ASSERT_TRUE(picture);
    SavePng(*picture, "radio_selected");
    EXPECT_EQ(PixelAt(*picture, 9, 15), kWhite);
    EXPECT_EQ(PixelAt(*picture, 9, 9),
              PixelAt(*kit::ComposeRadioButton(BuiltInRadio(), RadioFace(false)), 9,
                      9));  // outside the dot nothing changes
}

TEST(RadioPaintTest, DisabledGreysTheInsideButNotTheDot) {
    const PicturePtr off = kit::ComposeRadioButton(BuiltInRadio(), RadioFace(false, false));
    const PicturePtr on = kit::ComposeRadioButton(BuiltInRadio(), RadioFace(true, false));
    ASSERT_TRUE(off && on);
    SavePng(*on, "radio_disabled");
    EXPECT_EQ(PixelAt(*off, 9, 15), kInsideGrey);
    EXPECT_EQ(PixelAt(*on, 9, 15), kWhite);
    EXPECT_TRUE(Near(PixelAt(*on, 9, 6), kBorder, 12));
}

TEST(RadioPaintTest, TextureInsideGreysWhenDisabled) {
    kit::RadioStyle style = BuiltInRadio();
    style.FillKind = 4;
    style.FillTexture = static_cast<std::uint8_t>(RedTexture());
    EXPECT_EQ(PixelAt(*kit::ComposeRadioButton(style, RadioFace(false)), 9, 15), Hex(0xFF0000));
    EXPECT_EQ(PixelAt(*kit::ComposeRadioButton(style, RadioFace(false, false)), 9, 15),
              Hex(0x4C4C4C));
}

TEST(RadioPaintTest, UnknownFillKindLeavesTheNewPictureWhite) {
    kit::RadioStyle style = BuiltInRadio();
    style.FillKind = 0;
    style.MarkFillKind = 7;
    const PicturePtr picture = kit::ComposeRadioButton(style, RadioFace(true));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 9, 15), kWhite);  // masked and drawn, holding white
    EXPECT_TRUE(Near(PixelAt(*picture, 9, 6), kBorder, 12));
}

TEST(RadioPaintTest, OnlyInnerShadeOneShades) {
    kit::RadioStyle style = BuiltInRadio();
    style.InnerShade = 2;
    const PicturePtr plain = kit::ComposeRadioButton(style, RadioFace(false));
    const PicturePtr shaded = kit::ComposeRadioButton(BuiltInRadio(), RadioFace(false));
    ASSERT_TRUE(plain && shaded);
    SavePng(*plain, "radio_unshaded");
    // Inside pixel (8, 3), 5 from the centre (8, 8): shaded, level (5 − 3.5) / 5 × 0x68 =
    // 31.2 → 31 lets the ring through a little; plain, the disc covers it fully.
    EXPECT_EQ(PixelAt(*plain, 9, 10), kInside);
    EXPECT_NE(PixelAt(*shaded, 9, 10), kInside);
}

TEST(RadioPaintTest, ZeroSizesPaintSafely) {
    kit::RadioStyle style = BuiltInRadio();
    style.BoxSize = 0;
    style.MarkSize = 0;
    PicturePtr picture;
    EXPECT_NO_THROW(picture = kit::ComposeRadioButton(style, RadioFace(true)));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 0, 15), kWindow);
    kit::RadioFace face = RadioFace(true);
    face.height = 0;
    EXPECT_FALSE(kit::ComposeRadioButton(BuiltInRadio(), face));
}

}  // namespace
