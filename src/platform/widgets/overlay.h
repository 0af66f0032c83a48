#pragma once

#include "platform/event.h"
#include "platform/picture.h"

#include <QWidget>

namespace platform {

class Window;

/// A borderless window over everything else that never takes the focus: the base of the
/// tooltip balloon. It shows a picture through a grey mask (black opaque, white transparent),
/// so the pixels that the mask makes transparent show what lies beneath.
///
/// Left, Top, Width and Height are in screen coordinates. Alpha (0 to 1) is the whole
/// window's opacity; it reads back exactly as written, although the screen gets it limited
/// to 0 to 1.
class OverlayWindow : public QWidget {
public:
    OverlayWindow(int left, int top, int width, int height);
    ~OverlayWindow() override;

    /// The window the overlay belongs to (it stays above it and goes with it).
    void SetOwner(Window* owner);

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetBounds(int left, int top, int width, int height);

    double Alpha() const noexcept { return m_alpha; }
    void SetAlpha(double alpha);

    /// The picture shown, from the overlay's top left; none shows nothing.
    PicturePtr Pict;
    /// Grey mask of the picture; none leaves the picture opaque.
    PicturePtr Mask;

    /// Shows the overlay (without activating it) and repaints it.
    void UpdateShow();
    /// Repaints it with the current picture and mask.
    void Update();
    /// Hides it for good; a second call does nothing.
    void Close();
    bool IsClosed() const noexcept { return m_closed; }

    /// The pixels the overlay puts on the screen: the picture with alpha 255 − mask grey,
    /// transparent where there is no picture.
    QImage ComposedImage() const;

    Event<bool(int x, int y)> MouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double m_alpha = 1.0;
    bool m_closed = false;
};

}  // namespace platform
