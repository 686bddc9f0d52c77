#pragma once

#include <string>
#include <string_view>

namespace zev {

// A local date and time as the order history texts give it. `valid` is false
// when the text could not be read; the fields then hold 1 January 1970,
// midnight.
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool valid = false;

    // Orders by time; an unreadable value counts as 1 January 1970.
    int Compare(const LocalDateTime& other) const;
};

// Reads "m/d/yyyy", "m/d/yy", either followed by " h:mm:ss" and an optional
// " AM"/" PM", and the database's own "yyyy-mm-dd[ hh:mm:ss]". Two-digit
// years below 38 are 20xx, the others 19xx.
LocalDateTime ParseDateTime(std::string_view text);

// "%m/%d/%y"; "N/A" for an unreadable value.
std::string ShortDate(const LocalDateTime& when);

} // namespace zev
