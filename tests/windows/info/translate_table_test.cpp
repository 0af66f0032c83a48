#include "windows/info/translate_table.h"

#include "messages/line_terminator.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using translatetable::Row;
using translatetable::Table;

class TranslateTableTest : public ::testing::Test {
protected:
    void SetUp() override { Variables::RC = "\n"; }
    static Table Fixture() {
        return translatetable::FromReference(
            testsupport::ReadAll(testsupport::DataPath("windows/info/en.lng")));
    }
};

TEST_F(TranslateTableTest, ReferenceLinesBecomeHeaderAndKeyRows) {
    const Table t = Fixture();
    struct Expected {
        const char* key;
        const char* english;
    };
    // clang-format off
    const Expected rows[] = {
        {"",                 "[Lang=English]"},
        {"",                 "; Menus"},
        {"File",             "File"},
        {"open xml file",    "Open XML file"},
        {"  Spaced key ",    "Spaced English"},   // key untrimmed, English trimmed
        {"Twice",            "First"},            // text after a second "=" is not shown
        {"",                 "[Dialogs]"},
        {"Skin",             "Skin"},
        {"Tool",             "Malvoren Tool opens %1 and %2"},
        {"Message(13)",      "Line one\\nLine two"},
        {"Credit",           "Translated by Vantok"},
        {" [Not a section]", ""},                 // blank before the bracket: a key row
        {"[Unclosed",        ""},                 // no closing bracket: a key row
    };
    // clang-format on
    ASSERT_EQ(t.rows.size(), std::size(rows));
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        EXPECT_EQ(t.rows[i].key, rows[i].key) << "row " << i;
        EXPECT_EQ(t.rows[i].english, rows[i].english) << "row " << i;
        EXPECT_EQ(t.rows[i].translation, "") << "row " << i;
    }
    // Row 0 twice: the initial entry, then as a section line. The blank line gave no row, so
    // the comment is row 1 and the section row 6.
    EXPECT_EQ(t.headers, (std::vector<std::int32_t>{0, 0, 1, 6}));
}

TEST_F(TranslateTableTest, FirstRowIsAHeaderWhateverItHolds) {
    const Table t = translatetable::FromReference("A=B\r\n\r[S]\rC=D");
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0].key, "A");
    EXPECT_TRUE(t.IsHeader(0));
    EXPECT_TRUE(t.IsHeader(1));
    EXPECT_FALSE(t.IsHeader(2));
    EXPECT_EQ(translatetable::RowColor(t, 0, false), translatetable::kHeaderColor);
}

TEST_F(TranslateTableTest, EmptyReferenceGivesAnEmptyTable) {
    EXPECT_TRUE(translatetable::FromReference("").rows.empty());
}

TEST_F(TranslateTableTest, RowColoursBeforeAndAfterAFileWasOpenedOrSaved) {
    Table t = Fixture();
    t.rows[2].translation = "fILE";  // File: the English apart from case
    t.rows[5].translation = "Deux";  // Twice: translated
    const std::optional<platform::Color> none;
    struct Expected {
        int row;
        std::optional<platform::Color> before;
        std::optional<platform::Color> after;
    };
    // clang-format off
    const Expected cases[] = {
        {0,  translatetable::kHeaderColor,        translatetable::kHeaderColor},
        {1,  translatetable::kHeaderColor,        translatetable::kHeaderColor},
        {2,  translatetable::kSameAsEnglishColor, translatetable::kSameAsEnglishColor},
        {3,  none,                                translatetable::kMissingColor},
        {5,  none,                                none},
        {11, none,                                none},   // no English text: never missing
        {13, none,                                none},   // past the last row
    };
    // clang-format on
    for (const Expected& c : cases) {
        EXPECT_EQ(translatetable::RowColor(t, c.row, false), c.before) << "row " << c.row;
        EXPECT_EQ(translatetable::RowColor(t, c.row, true), c.after) << "row " << c.row;
    }
}

