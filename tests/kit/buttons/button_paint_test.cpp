#include "buttons_test_util.h"
#include "kit/base/ui_module.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/ui_menubutton.h"
#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <QTest>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace buttonstest;

// The dark windows' back colour, under every control here.
constexpr platform::Color kWindow = C(0x333538);

/// Lets a test put a button into any state without going through events.
template <typename Base>
class Probe : public Base {
public:
    using Base::Base;
    void SetState(bool down, bool over) {
        this->MouseDown = down;
        this->MouseOver = over;
    }
};

constexpr std::uint32_t OverWhiteRgb(std::uint32_t rgb) {
    return static_cast<std::uint32_t>(OverWhite(rgb >> 16 & 255, 0xD0)) << 16 |
           static_cast<std::uint32_t>(OverWhite(rgb >> 8 & 255, 0xD0)) << 8 |
           static_cast<std::uint32_t>(OverWhite(rgb & 255, 0xD0));
}

struct Check {
    int x, y;
    std::uint32_t rgb;
    bool blended;  // through a mask: within one level
};

struct PaintCase {
    const char* name;
    int width, height;
    std::function<void(Probe<UI_Button>&, Probe<UI_Button>& container)> setup;
    std::vector<Check> checks;
    int realWidth;
};

// Default style, 100 x 25, width mode 0 (set in each row), no caption unless said: box in
// 0x202224, inner area 98 x 23 at (1, 1), a vertical gradient over 23 rows (n = 22). Row i
// of the gradient has the weights a = (22 - i) / 22 and b = i / 22 in single precision and the
// channels Trunc(c2 * b + c1 * a). The gloss rim lets white through its mask grey:
// (255 * (255 - grey) + under * grey) / 255, within one level.
const PaintCase kPaintCases[] = {
    {"Normal",
     100,
     25,
     [](auto& b, auto&) { b.MyStyle.WidthMode = 0; },
     {
         {50, 0, 0x202224, false},   // border
         {50, 24, 0x202224, false},  // border, bottom row
         {0, 12, 0x202224, false},
         {99, 12, 0x202224, false},
         {50, 1, 0x5C6269, true},    // row 0 = 0x373E47 under the rim (grey 0xD0)
         {50, 4, 0x353B43, false},   // row 3: 55*.8636+43*.1364 = 53.4 -> 0x35 ...; cut at row 4
         {50, 12, 0x31353A, false},  // row 11: halfway, (0x37+0x2B)/2 = 0x31, 0x35, 0x3A (58.5)
         {1, 12, 0x31353A, false},   // the rim's left side is cut below row 4
         {50, 23, 0x2B2C2E, false},  // row 22 = c2, no rim at the bottom (gloss code 1)
     },
     100},
    {"PointerOver",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.SetState(false, true);
     },
     {
         {50, 12, 0x3C4148, false},  // (0x47+0x31)/2, (0x4F+0x33)/2, (0x59+0x38)/2 = 72.5
         {50, 1, 0x696F78, true},    // 0x474F59 under the rim
         {50, 23, 0x57595D, true},   // gloss 3: the whole rim, bottom row 0x313338
         {1, 12, OverWhiteRgb(0x3C4148), true},
     },
     100},
    {"Pressed",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.SetState(true, true);
     },
     {
         {50, 12, 0x2F3134, false},  // (0x2B+0x33)/2, (0x2C+0x36)/2, (0x2E+0x3B)/2 = 52.5
         {50, 1, 0x3C3D3F, true},    // 0x2B2C2E under the pressed rim grey 0xEA
         {50, 23, 0x33363B, false},  // pressed gloss 1: no rim at the bottom
     },
     100},
    {"FocusGivesTheOverFill",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.SetFocus();
     },
     {{50, 12, 0x3C4148, false}, {50, 23, 0x57595D, true}},
     100},
    {"DisabledIsPlainGrey",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.SetEnabled(false);
     },
     {
         // ToGray(0x373E47) = Trunc(55*.2989 + 62*.587 + 71*.114) = Trunc(60.93) = 0x3C.
         {50, 12, 0x3C3C3C, false},
         {50, 23, 0x3C3C3C, false},
         {50, 1, 0x606060, true},  // the gloss stays
     },
     100},
    {"DisabledOverKeepsItsColours",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.SetEnabled(false);
         b.SetState(false, true);
     },
     {{50, 12, 0x3C4148, false}},
     100},
    {"FillKind1",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.FillKind = 1;
     },
     {{50, 12, 0x373E47, false}, {50, 23, 0x373E47, false}},
     100},
    {"FillKind3Horizontal",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.FillKind = 3;
     },
     {
         {1, 12, 0x373E47, false},   // column 0 = c1
         {49, 12, 0x31353A, false},  // column 48 of n = 97: 55*49/97 + 43*48/97 = 49.06 ...
         {98, 12, 0x2B2C2E, false},  // column 97 = c2
     },
     100},
    {"FillKind0LeavesWhite",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.FillKind = 0;
     },
     {{50, 12, 0xFFFFFF, false}},
     100},
    {"FillKind6LeavesWhite",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.FillKind = 6;
     },
     {{50, 12, 0xFFFFFF, false}},
     100},
    {"Shadow",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.HasShadow = 1;
     },
     {
         // Shadow 0x4D4E52 through grey 127 over the window: (c * 128 + 0x33 * 127) / 255 ...
         {50, 24, 0x404245, true},
         {50, 23, 0x202224, false},  // the box's bottom row, one row higher
         {50, 12, 0x303439, false},  // inner 22 rows (n = 21), row 11: 55*10/21 + 43*11/21
     },
     100},
    {"Gloss0",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.Gloss = 0;
     },
     {{50, 1, 0x373E47, false}},
     100},
    {"Gloss2LowerPart",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.Gloss = 2;
     },
     {{50, 1, 0x373E47, false}, {50, 23, 0x525355, true}},
     100},
    {"Gloss255WholeRim",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.Gloss = 255;
     },
     {{50, 1, 0x5C6269, true}, {50, 23, 0x525355, true}},
     100},
    {"Radius0PlainRectangles",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.CornerRadius = 0;
     },
     {
         {0, 0, 0x202224, false},
         {99, 24, 0x202224, false},
         {1, 1, 0x5C6269, true},    // the rim's corner, a plain outline
         {1, 12, 0x31353A, false},  // cut below row 1
         {50, 2, 0x363D45, false},  // row 1: only the top row of the rim stays
     },
     100},
    {"WidthMode1EmptyCaption",
     100,
     25,
     [](auto&, auto&) {},
     {{29, 12, 0x202224, false}, {30, 12, 0x333538, false}, {99, 12, 0x333538, false}},
     30},
    {"BorderWidth3",
     100,
     25,
     [](auto& b, auto&) {
         b.MyStyle.WidthMode = 0;
         b.MyStyle.BorderWidth = 3;
     },
     {{2, 12, 0x202224, false}, {50, 12, 0x31353A, false}},  // 19 rows (n = 18), row 9: half
     100},
};

