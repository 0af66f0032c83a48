#include "windows/info/translate_table.h"

#include "engine/xml/skin_file.h"
#include "messages/line_terminator.h"
#include "platform/text.h"

#include <algorithm>
#include <unordered_map>

namespace translatetable {
namespace {

// The text before the first "=" (the whole text without one).
std::string BeforeFirstEquals(std::string_view line) {
    const std::size_t at = line.find('=');
    return std::string(at == std::string_view::npos ? line : line.substr(0, at));
}

// The text between the first and second "=" (to the end without a second; empty without any).
std::string BetweenFirstAndSecondEquals(std::string_view line) {
    const std::size_t first = line.find('=');
    if (first == std::string_view::npos)
        return {};
    const std::size_t second = line.find('=', first + 1);
    const std::size_t end = second == std::string_view::npos ? line.size() : second;
    return std::string(line.substr(first + 1, end - first - 1));
}

bool IsSectionLine(std::string_view line) {
    const std::string trimmed = platform::Trim(line);
    return !line.empty() && line.front() == '[' && !trimmed.empty() && trimmed.back() == ']';
}

// Occurrences of `word` (case ignored, not overlapping) plus one: the number of fields the
// word cuts the text into, an empty text counting one field.
long long FieldCount(std::string_view text, std::string_view word) {
    long long count = 1;
    std::size_t at = platform::InStr(1, text, word);
    while (at > 0) {
        ++count;
        at = platform::InStr(at + word.size(), text, word);
    }
    return count;
}

std::string FirstWord(std::string_view text) {
    const std::size_t blank = text.find(' ');
    return std::string(blank == std::string_view::npos ? text : text.substr(0, blank));
}

// A word in title case: its first character upper case, the rest lower case. Only a blank
// ends a word here, so that "\n" and an apostrophe inside a translation keep their case.
std::string TitleWord(std::string_view word) {
    if (word.empty())
        return {};
    std::size_t first = 1;
    if (static_cast<unsigned char>(word[0]) >= 0xC0) {
        while (first < word.size() && (static_cast<unsigned char>(word[first]) & 0xC0) == 0x80)
            ++first;
    }
    return platform::Uppercase(word.substr(0, first)) + platform::Lowercase(word.substr(first));
}

// The byte-wise order of UTF-8 texts.
int CompareBytes(std::string_view a, std::string_view b) noexcept {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string CountMessage(std::string_view leadIn, std::string_view quoted, std::string_view tail,
                         long long difference) {
    return std::string(leadIn) + "\"" + std::string(quoted) + "\"" + std::string(tail) +
           Variables::RC + platform::Str(difference) + " missing.";
}

}  // namespace

bool Table::IsHeader(std::int32_t row) const noexcept {
    return std::find(headers.begin(), headers.end(), row) != headers.end();
}

Table FromReference(std::string_view reference) {
    Table table;
    for (const std::string& line : Variables::SplitSkinLines(reference)) {
        const std::string trimmed = platform::Trim(line);
        if (trimmed.empty())
            continue;
        Row row;
        if (IsSectionLine(line) || line.front() == ';') {
            table.headers.push_back(static_cast<std::int32_t>(table.rows.size()));
            row.english = trimmed;
        } else {
            row.key = BeforeFirstEquals(line);
            row.english = platform::Trim(BetweenFirstAndSecondEquals(line));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::optional<platform::Color> RowColor(const Table& table, std::int32_t row, bool fileOpened) {
    if (row < 0 || static_cast<std::size_t>(row) >= table.rows.size())
        return std::nullopt;
    return RowColor(table.rows[static_cast<std::size_t>(row)], table.IsHeader(row), fileOpened);
}

std::optional<platform::Color> RowColor(const Row& r, bool header, bool fileOpened) {
    std::optional<platform::Color> color;
    if (header)
        color = kHeaderColor;
    if (!r.english.empty() && platform::TextEquals(r.translation, r.english))
        color = kSameAsEnglishColor;
    if (fileOpened && r.translation.empty() && !r.english.empty() && !r.key.empty())
        color = kMissingColor;
    return color;
}

TabMove TabFrom(const Table& table, std::int32_t row, std::int32_t column) {
    const auto count = static_cast<std::int32_t>(table.rows.size());
    if (column != kTranslationColumn || row >= count - 1)
        return {true, std::nullopt};
    for (std::int32_t next = row + 1; next < count; ++next) {
        if (!table.IsHeader(next))
            return {true, next};
    }
    return {false, std::nullopt};
}

std::vector<std::string> CheckTranslation(std::string_view english, std::string_view translation) {
    std::vector<std::string> messages;
    if (translation.empty())
        return messages;
    const auto difference = [&](std::string_view word) {
        return FieldCount(english, word) - FieldCount(translation, word);
    };
    static constexpr std::string_view kSameAmount =
        "The translated text needs to have the same amount of ";
    static constexpr std::string_view kStrings = " strings as the original text.";
    if (const long long d = difference("Malvoren Tool"); d != 0) {
        messages.push_back(CountMessage(kSameAmount, "Malvoren Tool", kStrings, d));
        return messages;
    }
    if (const long long d = difference("Malvoren"); d != 0) {
        messages.push_back(CountMessage(kSameAmount, "Malvoren", kStrings, d));
        return messages;
    }
    if (const long long d = difference("Skin"); d != 0)
        messages.push_back(CountMessage(kSameAmount, "Skin", kStrings, d));
    if (const long long d = difference("\\n"); d != 0)
        messages.push_back(
            CountMessage("The translated text needs to have the same amount of new lines: ", "\\n",
                         " as the original text.", d));
    if (const long long d = difference("%"); d != 0)
        messages.push_back(
            CountMessage("The translated text needs to have the same amount of variables: ", "%...",
                         " as the original text.", d));
    if (platform::TextEquals(english, "Translated by Vantok") &&
        platform::InStr(translation, "Vantok") > 0)
        messages.push_back("You must put your name or nickname instead of Vantok");
    return messages;
}

std::string ApplyCaseRules(std::string_view english, std::string_view translation) {
    const std::string e = FirstWord(english);
    const std::string titleE = TitleWord(e);
    if (CompareBytes(titleE, e) < 0)
        return platform::Lowercase(translation);
    const std::string t = FirstWord(translation);
    const std::string titleT = TitleWord(t);
    if (CompareBytes(titleE, e) == 0 && CompareBytes(titleT, t) < 0)
        return platform::Replace(translation, t, titleT);
    return std::string(translation);
}

std::string Recase(std::string_view line) {
    return platform::ReplaceAll(platform::ReplaceAll(line, " XML ", " XML "), " BMP ", " BMP ");
}

std::string TranslationHeading(std::string_view name) {
    return platform::Trim(name).empty() ? std::string("...") : std::string(name);
}

std::vector<std::string> LanguageFileLines(const Table& table, std::string_view name) {
    std::vector<std::string> lines;
    lines.push_back(Recase("[Lang=" + platform::Trim(name) + "]"));
    for (const Row& row : table.rows) {
        if (platform::InStr(row.english, "Lang=") > 0)
            continue;
        std::string line;
        if (row.key.empty() && (row.english.find('[') != std::string::npos ||
                                row.english.find(';') != std::string::npos))
            line = row.english;
        else if (platform::Trim(row.translation).empty())
            line = row.key + "=" + row.english;
        else
            line = row.key + "=" + ApplyCaseRules(row.english, row.translation);
        lines.push_back(Recase(line));
    }
    return lines;
}

std::string LanguageFileText(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::string SuggestedFileName(std::string_view name) {
    if (platform::TextEquals(platform::Right(name, 4), ".lng"))
        return std::string(name);
    return std::string(name) + ".lng";
}

OpenedFile ReadLanguageFile(std::string_view text) {
    OpenedFile file;
    for (const std::string& line : Variables::SplitSkinLines(text)) {
        if (platform::Trim(line).empty())
            continue;
        if (platform::InStr(line, "lang=") > 0)
            file.name = platform::Replace(BetweenFirstAndSecondEquals(line), "]", "");
        if (IsSectionLine(line))
            continue;
        file.entries.emplace_back(BeforeFirstEquals(line), BetweenFirstAndSecondEquals(line));
    }
    return file;
}

void ApplyOpenedFile(Table& table, const OpenedFile& file) {
    // Rows by their key folded as TextEquals folds it, so that a long file costs one look-up
    // a line rather than a pass over the table.
    std::unordered_map<std::string, std::vector<Row*>> rowsByKey;
    for (Row& row : table.rows) {
        row.translation.clear();
        rowsByKey[platform::Lowercase(row.key)].push_back(&row);
    }
    for (const auto& [key, value] : file.entries) {
        const auto it = rowsByKey.find(platform::Lowercase(key));
        if (it == rowsByKey.end())
            continue;
        for (Row* row : it->second)
            row->translation = value;
    }
}

}  // namespace translatetable
