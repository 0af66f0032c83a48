#pragma once

#include "platform/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

/// Element `index` of `v`, bounds-checked the way the tool's arrays are.
/// Throws OutOfBoundsException when index is negative or past the last element.
template <typename T>
T& At(std::vector<T>& v, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= v.size())
        throw OutOfBoundsException("index " + std::to_string(index) + " out of bounds (size " +
                                   std::to_string(v.size()) + ")");
    return v[static_cast<std::size_t>(index)];
}

template <typename T>
const T& At(const std::vector<T>& v, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= v.size())
        throw OutOfBoundsException("index " + std::to_string(index) + " out of bounds (size " +
                                   std::to_string(v.size()) + ")");
    return v[static_cast<std::size_t>(index)];
}

/// The last index of `v` (-1 when empty), as the tool's loops read it.
template <typename T>
long long LastIndex(const std::vector<T>& v) noexcept {
    return static_cast<long long>(v.size()) - 1;
}

// The whole numbers of a skin are 32 bits wide, as they were in the tool this one replaces. A
// value that leaves that range fails the line or picture it belongs to instead of wrapping
// around into a wrong but plausible number. Two rules read a fraction, and they are not
// interchangeable: each place keeps the one its numbers were written for.

/// `value` as a signed 32-bit integer. Throws RuntimeException when it lies outside
/// [-2147483648, 2147483647].
std::int32_t CheckedInt32(long long value);

/// `value` with its fraction dropped (toward zero: 2.9 -> 2, -2.9 -> -2) as a signed 32-bit
/// integer. Throws RuntimeException when it is not a number, infinite, or lies outside the
/// 32-bit range once truncated.
std::int32_t TruncInt32(double value);

/// `value` rounded to the nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3), as a
/// signed 32-bit integer. Throws RuntimeException when it is not a number, infinite, or lies
/// outside the 32-bit range once rounded (2147483647.5 does).
std::int32_t RoundInt32(double value);

/// `value` with its fraction dropped, as TruncInt32 takes it, or none where TruncInt32 would
/// throw. For settings and typed fields, where a number out of range falls back to a default
/// (`TryTruncInt32(v).value_or(0)`) instead of failing a job.
std::optional<std::int32_t> TryTruncInt32(double value) noexcept;

}  // namespace platform
