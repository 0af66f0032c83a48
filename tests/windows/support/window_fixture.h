#pragma once

#include "app/app.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/widgets/window.h"
#include "support/job_state.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace testsupport {

/// A clock that always reads `now`, while its monotonic reading moves on 20 ms at every
/// reading, so that a job's yields are never held back by their throttle.
class FixedClock : public platform::Clock {
public:
    explicit FixedClock(platform::DateTime now)
        : m_now(now) {}
    std::int64_t MonotonicMs() const override { return m_ms += 20; }
    platform::DateTime Now() const override { return m_now; }

private:
    platform::DateTime m_now;
    mutable std::int64_t m_ms = 0;
};

/// The state of the shell and the windows as a fresh process has it, on top of the job state
/// (JobState): the line terminator "\n", the English message table, no language loaded, the
/// built-in settings with nothing suppressed and no failed settings write reported, no
/// resources read yet, the kit's styles unread, no message window presenter, no job told to
/// end. The quit handler and the window closer are empty for the lifetime of the object, and
/// come back, like a clock installed through SetToday, when it goes; the resets run again
/// then. The state is global, so one object at a time.
class WindowState : public JobState {
public:
    WindowState();
    ~WindowState();

    /// Runs the resets of the constructor again (a test that opens a window afresh); the
    /// hooks, the clock and the environment stay as they are.
    static void Reset();
    /// Installs a FixedClock reading `now` until this object goes.
    void SetToday(platform::DateTime now);

private:
    std::function<void()> m_previousQuitHandler;
    App::WindowCloser m_previousWindowCloser;
    std::unique_ptr<platform::Clock> m_previousClock;
    bool m_clockSet = false;
};

/// Loads a language named `name` whose key table is `entries` (key, translation pairs), as
/// reading its file would leave it.
void UseLanguage(const std::string& name,
                 std::initializer_list<std::pair<std::string, std::string>> entries);

/// A message window notice: its text and its id.
struct Notice {
    std::string text;
    std::int32_t id;
};

/// Every window test starts from WindowState, with scripted dialogs; at its end every window
/// of ours still open is closed as a quit closes it (one that refuses is deleted), so that no
/// test finds another's window.
class WindowFixture : public ::testing::Test {
protected:
    void TearDown() override;

    /// Closes every window of ours but `keep`, as a quit closes them; one that refuses is
    /// deleted. Then lets Qt delete the closed ones.
    static void CloseWindows(const platform::Window* keep = nullptr);
    /// The open windows of class W, front to back.
    template <typename W>
    static std::vector<W*> OpenWindows() {
        std::vector<W*> found;
        for (platform::Window* open : platform::Window::FrontToBack()) {
            if (auto* win = dynamic_cast<W*>(open); win && !win->IsClosed())
                found.push_back(win);
        }
        return found;
    }
    /// From now on the notices for the message window land in `notices` instead of a window.
    void RecordNotices();
    /// WindowState::Reset(), the notices still recorded when they were.
    void ResetState();

    WindowState state;
    platform::ScopedScriptedDialogs dialogs;
    std::vector<Notice> notices;

private:
    bool m_recordsNotices = false;
};

/// A click of `button` at `at` of `widget`: press and release.
void Click(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
/// A left click in the middle of `widget`.
void ClickCentre(QWidget& widget);

}  // namespace testsupport
