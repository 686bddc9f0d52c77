#include "tabula/Database.h"

#include "tabula/Statement.h"

#include <sqlite3.h>

namespace tabula {

Database::Database(const std::string& path, Mode mode, int busyMs)
{
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX
                                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        m_error = "cannot open " + path + ": " + (m_db ? sqlite3_errmsg(m_db) : "out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    sqlite3_busy_timeout(m_db, busyMs);
}

Database::~Database() { sqlite3_close_v2(m_db); }

bool Database::Exec(const std::string& sql, std::string* error)
{
    if (!m_db) {
        if (error)
            *error = "no connection";
        return false;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK && error)
        *error = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

std::int64_t Database::LastInsertId() const { return m_db ? sqlite3_last_insert_rowid(m_db) : 0; }

int Database::Changes() const { return m_db ? sqlite3_changes(m_db) : 0; }

bool Database::TableExists(const std::string& name)
{
    Statement st(*this, "select 1 from sqlite_master where type = 'table' and name = ? collate nocase");
    return st.Bind(1, name) && st.Step() == StepResult::Row;
}

std::vector<std::string> Database::Columns(const std::string& table)
{
    std::vector<std::string> names;
    Statement st(*this, "select name from pragma_table_info(?) order by cid");
    if (!st.Bind(1, table))
        return names;
    while (st.Step() == StepResult::Row)
        names.push_back(st.Text(0));
    return names;
}

} // namespace tabula
