#include "engine/xml/analysis.h"

#include "engine/xml/browser.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::RGB;

namespace {

using Ints = std::vector<std::int32_t>;

const char* const kErrorMessage = "An error occured.";

class LectureTest : public enginetest::EngineTest {
protected:
    // Writes `text` as a skin file and analyses it.
    bool Analyse(const std::string& text, const char* name = "skin.xml") {
        path = dir.Write(name, text).string();
        return Variables::Lecture(path);
    }
    std::vector<std::string> Shown() { return dialogs->shown; }

    std::string path;
};

const char* const kDeck = R"(<?xml version="1.0" encoding="UTF-8"?>
<skin name="Deck One" version="7.5" width="1024" height="768" author="us">
<logo>
  <size width="120" height="40"/>
  <pos x="12" y="7"/>
</logo>
<browser>
  <size width="600" height="300"/>
  <pos x="212" y="420"/>
  <text font="Liberation Sans" size="13" color="#FF8000" selected="00FF7F" stripes="#102030"/>
</browser>
</skin>
)";

TEST_F(LectureTest, ReadsNameVersionSizeLogoAndBrowser) {
    ASSERT_TRUE(Analyse(kDeck));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Variables::Str_Line.size(), 13u);  // 12 lines and the empty one after the last end
    EXPECT_EQ(Variables::SkinName, "Deck One");
    EXPECT_EQ(Variables::SkinVersion, 7.5f);
    EXPECT_EQ(Variables::inWidth, 1024);
    EXPECT_EQ(Variables::inHeight, 768);
    EXPECT_EQ(Variables::P_Logo, "40*12*7");
    EXPECT_EQ(Browser::BrowserCount, 1);
    EXPECT_EQ(Browser::Browser_Width, Ints{600});
    EXPECT_EQ(Browser::Browser_Height, Ints{300});
    EXPECT_EQ(Browser::Browser_X, Ints{212});
    EXPECT_EQ(Browser::Browser_Y, Ints{420});
    EXPECT_EQ(Browser::B_Text_Font, "Liberation Sans");
    EXPECT_EQ(Browser::B_Text_Size, 13);
    EXPECT_EQ(Browser::B_Text_Color, RGB(255, 128, 0));
    EXPECT_EQ(Browser::B_Selected_Color, RGB(0, 255, 127));
    EXPECT_EQ(Browser::B_Stripes_Color, RGB(16, 32, 48));
    EXPECT_EQ(Variables::Input_Filename, "");  // the analysis leaves the reader's name alone
}

TEST_F(LectureTest, ReadsTheSameLinesAsTheReader) {
    ASSERT_TRUE(Analyse("<skin width=\"800\" height=\"600\">\r\n<a/>\r<b/>\n</skin>\r\n"));
    const auto analysed = Variables::Str_Line;
    Variables::InputXMLPath = path;
    ASSERT_TRUE(Variables::Open_XML());
    EXPECT_EQ(Variables::Str_Line, analysed);
}

struct SkinLineCase {
    const char* name;
    const char* skinLine;
    const char* skinName;
    float version;
    std::int32_t width;
    std::int32_t height;
    bool accepted;
};

