#include "platform/checked.h"

#include "platform/text.h"

#include <cmath>
#include <cstdio>

namespace platform {

namespace {

[[noreturn]] void ThrowOutOfRange(double value) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    throw RuntimeException(std::string("value ") + buf + " is outside the 32-bit range");
}

}  // namespace

std::int32_t CheckedInt32(long long value) {
    if (value < INT32_MIN || value > INT32_MAX)
        throw RuntimeException("value " + std::to_string(value) + " is outside the 32-bit range");
    return static_cast<std::int32_t>(value);
}

std::int32_t TruncInt32(double value) {
    const double whole = std::trunc(value);
    if (!FitsInt32(whole))
        ThrowOutOfRange(value);
    return static_cast<std::int32_t>(whole);
}

std::optional<std::int32_t> TryTruncInt32(double value) noexcept {
    const double whole = std::trunc(value);
    if (!FitsInt32(whole))
        return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

std::int32_t RoundInt32(double value) {
    const double whole = Round(value);
    if (!FitsInt32(whole))
        ThrowOutOfRange(value);
    return static_cast<std::int32_t>(whole);
}

}  // namespace platform
