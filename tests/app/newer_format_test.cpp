// Skins of the newer format that skin authors write today reach the tool as inputs: a UTF-8
// byte-order mark, the skin element after a long comment or over two lines, values holding
// expressions and placeholders, colour names, no plain browser element. The tool reads the
// older format; on these it must either resize the skin or refuse it with a message, in
// every method, never crash and never touch its inputs.

#include "app/app.h"
#include "app/batch.h"
#include "engine/xml/analysis.h"
#include "engine/xml/variables.h"
#include "file_names.h"
#include "messages/line_terminator.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/text.h"
#include "platform/thread.h"
#include "support/inspection.h"
#include "support/job_state.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Every regular file under a folder (the job log and the output folder left out), with its
// bytes and modification time.
struct FileState {
    std::string bytes;
    fs::file_time_type modified;
    bool operator==(const FileState&) const = default;
};
using FolderState = std::map<std::string, FileState>;

FolderState InputsIn(const fs::path& folder) {
    FolderState state;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::path relative = fs::relative(entry.path(), folder);
        if (!entry.is_regular_file() || *relative.begin() == "out" ||
            relative == "Malvoren log.txt")
            continue;
        state[relative.string()] = {testsupport::ReadAll(entry.path()), entry.last_write_time()};
    }
    return state;
}

// The skin bitmaps as skin authors ship them: PNG, often with an alpha channel, and not
// always as tall as the skin.
struct BitmapSpec {
    int width;
    int height;
    bool alpha;
};

