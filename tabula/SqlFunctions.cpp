// SQL functions that give SQLite the server's date, conversion and string
// behaviour. Registered on every connection; nothing of them is stored in the
// database file.

#include "tabula/SqlDialect.h"

#include "tabula/ConnectionImpl.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace tabula {

namespace {

struct DateTime {
    int y = 1900;
    int m = 1;
    int d = 1;
    int hh = 0;
    int mi = 0;
    int ss = 0;
};

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return days[m - 1] + (m == 2 && leap ? 1 : 0);
}

// Reads "yyyy-mm-dd hh:mm:ss" with every digit in place, as the stored dates
// are; false (nothing read) for anything else. Each listed row's dates pass
// here, so it must cost far less than a scanf.
bool fromExactCanonical(const char* s, DateTime& t)
{
    static constexpr char kShape[] = "dddd-dd-dd dd:dd:dd";
    int field[6] = {};
    int f = 0;
    for (int i = 0; i < 19; ++i) {
        const char c = s[i]; // a shorter text stops at its terminator, which matches nothing
        if (kShape[i] == 'd') {
            if (c < '0' || c > '9')
                return false;
            field[f] = field[f] * 10 + (c - '0');
        } else if (c != kShape[i]) {
            return false;
        } else {
            ++f;
        }
    }
    t = DateTime{field[0], field[1], field[2], field[3], field[4], field[5]};
    return true;
}

bool fromCanonical(const char* s, DateTime& t)
{
    return fromExactCanonical(s, t) ||
           std::sscanf(s, "%4d-%2d-%2d %2d:%2d:%2d", &t.y, &t.m, &t.d, &t.hh, &t.mi, &t.ss) == 6;
}

// Reads a value as a date: canonical text quickly, any accepted text form,
// or a number of days since 1900-01-01 (the server's numeric dates).
bool readDate(sqlite3_value* v, DateTime& t)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        double days = sqlite3_value_double(v);
        long long whole = static_cast<long long>(std::floor(days));
        civilFromDays(daysFromCivil(1900, 1, 1) + whole, t.y, t.m, t.d);
        long long secs = std::llround((days - static_cast<double>(whole)) * 86400.0);
        t.hh = static_cast<int>(secs / 3600);
        t.mi = static_cast<int>(secs / 60 % 60);
        t.ss = static_cast<int>(secs % 60);
        return true;
    }
    default:
        break;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    if (text == nullptr) {
        return false;
    }
    const std::size_t len = std::strlen(text);
    if (len == 19 && text[4] == '-' && text[10] == ' ' && fromCanonical(text, t)) {
        return true;
    }
    std::string s(text, len);
    if (s.find_first_not_of(' ') == std::string::npos) {
        t = DateTime(); // blank is the zero date
        return true;
    }
    auto c = SqlDialect::CanonicalDateTime(s);
    return c && fromCanonical(c->c_str(), t);
}

std::string format(const DateTime& t)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.y, t.m, t.d, t.hh, t.mi, t.ss);
    return buf;
}

