#include "engine/xml/skin_file.h"

#include "engine/xml/variables.h"
#include "engine_fixture.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using enginetest::EngineTest;
using testsupport::ReadAll;

namespace {

using Lines = std::vector<std::string>;

// ---- Reading ---------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

const std::string kBom = "\xEF\xBB\xBF";

// clang-format off
const ReadCase kReadCases[] = {
    {"LfEnds",             "<skin>\n<a/>\n</skin>",        {"<skin>", "<a/>", "</skin>"}},
    {"CrLfEnds",           "<skin>\r\n<a/>\r\n</skin>",    {"<skin>", "<a/>", "</skin>"}},
    {"CrEnds",             "<skin>\r<a/>\r</skin>",        {"<skin>", "<a/>", "</skin>"}},
    {"MixedEnds",          "<skin>\r\n<a/>\r</skin>\n<b>", {"<skin>", "<a/>", "</skin>", "<b>"}},
    {"FinalEndGivesEmpty", "a\nb\n",                       {"a", "b", ""}},
    {"CrLfFinalEnd",       "a\r\nb\r\n",                   {"a", "b", ""}},
    {"LfCrIsTwoEnds",      "a\n\rb",                       {"a", "", "b"}},
    {"EmptyLinesKept",     "a\n\n\nb",                     {"a", "", "", "b"}},
    {"EmptyFile",          "",                             {""}},
    {"OnlyALineEnd",       "\r\n",                         {"", ""}},
    {"NothingTrimmed",     "  <a x=\"1\" >\t\n",           {"  <a x=\"1\" >\t", ""}},
    {"Latin1BytesKept",    "<skin name=\"Caf\xE9\">\n",    {"<skin name=\"Caf\xE9\">", ""}},
    {"ByteOrderMarkKept",  kBom + "<skin>\n</skin>",       {kBom + "<skin>", "</skin>"}},
    {"EntitiesNotDecoded", "<t>&amp;&#233;</t>",           {"<t>&amp;&#233;</t>"}},
    {"BinaryBytesKept",    std::string("\0\x01\xFF\n\x80", 5), {std::string("\0\x01\xFF", 3), "\x80"}},
};
// clang-format on

class ReadLinesTest : public EngineTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadLinesTest, OpenXmlSplitsAtEveryLineEndAndKeepsTheBytes) {
    Variables::InputXMLPath = dir.Write("skin.xml", GetParam().bytes).string();
    ASSERT_TRUE(Variables::Open_XML());
    EXPECT_EQ(Variables::Str_Line, GetParam().lines);
    EXPECT_EQ(Variables::Input_Filename, "skin.xml");
    EXPECT_EQ(Variables::SplitSkinLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Ends, ReadLinesTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

class OpenXmlTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Variables::Str_Line = {"earlier", "skin"};
    }
    const Lines kEarlier{"earlier", "skin"};
};

