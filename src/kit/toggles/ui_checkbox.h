#pragma once

#include "kit/toggles/toggle_paint.h"
#include "platform/event.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <string>
#include <string_view>

/// The kit's check box: a rounded box at the left edge with a tick while checked and a
/// caption to its right, wrapped to the width that remains and centred vertically.
///
/// States 0 (unchecked), 1 (checked) and 2 (indeterminate); `Value` reads true in 1 and 2.
/// A click released inside, or Space, toggles `Value`. Every assignment to `State` raises
/// `Action`, also of the state it has; `Value` changes the state, and so raises, only when
/// the new value differs from what it reads.
class UI_Checkbox : public platform::Canvas {
public:
    using Style = kit::CheckboxStyle;

    explicit UI_Checkbox(QWidget* parent = nullptr);

    /// Plain fields: a change shows at the next paint.
    std::string Caption;
    Style MyStyle;
    bool HasBackcolor = false;
    platform::Color Backcolor{0, 0, 0};

    bool Value() const noexcept { return m_state == 1 || m_state == 2; }
    void SetValue(bool value);
    std::int32_t State() const noexcept { return m_state; }
    /// Stores the state, raises Action, then repaints; no test for an unchanged state.
    void SetState(std::int32_t state);

    /// The caption's font settings live in the style record; each setter repaints, also
    /// when the value is unchanged.
    bool Bold() const noexcept { return MyStyle.TextBold != 0; }
    void SetBold(bool bold);
    bool Italic() const noexcept { return MyStyle.TextItalic != 0; }
    void SetItalic(bool italic);
    bool Underline() const noexcept { return MyStyle.TextUnderline != 0; }
    void SetUnderline(bool underline);
    std::string TextFont() const { return MyStyle.TextFont; }
    void SetTextFont(const std::string& font);
    float TextSize() const noexcept { return MyStyle.TextSize; }
    void SetTextSize(float size);

    platform::Event<void()> Action;

protected:
    /// True until the open handler has applied the built-in style.
    bool Opening = true;

    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    void Event_MouseDrag(int, int) override {}
    void Event_DoubleClick(int, int) override {}
    bool Event_KeyDown(const std::string& key) override;

    void DrawBackground(platform::Graphics& g);
    platform::Color GetWindowColor() const;
    /// Fill kind 4, greyed while this control or its parent control is disabled.
    void DrawTexture(platform::Graphics& g, std::int32_t index);
    platform::Color ToGray(platform::Color c) const;

private:
    platform::PicturePtr StringToPicture(std::string_view text) const;

    std::int32_t m_state = 0;
};
