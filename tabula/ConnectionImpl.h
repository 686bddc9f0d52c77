#pragma once

#include "tabula/SqlDialect.h"

#include <sqlite3.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tabula::detail {

// How AddNew converts a value for its column.
enum class ColumnKind : unsigned char { Other, Text, Numeric, DateTime };

// A prepared insert kept for one (table, field list).
struct CachedInsert {
    sqlite3_stmt* stmt = nullptr;
    std::vector<ColumnKind> kinds;
};

// State of one open database: the handle, the shared transaction, the
// declared column types (cached, dropped on any schema change) and the
// prepared inserts of AddNew.
struct ConnectionImpl final : ISchemaInfo {
    sqlite3* db = nullptr;
    std::string path;
    int depth = 0;
    bool doomed = false;
    // Bumped whenever cached statements are dropped, so holders of a cached
    // insert can tell theirs is gone.
    unsigned generation = 0;

    ~ConnectionImpl() override;

    const std::vector<ColumnInfo>* Columns(const std::string& table) const override;
    void InvalidateSchema();
    // Drops the caches when the schema changed, also through another
    // connection (a rebuild on a second connection of the process).
    void CheckSchemaVersion();

    // Runs a statement without a result; fills err on failure.
    bool Exec(const char* sql, std::string* err = nullptr);

    CachedInsert* InsertFor(const std::string& table, const std::vector<std::string>& fields, std::string* err);

    static ColumnKind KindOf(const std::string& declType);

private:
    sqlite3_stmt* m_versionStmt = nullptr;
    long long m_schemaVersion = -1;
    mutable std::unordered_map<std::string, std::unique_ptr<std::vector<ColumnInfo>>> m_schema;
    std::unordered_map<std::string, CachedInsert> m_inserts;
};

std::string ToLower(std::string s);
bool IEquals(const std::string& a, const std::string& b);
std::string QuoteIdent(const std::string& name);

} // namespace tabula::detail
