#include "windows/main/main_window_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mainwindow {
namespace {

const Translate kEnglish = [](std::string_view key) { return std::string(key); };

struct FormatCase {
    const char* name;
    std::int32_t w;
    std::int32_t h;
    const char* text;
};
const FormatCase kFormats[] = {
    // clang-format off
    {"FourThirds",                 1024,  768, "4/3"},
    {"FourThirdsSmall",             800,  600, "4/3"},
    {"SixteenTenths",              1280,  800, "16/10"},
    {"SixteenTenthsWide",          1440,  900, "16/10"},
    {"SixteenNinths",              1920, 1080, "16/9"},
    {"SixteenNinthsSmall",         1280,  720, "16/9"},
    {"FiveThirds",                 1280,  768, "5/3"},
    {"Code1779IsNotSixteenNinths", 1366,  768, "Not Standard"},
    {"Code1250",                   1280, 1024, "Not Standard"},
    {"ZeroHeightHasNoRatio",       1280,    0, "Not Standard"},
    // clang-format on
};
class DisplayFormatTest : public ::testing::TestWithParam<FormatCase> {};
TEST_P(DisplayFormatTest, NamesTheRatio) {
    EXPECT_EQ(DisplayFormat(GetParam().w, GetParam().h), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Formats, DisplayFormatTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingIntTest, ReadsTheNumberTheTextStartsWith) {
    EXPECT_EQ(LeadingInt("1280px"), 1280);
    EXPECT_EQ(LeadingInt(""), 0);
    EXPECT_EQ(LeadingInt("px1280"), 0);
    EXPECT_EQ(LeadingInt("12.9"), 12);          // truncated, not rounded
    EXPECT_EQ(LeadingInt("-3.5"), -3);          // toward zero
    EXPECT_EQ(LeadingInt("1e20"), 2147483647);  // beyond 32 bits: the nearest, never 0
}

struct ProportionCase {
    const char* name;
    const char* text;
    double inHeight;
    double inWidth;
    std::optional<std::int32_t> height;
};
const ProportionCase kHeights[] = {
    // clang-format off
    {"FollowsTheWidth",          "1280",   768, 1024, 960},   // 1280 × 768 / 1024
    {"HalfRoundsUp",             "1366",   768, 1024, 1025},  // 1024.5
    {"UnitsAfterTheNumber",      "1280px", 768, 1024, 960},
    {"ExactlyZeroWritesNothing", "0",      768, 1024, std::nullopt},
    {"EmptyWritesNothing",       "",       768, 1024, std::nullopt},
    {"LetterWritesNothing",      "x100",   768, 1024, std::nullopt},
    {"NoSkinReadNeverDivides",   "1280",     0,    0, std::nullopt},
    {"NoInputHeight",            "1280",     0, 1024, std::nullopt},
    {"NegativeWidth",            "-5",     768, 1024, std::nullopt},
    {"BeyondTheIntRange",        "1e300",  768, 1024, std::nullopt},
    // clang-format on
};
class ProportionalHeightTest : public ::testing::TestWithParam<ProportionCase> {};
TEST_P(ProportionalHeightTest, Rule) {
    const auto& c = GetParam();
    EXPECT_EQ(ProportionalHeight(c.text, c.inHeight, c.inWidth), c.height);
}
INSTANTIATE_TEST_SUITE_P(Heights, ProportionalHeightTest, ::testing::ValuesIn(kHeights),
                         [](const auto& info) { return std::string(info.param.name); });

const ProportionCase kWidths[] = {
    // clang-format off
    {"FollowsTheHeight",         "1001", 1024, 600, 587},  // 1001 / 1024 × 600 = 586.52
    {"BackToTheInputWidth",      "600",   600, 800, 800},
    {"NoInputHeightNeverDivides","600",     0, 800, std::nullopt},
    {"ZeroHeightWritesNothing",  "0",     600, 800, std::nullopt},
    // clang-format on
};
class ProportionalWidthTest : public ::testing::TestWithParam<ProportionCase> {};
TEST_P(ProportionalWidthTest, Rule) {
    const auto& c = GetParam();
    EXPECT_EQ(ProportionalWidth(c.text, c.inHeight, c.inWidth), c.height);
}
INSTANTIATE_TEST_SUITE_P(Widths, ProportionalWidthTest, ::testing::ValuesIn(kWidths),
                         [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    NameFields fields;
    const char* sized;
};
const NameCase kNames[] = {
    // clang-format off
    {"SizesAppended",        {"Skin.xml",           "1024", "768", "1280", "800"}, "Skin-1280x800.xml"},
    {"SizesInTheNameReplaced",{"Skin 1024x768.xml", "1024", "768", "1280", "800"}, "Skin 1280x800.xml"},
    {"ZeroWidthGivesDefault",{"Skin.xml",           "1024", "768", "0",    "800"}, "Skin_resized.xml"},
    {"EmptyHeightGivesDefault",{"Skin.xml",         "1024", "768", "1280", ""},    "Skin_resized.xml"},
    {"UpperCaseExtension",   {"SKIN.XML",           "1024", "768", "1280", "800"}, "SKIN-1280x800.xml"},
    // clang-format on
};
class OutputNameTest : public ::testing::TestWithParam<NameCase> {};
TEST_P(OutputNameTest, ProposesTheSizedName) {
    EXPECT_EQ(SizedOutputName(GetParam().fields), GetParam().sized);
}
INSTANTIATE_TEST_SUITE_P(Names, OutputNameTest, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveDialogTest, StartsFromTheOutputFieldOrTheStoredFolders) {
    const NameFields f{"Skin.xml", "1024", "768", "1280", "800"};
    struct Case {
        const char* name;
        const char* output;
        const char* save;
        const char* open;
        const char* folder;
        const char* suggested;
    };
    const Case cases[] = {
        // clang-format off
        {"DefaultNameFollowsTheSizes", "/out/Skin_resized.xml", "", "", "/out", "Skin-1280x800.xml"},
        {"DefaultNameInAnyCase",       "/out/SKIN_RESIZED.XML", "", "", "/out", "Skin-1280x800.xml"},
        {"OwnNameKept",                "/out/MyName.xml",       "", "", "/out", "MyName.xml"},
        // The parent folder, not the path with the first "Skin.xml" cut out ("/a/.d/Skin.xml").
        {"FolderIsTheParent",          "/a/Skin.xml.d/Skin.xml","", "", "/a/Skin.xml.d", "Skin.xml"},
        {"FileAtTheRoot",              "/Skin.xml",             "", "", "/", "Skin.xml"},
        {"EmptyFieldSaveFolderFirst",  "", "/s/", "/o", "/s/", "Skin-1280x800.xml"},
        {"EmptyFieldThenOpenFolder",   "", "/",   "/o", "/o",  "Skin-1280x800.xml"},
        {"EmptyFieldThenDesktop",      "", "",    "",   "/desk", "Skin-1280x800.xml"},
        {"TypedRelativeTextAsEmpty",   "out.xml", "/s/", "", "/s/", "Skin-1280x800.xml"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const SaveDialogStart start = PlanSaveDialog(c.output, f, c.save, c.open, "/desk");
        EXPECT_EQ(start.folder, c.folder) << c.name;
        EXPECT_EQ(start.suggestedName, c.suggested) << c.name;
    }
    EXPECT_EQ(SaveDirectoryOf("/a/Skin.xml.d/Skin.xml"), "/a/Skin.xml.d/");
    EXPECT_EQ(SaveDirectoryOf("/Skin.xml"), "/");
}

// The recap of a Smart job from 1280 × 800 to 1440 × 900, no language file, no options.
RecapFields SmartRecap() {
    RecapFields f;
    f.inputXml = "/skins/Skin.xml";
    f.inWidth = "1280";
    f.inHeight = "800";
    f.outputXml = "/out/Skin-1440x900.xml";
    f.outWidth = "1440";
    f.outHeight = "900";
    f.method = Method::Smart;
    return f;
}

TEST(RecapTest, TheSmartExampleHasEightLines) {
    EXPECT_EQ(RecapText(SmartRecap(), kEnglish, "\n"),
              "Input XML: /skins/Skin.xml\n"
              "Input Size: 1280 x 800\n"
              "---\n"
              "Output XML: /out/Skin-1440x900.xml\n"
              "Output Size: 1440 x 900\n"
              "Aspect ratio will be kept\n"
              "---\n"
              "Resizing: \"Smart Resize\"\n");
}

TEST(RecapTest, Variants) {
    struct Case {
        const char* name;
        void (*change)(RecapFields&);
        const char* tail;  // the recap from its "Output Size" line on
    };
    const Case cases[] = {
        {"OtherRatioHasNoAspectLine",
         [](RecapFields& f) {
             f.outWidth = "1920";
             f.outHeight = "1080";
         },
         "Output Size: 1920 x 1080\n---\nResizing: \"Smart Resize\"\n"},
        {"NoMethodQuotesNothing", [](RecapFields& f) { f.method = Method::None; },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\nResizing: \"\"\n"},
        {"BorderNamesItsColour",
         [](RecapFields& f) {
             f.method = Method::Border;
             f.borderColorText = "FF8000";
         },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\n"
         "Resizing: \"Add borders Color= #FF8000\"\n"},
        {"BrowserWordsReversed", [](RecapFields& f) { f.method = Method::Browser; },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\nResizing: \"Resize Browser\"\n"},
        {"OnlyBrowserTextOptions",
         [](RecapFields& f) {
             f.browser.xmlChange = true;
             f.browser.textColor = platform::RGB(0xFF, 0xFF, 0xFF);
             f.browser.selectedColor = platform::RGB(0x0A, 0x0B, 0xFF);
             f.browser.stripesColor = platform::RGB(0, 0, 0);
             f.browser.textSize = 12;
             f.browser.textFont = "Arial";
         },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\nResizing: \"Smart Resize\"\n"
         "Browser Options: \n\tText Color = #FFFFFF\n\tSelected Color = #0A0BFF\n"
         "\tStripes Color = #000000\n\tText Size: 12\n\tText Font: Arial"},
        {"BrowserColourThenTextOptions",
         [](RecapFields& f) {
             f.browser.change = true;
             f.browser.colorChange = true;
             f.browser.color = platform::RGB(0x12, 0x34, 0x56);
             f.browser.xmlChange = true;
             f.browser.textSize = 9;
             f.browser.textFont = "Tahoma";
         },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\nResizing: \"Smart Resize\"\n"
         "\nBrowser Options: \n\tUse a color = #123456\n\tText Color = #000000\n"
         "\tSelected Color = #000000\n\tStripes Color = #000000\n\tText Size: 9\n"
         "\tText Font: Tahoma"},
        {"AdaptedPictureHasNoTab",
         [](RecapFields& f) {
             f.browser.change = true;
             f.browser.pictureChange = true;
             f.browser.adaptPicture = true;
             f.browser.picture = "/p/back.png";
         },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\nResizing: \"Smart Resize\"\n"
         "\nBrowser Options: \nAdapt Picture: /p/back.png"},
        {"PreResizedPictureLast",
         [](RecapFields& f) {
             f.useResizedPicture = true;
             f.externPictureFile = "/p/big.png";
         },
         "Output Size: 1440 x 900\nAspect ratio will be kept\n---\nResizing: \"Smart Resize\"\n"
         "\nUsing pre-resized picture:\n/p/big.png"},
    };
    for (const auto& c : cases) {
        RecapFields f = SmartRecap();
        c.change(f);
        const std::string recap = RecapText(f, kEnglish, "\n");
        const auto at = recap.find("Output Size:");
        ASSERT_NE(at, std::string::npos) << c.name;
        EXPECT_EQ(recap.substr(at), c.tail) << c.name;
    }
}

TEST(RecapTest, TranslatesItsKeysButNotItsFixedWords) {
    const Translate german = [](std::string_view key) { return "<" + std::string(key) + ">"; };
    RecapFields f = SmartRecap();
    f.method = Method::Browser;
    EXPECT_EQ(RecapText(f, german, "\n"),
              "<Input XML>: /skins/Skin.xml\n<Input Size>: 1280 x 800\n---\n"
              "<Output XML>: /out/Skin-1440x900.xml\n<Output Size>: 1440 x 900\n"
              "Aspect ratio will be kept\n---\n<Resizing>: \"<Resize> Browser\"\n");
    EXPECT_EQ(MethodText(Method::Smart, "", german), "Smart Resize");
}

TEST(RecapTest, AspectTest) {
    EXPECT_TRUE(AspectKept("1280", "800", "1440", "900"));
    EXPECT_FALSE(AspectKept("1366", "768", "1920", "1080"));
    EXPECT_FALSE(AspectKept("0", "800", "1440", "900"));  // never divides by zero
    EXPECT_FALSE(AspectKept("", "800", "1440", "900"));
    EXPECT_FALSE(AspectKept("0", "0", "0", "0"));  // 0 / 0 is no ratio
}

TEST(ControlCentreTest, WindowOriginPlusHalfTheControl) {
    // Height_Output_EditField at (228, 285), 65 × 31, window content at (100, 50):
    // x = 100 + 228 + 32, y = 50 + 285 + 15.
    const Point p = ControlCentre(100, 50, 228, 285, 65, 31);
    EXPECT_EQ(p.x, 360);
    EXPECT_EQ(p.y, 350);
}

TEST(SkinPreviewTest, AsLargeAsFitsCentredAtTheTop) {
    // 179 × 116 canvas, 1280 × 800 skin: s = min(0.1398, 0.145) = 179 / 1280; 800 s = 111.875;
    // the skin fills the width at x 0.
    EXPECT_EQ(SkinPreviewRect(179, 116, 1280, 800), (Rect{0, 0, 179, 111}));
    // 1024 × 1280: s = 116 / 1280 = 0.090625; 1024 s = 92.8; trunc(179 − 92.8) = 86, 86 / 2.
    EXPECT_EQ(SkinPreviewRect(179, 116, 1024, 1280), (Rect{43, 0, 92, 116}));
    EXPECT_EQ(SkinPreviewRect(179, 116, 0, 800), std::nullopt);
    EXPECT_EQ(SkinPreviewRect(179, 116, 1280, 0), std::nullopt);
}

using After = ResizePreviewPlan::After;

TEST(ResizePreviewTest, BrowserModeRepeatsABand) {
    // 1280 × 800 to 1280 × 1024, mode 2: s = min(213 / 1280, (253 / 2 − 10) / 1024)
    // = 116.5 / 1024 = 0.11376953125.
    const auto plan = PlanResizePreview(213, 253, 1280, 800, 1280, 1024, 2);
    ASSERT_TRUE(plan);
    EXPECT_DOUBLE_EQ(plan->scale, 0.11376953125);
    // 1280 s = 145.625, 800 s = 91.02; trunc(213 − 145.625) = 67, 67 div 2 = 33.
    EXPECT_EQ(plan->before, (Rect{33, 0, 145, 91}));
    ASSERT_EQ(plan->after, After::Band);
    EXPECT_EQ(plan->sketchWidth, 145);
    EXPECT_EQ(plan->sketchHeight, 116);  // 1024 s = 116.5
    EXPECT_EQ(plan->skinInSketch, (Rect{0, 0, 145, 91}));
    EXPECT_EQ(plan->sketchAt.x, 34);     // (213 − 145) div 2
    EXPECT_EQ(plan->sketchAt.y, 137);    // 253 − 116
    EXPECT_EQ(plan->bandSourceRow, 76);  // b − 15, b = 91
    EXPECT_EQ(plan->bandRows, (std::vector<int>{86, 91, 96, 101, 106, 111, 116}));
}

TEST(ResizePreviewTest, SimpleModeStretchesTheSkin) {
    const auto plan = PlanResizePreview(213, 253, 1280, 800, 1280, 1024, 0);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->after, After::Stretch);
    EXPECT_EQ(plan->stretch, (Rect{34, 137, 145, 116}));
}

TEST(ResizePreviewTest, NoOutputSizeShowsTheHint) {
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{1280, 0}, std::pair{0, 800}}) {
        const auto plan = PlanResizePreview(213, 253, 1280, 800, w, h, 2);
        ASSERT_TRUE(plan);
        // The input's scale: min(213 / 1280, 116.5 / 800) = 0.145625.
        EXPECT_DOUBLE_EQ(plan->scale, 0.145625);
        EXPECT_EQ(plan->after, After::Message);
        EXPECT_EQ(plan->messageBaseline, 189);  // trunc(759 / 4)
    }
}

TEST(ResizePreviewTest, SmallerButTallerOutputOverlapsTheBeforeSketch) {
    // 1280 × 800 to 800 × 1000, mode 0: the area is smaller, so s = 116.5 / 800 = 0.145625.
    const auto plan = PlanResizePreview(213, 253, 1280, 800, 800, 1000, 0);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->before, (Rect{13, 0, 186, 116}));     // 186.4 × 116.5; trunc(26.6) div 2
    EXPECT_EQ(plan->stretch, (Rect{48, 108, 116, 145}));  // 116.5 × 145.6; 253 − 145
}

