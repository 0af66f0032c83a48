#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// One resize job, for the wizard window and for batch mode alike: the refusals a job meets
/// before it writes anything, the method steps, the job log's records, how a failure that gets
/// past the steps is reported, and what a failed job leaves behind. The two modes differ only
/// through `Mode`; the window and batch mode read their inputs and show the refusals.
namespace jobrun {

/// The input of a job that a refusal points at (in the window: the control of the bubble).
enum class Culprit {
    InputButton,
    OutputButton,
    OutputField,
    WidthField,
    HeightField,
    PagePanel,
};

/// Why a job is refused: the wizard page to show, the message number, the culprit and the
/// (unused) bubble position; a refused "Browser" job also proposes an output height. A refusal
/// that has no numbered message carries its own `text` (message 0); batch mode shows only
/// those, the numbered ones being the window's.
struct Refusal {
    std::int32_t page = 0;
    std::int32_t message = 0;
    Culprit control = Culprit::InputButton;
    std::int32_t position = 0;
    std::optional<std::int32_t> proposedHeight;
    std::string text = {};

    bool operator==(const Refusal&) const = default;
};

/// The smallest output a job makes.
inline constexpr double kMinJobWidth = 640;
inline constexpr double kMinJobHeight = 480;

/// The paths and output sizes of a job as the user gave them.
struct JobFields {
    std::string inputXml;
    std::string outputXml;
    std::string widthOutput;
    std::string heightOutput;
};

/// The first check on the paths and output sizes that fails: no input (message 2), no output
/// (15), the same skin file by any path (16), a width under 640 (17), a height under 480 (18),
/// a width or height beyond the 32-bit range (its own text), an output whose bitmap would be a
/// file of the input skin (its own text). The sizes are the numbers as given, fractions kept:
/// 639.5 is refused, 640.9 passes, and a number too large for a size is refused, never read as
/// another.
std::optional<Refusal> CheckPathsAndSizes(const std::string& inputXml, const std::string& outputXml,
                                          double width, double height);
/// The same on the texts of the fields, read as their leading numbers (0 when none).
std::optional<Refusal> CheckPathsAndSizes(const JobFields& fields);

/// The "Browser" method's guard on the current job state: the text that refuses a job whose
/// skin has no first browser with a position and a height, or whose first browser would lose
/// more rows than it has; nothing when the method can run.
std::optional<std::string> BrowserGuard();

/// The header of the job log, one record per element (each written after a line terminator):
/// the blank line and "----New Job----" with the date and time, then the input name, the
/// sizes, the method, the Mac option and "--".
std::vector<std::string> JobLogHeader(std::string_view rc, std::string_view date,
                                      std::string_view time, std::string_view inputName,
                                      std::int32_t inWidth, std::int32_t inHeight,
                                      std::int32_t outWidth, std::int32_t outHeight,
                                      std::string_view method, bool macEnhance);

/// The duration record: "Finished in " seconds (ticks / 60) " seconds".
std::string DurationRecord(std::int64_t ticks);

/// Where a window job and a batch job differ.
struct Mode {
    enum class Kind {
        /// The wizard: the job log gets the job's header and duration; "Simple" copies a
        /// bitmap that nothing changes; a failure that no step handles ends the job with a
        /// message; a failed job keeps a new output skin that had no earlier file of its name.
        Window,
        /// The command line: no records of its own; the bitmap is always scaled; a failure that
        /// no step handles goes on to the unhandled-failure report; a failed job leaves no new
        /// output skin.
        Batch,
    };
    Kind kind = Kind::Batch;
    /// Shows the name of the step about to run (the window's status line).
    std::function<void(const std::string& text)> status;
    /// Runs before the skin's lines are read again (the window analyses the input skin again).
    std::function<void()> reanalyse;
};

/// How a job ended.
struct Outcome {
    /// `Variables::Job_Ok` at the end.
    bool ok = false;
    /// The text of a failure that no step handled, in window mode (empty text: none given).
    std::optional<std::string> unexpected;
};

/// Runs one job on the job state that the caller filled (paths, sizes, method, options):
/// reads the skin's lines again, runs the method's steps and leaves the outputs by one rule.
/// The output skin waits beside its target until the bitmap is in place; when the job fails
/// before that, an earlier file of the output skin's name stays whole, and a new one is kept
/// only in window mode. An output that cannot be written is reported as "Unable to write PATH:
/// REASON." and fails the job. No temporary file is left. Throws what batch mode passes on (a
/// failure no step handles) and `platform::ThreadEndException` (a killed window job), after
/// the outputs are left by the same rule.
Outcome RunJob(const Mode& mode);

}  // namespace jobrun
