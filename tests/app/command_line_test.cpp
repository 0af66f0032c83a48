#include "app/command_line.h"

#include "messages/line_terminator.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using App::CommandSettings;
using Tokens = std::vector<std::string>;

namespace {

struct RebuildCase {
    const char* name;
    std::vector<std::string> args;
    const char* line;
};

const RebuildCase kRebuildCases[] = {
    // clang-format off
    {"ProgramPathAlwaysQuoted",   {"/opt/m/malvoren"},                        R"("/opt/m/malvoren")"},
    {"PlainArgumentsBare",        {"/m", "-w", "1024", "in.xml"},             R"("/m" -w 1024 in.xml)"},
    {"ArgumentWithBlankQuoted",   {"/m", "my skin.xml"},                      R"("/m" "my skin.xml")"},
    {"EmptyArgumentQuoted",       {"/m", "", "x.xml"},                        R"("/m" "" x.xml)"},
    {"ProgramPathWithBlank",      {"/my apps/malvoren", "-r", "smart"},       R"("/my apps/malvoren" -r smart)"},
    // clang-format on
};

class RebuildTest : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(RebuildTest, QuotesThePathAndArgumentsThatNeedIt) {
    EXPECT_EQ(App::CommandLineFromArgs(GetParam().args), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Args, RebuildTest, ::testing::ValuesIn(kRebuildCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TokenCase {
    const char* name;
    const char* line;
    Tokens tokens;
};

// Index 0 is the empty token made by the opening quote of the program's path; the path itself
// (index 1) is removed.
const TokenCase kTokenCases[] = {
    // clang-format off
    {"ProgramPathOnly",            R"("/m")",                       {""}},
    {"PlainOptions",               R"("/m" -w 1024 in.xml)",        {"", "-w", "1024", "in.xml"}},
    {"BlanksAroundTrimmed",        "  \"/m\" -w 1  ",               {"", "-w", "1"}},
    {"DoubleBlankGivesEmptyToken", R"("/m" -w  1)",                 {"", "-w", "", "1"}},
    {"QuotedBlanksStayInToken",    R"("/m" "my skin.xml" o.xml)",   {"", "my skin.xml", "o.xml"}},
    // Only the first quote-blank-quote becomes two quotes; a later one leaves an empty token.
    {"OnlyFirstQuoteBlankQuote",   R"("/m" "a b.xml" "c d.xml")",   {"", "a b.xml", "", "c d.xml"}},
    {"TextGluedToClosingQuote",    R"("/m" "my skin".xml)",         {"", "my skin.xml"}},
    {"QuoteMidWordSplitsBefore",   R"("/m" my"skin x".xml)",        {"", "my", "skin x.xml"}},
    {"UnclosedQuoteRunsToEnd",     R"("/m" "a b)",                  {"", "a b"}},
    {"NoQuotesDropsSecondToken",   R"(/m -w 1)",                    {"/m", "1"}},
    {"SingleTokenKept",            R"(/m)",                         {"/m"}},
    // clang-format on
};

class TokeniseTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokeniseTest, SplitsLikeTheOriginal) {
    EXPECT_EQ(App::Tokenise(GetParam().line), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(Lines, TokeniseTest, ::testing::ValuesIn(kTokenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineTest, DesktopMarkerAndStopMode) {
    EXPECT_TRUE(App::IsDesktopLaunch(R"("/m" -psn_0_1234)"));
    EXPECT_TRUE(App::IsDesktopLaunch(R"("/m" -w 1024 -PSN_0_1)"));
    EXPECT_FALSE(App::IsDesktopLaunch(R"("/m" -psn0)"));
    EXPECT_FALSE(App::IsDesktopLaunch(R"("/m"-psn_)"));  // needs the blank before it
    EXPECT_TRUE(App::StopMode(R"("/m" -w 1024)"));
    EXPECT_FALSE(App::StopMode(R"("/m" -NoStop)"));
    EXPECT_FALSE(App::StopMode(R"("/m" x-nostopy.xml)"));  // a substring test on the whole text
}

TEST(CommandLineTest, OptionNumbersDropTheFraction) {
    EXPECT_EQ(App::OptionNumber("1024"), 1024);
    EXPECT_EQ(App::OptionNumber("1024.9"), 1024);
    EXPECT_EQ(App::OptionNumber("800px"), 800);
    EXPECT_EQ(App::OptionNumber("abc"), 0);
    EXPECT_EQ(App::OptionNumber("&h400"), 1024);     // the framework's Val reads "&h" numbers
    EXPECT_EQ(App::OptionNumber("99999999999"), 0);  // outside 32 bits: no size at all
}

TEST(CommandLineTest, DerivedHeightKeepsProportionsAndNeverOverflows) {
    EXPECT_EQ(App::DerivedHeight(1024, 800, 600), 768);  // 1024 * 600 / 800
    EXPECT_EQ(App::DerivedHeight(1000, 800, 600), 750);  // 1000 * 600 / 800
    EXPECT_EQ(App::DerivedHeight(1001, 800, 600), 750);  // 750.75, fraction dropped
    EXPECT_EQ(App::DerivedHeight(1024, 0, 600), 0);      // no width to divide by
    // 100000 * 100000 leaves 32 bits; formed in 64 bits it gives 100000 * 100000 / 1000.
    EXPECT_EQ(App::DerivedHeight(100000, 1000, 100000), 10000000);
    EXPECT_EQ(App::DerivedHeight(2000000000, 1, 2), 0);  // 4e9 does not fit: no height
}

TEST(CommandLineTest, SamePathIgnoresCaseAndResolvesTheFolder) {
    testsupport::TempFolder dir;
    dir.Write("in.xml", "x");
    const std::string in = (dir / "in.xml").string();
    EXPECT_TRUE(App::SamePath(in, in));
    EXPECT_TRUE(App::SamePath("/a/In.XML", "/a/in.xml"));
    EXPECT_TRUE(App::SamePath(in, (dir / "sub" / ".." / "in.xml").string()));
    EXPECT_FALSE(App::SamePath(in, (dir / "out.xml").string()));
    EXPECT_FALSE(App::SamePath("", in));
}

// One row per rule of the grammar: the arguments after the program's path, the stop mode,
// and what reading them leaves. Skins named "in.xml" and "my skin.xml" exist in the folder.
struct ParseCase {
    const char* name;
    const char* args;
    bool stopMode;
    bool goOn;
    const char* message;
    CommandSettings expected;  // paths relative to the folder; "/abs..." kept as given
};

const ParseCase kParseCases[] = {
    // clang-format off
    {"AllOptions",               "-w 1024 -h 700 -r simple -bfontsize 14 in.xml out.xml", true, true, "",
                                 {1024, 700, "simple", "in.xml", "out.xml", true, 14}},
    {"AnyCase",                  "-W 1024 -R SIMPLE -H 600 in.xml out.XML", true, true, "",
                                 {1024, 600, "simple", "in.xml", "out.XML", false, 0}},
    {"PendingReplaced",          "-w -h 700 in.xml out.xml", true, true, "",
                                 {0, 700, "", "in.xml", "out.xml", false, 0}},
    {"TrailingOptionDropped",    "in.xml out.xml -w", true, true, "",
                                 {0, 0, "", "in.xml", "out.xml", false, 0}},
    {"ThirdPathReplacesOutput",  "in.xml a.xml b.xml", true, true, "",
                                 {0, 0, "", "in.xml", "b.xml", false, 0}},
    {"QuotedPathWithBlank",      "\"my skin.xml\" out.xml", true, true, "",
                                 {0, 0, "", "my skin.xml", "out.xml", false, 0}},
    {"FontSizeNotANumber",       "-bfontsize abc", true, true, "",
                                 {0, 0, "", "", "", true, 0}},
    {"NegativeValueIsAnOption",  "-h -5 in.xml", true, false, "Unknown command \"-5 in.xml\"",
                                 {0, 0, "", "", "", false, 0}},
    {"BadMethod",                "-w 1024 -r zoom in.xml", true, false,
                                 "Unknown command \"-r zoom\"\nAvailable resize parameters are:\nsimple / border / browser",
                                 {1024, 0, "", "", "", false, 0}},
    {"BadMethodIgnoredNoStop",   "-r zoom -w 900", false, true, "",
                                 {900, 0, "", "", "", false, 0}},
    {"BadOption",                "-Q 5 in.xml", true, false, "Unknown command \"-Q 5\"",
                                 {0, 0, "", "", "", false, 0}},
    {"BadOptionIgnoredNoStop",   "-q 5 -w 1024 in.xml", false, true, "",
                                 {1024, 0, "", "in.xml", "", false, 0}},
    {"NoStopSwallowsNextToken",  "-nostop gone.xml in.xml -w 1024 -r simple", false, true, "",
                                 {1024, 0, "simple", "in.xml", "", false, 0}},
    {"SwallowedInputLeavesNext", "-nostop in.xml out.xml -w 1024", false, false,
                                 "Failed opening out.xml", {0, 0, "", "", "", false, 0}},
    {"BadToken",                 "in.xml notes.txt", true, false, "Unknown command \"notes.txt\"",
                                 {0, 0, "", "in.xml", "", false, 0}},
    {"BadTokenSkippedNoStop",    "notes.txt in.xml", false, true, "",
                                 {0, 0, "", "in.xml", "", false, 0}},
    {"MissingInputStopMode",     "gone.xml out.xml", true, false, "Failed opening gone.xml",
                                 {0, 0, "", "", "", false, 0}},
    {"MissingInputNoStop",       "gone.xml out.xml", false, false, "Failed opening gone.xml",
                                 {0, 0, "", "", "", false, 0}},
    {"OutputNeedNotExist",       "in.xml nowhere/out.xml", true, true, "",
                                 {0, 0, "", "in.xml", "nowhere/out.xml", false, 0}},
    {"UpperCaseXmlIsAPath",      "in.xml OUT.XML", true, true, "",
                                 {0, 0, "", "in.xml", "OUT.XML", false, 0}},
    // clang-format on
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ReadsTheGrammar) {
    const ParseCase& c = GetParam();
    Variables::RC = "\n";
    testsupport::TempFolder dir;
    dir.Write("in.xml", "<skin/>");
    dir.Write("my skin.xml", "<skin/>");
    const platform::FolderItem folder(dir.Path());

    CommandSettings settings;
    const auto result = App::ParseTokens(App::Tokenise(std::string("\"/opt/malvoren\" ") + c.args),
                                         c.stopMode, folder, settings);

    EXPECT_EQ(result.goOn, c.goOn);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(settings.outWidth, c.expected.outWidth);
    EXPECT_EQ(settings.outHeight, c.expected.outHeight);
    EXPECT_EQ(settings.resizeMethod, c.expected.resizeMethod);
    auto inFolder = [&](const std::string& name) {
        return name.empty() ? name : (dir / name).lexically_normal().string();
    };
    EXPECT_EQ(settings.inputXMLPath, inFolder(c.expected.inputXMLPath));
    EXPECT_EQ(settings.outputXMLPath, inFolder(c.expected.outputXMLPath));
    EXPECT_EQ(settings.browserXMLChange, c.expected.browserXMLChange);
    EXPECT_EQ(settings.fontSize, c.expected.fontSize);
}

INSTANTIATE_TEST_SUITE_P(Grammar, ParseTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseTest, AbsolutePathsAreTakenAsGiven) {
    testsupport::TempFolder app;
    testsupport::TempFolder elsewhere;
    elsewhere.Write("in.xml", "<skin/>");
    const std::string in = (elsewhere / "in.xml").string();
    CommandSettings settings;
    const auto result = App::ParseTokens({"", in, "/tmp/x/../out.xml"}, true,
                                         platform::FolderItem(app.Path()), settings);
    EXPECT_TRUE(result.goOn);
    EXPECT_EQ(settings.inputXMLPath, in);
    EXPECT_EQ(settings.outputXMLPath, "/tmp/out.xml");
}

TEST(ParseTest, SecondCharacterColonIsAnAbsolutePath) {
    testsupport::TempFolder app;
    CommandSettings settings;
    // Not a file here, so the first path is reported missing under its own name, not looked
    // up in the application's folder.
    const auto result = App::ParseTokens({"", "D:\\skins\\in.xml"}, true,
                                         platform::FolderItem(app.Path()), settings);
    EXPECT_FALSE(result.goOn);
    EXPECT_EQ(result.message, "Failed opening D:\\skins\\in.xml");
}

TEST(ParseTest, SettingsNotGivenKeepTheirValues) {
    testsupport::TempFolder app;
    CommandSettings settings;
    settings.outWidth = 1280;
    settings.resizeMethod = "smart";
    App::ParseTokens({"", "-h", "800"}, true, platform::FolderItem(app.Path()), settings);
    EXPECT_EQ(settings.outWidth, 1280);
    EXPECT_EQ(settings.outHeight, 800);
    EXPECT_EQ(settings.resizeMethod, "smart");
}

}  // namespace
