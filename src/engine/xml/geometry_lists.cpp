#include "engine/xml/geometry_lists.h"

#include "engine/xml/maths.h"
#include "engine/xml/tweaks.h"
#include "engine/xml/variables.h"
#include "messages/run_once.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace rescale {

using platform::InStr;

namespace {

/// The text of the line from the first character of `attribute`'s value on: right after its
/// opening quote, or at the attribute's length plus one when the line does not hold it.
std::string ValueText(const std::string& line, std::string_view attribute) {
    const std::size_t p = InStr(line, attribute);
    return platform::Mid(line, static_cast<long long>(p + attribute.size() + 1));
}

std::int32_t Evaluated(const std::string& line, std::string_view attribute) {
    return Maths::MathsVal(ValueText(line, attribute));
}

double Plain(const std::string& line, std::string_view attribute) {
    return platform::Val(ValueText(line, attribute));
}

std::string Joined(std::initializer_list<std::int32_t> values, const char* separator) {
    std::string out;
    for (std::int32_t v : values) {
        if (!out.empty())
            out += separator;
        out += std::to_string(v);
    }
    return out;
}

bool Relative(const std::string& valueText) {
    return !valueText.empty() && (valueText[0] == '+' || valueText[0] == '-');
}

void SortAndThin(std::vector<std::string>& list) {
    // std::string compares bytes as unsigned characters: plain text order, a prefix first.
    std::sort(list.begin(), list.end());
    for (long long k = platform::LastIndex(list); k >= 1; --k) {
        if (list[static_cast<std::size_t>(k)] == list[static_cast<std::size_t>(k - 1)])
            list.erase(list.begin() + k);
        platform::Yield();
    }
}

}  // namespace

std::string PlainNumberText(double value) {
    if (!std::isfinite(value))
        throw platform::RuntimeException("number out of range");
    if (value == 0.0)
        return "0";
    if (std::trunc(value) == value && std::fabs(value) < 9007199254740992.0)
        return std::to_string(static_cast<long long>(value));
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

void CollectGridOrigins(const std::vector<std::string>& lines, JobRun& run) {
    const bool oldGrid = Variables::SkinVersion < 5.0F;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        run.At(i, line);
        std::vector<std::int32_t>* grid = nullptr;
        if (oldGrid ? Contains(line, "icons") : Contains(line, "customicons"))
            grid = &Variables::customicons;
        else if (!oldGrid && Contains(line, "custombuttons"))
            grid = &Variables::custombuttons;
        if (grid != nullptr) {
            platform::At(*grid, 0) = Evaluated(line, " x=");
            platform::At(*grid, 1) = Evaluated(line, " y=");
        }
        platform::Yield();
    }
}

void CollectMasks(const std::vector<std::string>& lines, JobRun& run) {
    const auto count = std::count_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return Contains(l, "mask"); });
    Variables::Mask.resize(static_cast<std::size_t>(count));
    std::size_t entry = 0;
    bool rhythmZone = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        run.At(i, line);
        if (Contains(line, "<rhythmzone"))
            rhythmZone = true;
        else if (Contains(line, "</rhythmzone"))
            rhythmZone = false;
        if (Contains(line, "mask")) {
            const std::string xText = ValueText(line, " x=");
            const std::string yText = ValueText(line, " y=");
            const bool xRelative = Relative(xText);
            const bool yRelative = Relative(yText);
            std::int32_t x = Maths::MathsVal(xText);
            std::int32_t y = Maths::MathsVal(yText);
            if (Contains(line, " width=")) {
                run.currentWidth = Evaluated(line, " width=");
                run.currentHeight = Evaluated(line, " height=");
            } else {
                // The element's own size and position lines stand before its mask line.
                bool sizeFound = false;
                bool positionFound = false;
                const std::size_t stop = i >= 40 ? i - 40 : 0;
                for (std::size_t k = i; k > stop && !(sizeFound && positionFound); --k) {
                    const std::string& back = lines[k - 1];
                    run.At(k - 1, back);
                    if (Contains(back, "<size")) {
                        run.currentWidth = Evaluated(back, " width=");
                        run.currentHeight = Evaluated(back, " height=");
                        sizeFound = true;
                        if (!xRelative && !yRelative)
                            positionFound = true;
                    } else if (Contains(back, "<pos")) {
                        if (xRelative)
                            x = platform::CheckedInt32(static_cast<long long>(x) +
                                                       Evaluated(back, " x="));
                        if (yRelative)
                            y = platform::CheckedInt32(static_cast<long long>(y) +
                                                       Evaluated(back, " y="));
                        positionFound = true;
                    }
                    platform::Yield();
                }
                run.At(i, line);
            }
            std::string text = Joined({x, y, run.currentWidth, run.currentHeight}, " ");
            if (rhythmZone)
                text += " grey";
            platform::At(Variables::Mask, static_cast<long long>(entry++)) = std::move(text);
        }
        platform::Yield();
    }
}

