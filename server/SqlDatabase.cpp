#include "server/SqlDatabase.h"

namespace zev::server {

SqlDatabase::SqlDatabase(const std::string& path)
    // Several request threads and the demo generator share the file.
    : m_db(path, tabula::Database::Mode::ReadWrite, 10000)
{
    if (!m_db.Ok())
        throw SqlError(m_db.Error());
    Exec("PRAGMA foreign_keys = ON");
}

SqlDatabase::~SqlDatabase() = default;

void SqlDatabase::Exec(const std::string& sql)
{
    std::string error;
    if (!TryExec(sql, &error))
        throw SqlError(error + " in: " + sql.substr(0, 200));
}

bool SqlDatabase::TryExec(const std::string& sql, std::string* error) { return m_db.Exec(sql, error); }

SqlStatement SqlDatabase::Prepare(const std::string& sql) { return SqlStatement(m_db, sql); }

std::int64_t SqlDatabase::LastInsertId() const { return m_db.LastInsertId(); }

int SqlDatabase::Changes() const { return m_db.Changes(); }

bool SqlDatabase::TableExists(const std::string& name)
{
    auto stmt = Prepare("select 1 from sqlite_master where type = 'table' and name = ? collate nocase");
    stmt.Bind(1, name);
    return stmt.Step();
}

std::vector<std::string> SqlDatabase::Columns(const std::string& table)
{
    std::vector<std::string> names;
    auto stmt = Prepare("select name from pragma_table_info(?) order by cid");
    stmt.Bind(1, table);
    while (stmt.Step())
        names.push_back(stmt.Text(0));
    return names;
}

SqlStatement::SqlStatement(tabula::Database& db, const std::string& sql) : m_stmt(db, sql)
{
    if (!m_stmt.Ok())
        throw SqlError("prepare failed for " + sql.substr(0, 200) + ": " + m_stmt.Error());
}

SqlStatement& SqlStatement::Bound(bool ok)
{
    if (!ok)
        throw SqlError(m_stmt.Error());
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, const std::string& value) { return Bound(m_stmt.Bind(index, value)); }

SqlStatement& SqlStatement::Bind(int index, const char* value) { return Bind(index, std::string(value)); }

SqlStatement& SqlStatement::Bind(int index, std::int64_t value) { return Bound(m_stmt.Bind(index, value)); }

SqlStatement& SqlStatement::Bind(int index, double value) { return Bound(m_stmt.Bind(index, value)); }

SqlStatement& SqlStatement::BindNull(int index) { return Bound(m_stmt.BindNull(index)); }

SqlStatement& SqlStatement::Bind(int index, const std::optional<std::string>& value)
{
    return value ? Bind(index, *value) : BindNull(index);
}

bool SqlStatement::Step()
{
    switch (m_stmt.Step()) {
    case tabula::StepResult::Row:
        return true;
    case tabula::StepResult::Done:
        return false;
    case tabula::StepResult::Error:
        break;
    }
    throw SqlError("step: " + m_stmt.Error());
}

void SqlStatement::Run()
{
    while (Step()) {
    }
    Reset();
}

void SqlStatement::Reset() { m_stmt.Reset(); }

int SqlStatement::ColumnCount() const { return m_stmt.ColumnCount(); }

std::string SqlStatement::ColumnName(int index) const { return m_stmt.ColumnName(index); }

bool SqlStatement::IsNull(int index) const { return m_stmt.IsNull(index); }

std::string SqlStatement::Text(int index) const { return m_stmt.Text(index); }

std::int64_t SqlStatement::Int(int index) const { return m_stmt.Int(index); }

double SqlStatement::Double(int index) const { return m_stmt.Double(index); }

tabula::ValueType SqlStatement::Type(int index) const { return m_stmt.Type(index); }

SqlTransaction::SqlTransaction(SqlDatabase& db) : m_db(db) { m_db.Exec("BEGIN IMMEDIATE"); }

SqlTransaction::~SqlTransaction()
{
    if (!m_done)
        m_db.TryExec("ROLLBACK");
}

void SqlTransaction::Commit()
{
    m_db.Exec("COMMIT");
    m_done = true;
}

std::string SqlQuote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

std::string SqlIdent(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

} // namespace zev::server
