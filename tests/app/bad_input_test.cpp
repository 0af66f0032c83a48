// Batch mode end to end with bad input. Each row prepares a skin folder, runs a command line the
// way the program does (App::Run) and checks what the user is told, the exit status, that the
// failed job leaves no file of its own, half written or whole, and that every file that was
// there before is as it was.
#include "app/app.h"
#include "app/batch.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/text.h"
#include "support/job_state.h"
#include "support/png_bytes.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImageReader>
#include <QSize>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// 800 x 600 with a browser from row 250 to 549 and a button at row 580, below it, so that every
// method rewrites the button's y: the scaling methods scale it, "Border" shifts it and
// "Browser" moves it with the browser's bottom edge. Line 8 of the file is the button's place.
constexpr int kButtonLine = 7;  // 0-based
const std::vector<std::string> kSkin = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    R"(<skin name="Bad Input" version="8" width="800" height="600" author="malvoren tests">)",
    R"(<browser>)",
    R"(  <size width="400" height="300"/>)",
    R"(  <pos x="200" y="250"/>)",
    R"(</browser>)",
    R"(<button action="play">)",
    R"(  <pos x="10" y="580"/>)",
    R"(  <size width="50" height="20"/>)",
    R"(</button>)",
    R"(</skin>)",
};

// What a folder holds: each item's path relative to it, with its kind and its bytes.
using Tree = std::map<std::string, std::string>;

Tree Snapshot(const fs::path& folder) {
    Tree tree;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = fs::relative(it->path(), folder).string();
        if (it->is_symlink())
            tree[name] = "link to " + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            tree[name] = "folder";
        else if (it->is_regular_file())
            tree[name] = "file " + testsupport::ReadAll(it->path());
        else
            tree[name] = "other";
    }
    return tree;
}

void WriteSkin(const fs::path& path, std::vector<std::string> lines) {
    platform::WriteFileReplacing(path, platform::Join(lines, "\n") + "\n");
}

std::string SkinWithSize(const char* width, const char* height) {
    std::vector<std::string> lines = kSkin;
    lines[1] = std::string(R"(<skin name="Bad Input" version="8" width=")") + width +
               R"(" height=")" + height + R"(" author="malvoren tests">)";
    return platform::Join(lines, "\n") + "\n";
}

// The skin's bitmap: w x h of one colour.
void WriteBitmap(const fs::path& path, int w, int h, platform::PictureFormat format) {
    auto picture = platform::Picture::New(w, h);
    picture->Graphics().ForeColor = platform::RGB(40, 90, 160);
    picture->Graphics().FillRect(0, 0, w, h);
    platform::SavePicture(*picture, path, format);
}

const std::string kBitmapFailure =
    "Unable to open the graphics file.\nThe graphics won't be resized.";
const std::string kGettingBitmap =
    "An error occured when Getting Skin Graphics File, please retry the process.\n";
const std::string kNoBitmapToScale = "An error occured when , please retry the process.\n";
const std::string kNoBitmapToCompose =
    "File does not exist. Or you don't have enough free memory available.";
const std::string kNoBitmapToStretch =
    "An error occured Or you don't have enough free memory available.";
const std::string kNoPictureToWrite =
    "An error occured when Saving Skin Picture File, please retry the process.\nThere is no "
    "picture to write.";
// An output that cannot be written is a failed job that names the file and the reason.
const std::string kNoFolder = "Unable to write {skins}/gone/out.xml: No such file or directory.";
const std::string kBitmapIsAFolder =
    "An error occured when Saving Skin Picture File, please retry the process.\nUnable to write "
    "{skins}/out.png: Is a directory.";
const std::string kFailed = "Failed resizing {skins}/skin.xml\nYou should try with the GUI.";
const std::string kNoSkinElement =
    "\"{skins}/skin.xml\" has no skin element in its first six lines, where this tool reads "
    "the skin's size.\nChoose another file.";
const std::string kNoSize =
    "\"{skins}/skin.xml\" gives the skin no width and height above 0.\n"
    "Choose another file.";

struct BadInputCase {
    const char* name;
    const char* method;
    // Changes the skin folder, which holds "skin.xml" (kSkin) and "skin.png" (800 x 700).
    std::function<void(const fs::path& skins)> prepare;
    std::string output;  // relative to the skin folder
    int exitStatus;
    std::vector<std::string> messages;  // every message box, "{skins}" for the folder
    std::string errHas;                 // a text standard error must hold
    const char* height = "768";         // the output height; the width is 1024
};

