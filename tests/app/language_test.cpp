#include "app/language.h"

#include "app/ini_read_write.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A resources folder with its "Languages" folder, and an application's folder, both fresh.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::RC = "\n";
        Language::ResetLanguage();
        Language::ResetMessages();
        INI_Read_Write::ResetSettings();
        fs::create_directories(resources / "Languages");
    }
    void TearDown() override {
        Language::ResetLanguage();
        Language::ResetMessages();
        INI_Read_Write::ResetSettings();
    }
    fs::path Bundled(const std::string& name, const std::string& text) {
        return resources.Write("Languages/" + name, text);
    }
    void Load(const std::string& lang) {
        INI_Read_Write::Lang = lang;
        Language::ReadLanguage();
    }

    testsupport::TempFolder resources;
    testsupport::TempFolder app;
    ScopedEnv resourcesDir{"MALVOREN_RESOURCES_DIR", resources.Path().string()};
    ScopedEnv appDir{"MALVOREN_APP_DIR", app.Path().string()};
    platform::ScopedScriptedDialogs dialogs;
};

TEST_F(LanguageTest, ListsTheBundleThenTheApplicationsFolder) {
    const fs::path fr = Bundled("fr.lng", "[Lang=Français]\nFile=Fichier");
    const fs::path de = Bundled("de.LNG", "[Lang=Deutsch]\r\nFile=Datei");
    Bundled("readme.txt", "[Lang=Nope]");
    const fs::path mine = app.Write("mine.lng", "[Lang=Français]\nFile=Dossier");
    const fs::path second = app.Write("second.lng", "\n[Lang=Second]\n");
    app.Write("broken.lng", "[Lang=NoBracket\nx=y");
    app.Write("nameless.lng", "no name here\nnor here");
    Language::SearchAvailableLang();
    const std::vector<std::string> expected = {
        "Deutsch*" + de.string(),  // the folder lists by name
        "Français*" + fr.string(),
        "NoBracket" + (app / "broken.lng").string(),  // no "]": name and path run together
        "Français*" + mine.string(),
        "Second*" + second.string(),  // the name from the second line
    };
    EXPECT_EQ(Language::AvailableLang, expected);
    EXPECT_EQ(Language::LangFiles.size(), 6u);  // every ".lng", named or not
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(LanguageTest, MissingLanguagesFolderListsNothingAtAll) {
    fs::remove_all(resources / "Languages");
    app.Write("mine.lng", "[Lang=Mine]");
    Language::SetMessages();
    Language::SearchAvailableLang();
    EXPECT_TRUE(Language::AvailableLang.empty());
    EXPECT_TRUE(Language::LangFiles.empty());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0], "Resource files are missing.\nPlease install the software again.");
}

TEST_F(LanguageTest, UnreadableFileEndsTheListingWithFileNotFound) {
    Bundled("a.lng", "[Lang=A]");
    fs::create_directory(resources / "Languages" / "b.lng");  // listed, cannot be read
    Bundled("c.lng", "[Lang=C]");
    Language::SearchAvailableLang();
    EXPECT_EQ(Language::AvailableLang,
              std::vector<std::string>{"A*" + (resources / "Languages" / "a.lng").string()});
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{"File not Found"});
}

TEST_F(LanguageTest, NoFileForTheDefaultLanguageMeansEnglish) {
    Load("EN");
    EXPECT_EQ(INI_Read_Write::Lang, "English");
    EXPECT_FALSE(Language::LangList.has_value());
    EXPECT_EQ(Language::Lng("File"), "File");
    EXPECT_EQ(Language::Messages[1], "File does not exist.");
}

