#pragma once

#include "kit/toggles/toggle_paint.h"
#include "platform/event.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <string>

/// The kit's radio button: a circle at the left edge with a dot while selected and a caption
/// to its right. Selecting a button clears every other radio button of its window that has
/// the same parent control (buttons directly on a window form one group) and raises its
/// `Action`; clearing raises nothing.
class UI_RadioButton : public platform::Canvas {
public:
    using Style = kit::RadioStyle;

    explicit UI_RadioButton(QWidget* parent = nullptr);

    /// Plain fields: a change shows at the next paint.
    bool Bold = false;
    std::string Caption;
    Style MyStyle;
    platform::Color Backcolor{0, 0, 0};
    bool HasBackcolor = false;

    bool Value() const noexcept { return m_value; }
    /// Ignored when unchanged. Selecting clears the group first, then repaints and raises
    /// Action; clearing only repaints.
    void SetValue(bool value);

    /// Clears every radio button of this window with the same parent control, this one too.
    void UnselectAllRadio();

    /// Style setters that repaint, also when the value is unchanged.
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
    bool m_value = false;
};
