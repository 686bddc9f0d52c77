#include "tables/SqlText.h"

#include "tabula/CLocaleScope.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace zev {

std::string SqlText::Format(const char* fmt, ...)
{
    // SQL numbers are written "120.00" whatever the user's locale.
    tabula::CLocaleScope cLocale;
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        std::vector<char> buf(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        out.assign(buf.data(), static_cast<std::size_t>(needed));
    }
    va_end(args);
    return out;
}

std::string SqlText::Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string SqlText::DoubleApostrophes(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

std::string SqlText::Clean(const std::string& text) { return DoubleApostrophes(Trim(text)); }

} // namespace zev
