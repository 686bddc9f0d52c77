#include "tabula/SqlDialect.h"

#include "tabula/ConnectionImpl.h"

#include <cctype>
#include <cstdio>

namespace tabula {

namespace {

struct Cursor {
    const std::string& s;
    std::size_t i = 0;

    void blanks()
    {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) {
            ++i;
        }
    }
    bool end() const { return i >= s.size(); }
    // Reads up to maxDigits digits, allowing blanks before them (the
    // program writes "%2d" fields, so " 5" is a valid minute).
    bool number(int& value, int maxDigits, int minDigits = 1)
    {
        blanks();
        int n = 0;
        value = 0;
        while (i < s.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(s[i]))) {
            value = value * 10 + (s[i] - '0');
            ++i;
            ++n;
        }
        return n >= minDigits;
    }
    bool take(char c)
    {
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
};

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool validDate(int y, int m, int d)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) {
        return false;
    }
    int limit = days[m - 1] + (m == 2 && leap(y) ? 1 : 0);
    return d <= limit;
}

// Time part: h[:m[:s[.fff]]] [AM|PM]; blanks allowed inside the fields.
bool parseTime(Cursor& c, int& h, int& mi, int& sec)
{
    h = mi = sec = 0;
    c.blanks();
    if (c.end()) {
        return true;
    }
    if (!c.number(h, 2)) {
        return false;
    }
    c.blanks();
    if (c.take(':')) {
        if (!c.number(mi, 2)) {
            return false;
        }
        c.blanks();
        if (c.take(':')) {
            if (!c.number(sec, 2)) {
                return false;
            }
            if (c.take('.') || c.take(':')) {
                int frac = 0;
                c.number(frac, 9, 0);
            }
        }
    } else {
        // An hour alone needs AM/PM ("9 PM").
        c.blanks();
        if (c.end()) {
            return false;
        }
    }
    c.blanks();
    if (!c.end()) {
        char a = static_cast<char>(std::toupper(static_cast<unsigned char>(c.s[c.i])));
        if ((a == 'A' || a == 'P') && c.i + 1 < c.s.size() &&
            std::toupper(static_cast<unsigned char>(c.s[c.i + 1])) == 'M') {
            c.i += 2;
            if (h < 1 || h > 12) {
                return false;
            }
            if (a == 'A' && h == 12) {
                h = 0;
            } else if (a == 'P' && h != 12) {
                h += 12;
            }
        }
    }
    c.blanks();
    return c.end() && h <= 23 && mi <= 59 && sec <= 59;
}

} // namespace

std::optional<std::string> SqlDialect::CanonicalDateTime(const std::string& text)
{
    Cursor c{text};
    c.blanks();
    int y = 0;
    int m = 0;
    int d = 0;
    std::size_t start = c.i;
    int first = 0;
    if (!c.number(first, 8)) {
        return std::nullopt;
    }
    std::size_t digits = c.i - start;
    if (c.take('-') || (digits == 4 && c.take('/')) || (digits == 4 && c.take('.'))) {
        // yyyy-mm-dd (also yyyy/mm/dd, yyyy.mm.dd)
        y = first;
        char sep = text[c.i - 1];
        if (!c.number(m, 2) || !c.take(sep) || !c.number(d, 2)) {
            return std::nullopt;
        }
        c.take('T');
    } else if (c.take('/') || c.take('-') || c.take('.')) {
        // m/d/yyyy (the program's form), also m-d-yyyy
        m = first;
        char sep = text[c.i - 1];
        if (!c.number(d, 2) || !c.take(sep) || !c.number(y, 4)) {
            return std::nullopt;
        }
        if (y < 100) {
            y += y < 50 ? 2000 : 1900; // two-digit years: the server's cutoff
        }
    } else if (digits == 8) {
        y = first / 10000;
        m = first / 100 % 100;
        d = first % 100;
    } else {
        return std::nullopt;
    }
    if (!validDate(y, m, d)) {
        return std::nullopt;
    }
    int h = 0;
    int mi = 0;
    int sec = 0;
    if (!parseTime(c, h, mi, sec)) {
        return std::nullopt;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, h, mi, sec);
    return std::string(buf);
}

namespace {

std::string baseType(const std::string& declType)
{
    std::string t = detail::ToLower(declType);
    std::size_t p = t.find('(');
    if (p != std::string::npos) {
        t = t.substr(0, p);
    }
    while (!t.empty() && t.back() == ' ') {
        t.pop_back();
    }
    std::size_t b = t.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : t.substr(b);
}

} // namespace

bool SqlDialect::IsDateTimeType(const std::string& declType)
{
    std::string t = baseType(declType);
    return t == "datetime" || t == "smalldatetime" || t == "date" || t == "datetime2";
}

bool SqlDialect::IsTextType(const std::string& declType)
{
    std::string t = baseType(declType);
    return t == "varchar" || t == "nvarchar" || t == "char" || t == "nchar" || t == "text" || t == "ntext" ||
           t == "character varying" || t == "varchar2";
}

bool SqlDialect::IsNumericType(const std::string& declType)
{
    std::string t = baseType(declType);
    return t == "int" || t == "integer" || t == "smallint" || t == "tinyint" || t == "bigint" || t == "bit" ||
           t == "money" || t == "smallmoney" || t == "float" || t == "real" || t == "decimal" || t == "numeric" ||
           t == "double" || t == "double precision";
}

} // namespace tabula
