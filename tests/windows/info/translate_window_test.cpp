#include "windows/info/translate_window.h"

#include "app/ini_read_write.h"
#include "app/language.h"
#include "app/resources.h"
#include "kit/buttons/ui_button.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/widgets/listbox.h"
#include "platform/widgets/textfield.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/support/window_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::Listbox;

constexpr int kTranslation = 2;
const std::string kTab(1, '\t');

// The fixture's rows: 0 "[Lang=English]" and 1 "; Menus" headers, 2 File, 3 "open xml file",
// 4 "  Spaced key ", 5 Twice, 6 "[Dialogs]", 7 Skin, 8 Tool, 9 Message(13), 10 Credit,
// 11 " [Not a section]", 12 "[Unclosed".
class TranslateWindowTest : public testsupport::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        std::filesystem::create_directories(resources / "Languages");
        folder.CopyFixture("windows/info/en.lng", "resources/en.lng");
        resources::ResetResources();
        window = &Translate_Window::Instance();
        window->Show();
    }
    void TearDown() override {
        if (window && !window->IsClosed()) {
            dialogs->QueueButton(platform::DialogButton::Action);  // "Yes", should it ask
            window->Close();
        }
        WindowFixture::TearDown();
    }
    Listbox& List() const { return window->Listbox1(); }
    std::string Cell(int row, int column) const { return List().Cell(row, column); }
    /// Types `text` into a translation cell as the editor would leave it, ending the editing.
    void Translate(int row, const std::string& text) {
        List().SetCellType(row, kTranslation, Listbox::kTypeEditable);
        List().CellKeyDown.Raise(row, kTranslation, "x");
        List().SetCell(row, kTranslation, text);
        List().CellLostFocus.Raise(row, kTranslation);
    }
    /// The colour the background handler paints for a row.
    std::optional<platform::Color> RowColor(int row) {
        const platform::PicturePtr cell = platform::Picture::New(10, 4);
        cell->Graphics().ForeColor = {1, 2, 3};
        cell->Graphics().FillRect(0, 0, 10, 4);
        EXPECT_FALSE(List().CellBackgroundPaint.Raise(cell->Graphics(), row, 1));
        const QRgb p = cell->Image().pixel(5, 2);
        const platform::Color c{static_cast<std::uint8_t>(qRed(p)),
                                static_cast<std::uint8_t>(qGreen(p)),
                                static_cast<std::uint8_t>(qBlue(p))};
        if (c == platform::Color{1, 2, 3})
            return std::nullopt;
        return c;
    }
    std::filesystem::path Save(const std::string& name, const std::string& as) {
        window->LangEditField().SetText(name);
        const std::filesystem::path path = folder / as;
        dialogs->QueueSaveFile(path.string());
        window->SaveLangPushButton_Action();
        return path;
    }

    testsupport::TempFolder folder;
    std::filesystem::path resources = folder / "resources";
    ScopedEnv resourcesEnv{"MALVOREN_RESOURCES_DIR", (folder / "resources").string()};
    ScopedEnv appEnv{"MALVOREN_APP_DIR", folder.Path().string()};
    QPointer<Translate_Window> window;
};

TEST_F(TranslateWindowTest, ReferenceLinesFillTheTable) {
    EXPECT_EQ(window->Title(), "Translate");
    EXPECT_EQ(List().ListCount(), 13);
    EXPECT_EQ(List().Heading(0), "Value");
    EXPECT_EQ(List().Heading(1), "English");
    EXPECT_EQ(List().Heading(2), "...");
    EXPECT_EQ(Cell(0, 1), "[Lang=English]");
    EXPECT_EQ(Cell(1, 1), "; Menus");
    EXPECT_EQ(Cell(4, 0), "  Spaced key ");
    EXPECT_EQ(Cell(4, 1), "Spaced English");
    EXPECT_EQ(Cell(5, 1), "First");
    EXPECT_EQ(Cell(11, 0), " [Not a section]");
    for (int row : {0, 1, 6}) {
        for (int column = 0; column < 3; ++column)
            EXPECT_TRUE(List().CellBold(row, column)) << row << "," << column;
    }
    for (int row : {2, 7, 12})
        EXPECT_FALSE(List().CellBold(row, 1)) << row;
    for (int row = 0; row < 13; ++row)
        EXPECT_EQ(Cell(row, kTranslation), "") << row;
    EXPECT_FALSE(window->FileOpened());
    EXPECT_FALSE(window->TextHasChanged());
}

TEST_F(TranslateWindowTest, HeaderTranslationCellsAreNeverEdited) {
    EXPECT_TRUE(List().CellClick.Raise(0, kTranslation, 1, 1));
    EXPECT_TRUE(List().CellClick.Raise(6, kTranslation, 1, 1));
    EXPECT_NE(List().CellType(6, kTranslation), Listbox::kTypeEditable);
    EXPECT_FALSE(List().CellClick.Raise(2, kTranslation, 1, 1));
    EXPECT_EQ(List().CellType(2, kTranslation), Listbox::kTypeEditable);
    EXPECT_FALSE(List().CellClick.Raise(2, 1, 1, 1));
}