void resultText(sqlite3_context* ctx, const std::string& s)
{
    sqlite3_result_text(ctx, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

std::string unitOf(sqlite3_value* v)
{
    const char* u = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return u ? u : "";
}

// Weekday with Sunday = 1, as the server counts by default.
int weekday(const DateTime& t)
{
    long long days = daysFromCivil(t.y, t.m, t.d); // 1970-01-01 was a Thursday
    return static_cast<int>(((days % 7) + 7 + 4) % 7) + 1;
}

int dayOfYear(const DateTime& t)
{
    return static_cast<int>(daysFromCivil(t.y, t.m, t.d) - daysFromCivil(t.y, 1, 1)) + 1;
}

void fnDatepart(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    DateTime t;
    if (!readDate(argv[1], t)) {
        if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
        } else {
            sqlite3_result_error(ctx, "conversion failed when converting date and/or time from character string", -1);
        }
        return;
    }
    const std::string u = unitOf(argv[0]);
    long long r = 0;
    if (u == "yy") {
        r = t.y;
    } else if (u == "qq") {
        r = (t.m + 2) / 3;
    } else if (u == "mm") {
        r = t.m;
    } else if (u == "dd") {
        r = t.d;
    } else if (u == "dy") {
        r = dayOfYear(t);
    } else if (u == "wk") {
        DateTime jan1{t.y, 1, 1, 0, 0, 0};
        r = (dayOfYear(t) + weekday(jan1) - 2) / 7 + 1;
    } else if (u == "dw") {
        r = weekday(t);
    } else if (u == "hh") {
        r = t.hh;
    } else if (u == "mi") {
        r = t.mi;
    } else if (u == "ss") {
        r = t.ss;
    } else if (u == "ms") {
        r = 0;
    } else {
        sqlite3_result_error(ctx, "unknown date part", -1);
        return;
    }
    sqlite3_result_int64(ctx, r);
}

long long secondsOf(const DateTime& t)
{
    return daysFromCivil(t.y, t.m, t.d) * 86400LL + t.hh * 3600LL + t.mi * 60LL + t.ss;
}

void fnDatediff(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    DateTime a;
    DateTime b;
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL || sqlite3_value_type(argv[2]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (!readDate(argv[1], a) || !readDate(argv[2], b)) {
        sqlite3_result_error(ctx, "conversion failed when converting date and/or time from character string", -1);
        return;
    }
    const std::string u = unitOf(argv[0]);
    // The server counts the boundaries crossed, not whole intervals.
    const long long da = daysFromCivil(a.y, a.m, a.d);
    const long long db = daysFromCivil(b.y, b.m, b.d);
    long long r = 0;
    if (u == "yy") {
        r = b.y - a.y;
    } else if (u == "qq") {
        r = (b.y * 4LL + (b.m - 1) / 3) - (a.y * 4LL + (a.m - 1) / 3);
    } else if (u == "mm") {
        r = (b.y * 12LL + b.m) - (a.y * 12LL + a.m);
    } else if (u == "dd" || u == "dy" || u == "dw") {
        r = db - da;
    } else if (u == "wk") {
        // Weeks begin on Sunday; 1970-01-04 was one.
        auto week = [](long long days) {
            long long x = days - 3;
            return x >= 0 ? x / 7 : (x - 6) / 7;
        };
        r = week(db) - week(da);
    } else if (u == "hh") {
        r = (db * 24 + b.hh) - (da * 24 + a.hh);
    } else if (u == "mi") {
        r = (db * 1440 + b.hh * 60 + b.mi) - (da * 1440 + a.hh * 60 + a.mi);
    } else if (u == "ss" || u == "ms") {
        r = secondsOf(b) - secondsOf(a);
        if (u == "ms") {
            r *= 1000;
        }
    } else {
        sqlite3_result_error(ctx, "unknown date part", -1);
        return;
    }
    sqlite3_result_int64(ctx, r);
}

void fnDateadd(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    DateTime t;
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL || sqlite3_value_type(argv[2]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (!readDate(argv[2], t)) {
        sqlite3_result_error(ctx, "conversion failed when converting date and/or time from character string", -1);
        return;
    }
    const std::string u = unitOf(argv[0]);
    const double amount = sqlite3_value_double(argv[1]);
    const long long n = static_cast<long long>(std::trunc(amount));
    if (u == "yy" || u == "qq" || u == "mm") {
        long long months = u == "yy" ? n * 12 : u == "qq" ? n * 3 : n;
        long long total = t.y * 12LL + (t.m - 1) + months;
        t.y = static_cast<int>(total / 12);
        t.m = static_cast<int>(total % 12) + 1;
        t.d = std::min(t.d, daysInMonth(t.y, t.m)); // Jan 31 + 1 month = Feb 28/29
    } else {
        long long secs = secondsOf(t);
        if (u == "dd" || u == "dy" || u == "dw") {
            // Day arithmetic keeps fractions (getdate() - 0.5 is twelve hours).
            secs += std::llround(amount * 86400.0);
        } else if (u == "wk") {
            secs += n * 7 * 86400;
        } else if (u == "hh") {
            secs += n * 3600;
        } else if (u == "mi") {
            secs += n * 60;
        } else if (u == "ss") {
            secs += n;
        } else if (u == "ms") {
            secs += n / 1000;
        } else {
            sqlite3_result_error(ctx, "unknown date part", -1);
            return;
        }
        long long days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
        long long rest = secs - days * 86400;
        civilFromDays(days, t.y, t.m, t.d);
        t.hh = static_cast<int>(rest / 3600);
        t.mi = static_cast<int>(rest / 60 % 60);
        t.ss = static_cast<int>(rest % 60);
    }
    if (t.y < 1 || t.y > 9999) {
        sqlite3_result_error(ctx, "date out of range", -1);
        return;
    }
    resultText(ctx, format(t));
}

// zev_datetime(x [, 'date']): the stored form of any date value.
void fnDatetime(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    DateTime t;
    if (!readDate(argv[0], t)) {
        sqlite3_result_error(ctx, "conversion failed when converting date and/or time from character string", -1);
        return;
    }
    if (argc > 1) {
        t.hh = t.mi = t.ss = 0;
    }
    resultText(ctx, format(t));
}

void fnIsdate(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const bool text = sqlite3_value_type(argv[0]) == SQLITE_TEXT;
    const char* s = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    sqlite3_result_int(ctx, text && s && *s && SqlDialect::CanonicalDateTime(s) ? 1 : 0);
}

// zev_convert(x, style): text of a value; dates formatted by the server's
// style numbers; style -1 = no style given.
void fnConvert(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const int style = sqlite3_value_int(argv[1]);
    const int vtype = sqlite3_value_type(argv[0]);
    if (vtype == SQLITE_FLOAT) {
        // Numbers read the way the rest of the library prints them.
        char buf[40];
        double v = sqlite3_value_double(argv[0]);
        std::snprintf(buf, sizeof buf, "%.15g", v);
        resultText(ctx, buf);
        return;
    }
    if (vtype != SQLITE_TEXT || style < 0) {
        sqlite3_result_value(ctx, argv[0]);
        if (vtype != SQLITE_TEXT) {
            const char* s = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
            resultText(ctx, s ? s : "");
        }
        return;
    }
    DateTime t;
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const std::size_t len = text ? std::strlen(text) : 0;
    // Only values in the stored date form are dates; other text stays as is.
    if (!(len == 19 && text[4] == '-' && text[10] == ' ' && fromCanonical(text, t))) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    char buf[40];
    const int yy = t.y % 100;
    const int h12 = t.hh % 12 == 0 ? 12 : t.hh % 12;
    const char* ampm = t.hh < 12 ? "AM" : "PM";
    static const char* const mon[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    switch (style) {
    case 1:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", t.m, t.d, yy);
        break;
    case 101:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.m, t.d, t.y);
        break;
    case 2:
        std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", yy, t.m, t.d);
        break;
    case 102:
        std::snprintf(buf, sizeof buf, "%04d.%02d.%02d", t.y, t.m, t.d);
        break;
    case 3:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", t.d, t.m, yy);
        break;
    case 103:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.d, t.m, t.y);
        break;
    case 4:
        std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", t.d, t.m, yy);
        break;
    case 104:
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.d, t.m, t.y);
        break;
    case 5:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", t.d, t.m, yy);
        break;
    case 105:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", t.d, t.m, t.y);
        break;
    case 10:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", t.m, t.d, yy);
        break;
    case 110:
        std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", t.m, t.d, t.y);
        break;
    case 11:
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", yy, t.m, t.d);
        break;
    case 111:
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.y, t.m, t.d);
        break;
    case 12:
        std::snprintf(buf, sizeof buf, "%02d%02d%02d", yy, t.m, t.d);
        break;
    case 112:
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.y, t.m, t.d);
        break;
    case 8:
    case 108:
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hh, t.mi, t.ss);
        break;
    case 20:
    case 120:
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.y, t.m, t.d, t.hh, t.mi, t.ss);
        break;
    case 21:
    case 121:
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.000", t.y, t.m, t.d, t.hh, t.mi, t.ss);
        break;
    case 23:
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.y, t.m, t.d);
        break;
    case 126:
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", t.y, t.m, t.d, t.hh, t.mi, t.ss);
        break;
    case 0:
    case 100:
        std::snprintf(buf, sizeof buf, "%s %2d %04d %2d:%02d%s", mon[t.m - 1], t.d, t.y, h12, t.mi, ampm);
        break;
    default:
        sqlite3_result_error(ctx, "unsupported conversion style", -1);
        return;
    }
    resultText(ctx, buf);
}

