#pragma once

#include "platform/widgets/window.h"

class UI_Button;
class UI_Checkbox;
class UI_PopupMenu;
namespace platform {
class Label;
}

/// The settings of the tool rather than of a job: whether the settings file is written again
/// this run, whether message windows show, whether the output folder opens after a job, the
/// start-up update check and the language. A new dialog is made at every opening; it writes
/// module settings only, never a file.
class SettingsWindow : public platform::Window {
public:
    SettingsWindow();

    /// Makes a new dialog and shows it; the dialog deletes itself when it closes.
    static SettingsWindow& OpenNew();

    UI_Checkbox& Default_CheckBox() const { return *m_default; }
    UI_Checkbox& Message_Window_CheckBox() const { return *m_messageWindow; }
    UI_Button& Apply_Button() const { return *m_apply; }
    UI_Checkbox& Window_Open_CheckBox() const { return *m_windowOpen; }
    platform::Label& StaticText1() const { return *m_label; }
    UI_PopupMenu& Lang_PopupMenu() const { return *m_lang; }
    UI_Checkbox& AutoUpdate_CheckBox() const { return *m_autoUpdate; }

    /// Set when the dialog has closed; nothing reads it.
    bool Closed = false;

protected:
    void Layout() override;
    void Event_Open() override;
    void Event_Close() override;

private:
    void Apply_Button_Action();
    void Lang_PopupMenu_Open();
    void Lang_PopupMenu_Close();

    UI_Checkbox* m_default = nullptr;
    UI_Checkbox* m_messageWindow = nullptr;
    UI_Button* m_apply = nullptr;
    UI_Checkbox* m_windowOpen = nullptr;
    platform::Label* m_label = nullptr;
    UI_PopupMenu* m_lang = nullptr;
    UI_Checkbox* m_autoUpdate = nullptr;
};