class PaintWindow : public ::testing::Test {
protected:
    void SetUp() override {
        UI_Module::ResetDefaults();
        w = new ProbeWindow;
        w->layout = [this](ProbeWindow& win) {
            win.SetWidth(400);
            win.SetHeight(300);
            win.SetHasBackColor(true);
            win.SetBackColor(kWindow);
            container = &win.Add<Probe<UI_Button>>([](auto& c) {
                c.SetLeft(200);
                c.SetTop(150);
                c.SetWidth(150);
                c.SetHeight(80);
            });
            button = &win.Add<Probe<UI_Button>>([](auto& b) {
                b.SetLeft(10);
                b.SetTop(10);
                b.SetWidth(100);
                b.SetHeight(25);
            });
            menu = &win.Add<Probe<UI_MenuButton>>([](auto& b) {
                b.SetLeft(10);
                b.SetTop(60);
                b.SetWidth(49);
                b.SetHeight(29);
            });
        };
        w->Build();
    }
    void TearDown() override {
        w->Close();
        FlushDeletes();
        UI_Module::ResetDefaults();
    }
    ProbeWindow* w = nullptr;
    Probe<UI_Button>* button = nullptr;
    Probe<UI_Button>* container = nullptr;
    Probe<UI_MenuButton>* menu = nullptr;
};

class ButtonPaintTest : public PaintWindow, public ::testing::WithParamInterface<PaintCase> {};

TEST_P(ButtonPaintTest, PixelsOfTheLook) {
    const PaintCase& c = GetParam();
    button->SetWidth(c.width);
    button->SetHeight(c.height);
    c.setup(*button, *container);
    const platform::Picture& p = button->Render();
    SavePng(p, std::string("button_") + c.name + ".png");
    for (const Check& check : c.checks) {
        const platform::Color got = At(p, check.x, check.y);
        if (check.blended)
            EXPECT_TRUE(Near(got, C(check.rgb))) << "at " << check.x << "," << check.y;
        else
            EXPECT_EQ(Hex(got), Hex(C(check.rgb))) << "at " << check.x << "," << check.y;
    }
    EXPECT_EQ(button->RealWidth(), c.realWidth);
}