TEST_F(LanguageTest, EntriesAndMessagesOfTheChosenFile) {
    Bundled("fr.lng",
            "[Lang=Français]\r\n"
            "; Menus\r\n"
            "File=Fichier\r\n"
            "  Quit=Quitter  \r\n"
            "Open = Ouvrir\r\n"
            "Two=A=B\r\n"
            "Empty=\r\n"
            "Esc=a\\nb\r\n"
            ";Hidden=Caché\r\n"
            "[Section=x]\r\n"
            "Message(1)=Le fichier n'existe pas.\r\n"
            "message(13)=Ligne un\\nLigne deux\\Ntrois\r\n"
            "MESSAGE(7)= sur la ligne \r\n"
            "Message(2)=\r\n"
            "Message(3)==x\r\n"
            "Message(5)=un=deux\r\n"
            "Messages=zero\r\n");
    Load("français");
    EXPECT_EQ(INI_Read_Write::Lang, "français");  // kept as asked
    EXPECT_EQ(Language::Lng("File"), "Fichier");
    EXPECT_EQ(Language::Lng("Quit"), "Quitter");  // the whole line is trimmed
    EXPECT_EQ(Language::Lng("Open"), "Open");     // stored as "Open " -> " Ouvrir"
    EXPECT_EQ(Language::Lng("Open "), " Ouvrir");
    EXPECT_EQ(Language::Lng("Two"), "A");
    EXPECT_EQ(Language::Lng("Empty"), "");         // an empty translation is a translation
    EXPECT_EQ(Language::Lng("Esc"), "a\\nb");      // "\n" stays in entry lines
    EXPECT_EQ(Language::Lng(";Hidden"), "Caché");  // ";" is not a comment here
    EXPECT_EQ(Language::Lng("Unknown"), "Unknown");
    EXPECT_EQ(Language::Messages[1], "Le fichier n'existe pas.");
    EXPECT_EQ(Language::Messages[13], "Ligne un\nLigne deux\ntrois");
    EXPECT_EQ(Language::Messages[7], " sur la ligne");  // the trailing blank is trimmed away
    EXPECT_EQ(Language::Messages[2], "No Input file selected.");  // empty: built-in stays
    EXPECT_EQ(Language::Messages[3], "An error occured");         // "==": built-in stays
    EXPECT_EQ(Language::Messages[5], "un");
    EXPECT_EQ(Language::Messages[0], "zero");  // no "Message(": number 0
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(LanguageTest, ReloadRestoresBuiltInMessagesFirst) {
    Bundled("fr.lng", "[Lang=Français]\nMessage(1)=Un\nMessage(2)=Deux");
    Bundled("xx.lng", "[Lang=Other]\nMessage(2)=Zwei");
    Load("Français");
    EXPECT_EQ(Language::Messages[1], "Un");
    Load("Other");
    EXPECT_EQ(Language::Messages[1], "File does not exist.");
    EXPECT_EQ(Language::Messages[2], "Zwei");
}

TEST_F(LanguageTest, UnknownLanguageKeepsTheEarlierFile) {
    Bundled("fr.lng", "[Lang=Français]\nFile=Fichier");
    Load("Français");
    Load("Klingon");
    EXPECT_EQ(INI_Read_Write::Lang, "Klingon");
    EXPECT_EQ(Language::Lng("File"), "Fichier");
}

TEST_F(LanguageTest, BundleFileWinsOverTheApplicationsFolder) {
    Bundled("fr.lng", "[Lang=Français]\nFile=Fichier");
    app.Write("fr.lng", "[Lang=Français]\nFile=Dossier");
    Load("Français");
    EXPECT_EQ(Language::AvailableLang.size(), 2u);
    EXPECT_EQ(Language::Lng("File"), "Fichier");
}

TEST_F(LanguageTest, MessageNumberOutOfRangeStopsTheLoad) {
    Bundled("fr.lng",
            "[Lang=Français]\nFile=Fichier\nMessage(1)=Un\nMessage(58)=Trop\nQuit=Quitter\n"
            "Message(2)=Deux");
    Load("Français");
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"Unable to load language file\nError code = LoadLanguage"});
    EXPECT_EQ(Language::Lng("File"), "Fichier");  // what came before stays
    EXPECT_EQ(Language::Messages[1], "Un");
    EXPECT_EQ(Language::Lng("Quit"), "Quit");  // the lines after it are not read
    EXPECT_EQ(Language::Messages[2], "No Input file selected.");
}

