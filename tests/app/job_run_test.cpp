// The one job runner, driven in both modes: the refusals made before anything is written, and
// what each method leaves when the disk fills or the folder cannot be written, with or without
// an earlier skin of the output's name. The failing writer is the atomic writer's test seam.
#include "app/job_run.h"

#include "engine/xml/analysis.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "support/job_state.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Kind = jobrun::Mode::Kind;

// 800 x 600 with a browser of 300 rows, so that every method can run on it.
const char* const kSkin =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<skin name=\"Runner\" version=\"8\" width=\"800\" height=\"600\" author=\"malvoren tests\">\n"
    "<browser>\n"
    "  <size width=\"400\" height=\"300\"/>\n"
    "  <pos x=\"200\" y=\"250\"/>\n"
    "</browser>\n"
    "<button action=\"play\">\n"
    "  <pos x=\"10\" y=\"580\"/>\n"
    "  <size width=\"50\" height=\"20\"/>\n"
    "</button>\n"
    "</skin>\n";

const char* const kEarlierSkin = "the earlier skin";
const char* const kEarlierBitmap = "the earlier bitmap";
// Every skin the tool writes carries it.
const char* const kCredit = "Rescaled by the Malvoren tool";

// ---- Refusals: one rule for both modes, made before the job touches a file. ----

struct RefusalCase {
    const char* name;
    const char* output;  // in the skins folder
    const char* width;
    const char* height;
    std::int32_t message;
    jobrun::Culprit culprit;
    const char* text;  // "{skins}" stands for the folder
};

const RefusalCase kRefusals[] = {
    // clang-format off
    {"SameFileByAnotherPath", "sub/../skin.xml", "1024", "768", 16, jobrun::Culprit::OutputField, ""},
    {"SameFileByAHardLink",   "same.xml",        "1024", "768", 16, jobrun::Culprit::OutputField, ""},
    {"SameFileInAnotherCase", "SKIN.XML",        "1024", "768", 16, jobrun::Culprit::OutputField, ""},
    {"WidthUnder640",         "out.xml",         "639.5", "768", 17, jobrun::Culprit::WidthField, ""},
    // 2^31 does not fit a 32-bit size: refused as typed, not read as 0 or as another size.
    {"WidthPast2To31",        "out.xml",  "99999999999", "768", 0, jobrun::Culprit::WidthField,
     "The output width is too large: no skin of that size can be made.\nChoose a smaller output size."},
    {"WidthJustPast2To31",    "out.xml",   "2147483648", "768", 0, jobrun::Culprit::WidthField,
     "The output width is too large: no skin of that size can be made.\nChoose a smaller output size."},
    {"HeightPast2To31",       "out.xml",  "1024", "3000000000", 0, jobrun::Culprit::HeightField,
     "The output height is too large: no skin of that size can be made.\nChoose a smaller output size."},
    // "skin.myxml" names its bitmap "skin.png": the input's.
    {"BitmapWouldBeTheInputs", "skin.myxml",     "1024", "768", 0, jobrun::Culprit::OutputField,
     "The output skin {skins}/skin.myxml would write its bitmap over the input skin's bitmap.\n"
     "Choose an output of another name."},
    // clang-format on
};

class JobRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(JobRefusalTest, IsMadeBeforeAnythingIsWritten) {
    const RefusalCase& c = GetParam();
    testsupport::JobState state;
    testsupport::TempFolder folder;
    Variables::RC = "\n";
    const fs::path skins = folder.Path();
    folder.Write("skin.xml", kSkin);
    folder.Write("skin.png", "a bitmap");
    fs::create_directory(skins / "sub");
    fs::create_hard_link(skins / "skin.xml", skins / "same.xml");

    const std::optional<jobrun::Refusal> refusal = jobrun::CheckPathsAndSizes(
        {(skins / "skin.xml").string(), (skins / c.output).string(), c.width, c.height});
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->page, 0);
    EXPECT_EQ(refusal->message, c.message);
    EXPECT_EQ(refusal->control, c.culprit);
    std::string text = c.text;
    if (const auto at = text.find("{skins}"); at != std::string::npos)
        text.replace(at, 7, skins.string());
    EXPECT_EQ(refusal->text, text);
}

INSTANTIATE_TEST_SUITE_P(Rules, JobRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JobRefusalTest, TheLargestSizesThatFitPass) {
    testsupport::JobState state;
    // 2^31 − 1 fits a 32-bit size; the job itself refuses the bitmap as too large.
    EXPECT_EQ(jobrun::CheckPathsAndSizes({"/a/in.xml", "/a/out.xml", "2147483647", "2147483647"}),
              std::nullopt);
}

// ---- Faults: method × mode × fault, with and without an earlier skin of the name. ----

struct JobCase {
    const char* name;
    const char* method;
    std::int32_t width;
    std::int32_t height;
};

const JobCase kJobs[] = {
    // clang-format off
    {"SimpleScales",  "Simple",  1024, 768},
    {"Border",        "Border",  1024, 768},
    {"Browser",       "Browser",  800, 700},
    {"Smart",         "Smart",   1024, 768},
    // At the input's size the window copies the bitmap ("Smart" in both modes): the bitmap
    // fault is then a full disk at the copy.
    {"SimpleCopies",  "Simple",   800, 600},
    {"SmartCopies",   "Smart",    800, 600},
    // clang-format on
};

