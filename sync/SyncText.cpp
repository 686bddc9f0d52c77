#include "sync/SyncText.h"

#include "tabula/CLocaleScope.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zev::sync {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

std::string TrimBlanks(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string TrimRight(const std::string& s)
{
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return s.substr(0, e);
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to)
{
    if (from.empty())
        return s;
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}

bool ContainsText(const std::string& haystack, const std::string& needle)
{
    return haystack.find(needle) != std::string::npos;
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string EscapeSetA(const std::string& s) { return ReplaceAll(s, "&", "%26"); }

std::string EscapeSetB(const std::string& s)
{
    std::string r = ReplaceAll(ReplaceAll(ReplaceAll(s, "%", "%25"), "&", "%26"), "^", "%94");
    return r.empty() ? std::string(" ") : r;
}

std::string EscapeSetC(const std::string& s)
{
    return ReplaceAll(ReplaceAll(ReplaceAll(s, "&", "~|A"), "^", "~|C"), "'", "''");
}

std::string EscapeSetD(const std::string& s) { return ReplaceAll(ReplaceAll(s, "+", "%2B"), " ", "%20"); }

std::string EscapeSetE(const std::string& s) { return ReplaceAll(s, "&", "~|A"); }

std::string EscapeOrderNote(const std::string& s)
{
    std::string r = ReplaceAll(ReplaceAll(s, "%", "%25"), "&", "%26");
    std::string out;
    for (char c : r)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

std::string EscapeLineComment(const std::string& s)
{
    return ReplaceAll(ReplaceAll(ReplaceAll(s, "%", "%25"), "&", "%26"), "^", "%94");
}

std::vector<std::string> SplitTableValues(const std::string& line, char sep)
{
    std::vector<std::string> out;
    SplitTableValuesInto(line, sep, out);
    return out;
}

void SplitTableValuesInto(const std::string& line, char sep, std::vector<std::string>& out)
{
    size_t b = 0, e = line.size();
    while (b < e && IsBlank(line[b]))
        ++b;
    while (e > b && IsBlank(line[e - 1]))
        --e;
    size_t n = 0;
    auto put = [&](const char* p, size_t len) {
        if (n < out.size())
            out[n].assign(p, len);
        else
            out.emplace_back(p, len);
        ++n;
    };
    // An empty value that follows a separator after the first character
    // travels as one blank; empty values before that (leading separators)
    // cannot be carried and are dropped.
    size_t start = b;
    while (b < e) {
        size_t p = line.find(sep, start);
        size_t end = p == std::string::npos || p >= e ? e : p;
        if (end > start)
            put(line.data() + start, end - start);
        else if (start > b + 1)
            put(" ", 1);
        if (end == e)
            break;
        start = end + 1;
        if (start == e) {
            if (start > b + 1)
                put(" ", 1);
            break;
        }
    }
    out.resize(n);
}

std::vector<std::string> SplitList(const std::string& list)
{
    std::vector<std::string> out;
    if (TrimBlanks(list).empty())
        return out;
    size_t start = 0;
    for (;;) {
        size_t p = list.find(',', start);
        out.push_back(TrimBlanks(list.substr(start, p == std::string::npos ? std::string::npos : p - start)));
        if (p == std::string::npos)
            break;
        start = p + 1;
    }
    return out;
}

std::string FormatStamp(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return Format("%.4d-%.2d-%.2d %.2d:%.2d:%.2d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                  tm.tm_sec);
}

std::string FormatDay(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return Format("%.2d-%.2d-%.2d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

std::string RenewLabel(const std::string& stamp)
{
    int y = 0, m = 0, d = 0;
    if (std::sscanf(stamp.c_str(), "%d-%d-%d", &y, &m, &d) != 3 || y <= 0 || m < 1 || m > 12 || d < 1 || d > 31)
        return "Unknown";
    return Format("%d-%d-%d", m, d, y);
}

std::string ServerErrorText(const std::string& reply)
{
    size_t open = reply.find("<ERROR>");
    size_t close = reply.find("</ERROR");
    if (open == std::string::npos || close == std::string::npos)
        return {};
    size_t from = open + 7;
    if (close <= from)
        return {};
    return reply.substr(from, close - from);
}

int ProgressStep(int rows)
{
    int step = rows / 10;
    return step < 10 ? 10 : step;
}

int ProgressPercent(int total, int done)
{
    if (total < 1 || done < 1)
        return 0;
    return static_cast<int>(static_cast<double>(done) / total * 100.0);
}

std::string FormatProgressText(const std::string& text, int total, int done)
{
    if (!ContainsText(text, "%d"))
        return text;
    // Only %d placeholders are honoured; anything else is copied as it stands.
    std::string out;
    int args[2] = {done, total};
    int used = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'd') {
            out += std::to_string(used < 2 ? args[used] : 0);
            ++used;
            ++i;
        } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += text[i];
        }
    }
    if (out.size() > 1023)
        out.resize(1023);
    return out;
}

std::string Format(const char* fmt, ...)
{
    // Bodies and SQL carry numbers as "120.00" whatever the user's locale.
    tabula::CLocaleScope cLocale;
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, ap2);
        out.resize(static_cast<size_t>(n));
    }
    va_end(ap2);
    return out;
}

std::string FixApost(const std::string& s) { return ReplaceAll(s, "'", "''"); }

int ToInt(const std::string& s) { return static_cast<int>(std::strtol(s.c_str(), nullptr, 10)); }

double ToDouble(const std::string& s) { return tabula::CLocaleScope::ParseDouble(s.c_str(), nullptr); }

} // namespace zev::sync
