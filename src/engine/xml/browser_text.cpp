#include "engine/xml/browser_text.h"

#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "platform/text.h"
#include "platform/thread.h"

namespace Browser {

namespace {

using platform::InStr;

/// Replaces the value of the first `key` (written with its blank in front) by `value`. The
/// value of a colour attribute keeps its "#": `colour` keeps one character more of the old
/// value, or writes a "#" when the old value does not begin with one. `closeFrom` is how far
/// past the key the closing quote is looked for. Lines without the key or without a closing
/// quote stay as they are.
void RewriteValue(std::string& line, std::string_view key, const std::string& value, bool colour,
                  std::size_t closeFrom) {
    const std::size_t p = InStr(line, key);
    if (p == 0)
        return;
    std::size_t keep = p + key.size();  // through the opening quote
    std::string newValue = value;
    if (colour) {
        if (keep < line.size() && line[keep] == '#') {
            ++keep;
        } else {
            newValue = "#" + value;
            closeFrom = key.size() + 1;
        }
    }
    const std::size_t close = InStr(p + closeFrom, line, "\"");
    if (close == 0)
        return;
    line = line.substr(0, keep) + newValue + line.substr(close - 1);
}

}  // namespace

void Change_Browser_XML() {
    std::vector<std::string>& lines = Variables::Str_Line;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (InStr(lines[j], "<Browser") != 0) {
            for (std::size_t k = j + 1; k <= j + 15 && k < lines.size(); ++k) {
                platform::Yield();
                if (InStr(lines[k], "<text") == 0)
                    continue;
                std::string line = lines[k];
                RewriteValue(line, " font=", B_Text_Font, false, 7);
                RewriteValue(line, " size=", std::to_string(B_Text_Size), false, 7);
                RewriteValue(line, " color=", Variables::StrColor(B_Text_Color), true, 8);
                RewriteValue(line, " selected=", Variables::StrColor(B_Selected_Color), true, 11);
                RewriteValue(line, " stripes=", Variables::StrColor(B_Stripes_Color), true, 11);
                lines[k] = std::move(line);
                break;
            }
        }
        platform::Yield();
    }
}

}  // namespace Browser

namespace Variables {

std::string StrColor(platform::Color c) {
    std::string out;
    for (std::uint8_t channel : {c.r, c.g, c.b}) {
        const std::string pair = platform::Hex(channel);
        if (pair.size() == 1)
            out += '0';
        out += pair;
    }
    return out;
}

std::string FormatColor(platform::Color c) {
    return "#" + StrColor(c);
}

}  // namespace Variables
