#pragma once

#include "server/ServerStore.h"
#include "server/TableText.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zev::server {

// A grabdata reply written piece by piece as its rows are read, never held
// whole. It reads on a connection of its own inside one read transaction, so
// the count on a table's header and the rows after it come from the same
// state of the database while other requests go on. The bytes are those of
// the reply built whole (TableWriter); `withheld` rows are left off the end of
// each table while its count stays, as the fault switch's truncation does.
class TableStream {
public:
    TableStream(std::string databasePath, std::vector<TableQuery> tables, size_t withheld = 0);
    ~TableStream();
    TableStream(const TableStream&) = delete;
    TableStream& operator=(const TableStream&) = delete;

    // Appends the next piece of the reply, at least `size` bytes unless the
    // reply ends first, to `out`; false once everything has been given.
    // Raises SqlError when the database cannot be read.
    bool Next(std::string& out, size_t size = 64 * 1024);

private:
    void StartTable(std::string& out);

    std::string m_path;
    std::vector<TableQuery> m_tables;
    size_t m_withheld = 0;
    std::unique_ptr<SqlDatabase> m_db; // before m_rows: the statement goes first
    std::optional<SqlStatement> m_rows;
    size_t m_next = 0;    // the table whose header comes next
    long long m_left = 0; // rows of the current table still to send
    bool m_finished = false;
    TableWriter m_writer;
};

} // namespace zev::server
