#include "platform/widgets/qt_dialogs.h"

#include "platform/screen.h"
#include "platform/thread.h"
#include "platform/timer.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace platform;

namespace {

/// Answers the next modal dialog once the loop runs, as a user would.
template <typename DialogType>
void AnswerNextDialog(std::function<void(DialogType&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = dynamic_cast<DialogType*>(QApplication::activeModalWidget());
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

void ClickButton(MessageDialogWindow& box, const QString& text) {
    for (QPushButton* b : box.findChildren<QPushButton*>()) {
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
    AnswerNextDialog<MessageDialogWindow>([&](MessageDialogWindow& box) {
        shown = box.TextView().toPlainText();
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
    AnswerNextDialog<MessageDialogWindow>([&](MessageDialogWindow& box) {
        explanation = box.TextView().toPlainText();
        title = box.windowTitle();
        ClickButton(box, "Continue");
    });
    EXPECT_EQ(QtDialogs().ShowMessageDialog(spec), DialogButton::Cancel);
    EXPECT_EQ(explanation, "Unhandeld Exception\n\nNilObjectException");
    EXPECT_EQ(title, "Malvoren Tool");
    AnswerNextDialog<MessageDialogWindow>(
        [](MessageDialogWindow& box) { ClickButton(box, "Quit"); });
    EXPECT_EQ(QtDialogs().ShowMessageDialog(spec), DialogButton::Action);
}

std::string NoteLines(int count) {
    std::string notes;
    for (int i = 1; i <= count; ++i)
        notes += "- fixed case " + std::to_string(i) + " of the release notes\n";
    return notes;
}

enum class Leave { Escape, CloseBox };

struct NoAnswerCase {
    const char* name;
    const char* screen;
    std::string explanation;
    std::string alternate;
    std::string cancel;
    Leave leave;
    DialogButton expected;
};

class MessageDialogNoAnswerTest : public ::testing::TestWithParam<NoAnswerCase> {};

// However long its text, the window lies inside the screen with every button on it, and
// leaving it without a button gives its "no": "Later" where the offer hides the cancel button.
TEST_P(MessageDialogNoAnswerTest, TheWindowFitsTheScreenAndLeavingItSaysNo) {
    const NoAnswerCase& c = GetParam();
    ScopedEnv screen{"MALVOREN_SCREEN", c.screen};
    const ScreenRect area = AvailableArea();
    MessageDialogSpec spec;
    spec.message = "New Version 9.0.0 of this application is available for download.";
    spec.explanation = c.explanation;
    spec.actionCaption = "Download";
    spec.alternateCaption = c.alternate;
    spec.cancelCaption = c.cancel;
    spec.icon = DialogIcon::Question;
    QRect frame;
    std::vector<QRect> buttons;
    bool scrolls = false;
    AnswerNextDialog<MessageDialogWindow>([&](MessageDialogWindow& box) {
        frame = box.frameGeometry();
        for (QPushButton* b : box.findChildren<QPushButton*>())
            buttons.push_back(QRect(b->mapTo(&box, QPoint(0, 0)), b->size()));
        scrolls = box.TextView().verticalScrollBar()->isVisible();
        if (c.leave == Leave::Escape)
            QTest::keyClick(box.Button(DialogButton::Action), Qt::Key_Escape);
        else
            box.windowHandle()->close();
    });
    EXPECT_EQ(QtDialogs().ShowMessageDialog(spec), c.expected);
    EXPECT_GE(frame.left(), area.left);
    EXPECT_GE(frame.top(), area.top);
    EXPECT_LE(frame.right(), area.left + area.width - 1);
    EXPECT_LE(frame.bottom(), area.top + area.height - 1);
    EXPECT_EQ(buttons.size(), 1u + !c.alternate.empty() + !c.cancel.empty());
    for (const QRect& b : buttons)
        EXPECT_TRUE(QRect(QPoint(0, 0), frame.size()).contains(b)) << c.name;
    EXPECT_EQ(scrolls, c.explanation.size() > 1000) << c.name;
}

// 200 lines of 12 px type need some 200 x 15 = 3000 rows: far taller than either screen.
// clang-format off
const NoAnswerCase kNoAnswerCases[] = {
    {"LongOfferEscapeIsLater",      "1024x768", NoteLines(200), "Later", "",       Leave::Escape,   DialogButton::Alternate},
    {"LongOfferCloseBoxIsLater",    "1024x768", NoteLines(200), "Later", "",       Leave::CloseBox, DialogButton::Alternate},
    {"LongOfferOnASmallScreen",     "640x480",  NoteLines(200), "Later", "",       Leave::Escape,   DialogButton::Alternate},
    {"ShortQuestionEscapeIsCancel", "1024x768", "Sure?",        "Later", "Cancel", Leave::Escape,   DialogButton::Cancel},
    {"ShortQuestionCloseIsCancel",  "1024x768", "Sure?",        "",      "No",     Leave::CloseBox, DialogButton::Cancel},
    {"OneButtonEscapeIsItsAnswer",  "1024x768", NoteLines(200), "",      "",       Leave::Escape,   DialogButton::Action},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cases, MessageDialogNoAnswerTest, ::testing::ValuesIn(kNoAnswerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtDialogsTest, AMessageBoxWithALongTextScrollsInsideTheScreen) {
    ScopedEnv screen{"MALVOREN_SCREEN", "800x600"};
    QRect frame;
    bool scrolls = false;
    AnswerNextDialog<MessageDialogWindow>([&](MessageDialogWindow& box) {
        frame = box.frameGeometry();
        scrolls = box.TextView().verticalScrollBar()->isVisible();
        ClickButton(box, "OK");
    });
    QtDialogs().MsgBox(NoteLines(300));
    EXPECT_TRUE(QRect(0, 0, 800, 600).contains(frame)) << frame.width() << "x" << frame.height();
    EXPECT_TRUE(scrolls);
}

TEST(QtDialogsTest, AStartFolderThatDoesNotExistStartsInTheHomeFolderWithNoName) {
    testsupport::TempFolder temp;
    std::filesystem::create_directories(temp.Path() / "home");
    ScopedEnv home{"HOME", (temp.Path() / "home").string()};
    FileDialogSpec spec;
    spec.title = "Select an XML Skin file";
    spec.initialFolder = (temp.Path() / "home" / "Desktop").string();
    spec.filter = "xml";
    QString folder;
    QString typed = "unread";
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        folder = dialog.directory().absolutePath();
        if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"))
            typed = name->text();
        dialog.reject();
    });
    EXPECT_EQ(QtDialogs().GetOpenFile(spec), std::nullopt);
    EXPECT_EQ(folder.toStdString(), (temp.Path() / "home").string());
    EXPECT_EQ(typed.toStdString(), "");

    // A folder that exists is where it starts.
    std::filesystem::create_directories(temp.Path() / "home" / "Desktop");
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        folder = dialog.directory().absolutePath();
        dialog.reject();
    });
    QtDialogs().GetOpenFile(spec);
    EXPECT_EQ(folder.toStdString(), spec.initialFolder);
}

TEST(QtDialogsTest, APictureChooserOffersItsTypesAndAllFiles) {
    testsupport::TempFolder temp;
    FileDialogSpec spec;
    spec.initialFolder = temp.Path().string();
    spec.filter = "bmp;jpeg;jpg;png";
    spec.filterName = "Picture Files";
    spec.offerAllFiles = true;
    QStringList filters;
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        dialog.reject();
    });
    QtDialogs().GetOpenFile(spec);
    EXPECT_EQ(filters, (QStringList{"Picture Files (*.bmp *.jpeg *.jpg *.png)", "All Files (*)"}));
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
    AnswerNextDialog<MessageDialogWindow>([](MessageDialogWindow& box) { ClickButton(box, "No"); });
    EXPECT_FALSE(YesNoBox("Save the changes?"));
    AnswerNextDialog<MessageDialogWindow>(
        [](MessageDialogWindow& box) { ClickButton(box, "Yes"); });
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

// Qt's file dialog remembers its folders in "QtProject.conf" of the user's settings: window
// mode keeps that file in the tool's own folder, beside nothing else of the user's.
TEST(WindowModeTest, TheFileDialogsHistoryStaysInTheToolsOwnFolder) {
    testsupport::TempFolder temp;
    ScopedEnv config{"XDG_CONFIG_HOME", (temp.Path() / "cfg").string()};
    SetUpWindowMode();
    FileDialogSpec spec;
    spec.initialFolder = temp.Path().string();
    AnswerNextDialog<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    QtDialogs().GetOpenFile(spec);
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.Path() / "cfg"))
        written.push_back(std::filesystem::relative(entry.path(), temp.Path() / "cfg").string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"Malvoren Tool", "Malvoren Tool/QtProject.conf"}));
    SetYieldHook({});
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
