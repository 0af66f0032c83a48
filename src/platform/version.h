#pragma once

#include "platform/clock.h"

namespace platform {

/// The tool's version, fixed by the build from the project's version in CMake.
int MajorVersion() noexcept;
int MinorVersion() noexcept;
int BugVersion() noexcept;
/// When the build was configured (UTC, or SOURCE_DATE_EPOCH for reproducible builds): a value
/// of the build, never the time of the run.
DateTime BuildDate() noexcept;

}  // namespace platform
