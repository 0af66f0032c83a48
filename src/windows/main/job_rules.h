#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The rules of "Do the Job" and of the job that it starts, free of the window so that they
/// can be tried case by case.
namespace mainwindow {

/// The control a refused job points the bubble at.
enum class Culprit {
    InputButton,
    OutputButton,
    OutputField,
    WidthField,
    HeightField,
    PagePanel,
};

/// Why a job was refused: the wizard page to show, the message number, the control of the
/// bubble and the (unused) bubble position; a refused "Browser" job also proposes an output
/// height.
struct Refusal {
    std::int32_t page = 0;
    std::int32_t message = 0;
    Culprit control = Culprit::InputButton;
    std::int32_t position = 0;
    std::optional<std::int32_t> proposedHeight;

    bool operator==(const Refusal&) const = default;
};

/// The texts of the files page that the first checks read.
struct JobFields {
    std::string inputXml;
    std::string outputXml;
    std::string widthOutput;
    std::string heightOutput;
};

/// The smallest output a job makes.
constexpr double kMinJobWidth = 640;
constexpr double kMinJobHeight = 480;

/// The first of the checks on the paths and output sizes that fails: no input, no output, the
/// same file in another case, a width under 640 or a height under 480 (the leading number of
/// the text with its fraction, so 639.5 is refused and 640.9 passes).
std::optional<Refusal> CheckPathsAndSizes(const JobFields& fields);

/// The ticked method boxes and what the "Browser" and "Border" rules read.
struct MethodInput {
    bool simple = false;
    bool smart = false;
    bool browser = false;
    bool border = false;
    std::int32_t inWidth = 0;
    std::int32_t inHeight = 0;
    std::int32_t outWidth = 0;
    std::int32_t outHeight = 0;
    /// The heights of the input skin's browsers, in order.
    std::vector<std::int32_t> browserHeights;
};

/// The method a job runs, or why it is refused; `warnSmallBrowser` asks for the notice that
/// some (not all) browsers get lower than 245 pixels.
struct MethodChoice {
    std::string method;
    std::optional<Refusal> refusal;
    bool warnSmallBrowser = false;
};

/// The lowest a browser may become in the "Browser" method.
constexpr std::int64_t kMinBrowserHeight = 245;

/// Resolves the method from the boxes in the order Simple, Smart, Browser, Border (a later
/// ticked box wins; a refusal ends the choice): "Browser" keeps the width and needs a browser
/// left at least 245 pixels high, proposing the lowest output height that keeps one;
/// "Border" cannot make the skin smaller; no box at all is refused on the "Resizing" page.
MethodChoice ChooseMethod(const MethodInput& input);

/// True when the input and output proportions, width / height × 100 rounded, differ.
bool AspectsDiffer(std::int32_t inWidth, std::int32_t inHeight, std::int32_t outWidth,
                   std::int32_t outHeight);

/// The header of the job log, one record per element (each written after a line terminator):
/// the blank line and "----New Job----" with the date and time, then the input name, the
/// sizes, the method, the Mac option and "--".
std::vector<std::string> JobLogHeader(std::string_view rc, std::string_view date,
                                      std::string_view time, std::string_view inputName,
                                      std::int32_t inWidth, std::int32_t inHeight,
                                      std::int32_t outWidth, std::int32_t outHeight,
                                      std::string_view method, bool macEnhance);

/// The duration record: "Finished in " seconds (ticks / 60) " seconds".
std::string DurationRecord(std::int64_t ticks);

}  // namespace mainwindow