// The analysis before this one left "Earlier", version 5, 800 x 600. A skin line without a
// width and a height above 0 keeps that size but is refused: the earlier skin's size must not
// resize this one.
// clang-format off
const SkinLineCase kSkinLines[] = {
    {"AllFour",            R"(<skin name="Night" version="8" width="1280" height="720">)", "Night",   8,    1280, 720, true},
    {"AnyOrderAnyCase",    R"(<SKIN HEIGHT="720" Version="6.25" WIDTH="1280" NAME="N">)", "N",       6.25f, 1280, 720, true},
    {"NoHeightKeepsSize",  R"(<skin name="Half" version="7" width="1280">)",              "Half",    7,    800,  600, false},
    {"ZeroWidthKeepsSize", R"(<skin name="Z" width="0" height="720">)",                   "Z",       5,    800,  600, false},
    {"BlanksReadAsZero",   R"(<skin name="B" width = "1280" height = "720">)",            "B",       5,    800,  600, false},
    {"NoNameNoVersion",    R"(<skin width="1024" height="768">)",                         "Earlier", 5,    1024, 768, true},
    {"FractionTruncated",  R"(<skin width="1024.9" height="768.2">)",                     "Earlier", 5,    1024, 768, true},
    {"NameRunsOnWhenEmpty", R"(<skin name="" version="7">)",                              "\" version=", 7, 800, 600, false},
    {"SizeOnTheNextLine",  "<skin name=\"Two\" version=\"8\"\n  width=\"1280\" height=\"720\">", "Two", 8, 800, 600, false},
    {"AfterAByteOrderMark", "\xEF\xBB\xBF<skin name=\"Bom\" version=\"2020\" width=\"1280\" height=\"720\">", "Bom", 2020, 1280, 720, true},
    {"ExpressionReadsItsLeadingNumber", R"(<skin name="E" width="1280-80" height="[H]">)", "E", 5,   800,  600, false},
};
// clang-format on

class SkinLineTest : public LectureTest, public ::testing::WithParamInterface<SkinLineCase> {};

TEST_P(SkinLineTest, OverwritesOnlyWhatItFinds) {
    Variables::SkinName = "Earlier";
    Variables::SkinVersion = 5;
    Variables::inWidth = 800;
    Variables::inHeight = 600;
    EXPECT_EQ(Analyse(std::string("<?xml?>\n") + GetParam().skinLine + "\n</skin>\n"),
              GetParam().accepted);
    EXPECT_EQ(Shown().size(), GetParam().accepted ? 0u : 1u);
    EXPECT_EQ(Variables::SkinName, GetParam().skinName);
    EXPECT_EQ(Variables::SkinVersion, GetParam().version);
    EXPECT_EQ(Variables::inWidth, GetParam().width);
    EXPECT_EQ(Variables::inHeight, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Lines, SkinLineTest, ::testing::ValuesIn(kSkinLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LectureTest, SkinElementAfterTheSixthLineIsNotSeenAndTheSkinRefused) {
    Variables::SkinName = "Earlier";
    Variables::inWidth = 800;
    Variables::inHeight = 600;
    EXPECT_FALSE(
        Analyse("<?xml?>\n<!--\n\n\n\n-->\n<skin name=\"Late\" width=\"1\" height=\"1\">\n"
                "<browser>\n<size width=\"400\" height=\"300\"/>\n"));
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "\"" + path +
                           "\" has no skin element in its first six lines, where this tool reads "
                           "the skin's size.\nChoose another file."});
    EXPECT_EQ(Variables::SkinName, "Earlier");
    EXPECT_EQ(Variables::inWidth, 800);
    // The rest of the analysis has run all the same.
    EXPECT_EQ(Variables::Str_Line.size(), 10u);
    EXPECT_EQ(Browser::Browser_Width, Ints{400});
}

struct LogoCase {
    const char* name;
    const char* lines;
    const char* logo;
};

// clang-format off
const LogoCase kLogos[] = {
    {"SizeThenPos",    "<logo>\n<size width=\"9\" height=\"40\"/>\n<pos x=\"12\" y=\"7\"/>\n", "40*12*7"},
    {"PosThenSize",    "<logo>\n<pos x=\"12\" y=\"7\"/>\n<size width=\"9\" height=\"40\"/>\n", "40*12*7"},
    {"NoSizeLine",     "<logo>\n<pos x=\"12\" y=\"7\"/>\n<other/>\n",                       "12*7"},
    {"SizeTooFar",     "<logo>\n<pos x=\"12\" y=\"7\"/>\n<a/>\n<size height=\"40\"/>\n",    "12*7"},
    {"Fractions",      "<logo>\n<size height=\"40.5\"/>\n<pos x=\"-3\" y=\"7.25\"/>\n",      "40.5*-3*7.25"},
    {"TagWithAttributesIsNoLogo", "<logo name=\"x\">\n<size height=\"40\"/>\n",            ""},
    {"TwoLogos",       "<logo>\n<size height=\"40\"/>\n<pos x=\"1\" y=\"2\"/>\n"
                       "<logo>\n<size height=\"50\"/>\n<pos x=\"3\" y=\"4\"/>\n",           "50*40*1*23*4"},
};
// clang-format on

