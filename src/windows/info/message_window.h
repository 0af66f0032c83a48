#pragma once

#include "platform/widgets/window.h"

#include <cstdint>
#include <functional>
#include <string>

class UI_Button;
class UI_Checkbox;
namespace platform {
class Canvas;
}

/// The program's one message window: a note icon, the notice in white, a "Do not show this
/// message again" box and an "Ok" button. Closing it with the box ticked adds the id of the
/// notice on show to the list of suppressed messages.
class Message_Window : public platform::Window {
public:
    /// Use Instance: the window exists once.
    Message_Window();

    /// The open message window, or a new one, built and shown.
    static Message_Window& Instance();

    /// The notice on show and its message id; empty and 0 until the first Disp.
    std::string Message;
    std::int32_t Number = 0;

    UI_Button& PushButton1() const { return *m_pushButton1; }
    UI_Checkbox& RunOnce_CheckBox() const { return *m_runOnceCheckBox; }
    platform::Canvas& Message_Canvas() const { return *m_messageCanvas; }

    /// Shows `text` as notice `id`, replacing the one on show; the window grows to a text
    /// taller than it has room for (never shrinks). Shown modal within `parent` when one is
    /// given, else plainly (which brings it to the front). Returns at once.
    void Disp(const std::string& text, std::int32_t id, platform::Window* parent);

    /// How Disp measures a text: its height in pixels wrapped at `wrapWidth`, in the text
    /// area's default font. Tests may replace it; empty restores the real one. Returns the
    /// previous measure.
    using TextMeasure = std::function<int(const std::string& text, int wrapWidth)>;
    static TextMeasure SetTextMeasure(TextMeasure measure);

protected:
    void Layout() override;
    void Event_Open() override;
    void Event_Close() override;

private:
    UI_Button* m_pushButton1 = nullptr;
    UI_Checkbox* m_runOnceCheckBox = nullptr;
    platform::Canvas* m_messageCanvas = nullptr;
};

/// Makes the program's notices go to the message window (batch mode's and the job's).
void InstallMessageWindow();
