#include "server/TableText.h"

#include <algorithm>

namespace zev::server {

namespace {

std::string CleanValue(const std::string& value)
{
    if (value.empty())
        return " ";
    std::string out = value;
    for (char& c : out)
        if (c == '^' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

// The program reads a line into a buffer of 9023 bytes; a longer line would be cut in two and both
// halves skipped. The longest values are shortened until the row fits.
constexpr size_t kMaxLine = 9000;

std::string FormatRow(const std::vector<std::string>& row)
{
    std::vector<std::string> values;
    size_t length = row.empty() ? 0 : row.size() - 1;
    for (const std::string& v : row) {
        values.push_back(CleanValue(v));
        length += values.back().size();
    }
    while (length > kMaxLine) {
        auto longest = std::max_element(values.begin(), values.end(),
                                        [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        size_t cut = std::min(length - kMaxLine, longest->size() - 1);
        longest->resize(longest->size() - cut);
        length -= cut;
    }
    std::string out;
    for (size_t i = 0; i < values.size(); ++i)
        out += (i ? "^" : "") + values[i];
    return out;
}

} // namespace

std::string FormatTable(const TableData& table, size_t withheld)
{
    std::string out = table.name + "\n";
    for (size_t i = 0; i < table.columns.size(); ++i)
        out += (i ? "," : "") + table.columns[i];
    out += "\n" + std::to_string(table.rows.size()) + "\n";
    size_t send = table.rows.size() > withheld ? table.rows.size() - withheld : 0;
    for (size_t r = 0; r < send; ++r)
        out += FormatRow(table.rows[r]) + '\n';
    return out;
}

} // namespace zev::server
