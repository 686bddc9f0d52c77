#include "sync/TabulaSyncDb.h"

#include "tabula/Tabula.h"

#include <sqlite3.h>
#include <strings.h>

namespace zev::sync {

TabulaSyncDb::TabulaSyncDb(std::string connectionString)
    : m_connection(std::move(connectionString))
{
}

TabulaSyncDb::~TabulaSyncDb()
{
    FinishInsert();
    m_scratch.reset();
}

bool TabulaSyncDb::OpenAdmin()
{
    try {
        return QueryPool::GetInstance(m_connection, 0) != nullptr;
    } catch (const TabulaError&) {
        return false;
    }
}

Query& TabulaSyncDb::Scratch()
{
    if (!m_scratch) {
        OpenAdmin();
        m_scratch = std::make_unique<Query>("", "", 0);
    }
    return *m_scratch;
}

bool TabulaSyncDb::Exec(const std::string& sql)
{
    // A kept insert must not hold on to a table that is about to change.
    if (strncasecmp(sql.c_str(), "select", 6) != 0) FinishInsert();
    try {
        return Scratch().getRS()->Open(sql, adOpenStatic, adLockReadOnly, adCmdText) != 0;
    } catch (const TabulaError&) {
        return false;
    }
}

bool TabulaSyncDb::Select(const std::string& sql, Rows& rows, std::vector<std::string>* columns)
{
    rows.clear();
    try {
        CVORecordset* rs = Scratch().getRS();
        if (!rs->Open(sql, adOpenStatic, adLockReadOnly, adCmdText)) return false;
        long n = rs->GetFieldCount();
        if (columns) {
            columns->clear();
            for (long i = 0; i < n; ++i) columns->push_back(rs->GetFieldName(i));
        }
        while (!rs->IsEOF()) {
            Row r;
            r.reserve(static_cast<size_t>(n));
            for (long i = 0; i < n; ++i) r.push_back(rs->GetFieldValueString(i));
            rows.push_back(std::move(r));
            if (!rs->MoveNext()) break;
        }
        rs->Close();
        return true;
    } catch (const TabulaError&) {
        return false;
    }
}

bool TabulaSyncDb::Insert(const std::string& table, const std::vector<std::string>& columns, const Row& values)
{
    if (columns.size() != values.size() || columns.empty()) return false;
    try {
        sqlite3* h = Handle();
        if (!h) return false;
        if (!m_insert || m_insertTable != table || m_insertColumns != columns) {
            FinishInsert();
            // Declared types decide how a text value is stored: dates in the
            // one form the rest of the program compares, blank numbers as null.
            std::vector<std::pair<std::string, std::string>> declared;
            sqlite3_stmt* info = nullptr;
            if (sqlite3_prepare_v2(h, "select name, type from pragma_table_info(?)", -1, &info, nullptr) == SQLITE_OK) {
                sqlite3_bind_text(info, 1, table.c_str(), -1, SQLITE_TRANSIENT);
                while (sqlite3_step(info) == SQLITE_ROW)
                    declared.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(info, 0)),
                                          reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
            }
            sqlite3_finalize(info);
            if (declared.empty()) return false;
            std::string sql = "INSERT INTO \"" + table + "\" (";
            std::string marks;
            m_insertTypes.clear();
            for (size_t i = 0; i < columns.size(); ++i) {
                std::string type;
                for (const auto& [name, decl] : declared)
                    if (strcasecmp(name.c_str(), columns[i].c_str()) == 0) type = decl;
                m_insertTypes.push_back(type);
                sql += (i ? ",\"" : "\"") + columns[i] + "\"";
                marks += i ? ",?" : "?";
            }
            sql += ") VALUES (" + marks + ")";
            if (sqlite3_prepare_v2(h, sql.c_str(), -1, &m_insert, nullptr) != SQLITE_OK) {
                FinishInsert();
                return false;
            }
            m_insertTable = table;
            m_insertColumns = columns;
        }
        sqlite3_reset(m_insert);
        sqlite3_clear_bindings(m_insert);
        for (size_t i = 0; i < values.size(); ++i) {
            const std::string& type = m_insertTypes[i];
            const std::string& v = values[i];
            int idx = static_cast<int>(i + 1);
            if (tabula::SqlDialect::IsDateTimeType(type)) {
                auto canonical = tabula::SqlDialect::CanonicalDateTime(v);
                if (canonical) {
                    sqlite3_bind_text(m_insert, idx, canonical->c_str(), -1, SQLITE_TRANSIENT);
                    continue;
                }
            }
            if (tabula::SqlDialect::IsNumericType(type) && v.find_first_not_of(" \t") == std::string::npos) {
                sqlite3_bind_null(m_insert, idx);
                continue;
            }
            sqlite3_bind_text(m_insert, idx, v.c_str(), -1, SQLITE_TRANSIENT);
        }
        int rc = sqlite3_step(m_insert);
        sqlite3_reset(m_insert);
        return rc == SQLITE_DONE;
    } catch (const TabulaError&) {
        return false;
    }
}

