#include "tabula/Statement.h"

#include "tabula/CVOConnection.h"
#include "tabula/ConnectionImpl.h"
#include "tabula/Database.h"
#include "tabula/SqlDialect.h"
#include "tabula/TranslateWithPlaceholders.h"

#include <sqlite3.h>

namespace tabula {

Statement::Statement(CVOConnection& connection, const std::string& sql)
{
    detail::ConnectionImpl& conn = connection.Impl();
    conn.CheckSchemaVersion();
    const Translation tr = detail::TranslateWithPlaceholders(&conn, sql);
    if (!tr.ok) {
        m_error = tr.error;
        return;
    }
    if (tr.condition || tr.statements.size() != 1 || tr.changesSchema) {
        m_error = "a statement with bound values must be one plain statement: " + sql.substr(0, 200);
        return;
    }
    Prepare(conn.db, tr.statements.front());
}

Statement::Statement(Database& database, const std::string& sql)
{
    if (!database.Ok()) {
        m_error = "no connection";
        return;
    }
    Prepare(database.Handle(), sql);
}

void Statement::Prepare(sqlite3* db, const std::string& sql)
{
    m_db = db;
    m_sql = sql;
    // Persistent: these statements are kept and run many times.
    if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &m_stmt,
                           nullptr) != SQLITE_OK) {
        m_error = std::string(sqlite3_errmsg(db)) + " in: " + sql.substr(0, 200);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::~Statement() { Release(); }

void Statement::Release()
{
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_sql(std::move(other.m_sql)), m_error(std::move(other.m_error))
{
    other.m_stmt = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        Release();
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        m_sql = std::move(other.m_sql);
        m_error = std::move(other.m_error);
        other.m_stmt = nullptr;
    }
    return *this;
}

bool Statement::Check(int rc, const char* what)
{
    if (rc == SQLITE_OK)
        return true;
    m_error = std::string(what) + ": " + (m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
    return false;
}

bool Statement::Bind(int index, std::string_view text)
{
    if (!m_stmt)
        return false;
    return Check(sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT),
                 "bind");
}

bool Statement::Bind(int index, std::int64_t value)
{
    return m_stmt && Check(sqlite3_bind_int64(m_stmt, index, value), "bind");
}

bool Statement::Bind(int index, double value)
{
    return m_stmt && Check(sqlite3_bind_double(m_stmt, index, value), "bind");
}

bool Statement::BindNull(int index) { return m_stmt && Check(sqlite3_bind_null(m_stmt, index), "bind"); }

StepResult Statement::Step()
{
    if (!m_stmt)
        return StepResult::Error;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return StepResult::Row;
    if (rc == SQLITE_DONE)
        return StepResult::Done;
    m_error = sqlite3_errmsg(m_db);
    // A failed step must be reset before the statement can run again.
    sqlite3_reset(m_stmt);
    return StepResult::Error;
}

bool Statement::Run()
{
    StepResult r = Step();
    while (r == StepResult::Row)
        r = Step();
    if (r == StepResult::Done)
        Reset();
    return r == StepResult::Done;
}

void Statement::Reset()
{
    if (!m_stmt)
        return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::Changes() const { return m_db ? sqlite3_changes(m_db) : 0; }

int Statement::ColumnCount() const { return m_stmt ? sqlite3_column_count(m_stmt) : 0; }

std::string Statement::ColumnName(int index) const
{
    const char* name = m_stmt ? sqlite3_column_name(m_stmt, index) : nullptr;
    return name ? name : "";
}

bool Statement::IsNull(int index) const { return Type(index) == ValueType::Null; }

std::string Statement::Text(int index) const
{
    const unsigned char* text = m_stmt ? sqlite3_column_text(m_stmt, index) : nullptr;
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(m_stmt, index)));
}

std::string_view Statement::TextView(int index) const
{
    const unsigned char* text = m_stmt ? sqlite3_column_text(m_stmt, index) : nullptr;
    if (!text)
        return {};
    return {reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(m_stmt, index))};
}

std::int64_t Statement::Int(int index) const { return m_stmt ? sqlite3_column_int64(m_stmt, index) : 0; }

double Statement::Double(int index) const { return m_stmt ? sqlite3_column_double(m_stmt, index) : 0.0; }

ValueType Statement::Type(int index) const
{
    switch (m_stmt ? sqlite3_column_type(m_stmt, index) : SQLITE_NULL) {
    case SQLITE_INTEGER:
        return ValueType::Integer;
    case SQLITE_FLOAT:
        return ValueType::Real;
    case SQLITE_TEXT:
        return ValueType::Text;
    case SQLITE_BLOB:
        return ValueType::Blob;
    default:
        return ValueType::Null;
    }
}

} // namespace tabula
