#include "tabula/CVORecordset.h"

#include "tabula/CVOConnection.h"
#include "tabula/ConnectionImpl.h"
#include "tabula/ResultSet.h"
#include "tabula/SqlDialect.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

using tabula::detail::ColumnKind;
using tabula::detail::ConnectionImpl;
using tabula::detail::ResultSet;

namespace {

// Runs one prepared-and-translated statement; rows go into result when it
// returns any. Returns false with err filled on failure.
bool runStatement(sqlite3* db, const std::string& sql, ResultSet* result, long* changes, std::string& err)
{
    const char* tail = nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail) != SQLITE_OK) {
        err = sqlite3_errmsg(db);
        return false;
    }
    if (stmt == nullptr) {
        err = "empty statement";
        return false;
    }
    const int columns = sqlite3_column_count(stmt);
    if (result != nullptr && columns > 0) {
        result->Clear();
        result->names.clear();
        for (int c = 0; c < columns; ++c) {
            const char* name = sqlite3_column_name(stmt, c);
            result->names.emplace_back(name ? name : "");
        }
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (result != nullptr && columns > 0) {
            result->AppendRow(stmt);
        }
    }
    if (rc != SQLITE_DONE) {
        err = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        if (result != nullptr) {
            result->Clear();
        }
        return false;
    }
    if (changes != nullptr && columns == 0) {
        *changes = sqlite3_changes(db);
    }
    sqlite3_finalize(stmt);
    return true;
}

std::string trimmed(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) {
        ++b;
    }
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) {
        --e;
    }
    return s.substr(b, e - b);
}

} // namespace

CVORecordset::CVORecordset(CVOConnection* connection) : m_connection(connection) { allocADO(); }

CVORecordset::~CVORecordset() { Close(); }

CVORecordset::CVORecordset(const CVORecordset& other) = default;
CVORecordset& CVORecordset::operator=(const CVORecordset& other) = default;

bool CVORecordset::allocADO()
{
    m_result = std::make_shared<ResultSet>();
    return true;
}

int CVORecordset::Open(const std::string& sql, CursorTypeEnum /*cursor*/, LockTypeEnum /*lock*/, CommandTypeEnum type)
{
    if (m_connection == nullptr) {
        m_lastError = "no connection";
        return 0;
    }
    if (m_open) {
        Close();
    }
    // A fresh result, so copies that still share the previous one keep it.
    m_result = std::make_shared<ResultSet>();
    m_lastInsert = nullptr;
    m_rowsAffected = 0;
    m_lastError.clear();
    ConnectionImpl& conn = m_connection->Impl();
    conn.CheckSchemaVersion();

    std::string err;
    if (type == adCmdTable || type == adCmdTableDirect) {
        std::string table = trimmed(sql);
        if (table.size() >= 2 && table.front() == '[' && table.back() == ']') {
            table = table.substr(1, table.size() - 2);
        }
        if (table.empty() || conn.Columns(table) == nullptr) {
            m_lastError = "no such table: " + table;
            return 0;
        }
        if (!runStatement(conn.db, "select * from " + tabula::detail::QuoteIdent(table), m_result.get(), nullptr,
                          err)) {
            m_lastError = err;
            return 0;
        }
        m_result->sourceTable = table;
    } else {
        tabula::SqlDialect dialect(&conn);
        tabula::Translation tr = dialect.Translate(sql);
        if (!tr.ok) {
            m_lastError = tr.error;
            return 0;
        }
        bool run = true;
        if (tr.condition) {
            ResultSet probe;
            if (!runStatement(conn.db, *tr.condition, &probe, nullptr, err)) {
                m_lastError = err;
                return 0;
            }
            run = (probe.RowCount() > 0) != tr.conditionNegated;
        }
        if (run) {
            for (const auto& statement : tr.statements) {
                if (!runStatement(conn.db, statement, m_result.get(), &m_rowsAffected, err)) {
                    m_lastError = err;
                    if (tr.changesSchema) {
                        conn.InvalidateSchema();
                    }
                    return 0;
                }
            }
        }
        if (tr.changesSchema) {
            conn.InvalidateSchema();
        }
        if (tr.kind == tabula::StatementKind::Select) {
            m_result->sourceTable = tr.table;
        }
    }
    m_open = 1;
    m_fieldCount = static_cast<long>(m_result->ColumnCount());
    m_result->pos = m_result->RowCount() > 0 ? 0 : static_cast<long>(m_result->RowCount());
    return 1;
}

