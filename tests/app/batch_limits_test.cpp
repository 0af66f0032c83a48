#include "app/app.h"
#include "app/batch.h"
#include "engine/xml/variables.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/text.h"
#include "support/job_state.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A 320 x 240 skin of seven lines with one browser (160 x 120 at 80, 60: its bottom at row 180).
constexpr const char* kSkin =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<skin name=\"Limits\" version=\"8\" width=\"320\" height=\"240\">\n"
    "<browser>\n"
    "  <size width=\"160\" height=\"120\"/>\n"
    "  <pos x=\"80\" y=\"60\"/>\n"
    "</browser>\n"
    "</skin>\n";

// The skin and its 320 x 240 bitmap in the application's folder of a batch run without a
// display, every message recorded.
class BatchLimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        App::ResetState();
        App::SetMessageWindowPresenter(nullptr);
        app.Write("in.xml", kSkin);
        platform::SavePicture(*platform::Picture::New(320, 240), app / "in.png",
                              platform::PictureFormat::PNG);
        bitmapBytes = testsupport::ReadAll(app / "in.png");
    }
    void TearDown() override { App::SetMessageWindowPresenter(nullptr); }

    // The exit status of the whole batch run of `args` (after the program's name).
    int Run(const std::vector<std::string>& args) {
        std::vector<std::string> all{"/opt/malvoren/malvoren"};
        all.insert(all.end(), args.begin(), args.end());
        std::ostringstream out;
        const int status = App::Run(all, out, err);
        EXPECT_EQ(out.str(), "");
        return status;
    }
    std::string Quoted(const std::string& name) const {
        return "\"" + (app / name).string() + "\"";
    }
    std::string Failed() const {
        return "Failed resizing " + (app / "in.xml").string() + "\nYou should try with the GUI.";
    }
    void ExpectInputsUntouched(const std::string& skin) const {
        EXPECT_EQ(testsupport::ReadAll(app / "in.xml"), skin);
        EXPECT_EQ(testsupport::ReadAll(app / "in.png"), bitmapBytes);
    }

    testsupport::JobState jobState;
    testsupport::TempFolder app;
    ScopedEnv appDir{"MALVOREN_APP_DIR", app.Path().string()};
    ScopedEnv data{"XDG_DATA_HOME", (app / "data").string()};
    ScopedEnv headless{"MALVOREN_HEADLESS", "1"};
    ScopedEnv maxPixels{"MALVOREN_MAX_PIXELS", std::nullopt};
    platform::ScopedScriptedDialogs dialogs;
    std::ostringstream err;
    std::string bitmapBytes;
};

// ---- Skin line limits ------------------------------------------------------------------------

TEST_F(BatchLimitsTest, SkinWithALineOf64KiBIsResized) {
    // "<!--", 65,529 dashes and "-->": 65,536 bytes on line 8.
    const std::string skin = std::string(kSkin) + "<!--" + std::string(65'529, '-') + "-->\n";
    app.Write("in.xml", skin);
    EXPECT_EQ(Run({"-w", "640", "-r", "simple", "in.xml", "out.xml"}), App::kExitOk) << err.str();
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(app / "out.png"));
    ExpectInputsUntouched(skin);
}

struct LineRefusalCase {
    const char* name;
    std::string (*skin)();
    const char* message;  // its first line; "@" stands for the quoted path of the input skin
};

