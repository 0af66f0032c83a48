#pragma once

#include "kit/base/ui_control.h"
#include "kit/buttons/paint_geometry.h"
#include "kit/buttons/ui_button_style.h"
#include "platform/event.h"

#include <cstdint>
#include <string>

namespace platform {
class Graphics;
}

namespace kit {

/// What the push button and the menu button have in common: their state, the open step, the
/// mouse and key handling, `Push` and the paint. The two classes derive from it side by side,
/// so a menu button is not a push button (it takes no caption fitting and no named style),
/// and each states only where it differs.
class ButtonBase : public UI_Control {
public:
    explicit ButtonBase(QWidget* parent = nullptr);
    ~ButtonBase() override;

    /// The caption; setting it stores the text and nothing else (no repaint).
    std::string Caption() const { return Text; }
    void SetCaption(const std::string& caption) { Text = caption; }

    /// The class's own flag of this name; nothing reads it.
    bool FullRefresh = false;
    /// The style record; filled by the open step, then free for the window to change.
    UI_ButtonStyle MyStyle{};
    /// Storage of the caption; the paint draws it.
    std::string Text;
    /// 0 aligned left, 1 aligned right, 3 centred (the open step sets 3); others: no margin.
    std::int32_t CaptionAlign = 0;
    /// Distance of the caption from the left (placement 0) or right (placement 1) edge, added
    /// to the border width.
    std::int32_t CaptionDelta = 0;

    /// The width in pixels of the box as last painted; 0 before the first paint.
    std::int32_t RealWidth() const noexcept { return mRealWidth; }

    /// The name of the registry style last assigned (see SetSpecialStyle).
    const std::string& SpecialStyle() const noexcept { return mSpecialStyle; }
    /// Stores the name and, for a push button, copies the registry's style of that name into
    /// MyStyle as stored; no repaint, no event. A menu button only stores the name.
    void SetSpecialStyle(const std::string& name);

    /// Shows the pressed look, raises Action and releases the button once at least 12 ticks
    /// have passed since before the Action.
    void Push();

    /// The window's handler of a click or key press (the canvas's MouseExit serves as the
    /// button's own).
    platform::Event<void()> Action;

    bool IsMouseDown() const noexcept { return MouseDown; }
    bool IsMouseOver() const noexcept { return MouseOver; }

    /// Builds the whole control into `g` (the control's size) as every paint does.
    void PaintInto(platform::Graphics& g);

protected:
    /// Pressed: from an accepted press until its release, and during Push. (It hides the
    /// canvas's MouseDown event, which the button keeps from the window.)
    bool MouseDown = false;
    /// Pointer over the drawn width.
    bool MouseOver = false;

    /// The open step: focus settings, centred caption, style from the registry or built in.
    void Event_ControlOpen() override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    void Event_MouseMove(int x, int y) override;
    void Event_MouseExit() override;
    void Event_GotFocus() override;
    void Event_LostFocus() override;
    bool Event_KeyDown(const std::string& key) override;
    void Event_Paint(platform::Graphics& g) override;

    /// Fills `g` with the registry's texture `index`, greyed when the control is disabled.
    virtual void DrawTexture(platform::Graphics& g, int index);

    /// Own flag and the direct parent's.
    bool EnabledWithParent() const;
    /// Whether the window's focus control is this control.
    bool IsWindowFocus() const;

    /// The looks of one paint.
    virtual PushButtonLooks SelectLooks() const = 0;
    /// Whether a disabled control greys the normal look's caption.
    virtual bool GreysCaption() const = 0;
    /// Whether the look follows the window's focus. Such a control need not repaint when the
    /// pointer leaves while it holds the focus; one that ignores the focus need not repaint
    /// when it gains the focus under the pointer.
    virtual bool LookFollowsFocus() const = 0;
    /// Whether SetSpecialStyle copies a registry style.
    virtual bool TakesSpecialStyle() const = 0;
    /// A stage after the caption, drawn into the composite picture.
    virtual void PaintOver(platform::Graphics& g0);

private:
    std::int32_t mRealWidth = 0;
    std::string mSpecialStyle;
};

}  // namespace kit
