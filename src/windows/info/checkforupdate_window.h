#pragma once

#include "platform/widgets/window.h"
#include "windows/info/update_check.h"

#include <string>

class LiteProgressWheel;
class UI_Button;
namespace platform {
class Label;
}

/// The window in which the user checks for an update on demand: a "Check" button, a progress
/// wheel and a message that tells the outcome when there is nothing to offer, the server
/// cannot be reached or its answer cannot be read; a release on offer goes to the update
/// dialog, after which the window closes by itself.
class CheckForUpdate_Window : public platform::Window {
public:
    /// Checks against `local` (the running tool's version unless a test gives another).
    explicit CheckForUpdate_Window(
        const updatecheck::LocalVersion& local = updatecheck::CurrentVersion());

    /// A new window, built and shown (one per menu choice).
    static CheckForUpdate_Window& ShowNew();

    UI_Button& PushButton1() const { return *m_pushButton1; }
    LiteProgressWheel& ProgressWheel1() const { return *m_progressWheel1; }
    platform::Label& TextMessage() const { return *m_textMessage; }

    /// Shows `text` under the button, grows the window to hold it and makes the button
    /// "Close".
    void ShowMessage(const std::string& text);
    /// The update check of this window.
    void Check();

protected:
    void Layout() override;
    void Event_Open() override;

private:
    void PushButton1_Action();

    updatecheck::LocalVersion m_local;
    UI_Button* m_pushButton1 = nullptr;
    LiteProgressWheel* m_progressWheel1 = nullptr;
    platform::Label* m_textMessage = nullptr;
};
