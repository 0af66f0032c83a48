#pragma once

#include "support/scoped_env.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Variables {
class SmartRefusalSink;
}

namespace testsupport {

/// The job state of every module below the shell as a fresh process has it, for the lifetime
/// of the object: the XML side's values, the rescaling job's outcome, the two pictures, the
/// browser and maths values, the message table (58 empty entries) and the list of suppressed
/// messages back to their defaults; the refusal sink the one that writes to stderr; the day
/// skin's picture stage installed, as a job start installs it. On destruction the same resets
/// run again, so that one test's leftovers never reach the next, the refusal sink installed
/// before comes back, and every environment variable set through `SetEnv` gets its old value.
/// The state is global, so one object at a time.
class JobState {
public:
    JobState();
    ~JobState();
    JobState(const JobState&) = delete;
    JobState& operator=(const JobState&) = delete;

    /// Runs the resets of the constructor again, for a test that starts afresh in the middle
    /// (a window opened a second time); the refusal sink and the environment stay as they are.
    static void Reset();

    /// Sets (or, with nothing, unsets) the environment variable `name` until this object goes.
    void SetEnv(const char* name, std::optional<std::string> value);

private:
    std::unique_ptr<Variables::SmartRefusalSink> m_previousSink;
    // Restored last to first, so that a variable set twice gets its value from before the first.
    std::vector<std::unique_ptr<ScopedEnv>> m_env;
};

}  // namespace testsupport
