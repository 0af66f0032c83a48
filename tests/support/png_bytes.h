#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

/// A PNG file whose header claims `width` × `height` pixels and that holds no image data: an
/// empty IDAT and IEND follow, so that the header reads as complete.
std::string PngClaiming(std::uint32_t width, std::uint32_t height);

}  // namespace testsupport
