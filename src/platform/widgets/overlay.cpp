#include "platform/widgets/overlay.h"

#include "platform/dispatch.h"
#include "platform/widgets/window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace platform {

OverlayWindow::OverlayWindow(int left, int top, int width, int height)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(left, top, width, height);
}

OverlayWindow::~OverlayWindow() = default;

void OverlayWindow::SetOwner(Window* owner) {
    if (!owner)
        return;
    // winId() makes the native windows that a transient parent needs.
    winId();
    owner->winId();
    windowHandle()->setTransientParent(owner->windowHandle());
}

void OverlayWindow::SetBounds(int left, int top, int width, int height) {
    setGeometry(left, top, width, height);
}

void OverlayWindow::SetAlpha(double alpha) {
    m_alpha = alpha;
    setWindowOpacity(std::clamp(alpha, 0.0, 1.0));
}

void OverlayWindow::UpdateShow() {
    if (m_closed)
        return;
    show();
    update();
}

void OverlayWindow::Update() {
    update();
}

void OverlayWindow::Close() {
    if (m_closed)
        return;
    m_closed = true;
    hide();
}

QImage OverlayWindow::ComposedImage() const {
    QImage out(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    if (!Pict)
        return out;
    const QImage colour = Pict->Image().convertToFormat(QImage::Format_ARGB32);
    const QImage* grey = Mask ? &Mask->Image() : nullptr;
    const int w = std::min(out.width(), colour.width());
    const int h = std::min(out.height(), colour.height());
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uchar* m = grey && y < grey->height() ? grey->constScanLine(y) : nullptr;
        for (int x = 0; x < w; ++x) {
            const int maskAlpha = m && x < grey->width() ? 255 - m[x] : 255;
            const int alpha = qAlpha(src[x]) * maskAlpha / 255;
            dst[x] = qRgba(qRed(src[x]), qGreen(src[x]), qBlue(src[x]), alpha);
        }
    }
    return out;
}

void OverlayWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Replace, never blend: a transparent pixel must stay transparent on the translucent
    // surface.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, ComposedImage());
}

void OverlayWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Dispatch([&] { return MouseDown.Raise(at.x(), at.y()); });
}

}  // namespace platform
