#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zev {

// Writes a table as CSV that spreadsheets open as it is: UTF-8 with a byte
// order mark, fields separated by commas, records ended by CR LF, and a field
// quoted (its quotes doubled) when it holds a comma, a quote, a line break or
// blanks at either end. Both the report and the sales data screens export
// through this one writer.
class CsvWriter {
public:
    // `textColumns` marks columns whose cells are texts (missing entries: text).
    // A text cell a spreadsheet would take for a formula (=, +, -, @, tab, CR
    // first) gets a leading apostrophe, so opening an export never runs
    // anything that came from the data.
    CsvWriter(std::vector<std::string> headings, std::vector<bool> textColumns = {});

    void Write(std::ostream& out, const std::vector<std::vector<std::string>>& rows) const;
    std::string ToString(const std::vector<std::vector<std::string>>& rows) const;
    // Replaces the file whole; false with `error` filled when it cannot be written.
    [[nodiscard]] bool WriteFile(const std::string& path, const std::vector<std::vector<std::string>>& rows,
                                 std::string& error) const;

    static std::string Field(std::string_view text);

private:
    std::string Cell(std::string_view text, std::size_t column) const;

    std::vector<std::string> m_headings;
    std::vector<bool> m_textColumns;
};

} // namespace zev
