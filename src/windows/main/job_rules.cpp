#include "windows/main/job_rules.h"

#include <algorithm>

namespace mainwindow {

MethodChoice ChooseMethod(const MethodInput& in) {
    MethodChoice choice;
    if (in.simple)
        choice.method = "Simple";
    if (in.smart)
        choice.method = "Smart";
    if (in.browser) {
        if (in.inWidth != in.outWidth) {
            choice.refusal = Refusal{0, 19, Culprit::WidthField, 0, std::nullopt};
            return choice;
        }
        // 64-bit: the sizes come from the user's fields and the skin.
        const std::int64_t lost = static_cast<std::int64_t>(in.inHeight) - in.outHeight;
        std::int64_t need = 0;
        bool ok = false;
        for (const std::int32_t h : in.browserHeights) {
            if (in.outHeight < in.inHeight && h - lost < kMinBrowserHeight)
                need =
                    std::max(need, static_cast<std::int64_t>(in.inHeight) - h + kMinBrowserHeight);
            else
                ok = true;
        }
        if (!ok) {
            const std::int32_t proposed =
                static_cast<std::int32_t>(std::clamp<std::int64_t>(need, INT32_MIN, INT32_MAX));
            choice.refusal = Refusal{0, 53, Culprit::HeightField, 0, proposed};
            return choice;
        }
        choice.warnSmallBrowser = need != 0;
        choice.method = "Browser";
    }
    if (in.border) {
        if (in.outWidth < in.inWidth) {
            choice.refusal = Refusal{0, 20, Culprit::WidthField, 0, std::nullopt};
            return choice;
        }
        if (in.outHeight < in.inHeight) {
            choice.refusal = Refusal{0, 20, Culprit::HeightField, 0, std::nullopt};
            return choice;
        }
        choice.method = "Border";
    }
    if (choice.method.empty())
        choice.refusal = Refusal{1, 21, Culprit::PagePanel, 0, std::nullopt};
    return choice;
}

}  // namespace mainwindow
