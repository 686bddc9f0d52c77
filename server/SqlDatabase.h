#pragma once

#include "tabula/Database.h"
#include "tabula/Statement.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zev::server {

// Raised for every SQLite failure in the server; handlers turn it into an <ERROR> reply.
class SqlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SqlStatement;

// One database connection, owned; not copyable. Each server thread opens its
// own. The server's statements are SQLite's own dialect; the database
// library runs them, and every failure is raised here as SqlError.
class SqlDatabase {
public:
    explicit SqlDatabase(const std::string& path);
    ~SqlDatabase();
    SqlDatabase(const SqlDatabase&) = delete;
    SqlDatabase& operator=(const SqlDatabase&) = delete;

    void Exec(const std::string& sql);
    // Runs the statement and reports failure instead of raising; the message goes to `error`.
    bool TryExec(const std::string& sql, std::string* error = nullptr);
    SqlStatement Prepare(const std::string& sql);
    std::int64_t LastInsertId() const;
    int Changes() const;
    bool TableExists(const std::string& name);
    std::vector<std::string> Columns(const std::string& table);
    // The connection handle, for registering the dialect's SQL functions.
    void* Handle() const { return m_db.Handle(); }

private:
    tabula::Database m_db;
};

// A statement of the database library that raises SqlError on failure.
// Owned by the caller; the connection is shared.
class SqlStatement {
public:
    SqlStatement(tabula::Database& db, const std::string& sql);
    SqlStatement(SqlStatement&& other) noexcept = default;
    SqlStatement& operator=(SqlStatement&&) = delete;
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    SqlStatement& Bind(int index, const std::string& value);
    SqlStatement& Bind(int index, const char* value);
    SqlStatement& Bind(int index, std::int64_t value);
    SqlStatement& Bind(int index, int value) { return Bind(index, static_cast<std::int64_t>(value)); }
    SqlStatement& Bind(int index, double value);
    SqlStatement& BindNull(int index);
    // Binds the text, or NULL when it is absent.
    SqlStatement& Bind(int index, const std::optional<std::string>& value);

    // Steps once; true while a row is available.
    bool Step();
    // Steps to completion (for statements without rows) and resets for reuse.
    void Run();
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int index) const;
    bool IsNull(int index) const;
    std::string Text(int index) const;
    // Without a copy; valid until the next step.
    std::string_view TextView(int index) const { return m_stmt.TextView(index); }
    std::int64_t Int(int index) const;
    double Double(int index) const;
    tabula::ValueType Type(int index) const;

private:
    SqlStatement& Bound(bool ok);

    tabula::Statement m_stmt;
};

// Rolls back unless Commit was called: a failure half-way never leaves half an order stored.
class SqlTransaction {
public:
    explicit SqlTransaction(SqlDatabase& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;
    void Commit();

private:
    SqlDatabase& m_db;
    bool m_done = false;
};

// Doubles apostrophes so a text can stand between single quotes in SQL.
std::string SqlQuote(const std::string& text);
// Double-quotes an identifier for SQLite.
std::string SqlIdent(const std::string& name);

} // namespace zev::server
