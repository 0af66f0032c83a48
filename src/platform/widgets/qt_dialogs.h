#pragma once

#include "platform/dialogs.h"

#include <QString>

namespace platform {

/// The interactive provider: Qt's own (non-native) message box, file dialogs and colour
/// chooser, each run modally.
class QtDialogs : public Dialogs {
public:
    void MsgBox(const std::string& text) override;
    DialogButton ShowMessageDialog(const MessageDialogSpec& spec) override;
    std::optional<std::string> GetOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFile(const FileDialogSpec& spec) override;
    std::optional<Color> SelectColor(const std::string& prompt, Color initial) override;
};

/// "bmp;jpg;png" as a Qt name filter: "Files (*.bmp *.jpg *.png)", or with the type's name
/// ("Picture Files (*.bmp ...)"); empty for any file.
QString QtNameFilter(const std::string& extensions, const std::string& typeName = {});

/// Sets up window mode: the application font (Liberation Sans, 12 px), Qt's dialogs unless
/// the platform is headless, Qt's pop-up menus, the toolkit's beep, and the yield hook that
/// processes events while a job runs.
void SetUpWindowMode();

}  // namespace platform
