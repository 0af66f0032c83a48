#pragma once

#include "platform/event.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class TimerDriver;

/// The framework's timer: a period in milliseconds, a mode (off, single, multiple), an
/// enabled flag and an Action raised on the main loop. It fires every period while its mode
/// is multiple and it is enabled, once in single mode (the mode then returns to off), and not
/// at all while its mode is off. Changing the period, the mode or the flag restarts the count.
/// Timers run on the current TimerDriver: Qt's loop in the tool, a manual driver in tests.
/// A new timer is off (mode 0), enabled, with a period of 1000 ms.
class Timer {
public:
    static constexpr int kModeOff = 0;
    static constexpr int kModeSingle = 1;
    static constexpr int kModeMultiple = 2;

    Timer();
    virtual ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Period() const noexcept { return m_period; }
    void SetPeriod(int milliseconds);
    int Mode() const noexcept { return m_mode; }
    void SetMode(int mode);
    bool Enabled() const noexcept { return m_enabled; }
    void SetEnabled(bool enabled);
    /// Starts the count of the current period again.
    void Reset();

    /// The window's handler, raised by the default Event_Action.
    Event<void()> Action;

    /// Called by the driver when the period has run out: single mode turns the timer off
    /// first, then Event_Action runs through Dispatch.
    void Fire();

protected:
    /// The class's own Action handler; a subclass that overrides it keeps Action from the
    /// window.
    virtual void Event_Action() { Action.Raise(); }

private:
    friend class TimerDriver;
    bool Running() const noexcept {
        return m_enabled && (m_mode == kModeSingle || m_mode == kModeMultiple);
    }
    void Restart();

    int m_period = 1000;
    int m_mode = kModeOff;
    bool m_enabled = true;
    TimerDriver* m_driver = nullptr;  // the driver it is scheduled on, while it runs
};

/// Where timers are scheduled.
class TimerDriver {
public:
    virtual ~TimerDriver();

protected:
    friend class Timer;
    /// (Re)starts `timer`: its first firing comes `periodMs` from now, then every `periodMs`
    /// while it is in multiple mode.
    virtual void Start(Timer& timer, int periodMs) = 0;
    virtual void Stop(Timer& timer) = 0;
    /// A driver that goes away unhooks the timers it still holds.
    static void Forget(Timer& timer) noexcept { timer.m_driver = nullptr; }
};

/// The driver in force: Qt's event loop until another is installed.
TimerDriver& CurrentTimerDriver();
/// Installs `driver` (nullptr restores Qt's) and returns the previous one.
std::unique_ptr<TimerDriver> SetTimerDriver(std::unique_ptr<TimerDriver> driver);

/// For tests: time moves only when Advance is called. Timers fire in the order of their due
/// times (equal times in the order they were scheduled), each at its own moment, and the clock
/// that Ticks(), Milliseconds() and Now() read moves with them.
class ManualTimerDriver : public TimerDriver {
public:
    ManualTimerDriver();
    ~ManualTimerDriver() override;

    /// Moves time on by `milliseconds`, firing every timer that falls due on the way.
    void Advance(std::int64_t milliseconds);
    /// Milliseconds of the driver's monotonic clock.
    std::int64_t NowMs() const noexcept { return m_now; }
    /// Number of timers currently scheduled.
    std::size_t ScheduledCount() const noexcept { return m_entries.size(); }

protected:
    void Start(Timer& timer, int periodMs) override;
    void Stop(Timer& timer) override;

private:
    struct Entry {
        Timer* timer;
        std::int64_t due;
        int period;
        std::uint64_t order;
    };
    std::vector<Entry> m_entries;
    std::int64_t m_now;
    std::uint64_t m_nextOrder = 0;
};

/// Installs a ManualTimerDriver and a clock that reads its time for the lifetime of this
/// object (tests), restoring the previous driver and clock afterwards.
class ScopedManualTimers {
public:
    ScopedManualTimers();
    ~ScopedManualTimers();
    ScopedManualTimers(const ScopedManualTimers&) = delete;
    ScopedManualTimers& operator=(const ScopedManualTimers&) = delete;
    ManualTimerDriver* operator->() noexcept { return m_driver; }
    ManualTimerDriver& operator*() noexcept { return *m_driver; }

private:
    ManualTimerDriver* m_driver;
    std::unique_ptr<TimerDriver> m_previousDriver;
    std::unique_ptr<class Clock> m_previousClock;
};

/// True while the manual driver is in force (the yield throttle then lets every yield through,
/// since its clock only moves when a test moves it).
bool ManualTimersInstalled() noexcept;

}  // namespace platform
