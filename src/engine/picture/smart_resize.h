#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Variables {

/// The "Smart" method: scales the skin proportionally to the output width (XML with the
/// "fixed=" and "resizew=" rules, and the bitmap), then, when the output's aspect ratio
/// differs from the input's, gives the remaining height to the browser areas with the
/// "Browser" method. A job that would leave no browser at least 245 pixels high is refused
/// through the `SmartRefusalSink`, with the smallest output height that keeps them all at 245
/// pixels; when only some browsers fall under it the user is warned and the job goes on.
/// A "RekordBox" skin that grows both ways goes to `SpecialResize` instead. Writes the output
/// XML, then writes or copies the output bitmap; after a failed rescaling it writes neither.
/// Throws what the bitmap writer and copier throw; the steps it calls report their own
/// failures.
void Smart_Resize();

/// The wide resize of the "Smart" method for a "RekordBox" skin growing both ways: the
/// browsers take the whole height difference at the input width, then the x values and
/// widths are rescaled with the "Smart" rules while heights stay, and the bitmap is widened
/// by repeating the columns beside its centre. Always produces the requested output size.
/// A failed browser step or rescaling ends it before anything more is written.
/// Throws as `Smart_Resize`.
void SpecialResize();

/// Where a refused "Smart" job is reported: the main window, which switches to its "Files"
/// page, shows the browser-height message as a tooltip on the output-height field, writes the
/// proposed height there and hides its progress wheel. The calls come in that order.
class SmartRefusalSink {
public:
    virtual ~SmartRefusalSink() = default;
    /// The step bar goes to its first page ("Files").
    virtual void ShowFilesPage() = 0;
    /// The browser-height message as a tooltip at the output-height field.
    virtual void ShowHeightToolTip(const std::string& message) = 0;
    /// The proposed output height, in decimal, into the output-height field.
    virtual void SetHeightText(const std::string& height) = 0;
    /// The progress wheel is hidden.
    virtual void HideProgressWheel() = 0;
};

/// Until the main window installs itself: the message and the proposed height go to standard
/// error, so that a headless run still tells why the job did nothing.
class StderrRefusalSink : public SmartRefusalSink {
public:
    void ShowFilesPage() override {}
    void ShowHeightToolTip(const std::string& message) override;
    void SetHeightText(const std::string& height) override;
    void HideProgressWheel() override {}
};

/// The sink in force (a StderrRefusalSink until one is installed).
SmartRefusalSink& CurrentRefusalSink();
/// Installs `sink` (nullptr restores the standard-error one); returns the previous one.
std::unique_ptr<SmartRefusalSink> SetRefusalSink(std::unique_ptr<SmartRefusalSink> sink);

}  // namespace Variables

/// The rules that the "Smart" method and its wide resize share.
namespace smartrules {

/// The smallest height a browser may be left with, in pixels.
inline constexpr std::int32_t kMinBrowserHeight = 245;

/// True when Round(w / h × 100) differs between the two sizes (ratios compared to two
/// decimal places). The sizes must be positive.
bool AspectsDiffer(std::int32_t inWidth, std::int32_t inHeight, std::int32_t outWidth,
                   std::int32_t outHeight);

/// Browser rectangles read from rewritten skin lines.
struct BrowserRects {
    std::int32_t count = 0;
    std::vector<std::int32_t> x, y, width, height;
};

/// Every "<Browser" line counts one browser; the first "<size" line among the next five
/// gives its " width" and " height", the first "<pos" line its " x=" and " y=" (plain leading
/// numbers, truncated). A missing attribute adds no entry; look-aheads stop at the last line.
/// Yields once per line and once per look-ahead line.
/// Throws platform::RuntimeException when a number leaves 32 bits.
BrowserRects ReadBrowserRects(const std::vector<std::string>& lines);

/// Replaces the browser-area state (`Browser::Init` first) with `rects`.
void StoreBrowserRects(const BrowserRects& rects);

/// Outcome of the browser height minimum.
struct Minimum {
    /// At least one browser keeps 245 pixels.
    bool met = false;
    /// The largest output height that a browser under 245 pixels asks for; 0 when none does.
    std::int32_t proposedHeight = 0;
};

/// Applies the minimum to browsers of `heights` (one per browser of `count`) that lose
/// `inHeight` - `outHeight` rows. A browser without a height cannot be shown to keep 245
/// pixels when the skin gets lower: it meets nothing and proposes nothing. Yields once per
/// browser.
Minimum ApplyBrowserMinimum(std::int32_t inHeight, std::int32_t outHeight,
                            const std::vector<std::int32_t>& heights, std::int32_t count);

/// Reads the browsers from `Variables::Str_Line` into the browser-area state and applies the
/// minimum for a height going from `Variables::inHeight` to `Variables::outHeight`. When no
/// browser keeps 245 pixels the job is refused (`RefuseJob`) and the result is false; when
/// only some do and `warnWhenSome` is set, message 56 is shown and the job goes on.
bool BrowsersKeepTheirMinimum(bool warnWhenSome);

/// The refusal: an empty message box, then the sink's four calls with message 53 and the
/// proposed height, and `Variables::Job_Ok` false.
void RefuseJob(std::int32_t proposedHeight);

}  // namespace smartrules
