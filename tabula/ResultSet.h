#pragma once

#include "tabula/Variant.h"

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace tabula::detail {

// The rows of one result, read whole, with the cursor that walks them.
// Cells are held as a type byte and an 8-byte payload; texts live in one
// shared arena, so a large result costs little more than its data.
class ResultSet {
public:
    std::vector<std::string> names;
    std::string sourceTable; // table a row may be added to (empty: none)

    std::size_t ColumnCount() const { return names.size(); }
    std::size_t RowCount() const { return m_rows; }

    void AppendRow(sqlite3_stmt* stmt);
    void Clear();
    Variant Get(std::size_t row, std::size_t col) const;
    // Compares a cell without building a Variant (used by Find).
    Variant::Type TypeAt(std::size_t row, std::size_t col) const;

    // Cursor: -1 before the first row, RowCount() past the last.
    long pos = -1;

private:
    std::vector<std::uint8_t> m_types;
    std::vector<std::uint64_t> m_payload;
    std::string m_arena;
    std::size_t m_rows = 0;
};

} // namespace tabula::detail
