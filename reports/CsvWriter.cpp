#include "reports/CsvWriter.h"

#include "base/AtomicFile.h"

#include <sstream>

namespace zev {

CsvWriter::CsvWriter(std::vector<std::string> headings, std::vector<bool> textColumns)
    : m_headings(std::move(headings)), m_textColumns(std::move(textColumns))
{
}

std::string CsvWriter::Field(std::string_view text)
{
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvWriter::Cell(std::string_view text, std::size_t column) const
{
    const bool isText = column >= m_textColumns.size() || m_textColumns[column];
    if (isText && !text.empty()) {
        const char first = text.front();
        if (first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' || first == '\r')
            return Field("'" + std::string(text));
    }
    return Field(text);
}

void CsvWriter::Write(std::ostream& out, const std::vector<std::vector<std::string>>& rows) const
{
    out << "\xEF\xBB\xBF";
    auto record = [&out](const std::vector<std::string>& cells, auto cell) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out << ',';
            out << cell(cells[i], i);
        }
        out << "\r\n";
    };
    record(m_headings, [this](const std::string& text, std::size_t column) { return Cell(text, column); });
    for (const auto& row : rows)
        record(row, [this](const std::string& text, std::size_t column) { return Cell(text, column); });
}

std::string CsvWriter::ToString(const std::vector<std::vector<std::string>>& rows) const
{
    std::ostringstream out;
    Write(out, rows);
    return out.str();
}

bool CsvWriter::WriteFile(const std::string& path, const std::vector<std::vector<std::string>>& rows,
                          std::string& error) const
{
    return WriteFileAtomically(path, ToString(rows), 0644, &error);
}

} // namespace zev