TEST(ResizePreviewTest, BorderModeCentresTheSkinOnTheSketch) {
    // 1280 × 800 to 1024 × 768 (smaller): s = 0.145625; A = trunc(149.12) × trunc(111.84);
    // the skin (186.4 × 116.5) at trunc(149 − 186.4) div 2 = −37 div 2 = −18 and
    // trunc(111 − 116.5) div 2 = −5 div 2 = −2.
    const auto plan = PlanResizePreview(213, 253, 1280, 800, 1024, 768, 1);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->after, After::Border);
    EXPECT_EQ(plan->sketchWidth, 149);
    EXPECT_EQ(plan->sketchHeight, 111);
    EXPECT_EQ(plan->skinInSketch, (Rect{-18, -2, 186, 116}));
    EXPECT_EQ(plan->sketchAt.x, 32);
    EXPECT_EQ(plan->sketchAt.y, 142);
}

TEST(ResizePreviewTest, SmartModeScalesToTheWidthThenBands) {
    // 1280 × 800 to 1920 × 1440: s = min(213 / 1920, 116.5 / 1440) = 0.0809027…;
    // A = trunc(155.33) × trunc(116.5); b = trunc(155.33 × 800 / 1280) = trunc(97.08).
    const auto plan = PlanResizePreview(213, 253, 1280, 800, 1920, 1440, 3);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->after, After::Band);
    EXPECT_EQ(plan->sketchWidth, 155);
    EXPECT_EQ(plan->sketchHeight, 116);
    EXPECT_EQ(plan->skinInSketch, (Rect{0, 0, 155, 97}));
    EXPECT_EQ(plan->bandSourceRow, 87);  // b − 10
    EXPECT_EQ(plan->bandRows, (std::vector<int>{92, 97, 102, 107, 112}));
    EXPECT_EQ(plan->sketchAt.x, 29);
    EXPECT_EQ(plan->sketchAt.y, 137);

    // Same width: the Browser sketch.
    const auto same = PlanResizePreview(213, 253, 1280, 800, 1280, 1024, 3);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->bandSourceRow, 76);
    // The input's proportions: the skin fills the sketch, no band (b 116 = A's height).
    const auto kept = PlanResizePreview(213, 253, 1280, 800, 1440, 900, 3);
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->bandRows.empty());
}

