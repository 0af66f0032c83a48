#include "engine/xml/options.h"

#include "engine/xml/rescale.h"
#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cmath>

namespace Variables {

namespace {

using platform::InStr;

void FontSizePercentage(std::vector<std::string>& lines, std::int32_t percent) {
    std::size_t i = 0;
    while (i < lines.size()) {
        if (InStr(lines[i], "<Browser") != 0) {
            // The browser text keeps the size chosen for the browser.
            while (i < lines.size() && InStr(lines[i], "</browser>") == 0) {
                ++i;
                platform::Yield();
            }
            if (i == lines.size())
                return;
        }
        std::string& line = lines[i];
        if (const std::size_t p = InStr(line, "size="); p != 0) {
            // The opening quote is at p + 5, the value starts at p + 6 (1-based).
            const std::size_t close = InStr(p + 6, line, "\"");
            if (close != 0) {
                const std::string value = line.substr(p + 5, close - (p + 6));
                const std::int32_t n = platform::TruncInt32(platform::Val(value));
                const std::int32_t product =
                    platform::CheckedInt32(static_cast<long long>(n) * percent);
                const auto size = static_cast<std::int32_t>(std::trunc(product / 100.0));
                line = line.substr(0, p + 5) + std::to_string(size) + line.substr(close - 1);
            }
        }
        ++i;
        platform::Yield();
    }
}

void GainSensibility(std::vector<std::string>& lines, std::int32_t gain) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (InStr(lines[i], "action=\"gain\"") != 0) {
            for (std::size_t k = i + 1; k <= i + 5 && k < lines.size(); ++k) {
                std::string& line = lines[k];
                if (const std::size_t p = InStr(line, "sensibility="); p != 0) {
                    const std::size_t close = InStr(p + 13, line, "\"");
                    if (close != 0)
                        line =
                            line.substr(0, p + 12) + std::to_string(gain) + line.substr(close - 1);
                }
                platform::Yield();
            }
        }
        platform::Yield();
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = platform::AsciiLower(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

}  // namespace

std::string InvertLineColours(const std::string& line) {
    std::string w = line;
    if (InStr(w, "\"white\"") != 0)
        w = platform::Replace(w, "\"white\"", "\"#FFFFFF\"");
    if (InStr(w, "=\"#") == 0)
        return line;
    const std::vector<std::string> pieces = platform::Split(w, "#");
    std::string out = pieces[0];
    for (std::size_t k = 1; k < pieces.size(); ++k) {
        const std::string& piece = pieces[k];
        const std::size_t quote = piece.find('"');
        const std::size_t limit = std::min(quote, piece.size());
        // Six digits make a colour; reading more could not be inverted within 24 bits.
        std::uint32_t v = 0;
        std::size_t digits = 0;
        while (digits < limit && digits < 6 && HexDigit(piece[digits]) >= 0) {
            v = v * 16 + static_cast<std::uint32_t>(HexDigit(piece[digits]));
            ++digits;
        }
        std::string t = platform::Lowercase(platform::Hex(0xFFFFFFU - v));
        while (t.size() < 6) {
            t.insert(0, "0");
            platform::Yield();
        }
        out += '#';
        out += t;
        // Without a closing quote nothing after the digits is dropped.
        out += quote == std::string::npos ? piece.substr(digits) : piece.substr(quote);
        platform::Yield();
    }
    return platform::Trim(out);
}

void More_Options() {
    if (P_Change_FontSize)
        FontSizePercentage(Str_Line, P_Change_FontSize_Value);
    if (P_Change_Gain)
        GainSensibility(Str_Line, P_Change_Gain_Value);
}

void Outdoor(const std::string& stage) {
    if (platform::TextEquals(stage, "XML")) {
        for (std::string& line : Str_Line) {
            line = InvertLineColours(line);
            platform::Yield();
        }
    } else if (platform::TextEquals(stage, "picture")) {
        if (!OutdoorPictureStage)
            throw platform::NilObjectException("the day skin's picture stage is not installed");
        OutdoorPictureStage();
    }
}

}  // namespace Variables
