#pragma once

#include <ctime>
#include <string>

namespace zev {

// Appointment times live in the database as four digits (hour, minute, 24-hour
// form; empty = unassigned) and in the list as a calendar time on today's date.
// A zero calendar time means unassigned throughout.
class AppointmentTime {
public:
    // "0930" -> today 09:30. Empty or malformed text gives 0.
    static std::time_t FromStored(const std::string& digits, std::time_t today);

    // The stored form of a calendar time: "%.2d%.2d" of its local hour and
    // minute, empty for 0.
    static std::string ToStored(std::time_t t);

    // The list column text: "Unassigned", "12:00 am", "01:45 pm" ...
    static std::string ColumnText(std::time_t t);

    // The text the in-place editor starts with: "9:30 am", empty when unassigned.
    static std::string EditorText(std::time_t t);

    // Reads what the representative typed ("930", "3", "12:15 am", ...).
    // Anything that is no valid time gives 0 (unassigned).
    static std::time_t ParseTyped(const std::string& text, std::time_t today);

    // Today (the date of `today`) at the given hour and minute, seconds 0.
    static std::time_t TodayAt(std::time_t today, int hour, int minute);
};

} // namespace zev