INSTANTIATE_TEST_SUITE_P(Looks, ButtonPaintTest, ::testing::ValuesIn(kPaintCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaintWindow, DisabledParentGreysTheNormalLook) {
    auto* inner = new Probe<UI_Button>(container);
    inner->MyStyle = UI_ButtonStyle::BuiltIn();
    inner->MyStyle.WidthMode = 0;
    inner->SetWidth(100);
    inner->SetHeight(25);
    container->SetEnabled(false);
    const platform::Picture& p = inner->Render();
    SavePng(p, "button_DisabledParent.png");
    EXPECT_EQ(Hex(At(p, 50, 12)), "0x3C3C3C");
}

/// A 17 x 17 texture in one colour, registered under `name`; its index.
int RegisterTexture(const std::string& name, platform::Color color) {
    auto tex = platform::Picture::New(17, 17);
    tex->Graphics().ForeColor = color;
    tex->Graphics().FillRect(0, 0, 17, 17);
    UI_Module::AddTexture(tex, name);
    return UI_Module::TextureIndex(name);
}

TEST_F(PaintWindow, TextureFillsAndTheirGreying) {
    const int brown = RegisterTexture("brown", C(0x804020));
    const int red = RegisterTexture("red", C(0xFF0000));
    button->MyStyle.WidthMode = 0;
    button->MyStyle.FillKind = 4;
    button->MyStyle.FillTexture = static_cast<std::uint8_t>(brown);
    EXPECT_EQ(Hex(At(button->Render(), 50, 12)), "0x804020");
    SavePng(*button->LastPaint(), "button_FillKind4.png");

    // Disabled over look: the texture is greyed, Trunc(128*.2989 + 64*.587 + 32*.114) = 79.
    button->MyStyle.OverFillKind = 4;
    button->MyStyle.OverFillTexture = static_cast<std::uint8_t>(red);
    button->SetState(false, true);
    button->SetEnabled(false);
    EXPECT_EQ(Hex(At(button->Render(), 50, 12)), "0x4C4C4C");  // ToGray of pure red
    SavePng(*button->LastPaint(), "button_FillKind4DisabledOver.png");
    button->SetEnabled(true);
    button->SetState(false, false);

    // Kind 5: red texture, blue laid over it through the mask grey 0x80 (127 of 255 opaque).
    button->MyStyle.FillKind = 5;
    button->MyStyle.FillTexture = static_cast<std::uint8_t>(red);
    button->MyStyle.FillColor1 = C(0x0000FF);
    button->MyStyle.FillColor2 = C(0x808080);
    EXPECT_TRUE(Near(At(button->Render(), 50, 12), C(0x80007F)));
    SavePng(*button->LastPaint(), "button_FillKind5.png");

    // An index the registry does not hold draws nothing: kind 4 leaves white.
    button->MyStyle.FillKind = 4;
    button->MyStyle.FillTexture = 200;
    EXPECT_EQ(Hex(At(button->Render(), 50, 12)), "0xFFFFFF");
}

/// The bounding box of the pixels that differ between two pictures, and their colours.
struct Diff {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    std::set<std::uint32_t> colours;
};

Diff Compare(const platform::Picture& a, const platform::Picture& b) {
    Diff d;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const platform::Color ca = At(a, x, y);
            if (ca == At(b, x, y))
                continue;
            d.left = std::min(d.left, x);
            d.right = std::max(d.right, x);
            d.top = std::min(d.top, y);
            d.bottom = std::max(d.bottom, y);
            d.colours.insert(static_cast<std::uint32_t>(ca.r) << 16 | ca.g << 8 | ca.b);
        }
    }
    return d;
}

platform::PicturePtr Snapshot(const platform::Picture& p) {
    auto copy = platform::Picture::New(p.Width(), p.Height());
    copy->Graphics().DrawPicture(p, 0, 0);
    return copy;
}

/// The caption's measure in a given look's font, as the paint measures it.
struct Measure {
    double width;
    int height, ascent;
};
Measure MeasureCaption(const std::string& text, bool bold) {
    auto scratch = platform::Picture::New(1, 1);
    platform::Graphics& g = scratch->Graphics();
    g.TextFont = "Arial";
    g.Bold = bold;
    return {g.StringWidth(text), g.TextHeight(), g.TextAscent()};
}