TEST_F(OpenXmlTest, MissingFileGivesFalseButNamesIt) {
    Variables::InputXMLPath = (dir / "gone.xml").string();
    EXPECT_FALSE(Variables::Open_XML());
    EXPECT_EQ(Variables::Input_Filename, "gone.xml");
    EXPECT_EQ(Variables::Str_Line, kEarlier);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(OpenXmlTest, PathsThatGiveNoReadableFileAreMissingObjects) {
    for (const std::string& path :
         {std::string("relative/skin.xml"), std::string(""), dir.Path().string()}) {
        Variables::InputXMLPath = path;
        EXPECT_THROW(Variables::Open_XML(), platform::NilObjectException) << path;
        EXPECT_EQ(Variables::Str_Line, kEarlier) << path;
    }
}

TEST_F(OpenXmlTest, SkinOver64MiBIsRefusedUnread) {
    // A sparse file: 100 MB long without taking the disk space.
    const fs::path big = dir / "huge.xml";
    { std::ofstream(big) << "<skin>"; }
    fs::resize_file(big, 100'000'000);
    Variables::InputXMLPath = big.string();
    try {
        Variables::Open_XML();
        FAIL() << "read a 100 MB skin";
    } catch (const Variables::SkinTooLargeException& e) {
        EXPECT_EQ(e.ErrorNumber(), EFBIG);
        EXPECT_NE(std::string(e.what()).find("larger than 64 MiB"), std::string::npos);
    }
    EXPECT_EQ(Variables::Str_Line, kEarlier);
    EXPECT_EQ(fs::file_size(big), 100'000'000u);
}

TEST_F(OpenXmlTest, SkinOfExactly64MiBIsRead) {
    // 524,288 lines of 127 bytes and a line end: 64 MiB within the line limits.
    const std::string line = "<skin>" + std::string(121, 'x') + "\n";
    const std::size_t count = Variables::kMaxSkinBytes / line.size();
    ASSERT_EQ(count * line.size(), Variables::kMaxSkinBytes);
    std::string bytes;
    bytes.reserve(Variables::kMaxSkinBytes);
    for (std::size_t i = 0; i < count; ++i)
        bytes += line;
    Variables::InputXMLPath = dir.Write("edge.xml", bytes).string();
    ASSERT_TRUE(Variables::Open_XML());
    ASSERT_EQ(Variables::Str_Line.size(), count + 1);
    EXPECT_EQ(Variables::Str_Line[0], line.substr(0, 127));
    EXPECT_EQ(Variables::Str_Line[count], "");
}

// ---- Line limits -----------------------------------------------------------------------------

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// The limits are written out here rather than taken from the header, so that a changed limit
// shows up as a failing test.
constexpr std::size_t kMillion = 1'000'000;
constexpr std::size_t k64KiB = 65'536;

struct LineLimitCase {
    const char* name;
    std::string (*bytes)();
    std::size_t lines;    // lines read when accepted (0: refused)
    const char* refusal;  // the refusal's first line, "@" standing for the quoted path
};

// clang-format off
const LineLimitCase kLineLimitCases[] = {
    // Accepted at the limits; Str_Line holds one more, empty element after a final line end.
    {"MillionLinesRead",             [] { return Repeat("<a/>\n", kMillion); },                 kMillion + 1, nullptr},
    {"MillionCrLfLinesRead",         [] { return Repeat("<a/>\r\n", kMillion); },               kMillion + 1, nullptr},
    {"MillionthLineWithoutEndRead",  [] { return Repeat("<a/>\n", kMillion - 1) + "<a/>"; },    kMillion,     nullptr},
    {"LineOf64KiBRead",              [] { return "<skin>\n" + std::string(k64KiB, 'x') + "\r\n</skin>"; }, 3, nullptr},
    {"LastLineOf64KiBWithoutEnd",    [] { return "<skin>\n" + std::string(k64KiB, 'x'); },       2,            nullptr},
    // Refused one above.
    {"MillionAndOneLinesRefused",    [] { return Repeat("<a/>\n", kMillion) + "<a/>"; },         0, "@ has more than 1000000 lines."},
    {"MillionAndOneEmptyLines",      [] { return Repeat("\n", kMillion + 1); },                  0, "@ has more than 1000000 lines."},
    {"LineOneByteLongerRefused",     [] { return "<skin>\n<a/>\n" + std::string(k64KiB + 1, 'x') + "\n</skin>"; }, 0,
                                     "Line 3 of @ is longer than 64 KiB."},
    {"LongLastLineWithoutEndRefused",[] { return "<skin>\r\n" + std::string(k64KiB + 1, 'x'); }, 0, "Line 2 of @ is longer than 64 KiB."},
    {"LongFirstLineRefused",         [] { return std::string(k64KiB + 1, '<'); },                0, "Line 1 of @ is longer than 64 KiB."},
};
// clang-format on

class LineLimitTest : public OpenXmlTest, public ::testing::WithParamInterface<LineLimitCase> {};

TEST_P(LineLimitTest, AcceptsAtTheLimitAndRefusesOneAboveBeforeSplitting) {
    const LineLimitCase& c = GetParam();
    const std::string bytes = c.bytes();
    const fs::path path = dir.Write("skin.xml", bytes);
    Variables::InputXMLPath = path.string();
    if (c.lines != 0) {
        ASSERT_TRUE(Variables::Open_XML());
        EXPECT_EQ(Variables::Str_Line.size(), c.lines);
        return;
    }
    try {
        Variables::Open_XML();
        FAIL() << "read a skin beyond the line limits";
    } catch (const Variables::SkinTooLargeException& e) {
        const std::string expected =
            platform::ReplaceAll(c.refusal, "@", "\"" + path.string() + "\"");
        EXPECT_EQ(e.what(), expected + "\nIt is not a skin file that this tool can read.");
        EXPECT_EQ(e.ErrorNumber(), EFBIG);
    }
    EXPECT_EQ(Variables::Str_Line, kEarlier);
    EXPECT_EQ(ReadAll(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Skins, LineLimitTest, ::testing::ValuesIn(kLineLimitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenXmlTest, LineTooLongNamesTheFirstSuchLine) {
    const std::string longLine(k64KiB + 1, 'x');
    Variables::InputXMLPath =
        dir.Write("skin.xml", "a\r\n\r\n" + longLine + "\r" + longLine).string();
    try {
        Variables::Open_XML();
        FAIL() << "read a skin with a line over 64 KiB";
    } catch (const Variables::SkinLineTooLongException& e) {
        EXPECT_EQ(e.LineNumber(), 3u);  // "a", "", then the first long line
    }
}

// ---- Writing ---------------------------------------------------------------------------------

class SaveXmlTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Variables::InputXMLPath = dir.Write("in/skin.xml", "<skin>\n").string();
        Variables::OutputXMLPath = (dir / "out.xml").string();
    }
    std::string Credit() const { return std::string(Variables::kCreditLine); }
    // Every file in the output folder, to see that no temporary file is left behind.
    std::vector<std::string> OutputFolder() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.Path()))
            if (e.is_regular_file())
                names.push_back(e.path().filename().string());
        return names;
    }
};