TEST_F(TranslateWindowTest, TabGoesToTheNextKeyRowAndStopsAtTheLast) {
    List().CellClick.Raise(5, kTranslation, 1, 1);
    EXPECT_TRUE(List().CellKeyDown.Raise(5, kTranslation, kTab));
    EXPECT_EQ(List().CellType(7, kTranslation), Listbox::kTypeEditable);  // header 6 skipped
    EXPECT_NE(List().CellType(6, kTranslation), Listbox::kTypeEditable);
    EXPECT_TRUE(List().CellKeyDown.Raise(12, kTranslation, kTab));  // the last row
    EXPECT_TRUE(List().CellKeyDown.Raise(3, 1, kTab));              // not the translation
    EXPECT_FALSE(List().CellKeyDown.Raise(3, kTranslation, "a"));
    EXPECT_TRUE(window->TextHasChanged());
}

TEST_F(TranslateWindowTest, RowColoursBeforeAndAfterASave) {
    Translate(2, "fILE");  // File: the English but for case
    Translate(5, "Deux");
    EXPECT_EQ(RowColor(0), translatetable::kHeaderColor);
    EXPECT_EQ(RowColor(2), translatetable::kSameAsEnglishColor);
    EXPECT_EQ(RowColor(3), std::nullopt);
    EXPECT_EQ(RowColor(5), std::nullopt);
    Save("Français", "fr.lng");
    ASSERT_TRUE(window->FileOpened());
    EXPECT_EQ(RowColor(0), translatetable::kHeaderColor);
    EXPECT_EQ(RowColor(2), translatetable::kSameAsEnglishColor);
    EXPECT_EQ(RowColor(3), translatetable::kMissingColor);
    EXPECT_EQ(RowColor(11), std::nullopt);  // no English text
    EXPECT_EQ(RowColor(5), std::nullopt);
}

TEST_F(TranslateWindowTest, ChecksWarnInOrderWhenTheEditingEnds) {
    Translate(8, "ouvre %1 Skin");  // Tool: "Malvoren Tool opens %1 and %2"
    Translate(7, "Peau \\n %");     // Skin: "Skin"
    EXPECT_EQ(dialogs->shown,
              (std::vector<std::string>{
                  "The translated text needs to have the same amount of \"Malvoren Tool\" "
                  "strings as the original text.\n1 missing.",
                  "The translated text needs to have the same amount of \"Skin\" strings as "
                  "the original text.\n1 missing.",
                  "The translated text needs to have the same amount of new lines: \"\\n\" as "
                  "the original text.\n-1 missing.",
                  "The translated text needs to have the same amount of variables: \"%...\" as "
                  "the original text.\n-1 missing."}));
    dialogs->shown.clear();
    Translate(10, "Traduit par Vantok");
    Translate(2, "");  // an emptied cell is not checked
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"You must put your name or nickname instead of Vantok"});
}

TEST_F(TranslateWindowTest, NameFieldRetitlesTheTranslationColumn) {
    window->LangEditField().SetText("   ");
    EXPECT_EQ(List().Heading(2), "...");
    window->LangEditField().SetText(" Klingon");
    EXPECT_EQ(List().Heading(2), " Klingon");
    EXPECT_FALSE(window->TextHasChanged());
}

TEST_F(TranslateWindowTest, SaveWritesEveryRowAndAddsTheExtension) {
    Translate(2, "fichier");
    Translate(3, "Ouvrir un fichier xml local");
    const std::filesystem::path asked = Save(" Français ", "francais");
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_EQ(dialogs->saveRequests[0].suggestedName, " Français .lng");
    EXPECT_EQ(dialogs->saveRequests[0].filter, "lng");
    EXPECT_FALSE(std::filesystem::exists(asked));
    EXPECT_EQ(testsupport::ReadAll(folder / "francais.lng"),
              "[Lang=Français]\n"
              "; Menus\n"
              "File=Fichier\n"  // "File" is capitalised: so is the first word
              "open XML file=Ouvrir un fichier XML local\n"
              "  Spaced key =Spaced English\n"
              "Twice=First\n"
              "[Dialogs]\n"
              "Skin=Skin\n"
              "Tool=Malvoren Tool opens %1 and %2\n"
              "Message(13)=Line one\\nLine two\n"
              "Credit=Translated by Vantok\n"
              " [Not a section]=\n"
              "[Unclosed=\n");
    EXPECT_TRUE(window->FileOpened());
    EXPECT_FALSE(window->TextHasChanged());
}

TEST_F(TranslateWindowTest, BlankNameAsksForOneAndWritesNothing) {
    window->LangEditField().SetText("  ");
    window->SaveLangPushButton_Action();
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{"Please enter a language name"});
    EXPECT_TRUE(dialogs->saveRequests.empty());
    EXPECT_FALSE(window->FileOpened());
}

