#include "platform/widgets/qt_dialogs.h"

#include "platform/beep.h"
#include "platform/event_yield.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/widgets/menubar_view.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFont>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon IconFor(DialogIcon icon) {
    switch (icon) {
        case DialogIcon::Note:
            return QMessageBox::Information;
        case DialogIcon::Caution:
            return QMessageBox::Warning;
        case DialogIcon::Stop:
            return QMessageBox::Critical;
        case DialogIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::Information;
}

QWidget* ParentFor(QWidget* requested) {
    return requested ? requested : QApplication::activeWindow();
}

std::optional<std::string> RunFileDialog(const FileDialogSpec& spec, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(ParentFor(spec.parent), Q(spec.title), Q(spec.initialFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Modal within its window: the window's own events wait, the others' do not.
    dialog.setWindowModality(spec.parent ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QString filter = QtNameFilter(spec.filter, spec.filterName);
    if (!filter.isEmpty())
        dialog.setNameFilter(filter);
    if (!spec.suggestedName.empty())
        dialog.selectFile(Q(spec.suggestedName));
    if (!spec.actionCaption.empty())
        dialog.setLabelText(QFileDialog::Accept, Q(spec.actionCaption));
    if (!spec.cancelCaption.empty())
        dialog.setLabelText(QFileDialog::Reject, Q(spec.cancelCaption));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

QString QtNameFilter(const std::string& extensions, const std::string& typeName) {
    QStringList patterns;
    for (const std::string& ext : Split(extensions, ";")) {
        std::string e = Trim(ext);
        if (!e.empty() && e.front() == '.')
            e.erase(0, 1);
        if (!e.empty())
            patterns << QStringLiteral("*.") + Q(e);
    }
    if (patterns.isEmpty())
        return {};
    const QString name = typeName.empty() ? QStringLiteral("Files") : Q(typeName);
    return name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

void QtDialogs::MsgBox(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), Q(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

DialogButton QtDialogs::ShowMessageDialog(const MessageDialogSpec& spec) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(Q(spec.title));
    box.setIcon(IconFor(spec.icon));
    box.setText(Q(spec.message));
    box.setInformativeText(Q(spec.explanation));
    QPushButton* action = box.addButton(Q(spec.actionCaption), QMessageBox::AcceptRole);
    QPushButton* alternate = spec.alternateCaption.empty()
                                 ? nullptr
                                 : box.addButton(Q(spec.alternateCaption), QMessageBox::ActionRole);
    QPushButton* cancel = spec.cancelCaption.empty()
                              ? nullptr
                              : box.addButton(Q(spec.cancelCaption), QMessageBox::RejectRole);
    box.setDefaultButton(action);
    if (cancel)
        box.setEscapeButton(cancel);
    box.exec();
    if (alternate && box.clickedButton() == alternate)
        return DialogButton::Alternate;
    if (cancel && box.clickedButton() == cancel)
        return DialogButton::Cancel;
    return DialogButton::Action;
}

std::optional<std::string> QtDialogs::GetOpenFile(const FileDialogSpec& spec) {
    return RunFileDialog(spec, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDialogs::GetSaveFile(const FileDialogSpec& spec) {
    return RunFileDialog(spec, QFileDialog::AcceptSave);
}

std::optional<Color> QtDialogs::SelectColor(const std::string& prompt, Color initial) {
    QColorDialog dialog(QColor(initial.r, initial.g, initial.b), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(Q(prompt));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor c = dialog.selectedColor();
    return RGB(c.red(), c.green(), c.blue());
}

void SetUpWindowMode() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    if (!PlatformIsHeadless()) {
        SetDialogs(std::make_unique<QtDialogs>());
        SetPopupPresenter(std::make_unique<QtPopupPresenter>());
    }
    SetBeepSound([] { QApplication::beep(); });
    InstallEventYield();
}

}  // namespace platform
