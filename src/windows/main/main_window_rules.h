#pragma once

#include "platform/color.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The main window's rules as plain functions: what the window shows and proposes, worked out
/// from the texts of its fields and the job state, with no widget involved. The window calls
/// these and only moves the results into its controls.
namespace mainwindow {

/// Translates an English user-interface text (Language::Lng in the window).
using Translate = std::function<std::string(std::string_view)>;

/// The leading number of a field's text (0 when it starts with none), truncated toward zero
/// to 32 bits; a number beyond the 32-bit range reads as the nearest 32-bit number, never as
/// another size (a job refuses it on the number as typed).
std::int32_t LeadingInt(std::string_view text) noexcept;

/// The name of the input skin's aspect ratio: "4/3", "16/10", "16/9", "5/3", or "Not
/// Standard", from Round(width / height × 1000). A height of 0 has no ratio: "Not Standard".
std::string DisplayFormat(std::int32_t inWidth, std::int32_t inHeight);

/// The proportional output height for an output width text and an input size: nothing when
/// the width text is exactly "0", when the input width is 0 (no skin read), or when the
/// rounded result is not positive or beyond 2^62. A height beyond 32 bits is still given, so
/// that the field follows a width the job will refuse as too large.
std::optional<std::int64_t> ProportionalHeight(std::string_view widthText, double inHeight,
                                               double inWidth);
/// The proportional output width for an output height text: nothing when the input height is
/// 0 or the rounded result is not positive or beyond 2^62.
std::optional<std::int64_t> ProportionalWidth(std::string_view heightText, double inHeight,
                                              double inWidth);

/// The texts that the output file name is proposed from: the input skin's file name, the
/// input size fields and the output size fields, as they stand.
struct NameFields {
    std::string inputName;
    std::string inWidth;
    std::string inHeight;
    std::string outWidth;
    std::string outHeight;
};

/// The input name with its first ".xml" (any case) turned into "_resized.xml".
std::string DefaultOutputName(std::string_view inputName);
/// The input name with its input sizes replaced by the output sizes ("Skin 1024x768.xml" to
/// "Skin 1280x800.xml"), or with "-WxH" before ".xml" when it holds neither; the default name
/// when either output size reads 0.
std::string SizedOutputName(const NameFields& fields);

/// Where the save dialog starts and what it proposes.
struct SaveDialogStart {
    std::string folder;
    std::string suggestedName;
};
/// For the output field's text (an absolute path or empty) and the stored folders: a path in
/// the field starts in that file's parent folder and proposes its name, or the sized name when
/// its name is still the default one; an empty field proposes the sized name in the last save
/// folder, else the last open folder, else `desktop` (a stored folder under 2 characters
/// counts as none).
SaveDialogStart PlanSaveDialog(std::string_view outputPath, const NameFields& fields,
                               std::string_view saveDirectory, std::string_view openDirectory,
                               std::string_view desktop);
/// The folder remembered after a chosen output file: its parent folder, ending with "/".
std::string SaveDirectoryOf(std::string_view chosenPath);

/// The method boxes, in the order that decides the recap's method text.
enum class Method { None, Simple, Border, Browser, Smart };

/// The browser restyle options that the recap lists.
struct BrowserRecap {
    bool change = false;
    bool colorChange = false;
    bool pictureChange = false;
    bool adaptPicture = false;
    bool tilePicture = false;
    platform::Color color;
    std::string picture;
    bool xmlChange = false;
    platform::Color textColor;
    platform::Color selectedColor;
    platform::Color stripesColor;
    std::int32_t textSize = 0;
    std::string textFont;
};

/// Everything the recap quotes, as the window's fields hold it.
struct RecapFields {
    std::string inputXml;
    std::string inWidth;
    std::string inHeight;
    std::string outputXml;
    std::string outWidth;
    std::string outHeight;
    Method method = Method::None;
    std::string borderColorText;
    BrowserRecap browser;
    bool useResizedPicture = false;
    std::string externPictureFile;
};

/// True when input height × (output width ÷ input width) equals the output height exactly,
/// each step in double precision; an input width of 0 never keeps the aspect.
bool AspectKept(std::string_view inWidth, std::string_view inHeight, std::string_view outWidth,
                std::string_view outHeight) noexcept;
/// The quoted method of the recap's "Resizing" line.
std::string MethodText(Method method, std::string_view borderColorText, const Translate& lng);
/// The recap shown on the last page, its lines joined and ended by `rc`.
std::string RecapText(const RecapFields& fields, const Translate& lng, std::string_view rc);

/// The screen point at a control's centre: the window's content origin plus the control's
/// position plus half its size (truncated).
struct Point {
    int x = 0;
    int y = 0;
};
Point ControlCentre(int windowLeft, int windowTop, int left, int top, int width,
                    int height) noexcept;

/// A rectangle in pixels.
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const Rect&) const = default;
};

/// Where the input preview draws the skin on a W × H canvas: as large as fits, centred across,
/// at the top. Nothing when the skin or the canvas has no size.
std::optional<Rect> SkinPreviewRect(int canvasWidth, int canvasHeight, std::int32_t inWidth,
                                    std::int32_t inHeight);

/// How the before-and-after preview draws one paint.
struct ResizePreviewPlan {
    enum class After { None, Message, Stretch, Border, Band };
    double scale = 0;
    /// The skin scaled, at the top.
    Rect before;
    After after = After::None;
    /// Message: the text's first baseline.
    int messageBaseline = 0;
    /// Stretch: the whole skin stretched to the output's proportions, on the canvas.
    Rect stretch;
    /// Border and Band: the sketch picture's size, where the skin goes inside it, and where
    /// the sketch goes on the canvas.
    int sketchWidth = 0;
    int sketchHeight = 0;
    Rect skinInSketch;
    Point sketchAt;
    /// Band: the first of the 5 rows of the sketch that are repeated, and the rows they are
    /// copied to.
    int bandSourceRow = 0;
    std::vector<int> bandRows;
};
/// The preview's text when no output size is set.
inline constexpr std::string_view kPreviewHint =
    "Please select an output width and height to display the Preview.";
/// The plan of the before-and-after preview for a W × H canvas, the input and output sizes and
/// the preview mode (0 Simple, 1 Border, 2 Browser, 3 Smart). Nothing when the skin has no
/// size or no scale fits, so that a preview never divides by zero; the after sketch is None
/// when it would have no pixels or is too large to build.
std::optional<ResizePreviewPlan> PlanResizePreview(int canvasWidth, int canvasHeight,
                                                   std::int32_t inWidth, std::int32_t inHeight,
                                                   std::int32_t outWidth, std::int32_t outHeight,
                                                   std::int32_t mode);

/// One translated caption: the control, the key it is looked up with, and a text appended
/// untranslated.
struct CaptionRow {
    const char* control;
    const char* key;
    const char* suffix;
};
/// The fifteen translated captions, in the order they are set.
const std::vector<CaptionRow>& TranslatedCaptions();
/// Whether the captions are set: always when forced, else unless the language is "English"
/// (any case).
bool SetsCaptions(std::string_view lang, bool force) noexcept;

/// The step captions of the step bar, translated, in page order.
std::vector<std::string> StepCaptions(const Translate& lng);

}  // namespace mainwindow
