#include "sync/TabulaSyncDb.h"

#include "tabula/Statement.h"
#include "tabula/Tabula.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <strings.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

namespace zev::sync {

TabulaSyncDb::TabulaSyncDb(std::string connectionString) : m_connection(std::move(connectionString)) {}

TabulaSyncDb::~TabulaSyncDb()
{
    FinishInsert();
    m_scratch.reset();
}

bool TabulaSyncDb::OpenAdmin()
{
    try {
        bool fresh = QueryPool::GetInstance(0) == nullptr;
        bool ok = QueryPool::GetInstance(m_connection, 0) != nullptr;
        if (ok && fresh && m_bulk)
            ApplyBulkSettings();
        return ok;
    } catch (const TabulaError&) {
        return false;
    }
}

namespace {

sqlite3* SharedHandle()
{
    QueryPool* pool = QueryPool::GetInstance(0);
    CVOConnection* connection = pool ? pool->getLibrary()->getConnection() : nullptr;
    return connection ? connection->GetHandle() : nullptr;
}

} // namespace

// Commits are written to the log without waiting for the disk (the log
// keeps the file consistent; a lost commit is redone by the recovery the
// RestoreOnOpen mark calls for), and the page cache holds a large table's
// indexes so that inserts do not spill and re-read pages.
void TabulaSyncDb::ApplyBulkSettings()
{
    if (sqlite3* db = SharedHandle())
        (void)sqlite3_exec(db, "PRAGMA synchronous=NORMAL; PRAGMA cache_size=-131072", nullptr, nullptr, nullptr);
}

void TabulaSyncDb::BeginBulkLoad()
{
    m_bulk = true;
    OpenAdmin();
    ApplyBulkSettings();
}

bool TabulaSyncDb::EndBulkLoad()
{
    if (!m_bulk)
        return true;
    m_bulk = false;
    bool ok = true;
    if (QueryPool::GetInstance(0) != nullptr) {
        // Back to a synced commit per transaction.
        sqlite3* db = SharedHandle();
        ok = db && sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA cache_size=-2000", nullptr, nullptr, nullptr) ==
                       SQLITE_OK;
    }
    // Commits made meanwhile were written but not synced: the log and the
    // file are forced to the disk whoever else holds the database open.
    const std::string file = DatabaseFile();
    for (const std::string& path : {file + "-wal", file}) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            ok = ok && errno == ENOENT;
            continue;
        }
        ok = ::fsync(fd) == 0 && ok;
        ::close(fd);
    }
    return ok;
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
    if (strncasecmp(sql.c_str(), "select", 6) != 0)
        FinishInsert();
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
        if (!rs->Open(sql, adOpenStatic, adLockReadOnly, adCmdText))
            return false;
        long n = rs->GetFieldCount();
        if (columns) {
            columns->clear();
            for (long i = 0; i < n; ++i)
                columns->push_back(rs->GetFieldName(i));
        }
        while (!rs->IsEOF()) {
            Row r;
            r.reserve(static_cast<size_t>(n));
            for (long i = 0; i < n; ++i)
                r.push_back(rs->GetFieldValueString(i));
            rows.push_back(std::move(r));
            if (!rs->MoveNext())
                break;
        }
        rs->Close();
        return true;
    } catch (const TabulaError&) {
        return false;
    }
}

namespace {

bool IsPlainName(const std::string& s)
{
    if (s.empty())
        return false;
    for (unsigned char c : s)
        if (!std::isalnum(c) && c != '_')
            return false;
    return true;
}

} // namespace

bool TabulaSyncDb::Insert(const std::string& table, const std::vector<std::string>& columns, const Row& values)
{
    if (columns.size() != values.size() || columns.empty())
        return false;
    try {
        if (!m_target || m_insertTable != table || m_insertColumns != columns) {
            FinishInsert();
            if (!IsPlainName(table))
                return false;
            OpenAdmin();
            // A blank number is stored as 0 by the database library, as for
            // every blank number (a blank DeletedFlag is a live item); a
            // blank date stays null, as the readers expect (a price row
            // without an end date is open-ended, not ended in 1900).
            m_target = std::make_unique<Query>("", "", 0);
            // An empty result on the table: only AddNew is needed, not the
            // rows already there.
            if (!m_target->getRS()->Open("select * from " + table + " where 1=0", adOpenStatic, adLockOptimistic,
                                         adCmdText)) {
                FinishInsert();
                return false;
            }
            m_insertTable = table;
            m_insertColumns = columns;
        }
        long code = 0;
        // Bound straight from the line's texts: no copy per value.
        return m_target->getRS()->AddNewText(m_insertColumns, values, true, &code) != 0;
    } catch (const TabulaError&) {
        return false;
    }
}

void TabulaSyncDb::FinishInsert()
{
    m_bound.reset();
    m_boundSql.clear();
    m_target.reset();
    m_insertTable.clear();
    m_insertColumns.clear();
}

// The one statement with bound values (the inventory update, whose values
// come from the server) is prepared once per text and run for every row on
// the shared connection, inside its transaction.
bool TabulaSyncDb::ExecBound(const std::string& sql, const Row& params)
{
    try {
        if (!m_bound || m_boundSql != sql) {
            m_bound.reset();
            OpenAdmin();
            QueryPool* pool = QueryPool::GetInstance(0);
            CVOConnection* connection = pool ? pool->getLibrary()->getConnection() : nullptr;
            if (!connection)
                return false;
            m_bound = std::make_unique<tabula::Statement>(*connection, sql);
            m_boundSql = sql;
        }
        if (!m_bound->Ok())
            return false;
        for (size_t i = 0; i < params.size(); ++i) {
            if (!m_bound->Bind(static_cast<int>(i + 1), params[i])) {
                m_bound->Reset();
                return false;
            }
        }
        return m_bound->Run();
    } catch (const TabulaError&) {
        return false;
    }
}

std::vector<std::string> TabulaSyncDb::Columns(const std::string& table)
{
    std::vector<std::string> out;
    if (!IsPlainName(table))
        return out;
    Rows rows;
    if (!Select("select * from " + table + " where 1=0", rows, &out))
        out.clear();
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
    if (!pool || !pool->getLibrary()->isConnected())
        return false;
    FinishInsert();
    return pool->getLibrary()->getConnection()->CommitTrans() != 0;
}

bool TabulaSyncDb::Rollback()
{
    QueryPool* pool = QueryPool::GetInstance(0);
    if (!pool || !pool->getLibrary()->isConnected())
        return false;
    FinishInsert();
    return pool->getLibrary()->getConnection()->RollbackTrans() != 0;
}

void TabulaSyncDb::CloseAll()
{
    // No table object may outlive the pool's recordsets.
    FinishInsert();
    m_scratch.reset();
    if (QueryPool* pool = QueryPool::GetInstance(0))
        pool->removeAll();
}

std::string TabulaSyncDb::DatabaseFile() { return CVOConnection::ResolvePath(m_connection); }

} // namespace zev::sync
