#pragma once

#include "platform/color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// The translation editor's table and its rules, kept apart from the window: rows from the
/// reference text, row colours, where Tab goes, the checks of a translation, the language file
/// that a save writes and what an opened file puts into the table.
namespace translatetable {

/// One row: the key (never trimmed; empty in a header row), the English text and the
/// translation as typed.
struct Row {
    std::string key;
    std::string english;
    std::string translation;
};

/// Columns of the table.
inline constexpr int kKeyColumn = 0;
inline constexpr int kEnglishColumn = 1;
inline constexpr int kTranslationColumn = 2;

struct Table {
    std::vector<Row> rows;
    /// Row indices of the header rows; the first row always counts as one.
    std::vector<std::int32_t> headers{0};

    bool IsHeader(std::int32_t row) const noexcept;
};

/// The table for a reference text (lines ending in CR, LF or CR LF). A blank line gives no
/// row. A line whose first character is ";", or "[" with its trimmed end "]", gives a header
/// row holding the trimmed line as its English text; any other line a key row: the key is the
/// text before the first "=" (the whole line without one), the English text the part between
/// the first and second "=", trimmed.
Table FromReference(std::string_view reference);

/// The colours of a row's background.
inline constexpr platform::Color kHeaderColor{0xDB, 0xDF, 0xFF};
inline constexpr platform::Color kSameAsEnglishColor{0xFF, 0xCC, 0x88};
inline constexpr platform::Color kMissingColor{0xFF, 0x88, 0x88};

/// The background of a row, or nothing for the list's own: pale blue for a header row,
/// painted over by light orange when the translation equals a non-empty English text (case
/// ignored), painted over by light red once a file was opened or saved when a row with a key
/// and an English text has no translation.
std::optional<platform::Color> RowColor(const Table& table, std::int32_t row, bool fileOpened);
/// The same for one row, told whether it is a header row.
std::optional<platform::Color> RowColor(const Row& row, bool header, bool fileOpened);

/// Where Tab in the cell editor of (`row`, `column`) goes.
struct TabMove {
    /// True: the key is taken; false: the list's own handling applies.
    bool handled = true;
    /// The row whose translation cell is edited next, or nothing.
    std::optional<std::int32_t> editRow;
};
/// Outside the translation column or in the last row, Tab is taken and goes nowhere; else it
/// goes to the next row that is no header row, and when only header rows follow it is left to
/// the list.
TabMove TabFrom(const Table& table, std::int32_t row, std::int32_t column);

/// The warnings for a translation whose editing ended, in the order they are shown: a
/// different count of "Malvoren Tool", or else of "Malvoren", stops the checks; then "Skin",
/// "\n" and "%"; then the translator credit. A count is one more than the occurrences found
/// without regard to case, so an empty text counts one. Nothing for an empty translation.
std::vector<std::string> CheckTranslation(std::string_view english, std::string_view translation);

/// The translation as a save writes it (the case rules): an English first word whose title
/// case sorts below it (it starts in lower case) lowers the whole translation; an English first
/// word that is exactly its title case gives a translation whose first word sorts above its
/// title case that title case; anything else stays as typed. Words end at a blank; comparisons
/// are of UTF-8 bytes.
std::string ApplyCaseRules(std::string_view english, std::string_view translation);

/// A line as written: " xml " and then " bmp ", found without regard to case and without
/// overlapping, become " XML " and " BMP ".
std::string Recase(std::string_view line);

/// The heading of the translation column for a language name: the name as typed, or "..."
/// when it is blank.
std::string TranslationHeading(std::string_view name);

/// The lines of the language file for the table under `name`, each re-cased: "[Lang=" and the
/// trimmed name and "]", then one line per row: none when the English text holds "Lang=" (any
/// case), the English text of a row with no key whose English holds "[" or ";", the key, "="
/// and the English text when the translation is blank, else the key, "=" and the translation
/// after the case rules.
std::vector<std::string> LanguageFileLines(const Table& table, std::string_view name);

/// The file's bytes: every line followed by `lineEnd`, the last one too.
std::string LanguageFileText(const std::vector<std::string>& lines, std::string_view lineEnd);

/// The file name a save suggests: the name as typed, with ".lng" added when it does not end
/// in it (any case), so that the language loader lists the file.
std::string SuggestedFileName(std::string_view name);

/// What an opened language file gives, read whole before the table changes.
struct OpenedFile {
    /// From the last line holding "lang=" (any case): the part between its first and second
    /// "=", its first "]" removed. Nothing when no line holds it.
    std::optional<std::string> name;
    /// Key and value of each line that is not blank and not a section line, in file order:
    /// the part before the first "=" and the part between the first and second "=", neither
    /// trimmed.
    std::vector<std::pair<std::string, std::string>> entries;
};
/// Reads a language file's text (lines ending in CR, LF or CR LF).
OpenedFile ReadLanguageFile(std::string_view text);

/// Empties every translation, then gives each entry's value to every row whose key equals
/// the entry's key without regard to case; a later entry wins.
void ApplyOpenedFile(Table& table, const OpenedFile& file);

}  // namespace translatetable
