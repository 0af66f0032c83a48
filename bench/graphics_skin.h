#pragma once

#include <QImage>

namespace bench {

/// A bitmap drawn like a real skin's: flat and gradient panels with bevels, text labels and a
/// browser list, meters, and below row `skinHeight` a sprite area of button states and knob
/// frames repeated in a grid. Needs a QGuiApplication (for the fonts). The same arguments give
/// the same pixels on the same fonts.
QImage GraphicsSkin(int width, int skinHeight, int height);

}  // namespace bench
