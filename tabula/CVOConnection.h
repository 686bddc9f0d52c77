#pragma once

#include <memory>
#include <string>

struct sqlite3;

namespace tabula::detail {
struct ConnectionImpl;
}

// Owner of one open database file. The connection string names the file:
// "Database=name" -> <DBLib database folder>/name.db, "Data Source=/path"
// names it directly. Opening fails with TabulaError. Not copyable: recordsets
// point at it, so it must outlive them.
//
// The connection also carries the one transaction that every recordset and
// table object on it shares. Begins nest by counting; only the outermost
// commit writes. A rollback at any depth undoes everything since the
// outermost begin and dooms the rest of the bracket: statements run until the
// outermost commit/rollback are discarded, and the commits of the outer levels
// report failure (0).
class CVOConnection {
public:
    explicit CVOConnection(const std::string& connectionString);
    virtual ~CVOConnection();

    CVOConnection(const CVOConnection&) = delete;
    CVOConnection& operator=(const CVOConnection&) = delete;

    // Path of the database file that was opened.
    const std::string& GetPath() const;
    sqlite3* GetHandle() const;

    int BeginTrans();
    int CommitTrans();
    int RollbackTrans();
    int GetTransactionDepth() const;
    // True inside a bracket whose work was rolled back at an inner level.
    bool IsTransactionDoomed() const;

    // Maps a connection string to the database file it names (see above).
    static std::string ResolvePath(const std::string& connectionString);

    // Internal state shared with the recordsets of this library.
    tabula::detail::ConnectionImpl& Impl() const { return *m_impl; }

private:
    std::unique_ptr<tabula::detail::ConnectionImpl> m_impl;
};
