#pragma once

#include <QImage>

#include <optional>
#include <string_view>

namespace platform {

/// Decodes the common kind of skin bitmap PNG faster than Qt's reader: 8-bit RGB, not
/// interlaced, without transparency; libdeflate inflates the joined IDAT data in one call.
/// Gives the RGB32 image that Qt's reader gives for the same bytes. None for any other kind
/// of PNG and for anything irregular (a bad checksum, a chunk out of order, too few or too
/// many bytes), which Qt's reader then decodes as before. The caller checks the size caps
/// from the header first; `maxPixels` is checked again before anything is allocated.
/// Never throws.
std::optional<QImage> DecodeCommonPng(std::string_view bytes, std::int64_t maxPixels) noexcept;

}  // namespace platform