class LogoTest : public LectureTest, public ::testing::WithParamInterface<LogoCase> {};

TEST_P(LogoTest, BuildsHeightXAndY) {
    Variables::P_Logo = "stale";
    ASSERT_TRUE(Analyse(std::string("<skin width=\"800\" height=\"600\">\n") + GetParam().lines +
                        "</skin>\n<!-- end -->\n\n"));
    EXPECT_EQ(Variables::P_Logo, GetParam().logo);
}

INSTANTIATE_TEST_SUITE_P(Logos, LogoTest, ::testing::ValuesIn(kLogos),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LectureTest, BrowserWindowsTakeTheFirstMatchEvenFromTheNextElement) {
    const char* skin = R"(<skin width="1024" height="768">
<browser>
  <size height="250"/>
  <pos x="5" y="6"/>
</browser>
<browser>
  <size width="400" height="350"/>
  <a/>
  <b/>
  <c/>
  <d/>
  <pos x="7" y="8"/>
</browser>
</skin>)";
    ASSERT_TRUE(Analyse(skin));
    EXPECT_EQ(Browser::BrowserCount, 2);
    // The first element's size line lacks " width": a height but no width.
    EXPECT_EQ(Browser::Browser_Width, Ints{400});
    EXPECT_EQ(Browser::Browser_Height, (Ints{250, 350}));
    // The second element's pos line is six lines down, out of its window of five.
    EXPECT_EQ(Browser::Browser_X, Ints{5});
    EXPECT_EQ(Browser::Browser_Y, Ints{6});
}

TEST_F(LectureTest, LookAheadsPastTheLastLineReadNothing) {
    Browser::B_Text_Font = "Kept";
    ASSERT_TRUE(
        Analyse("<skin width=\"1024\" height=\"768\">\n<a/>\n<b/>\n<c/>\n<browser>\n"
                "<size width=\"300\" height=\"260\"/>\n<logo>"));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Browser::BrowserCount, 1);
    EXPECT_EQ(Browser::Browser_Width, Ints{300});
    EXPECT_TRUE(Browser::Browser_X.empty());
    EXPECT_EQ(Browser::B_Text_Font, "Kept");
    EXPECT_EQ(Variables::P_Logo, "");
}

TEST_F(LectureTest, TextStyleTakesOnlyTheAttributesFound) {
    Browser::B_Text_Font = "Old";
    Browser::B_Text_Size = 11;
    Browser::B_Selected_Color = RGB(1, 2, 3);
    ASSERT_TRUE(
        Analyse("<skin width=\"1024\" height=\"768\">\n<browser>\n"
                "<text color=\"FF8000\" stripes=\"#0a0B0c\"/>\n</browser>\n"));
    EXPECT_EQ(Browser::B_Text_Font, "Old");
    EXPECT_EQ(Browser::B_Text_Size, 11);
    EXPECT_EQ(Browser::B_Text_Color, RGB(255, 128, 0));
    EXPECT_EQ(Browser::B_Selected_Color, RGB(1, 2, 3));
    EXPECT_EQ(Browser::B_Stripes_Color, RGB(10, 11, 12));
}

