#pragma once

#include <QImage>

namespace bench {

/// A picture that compresses like a photograph: smooth shapes at several scales plus a little
/// grain. The same seed gives the same pixels.
QImage PhotoLike(int width, int height, unsigned seed = 1);

}  // namespace bench
