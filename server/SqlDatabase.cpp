#include "server/SqlDatabase.h"

namespace zev::server {

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw SqlError(what + ": " + (db ? sqlite3_errmsg(db) : "no connection"));
}

} // namespace

SqlDatabase::SqlDatabase(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqlError("cannot open " + path + ": " + message);
    }
    // Several request threads and the demo generator share the file.
    sqlite3_busy_timeout(db_, 10000);
    Exec("PRAGMA foreign_keys = ON");
}

SqlDatabase::~SqlDatabase() {
    sqlite3_close(db_);
}

void SqlDatabase::Exec(const std::string& sql) {
    std::string error;
    if (!TryExec(sql, &error))
        throw SqlError(error + " in: " + sql.substr(0, 200));
}

bool SqlDatabase::TryExec(const std::string& sql, std::string* error) {
    char* message = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK && error)
        *error = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

SqlStatement SqlDatabase::Prepare(const std::string& sql) {
    return SqlStatement(db_, sql);
}

std::int64_t SqlDatabase::LastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int SqlDatabase::Changes() const {
    return sqlite3_changes(db_);
}

bool SqlDatabase::TableExists(const std::string& name) {
    auto stmt = Prepare("select 1 from sqlite_master where type = 'table' and name = ? collate nocase");
    stmt.Bind(1, name);
    return stmt.Step();
}

std::vector<std::string> SqlDatabase::Columns(const std::string& table) {
    std::vector<std::string> names;
    auto stmt = Prepare("select name from pragma_table_info(?) order by cid");
    stmt.Bind(1, table);
    while (stmt.Step())
        names.push_back(stmt.Text(0));
    return names;
}

SqlStatement::SqlStatement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        Fail(db, "prepare failed for " + sql.substr(0, 200));
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(stmt_);
}

SqlStatement::SqlStatement(SqlStatement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

SqlStatement& SqlStatement::Bind(int index, const std::string& value) {
    if (sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, const char* value) {
    return Bind(index, std::string(value));
}

SqlStatement& SqlStatement::Bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, double value) {
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqlStatement& SqlStatement::BindNull(int index) {
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, const std::optional<std::string>& value) {
    return value ? Bind(index, *value) : BindNull(index);
}

bool SqlStatement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    Fail(db_, "step");
}

void SqlStatement::Run() {
    while (Step()) {
    }
    Reset();
}

void SqlStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int SqlStatement::ColumnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string SqlStatement::ColumnName(int index) const {
    const char* name = sqlite3_column_name(stmt_, index);
    return name ? name : "";
}

bool SqlStatement::IsNull(int index) const {
    return sqlite3_column_type(stmt_, index) == SQLITE_NULL;
}

std::string SqlStatement::Text(int index) const {
    const unsigned char* text = sqlite3_column_text(stmt_, index);
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<size_t>(sqlite3_column_bytes(stmt_, index)));
}

std::int64_t SqlStatement::Int(int index) const {
    return sqlite3_column_int64(stmt_, index);
}

double SqlStatement::Double(int index) const {
    return sqlite3_column_double(stmt_, index);
}

int SqlStatement::Type(int index) const {
    return sqlite3_column_type(stmt_, index);
}

SqlTransaction::SqlTransaction(SqlDatabase& db) : db_(db) {
    db_.Exec("BEGIN IMMEDIATE");
}

SqlTransaction::~SqlTransaction() {
    if (!done_)
        db_.TryExec("ROLLBACK");
}

void SqlTransaction::Commit() {
    db_.Exec("COMMIT");
    done_ = true;
}

std::string SqlQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

std::string SqlIdent(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

} // namespace zev::server
