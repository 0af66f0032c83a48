#include "windows/main/main_window_rules.h"

#include "engine/xml/browser_text.h"
#include "platform/checked.h"
#include "platform/picture.h"
#include "platform/text.h"

#include <algorithm>
#include <cmath>

namespace mainwindow {
namespace {

// trunc(x) of the previews: the fraction dropped; values outside the 32-bit range (a huge
// output size against a tiny skin) clamp instead of reaching undefined behaviour.
int Trunc(double x) noexcept {
    if (!std::isfinite(x))
        return 0;
    if (x >= 2147483647.0)
        return 2147483647;
    if (x <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(x);
}

// A size field shows any whole number a size can be typed as; the checks of a job refuse one
// beyond 32 bits. Beyond 2^62 no field text is meant.
std::optional<std::int64_t> PositiveSize(double rounded) noexcept {
    if (!(rounded > 0) || !(rounded < 4611686018427387904.0))
        return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

// The folder part of an absolute path ("/" for a file at the root), and the name after it.
std::string ParentOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string NameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool IsFolderText(std::string_view folder) noexcept {
    return folder.size() >= 2;
}

}  // namespace

std::int32_t LeadingInt(std::string_view text) noexcept {
    const double value = platform::Val(text);
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<std::int32_t>(value);
}

std::string DisplayFormat(std::int32_t inWidth, std::int32_t inHeight) {
    if (inHeight == 0)
        return "Not Standard";
    const double code =
        platform::Round(static_cast<double>(inWidth) / static_cast<double>(inHeight) * 1000.0);
    if (code == 1333)
        return "4/3";
    if (code == 1600)
        return "16/10";
    if (code == 1778)
        return "16/9";
    if (code == 1667)
        return "5/3";
    return "Not Standard";
}

std::optional<std::int64_t> ProportionalHeight(std::string_view widthText, double inHeight,
                                               double inWidth) {
    if (widthText == "0" || inWidth == 0)
        return std::nullopt;
    return PositiveSize(platform::Round(platform::Val(widthText) * inHeight / inWidth));
}

std::optional<std::int64_t> ProportionalWidth(std::string_view heightText, double inHeight,
                                              double inWidth) {
    if (inHeight == 0)
        return std::nullopt;
    return PositiveSize(platform::Round(platform::Val(heightText) / inHeight * inWidth));
}

std::string DefaultOutputName(std::string_view inputName) {
    return platform::Replace(inputName, ".xml", "_resized.xml");
}

std::string SizedOutputName(const NameFields& f) {
    if (platform::Val(f.outWidth) == 0 || platform::Val(f.outHeight) == 0)
        return DefaultOutputName(f.inputName);
    std::string sized = platform::Replace(f.inputName, f.inWidth, f.outWidth);
    sized = platform::Replace(sized, f.inHeight, f.outHeight);
    if (platform::TextEquals(sized, f.inputName))
        sized =
            platform::Replace(f.inputName, ".xml", "-" + f.outWidth + "x" + f.outHeight + ".xml");
    return sized;
}

SaveDialogStart PlanSaveDialog(std::string_view outputPath, const NameFields& fields,
                               std::string_view saveDirectory, std::string_view openDirectory,
                               std::string_view desktop) {
    // A typed text that is no absolute path names no file to start from: it is treated as an
    // empty field.
    if (!outputPath.empty() && outputPath.front() == '/') {
        // The folder is the file's parent, not the path with the first occurrence of its name
        // removed, which is wrong when a folder's name contains the file's name.
        SaveDialogStart start{ParentOf(outputPath), NameOf(outputPath)};
        if (platform::TextEquals(start.suggestedName, DefaultOutputName(fields.inputName)))
            start.suggestedName = SizedOutputName(fields);
        return start;
    }
    SaveDialogStart start;
    start.suggestedName = SizedOutputName(fields);
    if (IsFolderText(saveDirectory))
        start.folder = saveDirectory;
    else if (IsFolderText(openDirectory))
        start.folder = openDirectory;
    else
        start.folder = desktop;
    return start;
}

std::string SaveDirectoryOf(std::string_view chosenPath) {
    std::string folder = ParentOf(chosenPath);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool AspectKept(std::string_view inWidth, std::string_view inHeight, std::string_view outWidth,
                std::string_view outHeight) noexcept {
    const double wi = platform::Val(inWidth);
    if (wi == 0)
        return false;
    return platform::Val(inHeight) * (platform::Val(outWidth) / wi) == platform::Val(outHeight);
}

std::string MethodText(Method method, std::string_view borderColorText, const Translate& lng) {
    switch (method) {
        case Method::Simple:
            return lng("Simple Resize");
        case Method::Border:
            return lng("Add borders") + " " + lng("Color") + "= #" + std::string(borderColorText);
        case Method::Browser:
            return lng("Resize") + " Browser";
        case Method::Smart:
            return "Smart Resize";
        case Method::None:
            break;
    }
    return {};
}

namespace {

std::string BrowserBlock(const BrowserRecap& b, const Translate& lng, const std::string& rc) {
    std::string block;
    if (b.change) {
        block = rc + lng("Browser Options") + ": " + rc;
        if (b.colorChange) {
            block += "\tUse a color = #" + Variables::StrColor(b.color);
        } else if (b.pictureChange) {
            if (b.adaptPicture)
                block += "Adapt Picture: ";
            else if (b.tilePicture)
                block += "Tile Picture: ";
            else
                block += "Use a Picture : ";
            block += b.picture;
        }
    }
    if (b.xmlChange) {
        if (block.empty())
            block = lng("Browser Options") + ": ";
        block += rc + "\tText Color = #" + Variables::StrColor(b.textColor);
        block += rc + "\tSelected Color = #" + Variables::StrColor(b.selectedColor);
        block += rc + "\tStripes Color = #" + Variables::StrColor(b.stripesColor);
        block += rc + "\tText Size: " + std::to_string(b.textSize);
        block += rc + "\tText Font: " + b.textFont;
    }
    return block;
}

}  // namespace

std::string RecapText(const RecapFields& f, const Translate& lng, std::string_view rcView) {
    const std::string rc(rcView);
    std::string recap;
    recap += lng("Input XML") + ": " + f.inputXml + rc;
    recap += lng("Input Size") + ": " + f.inWidth + " x " + f.inHeight + rc;
    recap += "---" + rc;
    recap += lng("Output XML") + ": " + f.outputXml + rc;
    recap += lng("Output Size") + ": " + f.outWidth + " x " + f.outHeight + rc;
    if (AspectKept(f.inWidth, f.inHeight, f.outWidth, f.outHeight))
        recap += "Aspect ratio will be kept" + rc;
    recap += "---" + rc;
    recap += lng("Resizing") + ": \"" + MethodText(f.method, f.borderColorText, lng) + "\"" + rc;
    recap += BrowserBlock(f.browser, lng, rc);
    if (f.useResizedPicture)
        recap += rc + "Using pre-resized picture:" + rc + f.externPictureFile;
    return recap;
}

Point ControlCentre(int windowLeft, int windowTop, int left, int top, int width,
                    int height) noexcept {
    return {windowLeft + left + width / 2, windowTop + top + height / 2};
}

std::optional<Rect> SkinPreviewRect(int canvasWidth, int canvasHeight, std::int32_t inWidth,
                                    std::int32_t inHeight) {
    if (inWidth <= 0 || inHeight <= 0 || canvasWidth <= 0 || canvasHeight <= 0)
        return std::nullopt;
    const double s = std::min(static_cast<double>(canvasWidth) / inWidth,
                              static_cast<double>(canvasHeight) / inHeight);
    return Rect{Trunc(canvasWidth - s * inWidth) / 2, 0, Trunc(s * inWidth), Trunc(s * inHeight)};
}

std::optional<ResizePreviewPlan> PlanResizePreview(int canvasWidth, int canvasHeight,
                                                   std::int32_t inWidth, std::int32_t inHeight,
                                                   std::int32_t outWidth, std::int32_t outHeight,
                                                   std::int32_t mode) {
    if (inWidth <= 0 || inHeight <= 0)
        return std::nullopt;
    const double W = canvasWidth;
    const double H = canvasHeight;
    const double room = H / 2 - 10;
    const bool noOutput = outWidth < 1 || outHeight < 1;
    const std::int64_t outArea = std::int64_t{outWidth} * outHeight;
    const std::int64_t inArea = std::int64_t{inWidth} * inHeight;
    double s = 0;
    // Without an output size the scale follows the input, as for a smaller output.
    if (noOutput || outArea < inArea)
        s = std::min(W / inWidth, room / inHeight);
    else if (mode == 2)
        s = std::min(W / inWidth, room / outHeight);
    else
        s = std::min(W / outWidth, room / outHeight);
    if (!(s > 0) || !std::isfinite(s))
        return std::nullopt;

    ResizePreviewPlan plan;
    plan.scale = s;
    plan.before = {Trunc(W - s * inWidth) / 2, 0, Trunc(s * inWidth), Trunc(s * inHeight)};
    if (noOutput) {
        plan.after = ResizePreviewPlan::After::Message;
        plan.messageBaseline = Trunc(static_cast<double>(canvasHeight * 3) / 4);
        return plan;
    }

    if (mode == 0) {
        const int w = Trunc(s * outWidth);
        const int h = Trunc(s * outHeight);
        if (w >= 1 && h >= 1) {
            plan.after = ResizePreviewPlan::After::Stretch;
            plan.stretch = {(canvasWidth - w) / 2, canvasHeight - h, w, h};
        }
        return plan;
    }

    int bandFrom = 0;
    int b = 0;
    if (mode == 1) {
        plan.after = ResizePreviewPlan::After::Border;
        plan.sketchWidth = Trunc(s * outWidth);
        plan.sketchHeight = Trunc(s * outHeight);
        plan.skinInSketch = {Trunc(plan.sketchWidth - s * inWidth) / 2,
                             Trunc(plan.sketchHeight - s * inHeight) / 2, Trunc(s * inWidth),
                             Trunc(s * inHeight)};
    } else if (mode == 2 || (mode == 3 && inWidth == outWidth)) {
        plan.after = ResizePreviewPlan::After::Band;
        plan.sketchWidth = Trunc(s * inWidth);
        plan.sketchHeight = Trunc(s * outHeight);
        plan.skinInSketch = {Trunc(plan.sketchWidth - s * inWidth) / 2, 0, Trunc(s * inWidth),
                             Trunc(s * inHeight)};
        b = Trunc(s * inHeight);
        bandFrom = 15;
    } else if (mode == 3) {
        plan.after = ResizePreviewPlan::After::Band;
        plan.sketchWidth = Trunc(s * outWidth);
        plan.sketchHeight = Trunc(s * outHeight);
        b = Trunc((s * outWidth) * inHeight / inWidth);
        plan.skinInSketch = {Trunc(plan.sketchWidth - s * outWidth) / 2, 0, Trunc(s * outWidth), b};
        bandFrom = 10;
        if (b >= plan.sketchHeight)
            bandFrom = 0;  // the skin fills the sketch: no band
    } else {
        return plan;
    }

    // A sketch without pixels, or one larger than a picture may be, is not drawn.
    if (plan.sketchWidth < 1 || plan.sketchHeight < 1 ||
        plan.sketchWidth > platform::kMaxPictureSide ||
        plan.sketchHeight > platform::kMaxPictureSide) {
        plan.after = ResizePreviewPlan::After::None;
        return plan;
    }
    plan.sketchAt = {(canvasWidth - plan.sketchWidth) / 2, canvasHeight - plan.sketchHeight};
    if (bandFrom > 0) {
        // A skin drawn lower than the band's offset would take rows above the sketch: the band
        // then starts at its top row.
        plan.bandSourceRow = std::max(0, b - bandFrom);
        for (std::int64_t y = std::int64_t{b} - 5; y <= plan.sketchHeight; y += 5)
            plan.bandRows.push_back(static_cast<int>(y));
    }
    return plan;
}

const std::vector<CaptionRow>& TranslatedCaptions() {
    static const std::vector<CaptionRow> rows = {
        {"StaticText1", "Input Size", ""},
        {"StaticText5", "Display Format:", ""},
        {"lbl_OutputXML", "Output XML", ""},
        {"StaticText3", "Output Size", ""},
        {"Resize_Skin_CheckBox", "Simple Resize", ""},
        {"Browser_Resize_CheckBox", "Resize", " Browser"},
        {"Border_Checkbox", "Add borders", ""},
        {"Outdoor_Checkbox", "Outdoor Compliant", ""},
        {"Browser_Options_CheckBox", "Browser Options", ""},
        {"Options_CheckBox", "More Options", ""},
        {"Options_PushButton", "Options", ""},
        {"Preview_button", "Preview Skin", ""},
        {"UseResizedPicture_CheckBox", "Use Pre-resized picture", ""},
        {"SmartResize_CheckBox", "Smart Resize", ""},
        {"ScaleCheckbox", "Keep Skin in scale", ""},
    };
    return rows;
}

bool SetsCaptions(std::string_view lang, bool force) noexcept {
    return force || !platform::TextEquals(lang, "English");
}

std::vector<std::string> StepCaptions(const Translate& lng) {
    return {lng("Files"), lng("Resizing"), lng("Options"), lng("Generating")};
}

}  // namespace mainwindow
