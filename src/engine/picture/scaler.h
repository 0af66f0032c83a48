#pragma once

#include "platform/picture.h"

#include <cstdint>

namespace Variables {

/// The tool's own box filter: a new w × h picture of `pic` in which every inner pixel is the
/// integer mean of four source samples whose spacing follows the axis's ratio (above 0.5: a
/// back shift of 0.45 and a distance of 0.5 source pixels; below: 0.75 and 2; exactly 0.5:
/// 0 and 1); the outer rows and columns come from plain scaled drawing. Samples past the
/// source's last column or row (enlargements of 40 times or more) read that column or row.
/// None when `pic` is none. Throws OutOfBoundsException or RuntimeException when a w × h
/// picture cannot be made.
platform::PicturePtr ScalePicture1(const platform::PicturePtr& pic, std::int32_t w, std::int32_t h);

}  // namespace Variables