void CollectFaders(const std::vector<std::string>& lines, JobRun& run) {
    constexpr std::string_view kMarker = "\"round\"";
    const auto count = std::count_if(lines.begin(), lines.end(),
                                     [&](const std::string& l) { return Contains(l, kMarker); });
    std::vector<std::string>& faders = Variables::Fader;
    faders.resize(static_cast<std::size_t>(count));
    std::size_t entry = 0;
    const std::size_t last = lines.size() - 1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        run.At(i, lines[i]);
        platform::Yield();
        if (!Contains(lines[i], kMarker))
            continue;
        bool dropped = false;
        for (std::size_t k = i; k <= std::min(i + 7, last) && !dropped; ++k) {
            // A "fader move=" line on the last line has no frame count after it.
            dropped =
                Contains(lines[k], "anglemin") || (Contains(lines[k], "fader move=") &&
                                                   (k == last || !Contains(lines[k + 1], "nb=")));
            platform::Yield();
        }
        std::size_t sizeLine = i;
        while (!dropped && sizeLine <= last && !Contains(lines[sizeLine], "size")) {
            ++sizeLine;
            platform::Yield();
        }
        std::size_t frameLine = i + 1;
        if (!dropped && sizeLine <= last && !Contains(lines[sizeLine], "fader")) {
            std::size_t k = i + 1;
            while (k <= last && !Contains(lines[k], "fader")) {
                ++k;
                platform::Yield();
            }
            frameLine = k + 1;
        }
        // A fader without its size line or its frame line has no complete entry: it is left
        // out like a dropped one, so the list only ever holds complete entries.
        if (dropped || sizeLine > last || frameLine > last) {
            faders.pop_back();
            continue;
        }
        const std::string& size = lines[sizeLine];
        const std::string& frames = lines[frameLine];
        run.At(frameLine, frames);
        const std::int32_t width = Evaluated(size, " width=");
        const std::int32_t height = Evaluated(size, " height=");
        std::string text = PlainNumberText(Plain(frames, " x=")) + " " +
                           PlainNumberText(Plain(frames, " y=")) + " " + std::to_string(width) +
                           " " + std::to_string(height) + " " +
                           PlainNumberText(Plain(frames, " nb="));
        platform::At(faders, static_cast<long long>(entry++)) = std::move(text);
    }
}

void CollectCustomVisuals(const std::vector<std::string>& lines, JobRun& run) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        run.At(i, lines[i]);
        platform::Yield();
        if (!Contains(lines[i], "custom"))
            continue;
        const std::size_t end = std::min(i + 4, lines.size() - 1);
        for (std::size_t k = i + 1; k <= end; ++k) {
            if (Contains(lines[k], "<size")) {
                run.At(k, lines[k]);
                run.currentWidth = Evaluated(lines[k], "width=");
                run.currentHeight = Evaluated(lines[k], "Height=");
            }
            platform::Yield();
        }
        for (std::size_t k = i + 1; k <= end; ++k) {
            platform::Yield();
            const std::string& down = lines[k];
            if (!Contains(down, "<down"))
                continue;
            run.At(k, down);
            Variables::Custom_Visual.push_back(
                Joined({run.currentWidth, run.currentHeight, Evaluated(down, "x="),
                        Evaluated(down, "y="), Evaluated(down, "nb="), Evaluated(down, "nbx=")},
                       "*"));
            break;
        }
    }
}

}  // namespace rescale

namespace Variables {

void Cleaning() {
    rescale::SortAndThin(Mask);
    rescale::SortAndThin(Fader);
    rescale::SortAndThin(Custom_Visual);
    // Element 0 is the switch that turns every message off, not a message id: comparing
    // element 1 with it would lose the suppression of message 1 while the switch is on.
    std::vector<std::int32_t>& runOnce = INI_Read_Write::RunOnce;
    for (long long k = platform::LastIndex(runOnce); k >= 2; --k) {
        if (platform::At(runOnce, k) == platform::At(runOnce, k - 1))
            runOnce.erase(runOnce.begin() + k);
        platform::Yield();
    }
    Special_Tweaks("Cleaning");
}

}  // namespace Variables
