#include "platform/version.h"

#include "platform/version_values.h"

namespace platform {

int MajorVersion() noexcept {
    return MALVOREN_VERSION_MAJOR;
}

int MinorVersion() noexcept {
    return MALVOREN_VERSION_MINOR;
}

int BugVersion() noexcept {
    return MALVOREN_VERSION_PATCH;
}

DateTime BuildDate() noexcept {
    return DateTime{MALVOREN_BUILD_YEAR, MALVOREN_BUILD_MONTH,  MALVOREN_BUILD_DAY,
                    MALVOREN_BUILD_HOUR, MALVOREN_BUILD_MINUTE, MALVOREN_BUILD_SECOND};
}

}  // namespace platform
