#include "engine/xml/tweaks.h"

#include "engine/xml/variables.h"
#include "platform/checked.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace Variables {

namespace {

using platform::InStr;
using platform::TextEquals;

void RemoveEntriesHolding(std::vector<std::string>& list,
                          std::initializer_list<std::string_view> texts) {
    for (long long k = platform::LastIndex(list); k >= 0; --k) {
        const std::string& entry = platform::At(list, k);
        for (std::string_view text : texts) {
            if (InStr(entry, text) != 0) {
                list.erase(list.begin() + k);
                break;
            }
        }
        platform::Yield();
    }
}

/// A position element written over two lines ("<pos x" then "=" and the value) is joined.
void JoinSplitPositions(std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + 1 < lines.size() && TextEquals(platform::Right(lines[i], 6), "<pos x")) {
            const std::string next = platform::Trim(lines[i + 1]);
            if (next.rfind("=\"", 0) == 0) {
                lines[i] += next;
                lines.erase(lines.begin() + static_cast<long long>(i) + 1);
            }
        }
        platform::Yield();
    }
}

void StripPositionBlocks(std::vector<std::string>& lines) {
    for (long long n = platform::LastIndex(lines); n >= 0; --n) {
        if (InStr(lines[static_cast<std::size_t>(n)], "source=\"position\"") != 0) {
            const std::size_t end = std::min(static_cast<std::size_t>(n) + 5, lines.size() - 1);
            for (std::size_t k = static_cast<std::size_t>(n); k <= end; ++k) {
                std::erase(lines[k], '<');
                platform::Yield();
            }
        }
        platform::Yield();
    }
}

}  // namespace

void Special_Tweaks(const std::string& stage) {
    const std::string& name = SkinName;
    if (TextEquals(stage, "Cleaning")) {
        if (TextEquals(name, "Titanium Max"))
            RemoveEntriesHolding(Mask, {"680 1190 ", "681 1191 ", "174 2260 "});
        if (TextEquals(name, "PCDJ VJ"))
            RemoveEntriesHolding(Mask, {"572 1540"});
        if (InStr(name, "mix lab") != 0)
            RemoveEntriesHolding(Fader, {"3 3533", "3 3622"});
    } else if (TextEquals(stage, "XML")) {
        if (TextEquals(name, "PCDJ VJ"))
            JoinSplitPositions(Str_Line);
        if (TextEquals(name, "HC4500"))
            StripPositionBlocks(Str_Line);
    }
}

}  // namespace Variables
