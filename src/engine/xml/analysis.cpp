#include "engine/xml/analysis.h"

#include "engine/xml/browser.h"
#include "engine/xml/maths.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <new>

namespace Variables {
namespace {

using platform::InStr;
using platform::Mid;
using platform::Val;

// The number at a fixed count of characters into the line; 0 when none stands there.
double NumberAt(const std::string& line, std::size_t p) {
    return Val(Mid(line, static_cast<long long>(p)));
}

std::int32_t IntegerAt(const std::string& line, std::size_t p) {
    return platform::TruncInt32(NumberAt(line, p));
}

// The text from `start` up to the first double quote found from `searchFrom` on (to the end of
// the line when there is none).
std::string QuotedAt(const std::string& line, std::size_t start, std::size_t searchFrom) {
    const std::size_t quote = InStr(searchFrom, line, "\"");
    const auto from = static_cast<long long>(start);
    if (quote == 0)
        return Mid(line, from);
    return Mid(line, from, static_cast<long long>(quote) - from);
}

// Line `index`, or nothing past the last line: the look-aheads after a logo or a browser
// element read nothing beyond the end of the skin.
const std::string* LineAt(long long index) noexcept {
    if (index < 0 || index > platform::LastIndex(Str_Line))
        return nullptr;
    return &Str_Line[static_cast<std::size_t>(index)];
}

// What the skin line gave: whether there was one, and the width and height read on it (0 when
// absent).
struct SkinSize {
    bool found = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

SkinSize ReadSkinLine() {
    const std::string* skin = nullptr;
    for (long long i = 0; i <= 5; ++i) {
        const std::string& line = platform::At(Str_Line, i);
        if (InStr(line, "<skin")) {
            skin = &line;
            break;
        }
    }
    SkinSize size;
    if (!skin)
        return size;
    size.found = true;
    const std::string& line = *skin;
    if (const std::size_t p = InStr(line, "name"))
        SkinName = QuotedAt(line, p + 6, p + 7);
    if (const std::size_t p = InStr(line, "width"))
        size.width = IntegerAt(line, p + 7);
    if (const std::size_t p = InStr(line, "height"))
        size.height = IntegerAt(line, p + 8);
    if (const std::size_t p = InStr(line, "version")) {
        const double version = NumberAt(line, p + 9);
        if (!(std::fabs(version) <= FLT_MAX))
            throw platform::RuntimeException("skin version out of range");
        SkinVersion = static_cast<float>(version);
    }
    if (size.width != 0 && size.height != 0) {
        inWidth = size.width;
        inHeight = size.height;
    }
    return size;
}

void ReadLogoLine(const std::string& line) {
    if (InStr(line, "<size")) {
        if (const std::size_t p = InStr(line, " height="))
            P_Logo = NumberText(NumberAt(line, p + 9)) + "*" + P_Logo;
    }
    if (InStr(line, "<pos")) {
        if (const std::size_t p = InStr(line, " x="))
            P_Logo += NumberText(NumberAt(line, p + 4));
        if (const std::size_t p = InStr(line, " y="))
            P_Logo += "*" + NumberText(NumberAt(line, p + 4));
    }
}

// The first of lines i + 1 to i + window that contains `tag`, or nothing.
const std::string* FindAhead(long long i, long long window, const char* tag) {
    for (long long k = i + 1; k <= i + window; ++k) {
        const std::string* line = LineAt(k);
        if (!line)
            return nullptr;
        const bool found = InStr(*line, tag) != 0;
        platform::Yield();
        if (found)
            return line;
    }
    return nullptr;
}

void ReadBrowserElement(long long i) {
    ++Browser::BrowserCount;
    if (const std::string* size = FindAhead(i, 5, "<size")) {
        if (const std::size_t p = InStr(*size, " width"))
            Browser::Browser_Width.push_back(IntegerAt(*size, p + 8));
        if (const std::size_t p = InStr(*size, " height"))
            Browser::Browser_Height.push_back(IntegerAt(*size, p + 9));
    }
    if (const std::string* pos = FindAhead(i, 5, "<pos")) {
        if (const std::size_t p = InStr(*pos, " x="))
            Browser::Browser_X.push_back(IntegerAt(*pos, p + 4));
        if (const std::size_t p = InStr(*pos, " y="))
            Browser::Browser_Y.push_back(IntegerAt(*pos, p + 4));
    }
    // During a job the style chosen in the browser options stays as the user set it.
    if (ThreadRunning)
        return;
    if (const std::string* text = FindAhead(i, 15, "<text")) {
        const std::string& line = *text;
        if (const std::size_t p = InStr(line, " font="))
            Browser::B_Text_Font = QuotedAt(line, p + 7, p + 7);
        if (const std::size_t p = InStr(line, " size="))
            Browser::B_Text_Size = IntegerAt(line, p + 7);
        if (const std::size_t p = InStr(line, " color="))
            Browser::B_Text_Color = Color_HTML_to_RB(Mid(line, static_cast<long long>(p + 8)));
        if (const std::size_t p = InStr(line, " selected="))
            Browser::B_Selected_Color = Color_HTML_to_RB(Mid(line, static_cast<long long>(p + 11)));
        if (const std::size_t p = InStr(line, " stripes="))
            Browser::B_Stripes_Color = Color_HTML_to_RB(Mid(line, static_cast<long long>(p + 10)));
    }
}

SkinSize Analyse() {
    const SkinSize size = ReadSkinLine();
    for (long long i = 0; i <= platform::LastIndex(Str_Line); ++i) {
        const std::string& line = Str_Line[static_cast<std::size_t>(i)];
        if (InStr(line, "<logo>")) {
            for (long long k = i + 1; k <= i + 2; ++k) {
                if (const std::string* next = LineAt(k))
                    ReadLogoLine(*next);
                platform::Yield();
            }
        }
        if (InStr(line, "<Browser"))
            ReadBrowserElement(i);
        platform::Yield();
    }
    return size;
}

}  // namespace

bool Lecture(const std::string& path) {
    P_Logo.clear();
    Custom_Visual.clear();
    custombuttons.assign(2, 0);
    customicons.assign(2, 0);
    Browser::Init();
    SkinSize size;
    try {
        if (!platform::IsAbsolutePath(path))
            throw platform::NilObjectException("no file item for \"" + path + "\"");
        if (!platform::FolderItem(path).Exists()) {
            platform::MsgBox("\"" + path + "\" does not exist." + RC + "Choose another file.");
            return false;
        }
        Str_Line = SplitSkinLines(ReadSkinFile(path));
        size = Analyse();
    } catch (const SkinTooLargeException& e) {
        platform::MsgBox(e.what());
        return false;
    } catch (const platform::RuntimeException&) {
        platform::MsgBox(platform::At(Language::Messages, 3) + ".");
        return false;
    } catch (const std::bad_alloc&) {
        platform::MsgBox(platform::At(Language::Messages, 3) + ".");
        return false;
    }
    // Newer skins often open with a long comment; their size is then never read, and the job
    // would run with the size of the skin analysed before.
    if (!size.found) {
        platform::MsgBox("\"" + path +
                         "\" has no skin element in its first six lines, where this tool reads "
                         "the skin's size." +
                         RC + "Choose another file.");
        return false;
    }
    // Every ratio of a job divides by these: a skin without them cannot be resized, and a skin
    // line without them (such as a skin element whose size stands on its next line) must not
    // leave the previous skin's size to resize this one by.
    if (size.width == 0 || size.height == 0 || inWidth <= 0 || inHeight <= 0) {
        platform::MsgBox("\"" + path + "\" gives the skin no width and height above 0." + RC +
                         "Choose another file.");
        return false;
    }
    return true;
}

platform::Color Color_HTML_to_RB(std::string_view text) {
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    text = text.substr(0, 6);
    int channel[3] = {0, 0, 0};
    for (std::size_t k = 0; k < 3; ++k) {
        if (2 * k < text.size())
            channel[k] = static_cast<int>(Val("&h" + std::string(text.substr(2 * k, 2))));
    }
    return platform::RGB(channel[0], channel[1], channel[2]);
}

std::string NumberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", value == 0 ? 0.0 : value);
        return buf;
    }
    return platform::Str(value);
}

}  // namespace Variables
