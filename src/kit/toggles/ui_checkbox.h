#pragma once

#include "kit/toggles/toggle_canvas.h"
#include "kit/toggles/toggle_paint.h"

#include <cstdint>
#include <string_view>

/// The kit's check box: a rounded box at the left edge with a tick while checked and a
/// caption to its right, wrapped to the width that remains and centred vertically.
///
/// States 0 (unchecked), 1 (checked) and 2 (indeterminate); `Value` reads true in 1 and 2.
/// A click released inside, or Space, toggles `Value`. Every assignment to `State` raises
/// `Action`, also of the state it has; `Value` changes the state, and so raises, only when
/// the new value differs from what it reads.
class UI_Checkbox : public kit::ToggleCanvas<kit::CheckboxStyle> {
public:
    explicit UI_Checkbox(QWidget* parent = nullptr);

    bool Value() const noexcept { return m_state == 1 || m_state == 2; }
    void SetValue(bool value);
    std::int32_t State() const noexcept { return m_state; }
    /// Stores the state, raises Action, then repaints; no test for an unchanged state.
    void SetState(std::int32_t state);

    /// The caption's bold flag, in the style record; the setter repaints.
    bool Bold() const noexcept { return MyStyle.TextBold != 0; }
    void SetBold(bool bold);

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    /// Toggles Value.
    void Act() override;

private:
    platform::PicturePtr StringToPicture(std::string_view text) const;

    std::int32_t m_state = 0;
};
