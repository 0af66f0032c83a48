#include "platform/widgets/qt_dialogs.h"

#include "platform/application.h"
#include "platform/beep.h"
#include "platform/event_yield.h"
#include "platform/menu.h"
#include "platform/screen.h"
#include "platform/text.h"
#include "platform/widgets/menubar_view.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The message window's measures, in pixels.
constexpr int kMargin = 16;
constexpr int kSpacing = 12;
constexpr int kIconSize = 32;
constexpr int kTextWidth = 420;
constexpr int kMinTextWidth = 260;
constexpr int kMinTextHeight = 48;
// Room kept for a window manager's frame (title bar and borders) around a dialog.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

// What the message window's buttons end it with; 0 is Escape or the close box.
constexpr int kActionCode = 1;
constexpr int kAlternateCode = 2;
constexpr int kCancelCode = 3;

QStyle::StandardPixmap IconFor(DialogIcon icon) {
    switch (icon) {
        case DialogIcon::Note:
            return QStyle::SP_MessageBoxInformation;
        case DialogIcon::Caution:
            return QStyle::SP_MessageBoxWarning;
        case DialogIcon::Stop:
            return QStyle::SP_MessageBoxCritical;
        case DialogIcon::Question:
            return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

QWidget* ParentFor(QWidget* requested) {
    return requested ? requested : QApplication::activeWindow();
}

std::optional<std::string> RunFileDialog(const FileDialogSpec& spec, QFileDialog::AcceptMode mode) {
    // Qt takes a start folder that does not exist as a folder and a file name ("Desktop"
    // typed as the name, in the home folder): such a folder starts in the home folder instead.
    QString folder = Q(spec.initialFolder);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QFileDialog dialog(ParentFor(spec.parent), Q(spec.title), folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Modal within its window: the window's own events wait, the others' do not.
    dialog.setWindowModality(spec.parent ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(spec);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
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

MessageDialogWindow::MessageDialogWindow(const MessageDialogSpec& spec, bool plain, QWidget* parent)
    : QDialog(parent)
    , m_spec(spec) {
    setObjectName(QStringLiteral("messageDialogWindow"));
    setWindowTitle(Q(spec.title));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    outer->setSpacing(kSpacing);
    auto* row = new QHBoxLayout;
    row->setSpacing(kSpacing);
    if (!plain) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("iconLabel"));
        icon->setPixmap(style()->standardIcon(IconFor(spec.icon)).pixmap(kIconSize, kIconSize));
        icon->setFixedSize(kIconSize, kIconSize);
        row->addWidget(icon, 0, Qt::AlignTop);
    }
    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("messageTextEdit"));
    m_text->setReadOnly(true);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->setFocusPolicy(Qt::ClickFocus);
    // Read like a label: the window's colour behind the text, no margin of the document's own.
    m_text->viewport()->setAutoFillBackground(false);
    m_text->setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));
    m_text->document()->setDocumentMargin(0);
    QTextCursor cursor(m_text->document());
    if (plain) {
        cursor.insertText(Q(spec.message));
    } else {
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(Q(spec.message), bold);
        if (!spec.explanation.empty()) {
            // A blank line apart; every line of the explanation is a paragraph of its own and
            // takes the format of the one before, so that format stays plain.
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            cursor.insertBlock();
            cursor.insertText(Q(spec.explanation));
        }
    }
    m_text->moveCursor(QTextCursor::Start);
    row->addWidget(m_text, 1);
    outer->addLayout(row, 1);

    // The framework's order: the alternate button apart on the left, the action on the right.
    auto* buttons = new QHBoxLayout;
    const auto add = [this, buttons](const std::string& caption, const char* name, int code) {
        auto* button = new QPushButton(Q(caption), this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
        buttons->addWidget(button);
        return button;
    };
    if (!spec.alternateCaption.empty())
        m_alternate = add(spec.alternateCaption, "alternateButton", kAlternateCode);
    buttons->addStretch(1);
    if (!spec.cancelCaption.empty())
        m_cancel = add(spec.cancelCaption, "cancelButton", kCancelCode);
    m_action = add(spec.actionCaption, "actionButton", kActionCode);
    m_action->setDefault(true);
    outer->addLayout(buttons);
}

QPushButton* MessageDialogWindow::Button(DialogButton which) const noexcept {
    switch (which) {
        case DialogButton::Action:
            return m_action;
        case DialogButton::Alternate:
            return m_alternate;
        case DialogButton::Cancel:
            return m_cancel;
    }
    return nullptr;
}

DialogButton MessageDialogWindow::NoAnswer() const noexcept {
    if (m_cancel)
        return DialogButton::Cancel;
    if (m_alternate)
        return DialogButton::Alternate;
    return DialogButton::Action;
}

void MessageDialogWindow::FitIntoScreen() {
    ensurePolished();
    const ScreenRect area = AvailableArea();
    const int maxWidth = area.width - kFrameWidth;
    const int maxHeight = area.height - kFrameHeight;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool icon = findChild<QLabel*>(QStringLiteral("iconLabel")) != nullptr;
    const int besideText = 2 * kMargin + (icon ? kIconSize + kSpacing : 0);

    // A short text keeps a narrow window; a long one wraps at a comfortable line length,
    // narrower when the screen is.
    QTextDocument* document = m_text->document();
    document->setDefaultFont(m_text->font());
    document->setTextWidth(-1);
    int textWidth =
        std::clamp(static_cast<int>(std::ceil(document->idealWidth())), kMinTextWidth, kTextWidth);
    textWidth = std::max(1, std::min(textWidth, maxWidth - besideText - scrollBar));
    document->setTextWidth(textWidth);
    int textHeight = static_cast<int>(std::ceil(document->size().height()));

    int buttonsHeight = 0;
    for (QPushButton* b : {m_action, m_alternate, m_cancel}) {
        if (b)
            buttonsHeight = std::max(buttonsHeight, b->sizeHint().height());
    }
    const int room = std::max(kMinTextHeight, maxHeight - 2 * kMargin - kSpacing - buttonsHeight);
    int viewWidth = textWidth;
    if (textHeight > room) {
        textHeight = room;
        viewWidth += scrollBar;
        m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    m_text->setFixedSize(viewWidth, std::max(textHeight, icon ? kIconSize : 0));
    adjustSize();
    setFixedSize(size());

    // Centred over the window it belongs to (else on the screen), and wholly inside the area,
    // room left for a window manager's frame.
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QPoint centre = over && over->isVisible()
                              ? over->frameGeometry().center()
                              : QRect(area.left, area.top, area.width, area.height).center();
    const int right = area.left + area.width - width() - kFrameWidth;
    const int bottom = area.top + area.height - height() - kFrameHeight;
    move(std::max(area.left, std::min(centre.x() - width() / 2, right)),
         std::max(area.top, std::min(centre.y() - height() / 2, bottom)));
}

DialogButton MessageDialogWindow::Run() {
    FitIntoScreen();
    m_action->setFocus();
    switch (exec()) {
        case kActionCode:
            return DialogButton::Action;
        case kAlternateCode:
            return DialogButton::Alternate;
        case kCancelCode:
            return DialogButton::Cancel;
        default:
            // Escape, or the close box.
            return NoAnswer();
    }
}

void QtDialogs::MsgBox(const std::string& text) {
    MessageDialogSpec spec;
    spec.message = text;
    MessageDialogWindow(spec, true, QApplication::activeWindow()).Run();
}

DialogButton QtDialogs::ShowMessageDialog(const MessageDialogSpec& spec) {
    return MessageDialogWindow(spec, false, QApplication::activeWindow()).Run();
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

QStringList QtNameFilters(const FileDialogSpec& spec) {
    QStringList filters;
    const QString filter = QtNameFilter(spec.filter, spec.filterName);
    if (filter.isEmpty())
        return filters;
    filters << filter;
    if (spec.offerAllFiles)
        filters << QStringLiteral("All Files (*)");
    return filters;
}

void KeepToolkitSettingsIn(const std::string& folder) {
    // Qt's file dialog and colour chooser keep their state under the organisation
    // "QtProject" in the user scope; on Linux the native format is the INI file below.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Q(folder));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Q(folder));
}

void SetUpWindowMode() {
    KeepToolkitSettingsIn(PreferencesFolder().Child("Malvoren Tool").NativePath());
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
