#include "engine/xml/rescale.h"

#include "engine/xml/maths.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cmath>

namespace rescale {

using platform::InStr;

namespace {

bool IsBlank(std::string_view line) {
    for (char c : line) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

/// The new " x=" value under the fixed rules of a "Smart" run (an empty fixed value scales).
std::int32_t FixedX(std::int32_t v, const std::string& fixed, const JobRun& run) {
    if (fixed.empty())
        return ScaleRounded(v, run.xProp);
    if (platform::TextEquals(fixed, "right"))
        return v == 0 ? 0 : platform::CheckedInt32(static_cast<long long>(v) + run.widthDiff);
    if (platform::TextEquals(fixed, "center"))
        return v == 0 ? 0 : platform::CheckedInt32(static_cast<long long>(v) + run.widthDiff / 2);
    return v;
}

/// A "<pos" line whose y attribute is not written " y=": each value after a " y" and its
/// "=" and quote is scaled, everything else (the separators' own case included) stays.
std::string SplitRuleY(const std::string& line, float yProp) {
    std::string out;
    std::size_t from = 0;
    bool first = true;
    for (;;) {
        const std::size_t at = InStr(from + 1, line, " y");
        const std::size_t end = at == 0 ? line.size() : at - 1;
        std::string piece = line.substr(from, end - from);
        if (!first) {
            const std::size_t eq = piece.find("=\"");
            if (eq != std::string::npos) {
                const std::size_t valueStart = eq + 2;
                // An empty value would run on to some later quote: leave it alone.
                if (valueStart < piece.size() && piece[valueStart] != '"') {
                    const std::size_t close = piece.find('"', valueStart + 1);
                    if (close != std::string::npos) {
                        const std::int32_t v =
                            Maths::MathsVal(piece.substr(valueStart, close - valueStart));
                        piece = piece.substr(0, valueStart) +
                                std::to_string(ScaleRounded(v, yProp)) + piece.substr(close);
                    }
                }
            }
        }
        out += piece;
        platform::Yield();
        if (at == 0)
            break;
        out += line.substr(at - 1, 2);
        from = at + 1;
        first = false;
    }
    return out;
}

}  // namespace

bool Contains(std::string_view line, std::string_view text) noexcept {
    return InStr(line, text) != 0;
}

std::string QuotedValue(const std::string& line, std::string_view key) {
    std::string keyQuote(key);
    keyQuote += '"';
    const std::size_t p = InStr(line, keyQuote);
    if (p == 0)
        return std::string();
    const std::size_t start = p + keyQuote.size();  // 1-based first character of the value
    const std::size_t close = InStr(start, line, "\"");
    if (close == 0)
        return line.substr(start - 1);
    return line.substr(start - 1, close - start);
}

std::int32_t ScaleRounded(std::int32_t value, float ratio) {
    return platform::RoundInt32(static_cast<double>(value) * static_cast<double>(ratio));
}

std::int32_t ScaleTruncated(std::int32_t value, double ratio) {
    return platform::TruncInt32(static_cast<double>(value) * ratio);
}

bool RewriteAttribute(std::string& line, std::string_view key, bool signStep, bool evaluateToEnd,
                      const std::function<std::int32_t(std::int32_t)>& newValue) {
    const std::size_t p = InStr(line, key);
    if (p == 0)
        return false;
    const std::size_t quote = p + key.size();  // 1-based: whatever follows the key
    if (quote > line.size())
        return false;
    std::size_t valueStart = quote + 1;
    std::string prefix = line.substr(0, quote);
    if (signStep && valueStart <= line.size() &&
        (line[valueStart - 1] == '+' || line[valueStart - 1] == '-')) {
        prefix += line[valueStart - 1];
        ++valueStart;
    }
    // Searched from the value's second character whether or not a sign was taken, so a
    // one-character value is found and the closing quote never precedes the value's start.
    const std::size_t close = InStr(p + key.size() + 2, line, "\"");
    if (close == 0)
        return false;
    const std::string valueText = evaluateToEnd ? line.substr(valueStart - 1)
                                                : line.substr(valueStart - 1, close - valueStart);
    const std::int32_t v = newValue(Maths::MathsVal(valueText));
    line = prefix + std::to_string(v) + line.substr(close - 1);
    return true;
}

void XPass(std::vector<std::string>& lines, JobRun& run) {
    const auto scale = [&run](std::int32_t v) { return ScaleRounded(v, run.xProp); };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        run.At(i, line);
        if (!IsBlank(line) && !Contains(line, "x=\"\"") && Contains(line, "x=") &&
            !Contains(line, "<icon>")) {
            std::string fixed;
            if (run.smart && Contains(line, "fixed="))
                fixed = QuotedValue(line, "fixed=");
            if (!(run.smart && platform::TextEquals(fixed, "left"))) {
                if (Contains(line, " x=")) {
                    const auto rule = [&](std::int32_t v) { return FixedX(v, fixed, run); };
                    if (RewriteAttribute(line, " x=", true, false, rule))
                        line = platform::Replace(line, "+-", "+0-");
                } else if (Contains(line, "dx=")) {
                    RewriteAttribute(line, "dx=", false, false, scale);
                }
                run.lineText = line;
            }
        }
        platform::Yield();
    }
}

void YPass(std::vector<std::string>& lines, JobRun& run) {
    const auto scale = [&run](std::int32_t v) { return ScaleRounded(v, run.yProp); };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        run.At(i, line);
        if (!IsBlank(line) && !Contains(line, "y=\"\"") && Contains(line, "y") &&
            !Contains(line, "<icon>")) {
            if (!Contains(line, " y=") && Contains(line, "<pos") && Contains(line, " y")) {
                line = SplitRuleY(line, run.yProp);
            } else if (Contains(line, " y=")) {
                if (RewriteAttribute(line, " y=", true, false, scale))
                    line = platform::Replace(line, "+-", "+0-");
            } else if (Contains(line, "dy=")) {
                RewriteAttribute(line, "dy=", false, false, scale);
            }
            run.lineText = line;
        }
        platform::Yield();
    }
}

}  // namespace rescale
