#pragma once

#include <string>

namespace Variables {

/// The font-size percentage (outside browser blocks) and the gain sensibility options, each
/// when its flag is set. Applying the percentage twice multiplies twice.
/// Throws RuntimeException when a size leaves the 32-bit range.
void More_Options();

/// The day skin's stage "XML": every colour value of the skin lines is inverted (a "#" starts
/// one wherever it stands) and a rewritten line loses its indentation. The stage "picture",
/// which inverts the composed bitmap, is the bitmap side's; every other stage does nothing here.
void Outdoor(const std::string& stage);

/// The day skin's colour inversion of one line (exposed for tests).
std::string InvertLineColours(const std::string& line);

}  // namespace Variables
