#pragma once

#include "platform/picture.h"
#include "platform/rgbsurface.h"
#include "support/inspection.h"

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace kittest {

/// Grey levels of one row of a picture's mask (its red channel).
inline std::vector<int> MaskRow(platform::Picture& picture, int row) {
    platform::Picture* mask = picture.Mask(false);
    std::vector<int> levels;
    if (!mask)
        return levels;
    for (int x = 0; x < mask->Width(); ++x)
        levels.push_back(mask->RGBSurface().Pixel(x, row).r);
    return levels;
}

/// Red levels of one row of a picture (greys written as colours).
inline std::vector<int> RedRow(platform::Picture& picture, int row, int from = 0, int count = -1) {
    std::vector<int> levels;
    const int end = count < 0 ? picture.Width() : from + count;
    for (int x = from; x < end; ++x)
        levels.push_back(picture.RGBSurface().Pixel(x, row).r);
    return levels;
}

/// Writes the image for a person to look at, enlarged `scale` times so that single pixels can
/// be seen.
inline void SavePng(const QImage& image, const std::string& name, int scale = 8) {
    testsupport::SaveForInspection(image, name, scale);
}

}  // namespace kittest
