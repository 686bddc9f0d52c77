#pragma once

#include "server/SqlDatabase.h"

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zev::demo {

// Inserts rows into one master table by column name, through one prepared statement.
// Names the table does not have are ignored and columns not given get 0 (numeric) or NULL (text,
// dates), so the generator keeps working when the schema gains or loses a column.
// Every row carries the server's owner (a representative, or none) and the change stamp.
class TableWriter {
public:
    TableWriter(server::SqlDatabase& db, const std::string& table, const std::string& stamp);

    bool Exists() const { return !m_columns.empty(); }
    TableWriter& Set(const std::string& column, long long value);
    TableWriter& Set(const std::string& column, int value) { return Set(column, static_cast<long long>(value)); }
    TableWriter& Set(const std::string& column, double value);
    TableWriter& Set(const std::string& column, const std::string& value);
    TableWriter& Set(const std::string& column, const char* value) { return Set(column, std::string(value)); }
    // Writes the row set so far and starts an empty one. `owner` empty: a row for every representative.
    void Insert(const std::string& owner = {});
    long long Rows() const { return m_rows; }

private:
    using Value = std::variant<std::monostate, long long, double, std::string>;
    int Index(const std::string& column) const;

    std::vector<std::string> m_columns;
    std::vector<bool> m_numeric;
    std::map<std::string, int> m_index;
    std::vector<Value> m_values;
    std::optional<server::SqlStatement> m_insert;
    std::string m_stamp;
    long long m_rows = 0;
};

} // namespace zev::demo
