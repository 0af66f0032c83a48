#pragma once

#include "kit/base/control_drawing.h"
#include "kit/base/ui_module.h"
#include "kit/toggles/toggle_layout.h"
#include "platform/event.h"
#include "platform/graphics.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <string>

namespace kit {

/// What the check box and the radio button share: the caption, the style record with its
/// font setters, the background fields, taking the focus on a press and acting on a release
/// inside or on Space, and the drawing routines of their paints. `StyleT` is the class's
/// style record.
template <typename StyleT>
class ToggleCanvas : public platform::Canvas {
public:
    using Style = StyleT;

    explicit ToggleCanvas(QWidget* parent)
        : platform::Canvas(parent) {}

    /// Plain fields: a change shows at the next paint.
    std::string Caption;
    Style MyStyle;
    bool HasBackcolor = false;
    platform::Color Backcolor{0, 0, 0};

    /// The caption's font settings live in the style record; each setter repaints, also
    /// when the value is unchanged.
    bool Italic() const noexcept { return MyStyle.TextItalic != 0; }
    void SetItalic(bool italic) {
        MyStyle.TextItalic = italic ? 1 : 0;
        Refresh(false);
    }
    bool Underline() const noexcept { return MyStyle.TextUnderline != 0; }
    void SetUnderline(bool underline) {
        MyStyle.TextUnderline = underline ? 1 : 0;
        Refresh(false);
    }
    std::string TextFont() const { return MyStyle.TextFont; }
    void SetTextFont(const std::string& font) {
        MyStyle.TextFont = font;
        Refresh(false);
    }
    float TextSize() const noexcept { return MyStyle.TextSize; }
    void SetTextSize(float size) {
        MyStyle.TextSize = size;
        Refresh(false);
    }

    platform::Event<void()> Action;

protected:
    /// True until the open handler has applied the built-in style; nothing consults it.
    bool Opening = true;

    /// What a click released inside the control, or the Space key, does.
    virtual void Act() = 0;

    /// Takes the focus and the press, so that the release arrives; no pressed look.
    bool Event_MouseDown(int, int) override {
        SetFocus();
        return true;
    }
    void Event_MouseUp(int x, int y) override {
        if (x >= 0 && x < Width() && y >= 0 && y < Height())
            Act();
    }
    void Event_MouseDrag(int, int) override {}
    void Event_DoubleClick(int, int) override {}
    /// Space acts and is consumed; every other key goes on to the window.
    bool Event_KeyDown(const std::string& key) override {
        if (key != " ")
            return false;
        Act();
        return true;
    }

    void DrawBackground(platform::Graphics& g) {
        DrawControlBackground(g, BackdropOf(*this, HasBackcolor, Backcolor));
    }
    platform::Color GetWindowColor() const { return WindowColorOf(*this); }
    /// Fill kind 4, greyed while this control or its parent control is disabled.
    void DrawTexture(platform::Graphics& g, std::int32_t index) {
        DrawTextureFill(g, UI_Module::GetTexture(index).get(), !DrawsEnabled(*this));
    }
    platform::Color ToGray(platform::Color c) const { return kit::ToGray(c); }
};

}  // namespace kit