TEST_F(PaintWindow, CaptionColourAndExtentPerLook) {
    const std::string caption = "Do the Job";
    const Measure m = MeasureCaption(caption, true);
    button->MyStyle.WidthMode = 0;
    auto blank = Snapshot(button->Render());
    button->SetCaption(caption);

    // Centred in the clip (2, 1, 96, 23): x = Trunc(96 - sw) \ 2, baseline centred on 25 rows.
    const int left = 2 + static_cast<int>(std::trunc(96 - m.width)) / 2;
    const int baseline = (25 - m.height) / 2 + m.ascent;
    struct Look {
        const char* name;
        bool down, over, enabled;
        std::uint32_t text;
    };
    const Look looks[] = {
        {"Normal", false, false, true, 0xFFFFFF},
        {"Pressed", true, true, true, 0xC8CDD5},
        {"Over", false, true, true, 0xFFFFFF},
        // mixColor(ToGray(white) = 0xFE, ToGray(0x373E47) = 0x3C, 0.3): 254*.7 + 60*.3 = 195.8
        {"Disabled", false, false, false, 0xC3C3C3},
    };
    for (const Look& look : looks) {
        button->SetState(look.down, look.over);
        button->SetEnabled(look.enabled);
        button->Render();
        auto withCaption = Snapshot(*button->LastPaint());
        button->SetCaption("");
        auto without = Snapshot(button->Render());
        button->SetCaption(caption);
        SavePng(*withCaption, std::string("button_Caption") + look.name + ".png");
        const Diff d = Compare(*withCaption, *without);
        EXPECT_TRUE(d.colours.count(look.text)) << look.name;
        EXPECT_TRUE(d.colours.count(0x101112)) << look.name << ": the caption shadow";
        if (look.text != 0xFFFFFF) {
            EXPECT_FALSE(d.colours.count(0xFFFFFF)) << look.name;
        }
        EXPECT_GE(d.left, left - 1) << look.name;
        EXPECT_LE(d.left, left + 2) << look.name;
        EXPECT_LE(d.right, left + static_cast<int>(std::ceil(m.width)) + 1) << look.name;
        EXPECT_GE(d.top, baseline - m.ascent) << look.name;
        // The shadow lies one row lower than the caption.
        EXPECT_LE(d.bottom, baseline - m.ascent + m.height + 1) << look.name;
        EXPECT_GT(d.right - d.left, static_cast<int>(m.width) - 4) << look.name;
    }
    (void)blank;
}

TEST_F(PaintWindow, CaptionShadowOffsetsAreSigned) {
    button->MyStyle.WidthMode = 0;
    auto blank = Snapshot(button->Render());
    button->SetCaption("Apply");
    button->MyStyle.HasTextShadow = 0;
    const Diff text = Compare(*Snapshot(button->Render()), *blank);
    // 0xFF and 0xFE: the shadow one pixel left of and two above the caption, so the drawn
    // extent grows by as much to the left and top and not at all to the right and bottom.
    button->MyStyle.HasTextShadow = 1;
    button->MyStyle.TextShadowDX = -1;
    button->MyStyle.TextShadowDY = -2;
    const Diff both = Compare(*Snapshot(button->Render()), *blank);
    SavePng(*button->LastPaint(), "button_ShadowUpLeft.png");
    EXPECT_EQ(both.left, text.left - 1);
    EXPECT_EQ(both.top, text.top - 2);
    EXPECT_EQ(both.right, text.right);
    EXPECT_EQ(both.bottom, text.bottom);
    EXPECT_TRUE(both.colours.count(0x101112));
}

