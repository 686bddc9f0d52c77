#include "reports/DateTimeText.h"

#include <cctype>
#include <cstdio>
#include <tuple>

namespace zev {

namespace {

// Reads up to `maxDigits` digits at `pos`; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, int& value, std::size_t maxDigits = 9)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    std::size_t digits = 0;
    value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        if (digits < maxDigits)
            value = value * 10 + (text[pos] - '0');
        ++digits;
        ++pos;
    }
    return digits > 0;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool InRange(const LocalDateTime& t)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1)
        return false;
    const int days = kDays[t.month - 1] + (t.month == 2 && LeapYear(t.year) ? 1 : 0);
    return t.day <= days && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
           t.second < 60;
}

// "h:mm[:ss][ AM|PM]" starting at `pos`.
bool ReadTime(std::string_view text, std::size_t pos, LocalDateTime& t, bool twelveHour)
{
    if (!ReadNumber(text, pos, t.hour) || pos >= text.size() || text[pos] != ':')
        return false;
    ++pos;
    if (!ReadNumber(text, pos, t.minute))
        return false;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        if (!ReadNumber(text, pos, t.second))
            return false;
    }
    if (!twelveHour)
        return true;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    const char marker = pos < text.size() ? text[pos] : '\0';
    if ((marker == 'p' || marker == 'P') && t.hour >= 1 && t.hour <= 11)
        t.hour += 12;
    else if ((marker == 'a' || marker == 'A') && t.hour == 12)
        t.hour = 0;
    return true;
}

LocalDateTime Unreadable() { return LocalDateTime{}; }

} // namespace

int LocalDateTime::Compare(const LocalDateTime& other) const
{
    const auto a = std::tie(year, month, day, hour, minute, second);
    const auto b = std::tie(other.year, other.month, other.day, other.hour, other.minute, other.second);
    return a < b ? -1 : (b < a ? 1 : 0);
}

LocalDateTime ParseDateTime(std::string_view text)
{
    LocalDateTime t;
    const std::size_t firstSlash = text.find('/');
    const std::size_t secondSlash = firstSlash == std::string_view::npos ? firstSlash : text.find('/', firstSlash + 1);
    if (secondSlash != std::string_view::npos) {
        std::size_t pos = 0;
        if (!ReadNumber(text, pos, t.month) || pos != firstSlash)
            return Unreadable();
        pos = firstSlash + 1;
        if (!ReadNumber(text, pos, t.day) || pos != secondSlash)
            return Unreadable();
        pos = secondSlash + 1;
        if (!ReadNumber(text, pos, t.year, 4))
            return Unreadable();
        if (t.year < 1900)
            t.year += t.year < 38 ? 2000 : 1900;
        if (text.find(':') != std::string_view::npos) {
            const std::size_t blank = text.find(' ', pos);
            if (blank == std::string_view::npos || !ReadTime(text, blank, t, true))
                return Unreadable();
        }
    } else {
        // The database's own form.
        std::size_t pos = 0;
        if (!ReadNumber(text, pos, t.year, 4) || pos >= text.size() || text[pos] != '-')
            return Unreadable();
        ++pos;
        if (!ReadNumber(text, pos, t.month) || pos >= text.size() || text[pos] != '-')
            return Unreadable();
        ++pos;
        if (!ReadNumber(text, pos, t.day))
            return Unreadable();
        if (pos < text.size() && (text[pos] == ' ' || text[pos] == 'T') && !ReadTime(text, pos + 1, t, false))
            return Unreadable();
    }
    if (!InRange(t))
        return Unreadable();
    t.valid = true;
    return t;
}

std::string ShortDate(const LocalDateTime& when)
{
    if (!when.valid)
        return "N/A";
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", when.month % 100, when.day % 100, when.year % 100);
    return text;
}

} // namespace zev
