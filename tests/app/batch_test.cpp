#include "app/batch.h"

#include "app/app.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "file_names.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/text.h"
#include "platform/thread.h"
#include "support/job_state.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Batch mode in-process: the application's folder is a fresh temporary folder holding the
// skins "in.xml" (800 x 600) and "wide.xml" (1000 x 600), and every message is recorded.
class BatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::RC = "\n";
        App::ResetState();
        App::SetMessageWindowPresenter(nullptr);
        app.CopyFixture("app/skin_800x600.xml", "in.xml");
        app.CopyFixture("app/skin_1000x600.xml", "wide.xml");
    }
    void TearDown() override {
        platform::SetYieldHook(nullptr);
        App::SetMessageWindowPresenter(nullptr);
    }
    bool Parse(const std::string& args) {
        return App::ParseCommand("\"/opt/malvoren/malvoren\" " + args);
    }
    std::string InApp(const std::string& name) const { return (app / name).string(); }
    // Open_XML names the input file once the job has started; the analysis does not.
    static bool JobStarted() { return !Variables::Input_Filename.empty(); }

    testsupport::JobState jobState;
    testsupport::TempFolder app;
    ScopedEnv appDir{"MALVOREN_APP_DIR", app.Path().string()};
    ScopedEnv data{"XDG_DATA_HOME", (app / "data").string()};
    platform::ScopedScriptedDialogs dialogs;
};

// Command lines that end before any job: the result, and every message in order.
struct NoJobCase {
    const char* name;
    const char* args;
    bool result;
    std::vector<std::string> messages;
};

const NoJobCase kNoJobCases[] = {
    // clang-format off
    {"WidthUnderMinimum",          "-w 639 -r simple in.xml out.xml",            false, {}},
    {"WidthUnderMinimumNoStop",    "-nostop x -w 639 -r simple in.xml out.xml",  true,  {}},
    {"DerivedHeightUnderMinimum",  "-w 640 -r simple wide.xml out.xml",          false, {}},  // 384
    {"HeightUnderMinimum",         "-w 1024 -h 479 -r simple in.xml out.xml",    false, {}},
    {"GarbledWidthIsZero",         "-w wide -r simple in.xml out.xml",           false, {}},
    {"WidthBeyondInt32IsRefused",  "-w 99999999999 -r simple in.xml out.xml",    false,
     {"The output width is too large: no skin of that size can be made.\nChoose a smaller output size."}},
    {"NoMethod",                   "-w 1024 in.xml out.xml",                     false, {}},
    {"NoOutput",                   "-w 1024 -r smart in.xml",                    false, {}},
    {"NoOutputNoStop",             "-nostop in.xml wide.xml -w 1024 -r smart",   true,  {}},
    {"SamePathDifferentCase",      "-w 1024 -r simple in.xml IN.XML",            false, {}},
    {"SamePathThroughDotDot",      "-w 1024 -r simple in.xml sub/../in.xml",     false, {}},
    {"NoInputAnalysisFails",       "-w 1024 -r simple",                          false, {"An error occured."}},
    {"NoInputNoStopQuits",         "-nostop x -w 1024",                          true,  {"An error occured."}},
    {"BadMethod",                  "-w 1024 -r zoom in.xml out.xml",             false,
        {"Unknown command \"-r zoom\"\nAvailable resize parameters are:\nsimple / border / browser"}},
    {"BadOption",                  "-q 5 in.xml out.xml",                        false, {"Unknown command \"-q 5\""}},
    {"BadToken",                   "in.xml notes.txt",                           false, {"Unknown command \"notes.txt\""}},
    {"MissingInput",               "-w 1024 gone.xml out.xml",                   false, {"Failed opening gone.xml"}},
    {"MissingInputNoStop",         "-nostop x gone.xml out.xml",                 false, {"Failed opening gone.xml"}},
    // clang-format on
};

class BatchNoJobTest : public BatchTest, public ::testing::WithParamInterface<NoJobCase> {};

