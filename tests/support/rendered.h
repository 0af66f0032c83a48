#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

/// Where a test writes a picture for a person to look at: `name` in the build tree's
/// "rendered" folder (created when missing), never in the source tree.
std::filesystem::path RenderedPath(const std::string& name);

}  // namespace testsupport