TEST_F(SaveXmlTest, CreditIsThirdAndEveryLineEndsWithTheTerminator) {
    Variables::Str_Line = {"<?xml version=\"1.0\"?>", "<skin name=\"a\">", "<x/>", "</skin>"};
    Variables::SaveXML();
    EXPECT_EQ(ReadAll(dir / "out.xml"),
              "<?xml version=\"1.0\"?>\n<skin name=\"a\">\n" + Credit() + "\n<x/>\n</skin>\n");
    EXPECT_TRUE(Variables::XMLSavedThisJob);
}

TEST_F(SaveXmlTest, TwoLinesWithFinalEndComeBackWithCreditAndEmptyLine) {
    Variables::InputXMLPath = dir.Write("in/two.xml", "a\r\nb\r\n").string();
    ASSERT_TRUE(Variables::Open_XML());
    Variables::SaveXML();
    EXPECT_EQ(ReadAll(dir / "out.xml"), "a\nb\n" + Credit() + "\n\n");
}

TEST_F(SaveXmlTest, CreditFollowsTheSecondLineWhereverTheSkinElementStands) {
    Variables::Str_Line = {"<!-- one -->", "<!-- two -->", "<skin>", "</skin>"};
    Variables::SaveXML();
    EXPECT_EQ(ReadAll(dir / "out.xml"),
              "<!-- one -->\n<!-- two -->\n" + Credit() + "\n<skin>\n</skin>\n");
}

