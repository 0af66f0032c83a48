#include "platform/timer.h"

#include "platform/clock.h"
#include "platform/dispatch.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <unordered_map>

namespace platform {
namespace {

/// Qt's loop: one QTimer per running timer.
class QtTimerDriver : public TimerDriver {
public:
    ~QtTimerDriver() override {
        for (auto& [timer, qtimer] : m_timers)
            Forget(*timer);
    }

protected:
    void Start(Timer& timer, int periodMs) override {
        auto& slot = m_timers[&timer];
        if (!slot) {
            slot = std::make_unique<QTimer>();
            slot->setTimerType(Qt::PreciseTimer);
            Timer* target = &timer;
            QObject::connect(slot.get(), &QTimer::timeout, [target] { target->Fire(); });
        }
        slot->setSingleShot(timer.Mode() == Timer::kModeSingle);
        slot->start(periodMs);
    }
    void Stop(Timer& timer) override {
        auto it = m_timers.find(&timer);
        if (it == m_timers.end())
            return;
        // The QTimer may be the one whose timeout is running right now: let Qt delete it.
        it->second->stop();
        it->second.release()->deleteLater();
        m_timers.erase(it);
    }

private:
    std::unordered_map<Timer*, std::unique_ptr<QTimer>> m_timers;
};

std::unique_ptr<TimerDriver>& Driver() {
    static std::unique_ptr<TimerDriver> driver = std::make_unique<QtTimerDriver>();
    return driver;
}

int g_manualInstalled = 0;

/// Reads the manual driver's time. Dates start at a fixed moment and move with it.
class ManualClock : public Clock {
public:
    explicit ManualClock(const ManualTimerDriver& driver)
        : m_driver(driver)
        , m_start(driver.NowMs()) {}
    std::int64_t MonotonicMs() const override { return m_driver.NowMs(); }
    DateTime Now() const override {
        const QDateTime base(QDate(2026, 1, 15), QTime(10, 0, 0));
        const QDateTime now = base.addMSecs(m_driver.NowMs() - m_start);
        return DateTime{now.date().year(), now.date().month(),  now.date().day(),
                        now.time().hour(), now.time().minute(), now.time().second()};
    }

private:
    const ManualTimerDriver& m_driver;
    std::int64_t m_start;
};

}  // namespace

Timer::Timer() = default;

Timer::~Timer() {
    if (m_driver)
        m_driver->Stop(*this);
}

void Timer::SetPeriod(int milliseconds) {
    m_period = milliseconds;
    Restart();
}

void Timer::SetMode(int mode) {
    m_mode = mode;
    Restart();
}

void Timer::SetEnabled(bool enabled) {
    m_enabled = enabled;
    Restart();
}

void Timer::Reset() {
    Restart();
}

void Timer::Restart() {
    if (m_driver) {
        m_driver->Stop(*this);
        m_driver = nullptr;
    }
    if (!Running())
        return;
    m_driver = &CurrentTimerDriver();
    // A period below one millisecond would make a multiple timer fire without end.
    m_driver->Start(*this, std::max(1, m_period));
}

void Timer::Fire() {
    if (!Running())
        return;
    if (m_mode == kModeSingle) {
        m_mode = kModeOff;
        if (m_driver) {
            m_driver->Stop(*this);
            m_driver = nullptr;
        }
    }
    Dispatch([this] { Event_Action(); });
}

TimerDriver::~TimerDriver() = default;

TimerDriver& CurrentTimerDriver() {
    return *Driver();
}

std::unique_ptr<TimerDriver> SetTimerDriver(std::unique_ptr<TimerDriver> driver) {
    auto previous = std::move(Driver());
    Driver() = driver ? std::move(driver) : std::make_unique<QtTimerDriver>();
    return previous;
}

ManualTimerDriver::ManualTimerDriver()
    // Far from zero, so that guards such as "Ticks - last > 10" with a last of 0 pass at once,
    // as they do on a machine that has been up for a while.
    : m_now(1'000'000) {
}

ManualTimerDriver::~ManualTimerDriver() {
    for (auto& entry : m_entries)
        Forget(*entry.timer);
}

void ManualTimerDriver::Start(Timer& timer, int periodMs) {
    Stop(timer);
    m_entries.push_back(Entry{&timer, m_now + periodMs, periodMs, m_nextOrder++});
}

void ManualTimerDriver::Stop(Timer& timer) {
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& e) { return e.timer == &timer; }),
                    m_entries.end());
}

void ManualTimerDriver::Advance(std::int64_t milliseconds) {
    const std::int64_t target = m_now + milliseconds;
    for (;;) {
        auto next = std::min_element(m_entries.begin(), m_entries.end(),
                                     [](const Entry& a, const Entry& b) {
                                         return a.due != b.due ? a.due < b.due : a.order < b.order;
                                     });
        if (next == m_entries.end() || next->due > target)
            break;
        m_now = next->due;
        Timer* timer = next->timer;
        // Schedule the next firing before this one runs, so that the action may stop or
        // restart its own timer.
        next->due += next->period;
        next->order = m_nextOrder++;
        timer->Fire();
    }
    m_now = target;
}

ScopedManualTimers::ScopedManualTimers() {
    auto driver = std::make_unique<ManualTimerDriver>();
    m_driver = driver.get();
    m_previousDriver = SetTimerDriver(std::move(driver));
    m_previousClock = SetClock(std::make_unique<ManualClock>(*m_driver));
    ++g_manualInstalled;
}

ScopedManualTimers::~ScopedManualTimers() {
    --g_manualInstalled;
    SetClock(std::move(m_previousClock));
    SetTimerDriver(std::move(m_previousDriver));
}

bool ManualTimersInstalled() noexcept {
    return g_manualInstalled > 0;
}

}  // namespace platform
