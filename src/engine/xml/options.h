#pragma once

#include <functional>
#include <string>

namespace Variables {

/// The font-size percentage (outside browser blocks) and the gain sensibility options, each
/// when its flag is set. Applying the percentage twice multiplies twice.
/// Throws RuntimeException when a size leaves the 32-bit range.
void More_Options();

/// The day skin's stage "picture": inverts the red, green and blue of the composed bitmap
/// `New_picture`. That picture belongs to the bitmap side, which sits above this module, so the
/// bitmap side installs the stage here before it composes a bitmap.
inline std::function<void()> OutdoorPictureStage;

/// The day skin, stage compared ignoring case. "XML": every colour value of the skin lines is
/// inverted (a "#" starts one wherever it stands) and a rewritten line loses its indentation.
/// "picture": runs `OutdoorPictureStage`. Any other stage does nothing.
/// Throws NilObjectException for "picture" while no stage is installed (a day skin must never
/// come out uninverted without a report), and whatever the stage throws.
void Outdoor(const std::string& stage);

/// The day skin's colour inversion of one line (exposed for tests).
std::string InvertLineColours(const std::string& line);

}  // namespace Variables