TEST_F(TranslateTableTest, LaterColourTestsPaintOverEarlierOnes) {
    Table t;
    t.rows = {{"K", "Same", "sAME"}, {"K", "English", ""}};
    t.headers = {0, 1};
    EXPECT_EQ(translatetable::RowColor(t, 0, true), translatetable::kSameAsEnglishColor);
    EXPECT_EQ(translatetable::RowColor(t, 1, true), translatetable::kMissingColor);
    EXPECT_EQ(translatetable::RowColor(t, 1, false), translatetable::kHeaderColor);
}

struct TabCase {
    const char* name;
    int row;
    int column;
    bool handled;
    int next;  // -1: none
};
// Rows of the fixture: 0 and 1 headers, 2 to 5 keys, 6 a header, 7 to 12 keys.
const TabCase kTabCases[] = {
    // clang-format off
    {"GoesToTheNextKeyRow",         2,  2, true,  3},
    {"SkipsHeaderRows",             5,  2, true,  7},
    {"FromTheFirstRow",             0,  2, true,  2},
    {"OutsideTheTranslationColumn", 2,  1, true,  -1},
    {"LastRowGoesNowhere",          12, 2, true,  -1},
    // clang-format on
};

class TabTest : public TranslateTableTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabTest, MovesToTheNextTranslation) {
    const translatetable::TabMove move =
        translatetable::TabFrom(Fixture(), GetParam().row, GetParam().column);
    EXPECT_EQ(move.handled, GetParam().handled);
    EXPECT_EQ(move.editRow.value_or(-1), GetParam().next);
}
INSTANTIATE_TEST_SUITE_P(Tab, TabTest, ::testing::ValuesIn(kTabCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TranslateTableTest, TabIsLeftToTheListWhenOnlyHeadersFollow) {
    const Table t = translatetable::FromReference("[Lang=X]\nA=a\n[S]\n;c");
    const translatetable::TabMove move = translatetable::TabFrom(t, 1, 2);
    EXPECT_FALSE(move.handled);
    EXPECT_FALSE(move.editRow.has_value());
}

const char kMalvorenTool[] =
    "The translated text needs to have the same amount of \"Malvoren Tool\" strings as the "
    "original text.\n";
const char kMalvoren[] =
    "The translated text needs to have the same amount of \"Malvoren\" strings as the "
    "original text.\n";
const char kSkin[] =
    "The translated text needs to have the same amount of \"Skin\" strings as the original "
    "text.\n";
const char kNewLines[] =
    "The translated text needs to have the same amount of new lines: \"\\n\" as the original "
    "text.\n";
const char kVariables[] =
    "The translated text needs to have the same amount of variables: \"%...\" as the original "
    "text.\n";
const char kCredit[] = "You must put your name or nickname instead of Vantok";

struct CheckCase {
    const char* name;
    const char* english;
    const char* translation;
    std::vector<std::string> messages;
};
const CheckCase kCheckCases[] = {
    {"SameCountsSayNothing", "Open %1 Skin", "Ouvrir %1 skin", {}},
    {"EmptyTranslationIsNotChecked", "Malvoren Tool", "", {}},
    {"EmptyEnglishCountsOneField", "", "Anything", {}},
    {"DroppedProductNameAloneStops",
     "Malvoren Tool opens %1 Skin",
     "ouvre",
     {std::string(kMalvorenTool) + "1 missing."}},
    {"ShortNameStopsToo",
     "Malvoren Tool and Malvoren",
     "Malvoren Tool et Skin",
     {std::string(kMalvoren) + "1 missing."}},
    {"SkinNewLineAndVariablesInOrder",
     "Skin %1\\n%2",
     "Peau",
     {std::string(kSkin) + "1 missing.", std::string(kNewLines) + "1 missing.",
      std::string(kVariables) + "2 missing."}},
    {"ExtraVariableIsNegative", "%1", "%1 %2", {std::string(kVariables) + "-1 missing."}},
    {"CountsIgnoreCase", "SKIN skin", "skin Skin", {}},
    {"DefaultCreditKept", "translated by vantok", "Vantok traduit", {kCredit}},
    {"OwnCreditSaysNothing", "Translated by Vantok", "Traduit par Moi", {}},
};

class CheckTest : public TranslateTableTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckTest, WarnsInOrderWithTheDifference) {
    EXPECT_EQ(translatetable::CheckTranslation(GetParam().english, GetParam().translation),
              GetParam().messages);
}
INSTANTIATE_TEST_SUITE_P(Checks, CheckTest, ::testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SaveCase {
    const char* name;
    Row row;
    bool header;
    const char* line;  // nullptr: the row writes no line
};
const SaveCase kSaveCases[] = {
    // clang-format off
    {"BlankTranslationWritesEnglish",   {"File", "File", ""},                        false, "File=File"},
    {"WhiteSpaceOnlyCountsAsBlank",     {"File", "File", " \t "},                    false, "File=File"},
    {"LowerCaseEnglishLowersAll",       {"open file", "open file", "Ouvrir le Fichier"},
                                                                                    false, "open file=ouvrir le fichier"},
    {"ReCasingNeedsABlankAfter",        {"o", "open file", "Ouvrir le Fichier XML"}, false, "o=ouvrir le fichier xml"},
    {"ReCasingBetweenBlanks",           {"o", "open file", "Ouvrir le Fichier XML final"},
                                                                                    false, "o=ouvrir le fichier XML final"},
    {"CapitalisedEnglishCapitalises",   {"Open", "Open", "ouvrir"},                  false, "Open=Ouvrir"},
    {"OnlyTheFirstWordIsTitled",        {"Open", "Open it", "oUVRIR le"},            false, "Open=Ouvrir le"},
    {"CapitalFirstWordKeptAsTyped",     {"Open", "Open", "OUVRIR"},                  false, "Open=OUVRIR"},
    {"CapitalsInsideEnglishKeepTyped",  {"XML file", "XML file", "fichier xml"},     false, "XML file=fichier xml"},
    {"SurroundingBlanksKept",           {"Open", "Open", " ouvrir "},                false, "Open= ouvrir "},
    {"EmptyEnglishCountsCapitalised",   {"K", "", "mot"},                            false, "K=Mot"},
    {"KeyReCasedToo",                   {"open xml file", "Open XML file", ""},      false, "open XML file=Open XML file"},
    {"BmpReCased",                      {"K", "Save", "Garder le bmp final"},        false, "K=Garder le BMP final"},
    {"HeaderWritesItsEnglish",          {"", "; Menus", ""},                         true,  "; Menus"},
    {"SectionWritesItsEnglish",         {"", "[Dialogs]", "ignored"},                true,  "[Dialogs]"},
    {"NameLineOfTheReferenceDropped",   {"", "[lang=English]", ""},                  true,  nullptr},
    {"KeyRowWithLangDropped",           {"K", "set LANG=x", "y"},                    false, nullptr},
    {"NoKeyNoBracketIsAKeyRow",         {"", "plain", ""},                           false, "=plain"},
    {"LineBreakMarkKeptAsTyped",        {"Message(3)", "Line one\\nLine two", "ligne un\\nligne deux"},
                                                                                    false, "Message(3)=Ligne un\\nligne deux"},
    {"OnlyABlankEndsAWord",             {"Open", "Open", "l'ouvrir"},                false, "Open=L'ouvrir"},
    // clang-format on
};

class SaveTest : public TranslateTableTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTest, RowBecomesOneLine) {
    Table t;
    t.rows = {GetParam().row};
    const std::vector<std::string> lines = translatetable::LanguageFileLines(t, "Français");
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(lines[0], "[Lang=Français]");
    if (GetParam().line) {
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], GetParam().line);
    } else {
        EXPECT_EQ(lines.size(), 1u);
    }
}
INSTANTIATE_TEST_SUITE_P(Save, SaveTest, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TranslateTableTest, SavedFileHasTheTrimmedNameAndEveryKeyInOrder) {
    const Table t = Fixture();
    const std::string text =
        translatetable::LanguageFileText(translatetable::LanguageFileLines(t, "  Klingon "), "\n");
    EXPECT_EQ(text,
              "[Lang=Klingon]\n"
              "; Menus\n"
              "File=File\n"
              "open XML file=Open XML file\n"
              "  Spaced key =Spaced English\n"
              "Twice=First\n"
              "[Dialogs]\n"
              "Skin=Skin\n"
              "Tool=Malvoren Tool opens %1 and %2\n"
              "Message(13)=Line one\\nLine two\n"
              "Credit=Translated by Vantok\n"
              " [Not a section]=\n"
              "[Unclosed=\n");
}