// zev_int(x): the server's conversion to an integer (truncating; blank is 0;
// non-numeric text fails).
void fnInt(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    case SQLITE_FLOAT:
        sqlite3_result_int64(ctx, static_cast<long long>(std::trunc(sqlite3_value_double(argv[0]))));
        return;
    default:
        break;
    }
    const char* s = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string t = s ? s : "";
    std::size_t b = t.find_first_not_of(" \t");
    if (b == std::string::npos) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    t = t.substr(b, t.find_last_not_of(" \t") - b + 1);
    char* end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (end == t.c_str() || *end != '\0') {
        sqlite3_result_error(ctx, "conversion failed when converting a value to int", -1);
        return;
    }
    sqlite3_result_int64(ctx, v);
}

void fnCeiling(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    }
    sqlite3_result_double(ctx, std::ceil(sqlite3_value_double(argv[0])));
}

// Character positions count UTF-8 characters, not bytes.
std::size_t charOffset(const std::string& s, long long chars)
{
    std::size_t i = 0;
    while (i < s.size() && chars > 0) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) {
            ++i;
        }
        --chars;
    }
    return i;
}

long long charCount(const std::string& s)
{
    long long n = 0;
    for (unsigned char c : s) {
        n += (c & 0xC0) != 0x80 ? 1 : 0;
    }
    return n;
}

