#pragma once

#include "app/job_run.h"
#include "engine/picture/smart_resize.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The window's own rules of "Do the Job", free of the window so that they can be tried case by
/// case; the rules a window job shares with batch mode are the job runner's.
namespace mainwindow {

using jobrun::CheckPathsAndSizes;
using jobrun::Culprit;
using jobrun::DurationRecord;
using jobrun::JobFields;
using jobrun::JobLogHeader;
using jobrun::kMinJobHeight;
using jobrun::kMinJobWidth;
using jobrun::Refusal;
using smartrules::AspectsDiffer;

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

}  // namespace mainwindow
