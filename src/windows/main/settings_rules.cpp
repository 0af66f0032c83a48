#include "windows/main/settings_rules.h"

#include <QDate>

#include <algorithm>
#include <string>

namespace mainwindow {

Placement PlaceOnScreen(int left, int top, int width, int height, int screenWidth, int screenHeight,
                        int availableWidth, int availableHeight) {
    // Each test sees the results of the ones before; the halves drop their remainders.
    Placement p{left, top};
    if (p.left < 20)
        p.left = (availableWidth - width) / 2;
    if (p.top < 50)
        p.top = (availableHeight - height) / 2;
    if (screenWidth - width < p.left)
        p.left = (availableWidth - width) / 2;
    if (screenHeight - height < p.top)
        p.top = (availableHeight - height) / 2;
    return p;
}

platform::DateTime LastCheckDate(std::string_view text, const platform::DateTime& today) {
    platform::DateTime d = today;
    if (text.find('.') != std::string_view::npos) {
        // One month back; January goes to December of the year before, and a day the month
        // before does not have becomes its last, so that the date stays a real one.
        QDate back = QDate(today.year, today.month, 1).addMonths(-1);
        d.year = back.year();
        d.month = back.month();
        d.day = std::min(today.day, back.daysInMonth());
        return d;
    }
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return d;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (text[i] < '0' || text[i] > '9')
            return d;
    }
    const auto num = [&](std::size_t at, std::size_t n) {
        return std::stoi(std::string(text.substr(at, n)));
    };
    const int year = num(0, 4);
    const int month = num(5, 2);
    const int day = num(8, 2);
    if (!QDate::isValid(year, month, day))
        return d;
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

bool UpdateCheckDue(const platform::DateTime& last, const platform::DateTime& today, bool later) {
    if (later)
        return last.day + 3 < today.day || last.month < today.month || last.year < today.year;
    return !(last.day == today.day && last.month == today.month && last.year == today.year);
}

}  // namespace mainwindow
