#include "windows/main/job_rules.h"

#include "platform/text.h"
#include "windows/main/main_window_rules.h"

#include <algorithm>

namespace mainwindow {

std::optional<Refusal> CheckPathsAndSizes(const JobFields& f) {
    if (f.inputXml.empty())
        return Refusal{0, 2, Culprit::InputButton, 3, std::nullopt};
    if (f.outputXml.empty())
        return Refusal{0, 15, Culprit::OutputButton, 2, std::nullopt};
    if (platform::TextEquals(f.inputXml, f.outputXml))
        return Refusal{0, 16, Culprit::OutputField, 2, std::nullopt};
    if (platform::Val(f.widthOutput) < kMinJobWidth)
        return Refusal{0, 17, Culprit::WidthField, 0, std::nullopt};
    if (platform::Val(f.heightOutput) < kMinJobHeight)
        return Refusal{0, 18, Culprit::HeightField, 0, std::nullopt};
    return std::nullopt;
}

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

bool AspectsDiffer(std::int32_t inWidth, std::int32_t inHeight, std::int32_t outWidth,
                   std::int32_t outHeight) {
    const double in = platform::Round(static_cast<double>(inWidth) / inHeight * 100.0);
    const double out = platform::Round(static_cast<double>(outWidth) / outHeight * 100.0);
    return in != out;
}

std::vector<std::string> JobLogHeader(std::string_view rc, std::string_view date,
                                      std::string_view time, std::string_view inputName,
                                      std::int32_t inWidth, std::int32_t inHeight,
                                      std::int32_t outWidth, std::int32_t outHeight,
                                      std::string_view method, bool macEnhance) {
    const auto num = [](std::int32_t v) { return std::to_string(v); };
    return {
        std::string(rc) + "----New Job----" + std::string(date) + " " + std::string(time) +
            std::string(rc),
        std::string(inputName),
        "Input Skin is " + num(inWidth) + "x" + num(inHeight),
        "Output Skin is " + num(outWidth) + "x" + num(outHeight),
        "Resize Type = " + std::string(method),
        std::string("Mac enhancement = ") + (macEnhance ? "True" : "False"),
        "--",
    };
}

std::string DurationRecord(std::int64_t ticks) {
    return "Finished in " + platform::Str(static_cast<double>(ticks) / 60.0) + " seconds";
}

}  // namespace mainwindow
