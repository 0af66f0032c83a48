#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Evaluation of the small arithmetic expressions that skin attribute values may hold
/// ("100+20", "640/2", "2*-3"): numbers with "+", "-", "*", "/" and "^", no parentheses.
namespace Maths {

/// True when the evaluation in progress met a malformed expression. Cleared by `MathsVal`,
/// set by `MathsParse`.
inline bool MathsError = false;

/// The integer value of the expression at the start of `text` (the text right after an
/// attribute's opening quote; it may run on past the closing quote). "^" binds first and groups
/// from the left, then "*" and "/" from left to right, then "+" and "-"; a "-" right after an
/// operator is the sign of the next number; a "." continues a number. Arithmetic is double
/// precision with real division, and the result is truncated toward zero. Reading stops at the
/// first character that is neither a digit, a "." nor an operator; trailing operators are
/// dropped. A malformed expression (two operators in a row, a first character that is neither
/// a digit nor a sign) gives the plain leading number of `text`, truncated.
/// Throws platform::OutOfBoundsException when an operator is left without a number behind it
/// ("10-" followed by a quote, "2*x"), and platform::RuntimeException for a division by zero,
/// a power without a real result, or a value outside the 32-bit range: the calling pass then
/// fails its line.
std::int32_t MathsVal(std::string_view text);

/// Scans a text that `MathsVal` has trimmed and stripped of trailing operators into the
/// operator and operand lists and evaluates them with `MathsCalc`; sets `MathsError` and gives
/// 0 for a malformed text. Throws as `MathsVal`.
std::int32_t MathsParse(std::string_view text);

/// Evaluates the lists, changing both while it works. Element 0 of each is an unused
/// placeholder; operator k (from 1, the first being the "+" of the first operand) stands before
/// operand k. An operand without digits reads as 0. Throws as `MathsVal`.
std::int32_t MathsCalc(std::vector<std::string>& operators, std::vector<std::string>& operands);

/// For tests: `MathsError` back to false.
void ResetDefaults();

}  // namespace Maths