TEST_F(LectureTest, DuringAJobTheChosenTextStyleStays) {
    Variables::ThreadRunning = true;
    Browser::B_Text_Font = "Chosen";
    Browser::B_Text_Size = 20;
    Browser::B_Text_Color = RGB(9, 9, 9);
    Browser::B_Selected_Color = RGB(8, 8, 8);
    Browser::B_Stripes_Color = RGB(7, 7, 7);
    ASSERT_TRUE(Analyse(kDeck));
    EXPECT_EQ(Browser::B_Text_Font, "Chosen");
    EXPECT_EQ(Browser::B_Text_Size, 20);
    EXPECT_EQ(Browser::B_Text_Color, RGB(9, 9, 9));
    EXPECT_EQ(Browser::B_Selected_Color, RGB(8, 8, 8));
    EXPECT_EQ(Browser::B_Stripes_Color, RGB(7, 7, 7));
    // The rectangles are read whatever runs.
    EXPECT_EQ(Browser::Browser_Height, Ints{300});
}

TEST_F(LectureTest, EachAnalysisResetsTheValuesOfOneSkinAndKeepsTheRest) {
    ASSERT_TRUE(Analyse(kDeck));
    Variables::Custom_Visual = {"1*2*3*4*5*6"};
    Variables::customicons = {10, 20};
    Variables::custombuttons = {30, 40};
    Browser::Browser_Change = true;
    // Without a size of its own the skin is refused, but what it gave is read all the same.
    EXPECT_FALSE(Analyse("<skin name=\"Second\">\n<a/>\n<b/>\n<c/>\n<d/>\n<e/>\n", "second.xml"));
    EXPECT_EQ(Variables::SkinName, "Second");
    EXPECT_EQ(Variables::SkinVersion, 7.5f);  // no version: the earlier skin's
    EXPECT_EQ(Variables::inWidth, 1024);      // no size: the earlier skin's
    EXPECT_EQ(Variables::inHeight, 768);
    EXPECT_EQ(Variables::P_Logo, "");
    EXPECT_TRUE(Variables::Custom_Visual.empty());
    EXPECT_EQ(Variables::customicons, (Ints{0, 0}));
    EXPECT_EQ(Variables::custombuttons, (Ints{0, 0}));
    EXPECT_EQ(Browser::BrowserCount, 0);
    EXPECT_TRUE(Browser::Browser_Height.empty());
    EXPECT_EQ(Browser::B_Text_Font, "Liberation Sans");
    EXPECT_TRUE(Browser::Browser_Change);
}

TEST_F(LectureTest, MissingFileShowsItsMessageAfterTheResets) {
    Variables::P_Logo = "40*1*2";
    Variables::Custom_Visual = {"x"};
    Browser::BrowserCount = 2;
    Variables::Str_Line = {"kept"};
    const std::string missing = (dir / "gone.xml").string();
    EXPECT_FALSE(Variables::Lecture(missing));
    EXPECT_EQ(Shown(), std::vector<std::string>{"\"" + missing +
                                                "\" does not exist.\nChoose another file."});
    EXPECT_EQ(Variables::P_Logo, "");
    EXPECT_TRUE(Variables::Custom_Visual.empty());
    EXPECT_EQ(Browser::BrowserCount, 0);
    EXPECT_EQ(Variables::Str_Line, std::vector<std::string>{"kept"});
}

TEST_F(LectureTest, ShortFileWithoutSkinElementFailsWithTheTableMessage) {
    EXPECT_FALSE(Analyse("<a/>\n<b/>\n<c/>"));
    EXPECT_EQ(Shown(), std::vector<std::string>{kErrorMessage});
    EXPECT_EQ(Variables::Str_Line, (std::vector<std::string>{"<a/>", "<b/>", "<c/>"}));
}

TEST_F(LectureTest, FailureMessageComesFromTheTable) {
    Language::Messages[3] = "Une erreur est survenue";
    EXPECT_FALSE(Analyse("<a/>"));
    EXPECT_EQ(Shown(), std::vector<std::string>{"Une erreur est survenue."});
}