void WriteBitmap(const fs::path& path, const BitmapSpec& spec) {
    QImage image(spec.width, spec.height,
                 spec.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x)
            image.setPixelColor(
                x, y, QColor((x * 7) % 256, (y * 5) % 256, 90, spec.alpha ? 255 - (x % 200) : 255));
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

// A skin and its bitmap; `bitmapName` is the bitmap's file name beside the skin "in.xml".
struct Fixture {
    const char* file;
    BitmapSpec bitmap;
    const char* bitmapName = "in.png";
};

// clang-format off
const Fixture kCommentBeforeSkin = {"comment_before_skin.xml",          {800, 540, false}};
const Fixture kSkinTagOnTwoLines = {"skin_tag_on_two_lines.xml",        {800, 150, true}};
const Fixture kSizeOnSecondLine  = {"skin_size_on_second_line.xml",     {800, 520, false}};
const Fixture kExpressions       = {"expressions_and_placeholders.xml", {800, 560, true}};
const Fixture kPlaceholderInExpression = {"placeholder_in_expression.xml", {800, 560, false}};
// Newer skins name their images in the XML; none need share the skin's name, so the tool
// finds no bitmap beside the skin and asks for one, which nobody answers in batch mode.
const Fixture kArtNamedOtherwise = {"expressions_and_placeholders.xml", {800, 560, true}, "art.png"};
// clang-format on

enum class Outcome { Output, Refused };

// One job of one method on one fixture: grown to 1000 pixels wide with the height derived from
// the skin's proportions, or shrunk to 720 x 480, out of proportion.
enum class Size { Grow, Shrink };

struct JobCase {
    const char* name;
    const Fixture* fixture;
    const char* method;
    Size size;
    Outcome outcome;
    // Output: the size the output skin reads back with, and its bitmap's size.
    int skinWidth = 0;
    int skinHeight = 0;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    // Refused: the first message, "%s" standing for the input's path.
    const char* message = nullptr;
};

constexpr const char* kNoSkinElement =
    "\"%s\" has no skin element in its first six lines, where this tool reads the skin's "
    "size.\nChoose another file.";
constexpr const char* kNoSize =
    "\"%s\" gives the skin no width and height above 0.\nChoose another file.";
constexpr const char* kNoBitmap =
    "An error occured when Getting Skin Graphics File, please retry the process.\n";
// An expression whose evaluation meets a placeholder after an operator ("-1+[SWIDTH]/2") fails
// its line: line 10 holds such an x and line 14 such a y. "Border" leaves x values beginning
// with "-" as they are, and "Browser" reads only y values.
constexpr const char* kLine10 = "An error occured on line 10.";
constexpr const char* kLine14 = "An error occured on line 14.";
// The refusal of "Smart" when no browser can take the height out of proportion: an empty box,
// the rest goes to the main window.
constexpr const char* kSmartRefusal = "";
constexpr const char* kNoBrowser =
    "The skin has no browser element with a position and a height: the \"Browser\" method has no "
    "browser to give the height to.";

// Sizes worked out by hand, the skins being 800 x 450 and 800 x 500 and the output width 1000:
// - "Simple" scales the skin to 1000 x Trunc(1000 * 450 / 800) = 562 (Trunc(1000 * 500 / 800)
//   = 625) and its bitmap by the same ratios: Round(w / 800 * 1000), Round(h / 450 * 562)
//   (Round(h / 500 * 625)).
// - "Border" centres the unscaled skin on a canvas of the output width and the bitmap's height
//   plus twice the vertical shift Trunc((562 - 450) / 2) = 56: 150 + 112 = 262 (for the
//   other skin Trunc((625 - 500) / 2) = 62: 560 + 124 = 684).
// - "Browser" keeps the input width and gives the whole height difference to the first browser:
//   the bitmap grows by 625 - 500 = 125 rows.
// - "Smart" scales proportionally (the aspects agree), as "Simple".
// Shrunk to 720 x 480 (ratios 0.9 and 480 / 450 or 0.96):
// - "Simple": Round(150 / 450 * 480) = 160 (Round(560 / 500 * 480) = 538) rows and the icon
//   strip of 298 below them: 458 (836).
// - "Border": Trunc((480 - 450) / 2) = 15, 150 + 30 = 180; Trunc((480 - 500) / 2) = -10,
//   560 - 20 = 540.
// - "Browser": 560 - 20 = 540 rows, 800 wide.
// - "Smart": proportional height Round(720 * 500 / 800) = 450, so Round(560 / 500 * 450) = 504
//   rows and the strip, 802, then the browser takes the other 480 - 450 = 30 rows: 832. The
//   skin without a browser cannot take them and is refused.
// clang-format off
const JobCase kJobCases[] = {
    {"CommentBeforeSkinSimple",   &kCommentBeforeSkin, "simple",  Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSkinElement},
    {"CommentBeforeSkinBorder",   &kCommentBeforeSkin, "border",  Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSkinElement},
    {"CommentBeforeSkinBrowser",  &kCommentBeforeSkin, "browser", Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSkinElement},
    {"CommentBeforeSkinSmart",    &kCommentBeforeSkin, "smart",   Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSkinElement},
    {"SizeOnSecondLineSimple",    &kSizeOnSecondLine,  "simple",  Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSize},
    {"SizeOnSecondLineBorder",    &kSizeOnSecondLine,  "border",  Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSize},
    {"SizeOnSecondLineBrowser",   &kSizeOnSecondLine,  "browser", Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSize},
    {"SizeOnSecondLineSmart",     &kSizeOnSecondLine,  "smart",   Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoSize},
    {"TagOnTwoLinesSimple",       &kSkinTagOnTwoLines, "simple",  Size::Grow,   Outcome::Output,  1000, 562, 1000, 187},
    {"TagOnTwoLinesBorder",       &kSkinTagOnTwoLines, "border",  Size::Grow,   Outcome::Output,  1000, 562, 1000, 262},
    {"TagOnTwoLinesBrowser",      &kSkinTagOnTwoLines, "browser", Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoBrowser},
    {"TagOnTwoLinesSmart",        &kSkinTagOnTwoLines, "smart",   Size::Grow,   Outcome::Output,  1000, 562, 1000, 187},
    {"ExpressionsSimple",         &kExpressions,       "simple",  Size::Grow,   Outcome::Output,  1000, 625, 1000, 700},
    {"ExpressionsBorder",         &kExpressions,       "border",  Size::Grow,   Outcome::Output,  1000, 625, 1000, 684},
    {"ExpressionsBrowser",        &kExpressions,       "browser", Size::Grow,   Outcome::Output,  800,  625, 800, 685},
    {"ExpressionsSmart",          &kExpressions,       "smart",   Size::Grow,   Outcome::Output,  1000, 625, 1000, 700},
    {"PlaceholderInExpressionSimple",  &kPlaceholderInExpression, "simple",  Size::Grow, Outcome::Refused, 0, 0, 0, 0, kLine10},
    {"PlaceholderInExpressionBorder",  &kPlaceholderInExpression, "border",  Size::Grow, Outcome::Refused, 0, 0, 0, 0, kLine14},
    {"PlaceholderInExpressionBrowser", &kPlaceholderInExpression, "browser", Size::Grow, Outcome::Refused, 0, 0, 0, 0, kLine14},
    {"PlaceholderInExpressionSmart",   &kPlaceholderInExpression, "smart",   Size::Grow, Outcome::Refused, 0, 0, 0, 0, kLine10},
    {"ArtNamedOtherwiseSimple",   &kArtNamedOtherwise, "simple",  Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoBitmap},
    {"ArtNamedOtherwiseBorder",   &kArtNamedOtherwise, "border",  Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoBitmap},
    {"ArtNamedOtherwiseBrowser",  &kArtNamedOtherwise, "browser", Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoBitmap},
    {"TagOnTwoLinesShrunkSimple", &kSkinTagOnTwoLines, "simple",  Size::Shrink, Outcome::Output,  720, 480, 720, 458},
    {"TagOnTwoLinesShrunkBorder", &kSkinTagOnTwoLines, "border",  Size::Shrink, Outcome::Output,  720, 480, 720, 180},
    {"TagOnTwoLinesShrunkBrowser", &kSkinTagOnTwoLines, "browser", Size::Shrink, Outcome::Refused, 0, 0, 0, 0, kNoBrowser},
    {"TagOnTwoLinesShrunkSmart",  &kSkinTagOnTwoLines, "smart",   Size::Shrink, Outcome::Refused, 0, 0, 0, 0, kSmartRefusal},
    {"ExpressionsShrunkSimple",   &kExpressions,       "simple",  Size::Shrink, Outcome::Output,  720, 480, 720, 836},
    {"ExpressionsShrunkBorder",   &kExpressions,       "border",  Size::Shrink, Outcome::Output,  720, 480, 720, 540},
    {"ExpressionsShrunkBrowser",  &kExpressions,       "browser", Size::Shrink, Outcome::Output,  800, 480, 800, 540},
    {"ExpressionsShrunkSmart",    &kExpressions,       "smart",   Size::Shrink, Outcome::Output,  720, 480, 720, 832},
    {"ArtNamedOtherwiseSmart",    &kArtNamedOtherwise, "smart",   Size::Grow,   Outcome::Refused, 0, 0, 0, 0, kNoBitmap},
};
// clang-format on

void PrintTo(const JobCase& c, std::ostream* os) {
    *os << c.name;
}

class NewerFormatTest : public ::testing::TestWithParam<JobCase> {
protected:
    void SetUp() override {
        App::ResetState();
        App::SetMessageWindowPresenter(nullptr);
        const Fixture& fixture = *GetParam().fixture;
        app.CopyFixture(std::string("app/newer_format/") + fixture.file, "in.xml");
        WriteBitmap(app / fixture.bitmapName, fixture.bitmap);
        fs::create_directories(app / "out");
    }
    void TearDown() override { App::SetMessageWindowPresenter(nullptr); }

    int RunBatch(const std::string& method, Size size) {
        std::vector<std::string> args{"/opt/malvoren/malvoren", "-r", method};
        const std::vector<std::string> sizeArgs =
            size == Size::Grow ? std::vector<std::string>{"-w", "1000"}
                               : std::vector<std::string>{"-w", "720", "-h", "480"};
        args.insert(args.end(), sizeArgs.begin(), sizeArgs.end());
        args.insert(args.end(), {"in.xml", "out/out.xml"});
        return App::Run(args, out, err);
    }

    testsupport::JobState jobState;
    testsupport::TempFolder app;
    ScopedEnv appDir{"MALVOREN_APP_DIR", app.Path().string()};
    ScopedEnv data{"XDG_DATA_HOME", (app / "data").string()};
    platform::ScopedScriptedDialogs dialogs;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_P(NewerFormatTest, ResizesOrRefusesAndLeavesTheInputsAlone) {
    const JobCase& c = GetParam();
    const FolderState before = InputsIn(app.Path());
    const int status = RunBatch(c.method, c.size);

    EXPECT_EQ(InputsIn(app.Path()), before);
    EXPECT_EQ(err.str().find("unhandled"), std::string::npos) << err.str();
    EXPECT_EQ(testsupport::ReadAll(app / "Malvoren log.txt").find("Unhandeld"), std::string::npos);

    if (c.outcome == Outcome::Refused) {
        EXPECT_EQ(status, App::kExitNoWindow);
        ASSERT_FALSE(dialogs->shown.empty());
        EXPECT_EQ(dialogs->shown[0],
                  platform::ReplaceAll(c.message, "%s", (app / "in.xml").string()));
        // A job that started and failed says so last, and leaves no half output behind.
        if (Variables::Job_Ok == false) {
            EXPECT_EQ(dialogs->shown.back(), "Failed resizing " + (app / "in.xml").string() +
                                                 "\nYou should try with the GUI.");
        }
        EXPECT_EQ(FileNamesIn(app / "out"), std::vector<std::string>{});
        return;
    }

    EXPECT_EQ(status, App::kExitOk) << platform::Join(dialogs->shown, " | ");
    EXPECT_EQ(FileNamesIn(app / "out"), (std::vector<std::string>{"out.png", "out.xml"}));
    // The credit line, and a terminator after the empty piece that the input's final line end
    // leaves, are the two lines added.
    EXPECT_EQ(platform::Split(testsupport::ReadAll(app / "out" / "out.xml"), "\n").size(),
              platform::Split(testsupport::ReadAll(app / "in.xml"), "\n").size() + 2);

    const platform::PicturePtr bitmap = platform::OpenAsPicture(app / "out" / "out.png");
    ASSERT_TRUE(bitmap);
    // Kept in the build folder for a look at what each method made.
    testsupport::SaveForInspection(*bitmap, "newer_format_" + std::string(c.name));
    if (c.bitmapWidth != 0) {
        EXPECT_EQ(bitmap->Width(), c.bitmapWidth);
        EXPECT_EQ(bitmap->Height(), c.bitmapHeight);
    }

    Variables::ResetDefaults();
    dialogs->shown.clear();
    ASSERT_TRUE(Variables::Lecture((app / "out" / "out.xml").string()))
        << platform::Join(dialogs->shown, " | ");
    EXPECT_EQ(Variables::inWidth, c.skinWidth);
    EXPECT_EQ(Variables::inHeight, c.skinHeight);
}

INSTANTIATE_TEST_SUITE_P(NewerFormat, NewerFormatTest, ::testing::ValuesIn(kJobCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
