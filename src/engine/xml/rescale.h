#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// The rescaling job of the "Simple" method (also the first step of "Smart"): it rewrites the
/// skin lines for the axis ratios, collects the geometry lists of the bitmap side, applies the
/// XML options and, for "Simple", writes the output skin.
namespace Variables {

/// True until a run of XML_Job fails; every run sets it again at its start. The icon strip
/// placement reads it so that a skin whose rescaling failed is never written a second time.
inline bool Rescale_Ok = true;

/// Runs the rescaling job on `Variables::Str_Line` for the current sizes, method and options.
/// Never throws a RuntimeException: a failing step is logged, shown in one message box and
/// turns `Variables::Job_Ok` false, and the steps after it are left out. A skin whose input
/// width or height is not positive is refused with its own message.
void XML_Job();

/// Moves the icon and button grid elements to the icon strip of a shrinking job (`height` is
/// the full height of the composed bitmap, in pixels) and writes the output skin again. Does
/// nothing but mark the job failed when this job's rescaling failed.
/// Throws what the skin writer throws, and RuntimeException when a new y leaves the 32-bit
/// range.
void XML_Job2(std::int32_t height);

/// Restores the defaults of the values declared here (tests only).
void ResetRescaleState();

}  // namespace Variables

/// The passes of the rescaling job, open to tests. Each walks a line array from the first line
/// to the last, yields once per line and records the line it works on in the run, so that a
/// failure can name it. A pass that throws leaves the lines before the failing one rewritten and
/// the rest untouched; `XML_Job` reports the failure with the recorded line.
namespace rescale {

/// The values that live for one run of the rescaling job.
struct JobRun {
    float xProp = 1.0F;
    float yProp = 1.0F;
    bool smart = false;
    /// Output width minus input width.
    std::int32_t widthDiff = 0;
    /// The line the running step is on (0-based) and its text, for the failure report.
    std::int32_t lineIndex = 0;
    std::string lineText;
    /// The size read last by the mask and custom-visual collections of this run.
    std::int32_t currentWidth = 0;
    std::int32_t currentHeight = 0;

    void At(std::size_t index, const std::string& text) {
        lineIndex = static_cast<std::int32_t>(index);
        lineText = text;
    }
};

/// True when `line` holds `text`, ASCII case ignored.
bool Contains(std::string_view line, std::string_view text) noexcept;

/// The text between the first `key` directly followed by a double quote and the next double
/// quote (to the end of the line when none follows); empty when the key has no quote after it.
std::string QuotedValue(const std::string& line, std::string_view key);

/// `value` times `ratio` (the single-precision ratio widened to double), rounded half away from
/// zero. Throws RuntimeException when the result leaves the 32-bit range.
std::int32_t ScaleRounded(std::int32_t value, float ratio);
/// The same product truncated toward zero. Throws as ScaleRounded.
std::int32_t ScaleTruncated(std::int32_t value, double ratio);

/// Rewrites the first `key` value of `line` (ASCII case ignored). The character after the key
/// is taken as the opening quote; with `signStep` a leading "+" or "-" of the value stays in
/// front of the new value and is not part of what is evaluated. The closing quote is the first
/// double quote from the value's second character on; `evaluateToEnd` hands the evaluator the
/// rest of the line instead of the value alone. Returns false, line unchanged, when the key or
/// the closing quote is missing. Throws what `Maths::MathsVal` and `newValue` throw.
bool RewriteAttribute(std::string& line, std::string_view key, bool signStep, bool evaluateToEnd,
                      const std::function<std::int32_t(std::int32_t)>& newValue);

// Every pass below throws RuntimeException when a value has no 32-bit result (an expression
// without a value, a product or sum outside the range), and platform::ThreadEndException from
// its yield when the job is killed.

/// The x positions. Throws as the passes do.
void XPass(std::vector<std::string>& lines, JobRun& run);
/// The y positions. Throws as the passes do.
void YPass(std::vector<std::string>& lines, JobRun& run);
/// Width, mainwidth and height, with the "fixed=" and "resizew=" rules of a "Smart" run.
/// Throws as the passes do.
void SizePass(std::vector<std::string>& lines, JobRun& run);
/// Runs unless `noFontChange`, or when only the height grows. Throws as the passes do.
void FontPass(std::vector<std::string>& lines, JobRun& run, bool noFontChange);
/// Throws as the passes do.
void MacFontPass(std::vector<std::string>& lines, JobRun& run);
/// `storedLogo` is the analysis's "height*x*y" text; with `keepLogo` its height comes back.
/// Throws as the passes do.
void LogoPass(std::vector<std::string>& lines, JobRun& run, bool keepLogo,
              const std::string& storedLogo);
/// The x values (`xValues` true) or y values of "<icon>" lines, up to three of each. Throws as
/// the passes do.
void IconPass(std::vector<std::string>& lines, JobRun& run, bool xValues);

}  // namespace rescale
