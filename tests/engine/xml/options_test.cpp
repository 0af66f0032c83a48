#include "engine/xml/options.h"

#include "engine/xml/browser.h"
#include "engine/xml/browser_text.h"
#include "engine/xml/tweaks.h"
#include "engine/xml/variables.h"
#include "engine_fixture.h"
#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class OptionsTest : public enginetest::EngineTest {};

struct FontSizeCase {
    const char* name;
    int percent;
    Lines in;
    Lines out;
};

// clang-format off
const FontSizeCase kFontSizeCases[] = {
    // 13 x 150 / 100 = 19.5 truncated; -12 x 150 / 100 = -18.
    {"Grow",               150, {R"(<t size="13"/>)", R"(<t size="-12"/>)"}, {R"(<t size="19"/>)", R"(<t size="-18"/>)"}},
    {"ShrinkTruncates",     75, {R"(<t size="10"/>)"}, {R"(<t size="7"/>)"}},
    {"NinetyPercent",       90, {R"(<t size="11"/>)"}, {R"(<t size="9"/>)"}},
    {"PlainLeadingNumber", 100, {R"(<t size="12.5"/>)", R"(<t size="abc"/>)"}, {R"(<t size="12"/>)", R"(<t size="0"/>)"}},
    {"FirstOccurrenceOnly",200, {R"(<t fontsize="5" size="5"/>)"}, {R"(<t fontsize="10" size="5"/>)"}},
    {"BrowserBlockKept",   200,
     {R"(<t size="5"/>)", R"(<Browser size="5">)", R"(<text size="5"/>)", R"(</browser><t size="5"/>)", R"(<t size="5"/>)"},
     {R"(<t size="10"/>)", R"(<Browser size="5">)", R"(<text size="5"/>)", R"(</browser><t size="10"/>)", R"(<t size="10"/>)"}},
    {"UnclosedBrowserEndsPass", 200,
     {R"(<t size="5"/>)", "<browser>", R"(<text size="5"/>)"},
     {R"(<t size="10"/>)", "<browser>", R"(<text size="5"/>)"}},
    {"NoClosingQuoteKept", 200, {R"(<t size="5)"}, {R"(<t size="5)"}},
};
// clang-format on

class FontSizeTest : public OptionsTest, public ::testing::WithParamInterface<FontSizeCase> {};

