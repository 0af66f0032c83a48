// Every file the tool writes, failing at each stage of the atomic writer through its test seam
// (no real full disk needed): what the user is told, the exit status, that no temporary file is
// left and that an earlier file of the target's name survives whole.
#include "app/app.h"
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/xml/variables.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/text.h"
#include "support/job_state.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// 800 x 600, no browser: every method resizes it.
const char* const kSkin =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<skin name=\"Writers\" version=\"8\" width=\"800\" height=\"600\" author=\"malvoren tests\">\n"
    "<button action=\"play\">\n"
    "  <pos x=\"10\" y=\"580\"/>\n"
    "  <size width=\"50\" height=\"20\"/>\n"
    "</button>\n"
    "</skin>\n";

const char* const kEarlier = "an earlier file of this name";

// Small files as they are, bitmaps by their size and hash (so that a failure prints short).
std::string Digest(const std::string& bytes) {
    if (bytes.size() <= 64)
        return bytes;
    return std::to_string(bytes.size()) + " bytes, hash " +
           std::to_string(std::hash<std::string>{}(bytes));
}

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> tree;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it)
        tree[fs::relative(it->path(), folder).string()] =
            it->is_regular_file() ? Digest(testsupport::ReadAll(it->path())) : "folder";
    return tree;
}

struct Outcome {
    int status;
    std::vector<std::string> messages;  // every message box, or the failure's message
};

class WriterFixture;

// One writer of the tool. Messages hold "{dir}" for the folder written into and "{reason}"
// for the system's words.
struct WriterCase {
    const char* name;
    const char* target;  // the file whose write fails, relative to the folder written into
    const char* bitmap;  // the input skin's bitmap, or none
    int nth;             // which write of the run it is
    std::function<Outcome(WriterFixture&)> run;
    std::vector<std::string> messages;
};

struct StageCase {
    const char* name;
    platform::WriteFaultStage stage;
    int errorNumber;
    const char* reason;
};

const StageCase kStages[] = {
    // clang-format off
    {"OpenFails",        platform::WriteFaultStage::Open,   EROFS,  "Read-only file system"},
    {"WriteFailsMidway", platform::WriteFaultStage::Write,  ENOSPC, "No space left on device"},
    {"RenameFails",      platform::WriteFaultStage::Rename, EACCES, "Permission denied"},
    // clang-format on
};

void PrintTo(const WriterCase& c, std::ostream* os) {
    *os << c.name;
}
void PrintTo(const StageCase& c, std::ostream* os) {
    *os << c.name;
}

class WriterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::RC = "\n";
        INI_Read_Write::ResetSettings();
        INI_Read_Write::ResetWriteFailureReport();
        INI_Read_Write::LastCheck = platform::DateTime{2026, 11, 30, 9, 0, 0};
        App::ResetState();
        fs::create_directories(folder / "Malvoren Tool");
        platform::WriteFileReplacing(folder / "skin.xml", kSkin);
    }
    void TearDown() override {
        App::ResetState();
        INI_Read_Write::ResetSettings();
        INI_Read_Write::ResetWriteFailureReport();
    }

public:
    // The skin's bitmap, 800 x 700 of one colour, in the format its name gives.
    void WriteBitmap(const char* name) {
        auto picture = platform::Picture::New(800, 700);
        picture->Graphics().ForeColor = platform::RGB(40, 90, 160);
        picture->Graphics().FillRect(0, 0, 800, 700);
        platform::SavePicture(*picture, folder / name, *platform::PictureFormatFromName(name));
    }
    Outcome Batch(const char* method, const char* width, const char* height) {
        const int status =
            App::Run({"/opt/malvoren/malvoren", "-w", width, "-h", height, "-r", method,
                      (folder / "skin.xml").string(), (folder / "out.xml").string()},
                     out, err);
        return {status, dialogs->shown};
    }

    testsupport::JobState jobState;
    testsupport::TempFolder folder;
    ScopedEnv appDir{"MALVOREN_APP_DIR", (folder / "app").string()};
    ScopedEnv data{"XDG_DATA_HOME", (folder / "data").string()};
    ScopedEnv config{"XDG_CONFIG_HOME", folder.Path().string()};
    platform::ScopedScriptedDialogs dialogs;
    std::ostringstream out;
    std::ostringstream err;
};

const std::string kFailed = "Failed resizing {dir}/skin.xml\nYou should try with the GUI.";
const std::string kSaving =
    "An error occured when Saving Skin Picture File, please retry the process.\n";

Outcome SimpleJob(WriterFixture& t) {
    return t.Batch("simple", "1024", "768");
}