TEST(ResizePreviewTest, NothingDividesByZeroOrFails) {
    EXPECT_EQ(PlanResizePreview(213, 253, 0, 800, 1280, 1024, 2), std::nullopt);
    EXPECT_EQ(PlanResizePreview(213, 253, 1280, 0, 1280, 1024, 2), std::nullopt);
    EXPECT_EQ(PlanResizePreview(213, 10, 1280, 800, 1280, 1024, 2), std::nullopt);  // no room
    // A skin drawn 0 rows high: the band starts at the sketch's top row.
    // 100 × 10 to 100 × 2000: s = 116.5 / 2000; A 5 × 116; b = trunc(0.58) = 0.
    const auto tiny = PlanResizePreview(213, 253, 100, 10, 100, 2000, 2);
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->bandSourceRow, 0);
    EXPECT_EQ(tiny->bandRows.front(), -5);
    // An output a pixel high draws no after sketch.
    const auto flat = PlanResizePreview(213, 253, 1280, 800, 100000, 1, 1);
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->after, After::None);
    // Other mode values draw no after sketch.
    EXPECT_EQ(PlanResizePreview(213, 253, 1280, 800, 1280, 1024, 7)->after, After::None);
}

TEST(CaptionsTest, FifteenRowsAndTheEnglishRule) {
    ASSERT_EQ(TranslatedCaptions().size(), 15u);
    EXPECT_STREQ(TranslatedCaptions()[5].key, "Resize");
    EXPECT_STREQ(TranslatedCaptions()[5].suffix, " Browser");
    EXPECT_FALSE(SetsCaptions("English", false));
    EXPECT_FALSE(SetsCaptions("english", false));
    EXPECT_TRUE(SetsCaptions("English", true));
    EXPECT_TRUE(SetsCaptions("Deutsch", false));
    EXPECT_EQ(StepCaptions(kEnglish),
              (std::vector<std::string>{"Files", "Resizing", "Options", "Generating"}));
}

}  // namespace
}  // namespace mainwindow
