#pragma once

#include "platform/color.h"

#include <cstdint>
#include <vector>

namespace platform {

class Picture;

/// Pixel access to a picture or to its mask (whose pixels read as greys). Loops over many
/// pixels use the scan lines, never a call per pixel.
class RGBSurface {
public:
    /// Works on `target`, which must outlive this object.
    explicit RGBSurface(Picture& target);

    int Width() const noexcept;
    int Height() const noexcept;

    /// The colour at (x, y); black outside the picture. A mask's pixel reads as its grey.
    Color Pixel(int x, int y) const noexcept;
    /// Sets the colour at (x, y), keeping alpha; nothing outside the picture. A mask takes
    /// the colour's grey, (11 r + 16 g + 5 b) / 32, so a grey is stored exactly.
    void SetPixel(int x, int y, Color c) noexcept;

    /// Row y of a colour picture: each pixel 0xAARRGGBB, red in bits 16 to 23 (alpha 0xFF
    /// for an opaque picture). Throws OutOfBoundsException outside the picture or for a mask.
    std::uint32_t* Row(int y);
    const std::uint32_t* Row(int y) const;
    /// Row y of a mask. Throws OutOfBoundsException outside the mask or for a colour picture.
    std::uint8_t* GreyRow(int y);

    /// Paints `c` over the 4-connected area of pixels whose colour equals that at (x, y)
    /// exactly (alpha ignored). Nothing happens outside the picture.
    void FloodFill(int x, int y, Color c);

    /// Maps every pixel's red, green and blue through the three 256-entry tables; entries
    /// below 0 count as 0 and above 255 as 255; alpha and the mask are kept. Throws
    /// OutOfBoundsException when a table does not have 256 entries. A mask maps through
    /// the red table.
    void Transform(const std::vector<std::int32_t>& redMap,
                   const std::vector<std::int32_t>& greenMap,
                   const std::vector<std::int32_t>& blueMap);
    /// One table for all three channels.
    void Transform(const std::vector<std::int32_t>& map);

private:
    Picture* m_target;
};

}  // namespace platform
