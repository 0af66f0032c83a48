#include "windows/main/settings_rules.h"

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

bool UpdateCheckDue(const platform::DateTime& last, const platform::DateTime& today, bool later) {
    if (later)
        return last.day + 3 < today.day || last.month < today.month || last.year < today.year;
    return !(last.day == today.day && last.month == today.month && last.year == today.year);
}

}  // namespace mainwindow