TEST_F(PaintWindow, WidthModesMeasureTheNormalFont) {
    const std::string caption = "Settings";
    const Measure bold = MeasureCaption(caption, true);
    button->SetCaption(caption);
    // Mode 1: Trunc(Ceil(sw) + 30), the control keeps its width, background right of it.
    button->Render();
    const int drawn = static_cast<int>(std::ceil(bold.width)) + 30;
    EXPECT_EQ(button->RealWidth(), drawn);
    EXPECT_EQ(button->Width(), 100);
    EXPECT_EQ(Hex(At(*button->LastPaint(), drawn, 12)), "0x333538");
    EXPECT_EQ(Hex(At(*button->LastPaint(), drawn - 1, 12)), "0x202224");
    SavePng(*button->LastPaint(), "button_WidthMode1.png");
    // Pressed with a plain pressed font: still measured with the normal look's bold font.
    button->MyStyle.TextSelBold = 0;
    button->SetState(true, true);
    button->Render();
    EXPECT_EQ(button->RealWidth(), drawn);
    button->SetState(false, false);

    // Mode 2 widens a narrow control and never narrows a wide one.
    button->MyStyle.WidthMode = 2;
    button->SetWidth(40);
    button->Render();
    EXPECT_EQ(button->Width(), drawn);
    EXPECT_EQ(button->RealWidth(), drawn);
    button->SetWidth(drawn + 20);
    button->MyStyle.WidthMode = 200;
    button->Render();
    EXPECT_EQ(button->Width(), drawn + 20);
    EXPECT_EQ(button->RealWidth(), drawn + 20);
    SavePng(*button->LastPaint(), "button_WidthMode2.png");
}

TEST_F(PaintWindow, MenuButtonLooksAndIcon) {
    menu->MyStyle.WidthMode = 0;
    auto icon = platform::Picture::New(20, 20);
    icon->Graphics().ForeColor = C(0xFF00FF);
    icon->Graphics().FillRect(0, 0, 20, 20);
    menu->Icon = icon;

    // 49 x 29: the icon at ((49 - 20) \ 2, (29 - 20) \ 2) = (14, 4).
    const platform::Picture& p = menu->Render();
    SavePng(p, "menubutton_Normal.png");
    EXPECT_EQ(Hex(At(p, 14, 4)), "0xFF00FF");
    EXPECT_EQ(Hex(At(p, 33, 23)), "0xFF00FF");
    EXPECT_NE(Hex(At(p, 13, 4)), "0xFF00FF");
    EXPECT_NE(Hex(At(p, 34, 24)), "0xFF00FF");
    // Inner 27 rows (n = 26), row 13 at x = 5: the normal gradient's middle.
    EXPECT_EQ(Hex(At(p, 5, 14)), "0x31353A");

    // The focus alone gives nothing: still the normal look.
    menu->SetFocus();
    EXPECT_EQ(Hex(At(menu->Render(), 5, 14)), "0x31353A");
    menu->SetState(false, true);
    EXPECT_EQ(Hex(At(menu->Render(), 5, 14)), "0x3C4148");
    SavePng(*menu->LastPaint(), "menubutton_Over.png");
    menu->SetState(true, false);
    EXPECT_EQ(Hex(At(menu->Render(), 5, 14)), "0x2F3134");
    SavePng(*menu->LastPaint(), "menubutton_Pressed.png");
    menu->SetState(false, false);

    // Disabled: grey fill, the icon in its own colours.
    menu->SetEnabled(false);
    const platform::Picture& d = menu->Render();
    SavePng(d, "menubutton_Disabled.png");
    EXPECT_EQ(Hex(At(d, 5, 14)), "0x3C3C3C");
    EXPECT_EQ(Hex(At(d, 20, 10)), "0xFF00FF");
}

TEST_F(PaintWindow, MenuButtonDisabledCaptionKeepsItsColour) {
    menu->MyStyle.WidthMode = 0;
    menu->SetWidth(120);
    menu->SetCaption("Menu");
    menu->SetEnabled(false);
    const platform::Picture& p = menu->Render();
    SavePng(p, "menubutton_DisabledCaption.png");
    bool white = false;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            white = white || At(p, x, y) == C(0xFFFFFF);
    EXPECT_TRUE(white);
}

TEST_F(PaintWindow, MenuButtonIconLargerThanTheControlIsCut) {
    menu->MyStyle.WidthMode = 0;
    menu->SetWidth(30);
    menu->SetHeight(20);
    auto icon = platform::Picture::New(35, 25);
    icon->Graphics().ForeColor = C(0x00FF00);
    icon->Graphics().FillRect(0, 0, 35, 25);
    icon->Graphics().ForeColor = C(0x0000FF);
    icon->Graphics().FillRect(0, 0, 3, 3);  // its corner: lands at (-2, -2) to (0, 0)
    menu->Icon = icon;
    const platform::Picture& p = menu->Render();
    EXPECT_EQ(Hex(At(p, 0, 0)), "0x0000FF");
    EXPECT_EQ(Hex(At(p, 1, 1)), "0x00FF00");
    EXPECT_EQ(Hex(At(p, 29, 19)), "0x00FF00");
}

}  // namespace
