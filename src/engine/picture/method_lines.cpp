#include "engine/picture/method_lines.h"

#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/text.h"

namespace methodlines {

std::optional<std::string> Splice(std::string_view line, long long keep, std::string_view value,
                                  long long restFrom) {
    const std::size_t quote =
        platform::InStr(static_cast<std::size_t>(restFrom < 1 ? 1 : restFrom), line, "\"");
    if (quote == 0)
        return std::nullopt;
    return platform::Left(line, keep) + std::string(value) +
           platform::Mid(line, static_cast<long long>(quote));
}

std::int32_t RoundedLeadingNumber(std::string_view text) {
    return platform::RoundInt32(platform::Val(text));
}

std::int32_t TruncatedLeadingNumber(std::string_view text) {
    return platform::TruncInt32(platform::Val(text));
}

std::vector<std::size_t> FindAll(std::string_view line, std::string_view separator) {
    std::vector<std::size_t> found;
    std::size_t from = 1;
    while (const std::size_t at = platform::InStr(from, line, separator)) {
        found.push_back(at);
        from = at + separator.size();
    }
    return found;
}

std::optional<std::string> RebuildCutLine(
    std::string_view line, std::string_view separator, const std::vector<std::size_t>& found,
    const std::function<std::string(int, std::string_view)>& newValue) {
    if (found.empty())
        return std::string(line);
    std::string out = platform::Left(line, static_cast<long long>(found[0]) - 1);
    const std::size_t rewritten = found.size() < 3 ? found.size() : 3;
    for (std::size_t i = 0; i < rewritten; ++i) {
        const long long start = static_cast<long long>(found[i] + separator.size());
        const long long end =
            i + 1 < found.size() ? static_cast<long long>(found[i + 1]) : platform::Len(line) + 1;
        const std::string part = platform::Mid(line, start, end - start);
        const std::size_t quote = platform::InStr(part, "\"");
        if (quote == 0)
            return std::nullopt;
        out += std::string(separator);
        out += newValue(static_cast<int>(i) + 1, part);
        out += platform::Mid(part, static_cast<long long>(quote));
    }
    if (found.size() > 3)
        out += platform::Mid(line, static_cast<long long>(found[3]));
    return out;
}

std::string Dec(long long value) {
    return platform::Str(value);
}

}  // namespace methodlines