TEST_F(TranslateTableTest, EmptyTableWritesTheNameLineAlone) {
    EXPECT_EQ(translatetable::LanguageFileText(translatetable::LanguageFileLines({}, "X"), "\n"),
              "[Lang=X]\n");
}

TEST_F(TranslateTableTest, SuggestedNameKeepsItsBlanksAndGetsTheExtension) {
    EXPECT_EQ(translatetable::SuggestedFileName(" Klingon "), " Klingon .lng");
    EXPECT_EQ(translatetable::SuggestedFileName("Klingon.LNG"), "Klingon.LNG");
    EXPECT_EQ(translatetable::SuggestedFileName("lng"), "lng.lng");
}

TEST_F(TranslateTableTest, HeadingIsTheNameAsTypedOrDots) {
    EXPECT_EQ(translatetable::TranslationHeading(""), "...");
    EXPECT_EQ(translatetable::TranslationHeading("   "), "...");
    EXPECT_EQ(translatetable::TranslationHeading(" Klingon"), " Klingon");
}

TEST_F(TranslateTableTest, OpenedCrLfFileGivesNameAndEntriesInAnyCase) {
    const translatetable::OpenedFile file = translatetable::ReadLanguageFile(
        "[Lang=Français]\r\n"
        "FILE=Fichier\r\n"
        "Open XML File=Ouvrir un fichier XML\r\n"
        "Unknown=ignored\r\n"
        "\r\n"
        "Twice= Deux =not read\r\n"
        "  [Section]  \r\n"
        "[Other]\r\n");
    ASSERT_TRUE(file.name.has_value());
    EXPECT_EQ(*file.name, "Français");

    Table t = Fixture();
    t.rows[8].translation = "typed since the last save";
    translatetable::ApplyOpenedFile(t, file);
    EXPECT_EQ(t.rows[2].translation, "Fichier");
    EXPECT_EQ(t.rows[3].translation, "Ouvrir un fichier XML");
    EXPECT_EQ(t.rows[5].translation, " Deux ");
    EXPECT_EQ(t.rows[8].translation, "");  // every translation is replaced
    // "  [Section]  " does not begin with "[": its key is the whole line and matches no row.
    for (const Row& row : t.rows)
        EXPECT_NE(row.translation, "ignored");
}

