#include "app/core/TextHelpers.h"

#include <algorithm>
#include <cctype>

namespace zev {

namespace {

bool IsLower(char c) { return std::islower(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Leading decimal digits of `text` (at most 9, so the value always fits);
// false when there is none.
bool LeadingNumber(std::string_view text, int& value)
{
    value = 0;
    std::size_t i = 0;
    for (; i < text.size() && i < 9 && IsDigit(text[i]); ++i)
        value = value * 10 + (text[i] - '0');
    return i > 0;
}

int Number(std::string_view digits)
{
    int value = 0;
    LeadingNumber(digits, value);
    return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Two-digit years: below 38 in this century, otherwise in the last.
int ExpandYear(int year)
{
    if (year >= 0 && year <= 99)
        return year < 38 ? 2000 + year : 1900 + year;
    return year;
}

bool Finish(int year, int month, int day, CalendarDate& date)
{
    if (month < 1 || month > 12)
        return false;
    if (year >= 100 && year <= 1899)
        return false;
    year = ExpandYear(year);
    if (year > 3000)
        return false;
    if (day < 1 || day > DaysInMonth(year, month))
        return false;
    if (year < 1970 || year > 2037)
        return false;
    date = CalendarDate{year, month, day};
    return true;
}

} // namespace

void ProperCase(std::string& text)
{
    if (std::any_of(text.begin(), text.end(), IsLower))
        return;
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    bool afterBreak = true; // the first character counts as following a break
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (afterBreak)
            text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        switch (c) {
        case ' ':
        case '.':
        case '/':
        case '&':
        case '(':
            afterBreak = true;
            break;
        case '\'':
            // JOE'S -> Joe's, O'NEIL -> O'Neil
            afterBreak = !(i + 1 < text.size() && text[i + 1] == 's');
            break;
        case 'c':
            // MCDONALD -> McDonald
            afterBreak = i > 0 && text[i - 1] == 'M';
            break;
        default:
            afterBreak = false;
            break;
        }
    }
}

bool ParseDate(std::string_view text, CalendarDate& date)
{
    if (text.empty())
        return false;

    const auto sep = std::find_if(text.begin(), text.end(), [](char c) { return !IsDigit(c); });
    if (sep != text.end()) {
        const std::size_t first = static_cast<std::size_t>(sep - text.begin());
        const char separator = *sep;
        int a = 0;
        int b = 0;
        int c = 0;
        // The parts must hold digits; a missing year is not taken as 2000.
        if (!LeadingNumber(text.substr(0, first), a) || first == 0)
            return false;
        if (!LeadingNumber(text.substr(first + 1, 2), b))
            return false;
        const auto second = text.find(separator, first + 1);
        if (second == std::string_view::npos || !LeadingNumber(text.substr(second + 1), c))
            return false;
        if (a > c)
            return Finish(a, b, c, date); // year, month, day
        return Finish(c, a, b, date);     // month, day, year
    }

    // All digits: MMDDYY[YY], or YYYYMMDD when that reads a year before 1900.
    int month = Number(text.substr(0, 2));
    int day = text.size() > 2 ? Number(text.substr(2, 2)) : 0;
    int year = text.size() > 4 ? Number(text.substr(4)) : 0;
    if (text.size() == 6)
        year = ExpandYear(year);
    if (year < 1900) {
        year = Number(text.substr(0, 4));
        month = text.size() > 4 ? Number(text.substr(4, 2)) : 0;
        day = text.size() >= 8 ? Number(text.substr(text.size() - 2)) : 0;
    }
    return Finish(year, month, day, date);
}

bool ParseDate(std::string_view text, std::time_t& result)
{
    CalendarDate date;
    if (!ParseDate(text, date))
        return false;
    std::tm tm{};
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return false;
    result = t;
    return true;
}

char AccessKeyOf(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        // "Wine & Spirits": an ampersand before a blank is the text's own.
        if (std::isalnum(static_cast<unsigned char>(caption[i + 1])))
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

std::string WithAccessKey(std::string_view caption, std::string_view taken)
{
    if (AccessKeyOf(caption) != 0)
        return std::string(caption);
    auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    auto isFree = [&](char c) {
        return taken.find(static_cast<char>(std::tolower(static_cast<unsigned char>(c)))) == std::string_view::npos;
    };
    std::size_t chosen = std::string_view::npos;
    std::size_t firstLetter = std::string_view::npos;
    for (std::size_t i = 0; i < caption.size() && chosen == std::string_view::npos; ++i) {
        const bool wordStart = i == 0 || !isLetter(caption[i - 1]);
        if (isLetter(caption[i]) && firstLetter == std::string_view::npos)
            firstLetter = i;
        if (isLetter(caption[i]) && wordStart && isFree(caption[i]))
            chosen = i;
    }
    for (std::size_t i = 0; i < caption.size() && chosen == std::string_view::npos; ++i)
        if (isLetter(caption[i]) && isFree(caption[i]))
            chosen = i;
    if (chosen == std::string_view::npos)
        chosen = firstLetter;
    std::string result;
    // Ampersands of the text itself must stay literal once a key is added.
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (i == chosen)
            result += '&';
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
            result += "&&";
            ++i;
        } else if (caption[i] == '&') {
            result += "&&";
        } else {
            result += caption[i];
        }
    }
    return result;
}

} // namespace zev
