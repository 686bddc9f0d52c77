#pragma once

#include "server/ServerStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace zev::server {

// Writes a table in the text form the program's table reader takes: the name, the column names joined
// by ",", the row count, then one line per row with the values joined by "^".
// A value cannot carry "^" or a line break, so those become blanks; an empty value is sent as one blank
// (the reader cannot carry an empty first value otherwise). A row longer than the program's line
// buffer has its longest values shortened so that it still arrives as one row.
// `withheld` rows are left off the end while the announced count stays: the truncated reply of the
// fault switch.
std::string FormatTable(const TableData& table, size_t withheld = 0);

// The same text built value by value as rows are read, without a string per
// value or per row.
class TableWriter {
public:
    explicit TableWriter(std::string name = {}) : m_name(std::move(name)) {}
    void SetName(std::string name) { m_name = std::move(name); }
    void SetColumns(std::vector<std::string> columns) { m_columns = std::move(columns); }
    void BeginRow();
    void Value(std::string_view text);
    // A real number as "%.15g" writes it: the shortest text for money values
    // (12.5, not 12.500000).
    void Number(double value);
    void EndRow();
    size_t Rows() const { return m_ends.size(); }
    // Appends the whole table to `out`, leaving `withheld` rows off the end.
    void AppendTo(std::string& out, size_t withheld = 0) const;

    // For a table sent in pieces: its first three lines, then the rows as
    // they are finished (moved out, so the writer holds only what is not
    // sent yet).
    static void AppendHeader(std::string& out, const std::string& name, const std::vector<std::string>& columns,
                             size_t rows);
    void MoveRowsTo(std::string& out);
    size_t PendingBytes() const { return m_rows.size(); }

private:
    std::string m_name;
    std::vector<std::string> m_columns;
    std::string m_rows;
    std::vector<size_t> m_ends; // end of each row's line, after its line feed
    size_t m_rowStart = 0;
    bool m_first = true;
};

// One column of the current row of `stmt` as the reply carries it: null as
// an empty value, a real number as Number writes it, anything else as text.
void WriteColumn(TableWriter& out, const SqlStatement& stmt, int column);

} // namespace zev::server
