#include "TableReader.h"

#include <cstring>
#include <sstream>
#include <utility>

namespace {

std::string Trim(const std::string& s)
{
    size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Empty values travel as blanks: doubled separators after the first character get a blank between
// them and a trailing separator gets one after it; then the line is cut like strtok cuts it.
std::vector<std::string> SplitValues(std::string line, char separator)
{
    std::string padded;
    padded.reserve(line.size() * 2 + 1);
    for (size_t i = 0; i < line.size(); ++i) {
        padded += line[i];
        if (i > 0 && line[i] == separator && i + 1 < line.size() && line[i + 1] == separator)
            padded += ' ';
    }
    if (!padded.empty() && padded.back() == separator)
        padded += ' ';
    line = std::move(padded);
    std::vector<std::string> values;
    std::string current;
    for (char c : line) {
        if (c == separator) {
            if (!current.empty())
                values.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        values.push_back(current);
    return values;
}

} // namespace

ReadTable ReadTableText(const std::string& text)
{
    ReadTable table;
    std::istringstream in(text);
    std::string line;
    auto next = [&](std::string& out) {
        if (!std::getline(in, out))
            return false;
        if (!out.empty() && out.back() == '\r')
            out.pop_back();
        return true;
    };
    if (!next(table.name))
        return table;
    if (next(line))
        table.columns = SplitValues(line, ',');
    if (next(line))
        table.announced = std::atol(line.c_str());
    while (static_cast<long>(table.rows.size()) < table.announced && next(line)) {
        std::vector<std::string> values = SplitValues(Trim(line), '^');
        if (values.size() != table.columns.size()) {
            ++table.skipped;
            continue;
        }
        table.rows.push_back(values);
    }
    return table;
}