// clang-format off
const LineRefusalCase kLineRefusals[] = {
    {"LineOneByteOver64KiB",
     [] { return std::string(kSkin) + std::string(65'537, ' ') + "\n</skin>\n"; },
     "Line 8 of @ is longer than 64 KiB."},
    {"MillionAndOneLines",
     [] {
         std::string skin = kSkin;  // seven lines
         for (int line = 8; line <= 1'000'001; ++line)
             skin += "<a/>\n";
         return skin;
     },
     "@ has more than 1000000 lines."},
};
// clang-format on

class LineRefusalTest : public BatchLimitsTest,
                        public ::testing::WithParamInterface<LineRefusalCase> {};

TEST_P(LineRefusalTest, IsRefusedBeforeTheJobWithTheSkinMessage) {
    const std::string skin = GetParam().skin();
    app.Write("in.xml", skin);
    for (const char* method : {"simple", "border", "browser", "smart"}) {
        dialogs->shown.clear();
        EXPECT_EQ(Run({"-w", "640", "-r", method, "in.xml", "out.xml"}), App::kExitNoWindow)
            << method;
        const std::string first = platform::ReplaceAll(GetParam().message, "@", Quoted("in.xml"));
        EXPECT_EQ(
            dialogs->shown,
            std::vector<std::string>{first + "\nIt is not a skin file that this tool can read."})
            << method;
        // The analysis refused it: the job never read the skin.
        EXPECT_EQ(Variables::Input_Filename, "") << method;
        EXPECT_FALSE(fs::exists(app / "out.xml")) << method;
        EXPECT_FALSE(fs::exists(app / "out.png")) << method;
    }
    ExpectInputsUntouched(skin);
}

INSTANTIATE_TEST_SUITE_P(Skins, LineRefusalTest, ::testing::ValuesIn(kLineRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Output bitmap caps ----------------------------------------------------------------------

// One job per method with the largest picture it composes, worked out from the 320 x 240
// skin and bitmap; the pixel cap is set to exactly that many pixels, then to one fewer.
struct OutputCapCase {
    const char* name;
    std::vector<std::string> args;
    int width;  // the largest picture the job makes
    int height;
    int bitmapWidth;  // the output bitmap written when the job is allowed
    int bitmapHeight;
};

// clang-format off
const OutputCapCase kOutputCaps[] = {
    // Twice the size: 320 / 320 * 640 = 640 columns, 240 / 240 * 480 = 480 rows.
    {"Simple",  {"-w", "640", "-h", "480", "-r", "simple",  "in.xml", "out.xml"}, 640, 480, 640, 480},
    // The output width, and the bitmap's 240 rows plus twice the shift (480 - 240) / 2 = 120.
    {"Border",  {"-w", "640", "-h", "480", "-r", "border",  "in.xml", "out.xml"}, 640, 480, 640, 480},
    // The bitmap's width, its 240 rows plus the 240 gained. The preview of the written
    // bitmap (640 x 480, the output size) is larger still, but is no output.
    {"Browser", {"-w", "640", "-h", "480", "-r", "browser", "in.xml", "out.xml"}, 320, 480, 320, 480},
    // The same proportions: the "Simple" bitmap at 640 x 480, nothing more.
    {"Smart",   {"-w", "640", "-h", "480", "-r", "smart",   "in.xml", "out.xml"}, 640, 480, 640, 480},
    // Other proportions: "Simple" at 640 x 480 (640 * 240 / 320), then the browser stage
    // adds 600 - 480 = 120 rows to it: 640 x 600.
    {"SmartBrowserStage", {"-w", "640", "-h", "600", "-r", "smart", "in.xml", "out.xml"}, 640, 600, 640, 600},
};
// clang-format on

class OutputCapTest : public BatchLimitsTest, public ::testing::WithParamInterface<OutputCapCase> {
protected:
    void SetCap(long long pixels) {
        ::setenv("MALVOREN_MAX_PIXELS", std::to_string(pixels).c_str(), 1);
    }
};

TEST_P(OutputCapTest, PictureOfExactlyTheCapIsMade) {
    const OutputCapCase& c = GetParam();
    SetCap(static_cast<long long>(c.width) * c.height);
    EXPECT_EQ(Run(c.args), App::kExitOk) << err.str();
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{});
    const platform::PicturePtr written = platform::OpenAsPicture(app / "out.png");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Width(), c.bitmapWidth);
    EXPECT_EQ(written->Height(), c.bitmapHeight);
    ExpectInputsUntouched(kSkin);
}

TEST_P(OutputCapTest, PictureOnePixelOverTheCapIsRefusedBeforeItIsMade) {
    const OutputCapCase& c = GetParam();
    const long long cap = static_cast<long long>(c.width) * c.height - 1;
    SetCap(cap);
    EXPECT_EQ(Run(c.args), App::kExitNoWindow);
    const std::string refusal =
        "The resized graphics would be too large, so they are not made.\nA picture of " +
        std::to_string(c.width) + " x " + std::to_string(c.height) +
        " pixels is too large: at most " + std::to_string(cap) +
        " pixels are handled.\nChoose a smaller output size.";
    EXPECT_EQ(dialogs->shown, (std::vector<std::string>{refusal, Failed()}));
    // Refused from the bitmap's header before the job's first step: nothing is written.
    EXPECT_FALSE(fs::exists(app / "out.xml"));
    EXPECT_FALSE(fs::exists(app / "out.png"));
    EXPECT_FALSE(Variables::Job_Ok);
    ExpectInputsUntouched(kSkin);
    EXPECT_NE(testsupport::ReadAll(app / "Malvoren log.txt")
                  .find("\n**Exception\nPicture too large\nA picture of "),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Methods, OutputCapTest, ::testing::ValuesIn(kOutputCaps),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