TEST_F(SaveXmlTest, WritesTheTerminatorInForceAndTheBytesAsTheyAre) {
    Variables::RC = "\r\n";
    Variables::Str_Line = {kBom + "<skin>", "<t>Caf\xE9</t>", "</skin>"};
    Variables::SaveXML();
    EXPECT_EQ(ReadAll(dir / "out.xml"),
              kBom + "<skin>\r\n<t>Caf\xE9</t>\r\n" + Credit() + "\r\n</skin>\r\n");
}

TEST_F(SaveXmlTest, CreditLineHoldsNoWordThePassesLookFor) {
    for (const char* word : {"<skin", "#",       "mask",  "custom",      "icon",
                             "size",  "x=",      "y=",    "width",       "height",
                             "name",  "version", "<logo", "<browser",    "<pos",
                             "<text", "font",    "color", "sensibility", "\""}) {
        EXPECT_EQ(platform::InStr(Variables::kCreditLine, word), 0u) << word;
    }
    EXPECT_EQ(Variables::kCreditLine.substr(0, 12), "<copyright2>");
}

TEST_F(SaveXmlTest, ExistingOutputIsReplacedNotAppended) {
    dir.Write("out.xml", "an earlier, much longer output file\n\n\n\n\n");
    Variables::Str_Line = {"a", "b"};
    Variables::SaveXML();
    EXPECT_EQ(ReadAll(dir / "out.xml"), "a\nb\n" + Credit() + "\n");
    EXPECT_EQ(OutputFolder(), std::vector<std::string>{"out.xml"});
}

TEST_F(SaveXmlTest, SetsOutputNamesForTheBitmap) {
    Variables::OutputXMLPath = (dir / "my.skin.xml").string();
    Variables::Str_Line = {"a", "b"};
    Variables::SaveXML();
    EXPECT_EQ(Variables::FileName, (dir / "my.skin.").string());
    EXPECT_EQ(Variables::FileFolder, dir.Path().string());
}

struct WriteFailureCase {
    const char* name;
    Lines lines;
    const char* kind;
};

// clang-format off
const WriteFailureCase kWriteFailures[] = {
    {"EmptyArrayFailsBeforeWriting", {},         "OutOfBoundsException"},
    {"OneLineFailsAfterIt",          {"<skin>"}, "OutOfBoundsException"},
};
// clang-format on

class SaveXmlFailureTest : public SaveXmlTest,
                           public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(SaveXmlFailureTest, TooFewLinesRaiseAnIndexFailureAndLeaveTheEarlierOutput) {
    dir.Write("out.xml", "earlier output\n");
    Variables::XMLSavedThisJob = true;
    Variables::Str_Line = GetParam().lines;
    try {
        Variables::SaveXML();
        FAIL() << "no failure";
    } catch (const platform::RuntimeException& e) {
        EXPECT_STREQ(e.KindName(), GetParam().kind);
    }
    EXPECT_EQ(Variables::FileName, (dir / "out.").string());
    EXPECT_EQ(Variables::FileFolder, dir.Path().string());
    EXPECT_FALSE(Variables::XMLSavedThisJob);
    // Written beside the target and renamed into place: a failed write changes nothing.
    EXPECT_EQ(ReadAll(dir / "out.xml"), "earlier output\n");
    EXPECT_EQ(OutputFolder(), std::vector<std::string>{"out.xml"});
}