void TabulaSyncDb::FinishInsert()
{
    if (m_insert) sqlite3_finalize(m_insert);
    m_insert = nullptr;
    m_insertTable.clear();
    m_insertColumns.clear();
}

sqlite3* TabulaSyncDb::Handle()
{
    OpenAdmin();
    QueryPool* pool = QueryPool::GetInstance(0);
    if (!pool) return nullptr;
    return pool->getLibrary()->getConnection()->GetHandle();
}

bool TabulaSyncDb::ExecBound(const std::string& sql, const Row& params)
{
    try {
        sqlite3* h = Handle();
        if (!h) return false;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return false;
        }
        for (size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(st, static_cast<int>(i + 1), params[i].c_str(), -1, SQLITE_TRANSIENT);
        int rc = sqlite3_step(st);
        sqlite3_finalize(st);
        return rc == SQLITE_DONE || rc == SQLITE_ROW;
    } catch (const TabulaError&) {
        return false;
    }
}

std::vector<std::string> TabulaSyncDb::Columns(const std::string& table)
{
    std::vector<std::string> out;
    try {
        sqlite3* h = Handle();
        if (!h) return out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(h, "select name from pragma_table_info(?)", -1, &st, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(st, 1, table.c_str(), -1, SQLITE_TRANSIENT);
            while (sqlite3_step(st) == SQLITE_ROW)
                out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        }
        sqlite3_finalize(st);
    } catch (const TabulaError&) {
    }
    return out;
}

bool TabulaSyncDb::Begin()
{
    try {
        OpenAdmin();
        QueryPool* pool = QueryPool::GetInstance(0);
        return pool && pool->getLibrary()->getConnection()->BeginTrans() != 0;
    } catch (const TabulaError&) {
        return false;
    }
}

bool TabulaSyncDb::Commit()
{
    QueryPool* pool = QueryPool::GetInstance(0);
    if (!pool || !pool->getLibrary()->isConnected()) return false;
    FinishInsert();
    return pool->getLibrary()->getConnection()->CommitTrans() != 0;
}

bool TabulaSyncDb::Rollback()
{
    QueryPool* pool = QueryPool::GetInstance(0);
    if (!pool || !pool->getLibrary()->isConnected()) return false;
    FinishInsert();
    return pool->getLibrary()->getConnection()->RollbackTrans() != 0;
}

void TabulaSyncDb::CloseAll()
{
    // No table object may outlive the pool's recordsets.
    FinishInsert();
    m_scratch.reset();
    if (QueryPool* pool = QueryPool::GetInstance(0)) pool->removeAll();
}

std::string TabulaSyncDb::DatabaseFile() { return CVOConnection::ResolvePath(m_connection); }

} // namespace zev::sync
