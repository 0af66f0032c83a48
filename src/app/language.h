#pragma once

#include "platform/folderitem.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Language files (".lng") and the lookup of translated texts. The numbered message table
/// itself lives with the messages library (`Language::Messages`).
namespace Language {

/// The ".lng" files of the last listing, in listing order.
inline std::vector<platform::FolderItem> LangFiles;
/// One entry per listed file that yields a name: the name, "*" and the file's absolute path.
inline std::vector<std::string> AvailableLang;
/// The whole text of the last language file read, its line ends made `Variables::RC`.
inline std::string LangFile;
/// English text to translation; absent until a language file has been loaded.
inline std::optional<std::map<std::string, std::string>> LangList;

/// A language file larger than this is not read.
inline constexpr std::uintmax_t kMaxLanguageBytes = 16ull * 1024 * 1024;

/// Writes a language file (as the translation editor composes it, whole) through the atomic
/// writer: a failure leaves an earlier file of that name whole and no temporary file beside it.
/// Throws FileWriteException, whose message names the file and the system's reason.
void WriteLanguageFile(const std::filesystem::path& path, std::string_view text);

/// For tests: the lists, the file text and the key table back to their start-up state.
void ResetLanguage();

/// One complete load: empties the names, fills the message table with its English texts,
/// lists the language files and loads the one named `INI_Read_Write::Lang`.
void ReadLanguage();

/// Lists the ".lng" files of the resources' "Languages" folder, then of the application's
/// folder (only when the first exists), and the names their first lines give. A missing
/// "Languages" folder shows message 39; a file that cannot be read shows "File not Found" and
/// ends the listing.
void SearchAvailableLang();

/// Loads the first listed language whose name is `INI_Read_Write::Lang` (case ignored): its
/// entry lines fill the key table, its "Message(n)=" lines replace entries of the message
/// table. When no file has ever been read, the language becomes "English". A file that cannot
/// be read, or a message number outside 0 to 57, shows "Unable to load language file" and ends
/// the load, keeping what was done before.
void LoadLanguage();

/// The loaded language's text for an English text, or the text itself.
std::string Lng(std::string_view text);

}  // namespace Language
