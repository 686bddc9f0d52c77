#include "tabula/CVOConnection.h"

#include "tabula/ConnectionImpl.h"
#include "tabula/DBLib.h"
#include "tabula/TabulaError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>

using tabula::detail::ConnectionImpl;

namespace {

std::string trim(const std::string& s)
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

std::string CVOConnection::ResolvePath(const std::string& connectionString)
{
    std::string database;
    std::size_t start = 0;
    while (start <= connectionString.size()) {
        std::size_t end = connectionString.find(';', start);
        if (end == std::string::npos) {
            end = connectionString.size();
        }
        std::string part = connectionString.substr(start, end - start);
        std::size_t eq = part.find('=');
        if (eq != std::string::npos) {
            std::string key = tabula::detail::ToLower(trim(part.substr(0, eq)));
            std::string value = trim(part.substr(eq + 1));
            if (key == "data source") {
                return value;
            }
            if (key == "database") {
                database = value;
            }
        }
        start = end + 1;
    }
    if (database.empty()) {
        throw TabulaError("connection string names no database: " + connectionString);
    }
    if (database.find('/') != std::string::npos || database == "." || database == "..") {
        throw TabulaError("invalid database name: " + database);
    }
    std::string folder = DBLib::GetDatabaseFolder();
    if (folder.empty()) {
        throw TabulaError("no database folder set for database " + database);
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder + database + ".db";
}

CVOConnection::CVOConnection(const std::string& connectionString) : m_impl(std::make_unique<ConnectionImpl>())
{
    m_impl->path = ResolvePath(connectionString);
    // A new database file is owner-only (its journal files take the same
    // mode); it holds the representative's customers and orders.
    if (int fd = ::open(m_impl->path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); fd >= 0)
        ::close(fd);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(m_impl->path.c_str(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    m_impl->db = db;
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        throw TabulaError("cannot open database " + m_impl->path + ": " + msg);
    }
    sqlite3_extended_result_codes(db, 1);
    // A second connection (a worker thread's) waits for a writer instead of
    // failing at once.
    sqlite3_busy_timeout(db, 5000);
    std::string err;
    // WAL with full sync: a committed transaction survives a killed process
    // and a power cut, and readers on other connections never block the writer.
    if (!m_impl->Exec("PRAGMA journal_mode=WAL", &err) || !m_impl->Exec("PRAGMA synchronous=FULL", &err) ||
        !m_impl->Exec("PRAGMA foreign_keys=OFF", &err)) {
        throw TabulaError("cannot open database " + m_impl->path + ": " + err);
    }
    // Reading the schema proves the file is a database.
    if (!m_impl->Exec("select count(*) from sqlite_master", &err)) {
        throw TabulaError("cannot open database " + m_impl->path + ": " + err);
    }
    tabula::SqlDialect::RegisterFunctions(db);
}

CVOConnection::~CVOConnection() = default;

const std::string& CVOConnection::GetPath() const { return m_impl->path; }

sqlite3* CVOConnection::GetHandle() const { return m_impl->db; }

int CVOConnection::GetTransactionDepth() const { return m_impl->depth; }

bool CVOConnection::IsTransactionDoomed() const { return m_impl->doomed; }

int CVOConnection::BeginTrans()
{
    auto& s = *m_impl;
    if (s.depth == 0) {
        if (!s.Exec("BEGIN IMMEDIATE")) {
            return 0;
        }
        s.doomed = false;
    }
    ++s.depth;
    return 1;
}

int CVOConnection::CommitTrans()
{
    auto& s = *m_impl;
    if (s.depth == 0) {
        return 0;
    }
    // SQLite ends a transaction by itself after some errors (disk full, I/O);
    // the bracket's work is then lost and must not be reported as committed.
    if (sqlite3_get_autocommit(s.db) != 0) {
        s.doomed = true;
    }
    if (s.depth > 1) {
        --s.depth;
        return s.doomed ? 0 : 1;
    }
    s.depth = 0;
    if (s.doomed) {
        s.doomed = false;
        if (sqlite3_get_autocommit(s.db) == 0) {
            s.Exec("ROLLBACK");
        }
        return 0;
    }
    if (!s.Exec("COMMIT")) {
        if (sqlite3_get_autocommit(s.db) == 0) {
            s.Exec("ROLLBACK");
        }
        return 0;
    }
    return 1;
}

int CVOConnection::RollbackTrans()
{
    auto& s = *m_impl;
    if (s.depth == 0) {
        return 0;
    }
    if (s.depth > 1) {
        if (!s.doomed) {
            if (sqlite3_get_autocommit(s.db) == 0) {
                s.Exec("ROLLBACK");
            }
            // Work of the rest of the bracket goes into a transaction that
            // the outermost commit discards.
            s.Exec("BEGIN IMMEDIATE");
            s.doomed = true;
        }
        --s.depth;
        return 1;
    }
    s.depth = 0;
    s.doomed = false;
    if (sqlite3_get_autocommit(s.db) == 0) {
        return s.Exec("ROLLBACK") ? 1 : 0;
    }
    return 1;
}
