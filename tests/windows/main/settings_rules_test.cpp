#include "windows/main/settings_rules.h"

#include <gtest/gtest.h>

namespace {

using mainwindow::Placement;

TEST(SettingsRules, PlacementOnTheMainScreen) {
    // Window 560 × 376 on a 1280 × 800 screen whose available area is 1280 × 775:
    // centred across (1280 − 560) / 2 = 360, down (775 − 376) / 2 = 199.
    struct Case {
        const char* rule;
        int left, top;
        Placement expected;
    };
    const Case cases[] = {
        {"KeptWhereSaved", 100, 60, {100, 60}},
        {"LeftUnder20CentresAcross", 10, 60, {360, 60}},
        {"TopUnder50CentresDown", 100, 30, {100, 199}},
        {"RightOfTheScreenCentresAcross", 2000, 60, {360, 60}},  // 1280 − 560 = 720 < 2000
        {"BelowTheScreenCentresDown", 100, 425, {100, 199}},     // 800 − 376 = 424 < 425
        {"AtTheRightEdgeKept", 720, 424, {720, 424}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(mainwindow::PlaceOnScreen(c.left, c.top, 560, 376, 1280, 800, 1280, 775),
                  c.expected);
    }
}

platform::DateTime Day(int y, int m, int d) {
    return platform::DateTime{y, m, d, 12, 0, 0};
}

TEST(SettingsRules, LastCheckDate) {
    struct Case {
        const char* rule;
        const char* text;
        platform::DateTime today;
        platform::DateTime expected;
    };
    const Case cases[] = {
        {"DotsAreAMonthBack", "12.05.2013", Day(2026, 12, 11), Day(2026, 11, 11)},
        {"JanuaryGoesToDecember", "1.1", Day(2026, 1, 5), Day(2025, 12, 5)},
        // 31 March back a month: February 2026 has 28 days, no 31 February.
        {"DayTheMonthBeforeLacksIsItsLast", "3.3", Day(2026, 3, 31), Day(2026, 2, 28)},
        {"SqlDate", "2026-03-04", Day(2026, 12, 11), Day(2026, 3, 4)},
        {"NoRealDateIsToday", "2026-02-30", Day(2026, 12, 11), Day(2026, 12, 11)},
        {"GarbageIsToday", "garbage", Day(2026, 12, 11), Day(2026, 12, 11)},
        {"EmptyIsToday", "", Day(2026, 12, 11), Day(2026, 12, 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const platform::DateTime d = INI_Read_Write::LastCheckDate(c.text, c.today);
        EXPECT_EQ(d.SQLDate(), c.expected.SQLDate());
    }
}

TEST(SettingsRules, UpdateSchedule) {
    struct Case {
        const char* rule;
        platform::DateTime last, today;
        bool later, due;
    };
    const Case cases[] = {
        {"LaterNotOnThe2nd", Day(2026, 5, 1), Day(2026, 5, 2), true, false},
        {"LaterNotOnThe4th", Day(2026, 5, 1), Day(2026, 5, 4), true, false},  // 1 + 3 = 4
        {"LaterFromThe5th", Day(2026, 5, 1), Day(2026, 5, 5), true, true},
        {"LaterAnyDayOfALaterMonth", Day(2026, 5, 30), Day(2026, 6, 1), true, true},
        {"OncePerDay", Day(2026, 5, 1), Day(2026, 5, 1), false, false},
        {"NextDay", Day(2026, 5, 1), Day(2026, 5, 2), false, true},
        {"EarlierDateToo", Day(2026, 5, 9), Day(2026, 5, 2), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(mainwindow::UpdateCheckDue(c.last, c.today, c.later), c.due);
    }
}

}  // namespace
