#pragma once

#include "platform/color.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class DialogButton { Action, Alternate, Cancel };
enum class DialogIcon { Note, Caution, Stop, Question };

/// A message dialog with up to three buttons, after the framework's MessageDialog.
struct MessageDialogSpec {
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
    std::string initialFolder;
    std::string suggestedName;  // save dialogs
    /// Extensions without dots, separated by ";" ("bmp;jpg;png"); empty: any file.
    std::string filter;
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
};

/// The provider in force. Until one is installed this is the headless provider.
Dialogs& CurrentDialogs();
/// Installs `provider` (nullptr restores the headless one) and returns the previous one.
std::unique_ptr<Dialogs> SetDialogs(std::unique_ptr<Dialogs> provider);

/// True when no one can answer a dialog: the Qt platform is "offscreen" or "minimal", or
/// MALVOREN_HEADLESS=1.
bool IsHeadless();

/// Shorthand for CurrentDialogs().MsgBox(text).
void MsgBox(const std::string& text);

/// No one to ask: texts go to standard error, message dialogs take their action (default)
/// button, file dialogs and colour choosers are cancelled.
class HeadlessDialogs : public Dialogs {
public:
    void MsgBox(const std::string& text) override;
    DialogButton ShowMessageDialog(const MessageDialogSpec& spec) override;
    std::optional<std::string> GetOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFile(const FileDialogSpec& spec) override;
    std::optional<Color> SelectColor(const std::string& prompt, Color initial) override;
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

    void QueueButton(DialogButton b) { m_buttons.push_back(b); }
    void QueueOpenFile(std::optional<std::string> path) { m_openFiles.push_back(std::move(path)); }
    void QueueSaveFile(std::optional<std::string> path) { m_saveFiles.push_back(std::move(path)); }
    void QueueColor(std::optional<Color> c) { m_colors.push_back(c); }

    /// Texts of every message box, and the message of every message dialog, in order.
    std::vector<std::string> shown;
    std::vector<MessageDialogSpec> dialogs;
    std::vector<FileDialogSpec> openRequests;
    std::vector<FileDialogSpec> saveRequests;

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
