#pragma once

#include "platform/color.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Text helpers after the framework's string functions.
///
/// Positions count from 1 and are byte positions; 0 means "not found". Searches and
/// comparisons ignore the case of ASCII letters only, so skin lines, which are kept as the
/// bytes read (UTF-8, Latin-1 or anything else), are never misread. The case conversions
/// (Lowercase, Uppercase, Titlecase, TextEquals) also fold the Latin-1 letters of UTF-8 text
/// (U+00C0 to U+00DE against U+00E0 to U+00FE), which keeps byte lengths unchanged.
namespace platform {

/// Position of the first `find` in `source` at or after `start`, ignoring ASCII case; 0 when
/// absent, when `find` is empty or when `start` is past the end. A start below 1 counts as 1.
std::size_t InStr(std::size_t start, std::string_view source, std::string_view find) noexcept;
inline std::size_t InStr(std::string_view source, std::string_view find) noexcept {
    return InStr(1, source, find);
}

/// Up to `length` bytes from 1-based `start` (start below 1 counts as 1).
std::string Mid(std::string_view s, long long start, long long length);
/// Everything from 1-based `start` on.
std::string Mid(std::string_view s, long long start);
std::string Left(std::string_view s, long long count);
std::string Right(std::string_view s, long long count);
inline long long Len(std::string_view s) noexcept {
    return static_cast<long long>(s.size());
}

/// Number of fields that `separator` splits `s` into; empty text has no field.
long long CountFields(std::string_view s, std::string_view separator);
/// Field `n` (1-based) of `s`; "" when there is no such field.
std::string NthField(std::string_view s, std::string_view separator, long long n);
/// Splits at every `separator` (ASCII case ignored), keeping empty pieces. An empty text gives
/// one empty piece; an empty separator splits into single bytes.
std::vector<std::string> Split(std::string_view s, std::string_view separator);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

/// Replaces the first occurrence of `find` (ASCII case ignored); unchanged when absent.
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
/// Replaces every occurrence, scanning left to right past each replacement.
std::string ReplaceAll(std::string_view s, std::string_view find, std::string_view with);

/// Removes blanks, tabs and line ends at both ends.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

std::string Lowercase(std::string_view s);
std::string Uppercase(std::string_view s);
/// First letter of each word upper case, the rest lower case.
std::string Titlecase(std::string_view s);
/// Equality ignoring the case of ASCII and Latin-1 letters.
bool TextEquals(std::string_view a, std::string_view b) noexcept;

/// The number at the start of `s` (after leading blanks): optional sign, digits, an optional
/// fraction and exponent, or "&h" followed by hexadecimal digits. 0 when there is none.
double Val(std::string_view s) noexcept;

/// Decimal text of an integer.
std::string Str(long long value);
/// Text of a double with up to 7 significant digits, without a trailing ".0" for whole
/// numbers ("1.5", "100", "0.3333333").
std::string Str(double value);
/// A colour as the framework writes it: "&h" and six upper-case hexadecimal digits, two per
/// channel in the order red, green, blue ("&h00FF80").
std::string Str(Color color);
/// Upper-case hexadecimal digits without leading zeros ("FF", "0").
std::string Hex(std::uint32_t value);

/// Rounds half away from zero (2.5 -> 3, -2.5 -> -3).
double Round(double value) noexcept;
/// True when `value` is a finite number inside the 32-bit signed range once truncated.
bool FitsInt32(double value) noexcept;

/// Lower-cases one ASCII letter; every other byte is returned as it is.
constexpr char AsciiLower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace platform