TEST_F(LectureTest, SkinWithoutASizeIsRefusedClearly) {
    ASSERT_EQ(Variables::inWidth, 0);
    EXPECT_FALSE(
        Analyse("<skin name=\"NoSize\" width=\"0\" height=\"768\">\n</skin>\n"
                "<a/>\n<b/>\n<c/>\n<d/>\n"));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "\"" + path +
                              "\" gives the skin no width and height above 0.\n"
                              "Choose another file.");
    EXPECT_EQ(Variables::SkinName, "NoSize");

    dialogs->shown.clear();
    EXPECT_FALSE(Analyse("<skin width=\"-1024\" height=\"768\">\n</skin>\n<a/>\n<b/>\n<c/>\n"));
    EXPECT_EQ(Shown().size(), 1u);
}

// ---- Bad input -------------------------------------------------------------------------------

struct BadFileCase {
    const char* name;
    std::string bytes;
    const char* message;  // nullptr: the refusal of a file without a skin element
};

std::string Binary() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 131 + 7) % 256);
    return bytes;
}

// clang-format off
const BadFileCase kBadFiles[] = {
    {"Empty",            "",                                          kErrorMessage},
    {"Binary",           Binary(),                                    nullptr},
    {"BinaryNoLineEnds", std::string(5000, '\0'),                     kErrorMessage},
    {"WidthBeyondInt32", "<skin width=\"99999999999\" height=\"768\">\n", kErrorMessage},
    {"VersionBeyondFloat", "<skin version=\"1" + std::string(60, '0') + "\">\n", kErrorMessage},
    {"BrowserSizeBeyondInt32", "<skin width=\"1024\" height=\"768\">\n<browser>\n"
                         "<size width=\"-3000000000\"/>\n", kErrorMessage},
};
// clang-format on

class BadFileTest : public LectureTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, GivesAMessageAndFalseAndLeavesTheFile) {
    EXPECT_FALSE(Analyse(GetParam().bytes));
    const std::string message =
        GetParam().message
            ? GetParam().message
            : "\"" + path +
                  "\" has no skin element in its first six lines, where this tool reads the "
                  "skin's size.\nChoose another file.";
    EXPECT_EQ(Shown(), std::vector<std::string>{message});
    EXPECT_EQ(testsupport::ReadAll(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, BadFileTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LectureTest, BinaryWithEnoughLinesIsReadWithoutFindingAnything) {
    Variables::inWidth = 800;
    Variables::inHeight = 600;
    std::string bytes = Binary();
    for (int i = 0; i < 8; ++i)
        bytes += "\n\xFF\xFE<\x01";
    EXPECT_FALSE(Analyse(bytes));
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Browser::BrowserCount, 0);
    EXPECT_EQ(Variables::inWidth, 800);
}

TEST_F(LectureTest, FolderOrRelativePathFailsWithTheTableMessage) {
    EXPECT_FALSE(Variables::Lecture(dir.Path().string()));
    EXPECT_FALSE(Variables::Lecture("relative/skin.xml"));
    EXPECT_EQ(Shown(), (std::vector<std::string>{kErrorMessage, kErrorMessage}));
}

TEST_F(LectureTest, HundredMegabyteFileIsRefusedUnread) {
    const fs::path big = dir / "huge.xml";
    { std::ofstream(big) << "<skin width=\"1024\" height=\"768\">\n"; }
    fs::resize_file(big, 100'000'000);
    Variables::Str_Line = {"kept"};
    EXPECT_FALSE(Variables::Lecture(big.string()));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "\"" + big.string() +
                              "\" is larger than 64 MiB.\nIt is not a skin file that this tool "
                              "can read.");
    EXPECT_EQ(Variables::Str_Line, std::vector<std::string>{"kept"});
    EXPECT_EQ(Variables::inWidth, 0);
}

// ---- Colour texts ----------------------------------------------------------------------------