void PrintTo(const BadInputCase& c, std::ostream* os) {
    *os << c.name;
}

void Nothing(const fs::path&) {
}
void NoBitmap(const fs::path& s) {
    fs::remove(s / "skin.png");
}
void EmptyBitmap(const fs::path& s) {
    platform::WriteFileReplacing(s / "skin.png", "");
}
void TruncatedBitmap(const fs::path& s) {
    const std::string png = testsupport::ReadAll(s / "skin.png");
    platform::WriteFileReplacing(s / "skin.png", png.substr(0, png.size() / 2));
}
void JpegWithAWrongHeader(const fs::path& s) {
    fs::remove(s / "skin.png");
    WriteBitmap(s / "skin.jpg", 800, 700, platform::PictureFormat::JPEG);
    std::string jpeg = testsupport::ReadAll(s / "skin.jpg");
    jpeg.replace(0, 4, "JFIF");
    platform::WriteFileReplacing(s / "skin.jpg", jpeg);
}
void BitmapIsAFolder(const fs::path& s) {
    fs::remove(s / "skin.png");
    fs::create_directory(s / "skin.png");
}
void HugeBitmap(const fs::path& s) {
    platform::WriteFileReplacing(s / "skin.png", testsupport::PngClaiming(30000, 30000));
}
void FailingExpression(const fs::path& s) {
    std::vector<std::string> lines = kSkin;
    lines[kButtonLine] = R"(  <pos x="10" y="580/0"/>)";
    WriteSkin(s / "skin.xml", lines);
}
void SmallBrowser(const fs::path& s) {
    std::vector<std::string> lines = kSkin;
    lines[3] = R"(  <size width="400" height="40"/>)";
    WriteSkin(s / "skin.xml", lines);
}
void MakeFolder(const fs::path& s, const char* name) {
    fs::create_directory(s / name);
}