TEST_F(TranslateWindowTest, FailedSaveIsReportedAndLosesNothing) {
    const std::filesystem::path target = folder.Write("fr.lng", "[Lang=Old]\nFile=Vieux\n");
    Translate(2, "Fichier");
    platform::ScopedWriteFault fault({1, platform::WriteFaultStage::Write, ENOSPC, {}});
    Save("Français", "fr.lng");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].find("Unable to save the language file"), std::string::npos);
    EXPECT_NE(dialogs->shown[0].find("No space left on device"), std::string::npos);
    EXPECT_EQ(testsupport::ReadAll(target), "[Lang=Old]\nFile=Vieux\n");
    EXPECT_FALSE(window->FileOpened());
    EXPECT_TRUE(window->TextHasChanged());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              2);  // the resources folder and the old file: no temporary file left behind
}

TEST_F(TranslateWindowTest, OpenReadsACrLfFileIntoTheTable) {
    Translate(7, "Skin typed before opening");
    const std::filesystem::path file = folder.Write(
        "de.lng",
        "[Lang=Deutsch]\r\nFILE=Datei\r\nOpen XML File=XML-Datei öffnen\r\nUnknown=x\r\n"
        "\r\nTwice= Zwei =ignored\r\n");
    dialogs->QueueOpenFile(file.string());
    window->OpenLangPushButton_Action();
    ASSERT_EQ(dialogs->openRequests.size(), 1u);
    EXPECT_EQ(dialogs->openRequests[0].title, "Select a language file");
    EXPECT_EQ(dialogs->openRequests[0].initialFolder, folder.Path().string());
    EXPECT_EQ(window->LangEditField().Text(), "Deutsch");
    EXPECT_EQ(List().Heading(2), "Deutsch");
    EXPECT_EQ(Cell(2, kTranslation), "Datei");
    EXPECT_EQ(Cell(3, kTranslation), "XML-Datei öffnen");
    EXPECT_EQ(Cell(5, kTranslation), " Zwei ");
    EXPECT_EQ(Cell(7, kTranslation), "");
    EXPECT_TRUE(window->FileOpened());
    EXPECT_TRUE(window->TextHasChanged());  // opening is no edit, nor does it clear one
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(TranslateWindowTest, UnreadableFileIsReportedAndTheTableKept) {
    Translate(2, "Fichier");
    dialogs->QueueOpenFile((folder / "missing.lng").string());
    window->OpenLangPushButton_Action();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_NE(dialogs->shown[0].find("Unable to open the language file"), std::string::npos);
    EXPECT_EQ(Cell(2, kTranslation), "Fichier");
    EXPECT_FALSE(window->FileOpened());
}

TEST_F(TranslateWindowTest, ClosingAsksOnlyAfterAnEdit) {
    const std::string question =
        "You have changed some values without saving them.\n\nDo you really want to close "
        "the window?";
    Translate(2, "Fichier");
    dialogs->QueueButton(platform::DialogButton::Cancel);  // "No"
    EXPECT_FALSE(window->Close());
    ASSERT_EQ(dialogs->dialogs.size(), 1u);
    EXPECT_EQ(dialogs->dialogs[0].message, question);
    EXPECT_EQ(dialogs->dialogs[0].actionCaption, "Yes");
    EXPECT_EQ(dialogs->dialogs[0].cancelCaption, "No");
    EXPECT_EQ(Cell(2, kTranslation), "Fichier");  // the edit stays
    Save("Français", "fr.lng");
    EXPECT_TRUE(window->Close());
    EXPECT_EQ(dialogs->dialogs.size(), 1u);  // no second question
}

TEST_F(TranslateWindowTest, QuittingAsksTooAndYesLetsItClose) {
    Translate(2, "Fichier");
    dialogs->QueueButton(platform::DialogButton::Action);  // "Yes"
    EXPECT_TRUE(platform::CloseAllWindows(nullptr));
    EXPECT_EQ(dialogs->dialogs.size(), 1u);
    EXPECT_TRUE(window->IsClosed());
}

TEST_F(TranslateWindowTest, SavedFileIsListedAndLoadedByTheLanguageLoader) {
    Translate(2, "Datei");
    Save("Deutsch", "resources/Languages/Deutsch");
    Language::SearchAvailableLang();
    ASSERT_EQ(Language::AvailableLang.size(), 1u);
    EXPECT_EQ(Language::AvailableLang[0],
              "Deutsch*" + (resources / "Languages" / "Deutsch.lng").string());
    INI_Read_Write::Lang = "deutsch";
    Language::LoadLanguage();
    EXPECT_EQ(Language::Lng("File"), "Datei");
    EXPECT_EQ(Language::Lng("Skin"), "Skin");  // untranslated rows carry the English
    EXPECT_EQ(Language::Messages[13], "Line one\nLine two");
}

}  // namespace
