#pragma once

#include "key_cases.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/text/ui_textfield.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/picture.h"
#include "platform/widgets/window.h"
#include "support/inspection.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace fieldtest {

/// Opens the protected handlers for keys that no Qt key event can carry.
template <typename Base>
class Probe : public Base {
public:
    using Base::Base;
    using Base::Event_KeyDown;
    using Base::FullRefresh;
};

using Field = Probe<UI_TextField>;
using Picker = Probe<UI_ColorPicker>;

/// A dark window with a plain field, a colour picker and a second field to move the focus to.
class FieldWindow : public platform::Window {
public:
    Field* field = nullptr;
    Picker* picker = nullptr;
    Field* other = nullptr;
    std::vector<std::string> log;
    bool consumeKeys = false;
    bool consumeClicks = false;

protected:
    void Layout() override {
        setGeometry(100, 100, 300, 120);
        SetHasBackColor(true);
        SetBackColor(platform::RGB(0x33, 0x35, 0x38));
        field = &AddControl<Field>(
            this, [](Field& f) { f.setGeometry(10, 10, 100, 30); },
            [this](Field& f) { Attach(f, "field"); });
        picker = &AddControl<Picker>(
            this, [](Picker& p) { p.setGeometry(120, 10, 123, 31); },
            [this](Picker& p) {
                Attach(p, "picker");
                p.ColorChange = [this](platform::Color c) {
                    log.push_back("picker.ColorChange(" + std::to_string(c.r) + "," +
                                  std::to_string(c.g) + "," + std::to_string(c.b) + ")");
                };
            });
        other = &AddControl<Field>(
            this, [](Field& f) { f.setGeometry(10, 60, 100, 30); },
            [this](Field& f) { Attach(f, "other"); });
    }

private:
    void Attach(UI_TextField& f, const std::string& n) {
        f.TextChange = [this, n] { log.push_back(n + ".TextChange"); };
        f.Action = [this, n] { log.push_back(n + ".Action"); };
        f.GotFocus = [this, n] { log.push_back(n + ".GotFocus"); };
        f.LostFocus = [this, n] { log.push_back(n + ".LostFocus"); };
        f.Open = [this, n] { log.push_back(n + ".Open"); };
        f.KeyDown = [this](const std::string&) { return consumeKeys; };
        f.MouseDown = [this](int, int) { return consumeClicks; };
    }
};

inline int Count(const std::vector<std::string>& log, const std::string& what) {
    int n = 0;
    for (const auto& s : log)
        n += s == what;
    return n;
}

inline int QtKeyFor(char code) {
    namespace C = platform::keycode;
    switch (code) {
        case C::kLeft:
            return Qt::Key_Left;
        case C::kRight:
            return Qt::Key_Right;
        case C::kUp:
            return Qt::Key_Up;
        case C::kDown:
            return Qt::Key_Down;
        case C::kHome:
            return Qt::Key_Home;
        case C::kEnd:
            return Qt::Key_End;
        case C::kPageUp:
            return Qt::Key_PageUp;
        case C::kPageDown:
            return Qt::Key_PageDown;
        case C::kBackspace:
            return Qt::Key_Backspace;
        case C::kDelete:
            return Qt::Key_Delete;
        case C::kTab:
            return Qt::Key_Tab;
        case C::kEscape:
            return Qt::Key_Escape;
        case C::kReturn:
            return Qt::Key_Return;
        case C::kEnter:
            return Qt::Key_Enter;
        case C::kSpace:
            return Qt::Key_Space;
        case C::kFunctionKey:
            return Qt::Key_F5;
        default:
            return 0;
    }
}

/// Sends the key as a real key event when Qt can carry it, else straight to the handler.
/// Returns whether the field consumed it.
template <typename F>
bool SendKey(F& f, const keycases::Key& k) {
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (k.shift)
        mods |= Qt::ShiftModifier;
    if (k.control)
        mods |= Qt::ControlModifier;
    int qtKey = k.text.size() == 1 ? QtKeyFor(k.text[0]) : 0;
    if (!qtKey && k.control && k.text.size() == 1 && k.text[0] >= 'a' && k.text[0] <= 'z')
        qtKey = Qt::Key_A + (k.text[0] - 'a');
    if (!qtKey && k.text == "\r")
        qtKey = Qt::Key_Return;
    const QString text = QString::fromStdString(k.text);
    const auto delivered = platform::KeyText(qtKey ? qtKey : Qt::Key_unknown, mods, text);
    // Tab that the field leaves is taken by Qt's focus chain, so the event reads as accepted;
    // ask the field itself.
    if (delivered && *delivered == k.text && qtKey != Qt::Key_Tab) {
        QKeyEvent e(QEvent::KeyPress, qtKey ? qtKey : Qt::Key_unknown, mods, text);
        QApplication::sendEvent(&f, &e);
        return e.isAccepted();
    }
    platform::SetEventModifiers(mods);
    return f.Event_KeyDown(k.text);
}

inline void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Click(QWidget* w, QPoint at) {
    Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline platform::Color PixelAt(const platform::Picture& p, int x, int y) {
    const QRgb c = p.Image().pixel(x, y);
    return platform::RGB(qRed(c), qGreen(c), qBlue(c));
}

inline platform::Color Hex(std::uint32_t v) {
    return platform::RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

/// Writes a rendered picture for a person to look at.
inline void SavePng(const platform::Picture& p, const std::string& name) {
    testsupport::SaveForInspection(p, "kit_text_" + name);
}

}  // namespace fieldtest