std::string textOf(sqlite3_value* v)
{
    const char* s = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return s ? std::string(s, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string();
}

// charindex(needle, haystack[, start]): 1-based, case-insensitive as the
// server's default collation; 0 when absent.
void fnCharindex(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::string needle = detail::ToLower(textOf(argv[0]));
    const std::string hay = detail::ToLower(textOf(argv[1]));
    long long start = argc > 2 ? sqlite3_value_int64(argv[2]) : 1;
    if (start < 1) {
        start = 1;
    }
    if (needle.empty()) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    std::size_t from = charOffset(hay, start - 1);
    std::size_t at = hay.find(needle, from);
    sqlite3_result_int64(ctx, at == std::string::npos ? 0 : charCount(hay.substr(0, at)) + 1);
}

void fnLeftRight(sqlite3_context* ctx, sqlite3_value** argv, bool left)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::string s = textOf(argv[0]);
    const long long n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        sqlite3_result_error(ctx, "invalid length parameter", -1);
        return;
    }
    const long long total = charCount(s);
    if (left) {
        resultText(ctx, s.substr(0, charOffset(s, n)));
    } else {
        resultText(ctx, s.substr(charOffset(s, total > n ? total - n : 0)));
    }
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) { fnLeftRight(ctx, argv, true); }

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv) { fnLeftRight(ctx, argv, false); }

void fnReplicate(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::string s = textOf(argv[0]);
    long long n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    if (static_cast<double>(n) * static_cast<double>(s.size()) > 8000.0 * 1000.0) {
        sqlite3_result_error_toobig(ctx);
        return;
    }
    std::string out;
    for (long long i = 0; i < n; ++i) {
        out += s;
    }
    resultText(ctx, out);
}

// object_id('[dbo].[Name]'): an identifier of an existing table or view
// (its lower-case name), or null.
std::string bareName(std::string s)
{
    std::string out;
    for (char c : s) {
        if (c != '[' && c != ']') {
            out += c;
        }
    }
    if (out.size() > 4 && detail::ToLower(out.substr(0, 4)) == "dbo.") {
        out = out.substr(4);
    }
    return out;
}

