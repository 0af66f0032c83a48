#include "support/screenshot.h"

#include "support/rendered.h"

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

std::filesystem::path SaveRendered(const QImage& image, const std::string& name) {
    const std::filesystem::path path = RenderedPath(name);
    image.save(QString::fromStdString(path.string()), "PNG");
    return path;
}

}  // namespace testsupport
