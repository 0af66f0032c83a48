#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs the tool headless. Its folder is `appFolder` (relative skin names are looked up there),
// its working folder `cwd`, and settings and data go to folders of their own.
// Without `runtimeDir` the run has no XDG_RUNTIME_DIR, as under sudo or cron.
RunResult RunTool(const std::vector<std::string>& args, const fs::path& appFolder,
                  const fs::path& cwd, bool runtimeDir = true) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");  // the tool chooses offscreen by itself without a display
    env.insert("MALVOREN_APP_DIR", QString::fromStdString(appFolder.string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((cwd / "config").string()));
    env.insert("XDG_DATA_HOME", QString::fromStdString((cwd / "data").string()));
    if (runtimeDir)
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(cwd.string()));
    else
        env.remove("XDG_RUNTIME_DIR");
    env.remove("MALVOREN_QT_MESSAGES");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(cwd.string()));
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    process.start(QStringLiteral(MALVOREN_EXE), list);
    RunResult r;
    if (!process.waitForFinished(120000))
        return r;
    r.exitStatus = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput().toStdString();
    r.err = process.readAllStandardError().toStdString();
    return r;
}

constexpr const char* kUsage = "Usage: malvoren -w WIDTH";

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    int exitStatus;
    std::vector<std::string> errHas;     // texts standard error must hold
    std::vector<std::string> errHasNot;  // texts it must not hold
};

// The application's folder holds "in.xml" and "my skin.xml" (800 x 600) and "wide.xml"
// (1000 x 600); the working folder holds "cwd.xml", which relative names never reach.
const CliCase kCliCases[] = {
    // clang-format off
    {"NoArgumentWouldOpenTheWindow", {}, 1, {kUsage, "no display"}, {}},
    {"DesktopMarkerSkipsBatchMode",  {"-psn_0_42", "-q", "5"}, 1, {kUsage}, {"Unknown command"}},
    {"BadMethod",                    {"-w", "1024", "-r", "zoom", "in.xml", "out.xml"}, 1,
        {"Unknown command \"-r zoom\"\nAvailable resize parameters are:\nsimple / border / browser\n", kUsage}, {}},
    {"BadOptionAnyCase",             {"-Q", "5", "in.xml"}, 1, {"Unknown command \"-Q 5\"\n"}, {}},
    {"BadToken",                     {"in.xml", "notes.txt"}, 1, {"Unknown command \"notes.txt\"\n"}, {}},
    {"NegativeNumberIsAnOption",     {"-h", "-5", "in.xml"}, 1, {"Unknown command \"-5 in.xml\"\n"}, {}},
    {"MissingInput",                 {"gone.xml", "out.xml"}, 1, {"Failed opening gone.xml\n", kUsage}, {}},
    {"MissingInputAlsoWithNoStop",   {"-nostop", "x", "gone.xml"}, 1, {"Failed opening gone.xml\n"}, {}},
    {"NoStopSwallowsNextToken",      {"-nostop", "in.xml", "gone.xml"}, 1, {"Failed opening gone.xml\n"}, {}},
    {"BadOptionIgnoredWithNoStop",   {"-nostop", "x", "-q", "5", "notes.txt"}, 0, {}, {"Unknown command", kUsage}},
    {"QuotedPathWithBlanks",         {"-q", "5", "my skin.xml"}, 1, {"Unknown command \"-q 5\""}, {"Failed opening"}},
    {"PathWithBlanksMissing",        {"my other skin.xml"}, 1, {"Failed opening my other skin.xml\n"}, {}},
    {"RelativeNamesInAppFolderOnly", {"cwd.xml", "out.xml"}, 1, {"Failed opening cwd.xml\n"}, {}},
    {"AbsolutePathTakenAsGiven",     {"/nowhere/in.xml", "out.xml"}, 1, {"Failed opening /nowhere/in.xml\n"}, {}},
    {"WidthUnderMinimumNoJob",       {"-w", "639", "-r", "smart", "in.xml", "out.xml"}, 1, {kUsage}, {"Failed"}},
    {"WidthUnderMinimumNoStopQuits", {"-nostop", "x", "-w", "639", "-r", "smart", "in.xml", "out.xml"}, 0, {}, {kUsage}},
    {"DerivedHeightUnderMinimum",    {"-w", "640", "-r", "smart", "wide.xml", "out.xml"}, 1, {kUsage}, {"Failed"}},
    {"SamePathNoJob",                {"-w", "1024", "-r", "smart", "in.xml", "IN.XML"}, 1, {kUsage}, {"Failed"}},
    {"NoMethodNoJob",                {"-w", "1024", "in.xml", "out.xml"}, 1, {kUsage}, {"Failed"}},
    {"NoInputAnalysisFails",         {"-w", "1024", "-r", "smart"}, 1, {"An error occured.\n", kUsage}, {}},
    // clang-format on
};

class CliTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliTest, RunsHeadless) {
    const CliCase& c = GetParam();
    testsupport::TempFolder app;
    testsupport::TempFolder cwd;
    app.CopyFixture("app/skin_800x600.xml", "in.xml");
    app.CopyFixture("app/skin_800x600.xml", "my skin.xml");
    app.CopyFixture("app/skin_1000x600.xml", "wide.xml");
    cwd.CopyFixture("app/skin_800x600.xml", "cwd.xml");

    const RunResult r = RunTool(c.args, app.Path(), cwd.Path());
    EXPECT_EQ(r.exitStatus, c.exitStatus) << r.err;
    EXPECT_EQ(r.out, "");  // batch mode writes nothing to standard output
    for (const std::string& text : c.errHas)
        EXPECT_NE(r.err.find(text), std::string::npos) << "missing: " << text << "\n" << r.err;
    for (const std::string& text : c.errHasNot)
        EXPECT_EQ(r.err.find(text), std::string::npos) << "unexpected: " << text << "\n" << r.err;
    EXPECT_FALSE(fs::exists(app / "out.xml"));
    // Batch mode reads and writes no settings file.
    EXPECT_FALSE(fs::exists(cwd / "config" / "Malvoren Tool"));
}

INSTANTIATE_TEST_SUITE_P(Grammar, CliTest, ::testing::ValuesIn(kCliCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One run of each method from the command line on the example skin (1024 x 768, its bitmap
// 1024 x 1200 with the sprite area below row 768).
struct MethodCase {
    const char* name;
    std::vector<std::string> args;
    int outWidth;   // of the output skin and of its bitmap
    int outHeight;  // of the output skin; the bitmap holds its sprite area below it
};

std::string SkinLine(const std::string& xml) {
    const std::size_t at = xml.find("<skin ");
    return at == std::string::npos ? std::string() : xml.substr(at, xml.find('>', at) - at);
}

class MethodTest : public ::testing::TestWithParam<MethodCase> {};

TEST_P(MethodTest, ResizesTheExampleSkin) {
    const MethodCase& c = GetParam();
    testsupport::TempFolder app;
    testsupport::TempFolder cwd;
    const fs::path examples = fs::path(MALVOREN_SOURCE_DIR) / "examples";
    fs::copy_file(examples / "tidewater.xml", app / "tidewater.xml");
    fs::copy_file(examples / "tidewater.png", app / "tidewater.png");

    const RunResult r = RunTool(c.args, app.Path(), cwd.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string skin = SkinLine(testsupport::ReadAll(app / "out.xml"));
    EXPECT_NE(skin.find("width=\"" + std::to_string(c.outWidth) + "\""), std::string::npos) << skin;
    EXPECT_NE(skin.find("height=\"" + std::to_string(c.outHeight) + "\""), std::string::npos)
        << skin;
    QImageReader bitmap(QString::fromStdString((app / "out.png").string()));
    const QSize size = bitmap.size();
    EXPECT_EQ(size.width(), c.outWidth);
    EXPECT_GT(size.height(), c.outHeight);  // the sprite area stays below the skin
    // The input skin is left as it was.
    EXPECT_EQ(testsupport::ReadAll(app / "tidewater.xml"),
              testsupport::ReadAll(examples / "tidewater.xml"));
}

const MethodCase kMethodCases[] = {
    // clang-format off
    {"Simple",  {"-w", "1280", "-h", "960", "-r", "simple",  "tidewater.xml", "out.xml"}, 1280, 960},
    {"Border",  {"-w", "1280", "-h", "960", "-r", "border",  "tidewater.xml", "out.xml"}, 1280, 960},
    {"Browser", {"-w", "1024", "-h", "900", "-r", "browser", "tidewater.xml", "out.xml"}, 1024, 900},
    // 1280 / 1024 = 1.25 gives 960 rows; the browser (336 * 1.25 = 420 rows) gives up 160 of
    // them and keeps 260, above the 245-row floor.
    {"Smart",   {"-w", "1280", "-h", "800", "-r", "smart",   "tidewater.xml", "out.xml"}, 1280, 800},
    // clang-format on
};

INSTANTIATE_TEST_SUITE_P(ExampleSkin, MethodTest, ::testing::ValuesIn(kMethodCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Bad input through the real program: what it prints, its exit status, and that a failed job
// leaves nothing of its own and the input skin as it was.
struct BadSkinCase {
    const char* name;
    std::function<void(const fs::path& app)> prepare;  // on tidewater.xml and tidewater.png
    std::vector<std::string> args;
    int exitStatus;
    std::vector<std::string> errHas;
};

const BadSkinCase kBadSkinCases[] = {
    // clang-format off
    {"NoBitmapDialogIsCancelled", [](const fs::path& a) { fs::remove(a / "tidewater.png"); },
        {"-w", "1280", "-r", "simple", "tidewater.xml", "out.xml"}, 1,
        {"Open file: no one can answer a file dialog in this run; cancelled.",
         "An error occured when Getting Skin Graphics File, please retry the process.",
         "Unable to open the graphics file.\nThe graphics won't be resized.", "Failed resizing", kUsage}},
    {"TruncatedBitmap", [](const fs::path& a) { fs::resize_file(a / "tidewater.png", 3000); },
        {"-w", "1280", "-r", "smart", "tidewater.xml", "out.xml"}, 1,
        {"An error occured when , please retry the process.", "Failed resizing", kUsage}},
    {"EmptySkin", [](const fs::path& a) { fs::resize_file(a / "tidewater.xml", 0); },
        {"-w", "1280", "-r", "border", "tidewater.xml", "out.xml"}, 1, {"An error occured.\n", kUsage}},
    {"OutputBitmapNameIsAFolder", [](const fs::path& a) { fs::create_directory(a / "out.png"); },
        {"-w", "1280", "-r", "simple", "tidewater.xml", "out.xml"}, 1,
        {"Unable to write ", "/out.png: Is a directory.", "Failed resizing", kUsage}},
    // clang-format on
};

class BadSkinTest : public ::testing::TestWithParam<BadSkinCase> {};

TEST_P(BadSkinTest, SaysWhyAndLeavesNothingOfItsOwn) {
    const BadSkinCase& c = GetParam();
    testsupport::TempFolder app;
    testsupport::TempFolder cwd;
    const fs::path examples = fs::path(MALVOREN_SOURCE_DIR) / "examples";
    fs::copy_file(examples / "tidewater.xml", app / "tidewater.xml");
    fs::copy_file(examples / "tidewater.png", app / "tidewater.png");
    c.prepare(app.Path());
    const std::string xml = testsupport::ReadAll(app / "tidewater.xml");
    const std::string png = testsupport::ReadAll(app / "tidewater.png");

    const RunResult r = RunTool(c.args, app.Path(), cwd.Path());
    EXPECT_EQ(r.exitStatus, c.exitStatus) << r.err;
    EXPECT_EQ(r.out, "");
    for (const std::string& text : c.errHas)
        EXPECT_NE(r.err.find(text), std::string::npos) << "missing: " << text << "\n" << r.err;
    EXPECT_FALSE(fs::exists(app / "out.xml"));
    EXPECT_FALSE(fs::is_regular_file(app / "out.png"));
    EXPECT_EQ(testsupport::ReadAll(app / "tidewater.xml"), xml);
    EXPECT_EQ(testsupport::ReadAll(app / "tidewater.png"), png);
}

INSTANTIATE_TEST_SUITE_P(ExampleSkin, BadSkinTest, ::testing::ValuesIn(kBadSkinCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An output folder that cannot be written (a file stands where the folder should be, which
// stops root as well): a failed job whose standard error holds the tool's messages and nothing
// else, Qt's note on the missing XDG_RUNTIME_DIR included, and no file left behind.
TEST(UnwritableOutputTest, FailsWithTheToolsMessagesOnly) {
    testsupport::TempFolder app;
    testsupport::TempFolder cwd;
    const fs::path examples = fs::path(MALVOREN_SOURCE_DIR) / "examples";
    fs::copy_file(examples / "tidewater.xml", app / "tidewater.xml");
    fs::copy_file(examples / "tidewater.png", app / "tidewater.png");
    app.Write("blocker", "a file, not a folder");

    const RunResult r = RunTool(
        {"-w", "1280", "-r", "simple", "tidewater.xml", (app / "blocker" / "out.xml").string()},
        app.Path(), cwd.Path(), false);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    const std::string dir = app.Path().string();
    EXPECT_EQ(r.err,
              "Unable to write " + dir +
                  "/blocker/out.xml: Not a directory.\n"
                  "Failed resizing " +
                  dir +
                  "/tidewater.xml\nYou should try with the GUI.\n"
                  "malvoren: no display, so the main window cannot open; nothing was resized.\n"
                  "Usage: malvoren -w WIDTH [-h HEIGHT] -r simple|border|browser|smart "
                  "[-bfontsize SIZE] [-nostop] INPUT.xml OUTPUT.xml\n"
                  "Relative skin names are looked up in the folder of the program.\n");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(app.Path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Malvoren log.txt", "blocker", "tidewater.png",
                                              "tidewater.xml"}));
    EXPECT_EQ(testsupport::ReadAll(app / "blocker"), "a file, not a folder");
}

}  // namespace