enum class Fault { None, FullDiskAtTheSkin, FullDiskAtTheBitmap, ReadOnlyFolder };

// What is left of a file of the output's name.
enum class Left { None, Earlier, New };

struct FaultCase {
    const char* name;
    Kind mode;
    Fault fault;
    bool earlierPair;
    Left skin;
    Left bitmap;
    const char* failedFile;  // the file the message names, or none when the job succeeds
    const char* reason;
};

const FaultCase kFaults[] = {
    // clang-format off
    {"WindowDone",                       Kind::Window, Fault::None,                true,  Left::New,     Left::New,     nullptr,   nullptr},
    {"BatchDone",                        Kind::Batch,  Fault::None,                false, Left::New,     Left::New,     nullptr,   nullptr},
    {"WindowFullDiskAtTheSkin",          Kind::Window, Fault::FullDiskAtTheSkin,   true,  Left::Earlier, Left::Earlier, "out.xml", "No space left on device"},
    {"WindowFullDiskAtTheSkinFirst",     Kind::Window, Fault::FullDiskAtTheSkin,   false, Left::None,    Left::None,    "out.xml", "No space left on device"},
    {"BatchFullDiskAtTheSkin",           Kind::Batch,  Fault::FullDiskAtTheSkin,   true,  Left::Earlier, Left::Earlier, "out.xml", "No space left on device"},
    {"BatchFullDiskAtTheSkinFirst",      Kind::Batch,  Fault::FullDiskAtTheSkin,   false, Left::None,    Left::None,    "out.xml", "No space left on device"},
    // The earlier pair is whole: its skin is not replaced by one without a bitmap.
    {"WindowFullDiskAtTheBitmap",        Kind::Window, Fault::FullDiskAtTheBitmap, true,  Left::Earlier, Left::Earlier, "out.png", "No space left on device"},
    {"BatchFullDiskAtTheBitmap",         Kind::Batch,  Fault::FullDiskAtTheBitmap, true,  Left::Earlier, Left::Earlier, "out.png", "No space left on device"},
    // With no earlier skin of the name, the window keeps the new one; batch mode leaves none.
    {"WindowFullDiskAtTheBitmapFirst",   Kind::Window, Fault::FullDiskAtTheBitmap, false, Left::New,     Left::None,    "out.png", "No space left on device"},
    {"BatchFullDiskAtTheBitmapFirst",    Kind::Batch,  Fault::FullDiskAtTheBitmap, false, Left::None,    Left::None,    "out.png", "No space left on device"},
    {"WindowReadOnlyFolder",             Kind::Window, Fault::ReadOnlyFolder,      true,  Left::Earlier, Left::Earlier, "out.xml", "Read-only file system"},
    {"BatchReadOnlyFolder",              Kind::Batch,  Fault::ReadOnlyFolder,      false, Left::None,    Left::None,    "out.xml", "Read-only file system"},
    // clang-format on
};

void PrintTo(const JobCase& c, std::ostream* os) {
    *os << c.name;
}
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class JobRunTest : public ::testing::TestWithParam<std::tuple<JobCase, FaultCase>> {
protected:
    void SetUp() override {
        state.SetEnv("MALVOREN_APP_DIR", (folder / "app").string());
        state.SetEnv("XDG_DATA_HOME", (folder / "data").string());
        fs::create_directories(folder / "app");
        fs::create_directories(skins);
        Variables::RC = "\n";
        Language::SetMessages();
        platform::WriteFileReplacing(skins / "skin.xml", kSkin);
        auto picture = platform::Picture::New(800, 700);
        picture->Graphics().ForeColor = platform::RGB(40, 90, 160);
        picture->Graphics().FillRect(0, 0, 800, 700);
        platform::SavePicture(*picture, skins / "skin.png", platform::PictureFormat::PNG);
    }

    // Fills the job state as the window and batch mode do, then runs the job.
    jobrun::Outcome Run(const JobCase& job, Kind kind) {
        Variables::InputXMLPath = (skins / "skin.xml").string();
        Variables::OutputXMLPath = (skins / "out.xml").string();
        EXPECT_TRUE(Variables::Lecture(Variables::InputXMLPath));
        Variables::outWidth = job.width;
        Variables::outHeight = job.height;
        Variables::ResizeMethod = job.method;
        jobrun::Mode mode;
        mode.kind = kind;
        mode.status = [this](const std::string& text) { statuses.push_back(text); };
        return jobrun::RunJob(mode);
    }

    Left What(const fs::path& path, const char* earlier) const {
        if (!fs::exists(path))
            return Left::None;
        const std::string bytes = testsupport::ReadAll(path);
        if (bytes == earlier)
            return Left::Earlier;
        // A new file is whole: a skin with the credit line and its closing element, a bitmap
        // that reads as a picture.
        if (path.extension() == ".xml") {
            EXPECT_NE(bytes.find(kCredit), std::string::npos);
            EXPECT_NE(bytes.find("</skin>"), std::string::npos);
        } else {
            EXPECT_TRUE(platform::PictureFileSize(path.string()).has_value()) << path;
        }
        return Left::New;
    }

    testsupport::JobState state;
    testsupport::TempFolder folder;
    const fs::path skins = folder / "skins";
    platform::ScopedScriptedDialogs dialogs;
    std::vector<std::string> statuses;
};

