#include "support/screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>

namespace testsupport {

QImage Screenshot(QWidget& window) {
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    // Let the first paints and the window manager's placement settle.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QImage shot;
    if (QScreen* screen = window.screen())
        shot = screen->grabWindow(window.winId()).toImage();
    if (shot.isNull())
        shot = window.grab().toImage();
    return shot;
}

}  // namespace testsupport
