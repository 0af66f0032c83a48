#include "engine/picture/smart_resize.h"

#include "engine/picture/bitmap_files.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/method_lines.h"
#include "engine/picture/method_report.h"
#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/xml/browser.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <algorithm>
#include <iostream>

namespace Variables {

namespace {

std::unique_ptr<SmartRefusalSink>& SinkSlot() {
    static std::unique_ptr<SmartRefusalSink> sink = std::make_unique<StderrRefusalSink>();
    return sink;
}

}  // namespace

void StderrRefusalSink::ShowHeightToolTip(const std::string& message) {
    std::cerr << message << '\n';
}

void StderrRefusalSink::SetHeightText(const std::string& height) {
    std::cerr << "Proposed output height: " << height << '\n';
}

SmartRefusalSink& CurrentRefusalSink() {
    return *SinkSlot();
}

std::unique_ptr<SmartRefusalSink> SetRefusalSink(std::unique_ptr<SmartRefusalSink> sink) {
    std::unique_ptr<SmartRefusalSink> previous = std::move(SinkSlot());
    SinkSlot() = sink ? std::move(sink) : std::make_unique<StderrRefusalSink>();
    return previous;
}

}  // namespace Variables

namespace smartrules {

namespace {

// The look-ahead of one browser element: the first of the next five lines holding `marker`.
const std::string* FindAhead(const std::vector<std::string>& lines, std::size_t from,
                             const char* marker) {
    const std::size_t end = std::min(lines.size(), from + 6);
    for (std::size_t k = from + 1; k < end; ++k) {
        platform::Yield();
        if (platform::InStr(lines[k], marker))
            return &lines[k];
    }
    return nullptr;
}

void TakeNumber(const std::string& line, const char* key, long long offset,
                std::vector<std::int32_t>& into) {
    if (const std::size_t p = platform::InStr(line, key))
        into.push_back(methodlines::TruncatedLeadingNumber(
            platform::Mid(line, static_cast<long long>(p) + offset)));
}

}  // namespace

bool AspectsDiffer(std::int32_t inWidth, std::int32_t inHeight, std::int32_t outWidth,
                   std::int32_t outHeight) {
    const double a = platform::Round(static_cast<double>(inWidth) / inHeight * 100);
    const double b = platform::Round(static_cast<double>(outWidth) / outHeight * 100);
    return a != b;
}

BrowserRects ReadBrowserRects(const std::vector<std::string>& lines) {
    BrowserRects rects;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (platform::InStr(lines[i], "<Browser")) {
            ++rects.count;
            if (const std::string* size = FindAhead(lines, i, "<size")) {
                TakeNumber(*size, " width", 8, rects.width);
                TakeNumber(*size, " height", 9, rects.height);
            }
            if (const std::string* pos = FindAhead(lines, i, "<pos")) {
                TakeNumber(*pos, " x=", 4, rects.x);
                TakeNumber(*pos, " y=", 4, rects.y);
            }
        }
        platform::Yield();
    }
    return rects;
}

void StoreBrowserRects(const BrowserRects& rects) {
    Browser::Init();
    Browser::BrowserCount = rects.count;
    Browser::Browser_X = rects.x;
    Browser::Browser_Y = rects.y;
    Browser::Browser_Width = rects.width;
    Browser::Browser_Height = rects.height;
}

Minimum ApplyBrowserMinimum(std::int32_t inHeight, std::int32_t outHeight,
                            const std::vector<std::int32_t>& heights, std::int32_t count) {
    Minimum result;
    const long long lost = static_cast<long long>(inHeight) - outHeight;
    long long proposed = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (outHeight < inHeight) {
            if (static_cast<std::size_t>(i) >= heights.size()) {
                platform::Yield();
                continue;
            }
            const long long h = heights[static_cast<std::size_t>(i)];
            if (h - lost < kMinBrowserHeight) {
                proposed = std::max(proposed, inHeight - h + kMinBrowserHeight);
                platform::Yield();
                continue;
            }
        }
        result.met = true;
        platform::Yield();
    }
    result.proposedHeight = platform::CheckedInt32(proposed);
    return result;
}

bool BrowsersKeepTheirMinimum(bool warnWhenSome) {
    StoreBrowserRects(ReadBrowserRects(Variables::Str_Line));
    const Minimum minimum = ApplyBrowserMinimum(Variables::inHeight, Variables::outHeight,
                                                Browser::Browser_Height, Browser::BrowserCount);
    if (!minimum.met) {
        RefuseJob(minimum.proposedHeight);
        return false;
    }
    if (warnWhenSome && minimum.proposedHeight != 0)
        platform::MsgBox(methodreport::Message(56));
    return true;
}

void RefuseJob(std::int32_t proposedHeight) {
    platform::MsgBox("");
    Variables::SmartRefusalSink& sink = Variables::CurrentRefusalSink();
    sink.ShowFilesPage();
    sink.ShowHeightToolTip(methodreport::Message(53));
    sink.SetHeightText(methodlines::Dec(proposedHeight));
    sink.HideProgressWheel();
    Variables::Job_Ok = false;
}

}  // namespace smartrules

namespace Variables {

namespace {

float Ratio(std::int32_t out, std::int32_t in) {
    return static_cast<float>(static_cast<double>(out) / static_cast<double>(in));
}

}  // namespace

void Smart_Resize() {
    if (platform::TextEquals(SkinName, "RekordBox") && inWidth < outWidth && inHeight < outHeight) {
        SpecialResize();
        return;
    }
    if (!methodreport::SizesUsable())
        return;

    const std::int32_t requestedHeight = outHeight;
    const bool differ = smartrules::AspectsDiffer(inWidth, inHeight, outWidth, outHeight);
    if (differ) {
        outHeight = platform::RoundInt32(
            static_cast<double>(static_cast<long long>(outWidth) * inHeight) / inWidth);
        // The bitmap scaling must not restyle the input's browser areas at the proportional
        // size: the browser step restyles them once their final height is known.
        Browser::Init();
    }

    if (!Open_XML()) {
        platform::MsgBox("Input File does not exist, or isn't readable.");
        Job_Ok = false;
        return;
    }
    XML_Job();
    // The rescaling has reported its failure; its lines are half rewritten and must not become
    // the output skin, nor a bitmap be written for it.
    if (!Rescale_Ok)
        return;

    const bool unchanged = X_prop == 1.0F && Y_prop == 1.0F && !UseExternPicture &&
                           !Browser::Browser_Change && !OutdoorPicture && !differ;
    const bool composed = !unchanged;
    if (composed) {
        if (Open_Picture(""))
            Scale_Picture();
        else
            platform::MsgBox("Unable to open the graphics file." + RC +
                             "The graphics won't be resized.");
    }

    inHeight = outHeight;
    inWidth = outWidth;
    outHeight = requestedHeight;
    X_prop = Ratio(outWidth, inWidth);
    Y_prop = Ratio(outHeight, inHeight);

    if (!differ) {
        if (!SaveXMLReported())
            return;
    } else {
        if (!smartrules::BrowsersKeepTheirMinimum(true))
            return;
        Browser::Browser_Resize();
    }

    if (composed)
        Save_Picture();
    else
        CopyPicture();
}

}  // namespace Variables
