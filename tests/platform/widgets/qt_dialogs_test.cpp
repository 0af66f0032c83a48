#include "platform/widgets/qt_dialogs.h"

#include "platform/thread.h"
#include "platform/timer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QTimer>

#include <fstream>
#include <functional>

using namespace platform;

namespace {

/// Answers the next modal dialog once the loop runs, as a user would.
template <typename DialogType>
void AnswerNextDialog(std::function<void(DialogType&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<DialogType*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no dialog of the expected kind is showing";
        answer(*dialog);
    });
}

/// Installs a provider for one test and puts the previous one back.
class SetDialogsBack {
public:
    explicit SetDialogsBack(std::unique_ptr<Dialogs> provider)
        : m_previous(SetDialogs(std::move(provider))) {}
    ~SetDialogsBack() { SetDialogs(std::move(m_previous)); }

private:
    std::unique_ptr<Dialogs> m_previous;
};

void ClickButton(QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons()) {
        if (b->text() == text) {
            b->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    box.reject();
}

}  // namespace

TEST(QtDialogsTest, MessageBoxShowsTheTextAndReturnsOnOk) {
    QString shown;
    AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        ClickButton(box, "OK");
    });
    QtDialogs().MsgBox("Unable to open the graphics file.");
    EXPECT_EQ(shown, "Unable to open the graphics file.");
}

TEST(QtDialogsTest, MessageDialogReturnsThePressedButton) {
    MessageDialogSpec spec;
    spec.message = "Unhandeld Exception";
    spec.explanation = "NilObjectException";
    spec.actionCaption = "Quit";
    spec.cancelCaption = "Continue";
    spec.icon = DialogIcon::Stop;
    spec.title = "Malvoren Tool";
    QString explanation;
    QString title;
    AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
        explanation = box.informativeText();
        title = box.windowTitle();
        ClickButton(box, "Continue");
    });
    EXPECT_EQ(QtDialogs().ShowMessageDialog(spec), DialogButton::Cancel);
    EXPECT_EQ(explanation, "NilObjectException");
    EXPECT_EQ(title, "Malvoren Tool");
    AnswerNextDialog<QMessageBox>([](QMessageBox& box) { ClickButton(box, "Quit"); });
    EXPECT_EQ(QtDialogs().ShowMessageDialog(spec), DialogButton::Action);
}

TEST(QtDialogsTest, OpenFileDialogIsQtsOwnAndReturnsTheChosenFile) {
    testsupport::TempFolder temp;
    const auto skin = temp.Path() / "skin.xml";
    std::ofstream(skin) << "<skin/>";
    FileDialogSpec spec;
    spec.title = "Open a skin";
    spec.initialFolder = temp.Path().string();
    spec.filter = "xml";
    QStringList filters;
    bool native = true;
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        native = !dialog.testOption(QFileDialog::DontUseNativeDialog);
        dialog.selectFile(QString::fromStdString(skin.string()));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(QtDialogs().GetOpenFile(spec), skin.string());
    EXPECT_EQ(filters, QStringList{"Files (*.xml)"});
    EXPECT_FALSE(native);

    AnswerNextDialog<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(QtDialogs().GetOpenFile(spec), std::nullopt);
}

TEST(QtDialogsTest, YesNoBoxAnswersYesAndNo) {
    const SetDialogsBack back(std::make_unique<QtDialogs>());
    AnswerNextDialog<QMessageBox>([](QMessageBox& box) { ClickButton(box, "No"); });
    EXPECT_FALSE(YesNoBox("Save the changes?"));
    AnswerNextDialog<QMessageBox>([](QMessageBox& box) { ClickButton(box, "Yes"); });
    EXPECT_TRUE(YesNoBox("Save the changes?"));
}

