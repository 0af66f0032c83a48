#pragma once

#include "platform/color.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace platform {

enum class DialogButton { Action, Alternate, Cancel };
enum class DialogIcon { Note, Caution, Stop, Question };

/// A message dialog with up to three buttons, after the framework's MessageDialog.
struct MessageDialogSpec {
    /// The window title; empty: none.
    std::string title;
    std::string message;
    std::string explanation;
    std::string actionCaption = "OK";
    std::string alternateCaption;  // empty: no alternate button
    std::string cancelCaption;     // empty: no cancel button
    DialogIcon icon = DialogIcon::Note;
};

/// An open or save file dialog.
struct FileDialogSpec {
    std::string title;
    /// The folder the dialog starts in. A folder that does not exist (a missing Desktop) starts
    /// it in the home folder; empty leaves the choice to the toolkit.
    std::string initialFolder;
    std::string suggestedName;  // save dialogs
    /// Extensions without dots, separated by ";" ("bmp;jpg;png"); empty: any file.
    std::string filter;
    /// The name of the file type the filter stands for ("XML Files"); empty: "Files".
    std::string filterName;
    /// True adds a second choice, "All Files", that shows every file.
    bool offerAllFiles = false;
    /// Captions of the accept and cancel buttons; empty: the toolkit's own.
    std::string actionCaption;
    std::string cancelCaption;
    /// The window the dialog is modal within; nullptr: the active window.
    QWidget* parent = nullptr;
};

/// Every dialog the tool shows goes through one provider, so that a headless run never
/// blocks and tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// A plain modal message box with an OK button.
    virtual void MsgBox(const std::string& text) = 0;
    virtual DialogButton ShowMessageDialog(const MessageDialogSpec& spec) = 0;
    /// The chosen file's path, or nothing when cancelled.
    virtual std::optional<std::string> GetOpenFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> GetSaveFile(const FileDialogSpec& spec) = 0;
    /// The chosen colour, or nothing when cancelled.
    virtual std::optional<Color> SelectColor(const std::string& prompt, Color initial) = 0;
    /// True when no one can answer: the provider then takes every default by itself.
    virtual bool IsHeadless() const { return false; }
};

/// The provider in force. Until one is installed this is the headless provider.
Dialogs& CurrentDialogs();
/// Installs `provider` (nullptr restores the headless one) and returns the previous one.
std::unique_ptr<Dialogs> SetDialogs(std::unique_ptr<Dialogs> provider);

/// True when the installed provider cannot ask anyone (the headless one). Tests that install
/// the scripted provider therefore see the interactive paths, whatever the Qt platform.
bool IsHeadless();
/// True when the run has no one to show dialogs to: the Qt platform is "offscreen" or
/// "minimal", or MALVOREN_HEADLESS=1. Start-up uses it to choose the provider.
bool PlatformIsHeadless();

/// Shorthand for CurrentDialogs().MsgBox(text).
void MsgBox(const std::string& text);

/// A question with "Yes" (the action, default button) and "No" (the cancel button) through
/// the installed provider: true for "Yes". Headless, the default "Yes" is taken.
bool YesNoBox(const std::string& question, const std::string& title = {});

/// Lets the event loop run for `milliseconds` (the framework's DoEvents): a nested loop that
/// a single-shot timer on the timer driver ends, so timers, network replies and user input
/// are served meanwhile. Under the manual timer driver, whose clock only tests move, it
/// processes the pending events once and returns. Without an application object it returns.
void DoEvents(int milliseconds);

/// No one to ask: texts go to standard error, message dialogs take their action (default)
/// button, file dialogs and colour choosers are cancelled.
class HeadlessDialogs : public Dialogs {
public:
    void MsgBox(const std::string& text) override;
    DialogButton ShowMessageDialog(const MessageDialogSpec& spec) override;
    std::optional<std::string> GetOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFile(const FileDialogSpec& spec) override;
    std::optional<Color> SelectColor(const std::string& prompt, Color initial) override;
    bool IsHeadless() const override { return true; }
};

/// For tests: answers come from queues, and every text and request is recorded. An empty
/// queue answers as the headless provider does (default button, cancel), silently.
class ScriptedDialogs : public Dialogs {
public:
    void MsgBox(const std::string& text) override;
    DialogButton ShowMessageDialog(const MessageDialogSpec& spec) override;
    std::optional<std::string> GetOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFile(const FileDialogSpec& spec) override;
    std::optional<Color> SelectColor(const std::string& prompt, Color initial) override;

    /// True makes the provider stand for a run that no one can answer (batch mode without a
    /// display): IsHeadless() then says so, while answers still come from the queues.
    bool headless = false;
    bool IsHeadless() const override { return headless; }

    void QueueButton(DialogButton b) { m_buttons.push_back(b); }
    void QueueOpenFile(std::optional<std::string> path) { m_openFiles.push_back(std::move(path)); }
    void QueueSaveFile(std::optional<std::string> path) { m_saveFiles.push_back(std::move(path)); }
    void QueueColor(std::optional<Color> c) { m_colors.push_back(c); }

    /// Texts of every message box, and the message of every message dialog, in order.
    std::vector<std::string> shown;
    /// Every message dialog (Yes/No boxes included) with its title, captions and icon.
    std::vector<MessageDialogSpec> dialogs;
    std::vector<FileDialogSpec> openRequests;
    std::vector<FileDialogSpec> saveRequests;
    /// The prompt of every colour chooser.
    std::vector<std::string> colorPrompts;

private:
    std::deque<DialogButton> m_buttons;
    std::deque<std::optional<std::string>> m_openFiles;
    std::deque<std::optional<std::string>> m_saveFiles;
    std::deque<std::optional<Color>> m_colors;
};

/// Installs a ScriptedDialogs for the lifetime of this object (tests), restoring the
/// previous provider afterwards.
class ScopedScriptedDialogs {
public:
    ScopedScriptedDialogs();
    ~ScopedScriptedDialogs();
    ScopedScriptedDialogs(const ScopedScriptedDialogs&) = delete;
    ScopedScriptedDialogs& operator=(const ScopedScriptedDialogs&) = delete;
    ScriptedDialogs* operator->() noexcept { return m_dialogs; }
    ScriptedDialogs& operator*() noexcept { return *m_dialogs; }

private:
    ScriptedDialogs* m_dialogs;
    std::unique_ptr<Dialogs> m_previous;
};

}  // namespace platform