struct ColorCase {
    const char* name;
    const char* text;
    platform::Color color;
};

// clang-format off
const ColorCase kColors[] = {
    {"WithHash",        "#FF8000",              RGB(255, 128, 0)},
    {"WithoutHash",     "FF8000",               RGB(255, 128, 0)},
    {"LowerCase",       "#ff8000",              RGB(255, 128, 0)},
    {"RestIgnored",     "#102030\" selected=\"#FFFFFF\"/>", RGB(16, 32, 48)},
    {"OnlySixTaken",    "1234567",              RGB(0x12, 0x34, 0x56)},
    {"ShortText",       "#FF",                  RGB(255, 0, 0)},
    {"OddLength",       "#ABC",                 RGB(0xAB, 0x0C, 0)},
    {"Empty",           "",                     RGB(0, 0, 0)},
    {"NotHexPairIsZero", "#GG8000",             RGB(0, 128, 0)},
    {"HalfHexPair",     "#8G0000",              RGB(8, 0, 0)},
    {"QuoteEndsEarly",  "#F\"",                 RGB(15, 0, 0)},
};
// clang-format on

class ColorTextTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTextTest, ReadsThreeHexadecimalPairs) {
    EXPECT_EQ(Variables::Color_HTML_to_RB(GetParam().text), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(Texts, ColorTextTest, ::testing::ValuesIn(kColors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberTextTest, WholeNumbersWithoutPoint) {
    EXPECT_EQ(Variables::NumberText(40), "40");
    EXPECT_EQ(Variables::NumberText(-3), "-3");
    EXPECT_EQ(Variables::NumberText(0), "0");
    EXPECT_EQ(Variables::NumberText(-0.0), "0");
    EXPECT_EQ(Variables::NumberText(12345678), "12345678");
    EXPECT_EQ(Variables::NumberText(40.5), "40.5");
    EXPECT_EQ(Variables::NumberText(7.25), "7.25");
}

}  // namespace

namespace {

// The example skin shipped in examples/ analyses as its generator drew it.
TEST_F(LectureTest, ExampleSkinAnalyses) {
    const std::string example = std::string(MALVOREN_SOURCE_DIR) + "/examples/tidewater.xml";
    ASSERT_TRUE(Variables::Lecture(example));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Variables::SkinName, "Tidewater");
    EXPECT_EQ(Variables::SkinVersion, 7.0f);
    EXPECT_EQ(Variables::inWidth, 1024);
    EXPECT_EQ(Variables::inHeight, 768);
    EXPECT_EQ(Variables::P_Logo, "24*452*8");
    EXPECT_EQ(Browser::BrowserCount, 1);
    EXPECT_EQ(Browser::Browser_X, Ints{12});
    EXPECT_EQ(Browser::Browser_Y, Ints{420});
    EXPECT_EQ(Browser::Browser_Width, Ints{1000});
    EXPECT_EQ(Browser::Browser_Height, Ints{336});
    EXPECT_EQ(Browser::B_Text_Font, "Liberation Sans");
    EXPECT_EQ(Browser::B_Text_Size, 12);
    EXPECT_EQ(Browser::B_Text_Color, RGB(0xE6, 0xE6, 0xE6));
    EXPECT_EQ(Browser::B_Selected_Color, RGB(0xFF, 0xA0, 0x00));
    EXPECT_EQ(Browser::B_Stripes_Color, RGB(0x1C, 0x20, 0x26));

    // Its bitmap is a PNG of the skin's width with a sprite area below the skin's height.
    const std::string png =
        testsupport::ReadAll(std::string(MALVOREN_SOURCE_DIR) + "/examples/tidewater.png");
    ASSERT_GE(png.size(), 24u);
    ASSERT_EQ(png.substr(1, 3), "PNG");
    const auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 1024);
    EXPECT_GT(be32(20), 768);
}

}  // namespace
