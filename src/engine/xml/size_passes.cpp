#include "engine/xml/maths.h"
#include "engine/xml/rescale.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <cmath>

namespace rescale {

using platform::InStr;

namespace {

/// 1-based position of the first "width=" that is not the end of "mainwidth="; 0 when none.
std::size_t PlainWidthPosition(const std::string& line) {
    std::size_t from = 1;
    for (;;) {
        const std::size_t p = InStr(from, line, "width=");
        if (p == 0)
            return 0;
        if (p < 5 || !platform::TextEquals(std::string_view(line).substr(p - 5, 4), "main"))
            return p;
        from = p + 1;
    }
}

/// Rewrites the attribute that starts at 1-based `p` (its name `keyLength` long), the value
/// read through the evaluator from the opening quote to the end of the line.
void RewriteAt(std::string& line, std::size_t p, std::size_t keyLength,
               const std::function<std::int32_t(std::int32_t)>& newValue) {
    // RewriteAttribute finds the first occurrence of its key; handing it the tail of the line
    // from p on makes the occurrence at p the first one.
    std::string tail = line.substr(p - 1);
    const std::string key = tail.substr(0, keyLength);
    if (RewriteAttribute(tail, key, false, true, newValue))
        line = line.substr(0, p - 1) + tail;
}

}  // namespace

void SizePass(std::vector<std::string>& lines, JobRun& run) {
    const auto scaleX = [&run](std::int32_t v) { return ScaleRounded(v, run.xProp); };
    const auto scaleY = [&run](std::int32_t v) { return ScaleRounded(v, run.yProp); };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        run.At(i, line);
        platform::Yield();
        // An empty width value (an empty mainwidth contains one) freezes the whole line.
        if (Contains(line, "width=\"\""))
            continue;
        std::string expression;
        if (run.smart && Contains(line, "fixed=")) {
            // A fixed element keeps its size, whatever its anchor.
            if (!QuotedValue(line, "fixed=").empty())
                continue;
        } else if (run.smart && Contains(line, "resizew")) {
            expression = QuotedValue(line, "resizew=");
        }
        if (const std::size_t p = PlainWidthPosition(line); p != 0) {
            if (expression.empty()) {
                RewriteAt(line, p, 6, scaleX);
            } else {
                RewriteAt(line, p, 6, [&](std::int32_t v) {
                    std::string e = platform::Replace(expression, "w", std::to_string(v));
                    e = platform::Replace(e, "prop", platform::Str(static_cast<double>(run.xProp)));
                    e = platform::Replace(e, "diff", std::to_string(run.widthDiff));
                    return Maths::MathsVal(e);
                });
            }
        }
        if (const std::size_t p = InStr(line, "mainwidth="); p != 0)
            RewriteAt(line, p, 10, scaleX);
        if (!Contains(line, "height=\"\"")) {
            if (const std::size_t p = InStr(line, "height="); p != 0)
                RewriteAt(line, p, 7, scaleY);
        }
        run.lineText = line;
    }
}

void FontPass(std::vector<std::string>& lines, JobRun& run, bool noFontChange) {
    const double x = run.xProp;
    const double y = run.yProp;
    if (noFontChange || (x == 1.0 && y > 1.0))
        return;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        run.At(i, line);
        if (Contains(line, "size=") && !Contains(line, "size=\"\"")) {
            RewriteAttribute(line, "size=", false, false, [y](std::int32_t v) {
                const double scaled = static_cast<double>(v) * y;
                return scaled < 10.0 ? 10 : ScaleTruncated(v, y);
            });
            run.lineText = line;
        }
        platform::Yield();
    }
}

void MacFontPass(std::vector<std::string>& lines, JobRun& run) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        run.At(i, line);
        if (Contains(line, "size=") && !Contains(line, "size=\"\"")) {
            RewriteAttribute(line, "size=", false, false,
                             [](std::int32_t v) { return ScaleTruncated(v, 0.8); });
            run.lineText = line;
        }
        platform::Yield();
    }
}

void LogoPass(std::vector<std::string>& lines, JobRun& run, bool keepLogo,
              const std::string& storedLogo) {
    // A skin whose logo the analysis did not store (no "<logo>" line) has no height to restore;
    // writing 0 would make its logo vanish, so the computed height stays then.
    const std::string storedHeight = platform::NthField(storedLogo, "*", 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        run.At(i, lines[i]);
        if (Contains(lines[i], "<logo")) {
            for (std::size_t k = i + 1; k <= i + 2 && k < lines.size(); ++k) {
                std::string& line = lines[k];
                run.At(k, line);
                platform::Yield();
                if (!Contains(line, "height="))
                    continue;
                if (!Contains(line, "height=\"\"")) {
                    RewriteAttribute(line, "height=", false, true, [&](std::int32_t v) {
                        if (v < 21)
                            v = 17;
                        if (keepLogo && !storedHeight.empty())
                            v = Maths::MathsVal(storedHeight);
                        return v;
                    });
                    run.lineText = line;
                }
                break;
            }
        }
        platform::Yield();
    }
}

}  // namespace rescale
