#include "app/language.h"

#include "app/ini_read_write.h"
#include "engine/xml/skin_file.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "platform/application.h"
#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

namespace Language {
namespace {

std::string ReadLanguageFile(const platform::FolderItem& file) {
    return platform::ReadFileBytes(file.Path(), kMaxLanguageBytes);
}

// The language's name from one line of a file: the text after the first "=" up to the next,
// with the first "]" made "*", so that a well-formed name line gives "name*".
std::string NameFromLine(const std::string& line) {
    return platform::Replace(platform::NthField(line, "=", 2), "]", "*");
}

void ListLngFiles(const platform::FolderItem& folder) {
    const long long count = folder.Count();
    for (long long i = 1; i <= count; ++i) {
        const platform::FolderItem item = folder.Item(i);
        if (platform::TextEquals(platform::Right(item.Name(), 4), ".lng"))
            LangFiles.push_back(item);
        platform::Yield();
    }
}

void ShowLoadFailure() {
    platform::MsgBox("Unable to load language file" + Variables::RC + "Error code = LoadLanguage");
}

}  // namespace

void ResetLanguage() {
    LangFiles.clear();
    AvailableLang.clear();
    LangFile.clear();
    LangList.reset();
}

void ReadLanguage() {
    AvailableLang.clear();
    SetMessages();
    SearchAvailableLang();
    LoadLanguage();
}

void SearchAvailableLang() {
    LangFiles.clear();
    const platform::FolderItem languages = platform::ResourcesFolder().Child("Languages");
    if (!languages.IsFolder()) {
        platform::MsgBox(Messages[39]);
        return;
    }
    try {
        ListLngFiles(languages);
        ListLngFiles(platform::AppFolder());
        for (const platform::FolderItem& file : LangFiles) {
            const std::vector<std::string> lines =
                Variables::SplitSkinLines(ReadLanguageFile(file));
            std::string name = NameFromLine(lines[0]);
            if (name.empty() && lines.size() > 1)
                name = NameFromLine(lines[1]);
            if (!name.empty())
                AvailableLang.push_back(name + file.NativePath());
            platform::Yield();
        }
    } catch (const platform::RuntimeException&) {
        // A file that vanished or cannot be opened ends the listing; what was found stays.
        platform::MsgBox("File not Found");
    }
}

void LoadLanguage() {
    try {
        for (const std::string& entry : AvailableLang) {
            platform::Yield();
            if (!platform::TextEquals(platform::NthField(entry, "*", 1), INI_Read_Write::Lang))
                continue;
            const platform::FolderItem file(platform::NthField(entry, "*", 2));
            LangFile =
                platform::Join(Variables::SplitSkinLines(ReadLanguageFile(file)), Variables::RC);
            break;
        }
    } catch (const platform::RuntimeException&) {
        ShowLoadFailure();
        return;
    }
    if (LangFile.empty()) {
        INI_Read_Write::Lang = "English";
        return;
    }
    LangList.emplace();
    for (const std::string& raw : platform::Split(LangFile, Variables::RC)) {
        platform::Yield();
        const std::string line = platform::Trim(raw);
        const bool isMessage = platform::TextEquals(platform::Left(line, 7), "Message");
        if (platform::InStr(line, "=") > 0 && !isMessage && line[0] != '[') {
            (*LangList)[platform::NthField(line, "=", 1)] = platform::NthField(line, "=", 2);
        } else if (isMessage) {
            if (platform::NthField(line, "=", 2).empty())
                continue;  // the built-in text stays
            const double number = platform::Val(platform::Replace(line, "Message(", ""));
            if (!(number >= 0 && number < kMessageCount)) {
                ShowLoadFailure();
                return;
            }
            const std::string text =
                platform::NthField(platform::ReplaceAll(line, "\\n", Variables::RC), "=", 2);
            Messages[static_cast<std::size_t>(number)] = text;
        }
    }
}

std::string Lng(std::string_view text) {
    if (!LangList)
        return std::string(text);
    const auto it = LangList->find(std::string(text));
    return it == LangList->end() ? std::string(text) : it->second;
}

void WriteLanguageFile(const std::filesystem::path& path, std::string_view text) {
    platform::WriteFileAtomic(path, text);
}

}  // namespace Language