INSTANTIATE_TEST_SUITE_P(Lines, SaveXmlFailureTest, ::testing::ValuesIn(kWriteFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveXmlTest, MissingFolderIsAnIoFailureAfterTheNamesAreSet) {
    Variables::OutputXMLPath = (dir / "no such folder" / "out.xml").string();
    Variables::Str_Line = {"a", "b", "c"};
    try {
        Variables::SaveXML();
        FAIL() << "wrote into a missing folder";
    } catch (const platform::IOException& e) {
        EXPECT_EQ(e.ErrorNumber(), ENOENT);
    }
    EXPECT_EQ(Variables::FileName, (dir / "no such folder" / "out.").string());
    EXPECT_FALSE(fs::exists(dir / "no such folder"));
    EXPECT_FALSE(Variables::XMLSavedThisJob);
}

TEST_F(SaveXmlTest, FolderInTheWayIsAnIoFailure) {
    fs::create_directories(dir / "out.xml" / "inside");
    Variables::Str_Line = {"a", "b"};
    EXPECT_THROW(Variables::SaveXML(), platform::IOException);
    EXPECT_TRUE(fs::is_directory(dir / "out.xml" / "inside"));
    EXPECT_EQ(OutputFolder(), std::vector<std::string>{});
}

TEST_F(SaveXmlTest, RelativePathIsAMissingObject) {
    Variables::OutputXMLPath = "out.xml";
    Variables::Str_Line = {"a", "b"};
    EXPECT_THROW(Variables::SaveXML(), platform::NilObjectException);
}

TEST_F(SaveXmlTest, NeverWritesOverTheInputSkin) {
    Variables::Str_Line = {"a", "b"};
    for (const std::string& out :
         {Variables::InputXMLPath, (dir / "in" / "." / "skin.xml").string()}) {
        Variables::OutputXMLPath = out;
        EXPECT_THROW(Variables::SaveXML(), platform::IOException) << out;
        EXPECT_EQ(ReadAll(dir / "in" / "skin.xml"), "<skin>\n") << out;
    }
}

TEST_F(SaveXmlTest, NeverWritesOverTheInputSkinsBitmap) {
    Variables::Str_Line = {"a", "b"};
    for (const char* name : {"skin.png", "skin.bmp", "skin.jpg", "skin.jpeg"}) {
        const fs::path bitmap = dir.Write(std::string("in/") + name, "picture");
        Variables::OutputXMLPath = bitmap.string();
        EXPECT_THROW(Variables::SaveXML(), platform::IOException) << name;
        EXPECT_EQ(ReadAll(bitmap), "picture") << name;
        EXPECT_FALSE(Variables::XMLSavedThisJob) << name;
    }
}

TEST_F(SaveXmlTest, KilledJobLeavesNoPartialFile) {
    Variables::Str_Line = {"a", "b", "c", "d"};
    platform::RequestKill();
    EXPECT_THROW(Variables::SaveXML(), platform::ThreadEndException);
    platform::ClearKill();
    EXPECT_EQ(OutputFolder(), std::vector<std::string>{});
    EXPECT_FALSE(Variables::XMLSavedThisJob);
}

// ---- Extension -------------------------------------------------------------------------------

struct ExtensionCase {
    const char* name;
    const char* path;
    const char* ext;
    const char* result;
};

// clang-format off
const ExtensionCase kExtensions[] = {
    {"ExtensionReplaced",     "/skins/deck.xml",       "png", "/skins/deck.png"},
    {"EmptyExtKeepsTheDot",   "/skins/deck.xml",       "",    "/skins/deck."},
    {"LastDotCounts",         "/skins/deck.v2.xml",    "bmp", "/skins/deck.v2.bmp"},
    {"NoDotAppends",          "/skins/deck",           "jpg", "/skins/deck.jpg"},
    {"NoDotEmptyExt",         "deck",                  "",    "deck."},
    {"FolderDotLosesTheName", "/my.skins/deck",        "png", "/my.png"},
    {"TrailingDot",           "/skins/deck.",          "png", "/skins/deck.png"},
    {"EmptyPath",             "",                      "xml", ".xml"},
};
// clang-format on

class ReplaceExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ReplaceExtensionTest, ReplacesAfterTheLastDot) {
    EXPECT_EQ(Variables::ReplaceExtension(GetParam().path, GetParam().ext), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Paths, ReplaceExtensionTest, ::testing::ValuesIn(kExtensions),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Job log ---------------------------------------------------------------------------------

using JobLogTest = EngineTest;

TEST_F(JobLogTest, RecordsStartWithTheTerminatorAndNothingFollowsTheLast) {
    Variables::Log_Out("Picture file is skin.png", true);
    Variables::Log_Out("Picture opened succesfully", false);
    EXPECT_EQ(ReadAll(AppLog()), "\nPicture file is skin.png\nPicture opened succesfully");
    EXPECT_TRUE(Variables::Log_Ok);
    EXPECT_EQ(Variables::JobLogFile().Path(), AppLog());
}

TEST_F(JobLogTest, AppendsToAnExistingLogAndStepsWriteThroughTheirOwnStream) {
    { std::ofstream(AppLog()) << "\nearlier job"; }
    {
        Variables::JobLog log;
        ASSERT_TRUE(log.IsOpen());
        log.Write("XML Job");
        log.Write("Total lines = 3");
    }
    Variables::Log_Out("--", false);
    EXPECT_EQ(ReadAll(AppLog()), "\nearlier job\nXML Job\nTotal lines = 3\n--");
}

TEST_F(JobLogTest, WithLogOkFalseOnlyLogOutIsSilent) {
    Variables::Log_Ok = false;
    Variables::Log_Out("not written", true);
    {
        Variables::JobLog log;
        log.Write("XML Job");
    }
    EXPECT_EQ(ReadAll(AppLog()), "\nXML Job");
}

TEST_F(JobLogTest, UnwritableApplicationFolderFallsBackToTheUserDataFolder) {
    // A folder where the log file should be: the log cannot be opened there, even as root.
    fs::create_directories(AppLog());
    Variables::Log_Out("Picture file is a.bmp", true);
    {
        Variables::JobLog log;
        EXPECT_TRUE(log.IsOpen());
        log.Write("XML Job");
    }
    EXPECT_EQ(ReadAll(DataLog()), "\nPicture file is a.bmp\nXML Job");
    EXPECT_TRUE(Variables::Log_Ok);
    EXPECT_EQ(Variables::JobLogFile().Path(), DataLog());
}

TEST_F(JobLogTest, MissingApplicationFolderFallsBackToo) {
    jobState.SetEnv("MALVOREN_APP_DIR", (dir / "not there").string());
    Variables::Log_Out("record", true);
    EXPECT_EQ(ReadAll(DataLog()), "\nrecord");
    EXPECT_FALSE(fs::exists(dir / "not there"));
}

TEST_F(JobLogTest, LogThatCannotBeOpenedAnywhereStopsNothing) {
    fs::create_directories(AppLog());
    // The data folder's parent is a file, so the fallback cannot be created either.
    dir.Write("blocked", "a file");
    jobState.SetEnv("XDG_DATA_HOME", (dir / "blocked").string());
    {
        Variables::JobLog log;
        EXPECT_FALSE(log.IsOpen());
        EXPECT_NO_THROW(log.Write("XML Job"));
    }
    EXPECT_TRUE(Variables::Log_Ok);
    EXPECT_NO_THROW(Variables::Log_Out("first", true));
    EXPECT_FALSE(Variables::Log_Ok);

    // After one failed write Log_Out stays silent for the rest of the run, while the steps'
    // own streams go on appending.
    fs::remove(AppLog());
    Variables::Log_Out("second", true);
    {
        Variables::JobLog log;
        log.Write("XML Job");
    }
    EXPECT_EQ(ReadAll(AppLog()), "\nXML Job");
}

TEST_F(JobLogTest, DeleteRemovesTheLogInBothPlaces) {
    { std::ofstream(AppLog()) << "\nold"; }
    fs::create_directories(DataLog().parent_path());
    { std::ofstream(DataLog()) << "\nold"; }
    Variables::DeleteJobLog();
    EXPECT_FALSE(fs::exists(AppLog()));
    EXPECT_FALSE(fs::exists(DataLog()));
    EXPECT_NO_THROW(Variables::DeleteJobLog());
}

}  // namespace