TEST_F(TranslateTableTest, LangLineWithoutBracketsSetsTheNameAndIsAKey) {
    const translatetable::OpenedFile file =
        translatetable::ReadLanguageFile("lang=Deutsch\nFile=Datei\nx LANG=Dansk]=y");
    EXPECT_EQ(file.name, std::optional<std::string>("Dansk"));  // the last such line wins
    ASSERT_EQ(file.entries.size(), 3u);
    EXPECT_EQ(file.entries[0], (std::pair<std::string, std::string>("lang", "Deutsch")));
}

TEST_F(TranslateTableTest, FileWithoutNameLineLeavesTheName) {
    EXPECT_FALSE(translatetable::ReadLanguageFile("File=Datei").name.has_value());
}

TEST_F(TranslateTableTest, SavedFileOpensBackIntoTheSameTranslations) {
    Table t = Fixture();
    t.rows[2].translation = "Fichier";
    t.rows[9].translation = "Ligne un\\nLigne deux";
    const std::string text =
        translatetable::LanguageFileText(translatetable::LanguageFileLines(t, "Français"), "\n");
    Table back = Fixture();
    const translatetable::OpenedFile file = translatetable::ReadLanguageFile(text);
    translatetable::ApplyOpenedFile(back, file);
    EXPECT_EQ(file.name, std::optional<std::string>("Français"));
    EXPECT_EQ(back.rows[2].translation, "Fichier");
    EXPECT_EQ(back.rows[9].translation, "Ligne un\\nLigne deux");
    // Untranslated rows come back as their English text.
    EXPECT_EQ(back.rows[7].translation, "Skin");
}

}  // namespace