const BadInputCase kCases[] = {
    // clang-format off
    // The input skin itself.
    {"SkinIsAFolder", "simple", [](const fs::path& s) { fs::remove(s / "skin.xml"); MakeFolder(s, "skin.xml"); },
        "out.xml", 1, {"An error occured."}, ""},
    {"SkinIsEmpty", "simple", [](const fs::path& s) { platform::WriteFileReplacing(s / "skin.xml", ""); },
        "out.xml", 1, {"An error occured."}, ""},
    {"SkinIsAPipe", "smart", [](const fs::path& s) { fs::remove(s / "skin.xml"); ::mkfifo((s / "skin.xml").c_str(), 0644); },
        "out.xml", 1, {"An error occured."}, ""},
    // The bitmap's bytes hold no skin element within their first six line ends.
    {"SkinIsBinary", "simple", [](const fs::path& s) { fs::copy_file(s / "skin.png", s / "skin.xml", fs::copy_options::overwrite_existing); },
        "out.xml", 1, {kNoSkinElement}, ""},
    {"SkinWidthZero", "simple", [](const fs::path& s) { platform::WriteFileReplacing(s / "skin.xml", SkinWithSize("0", "600")); },
        "out.xml", 1, {kNoSize}, ""},
    {"SkinHeightNegative", "border", [](const fs::path& s) { platform::WriteFileReplacing(s / "skin.xml", SkinWithSize("800", "-600")); },
        "out.xml", 1, {kNoSize}, ""},
    {"SkinSizeGarbled", "smart", [](const fs::path& s) { platform::WriteFileReplacing(s / "skin.xml", SkinWithSize("wide", "6OO")); },
        "out.xml", 1, {kNoSize}, ""},
    // A value with no result fails its line in every method, and nothing half rewritten is written.
    {"ExpressionFailsSimple",  "simple",  FailingExpression, "out.xml", 1, {"An error occured on line 8.", kFailed}, ""},
    {"ExpressionFailsBorder",  "border",  FailingExpression, "out.xml", 1, {"An error occured on line 8.", kFailed}, ""},
    {"ExpressionFailsBrowser", "browser", FailingExpression, "out.xml", 1, {"An error occured on line 8.", kFailed}, ""},
    {"ExpressionFailsSmart",   "smart",   FailingExpression, "out.xml", 1, {"An error occured on line 8.", kFailed}, ""},

    // "Browser" gives the whole height difference to the first browser, here 40 rows high: 120
    // rows less would leave it -80. From 600 - 40 = 560 rows on its height is not negative.
    {"BrowserWouldLoseAllItsRows", "browser", SmallBrowser, "out.xml", 1,
        {"The skin's browser is 40 pixels high: the \"Browser\" method cannot make the skin 120 pixels "
         "lower.\nChoose an output height of at least 560.", kFailed}, "", "480"},

    // The output is the input: no job, and no message from batch mode itself.
    {"OutputIsTheInputThroughALink", "simple", [](const fs::path& s) { fs::create_symlink("skin.xml", s / "link.xml"); },
        "link.xml", 1, {}, ""},
    {"OutputIsTheInputThroughALinkedFolder", "smart", [](const fs::path& s) { fs::create_directory_symlink(".", s / "here"); },
        "here/skin.xml", 1, {}, ""},
    {"OutputIsTheInputThroughDotDot", "border", [](const fs::path& s) { MakeFolder(s, "sub"); },
        "sub/../skin.xml", 1, {}, ""},
    // A second name of the same file is the same file: no job, as for the same path.
    {"OutputIsAHardLinkOfTheInput", "simple", [](const fs::path& s) { fs::create_hard_link(s / "skin.xml", s / "same.xml"); },
        "same.xml", 1, {}, ""},
    {"OutputIsAHardLinkOfTheInputSmart", "smart", [](const fs::path& s) { fs::create_hard_link(s / "skin.xml", s / "same.xml"); },
        "same.xml", 1, {}, ""},
    // An output whose bitmap would take the input bitmap's name ("skin." + "png") is refused
    // before the job.
    {"OutputBitmapWouldBeTheInputs", "simple", Nothing, "skin.myxml", 1,
        {"The output skin {skins}/skin.myxml would write its bitmap over the input skin's bitmap.\n"
         "Choose an output of another name."}, ""},
    {"OutputBitmapWouldBeTheInputsSmart", "smart", Nothing, "SKIN.myxml", 1,
        {"The output skin {skins}/SKIN.myxml would write its bitmap over the input skin's bitmap.\n"
         "Choose an output of another name."}, ""},

    // An output bitmap name that is a link to the input's bitmap: refused before the job too.
    {"OutputBitmapIsALinkToTheInputs", "simple", [](const fs::path& s) { fs::create_symlink("skin.png", s / "out.png"); },
        "out.xml", 1,
        {"The output skin {skins}/out.xml would write its bitmap over the input skin's bitmap.\n"
         "Choose an output of another name."}, ""},

    // The output folder cannot take the files.
    {"OutputFolderMissing", "simple", Nothing, "gone/out.xml", 1, {kNoFolder, kFailed}, ""},
    {"OutputFolderMissingBorder", "border", Nothing, "gone/out.xml", 1, {kNoFolder, kFailed}, ""},
    {"OutputFolderMissingBrowser", "browser", Nothing, "gone/out.xml", 1, {kNoFolder, kFailed}, ""},
    {"OutputFolderMissingSmart", "smart", Nothing, "gone/out.xml", 1, {kNoFolder, kFailed}, ""},
    {"OutputFolderIsAFile", "simple", Nothing, "skin.png/out.xml", 1,
        {"Unable to write {skins}/skin.png/out.xml: Not a directory.", kFailed}, ""},
    {"OutputIsAFolder", "border", [](const fs::path& s) { MakeFolder(s, "out.xml"); },
        "out.xml", 1, {"Unable to write {skins}/out.xml: Is a directory.", kFailed}, ""},
    {"OutputBitmapIsAFolder", "simple", [](const fs::path& s) { MakeFolder(s, "out.png"); },
        "out.xml", 1, {kBitmapIsAFolder, kFailed}, ""},
    {"OutputBitmapIsAFolderSmart", "smart", [](const fs::path& s) { MakeFolder(s, "out.png"); },
        "out.xml", 1, {kBitmapIsAFolder, kFailed}, ""},

    // No bitmap beside the skin: the open dialog is cancelled.
    {"NoBitmapSimple",  "simple",  NoBitmap, "out.xml", 1, {kGettingBitmap, kBitmapFailure, kFailed}, ""},
    {"NoBitmapBorder",  "border",  NoBitmap, "out.xml", 1, {kGettingBitmap, kNoBitmapToCompose, kFailed}, ""},
    {"NoBitmapBrowser", "browser", NoBitmap, "out.xml", 1, {kGettingBitmap, kNoBitmapToStretch, kFailed}, ""},
    {"NoBitmapSmart",   "smart",   NoBitmap, "out.xml", 1, {kGettingBitmap, kBitmapFailure, kNoPictureToWrite, kFailed}, ""},
    // A bitmap that holds no readable picture opens as none; the step that draws it fails.
    {"EmptyBitmapSimple",       "simple",  EmptyBitmap,          "out.xml", 1, {kNoBitmapToScale, kFailed},   ""},
    {"TruncatedBitmapSimple",   "simple",  TruncatedBitmap,      "out.xml", 1, {kNoBitmapToScale, kFailed},   ""},
    {"TruncatedBitmapBorder",   "border",  TruncatedBitmap,      "out.xml", 1, {kNoBitmapToCompose, kFailed}, ""},
    {"TruncatedBitmapBrowser",  "browser", TruncatedBitmap,      "out.xml", 1, {kNoBitmapToStretch, kFailed}, ""},
    {"TruncatedBitmapSmart",    "smart",   TruncatedBitmap,      "out.xml", 1, {kNoBitmapToScale, kFailed},   ""},
    {"JpegWithAWrongHeader",    "simple",  JpegWithAWrongHeader, "out.xml", 1, {kNoBitmapToScale, kFailed},   ""},
    {"BitmapIsAFolder",         "border",  BitmapIsAFolder,      "out.xml", 1, {kNoBitmapToCompose, kFailed}, ""},
    // A picture whose header claims more than the size caps allow is refused, with its reason,
    // before anything is written.
    {"HugeBitmapSimple", "simple", HugeBitmap, "out.xml", 1,  // 30000 * 1.28 = 38400
        {"The resized graphics would be too large, so they are not made.\nA picture of 38400 x 38400 "
         "pixels is too large: at most 16384 pixels a side are handled.\nChoose a smaller output size.", kFailed},
        ""},
    {"HugeBitmapBrowser", "browser", HugeBitmap, "out.xml", 1,  // 30000 + 768 - 600 rows
        {"The resized graphics would be too large, so they are not made.\nA picture of 30000 x 30168 "
         "pixels is too large: at most 16384 pixels a side are handled.\nChoose a smaller output size.", kFailed},
        ""},
    // clang-format on
};

