#pragma once

#include "platform/dialogs.h"

#include <QDialog>
#include <QString>

#include <string>

class QPushButton;
class QTextEdit;

namespace platform {

/// The interactive provider: our own message window (below), Qt's own (non-native) file
/// dialogs and colour chooser, each run modally.
class QtDialogs : public Dialogs {
public:
    void MsgBox(const std::string& text) override;
    DialogButton ShowMessageDialog(const MessageDialogSpec& spec) override;
    std::optional<std::string> GetOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFile(const FileDialogSpec& spec) override;
    std::optional<Color> SelectColor(const std::string& prompt, Color initial) override;
};

/// The window of a message box or message dialog. It never outgrows the available screen
/// area (MALVOREN_SCREEN included): the message and the explanation share one read-only text
/// view that scrolls when they are too long, and the buttons stay below it. Escape and the
/// close box give the dialog's "no" answer: the cancel button, else the alternate button,
/// else the action button (the only answer a box with one button has).
class MessageDialogWindow : public QDialog {
public:
    /// `plain`: a message box, whose text is shown without the message's bold type.
    MessageDialogWindow(const MessageDialogSpec& spec, bool plain, QWidget* parent);

    /// Shows the window modally and returns the answer.
    DialogButton Run();

    const MessageDialogSpec& Spec() const noexcept { return m_spec; }
    /// The button for `which`, or nullptr when the dialog does not show it.
    QPushButton* Button(DialogButton which) const noexcept;
    QTextEdit& TextView() const noexcept { return *m_text; }
    /// The answer that Escape and the close box give.
    DialogButton NoAnswer() const noexcept;

private:
    void FitIntoScreen();

    MessageDialogSpec m_spec;
    QTextEdit* m_text = nullptr;
    QPushButton* m_action = nullptr;
    QPushButton* m_alternate = nullptr;
    QPushButton* m_cancel = nullptr;
};

/// "bmp;jpg;png" as a Qt name filter: "Files (*.bmp *.jpg *.png)", or with the type's name
/// ("Picture Files (*.bmp ...)"); empty for any file.
QString QtNameFilter(const std::string& extensions, const std::string& typeName = {});

/// Every name filter of a file dialog, in the order offered: the type's, then "All Files (*)"
/// when `offerAllFiles` is set. Empty for any file.
QStringList QtNameFilters(const FileDialogSpec& spec);

/// Where the toolkit keeps its own settings (the file dialog's history of folders and its
/// sidebar): "QtProject.conf" in `folder` instead of the user's configuration folder, so that
/// everything the tool writes stays in its own folder. Takes effect for settings opened
/// afterwards.
void KeepToolkitSettingsIn(const std::string& folder);

/// Sets up window mode: the application font (Liberation Sans, 12 px), Qt's dialogs unless
/// the platform is headless, Qt's pop-up menus, the toolkit's beep, the toolkit's settings in
/// the tool's own folder of the preferences folder, and the yield hook that processes events
/// while a job runs.
void SetUpWindowMode();

}  // namespace platform
