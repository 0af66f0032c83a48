#include "engine/xml/maths.h"
#include "engine/xml/rescale.h"
#include "platform/text.h"
#include "platform/thread.h"

namespace rescale {

namespace {

/// An icon line carries at most three values of each kind; later ones are carried over as
/// they are written, so that no attribute or closing tag is ever lost.
constexpr std::size_t kRewrittenValues = 3;

}  // namespace

void IconPass(std::vector<std::string>& lines, JobRun& run, bool xValues) {
    const std::string separator = xValues ? "x=\"" : "y=\"";
    const float ratio = xValues ? run.xProp : run.yProp;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        run.At(i, line);
        platform::Yield();
        if (platform::InStr(line, "<icon>") == 0 ||
            platform::InStr(line, std::string_view(separator).substr(0, 2)) == 0)
            continue;
        std::vector<std::size_t> starts;  // 0-based position of every separator
        for (std::size_t p = platform::InStr(line, separator); p != 0;
             p = platform::InStr(p + separator.size(), line, separator))
            starts.push_back(p - 1);
        const std::size_t n = starts.size();
        // A single value of a kind is left as written.
        if (n < 2)
            continue;
        std::string out = line.substr(0, starts[0]);
        for (std::size_t k = 1; k <= n; ++k) {
            const std::size_t sepAt = starts[k - 1];
            const std::size_t partAt = sepAt + separator.size();
            const std::size_t partEnd = k < n ? starts[k] : line.size();
            const std::string part = line.substr(partAt, partEnd - partAt);
            const std::size_t quote = part.find('"');
            // Without a closing quote there is no telling where the value ends: keep it.
            if (k > kRewrittenValues || quote == std::string::npos) {
                out.append(line, sepAt, partEnd - sepAt);
                continue;
            }
            // The evaluator reads the whole part; it stops at the value's closing quote.
            const std::int32_t v = Maths::MathsVal(part);
            out += separator;
            if (k >= 2 && !part.empty() && part[0] == '+')
                out += '+';
            out += std::to_string(ScaleRounded(v, ratio));
            out.append(part, quote, std::string::npos);
        }
        line = std::move(out);
    }
}

}  // namespace rescale