class BadInputTest : public ::testing::TestWithParam<BadInputCase> {
protected:
    void SetUp() override {
        App::ResetState();
        dialogs->headless = true;  // batch mode without a display: the report ends the run
        fs::create_directories(skins);
        WriteSkin(skins / "skin.xml", kSkin);
        WriteBitmap(skins / "skin.png", 800, 700, platform::PictureFormat::PNG);
    }
    void TearDown() override { App::ResetState(); }

    int Run(const std::string& method, const std::string& output, const char* height = "768") {
        return App::Run({"/opt/malvoren/malvoren", "-w", "1024", "-h", height, "-r", method,
                         (skins / "skin.xml").string(), (skins / output).string()},
                        out, err);
    }
    std::string InFolder(const std::string& text) const {
        return platform::ReplaceAll(text, "{skins}", skins.string());
    }

    testsupport::JobState jobState;
    testsupport::TempFolder folder;
    const fs::path skins = folder / "skins";
    ScopedEnv appDir{"MALVOREN_APP_DIR", (folder / "app").string()};
    ScopedEnv data{"XDG_DATA_HOME", (folder / "data").string()};
    platform::ScopedScriptedDialogs dialogs;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_P(BadInputTest, SaysWhatIsWrongAndLeavesTheInputs) {
    const BadInputCase& c = GetParam();
    c.prepare(skins);
    const Tree before = Snapshot(skins);

    EXPECT_EQ(Run(c.method, c.output, c.height), c.exitStatus) << err.str();

    std::vector<std::string> expected;
    for (const std::string& message : c.messages)
        expected.push_back(InFolder(message));
    EXPECT_EQ(dialogs->shown, expected);
    EXPECT_EQ(out.str(), "");
    if (!c.errHas.empty()) {
        EXPECT_NE(err.str().find(InFolder(c.errHas)), std::string::npos) << err.str();
    }
    EXPECT_NE(err.str().find(c.exitStatus == 2 ? "An unhandled exception occurred."
                                               : "Usage: malvoren -w WIDTH"),
              std::string::npos)
        << err.str();

    // Every item that was there is as it was, and a failed job leaves nothing of its own.
    const Tree after = Snapshot(skins);
    std::set<std::string> added;
    for (const auto& [name, content] : after) {
        const auto it = before.find(name);
        if (it == before.end())
            added.insert(name);
        else
            EXPECT_EQ(content, it->second) << name << " was changed";
    }
    for (const auto& [name, content] : before)
        EXPECT_TRUE(after.count(name)) << name << " was removed";
    EXPECT_EQ(added, std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Batch, BadInputTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A bitmap smaller than the skin says is no failure: it is scaled by the skin's ratios like any
// other, and the job succeeds.
TEST_F(BadInputTest, BitmapSmallerThanTheSkinIsScaledByTheSkinsRatios) {
    WriteBitmap(skins / "skin.png", 40, 30, platform::PictureFormat::PNG);
    const Tree before = Snapshot(skins);
    EXPECT_EQ(Run("simple", "out.xml"), App::kExitOk) << err.str();
    EXPECT_TRUE(dialogs->shown.empty());
    // 40 / 800 * 1024 = 51.2 and 30 / 600 * 768 = 38.4, rounded.
    const QSize size = QImageReader(QString::fromStdString((skins / "out.png").string())).size();
    EXPECT_EQ(size, QSize(51, 38));
    const Tree after = Snapshot(skins);
    for (const auto& [name, content] : before)
        EXPECT_EQ(after.at(name), content) << name;
    EXPECT_EQ(after.size(), before.size() + 2);  // out.xml and out.png
}

TEST_F(BadInputTest, BrowserKeepingOneRowIsResized) {
    SmallBrowser(skins);
    EXPECT_EQ(Run("browser", "out.xml", "561"), App::kExitOk) << err.str();  // 40 - 39 rows
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_NE(testsupport::ReadAll(skins / "out.xml").find(R"(<size width="400" height="1"/>)"),
              std::string::npos);
}

// What the refusal of a "Smart" job tells the main window; headless, standard error.
class RecordingSink : public Variables::SmartRefusalSink {
public:
    explicit RecordingSink(std::vector<std::string>& calls)
        : m_calls(calls) {}
    void ShowFilesPage() override {}
    void ShowHeightToolTip(const std::string& message) override { m_calls.push_back(message); }
    void SetHeightText(const std::string& height) override { m_calls.push_back(height); }
    void HideProgressWheel() override {}

private:
    std::vector<std::string>& m_calls;
};

// A "Smart" job whose browsers would fall under 245 rows, or a skin without a browser whose
// aspect changes, is refused with the smallest output height that would do, and writes nothing.
TEST_F(BadInputTest, SmartJobThatWouldCrushTheBrowserIsRefused) {
    struct {
        const char* name;
        bool withBrowser;
        const char* height;
        const char* proposed;
    } const kRefusals[] = {
        // 600 * 1.28 = 768 rows, the browser 300 * 1.28 = 384 of them; 600 rows would leave it
        // 384 - 168 = 216. It keeps 245 at 768 - (384 - 245) = 629 rows.
        {"BrowserUnder245", true, "600", "629"},
        {"NoBrowser", false, "700", "0"},
    };
    for (const auto& r : kRefusals) {
        std::vector<std::string> lines = kSkin;
        if (!r.withBrowser)
            lines.erase(lines.begin() + 2, lines.begin() + 6);
        WriteSkin(skins / "skin.xml", lines);
        dialogs->shown.clear();
        Variables::ResetDefaults();
        Browser::ResetDefaults();
        std::vector<std::string> calls;
        auto previous = Variables::SetRefusalSink(std::make_unique<RecordingSink>(calls));
        const Tree before = Snapshot(skins);

        EXPECT_EQ(App::Run({"/opt/malvoren/malvoren", "-w", "1024", "-h", r.height, "-r", "smart",
                            (skins / "skin.xml").string(), (skins / "out.xml").string()},
                           out, err),
                  App::kExitNoWindow)
            << r.name;
        Variables::SetRefusalSink(std::move(previous));
        EXPECT_EQ(calls, (std::vector<std::string>{Language::Messages[53], r.proposed})) << r.name;
        EXPECT_EQ(dialogs->shown, (std::vector<std::string>{"", InFolder(kFailed)})) << r.name;
        EXPECT_EQ(Snapshot(skins), before) << r.name;
    }
}

}  // namespace
