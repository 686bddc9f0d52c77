#include "reports/SqlPlaceholder.h"

#include "app/core/IniReader.h"

#include <cctype>

namespace zev {

namespace {

std::string Fill(std::string_view sqlTemplate, char kind, const std::string& value)
{
    std::string out;
    out.reserve(sqlTemplate.size() + value.size());
    bool filled = false;
    for (std::size_t i = 0; i < sqlTemplate.size(); ++i) {
        const char c = sqlTemplate[i];
        if (c == '%' && i + 1 < sqlTemplate.size()) {
            const char next = sqlTemplate[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next == kind && !filled) {
                out += value;
                filled = true;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

int SqlPlaceholder::Count(std::string_view sqlTemplate, char kind)
{
    int count = 0;
    for (std::size_t i = 0; i + 1 < sqlTemplate.size(); ++i) {
        if (sqlTemplate[i] != '%')
            continue;
        if (sqlTemplate[i + 1] == kind)
            ++count;
        ++i; // "%%" and "%d" are both two characters
    }
    return count;
}

std::string SqlPlaceholder::FillNumber(std::string_view sqlTemplate, int value)
{
    return Fill(sqlTemplate, 'd', std::to_string(value));
}

std::string SqlPlaceholder::FillText(std::string_view sqlTemplate, std::string_view text)
{
    std::string quoted;
    for (char c : Trim(text)) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return Fill(sqlTemplate, 's', quoted);
}

bool SqlPlaceholder::IsSelect(std::string_view sql)
{
    std::size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i])))
        ++i;
    static constexpr std::string_view kSelect = "select";
    if (sql.size() - i < kSelect.size() + 1)
        return false;
    for (std::size_t k = 0; k < kSelect.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(sql[i + k])) != kSelect[k])
            return false;
    const unsigned char after = static_cast<unsigned char>(sql[i + kSelect.size()]);
    return std::isspace(after) || after == '*' || after == '(';
}

} // namespace zev
