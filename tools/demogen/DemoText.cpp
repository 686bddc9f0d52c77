#include "tools/demogen/DemoText.h"

#include <cmath>
#include <cstdio>

namespace zev::demo {

// Dates as day numbers (days since 1970-01-01) so "today minus n" needs no time zone.
long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

std::string DateText(long days, int hour, int minute, int second)
{
    int y, m, d;
    CivilFromDays(days, y, m, d);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, hour, minute, second);
    return buffer;
}

double Cents(double value) { return std::round(value * 100.0) / 100.0; }

std::string Format(const char* format, long long value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// A UPC-A code: eleven digits and the check digit.
std::string Upc(long long base)
{
    std::string digits = Format("%011lld", base % 100000000000LL);
    int sum = 0;
    for (int i = 0; i < 11; ++i)
        sum += (digits[static_cast<size_t>(i)] - '0') * (i % 2 == 0 ? 3 : 1);
    return digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

} // namespace zev::demo
