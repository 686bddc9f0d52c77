#include "accounts/AppointmentTime.h"

#include "base/Text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace zev {

namespace {

// Lenient decimal reading: leading blanks, an optional sign, digits; stops at
// the first other character; no digits gives 0. Large values saturate so that
// nonsense cannot overflow.
long ReadNumber(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        value = std::min(value * 10 + (s[i] - '0'), 100000000L);
    return negative ? -value : value;
}

bool LocalTime(std::time_t t, std::tm& out) { return localtime_r(&t, &out) != nullptr; }

} // namespace

std::time_t AppointmentTime::TodayAt(std::time_t today, int hour, int minute)
{
    std::tm tm{};
    if (!LocalTime(today, tm))
        return 0;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = 0;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    return t == static_cast<std::time_t>(-1) ? 0 : t;
}

std::time_t AppointmentTime::FromStored(const std::string& digits, std::time_t today)
{
    const std::string text = Trim(digits);
    if (text.size() < 4)
        return 0;
    for (std::size_t i = 0; i < 4; ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return 0;
    const int hour = (text[0] - '0') * 10 + (text[1] - '0');
    const int minute = (text[2] - '0') * 10 + (text[3] - '0');
    if (hour > 23 || minute > 59)
        return 0;
    return TodayAt(today, hour, minute);
}

std::string AppointmentTime::ToStored(std::time_t t)
{
    std::tm tm{};
    if (t == 0 || !LocalTime(t, tm))
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d%.2d", tm.tm_hour, tm.tm_min);
    return buf;
}

std::string AppointmentTime::ColumnText(std::time_t t)
{
    std::tm tm{};
    if (t == 0 || !LocalTime(t, tm))
        return "Unassigned";
    char buf[32];
    if (tm.tm_hour == 0)
        std::snprintf(buf, sizeof buf, "%.2d:%.2d am", 12, tm.tm_min);
    else if (tm.tm_hour < 12)
        std::snprintf(buf, sizeof buf, "%.2d:%.2d am", tm.tm_hour, tm.tm_min);
    else if (tm.tm_hour == 12)
        std::snprintf(buf, sizeof buf, "%.2d:%.2d pm", 12, tm.tm_min);
    else
        std::snprintf(buf, sizeof buf, "%.2d:%.2d pm", tm.tm_hour - 12, tm.tm_min);
    return buf;
}

std::string AppointmentTime::EditorText(std::time_t t)
{
    std::tm tm{};
    if (t == 0 || !LocalTime(t, tm))
        return {};
    int hour12 = tm.tm_hour % 12;
    if (hour12 == 0)
        hour12 = 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%.2d %s", hour12, tm.tm_min, tm.tm_hour < 12 ? "am" : "pm");
    return buf;
}

std::time_t AppointmentTime::ParseTyped(const std::string& typed, std::time_t today)
{
    std::string text = Trim(typed);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (text.empty())
        return 0;

    bool pm = false;
    bool am = false;
    if (auto pos = text.find("PM"); pos != std::string::npos) {
        pm = true;
        text.erase(pos, 2);
    } else if (pos = text.find("AM"); pos != std::string::npos) {
        am = true;
        text.erase(pos, 2);
    }
    text = Trim(text);

    long hour = 0;
    long minute = 0;
    if (auto colon = text.find(':'); colon != std::string::npos) {
        hour = ReadNumber(text.substr(0, colon));
        minute = ReadNumber(text.substr(colon + 1));
    } else {
        const long n = ReadNumber(text);
        if (n <= 100) {
            hour = n;
        } else {
            hour = n / 100;
            minute = n % 100;
        }
    }
    if (minute > 59 || minute < 0 || hour < 1 || hour > 24)
        return 0;
    if (pm) {
        if (hour <= 11)
            hour += 12;
    } else if (am) {
        if (hour == 12)
            hour = 0;
    } else if (hour <= 6) {
        hour += 12; // nobody calls on a customer at 3 in the morning
    }
    return TodayAt(today, static_cast<int>(hour), static_cast<int>(minute));
}

} // namespace zev