TEST(QtDialogsTest, FileDialogTakesCaptionsTypeNameAndItsWindow) {
    testsupport::TempFolder temp;
    QWidget owner;
    owner.show();
    FileDialogSpec spec;
    spec.title = "Select an XML Skin file";
    spec.initialFolder = temp.Path().string();
    spec.filter = "xml";
    spec.filterName = "XML Files";
    spec.actionCaption = "Open";
    spec.cancelCaption = "Annuler";
    spec.parent = &owner;
    QString title;
    QString accept;
    QString reject;
    QStringList filters;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        accept = dialog.labelText(QFileDialog::Accept);
        reject = dialog.labelText(QFileDialog::Reject);
        filters = dialog.nameFilters();
        parent = dialog.parentWidget();
        modality = dialog.windowModality();
        dialog.reject();
    });
    EXPECT_EQ(QtDialogs().GetOpenFile(spec), std::nullopt);
    EXPECT_EQ(title, "Select an XML Skin file");
    EXPECT_EQ(accept, "Open");
    EXPECT_EQ(reject, "Annuler");
    EXPECT_EQ(filters, QStringList{"XML Files (*.xml)"});
    EXPECT_EQ(parent, &owner);
    EXPECT_EQ(modality, Qt::WindowModal);
}

TEST(QtDialogsTest, SaveFileDialogOffersTheSuggestedName) {
    testsupport::TempFolder temp;
    FileDialogSpec spec;
    spec.initialFolder = temp.Path().string();
    spec.suggestedName = "resized.xml";
    QString offered;
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        offered = QFileInfo(dialog.selectedFiles().value(0)).fileName();
        static_cast<QDialog&>(dialog).accept();
    });
    const auto chosen = QtDialogs().GetSaveFile(spec);
    EXPECT_EQ(offered, "resized.xml");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(QFileInfo(QString::fromStdString(*chosen)).fileName(), "resized.xml");
}

TEST(QtDialogsTest, ColorChooserStartsAtTheGivenColourAndReturnsTheChosenOne) {
    QColor initial;
    QString title;
    AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        initial = dialog.currentColor();
        title = dialog.windowTitle();
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    const auto chosen = QtDialogs().SelectColor("Select a Color", RGB(0x33, 0x35, 0x38));
    EXPECT_EQ(initial, QColor(0x33, 0x35, 0x38));
    EXPECT_EQ(title, "Select a Color");
    EXPECT_EQ(chosen, RGB(0x12, 0x34, 0x56));
    AnswerNextDialog<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(QtDialogs().SelectColor("Select a Color", RGB(0, 0, 0)), std::nullopt);
}

TEST(QtDialogsTest, FilterTextsBecomeQtNameFilters) {
    EXPECT_EQ(QtNameFilter("bmp;jpg;png"), "Files (*.bmp *.jpg *.png)");
    EXPECT_EQ(QtNameFilter(".bmp;.jpeg"), "Files (*.bmp *.jpeg)");
    EXPECT_EQ(QtNameFilter(""), "");
    EXPECT_EQ(QtNameFilter("bmp;jpeg;jpg;png", "Picture Files"),
              "Picture Files (*.bmp *.jpeg *.jpg *.png)");
}

TEST(WindowModeTest, SetUpGivesTheApplicationFontAndKeepsAHeadlessRunHeadless) {
    const QFont before = QApplication::font();
    SetUpWindowMode();
    const QFont font = QApplication::font();
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
    EXPECT_EQ(font.pixelSize(), 12);
    // Under the offscreen platform no one can answer Qt's dialogs.
    EXPECT_EQ(dynamic_cast<QtDialogs*>(&CurrentDialogs()), nullptr);
    SetYieldHook({});
    QApplication::setFont(before);
}

TEST(DoEventsTest, UnderTheManualDriverServesPendingEventsOnceWithoutMovingTime) {
    ScopedManualTimers timers;
    int served = 0;
    QTimer::singleShot(0, [&] { ++served; });
    const std::int64_t before = timers->NowMs();
    DoEvents(100);
    EXPECT_EQ(served, 1);
    EXPECT_EQ(timers->NowMs(), before);  // only tests move the manual clock
    EXPECT_EQ(timers->ScheduledCount(), 0u);
}
