#pragma once

#include "kit/toggles/toggle_canvas.h"
#include "kit/toggles/toggle_paint.h"

/// The kit's radio button: a circle at the left edge with a dot while selected and a caption
/// to its right. Selecting a button clears every other radio button of its window that has
/// the same parent control (buttons directly on a window form one group) and raises its
/// `Action`; clearing raises nothing. A click or Space selects, never clears.
class UI_RadioButton : public kit::ToggleCanvas<kit::RadioStyle> {
public:
    explicit UI_RadioButton(QWidget* parent = nullptr);

    /// The caption's bold flag, a plain field (not in the style record).
    bool Bold = false;

    bool Value() const noexcept { return m_value; }
    /// Ignored when unchanged. Selecting clears the group first, then repaints and raises
    /// Action; clearing only repaints.
    void SetValue(bool value);

    /// Clears every radio button of this window with the same parent control, this one too.
    void UnselectAllRadio();

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    /// Selects the button.
    void Act() override;

private:
    bool m_value = false;
};