TEST_P(JobRunTest, AnEarlierFileIsWholeOrReplacedByACompleteOne) {
    const auto& [job, c] = GetParam();
    if (c.earlierPair) {
        platform::WriteFileReplacing(skins / "out.xml", kEarlierSkin);
        platform::WriteFileReplacing(skins / "out.png", kEarlierBitmap);
    }
    const std::string input = testsupport::ReadAll(skins / "skin.xml");
    const std::string inputBitmap = testsupport::ReadAll(skins / "skin.png");

    std::optional<platform::ScopedWriteFault> fault;
    switch (c.fault) {
        case Fault::None:
            break;
        case Fault::FullDiskAtTheSkin:
            fault.emplace(platform::WriteFault{1, platform::WriteFaultStage::Write, ENOSPC, {}},
                          ".xml");
            break;
        case Fault::FullDiskAtTheBitmap:
            fault.emplace(platform::WriteFault{1, platform::WriteFaultStage::Write, ENOSPC, {}},
                          ".png");
            break;
        case Fault::ReadOnlyFolder:
            fault.emplace(platform::WriteFault{1, platform::WriteFaultStage::Open, EROFS, {}});
            break;
    }
    const jobrun::Outcome outcome = Run(job, c.mode);
    if (fault) {
        EXPECT_TRUE(fault->Fired());
    }
    fault.reset();

    EXPECT_EQ(outcome.ok, c.failedFile == nullptr);
    EXPECT_FALSE(outcome.unexpected.has_value());
    EXPECT_EQ(outcome.ok, Variables::Job_Ok);
    if (c.failedFile) {
        // One message names the file and the system's reason.
        const std::string named =
            "Unable to write " + (skins / c.failedFile).string() + ": " + c.reason + ".";
        int naming = 0;
        for (const std::string& shown : dialogs->shown)
            naming += shown.find(named) != std::string::npos ? 1 : 0;
        EXPECT_EQ(naming, 1) << ::testing::PrintToString(dialogs->shown);
    } else {
        EXPECT_EQ(dialogs->shown, std::vector<std::string>{});
    }

    EXPECT_EQ(What(skins / "out.xml", kEarlierSkin), c.skin);
    EXPECT_EQ(What(skins / "out.png", kEarlierBitmap), c.bitmap);
    // The inputs are untouched, and nothing else is left: no temporary file.
    EXPECT_EQ(testsupport::ReadAll(skins / "skin.xml"), input);
    EXPECT_EQ(testsupport::ReadAll(skins / "skin.png"), inputBitmap);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(skins))
        names.push_back(entry.path().filename().string());
    for (const std::string& name : names) {
        EXPECT_TRUE(name == "skin.xml" || name == "skin.png" || name == "out.xml" ||
                    name == "out.png")
            << name;
    }
    // Each step is named through the status hook before it runs.
    EXPECT_FALSE(statuses.empty());
}

INSTANTIATE_TEST_SUITE_P(MethodModeFault, JobRunTest,
                         ::testing::Combine(::testing::ValuesIn(kJobs),
                                            ::testing::ValuesIn(kFaults)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

// ---- A write failure that gets past every step. ----

class JobRunEscapeTest : public ::testing::TestWithParam<Kind> {};

TEST_P(JobRunEscapeTest, AWriteFailureNoStepCatchesNamesTheFile) {
    testsupport::JobState state;
    testsupport::TempFolder folder;
    state.SetEnv("MALVOREN_APP_DIR", folder.Path().string());
    platform::ScopedScriptedDialogs dialogs;
    Variables::RC = "\n";
    folder.Write("skin.xml", kSkin);
    Variables::InputXMLPath = (folder / "skin.xml").string();
    Variables::OutputXMLPath = (folder / "out.xml").string();
    Variables::ResizeMethod = "Simple";

    jobrun::Mode mode;
    mode.kind = GetParam();
    mode.reanalyse = [&] {
        throw platform::FileWriteException((folder / "out.xml").string(), ENOSPC);
    };
    const jobrun::Outcome outcome = jobrun::RunJob(mode);

    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.unexpected.has_value());
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"Unable to write " + (folder / "out.xml").string() +
                                       ": No space left on device."});
    const std::string log = testsupport::ReadAll(folder / "Malvoren log.txt");
    EXPECT_NE(log.find("\n**Exception\nUnable to open or save the file\nUnable to write "),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("In the job method."), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(folder / "out.xml"));
}

INSTANTIATE_TEST_SUITE_P(BothModes, JobRunEscapeTest, ::testing::Values(Kind::Window, Kind::Batch),
                         [](const auto& info) {
                             return std::string(info.param == Kind::Window ? "Window" : "Batch");
                         });

}  // namespace
