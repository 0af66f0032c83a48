#include "app/command_line.h"

#include "engine/xml/skin_file.h"
#include "messages/line_terminator.h"
#include "platform/checked.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace App {
namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool IsSkinName(std::string_view token) {
    return platform::TextEquals(platform::Right(token, 3), "xml");
}

platform::FolderItem ItemOf(const std::string& token, const platform::FolderItem& appFolder) {
    if (platform::IsAbsolutePath(token))
        return platform::FolderItem(fs::path(token));
    return appFolder.Child(token);
}

std::string AbsolutePathOf(const platform::FolderItem& item) {
    std::error_code ec;
    fs::path p = fs::absolute(item.Path(), ec);
    if (ec)
        p = item.Path();
    return p.lexically_normal().string();
}

std::string UnknownCommand(std::string_view what) {
    return "Unknown command " + Quoted(what);
}

}  // namespace

std::string CommandLineFromArgs(const std::vector<std::string>& args) {
    std::string line = Quoted(args.empty() ? std::string("malvoren") : args[0]);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        line += ' ';
        line += (arg.empty() || arg.find(' ') != std::string::npos) ? Quoted(arg) : arg;
    }
    return line;
}

bool IsDesktopLaunch(std::string_view commandLine) noexcept {
    return platform::InStr(commandLine, " -psn_") > 0;
}

bool StopMode(std::string_view commandLine) noexcept {
    return platform::InStr(commandLine, "-nostop") == 0;
}

std::vector<std::string> Tokenise(std::string_view commandLine) {
    // Two quotes in place of quote-blank-quote: the program's path followed by a quoted
    // argument would otherwise leave an empty token between them.
    const std::string text = platform::Replace(platform::Trim(commandLine), "\" \"", "\"\"");
    std::vector<std::string> tokens;
    std::string current;
    bool inQuotes = false;
    for (const char c : text) {
        if (c == ' ' && !inQuotes) {
            tokens.push_back(std::move(current));
            current.clear();
        } else if (c == '"') {
            if (!inQuotes) {
                tokens.push_back(std::move(current));
                current.clear();
            }
            inQuotes = !inQuotes;
        } else {
            current += c;
        }
        platform::Yield();
    }
    tokens.push_back(std::move(current));
    // The program's path: index 0 holds the empty token of its opening quote.
    if (tokens.size() > 1)
        tokens.erase(tokens.begin() + 1);
    return tokens;
}

std::int32_t OptionNumber(std::string_view value) noexcept {
    const double v = platform::Val(value);
    return platform::TryTruncInt32(v).value_or(0);
}

std::int32_t DerivedHeight(std::int32_t outWidth, std::int32_t inWidth,
                           std::int32_t inHeight) noexcept {
    if (inWidth == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(outWidth) * inHeight;
    const double height = static_cast<double>(product) / inWidth;
    return platform::TryTruncInt32(height).value_or(0);
}

bool SamePath(const std::string& a, const std::string& b) {
    return Variables::SameSkinFile(a, b);
}

ParseResult ParseTokens(const std::vector<std::string>& tokens, bool stopMode,
                        const platform::FolderItem& appFolder, CommandSettings& settings) {
    std::string pending;
    for (const std::string& token : tokens) {
        platform::Yield();
        if (token.empty())
            continue;
        if (token[0] == '-') {
            pending = token;
            continue;
        }
        if (!pending.empty()) {
            const std::string option = platform::Lowercase(pending);
            if (option == "-w") {
                settings.outWidth = OptionNumber(token);
                settings.outWidthTyped = platform::Val(token);
            } else if (option == "-h") {
                settings.outHeight = OptionNumber(token);
                settings.outHeightTyped = platform::Val(token);
            } else if (option == "-r") {
                const std::string method = platform::Lowercase(token);
                if (method == "simple" || method == "border" || method == "browser" ||
                    method == "smart") {
                    settings.resizeMethod = method;
                } else if (stopMode) {
                    return {false, UnknownCommand(pending + " " + token) + Variables::RC +
                                       "Available resize parameters are:" + Variables::RC +
                                       "simple / border / browser"};
                }
            } else if (option == "-bfontsize") {
                settings.fontSize = OptionNumber(token);
                settings.browserXMLChange = true;
            } else if (stopMode) {
                return {false, UnknownCommand(pending + " " + token)};
            }
            pending.clear();
            continue;
        }
        if (!IsSkinName(token)) {
            if (stopMode)
                return {false, UnknownCommand(token)};
            continue;
        }
        const platform::FolderItem item = ItemOf(token, appFolder);
        if (settings.inputXMLPath.empty()) {
            if (!item.Exists())
                return {false, "Failed opening " + token};
            settings.inputXMLPath = AbsolutePathOf(item);
        } else {
            settings.outputXMLPath = AbsolutePathOf(item);
        }
    }
    return {};
}

}  // namespace App
