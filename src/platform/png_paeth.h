#pragma once

#include <cstdlib>

namespace platform {

/// The Paeth predictor of PNG row filter 4, from the byte to the left (`a`), the byte above
/// (`b`) and the byte above left (`c`): whichever of the three is nearest to a + b - c, ties
/// going to a, then b. The encoder and the decoder must agree on it to the bit.
inline int PaethPredictor(int a, int b, int c) noexcept {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

}  // namespace platform
