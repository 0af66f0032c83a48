#include "engine/picture/border_lines.h"

#include "engine/xml/maths.h"
#include "platform/checked.h"
#include "platform/text.h"
#include "platform/thread.h"

namespace border {

using methodlines::Dec;
using methodlines::Splice;
using platform::CheckedInt32;
using platform::InStr;
using platform::Mid;
using platform::RoundInt32;

namespace {

// The value's own sum, formed in 64 bits so that a huge value fails its line.
std::int32_t Shifted(long long value, long long shift) {
    return CheckedInt32(value + shift);
}

// The split rule: a "<pos" line whose y attribute is not written " y=" (a blank before the
// equals sign, or names such as y1 and y2) still moves with the skin.
std::string ShiftSplitYLine(std::string_view line, std::int32_t sy) {
    std::vector<std::string> pieces = platform::Split(line, " y");
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        std::string& piece = pieces[i];
        const std::size_t q = InStr(piece, "=\"");
        // An empty value would run on to the next attribute's quote: leave it as written.
        if (q != 0 && Mid(piece, static_cast<long long>(q) + 2, 1) != "\"") {
            const long long valueStart = static_cast<long long>(q) + 2;
            const std::size_t close = InStr(static_cast<std::size_t>(q) + 3, piece, "\"");
            if (close != 0) {
                const std::string value =
                    Mid(piece, valueStart, static_cast<long long>(close) - valueStart);
                const std::int32_t v = Shifted(Maths::MathsVal(value), sy);
                piece = platform::Left(piece, valueStart - 1) + Dec(v) +
                        Mid(piece, static_cast<long long>(close));
            }
        }
        platform::Yield();
    }
    return platform::Join(pieces, " y");
}

}  // namespace

Shifts ComputeShifts(std::int32_t inWidth, std::int32_t inHeight, std::int32_t outWidth,
                     std::int32_t outHeight) noexcept {
    // Integer division truncates toward zero, as the conversion of the halved difference does.
    Shifts s;
    s.sx = static_cast<std::int32_t>((static_cast<long long>(outWidth) - inWidth) / 2);
    s.sy = static_cast<std::int32_t>((static_cast<long long>(outHeight) - inHeight) / 2);
    return s;
}

std::optional<std::string> SizeLine(std::string_view line, std::int32_t outWidth,
                                    std::int32_t outHeight) {
    const std::size_t p = InStr(line, "width=");
    if (p == 0)
        return std::nullopt;
    const long long pw = static_cast<long long>(p);
    std::string out = Splice(line, pw + 6, Dec(outWidth), pw + 8).value_or(std::string(line));
    if (const std::size_t q = InStr(out, "height=")) {
        const long long ph = static_cast<long long>(q);
        out = Splice(out, ph + 7, Dec(outHeight), ph + 9).value_or(out);
    }
    return out;
}

std::string ShiftXLine(std::string_view line, std::int32_t sx) {
    if (InStr(line, "x=\"\"") || InStr(line, "<icon>") || InStr(line, "x=\"+") ||
        InStr(line, "x=\"-"))
        return std::string(line);
    const std::size_t p = InStr(line, " x=");
    if (p == 0)
        return std::string(line);
    const long long pl = static_cast<long long>(p);
    const std::int32_t v = Shifted(Maths::MathsVal(Mid(line, pl + 4)), sx);
    return Splice(line, pl + 3, Dec(v), pl + 5).value_or(std::string(line));
}

std::string ShiftYLine(std::string_view line, std::int32_t sy, std::int32_t inHeight) {
    if (InStr(line, "y=\"\"") || InStr(line, "<icon>"))
        return std::string(line);
    const std::size_t p = InStr(line, " y=");
    if (p == 0) {
        if (InStr(line, "<pos") && InStr(line, " y"))
            return ShiftSplitYLine(line, sy);
        return std::string(line);
    }
    const long long pl = static_cast<long long>(p);
    const std::string first = Mid(line, pl + 4, 1);
    const std::int32_t v = Maths::MathsVal(Mid(line, pl + 4));
    std::string value;
    if (first == "+") {
        if (v == 0)
            return std::string(line);
        value = "+" + Dec(Shifted(v, sy));
    } else if (first == "-") {
        const std::int32_t s = Shifted(v, sy);
        value = s > 0 ? "+" + Dec(s) : Dec(s);
    } else if (v > inHeight) {
        value = Dec(Shifted(v, 2LL * sy));  // a sprite row moves with the sprite area
    } else {
        value = Dec(Shifted(v, sy));
    }
    return Splice(line, pl + 3, value, pl + 5).value_or(std::string(line));
}

std::string ShiftIconXLine(std::string_view line, std::int32_t sx) {
    if (!InStr(line, "<icon>") || !InStr(line, " x="))
        return std::string(line);
    const auto found = methodlines::FindAll(line, " x=\"");
    if (found.size() < 2)
        return std::string(line);
    const auto rebuilt =
        methodlines::RebuildCutLine(line, " x=\"", found, [sx](int i, std::string_view part) {
            if (i == 1)
                return Dec(Shifted(Maths::MathsVal(part), sx));
            const double n = platform::Val(part);
            if (platform::Left(part, 1) == "+")
                return "+" + Dec(RoundInt32(n));
            return Dec(RoundInt32(n + sx));
        });
    return rebuilt.value_or(std::string(line));
}

std::string ShiftIconYLine(std::string_view line, std::int32_t sy) {
    if (!InStr(line, "<icon>") || !InStr(line, "y="))
        return std::string(line);
    const auto found = methodlines::FindAll(line, " y=\"");
    if (found.size() < 2)
        return std::string(line);
    const auto rebuilt =
        methodlines::RebuildCutLine(line, " y=\"", found, [sy](int i, std::string_view part) {
            const double n = platform::Val(part);
            if (i == 1)
                return Dec(RoundInt32(n + sy));
            if (platform::Left(part, 1) == "+")
                return "+" + Dec(RoundInt32(n + sy));
            return Dec(RoundInt32(n + 2.0 * sy));
        });
    return rebuilt.value_or(std::string(line));
}

void ShiftLines(std::vector<std::string>& lines, const Shifts& shifts, std::int32_t inHeight,
                std::int32_t outWidth, std::int32_t outHeight, methodlines::RunningLine& cursor) {
    const auto visit = [&](long long first, const auto& rewrite) {
        for (cursor.index = first; cursor.index <= platform::LastIndex(lines); ++cursor.index) {
            std::string& line = platform::At(lines, cursor.index);
            cursor.text = line;
            line = rewrite(std::string_view(cursor.text));
            cursor.text = line;
            platform::Yield();
        }
    };

    for (cursor.index = 0; cursor.index <= 4; ++cursor.index) {
        std::string& line = platform::At(lines, cursor.index);
        cursor.text = line;
        if (auto sized = SizeLine(line, outWidth, outHeight)) {
            line = *sized;
            cursor.text = line;
            break;
        }
        platform::Yield();
    }
    visit(2, [&](std::string_view l) { return ShiftXLine(l, shifts.sx); });
    visit(0, [&](std::string_view l) { return ShiftYLine(l, shifts.sy, inHeight); });
    visit(0, [&](std::string_view l) { return ShiftIconXLine(l, shifts.sx); });
    visit(0, [&](std::string_view l) { return ShiftIconYLine(l, shifts.sy); });
}

}  // namespace border
