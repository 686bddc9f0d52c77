#include "tabula/ConnectionImpl.h"

#include <algorithm>
#include <cctype>

namespace tabula::detail {

std::string ToLower(std::string s)
{
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

bool IEquals(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string QuoteIdent(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

ConnectionImpl::~ConnectionImpl()
{
    for (auto& entry : m_inserts) {
        sqlite3_finalize(entry.second.stmt);
    }
    sqlite3_finalize(m_versionStmt);
    if (db != nullptr) {
        // An open transaction is rolled back by the close.
        sqlite3_close_v2(db);
    }
}

const std::vector<ColumnInfo>* ConnectionImpl::Columns(const std::string& table) const
{
    std::string key = ToLower(table);
    auto it = m_schema.find(key);
    if (it != m_schema.end()) {
        return it->second.get();
    }
    std::unique_ptr<std::vector<ColumnInfo>> cols;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "select name, type from pragma_table_info(?1)", -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            if (!cols) {
                cols = std::make_unique<std::vector<ColumnInfo>>();
            }
            const auto* n = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
            cols->push_back({n ? n : "", t ? t : ""});
        }
    }
    sqlite3_finalize(stmt);
    auto* result = cols.get();
    m_schema[key] = std::move(cols); // unknown tables are remembered too, until the next schema change
    return result;
}

void ConnectionImpl::InvalidateSchema()
{
    ++generation;
    m_schema.clear();
    for (auto& entry : m_inserts) {
        sqlite3_finalize(entry.second.stmt);
    }
    m_inserts.clear();
}

void ConnectionImpl::CheckSchemaVersion()
{
    if (m_versionStmt == nullptr &&
        sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &m_versionStmt, nullptr) != SQLITE_OK) {
        return;
    }
    long long version = -1;
    if (sqlite3_step(m_versionStmt) == SQLITE_ROW) {
        version = sqlite3_column_int64(m_versionStmt, 0);
    }
    sqlite3_reset(m_versionStmt);
    if (version != m_schemaVersion) {
        if (m_schemaVersion != -1) {
            // A statement on the schema table makes SQLite reload its own
            // copy of the schema, which the table_info pragma reads.
            Exec("select count(*) from sqlite_master");
            InvalidateSchema();
        }
        m_schemaVersion = version;
    }
}

bool ConnectionImpl::Exec(const char* sql, std::string* err)
{
    char* msg = nullptr;
    int rc = sqlite3_exec(db, sql, nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        if (err != nullptr) {
            *err = msg ? msg : sqlite3_errstr(rc);
        }
        sqlite3_free(msg);
        return false;
    }
    return true;
}

ColumnKind ConnectionImpl::KindOf(const std::string& declType)
{
    if (SqlDialect::IsDateTimeType(declType)) {
        return ColumnKind::DateTime;
    }
    if (SqlDialect::IsNumericType(declType)) {
        return ColumnKind::Numeric;
    }
    if (SqlDialect::IsTextType(declType)) {
        return ColumnKind::Text;
    }
    return ColumnKind::Other;
}

CachedInsert* ConnectionImpl::InsertFor(const std::string& table, const std::vector<std::string>& fields,
                                        std::string* err)
{
    std::string key;
    key.reserve(table.size() + fields.size() * 16);
    auto add = [&key](const std::string& s) {
        for (char c : s) {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    };
    add(table);
    for (const auto& f : fields) {
        key += '\x1f';
        add(f);
    }
    auto it = m_inserts.find(key);
    if (it != m_inserts.end()) {
        return &it->second;
    }
    const auto* cols = Columns(table);
    if (cols == nullptr) {
        if (err) {
            *err = "no such table: " + table;
        }
        return nullptr;
    }
    CachedInsert entry;
    std::string sql = "INSERT INTO " + QuoteIdent(table) + " (";
    std::string marks;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ColumnInfo* col = nullptr;
        for (const auto& c : *cols) {
            if (IEquals(c.name, fields[i])) {
                col = &c;
                break;
            }
        }
        if (col == nullptr) {
            if (err) {
                *err = "no such column: " + fields[i];
            }
            return nullptr;
        }
        entry.kinds.push_back(KindOf(col->declType));
        if (i > 0) {
            sql += ",";
            marks += ",";
        }
        sql += QuoteIdent(col->name);
        marks += "?";
    }
    sql += ") VALUES (" + marks + ")";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &entry.stmt, nullptr) != SQLITE_OK) {
        if (err) {
            *err = sqlite3_errmsg(db);
        }
        sqlite3_finalize(entry.stmt);
        return nullptr;
    }
    return &m_inserts.emplace(std::move(key), std::move(entry)).first->second;
}

} // namespace tabula::detail
