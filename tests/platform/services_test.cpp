#include "platform/beep.h"
#include "platform/clock.h"
#include "platform/version.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace platform;

TEST(BeepTest, EveryBeepIsCountedAndSoundsThroughTheInstalledSound) {
    ResetBeepCount();
    int sounded = 0;
    SetBeepSound([&] { ++sounded; });
    Beep();
    Beep();
    EXPECT_EQ(BeepCount(), 2);
    EXPECT_EQ(sounded, 2);
    SetBeepSound({});
    Beep();  // silent, still counted
    EXPECT_EQ(BeepCount(), 3);
    EXPECT_EQ(sounded, 2);
    ResetBeepCount();
    EXPECT_EQ(BeepCount(), 0);
}

TEST(VersionTest, ComesFromTheProjectVersion) {
    // project(malvoren VERSION 0.1.0)
    EXPECT_EQ(MajorVersion(), 0);
    EXPECT_EQ(MinorVersion(), 1);
    EXPECT_EQ(BugVersion(), 0);
    const DateTime built = BuildDate();
    EXPECT_GE(built.year, 2026);
    EXPECT_GE(built.month, 1);
    EXPECT_LE(built.month, 12);
    EXPECT_GE(built.day, 1);
    EXPECT_LE(built.day, 31);
    EXPECT_LE(built.hour, 23);
    EXPECT_LE(built.second, 60);
}

struct DateFormCase {
    const char* name;
    QLocale locale;
    DateTime when;
    const char* shortDate;
    const char* longTime;
};

class DateFormTest : public ::testing::TestWithParam<DateFormCase> {};

TEST_P(DateFormTest, FollowTheDefaultLocaleWithoutAZone) {
    const QLocale before;
    QLocale::setDefault(GetParam().locale);
    EXPECT_EQ(GetParam().when.ShortDate(), GetParam().shortDate);
    EXPECT_EQ(GetParam().when.LongTime(), GetParam().longTime);
    QLocale::setDefault(before);
}

const DateFormCase kDateForms[] = {
    // clang-format off
    {"CLocale",          QLocale::c(),                                  {2026, 12, 1, 8, 5, 9},   "1 Dec 2026", "08:05:09"},
    {"AmericanEnglish",  QLocale(QLocale::English, QLocale::UnitedStates), {2026, 12, 1, 20, 5, 9}, "12/1/26",    "8:05:09 PM"},
    // clang-format on
};
INSTANTIATE_TEST_SUITE_P(Clock, DateFormTest, ::testing::ValuesIn(kDateForms),
                         [](const auto& info) { return std::string(info.param.name); });
