#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

/// A calendar date and time in local time.
struct DateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;

    /// "YYYY-MM-DD HH:MM:SS", the framework's SQL form.
    std::string SQLDateTime() const;
    /// "YYYY-MM-DD".
    std::string SQLDate() const;
    /// The date in the default locale's short form ("1 Dec 2026" in the C locale,
    /// "12/1/26" in American English).
    std::string ShortDate() const;
    /// The time in the default locale's long form without a time zone ("08:05:09" in the C
    /// locale, "8:05:09 AM" in American English).
    std::string LongTime() const;
};

/// Where time comes from; tests replace it so that nothing sleeps.
class Clock {
public:
    virtual ~Clock() = default;
    /// Milliseconds of a monotonic clock.
    virtual std::int64_t MonotonicMs() const = 0;
    virtual DateTime Now() const = 0;
};

/// The clock in force (the system clock until another is installed).
const Clock& CurrentClock();
/// Installs `clock` (nullptr restores the system clock); returns the previous one.
std::unique_ptr<Clock> SetClock(std::unique_ptr<Clock> clock);

/// Ticks of 1/60 second of the monotonic clock.
std::int64_t Ticks();
/// Milliseconds of the monotonic clock.
std::int64_t Milliseconds();
DateTime Now();

}  // namespace platform
