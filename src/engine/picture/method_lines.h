#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Line helpers shared by the "Border", "Browser" and "Smart" methods, which rewrite the skin
/// lines as text. Positions are 1-based byte positions, as in platform/text.h.
namespace methodlines {

/// The line index and text that a method's loops worked on last; its failure report names
/// them ("Line N" and the text).
struct RunningLine {
    long long index = 0;
    std::string text;
};

/// Rebuilds `line` as its first `keep` bytes, `value`, and the rest of the line from the first
/// double quote at or after position `restFrom`. Nothing when no such quote follows: a value
/// without its closing quote is left alone rather than swallowing the rest of the line.
std::optional<std::string> Splice(std::string_view line, long long keep, std::string_view value,
                                  long long restFrom);

/// The plain leading number of `text` (sign, digits, fraction) rounded half away from zero.
/// Throws platform::RuntimeException when the result does not fit 32 bits.
std::int32_t RoundedLeadingNumber(std::string_view text);

/// The plain leading number of `text` truncated toward zero. Throws
/// platform::RuntimeException when the result does not fit 32 bits.
std::int32_t TruncatedLeadingNumber(std::string_view text);

/// 1-based positions of every occurrence of `separator` in `line` (ASCII case ignored), each
/// search starting after the previous occurrence.
std::vector<std::size_t> FindAll(std::string_view line, std::string_view separator);

/// Rebuilds a line cut at every `separator` (found without regard to case, at the positions
/// `found` that FindAll gave): the text before the first separator, then for parts 1 to 3
/// (part i runs from the i-th separator to the next one) the separator as written in
/// `separator`, `newValue(i, part)` and the part's text from its first double quote on. The text
/// from a fourth separator to the end of the line is carried over unchanged, so no closing tag
/// is ever lost. Nothing when a rewritten part holds no double quote.
std::optional<std::string> RebuildCutLine(
    std::string_view line, std::string_view separator, const std::vector<std::size_t>& found,
    const std::function<std::string(int, std::string_view)>& newValue);

/// Decimal text of `value` ("-" before a negative number).
std::string Dec(long long value);

}  // namespace methodlines
