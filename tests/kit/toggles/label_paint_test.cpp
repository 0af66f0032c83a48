#include "kit/toggles/label_paint.h"

#include "paint_probe.h"
#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <cmath>

using platform::Color;
using platform::PicturePtr;
using toggles_test::BoundsOf;
using toggles_test::Hex;
using toggles_test::PixelAt;
using toggles_test::SavePng;

namespace {

// 12-pixel Liberation Sans, the size 0 resolves to.
struct Metrics {
    double width;
    int height;
    int ascent;
    int lineHeight;
};

Metrics Measure(const std::string& text, int wrap) {
    const PicturePtr probe = platform::Picture::New(1, 1);
    return {probe->Graphics().StringWidth(text), probe->Graphics().StringHeight(text, wrap),
            probe->Graphics().TextAscent(), probe->Graphics().TextHeight()};
}

kit::LabelFace WhiteOnBlack(const std::string& text) {
    kit::LabelFace face;
    face.width = 100;
    face.height = 50;
    face.text = text;
    face.textColor = Hex(0xFFFFFF);
    face.backdrop.hasBackcolor = true;
    face.backdrop.backcolor = Hex(0x000000);
    return face;
}

bool Lit(Color c) {
    return c.r > 0x40;
}

bool NearWhite(Color c) {
    return toggles_test::Near(c, Hex(0xFFFFFF), 8);
}

QRect TextBounds(const platform::Picture& picture) {
    return BoundsOf(picture, QRect(0, 0, picture.Width(), picture.Height()), Lit);
}

TEST(LabelPaintTest, AlignmentsPlaceTheTextExtent) {
    const Metrics m = Measure("Status", 100);
    struct Row {
        int align;
        int x;
    };
    // x by hand from the measured width w: centred Int(100 − w) \ 2, right 100 − Ceil(w).
    const Row rows[] = {{0, 0},
                        {1, static_cast<int>(100 - m.width) / 2},
                        {2, 100 - static_cast<int>(std::ceil(m.width))}};
    for (const Row& row : rows) {
        kit::LabelFace face = WhiteOnBlack("Status");
        face.textAlign = row.align;
        const PicturePtr picture = kit::ComposeLabel(face, {});
        ASSERT_TRUE(picture);
        SavePng(*picture, "label_align_" + std::to_string(row.align));
        const QRect text = TextBounds(*picture);
        ASSERT_FALSE(text.isEmpty());
        // Glyphs sit within their advance, a pixel or so of bearing either side.
        EXPECT_GE(text.left(), row.x) << "align " << row.align;
        EXPECT_LE(text.left(), row.x + 2) << "align " << row.align;
        EXPECT_LE(text.right(), row.x + static_cast<int>(std::ceil(m.width))) << row.align;
        // Middle: baseline ascent + (50 − h) \ 2; capitals start about a cap height above.
        const int baseline = m.ascent + (50 - m.height) / 2;
        EXPECT_LE(text.bottom(), baseline + 3);
        EXPECT_GE(text.top(), baseline - m.ascent);
        // Text is anti-aliased: its solid pixels are the text colour within a few levels.
        EXPECT_FALSE(BoundsOf(*picture, text, NearWhite).isEmpty());
    }
}

TEST(LabelPaintTest, MeasuresWrappedHeightBeforeDrawing) {
    const std::string text = "one two three four five six seven eight nine ten eleven";
    const Metrics m = Measure(text, 100);
    ASSERT_GT(m.height, m.lineHeight);  // wraps at 100 pixels
    int heard = -1;
    int ascent = -1;
    kit::LabelFace face = WhiteOnBlack(text);
    const PicturePtr picture = kit::ComposeLabel(face, [&](int h, int a) {
        heard = h;
        ascent = a;
    });
    ASSERT_TRUE(picture);
    EXPECT_EQ(heard, m.height);
    EXPECT_EQ(ascent, m.ascent);
    // Not multiline: one line, cut at the edge.
    const QRect bounds = TextBounds(*picture);
    EXPECT_LE(bounds.height(), m.lineHeight);
    EXPECT_GE(bounds.right(), 90);
}

TEST(LabelPaintTest, MultilineWrapsAtTheWidth) {
    const std::string text = "one two three four five six seven eight nine ten eleven";
    kit::LabelFace face = WhiteOnBlack(text);
    face.multiline = true;
    face.verticalAlign = 0;
    face.height = 80;
    const PicturePtr picture = kit::ComposeLabel(face, {});
    ASSERT_TRUE(picture);
    SavePng(*picture, "label_multiline");
    const QRect bounds = TextBounds(*picture);
    EXPECT_GT(bounds.height(), Measure(text, 100).lineHeight);  // more than one line
    EXPECT_LT(bounds.right(), 100);
}

TEST(LabelPaintTest, ScrollPositionMovesTheTextFivePixelsPerStep) {
    kit::LabelFace face = WhiteOnBlack("Status");
    face.verticalAlign = 0;
    const QRect at0 = TextBounds(*kit::ComposeLabel(face, {}));
    face.scrollPosition = -3;  // down, so nothing leaves the picture
    const QRect down = TextBounds(*kit::ComposeLabel(face, {}));
    EXPECT_EQ(down.top(), at0.top() + 15);
    EXPECT_EQ(down.left(), at0.left());
    // A position moved by the measuring callback, as a window's ChangeScroll handler may,
    // already counts for this paint.
    face.scrollPosition = 0;
    const QRect moved =
        TextBounds(*kit::ComposeLabel(face, [&](int, int) { face.scrollPosition = -2; }));
    EXPECT_EQ(moved.top(), at0.top() + 10);
}

TEST(LabelPaintTest, ShadowIsDrawnBelowInItsColour) {
    kit::LabelFace face = WhiteOnBlack("Status");
    face.style.HasTextShadow = 1;
    face.style.TextShadowColor = Hex(0xFF0000);
    face.style.TextShadowDX = 0;
    face.style.TextShadowDY = 1;
    const PicturePtr picture = kit::ComposeLabel(face, {});
    ASSERT_TRUE(picture);
    SavePng(*picture, "label_shadow");
    // Where the two overlap the white lies on top, so the lowest row is the shadow's.
    const QRect text =
        BoundsOf(*picture, QRect(0, 0, 100, 50), [](Color c) { return c.r > 0xC0 && c.g > 0xC0; });
    const QRect shadow =
        BoundsOf(*picture, QRect(0, 0, 100, 50), [](Color c) { return c.r > 0x80 && c.g < 0x20; });
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(shadow.bottom(), text.bottom() + 1);
}

TEST(LabelPaintTest, BackgroundFollowsTheWindow) {
    kit::LabelFace face;
    face.width = 20;
    face.height = 10;
    const PicturePtr picture = kit::ComposeLabel(face, {});
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 10, 5), Hex(0xEDEDED));
}

TEST(LabelPaintTest, NoPixelsNoPictureNoMeasurement) {
    kit::LabelFace face = WhiteOnBlack("Status");
    face.width = 0;
    bool measured = false;
    EXPECT_FALSE(kit::ComposeLabel(face, [&](int, int) { measured = true; }));
    face.width = 10;
    face.height = -1;
    EXPECT_FALSE(kit::ComposeLabel(face, [&](int, int) { measured = true; }));
    EXPECT_FALSE(measured);
}

}  // namespace
