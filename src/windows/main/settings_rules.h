#pragma once

#include "app/ini_read_write.h"
#include "platform/clock.h"

#include <string_view>

/// The rules by which the main window takes its settings when it opens.
namespace mainwindow {

struct Placement {
    int left;
    int top;
    bool operator==(const Placement&) const = default;
};

/// Puts a window of `width` × `height` saved at (`left`, `top`) on the main screen: a left
/// under 20 or beyond the screen's width centres it across, a top under 50 or beyond the
/// screen's height centres it down, in the available area (the halves dropping remainders).
Placement PlaceOnScreen(int left, int top, int width, int height, int screenWidth, int screenHeight,
                        int availableWidth, int availableHeight);

/// Whether the update check runs on this start, given the last check `last`, `today` and
/// whether the user chose "Later": after "Later", when the day plus 3 is before today's day or
/// an earlier month or year; else on any other calendar day than the last check's.
bool UpdateCheckDue(const platform::DateTime& last, const platform::DateTime& today, bool later);

}  // namespace mainwindow
