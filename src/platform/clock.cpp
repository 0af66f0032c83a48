#include "platform/clock.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace platform {
namespace {

class SystemClock : public Clock {
public:
    std::int64_t MonotonicMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    DateTime Now() const override {
        const std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                        tm.tm_hour,        tm.tm_min,     tm.tm_sec};
    }
};

std::unique_ptr<Clock>& Current() {
    static std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    return clock;
}

}  // namespace

std::string DateTime::SQLDate() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string DateTime::SQLDateTime() const {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                  second);
    return buf;
}

std::string DateTime::ShortDate() const {
    return QLocale().toString(QDate(year, month, day), QLocale::ShortFormat).toStdString();
}

std::string DateTime::LongTime() const {
    // A DateTime carries no zone: the long form's zone ("t") is left out.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale().toString(QTime(hour, minute, second), format.trimmed()).toStdString();
}

const Clock& CurrentClock() {
    return *Current();
}

std::unique_ptr<Clock> SetClock(std::unique_ptr<Clock> clock) {
    auto previous = std::move(Current());
    Current() = clock ? std::move(clock) : std::make_unique<SystemClock>();
    return previous;
}

std::int64_t Milliseconds() {
    return CurrentClock().MonotonicMs();
}

std::int64_t Ticks() {
    return CurrentClock().MonotonicMs() * 60 / 1000;
}

DateTime Now() {
    return CurrentClock().Now();
}

}  // namespace platform
