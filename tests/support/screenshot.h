#pragma once

#include <QImage>

class QWidget;

namespace testsupport {

/// Waits until `window` is shown on the display and painted, then takes what the display
/// shows of it (QScreen::grabWindow: the server's pixels, not a fresh render), falling back
/// to QWidget::grab where the platform cannot read its screen. Null image when the window
/// never appeared.
QImage Screenshot(QWidget& window);

}  // namespace testsupport