int CVORecordset::Close()
{
    if (!m_result) {
        return 0;
    }
    if (!m_open) {
        return 1;
    }
    m_result = std::make_shared<ResultSet>();
    m_fieldCount = 0;
    m_open = 0;
    return 1;
}

int CVORecordset::IsOpen() const { return m_open; }

bool CVORecordset::hasRow() const
{
    return m_open && m_result && m_result->pos >= 0 && static_cast<std::size_t>(m_result->pos) < m_result->RowCount();
}

int CVORecordset::IsEOF() const
{
    if (!m_result) {
        return 0;
    }
    if (!m_open) {
        return 1;
    }
    return static_cast<std::size_t>(std::max(m_result->pos, 0L)) >= m_result->RowCount() ? 1 : 0;
}

int CVORecordset::IsBOF() const
{
    if (!m_result || !m_open) {
        return 0;
    }
    return (m_result->pos < 0 || m_result->RowCount() == 0) ? 1 : 0;
}

int CVORecordset::MoveFirst()
{
    if (!m_open || !m_result) {
        return 0;
    }
    m_result->pos = m_result->RowCount() > 0 ? 0 : 0;
    return 1;
}

int CVORecordset::MoveLast()
{
    if (!m_open || !m_result || m_result->RowCount() == 0) {
        return 0;
    }
    m_result->pos = static_cast<long>(m_result->RowCount()) - 1;
    return 1;
}

int CVORecordset::MoveNext()
{
    if (!m_open || !m_result) {
        return 0;
    }
    const long rows = static_cast<long>(m_result->RowCount());
    if (m_result->pos >= rows) {
        return 0; // already past the end
    }
    ++m_result->pos;
    return 1;
}

int CVORecordset::MovePrevious()
{
    if (!m_open || !m_result) {
        return 0;
    }
    if (m_result->pos < 0) {
        return 0; // already before the start
    }
    const long rows = static_cast<long>(m_result->RowCount());
    if (m_result->pos > rows) {
        m_result->pos = rows;
    }
    --m_result->pos;
    return 1;
}

long CVORecordset::getRSRecordCount()
{
    if (!m_open || !m_result) {
        return 0;
    }
    return static_cast<long>(m_result->RowCount());
}

long CVORecordset::GetFieldCount() const { return m_fieldCount; }

long CVORecordset::GetRowsAffected() const { return m_rowsAffected; }

const CVOField* CVORecordset::GetField(long index)
{
    if (!m_open || index < 0 || index >= m_fieldCount) {
        return nullptr;
    }
    m_lastField.Name = m_result->names[static_cast<std::size_t>(index)];
    m_lastField.Value = GetFieldValue(index);
    return &m_lastField;
}

std::string CVORecordset::GetFieldName(long index) const
{
    if (!m_open || index < 0 || index >= m_fieldCount) {
        return {};
    }
    return m_result->names[static_cast<std::size_t>(index)];
}

Variant CVORecordset::GetFieldValue(long index) const
{
    if (!hasRow() || index < 0 || index >= m_fieldCount) {
        return {};
    }
    return m_result->Get(static_cast<std::size_t>(m_result->pos), static_cast<std::size_t>(index));
}

std::string CVORecordset::GetFieldValueString(long index) const { return GetFieldValue(index).ToString(); }

void CVORecordset::FillFieldValueString(long index, std::string& out) const { out = GetFieldValue(index).ToString(); }

int CVORecordset::Initialize() { return 1; }

int CVORecordset::BeginTrans() { return m_connection ? m_connection->BeginTrans() : 0; }

int CVORecordset::CommitTrans() { return m_connection ? m_connection->CommitTrans() : 0; }

int CVORecordset::RollbackTrans() { return m_connection ? m_connection->RollbackTrans() : 0; }