std::string objectType(sqlite3* db, const std::string& name)
{
    std::string type;
    sqlite3_stmt* stmt = nullptr;
    const char* sql = "select type from sqlite_master where lower(name) = lower(?1) "
                      "union all select type from sqlite_temp_master where lower(name) = lower(?1) and type = 'table'";
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            type = t ? t : "";
        }
    }
    sqlite3_finalize(stmt);
    return type;
}

void fnObjectId(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::string name = bareName(textOf(argv[0]));
    if (objectType(sqlite3_context_db_handle(ctx), name).empty()) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, detail::ToLower(name));
}

void fnObjectProperty(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::string type = objectType(sqlite3_context_db_handle(ctx), textOf(argv[0]));
    const std::string prop = detail::ToLower(textOf(argv[1]));
    if (type.empty()) {
        sqlite3_result_null(ctx);
    } else if (prop == "isusertable" || prop == "istable") {
        sqlite3_result_int(ctx, type == "table" ? 1 : 0);
    } else if (prop == "isview") {
        sqlite3_result_int(ctx, type == "view" ? 1 : 0);
    } else if (prop == "isindex") {
        sqlite3_result_int(ctx, type == "index" ? 1 : 0);
    } else {
        sqlite3_result_null(ctx);
    }
}

} // namespace

void SqlDialect::RegisterFunctions(void* handle)
{
    auto* db = static_cast<sqlite3*>(handle);
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    struct Fn {
        const char* name;
        int args;
        int flags;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
    };
    const Fn fns[] = {
        {"zev_datepart", 2, det, fnDatepart},
        {"zev_datediff", 3, det, fnDatediff},
        {"zev_dateadd", 3, det, fnDateadd},
        {"zev_datetime", 1, det, fnDatetime},
        {"zev_datetime", 2, det, fnDatetime},
        {"zev_isdate", 1, det, fnIsdate},
        {"zev_convert", 2, det, fnConvert},
        {"zev_int", 1, det, fnInt},
        {"zev_ceiling", 1, det, fnCeiling},
        {"zev_charindex", 2, det, fnCharindex},
        {"zev_charindex", 3, det, fnCharindex},
        {"zev_left", 2, det, fnLeft},
        {"zev_right", 2, det, fnRight},
        {"zev_replicate", 2, det, fnReplicate},
        {"object_id", 1, SQLITE_UTF8, fnObjectId},
        {"object_id", 2, SQLITE_UTF8, fnObjectId},
        {"objectproperty", 2, SQLITE_UTF8, fnObjectProperty},
    };
    for (const Fn& f : fns) {
        sqlite3_create_function_v2(db, f.name, f.args, f.flags, nullptr, f.fn, nullptr, nullptr, nullptr);
    }
    // The server's catalogue, as far as existence tests need it.
    sqlite3_exec(db,
                 "CREATE TEMP VIEW IF NOT EXISTS sysobjects AS SELECT name, lower(name) AS id, "
                 "CASE type WHEN 'table' THEN 'U' WHEN 'view' THEN 'V' WHEN 'index' THEN 'K' ELSE 'TR' END AS xtype, "
                 "CASE type WHEN 'table' THEN 'U' WHEN 'view' THEN 'V' WHEN 'index' THEN 'K' ELSE 'TR' END AS type "
                 "FROM sqlite_master WHERE name NOT LIKE 'sqlite_%';"
                 "CREATE TEMP VIEW IF NOT EXISTS zev_information_schema_tables AS SELECT 'master' AS TABLE_CATALOG, "
                 "'dbo' AS TABLE_SCHEMA, name AS TABLE_NAME, "
                 "CASE type WHEN 'view' THEN 'VIEW' ELSE 'BASE TABLE' END AS TABLE_TYPE "
                 "FROM sqlite_master WHERE type IN ('table','view') AND name NOT LIKE 'sqlite_%';",
                 nullptr, nullptr, nullptr);
}

} // namespace tabula