TEST_P(FontSizeTest, AppliesThePercentage) {
    Variables::P_Change_FontSize = true;
    Variables::P_Change_FontSize_Value = GetParam().percent;
    Variables::Str_Line = GetParam().in;
    Variables::More_Options();
    EXPECT_EQ(Variables::Str_Line, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Lines, FontSizeTest, ::testing::ValuesIn(kFontSizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsTest, FontSizeAppliedTwiceMultipliesTwice) {
    Variables::P_Change_FontSize = true;
    Variables::P_Change_FontSize_Value = 200;
    Variables::Str_Line = {R"(<t size="3"/>)"};
    Variables::More_Options();
    Variables::More_Options();
    EXPECT_EQ(Variables::Str_Line[0], R"(<t size="12"/>)");
}

TEST_F(OptionsTest, GainRewritesTheFiveLinesAfterAGainAction) {
    Variables::P_Change_Gain = true;
    Variables::Str_Line = {
        R"(<button action="gain">)", R"(<a sensibility="500" b="1"/>)", "<x/>", "<x/>", "<x/>",
        R"(<a sensibility="1"/>)",   R"(<a sensibility="2"/>)"};
    Variables::More_Options();
    EXPECT_EQ(Variables::Str_Line,
              (Lines{R"(<button action="gain">)", R"(<a sensibility="750" b="1"/>)", "<x/>", "<x/>",
                     "<x/>", R"(<a sensibility="750"/>)", R"(<a sensibility="2"/>)"}));
}

TEST_F(OptionsTest, GainNearTheEndAndOptionsOff) {
    Variables::P_Change_Gain = true;
    Variables::P_Change_Gain_Value = 42;
    Variables::Str_Line = {R"(<a sensibility="1"/>)", R"(<b action="GAIN">)",
                           R"(<a sensibility=""/>)"};
    Variables::More_Options();
    EXPECT_EQ(Variables::Str_Line[2], R"(<a sensibility="42"/>)");
    Variables::P_Change_Gain = false;
    Variables::P_Change_Gain_Value = 7;
    Variables::More_Options();
    EXPECT_EQ(Variables::Str_Line[2], R"(<a sensibility="42"/>)");
    EXPECT_EQ(Variables::Str_Line[0], R"(<a sensibility="1"/>)");
}

struct DaySkinCase {
    const char* name;
    const char* in;
    const char* out;
};

// clang-format off
const DaySkinCase kDaySkinCases[] = {
    {"SixDigits",          R"(<a color="#FF8000"/>)",           R"(<a color="#007fff"/>)"},
    {"Black",              R"(<a color="#000000"/>)",           R"(<a color="#ffffff"/>)"},
    {"ThreeDigits",        R"(<a color="#fff"/>)",              R"(<a color="#fff000"/>)"},
    {"WhiteWord",          R"(<a color="White"/>)",             R"(<a color="#000000"/>)"},
    {"LoneHash",           R"(<a color="#"/>)",                 R"(<a color="#ffffff"/>)"},
    {"EveryHashInverted",  R"(<a color="#FFFFFF" text="Deck #1"/>)", R"(<a color="#000000" text="Deck #fffffe"/>)"},
    {"WhiteWithoutEqualsKept", R"(  <a "white"/>)",              R"(  <a "white"/>)"},
    {"IndentationLost",    R"(   <a color="#000000"/>)",        R"(<a color="#ffffff"/>)"},
    {"NoColourKeepsIndent",R"(   <a x="1"/>)",                  R"(   <a x="1"/>)"},
    // More than six digits: the first six are the colour, the rest up to the quote goes.
    {"SevenDigits",        R"(<a color="#1234567"/>)",          R"(<a color="#edcba9"/>)"},
    // No quote after a "#": nothing after the digits is dropped.
    {"NoQuoteAfterHash",   R"(<a color="#000000"/> #12 end)",   R"(<a color="#ffffff"/> #ffffed end)"},
};
// clang-format on

class DaySkinTest : public ::testing::TestWithParam<DaySkinCase> {};

TEST_P(DaySkinTest, InvertsColours) {
    EXPECT_EQ(Variables::InvertLineColours(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Lines, DaySkinTest, ::testing::ValuesIn(kDaySkinCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsTest, OutdoorRunsTheStageNamed) {
    Variables::Str_Line = {R"(<a color="#FF8000"/>)"};
    int pictureStages = 0;
    const auto previous = std::exchange(Variables::OutdoorPictureStage, [&] { ++pictureStages; });
    Variables::Outdoor("Picture");
    Variables::Outdoor("other");
    EXPECT_EQ(pictureStages, 1);
    EXPECT_EQ(Variables::Str_Line[0], R"(<a color="#FF8000"/>)");
    Variables::Outdoor("xml");
    EXPECT_EQ(Variables::Str_Line[0], R"(<a color="#007fff"/>)");
    EXPECT_EQ(pictureStages, 1);
    Variables::OutdoorPictureStage = nullptr;
    EXPECT_THROW(Variables::Outdoor("picture"), platform::NilObjectException);
    Variables::OutdoorPictureStage = previous;
}

TEST(ColourText, SixUpperCaseDigits) {
    EXPECT_EQ(Variables::StrColor(platform::RGB(0, 0, 0)), "000000");
    EXPECT_EQ(Variables::FormatColor(platform::RGB(0, 0, 0)), "#000000");
    EXPECT_EQ(Variables::StrColor(platform::RGB(10, 11, 255)), "0A0BFF");
    EXPECT_EQ(Variables::FormatColor(platform::RGB(10, 11, 255)), "#0A0BFF");
}

class BrowserTextTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Browser::B_Text_Font = "Arial";
        Browser::B_Text_Size = 14;
        Browser::B_Text_Color = platform::RGB(255, 128, 0);
        Browser::B_Selected_Color = platform::RGB(5, 5, 5);
        Browser::B_Stripes_Color = platform::RGB(1, 2, 3);
    }
};

TEST_F(BrowserTextTest, RewritesTheFirstTextLineWithinFifteen) {
    Lines skin{R"(<browser x="1"><text font="a"/>)"};
    for (int i = 1; i < 15; ++i)
        skin.push_back("<x/>");
    skin.push_back(
        R"(<text font="Verdana" size="" color="#ffffff" selected="#fff" stripes="#abcdef" z="1"/>)");
    skin.push_back(R"(<text font="second" size="9"/>)");
    Variables::Str_Line = skin;
    Browser::Change_Browser_XML();
    EXPECT_EQ(Variables::Str_Line[0], skin[0]) << "the browser line itself is not looked at";
    EXPECT_EQ(
        Variables::Str_Line[15],
        R"(<text font="Arial" size="14" color="#FF8000" selected="#050505" stripes="#010203" z="1"/>)");
    EXPECT_EQ(Variables::Str_Line[16], skin[16]);
}

TEST_F(BrowserTextTest, SixteenLinesAfterIsOutOfReach) {
    Lines skin{"<Browser>"};
    for (int i = 1; i < 16; ++i)
        skin.push_back("<x/>");
    skin.push_back(R"(<text font="Verdana"/>)");
    Variables::Str_Line = skin;
    Browser::Change_Browser_XML();
    EXPECT_EQ(Variables::Str_Line, skin);
}

struct TextLineCase {
    const char* name;
    const char* in;
    const char* out;
};

// clang-format off
const TextLineCase kTextLineCases[] = {
    {"MissingStripesNotAdded", R"(<text font="a" size="1" color="#fff" selected="#000000"/>)",
                               R"(<text font="Arial" size="14" color="#FF8000" selected="#050505"/>)"},
    {"NoBlankNotFound",        "<text\tfont=\"a\" size=\"1\"/>", "<text\tfont=\"a\" size=\"14\"/>"},
    {"EmptyFontReceivesFont",  R"(<text font="" size="2"/>)", R"(<text font="Arial" size="14"/>)"},
    // A colour without its "#" gets one; an empty stripes value does not swallow the line.
    {"ColourNameGetsHash",     R"(<text color="red" stripes="" a="1"/>)", R"(<text color="#FF8000" stripes="#010203" a="1"/>)"},
};
// clang-format on

class TextLineTest : public BrowserTextTest, public ::testing::WithParamInterface<TextLineCase> {};

TEST_P(TextLineTest, RewritesAttributesFound) {
    Variables::Str_Line = {"<browser>", GetParam().in};
    Browser::Change_Browser_XML();
    EXPECT_EQ(Variables::Str_Line[1], GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Lines, TextLineTest, ::testing::ValuesIn(kTextLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TweakCase {
    const char* name;
    const char* skinName;
    const char* stage;
    Lines lines;
    Lines masks;
    Lines faders;
    Lines linesAfter;
    Lines masksAfter;
    Lines fadersAfter;
};

// clang-format off
const TweakCase kTweakCases[] = {
    {"TitaniumMaxMasks", "TITANIUM MAX", "Cleaning", {}, {"680 1190 3 3", "681 1191 3 3 grey", "174 2260 1 1", "680 11900 1 1"}, {"680 1190 3 3"},
                         {}, {"680 11900 1 1"}, {"680 1190 3 3"}},
    {"TitaniumMaxWithDigitNot", "Titanium Max 2", "Cleaning", {}, {"680 1190 3 3"}, {}, {}, {"680 1190 3 3"}, {}},
    {"PcdjVjMasks",      "pcdj vj", "cleaning", {}, {"572 1540 1 1", "1572 15400 1 1", "57 1540 1 1"}, {}, {}, {"57 1540 1 1"}, {}},
    {"MixLabFaders",     "The MIX LAB one", "Cleaning", {}, {"3 3533 1 1"}, {"3 3533 1 1 1", "13 3622 1 1 1", "3 3 1 1 1"},
                         {}, {"3 3533 1 1"}, {"3 3 1 1 1"}},
    {"PcdjVjJoins",      "PCDJ VJ", "XML", {"a<pos x", "  =\"5\" y=\"1\"/>", "b<pos x ", "=\"1\"", "c<POS X", "= \"1\"", "d<pos x"}, {}, {},
                         {"a<pos x=\"5\" y=\"1\"/>", "b<pos x ", "=\"1\"", "c<POS X", "= \"1\"", "d<pos x"}, {}, {}},
    {"Hc4500Strips",     "hc4500", "XML", {"<a/>", "<p source=\"Position\"/>", "<b/>"}, {}, {},
                         {"<a/>", "p source=\"Position\"/>", "b/>"}, {}, {}},
    {"OtherStageNothing","HC4500", "picture", {"<p source=\"position\"/>"}, {}, {}, {"<p source=\"position\"/>"}, {}, {}},
    {"UnknownSkinNothing","Other", "XML", {"<p source=\"position\"/>"}, {}, {}, {"<p source=\"position\"/>"}, {}, {}},
};
// clang-format on

class TweakTest : public enginetest::EngineTest, public ::testing::WithParamInterface<TweakCase> {};

TEST_P(TweakTest, AppliesTheSkinsCorrections) {
    const TweakCase& c = GetParam();
    Variables::SkinName = c.skinName;
    Variables::Str_Line = c.lines;
    Variables::Mask = c.masks;
    Variables::Fader = c.faders;
    Variables::Special_Tweaks(c.stage);
    EXPECT_EQ(Variables::Str_Line, c.linesAfter);
    EXPECT_EQ(Variables::Mask, c.masksAfter);
    EXPECT_EQ(Variables::Fader, c.fadersAfter);
}

INSTANTIATE_TEST_SUITE_P(Skins, TweakTest, ::testing::ValuesIn(kTweakCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
