#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

bool AsciiEqualFold(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// 0-based offset of `find` in `s` at or after `from`, ASCII case ignored; npos when absent.
std::size_t FindFold(std::string_view s, std::string_view find, std::size_t from) noexcept {
    if (find.empty() || from > s.size() || s.size() - from < find.size())
        return std::string_view::npos;
    const char first = AsciiLower(find[0]);
    const std::size_t last = s.size() - find.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (AsciiLower(s[i]) == first && AsciiEqualFold(s.substr(i, find.size()), find))
            return i;
    }
    return std::string_view::npos;
}

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Case mapping of UTF-8 text: ASCII letters, and the Latin-1 letters, whose two-byte forms
// C3 80..C3 9E (upper) and C3 A0..C3 BE (lower) differ by 0x20 in the second byte. The
// multiplication and division signs (C3 97, C3 B7) are not letters.
template <bool ToUpper>
void MapCase(std::string& s, std::size_t i) noexcept {
    char& c = s[i];
    if (ToUpper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    } else {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    if (static_cast<unsigned char>(c) == 0xC3 && i + 1 < s.size()) {
        auto& next = reinterpret_cast<unsigned char&>(s[i + 1]);
        if (ToUpper && next >= 0xA0 && next <= 0xBE && next != 0xB7)
            next = static_cast<unsigned char>(next - 0x20);
        if (!ToUpper && next >= 0x80 && next <= 0x9E && next != 0x97)
            next = static_cast<unsigned char>(next + 0x20);
    }
}

}  // namespace

std::size_t InStr(std::size_t start, std::string_view source, std::string_view find) noexcept {
    if (start < 1)
        start = 1;
    const std::size_t at = FindFold(source, find, start - 1);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string Mid(std::string_view s, long long start, long long length) {
    if (start < 1)
        start = 1;
    if (length < 0 || static_cast<unsigned long long>(start - 1) >= s.size())
        return length < 0 ? Mid(s, start) : std::string();
    return std::string(
        s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length)));
}

std::string Mid(std::string_view s, long long start) {
    if (start < 1)
        start = 1;
    if (static_cast<unsigned long long>(start - 1) >= s.size())
        return std::string();
    return std::string(s.substr(static_cast<std::size_t>(start - 1)));
}

std::string Left(std::string_view s, long long count) {
    if (count <= 0)
        return std::string();
    return std::string(s.substr(0, static_cast<std::size_t>(count)));
}

std::string Right(std::string_view s, long long count) {
    if (count <= 0)
        return std::string();
    const auto n = std::min<std::size_t>(s.size(), static_cast<std::size_t>(count));
    return std::string(s.substr(s.size() - n));
}

std::vector<std::string> Split(std::string_view s, std::string_view separator) {
    std::vector<std::string> parts;
    if (separator.empty()) {
        for (char c : s)
            parts.emplace_back(1, c);
        if (parts.empty())
            parts.emplace_back();
        return parts;
    }
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = FindFold(s, separator, from);
        if (at == std::string_view::npos) {
            parts.emplace_back(s.substr(from));
            return parts;
        }
        parts.emplace_back(s.substr(from, at - from));
        from = at + separator.size();
    }
}

long long CountFields(std::string_view s, std::string_view separator) {
    if (s.empty())
        return 0;
    return static_cast<long long>(Split(s, separator).size());
}

std::string NthField(std::string_view s, std::string_view separator, long long n) {
    if (n < 1 || s.empty())
        return std::string();
    auto parts = Split(s, separator);
    if (static_cast<unsigned long long>(n) > parts.size())
        return std::string();
    return std::move(parts[static_cast<std::size_t>(n - 1)]);
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.append(separator);
        out.append(parts[i]);
    }
    return out;
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
    const std::size_t at = FindFold(s, find, 0);
    std::string out(s);
    if (at != std::string_view::npos)
        out.replace(at, find.size(), with);
    return out;
}

std::string ReplaceAll(std::string_view s, std::string_view find, std::string_view with) {
    if (find.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = FindFold(s, find, from);
        if (at == std::string_view::npos) {
            out.append(s.substr(from));
            return out;
        }
        out.append(s.substr(from, at - from));
        out.append(with);
        from = at + find.size();
    }
}

std::string LTrim(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return std::string(s.substr(b));
}

std::string RTrim(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

std::string Lowercase(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i)
        MapCase<false>(out, i);
    return out;
}

std::string Uppercase(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i)
        MapCase<true>(out, i);
    return out;
}

std::string Titlecase(std::string_view s) {
    std::string out(s);
    bool wordStart = true;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80 ||
                            (c >= '0' && c <= '9') || c == '\'';
        if (!letter) {
            wordStart = true;
            continue;
        }
        // The second byte of a two-byte letter goes with its first.
        if ((c & 0xC0) == 0x80)
            continue;
        if (wordStart)
            MapCase<true>(out, i);
        else
            MapCase<false>(out, i);
        wordStart = false;
    }
    return out;
}

bool TextEquals(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    if (AsciiEqualFold(a, b))
        return true;
    return Lowercase(a) == Lowercase(b);
}

double Val(std::string_view s) noexcept {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    if (i + 1 < s.size() && s[i] == '&' && (s[i + 1] == 'h' || s[i + 1] == 'H')) {
        double v = 0;
        for (i += 2; i < s.size(); ++i) {
            const char c = AsciiLower(s[i]);
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else
                break;
            v = v * 16 + d;
        }
        return v;
    }
    // Take the longest prefix that reads as a decimal number, then let strtod convert it: the
    // text is not NUL-terminated and strtod would also accept "inf", "nan" and hex floats.
    const std::size_t begin = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9')
                ++j;
            i = j;
        }
    }
    const std::string number(s.substr(begin, i - begin));
    return std::strtod(number.c_str(), nullptr);
}

std::string Str(long long value) {
    return std::to_string(value);
}

std::string Str(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", value);
    std::string out(buf);
    if (out == "-0")
        out = "0";
    return out;
}

std::string Hex(std::uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", value);
    return buf;
}

double Round(double value) noexcept {
    return std::round(value);
}

bool FitsInt32(double value) noexcept {
    return std::isfinite(value) && value > -2147483649.0 && value < 2147483648.0;
}

std::string Str(Color color) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&h%02X%02X%02X", color.r, color.g, color.b);
    return buf;
}

}  // namespace platform
