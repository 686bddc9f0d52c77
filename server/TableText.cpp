#include "server/TableText.h"

#include <algorithm>
#include <charconv>

namespace zev::server {

namespace {

// The program reads a line into a buffer of 9023 bytes; a longer line would be cut in two and both
// halves skipped. The longest values are shortened until the row fits.
constexpr size_t kMaxLine = 9000;

// `line` holds cleaned values joined by "^" (none holds one itself).
std::string ShortenRow(const std::string& line)
{
    std::vector<std::string> values;
    size_t from = 0;
    for (size_t at; (at = line.find('^', from)) != std::string::npos; from = at + 1)
        values.push_back(line.substr(from, at - from));
    values.push_back(line.substr(from));
    size_t length = line.size();
    while (length > kMaxLine) {
        auto longest = std::max_element(values.begin(), values.end(),
                                        [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        size_t cut = std::min(length - kMaxLine, longest->size() - 1);
        longest->resize(longest->size() - cut);
        length -= cut;
    }
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += '^';
        out += values[i];
    }
    return out;
}

} // namespace

void TableWriter::BeginRow()
{
    m_rowStart = m_rows.size();
    m_first = true;
}

void TableWriter::Value(std::string_view text)
{
    if (!m_first)
        m_rows += '^';
    m_first = false;
    if (text.empty()) {
        m_rows += ' ';
        return;
    }
    const size_t at = m_rows.size();
    m_rows.append(text);
    for (size_t i = at; i < m_rows.size(); ++i) {
        char& c = m_rows[i];
        if (c == '^' || c == '\r' || c == '\n')
            c = ' ';
    }
}

void TableWriter::Number(double value)
{
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    Value(std::string_view(buffer, static_cast<size_t>(r.ptr - buffer)));
}

void TableWriter::EndRow()
{
    if (m_rows.size() - m_rowStart > kMaxLine) {
        std::string shortened = ShortenRow(m_rows.substr(m_rowStart));
        m_rows.resize(m_rowStart);
        m_rows += shortened;
    }
    m_rows += '\n';
    m_ends.push_back(m_rows.size());
}

void TableWriter::AppendHeader(std::string& out, const std::string& name, const std::vector<std::string>& columns,
                               size_t rows)
{
    out += name;
    out += '\n';
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i)
            out += ',';
        out += columns[i];
    }
    out += '\n';
    char count[24];
    auto r = std::to_chars(count, count + sizeof count, rows);
    out.append(count, r.ptr);
    out += '\n';
}

void TableWriter::AppendTo(std::string& out, size_t withheld) const
{
    AppendHeader(out, m_name, m_columns, m_ends.size());
    size_t send = m_ends.size() > withheld ? m_ends.size() - withheld : 0;
    out.append(m_rows, 0, send ? m_ends[send - 1] : 0);
}

void TableWriter::MoveRowsTo(std::string& out)
{
    out += m_rows;
    m_rows.clear();
    m_ends.clear();
    m_rowStart = 0;
}

void WriteColumn(TableWriter& out, const SqlStatement& stmt, int column)
{
    switch (stmt.Type(column)) {
    case tabula::ValueType::Null:
        out.Value({});
        break;
    case tabula::ValueType::Real:
        out.Number(stmt.Double(column));
        break;
    default:
        out.Value(stmt.TextView(column));
        break;
    }
}

std::string FormatTable(const TableData& table, size_t withheld)
{
    TableWriter writer(table.name);
    writer.SetColumns(table.columns);
    for (const auto& row : table.rows) {
        writer.BeginRow();
        for (const std::string& v : row)
            writer.Value(v);
        writer.EndRow();
    }
    std::string out;
    writer.AppendTo(out, withheld);
    return out;
}

} // namespace zev::server