TEST_P(BatchNoJobTest, EndsWithoutAJob) {
    const NoJobCase& c = GetParam();
    EXPECT_EQ(Parse(c.args), c.result);
    EXPECT_EQ(dialogs->shown, c.messages);
    EXPECT_FALSE(JobStarted());
    EXPECT_FALSE(fs::exists(app / "out.xml"));
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchNoJobTest, ::testing::ValuesIn(kNoJobCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Command lines that start a job: the job state batch mode leaves for the engine.
struct JobCase {
    const char* name;
    const char* args;
    std::int32_t outWidth;
    std::int32_t outHeight;
    const char* method;
};

const JobCase kJobCases[] = {
    // clang-format off
    {"HeightDerivedFromWidth",   "-w 1024 -r simple in.xml out.xml",            1024, 768, "simple"},  // 1024*600/800
    {"HeightZeroIsDerived",      "-w 1024 -h 0 -r simple in.xml out.xml",       1024, 768, "simple"},
    {"GarbledHeightIsDerived",   "-w 1024 -h tall -r simple in.xml out.xml",    1024, 768, "simple"},
    {"DerivedHeight1000",        "-w 1000 -r border in.xml out.xml",            1000, 750, "border"},
    {"DerivedHeightTruncated",   "-w 1001 -r browser in.xml out.xml",           1001, 750, "browser"}, // 750.75
    {"DerivedAtTheMinimum",      "-w 640 -r smart in.xml out.xml",               640, 480, "smart"},   // 640*600/800
    {"AnyCaseStoredLowerCase",   "-W 1280 -H 800 -R SMART in.xml OUT.XML",      1280, 800, "smart"},
    {"QuotedOutputWithBlank",    "-w 1280 -h 800 -r smart in.xml \"my out.xml\"", 1280, 800, "smart"},
    // clang-format on
};

class BatchJobTest : public BatchTest, public ::testing::WithParamInterface<JobCase> {};

TEST_P(BatchJobTest, FillsTheJobStateAndStartsTheJob) {
    const JobCase& c = GetParam();
    Parse(c.args);
    EXPECT_TRUE(JobStarted());
    EXPECT_EQ(Variables::outWidth, c.outWidth);
    EXPECT_EQ(Variables::outHeight, c.outHeight);
    EXPECT_EQ(Variables::ResizeMethod, c.method);
    EXPECT_EQ(Variables::InputXMLPath, InApp("in.xml"));
    // "Smart" makes the output size the new input size once its proportional stage is done.
    const bool smart = Variables::ResizeMethod == "smart";
    EXPECT_EQ(Variables::inWidth, smart ? c.outWidth : 800);
    if (!smart) {
        EXPECT_EQ(Variables::inHeight, 600);
    }
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchJobTest, ::testing::ValuesIn(kJobCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchTest, FillsTheMessageTableFirst) {
    Parse("-q 5");
    EXPECT_EQ(Language::Messages[13].substr(0, 30), "The output skin's size isn't p");
}

TEST_F(BatchTest, BrowserFontSizeReplacesTheSkinsAfterTheAnalysis) {
    Parse("-bfontsize 14 -w 1024 -r smart in.xml out.xml");
    EXPECT_TRUE(Browser::Browser_XML_Change);
    EXPECT_EQ(Browser::B_Text_Size, 14);  // the skin says 12

    Browser::ResetDefaults();
    Parse("-bfontsize abc -w 1024 -r smart in.xml out.xml");
    EXPECT_TRUE(Browser::Browser_XML_Change);
    EXPECT_EQ(Browser::B_Text_Size, 0);

    Browser::ResetDefaults();
    Parse("-w 1024 -r smart in.xml out.xml");
    EXPECT_FALSE(Browser::Browser_XML_Change);
    EXPECT_EQ(Browser::B_Text_Size, 12);
}

TEST_F(BatchTest, AbsolutePathsNeedNotLieInTheApplicationsFolder) {
    testsupport::TempFolder elsewhere;
    const fs::path in = elsewhere.CopyFixture("app/skin_800x600.xml", "skin.xml");
    Parse("-w 1024 -r smart \"" + in.string() + "\" \"" + (elsewhere / "o.xml").string() + "\"");
    EXPECT_TRUE(JobStarted());
    EXPECT_EQ(Variables::InputXMLPath, in.string());
    EXPECT_EQ(Variables::OutputXMLPath, (elsewhere / "o.xml").string());
}

TEST_F(BatchTest, CommandLineErrorLeavesWhatWasReadForTheMainWindow) {
    EXPECT_FALSE(Parse("-w 1100 -r smart in.xml -q 1"));
    EXPECT_EQ(Variables::outWidth, 1100);
    EXPECT_EQ(Variables::ResizeMethod, "smart");
    EXPECT_EQ(Variables::InputXMLPath, InApp("in.xml"));
}

TEST_F(BatchTest, AspectWarningOfSimpleUnlessSuppressed) {
    std::vector<std::pair<std::string, std::int32_t>> shown;
    App::SetMessageWindowPresenter(
        [&](const std::string& text, std::int32_t id) { shown.emplace_back(text, id); });
    // 800 x 600 to 1024 x 600: Round(133.3) = 133 against Round(170.7) = 171.
    Parse("-w 1024 -h 600 -r simple in.xml out.xml");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, Language::Messages[13]);
    EXPECT_EQ(shown[0].second, 5);

    // Proportional sizes, suppressed by id, and every message window off: no warning.
    for (const auto& [runOnce, args] :
         std::vector<std::pair<std::vector<std::int32_t>, std::string>>{
             {{0}, "-w 1024 -h 768 -r simple in.xml out.xml"},
             {{0, 4, 5}, "-w 1024 -h 600 -r simple in.xml out.xml"},
             {{1}, "-w 1024 -h 600 -r simple in.xml out.xml"}}) {
        shown.clear();
        INI_Read_Write::RunOnce = runOnce;
        Parse(args);
        EXPECT_TRUE(shown.empty()) << args;
    }
}

TEST_F(BatchTest, MessageWindowFallsBackToTheMessageBox) {
    App::ShowMessageWindow("Note this", 5);
    INI_Read_Write::RunOnce = {0, 5};
    App::ShowMessageWindow("Not shown", 5);
    App::ShowMessageWindow("Shown", 4);
    EXPECT_EQ(dialogs->shown, (std::vector<std::string>{"Note this", "Shown"}));
}

TEST_F(BatchTest, SkinThatCannotBeReadAgainIsAFailedJob) {
    // The file goes once the analysis has read it, before the job reads it again.
    const fs::path in = app / "in.xml";
    platform::SetYieldHook([&] {
        if (Variables::inWidth == 800 && fs::exists(in))
            fs::remove(in);
    });
    EXPECT_FALSE(Parse("-w 1024 -r smart in.xml out.xml"));
    EXPECT_EQ(dialogs->shown,
              (std::vector<std::string>{
                  "Unable to open the XML file.\nThe XML won't be resized.",
                  "Failed resizing " + in.string() + "\nYou should try with the GUI."}));
    EXPECT_FALSE(Variables::Job_Ok);
}

TEST_F(BatchTest, FailureNoStepCatchesReachesTheReport) {
    // Headless: no one answers the report, which then ends the run with its own status.
    dialogs->headless = true;
    // The input becomes a folder: reading it again fails outside any job step's handler.
    const fs::path in = app / "in.xml";
    platform::SetYieldHook([&] {
        if (Variables::inWidth == 800 && fs::is_regular_file(in)) {
            fs::remove(in);
            fs::create_directory(in);
        }
    });
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(
        App::Run({"/opt/malvoren", "-w", "1024", "-r", "smart", "in.xml", "out.xml"}, out, err),
        App::kExitUnhandled);
    EXPECT_NE(err.str().find("An unhandled exception occurred."), std::string::npos);
    EXPECT_EQ(testsupport::ReadAll(app / "Malvoren log.txt"),
              "\n**Exception\nUnhandeld Exception\n--");
    EXPECT_EQ(out.str(), "");
}

}  // namespace

namespace {

// An 800 x 600 bitmap beside the skin "in.xml" of the batch tests.
void WriteInputBitmap(const fs::path& path) {
    const platform::PicturePtr picture = platform::Picture::New(800, 600);
    platform::SavePicture(*picture, path, platform::PictureFormat::PNG);
}

TEST_F(BatchTest, FailedJobTakesAwayTheHalfOutputItWrote) {
    // "Border" writes the skin before it composes the bitmap, which a file holding no picture
    // makes fail: the skin alone would be left without its bitmap.
    app.Write("in.png", "no picture in here");
    app.Write("out/notes.txt", "not the job's");

    EXPECT_FALSE(Parse("-w 1000 -r border in.xml out/out.xml"));
    EXPECT_EQ(dialogs->shown.back(),
              "Failed resizing " + InApp("in.xml") + "\nYou should try with the GUI.");
    EXPECT_EQ(FileNamesIn(app / "out"), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(testsupport::ReadAll(app / "in.png"), "no picture in here");
    EXPECT_EQ(testsupport::ReadAll(app / "in.xml"),
              testsupport::ReadAll(testsupport::DataPath("app/skin_800x600.xml")));
}

TEST_F(BatchTest, FailedJobKeepsAnEarlierBitmapItDidNotWrite) {
    // No bitmap beside the skin and nobody to answer the dialog: "Simple" has written its XML
    // and fails at the bitmap; the bitmap of the output's name is an earlier run's.
    app.Write("out/out.png", "earlier bitmap");
    Variables::PictureType = "png";
    EXPECT_FALSE(Parse("-w 1000 -r simple in.xml out/out.xml"));
    EXPECT_EQ(dialogs->shown.back(),
              "Failed resizing " + InApp("in.xml") + "\nYou should try with the GUI.");
    EXPECT_EQ(FileNamesIn(app / "out"), std::vector<std::string>{"out.png"});
    EXPECT_EQ(testsupport::ReadAll(app / "out" / "out.png"), "earlier bitmap");
}

TEST_F(BatchTest, OutputWhoseBitmapWouldReplaceTheInputBitmapIsRefused) {
    // The output's name loses its extension at the last "." of the path, here the folder's:
    // its bitmap would be "in.png", the input's.
    WriteInputBitmap(app / "in.png");
    fs::create_directories(app / "in.b");
    const std::string input = testsupport::ReadAll(app / "in.png");
    const std::string output = (app / "in.b" / "xml").string();

    EXPECT_FALSE(Parse("-w 1000 -r simple in.xml \"" + output + "\""));
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"The output skin " + output +
                                       " would write its bitmap over the input skin's bitmap.\n"
                                       "Choose an output of another name."});
    EXPECT_FALSE(JobStarted());
    EXPECT_TRUE(testsupport::ReadAll(app / "in.png") == input) << "the input bitmap changed";
    EXPECT_EQ(FileNamesIn(app / "in.b"), std::vector<std::string>{});
}

}  // namespace
