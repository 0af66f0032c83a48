#pragma once

#include "platform/color.h"
#include "platform/picture.h"
#include "platform/rgbsurface.h"
#include "platform/widgets/window.h"
#include "support/inspection.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>

#include <cstdlib>
#include <functional>
#include <string>

namespace buttonstest {

/// A window whose layout is given by the test; its controls are added in the fixed order.
class ProbeWindow : public platform::Window {
public:
    std::function<void(ProbeWindow&)> layout;

    template <typename T>
    T& Add(const std::function<void(T&)>& stored = {}, QWidget* container = nullptr) {
        return AddControl<T>(container ? container : this, stored);
    }

protected:
    void Layout() override {
        if (layout)
            layout(*this);
    }
};

inline void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, QPoint at) {
    Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
inline void Release(QWidget* w, QPoint at) {
    Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}
inline void Move(QWidget* w, QPoint at) {
    Mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}
inline void Enter(QWidget* w) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
}
inline void Leave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}
inline void Key(QWidget* w, int qtKey, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &e);
}

/// The colour at (x, y) of a picture.
inline platform::Color At(const platform::Picture& p, int x, int y) {
    return const_cast<platform::Picture&>(p).RGBSurface().Pixel(x, y);
}

inline std::string Hex(platform::Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%02X%02X%02X", c.r, c.g, c.b);
    return buf;
}

constexpr platform::Color C(std::uint32_t rgb) {
    return platform::RGB(rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255);
}

/// Each channel within `tolerance` of the expected one: for pixels blended through a mask,
/// where the platform's rounding may differ by one level.
inline ::testing::AssertionResult Near(platform::Color actual, platform::Color expected,
                                       int tolerance = 1) {
    if (std::abs(actual.r - expected.r) <= tolerance &&
        std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Hex(actual) << " is not near " << Hex(expected);
}

/// A white blended over `under` through a mask grey: (255 × (255 − grey) + under × grey) / 255.
constexpr int OverWhite(int under, int grey) {
    return (255 * (255 - grey) + under * grey + 127) / 255;
}

/// Writes the picture for a person to look at, enlarged `scale` times so that single pixels
/// can be seen.
inline void SavePng(const platform::Picture& p, const std::string& name, int scale = 4) {
    testsupport::SaveForInspection(p, name, scale);
}

inline void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace buttonstest
