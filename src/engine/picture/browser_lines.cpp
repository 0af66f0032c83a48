#include "engine/picture/browser_lines.h"

#include "engine/xml/maths.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

namespace browserlines {

using methodlines::Dec;
using methodlines::Splice;
using platform::CheckedInt32;
using platform::InStr;
using platform::Mid;
using platform::RoundInt32;

std::optional<std::string> SkinHeightLine(std::string_view line, std::int32_t outHeight) {
    const std::size_t p = InStr(line, "height=");
    if (p == 0)
        return std::nullopt;
    const long long pl = static_cast<long long>(p);
    return Splice(line, pl + 7, Dec(outHeight), pl + 9).value_or(std::string(line));
}

std::string MoveYLine(std::string_view line, YPass& pass) {
    if (InStr(line, "y=\"\"") || InStr(line, "<icon>"))
        return std::string(line);
    const std::size_t p = InStr(line, " y=");
    if (p == 0)
        return std::string(line);
    const long long pl = static_cast<long long>(p);
    const std::int32_t v = Maths::MathsVal(Mid(line, pl + 4));
    if (InStr(line, "<pos"))
        pass.positionBase = v;

    // The blank, "y", "=", the quote and the value's first two characters decide its kind, so
    // an expression such as 5+3 counts as a relative value.
    const std::string kind = Mid(line, pl, 6);
    std::string value;
    if (InStr(kind, "+")) {
        if (v == 0 || static_cast<long long>(v) + pass.positionBase < pass.inHeight)
            return std::string(line);
        value = "+" + Dec(CheckedInt32(static_cast<long long>(v) + pass.heightDifference));
    } else if (InStr(kind, "-")) {
        return std::string(line);
    } else {
        if (v < pass.inHeight && static_cast<long long>(v) < pass.browserBottom() - 1LL)
            return std::string(line);
        value = Dec(CheckedInt32(static_cast<long long>(v) + pass.heightDifference));
    }
    return Splice(line, pl + 3, value, pl + 5).value_or(std::string(line));
}

std::string MoveIconYLine(std::string_view line, std::int32_t heightDifference) {
    const auto found = methodlines::FindAll(line, " y=\"");
    if (found.size() < 2)
        throw platform::RuntimeException("icon line with fewer than two y values");
    const auto rebuilt = methodlines::RebuildCutLine(
        line, " y=\"", found, [heightDifference](int i, std::string_view piece) {
            const double n = platform::Val(piece);
            if (i == 1)
                return Dec(RoundInt32(n));  // the first row is the skin's: it stays
            const std::string sign = platform::Left(piece, 1) == "+" ? "+" : "";
            return sign + Dec(RoundInt32(n + heightDifference));
        });
    return rebuilt.value_or(std::string(line));
}

std::string MoveBrowserHeightLine(std::string_view line, std::int32_t heightDifference) {
    const std::size_t p = InStr(line, " height=");
    if (!InStr(line, "<size") || p == 0)
        return std::string(line);
    const long long pl = static_cast<long long>(p);
    const std::int32_t h = methodlines::TruncatedLeadingNumber(Mid(line, pl + 9));
    const std::string value = Dec(CheckedInt32(static_cast<long long>(h) + heightDifference));
    return Splice(line, pl + 8, value, pl + 9).value_or(std::string(line));
}

void MoveLines(std::vector<std::string>& lines, std::int32_t inHeight, std::int32_t outHeight,
               const std::function<std::int32_t()>& browserBottom,
               methodlines::RunningLine& cursor) {
    const std::int32_t d = CheckedInt32(static_cast<long long>(outHeight) - inHeight);

    for (cursor.index = 0; cursor.index <= 4; ++cursor.index) {
        std::string& line = platform::At(lines, cursor.index);
        cursor.text = line;
        if (auto changed = SkinHeightLine(line, outHeight)) {
            line = *changed;
            cursor.text = line;
            break;
        }
        platform::Yield();
    }

    YPass pass;
    pass.heightDifference = d;
    pass.inHeight = inHeight;
    pass.browserBottom = browserBottom;
    for (cursor.index = 0; cursor.index <= platform::LastIndex(lines); ++cursor.index) {
        std::string& line = platform::At(lines, cursor.index);
        cursor.text = line;
        line = MoveYLine(cursor.text, pass);
        cursor.text = line;
        platform::Yield();
    }

    for (cursor.index = 0; cursor.index <= platform::LastIndex(lines); ++cursor.index) {
        std::string& line = platform::At(lines, cursor.index);
        cursor.text = line;
        if (InStr(line, "<icon>") && InStr(line, " y=")) {
            line = MoveIconYLine(cursor.text, d);
            cursor.text = line;
        }
        platform::Yield();
    }

    for (cursor.index = 0; cursor.index <= platform::LastIndex(lines); ++cursor.index) {
        const std::string& browserLine = platform::At(lines, cursor.index);
        cursor.text = browserLine;
        if (InStr(browserLine, "<browser") && !InStr(browserLine, "/>")) {
            // A browser element among the last lines looks ahead only as far as there are lines.
            for (long long k = cursor.index + 1;
                 k <= cursor.index + 3 && k <= platform::LastIndex(lines); ++k) {
                std::string& line = platform::At(lines, k);
                cursor.text = line;
                line = MoveBrowserHeightLine(cursor.text, d);
                cursor.text = line;
                platform::Yield();
            }
        }
        platform::Yield();
    }
}

}  // namespace browserlines