TEST_F(LanguageTest, NegativeMessageNumberStopsTheLoadToo) {
    Bundled("fr.lng", "[Lang=Français]\nMessage(-1)=x");
    Load("Français");
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

TEST_F(LanguageTest, ChosenFileGoneShowsTheLoadFailure) {
    const fs::path fr = Bundled("fr.lng", "[Lang=Français]\nFile=Fichier");
    INI_Read_Write::Lang = "Français";
    Language::SetMessages();
    Language::SearchAvailableLang();
    fs::remove(fr);
    Language::LoadLanguage();
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{"Unable to load language file\nError code = LoadLanguage"});
    EXPECT_FALSE(Language::LangList.has_value());
    EXPECT_EQ(INI_Read_Write::Lang, "Français");
}

TEST_F(LanguageTest, ShippedEnglishFileIsTheReferenceFile) {
    const fs::path shipped = fs::path(MALVOREN_SOURCE_DIR) / "resources";
    EXPECT_EQ(testsupport::ReadAll(shipped / "en.lng"),
              testsupport::ReadAll(shipped / "Languages" / "English.lng"));
}

TEST_F(LanguageTest, ShippedReferenceFileMatchesTheBuiltInMessages) {
    // The reference file lists every message with its built-in text, "\n" for each line end.
    ScopedEnv shipped{"MALVOREN_RESOURCES_DIR", std::string(MALVOREN_SOURCE_DIR) + "/resources"};
    Language::SetMessages();
    const std::vector<std::string> builtIn = Language::Messages;
    Load("English");
    ASSERT_TRUE(Language::LangList.has_value());
    // The loader trims each line, so the blank that ends entry 7 cannot come from a file.
    std::vector<std::string> expected = builtIn;
    expected[7] = " on line";
    EXPECT_EQ(Language::Messages, expected);
    EXPECT_EQ(Language::Lng("Reload Last Created Skin"), "Reload Last Created Skin");
    EXPECT_EQ(Language::Lng("Select a Color"), "Select a Color");
    for (const auto& [key, value] : *Language::LangList)
        EXPECT_EQ(key, value);
    EXPECT_TRUE(dialogs->shown.empty());
}

// Language files that hold nothing usable: the listing skips or stops at them and the built-in
// English stays, without a crash.
TEST_F(LanguageTest, UnusableLanguageFilesLeaveEnglish) {
    struct {
        const char* name;
        std::string text;
        std::vector<std::string> shown;
    } const kFiles[] = {
        {"Empty", "", {}},
        {"OnlyLineEnds", "\r\n\r\n", {}},
        {"Binary", std::string("\0\xFF\xFE=\x01", 6), {}},
        {"NameWithoutMessages", "[Lang=Bare]", {}},
    };
    for (const auto& f : kFiles) {
        Language::ResetLanguage();
        Language::ResetMessages();
        dialogs->shown.clear();
        fs::remove_all(resources / "Languages");
        Bundled("x.lng", f.text);
        Load("Bare");
        EXPECT_EQ(dialogs->shown, f.shown) << f.name;
        EXPECT_EQ(Language::Messages[1], "File does not exist.") << f.name;
        EXPECT_EQ(Language::Lng("File"), "File") << f.name;
    }
}

TEST_F(LanguageTest, LanguageFileOverTheCapEndsTheListingUnread) {
    Bundled("a.lng", "[Lang=A]");
    const fs::path big = Bundled("b.lng", "[Lang=Big]\n");
    fs::resize_file(big, Language::kMaxLanguageBytes + 1);
    Load("Big");
    EXPECT_EQ(Language::AvailableLang,
              std::vector<std::string>{"A*" + (resources / "Languages" / "a.lng").string()});
    EXPECT_EQ(dialogs->shown, std::vector<std::string>{"File not Found"});
    EXPECT_EQ(INI_Read_Write::Lang, "English");
    EXPECT_EQ(fs::file_size(big), Language::kMaxLanguageBytes + 1);
}

}  // namespace