const WriterCase kWriters[] = {
    {"OutputSkin",
     "out.xml",
     "skin.png",
     1,
     SimpleJob,
     {"Unable to write {dir}/out.xml: {reason}.", kFailed}},
    // The skin is written first, the bitmap second.
    {"OutputBitmapPng",
     "out.png",
     "skin.png",
     2,
     SimpleJob,
     {kSaving + "Unable to write {dir}/out.png: {reason}.", kFailed}},
    {"OutputBitmapBmp",
     "out.bmp",
     "skin.bmp",
     2,
     SimpleJob,
     {kSaving + "Unable to write {dir}/out.bmp: {reason}.", kFailed}},
    {"OutputBitmapJpeg",
     "out.jpg",
     "skin.jpg",
     2,
     SimpleJob,
     {kSaving + "Unable to write {dir}/out.jpg: {reason}.", kFailed}},
    {"OutputBitmapOfBorder",
     "out.png",
     "skin.png",
     2,
     [](WriterFixture& t) { return t.Batch("border", "1024", "768"); },
     {kSaving + "Unable to write {dir}/out.png: {reason}.", kFailed}},
    // "Smart" writes its own skin and bitmap: one that keeps the size copies the bitmap.
    {"OutputSkinOfSmart",
     "out.xml",
     "skin.png",
     1,
     [](WriterFixture& t) { return t.Batch("smart", "1024", "768"); },
     {"Unable to write {dir}/out.xml: {reason}.", kFailed}},
    {"CopiedBitmap",
     "out.png",
     "skin.png",
     2,
     [](WriterFixture& t) { return t.Batch("smart", "800", "600"); },
     {"An error occured when Copying Skin Picture File, please retry the process.\n"
      "Unable to write {dir}/out.png: {reason}.",
      kFailed}},
    // The settings keep their words and add the file and the reason; reported once.
    {"Settings",
     "Malvoren Tool/Config.ini",
     nullptr,
     1,
     [](WriterFixture& t) {
         const INI_Read_Write::MainWindowFields window{100,  80,    560,  376,    1920,
                                                       1080, false, true, "1280", "800"};
         INI_Read_Write::WriteConfig(window);
         INI_Read_Write::WriteConfig(window);  // written: the seam failed the first only
         return Outcome{0, t.dialogs->shown};
     },
     {"The settings could not be saved in {dir}/Malvoren Tool/Config.ini.\n"
      "Unable to write {dir}/Malvoren Tool/Config.ini: {reason}."}},
    {"LanguageFile",
     "Deutsch.lng",
     nullptr,
     1,
     [](WriterFixture& t) {
         try {
             Language::WriteLanguageFile(t.folder / "Deutsch.lng", "[Language]\nName=Deutsch\n");
         } catch (const platform::FileWriteException& e) {
             return Outcome{1, {e.what()}};
         }
         return Outcome{0, {}};
     },
     {"Unable to write {dir}/Deutsch.lng: {reason}."}},
};

class WriteFailureTest : public WriterFixture,
                         public ::testing::WithParamInterface<std::tuple<WriterCase, StageCase>> {};

TEST_P(WriteFailureTest, SaysWhichFileAndWhyAndKeepsTheEarlierFile) {
    const auto& [writer, stage] = GetParam();
    if (writer.bitmap)
        WriteBitmap(writer.bitmap);
    platform::WriteFileReplacing(folder / writer.target, kEarlier);
    const std::map<std::string, std::string> before = Snapshot(folder.Path());

    Outcome outcome{};
    {
        platform::ScopedWriteFault fault({writer.nth, stage.stage, stage.errorNumber, {}});
        outcome = writer.run(*this);
        EXPECT_TRUE(fault.Fired());
    }

    std::vector<std::string> expected;
    for (const std::string& m : writer.messages)
        expected.push_back(platform::ReplaceAll(
            platform::ReplaceAll(m, "{dir}", folder.Path().string()), "{reason}", stage.reason));
    EXPECT_EQ(outcome.messages, expected);
    const bool settings = std::string(writer.name) == "Settings";
    EXPECT_EQ(outcome.status, settings ? 0 : App::kExitNoWindow) << err.str();
    EXPECT_EQ(err.str().find("unhandled"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");

    // The earlier file is whole, and nothing else is left: no temporary file, and a failed
    // job's skin is taken away. The settings were written by the second, unfaulted call.
    std::map<std::string, std::string> after = Snapshot(folder.Path());
    if (settings) {
        EXPECT_NE(after["Malvoren Tool/Config.ini"], kEarlier);
        after["Malvoren Tool/Config.ini"] = kEarlier;
    }
    after.erase("data");
    after.erase("data/Malvoren Tool");
    after.erase("data/Malvoren Tool/Malvoren log.txt");
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, WriteFailureTest,
                         ::testing::Combine(::testing::ValuesIn(kWriters),
                                            ::testing::ValuesIn(kStages)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

// The output folder is taken away while the job runs, after the skin is written and before
// the bitmap is: a failed job that says so, and nothing of it is left.
TEST_F(WriterFixture, OutputFolderThatVanishesDuringTheJob) {
    WriteBitmap("skin.png");
    fs::create_directory(folder / "sub");
    platform::ScopedWriteFault vanish(
        {2, platform::WriteFaultStage::None, 0,
         [](const fs::path& target) { fs::remove_all(target.parent_path()); }});
    const int status =
        App::Run({"/opt/malvoren/malvoren", "-w", "1024", "-h", "768", "-r", "simple",
                  (folder / "skin.xml").string(), (folder / "sub" / "out.xml").string()},
                 out, err);
    EXPECT_TRUE(vanish.Fired());
    EXPECT_EQ(status, App::kExitNoWindow) << err.str();
    const std::string dir = folder.Path().string();
    EXPECT_EQ(dialogs->shown,
              (std::vector<std::string>{
                  kSaving + "Unable to write " + dir + "/sub/out.png: No such file or directory.",
                  "Failed resizing " + dir + "/skin.xml\nYou should try with the GUI."}));
    EXPECT_FALSE(fs::exists(folder / "sub"));
    std::map<std::string, std::string> after = Snapshot(folder.Path());
    EXPECT_EQ(after.count("skin.xml") + after.count("skin.png"), 2u);
    EXPECT_EQ(after.count("out.png") + after.count("out.xml"), 0u);
}

}  // namespace
