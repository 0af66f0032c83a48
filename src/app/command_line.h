#pragma once

#include "platform/folderitem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The command-line grammar of batch mode: how the process command line is rebuilt from
/// argv, cut into tokens and read into the settings of one job.
namespace App {

/// The process command line as one text: the program's path in double quotes, then each
/// argument after one blank, in double quotes when it holds a blank or is empty. `args[0]` is
/// the program's path.
std::string CommandLineFromArgs(const std::vector<std::string>& args);

/// True when the command line asks for no batch run: it contains " -psn_" (the marker of a
/// desktop start), case ignored.
bool IsDesktopLaunch(std::string_view commandLine) noexcept;

/// True unless the command line contains "-nostop" anywhere, case ignored.
bool StopMode(std::string_view commandLine) noexcept;

/// Cuts the command line into tokens: blanks outside double quotes separate tokens (empty
/// ones included), an opening quote ends the token before it, quotes are never part of a token
/// and text glued to a closing quote continues its token. The token at index 1 (the program's
/// path, after the empty token made by its opening quote) is removed.
std::vector<std::string> Tokenise(std::string_view commandLine);

/// The settings one batch run reads from its tokens. Fields start with the job state's values
/// and only the options given change them.
struct CommandSettings {
    std::int32_t outWidth = 0;
    std::int32_t outHeight = 0;
    std::string resizeMethod;  // lower case: "simple", "border", "browser" or "smart"
    std::string inputXMLPath;
    std::string outputXMLPath;
    bool browserXMLChange = false;  // -bfontsize was given a value
    std::int32_t fontSize = 0;
    /// The numbers of -w and -h as given, fraction and all, before they become 32-bit sizes:
    /// the size checks refuse one beyond the 32-bit range instead of reading it as 0.
    double outWidthTyped = 0;
    double outHeightTyped = 0;
};

/// How reading the tokens ended.
struct ParseResult {
    /// False: batch mode ends at once with `message` and the main window opens.
    bool goOn = true;
    /// The message to show before ending; empty when there is none.
    std::string message;
};

/// Reads the tokens in order into `settings`. Options are compared without regard to case; an
/// option takes the next token that is not empty and does not begin with "-". A bare token
/// ending in "xml" names a skin: an absolute path (beginning with "/", or with ":" as its
/// second character), else an item of `appFolder`. With `stopMode` off, unknown options,
/// methods and tokens are skipped; a missing input skin ends the run in either mode.
ParseResult ParseTokens(const std::vector<std::string>& tokens, bool stopMode,
                        const platform::FolderItem& appFolder, CommandSettings& settings);

/// The option value as batch mode converts it: the leading number with its fraction dropped;
/// 0 when there is none or when it lies outside the 32-bit range.
std::int32_t OptionNumber(std::string_view value) noexcept;

/// The output height that keeps the input's proportions: outWidth × inHeight ÷ inWidth with
/// the fraction dropped, formed without overflow; 0 when the input width is 0 or the result
/// does not fit 32 bits.
std::int32_t DerivedHeight(std::int32_t outWidth, std::int32_t inWidth,
                           std::int32_t inHeight) noexcept;

/// True when the two paths name the same skin (`Variables::SameSkinFile`).
bool SamePath(const std::string& a, const std::string& b);

}  // namespace App
