#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tabula {

struct ColumnInfo {
    std::string name;
    std::string declType; // as declared at CREATE time (e.g. "datetime", "nvarchar(50)")
};

// What the translator may know about the tables a statement names.
class ISchemaInfo {
public:
    virtual ~ISchemaInfo() = default;
    // Columns of the table in declared order, or null when the table is unknown.
    virtual const std::vector<ColumnInfo>* Columns(const std::string& table) const = 0;
};

enum class StatementKind { Select, Insert, Update, Delete, Create, Alter, Drop, Other };

// The SQLite form of one statement of the server dialect.
struct Translation {
    bool ok = false;
    std::string error; // why it could not be translated
    StatementKind kind = StatementKind::Other;
    bool changesSchema = false; // CREATE / ALTER / DROP
    std::string table;          // target table of insert/update/delete/create/drop/alter
    // When set, the statements run only if this query returns a row
    // (conditionNegated: only if it returns none).
    std::optional<std::string> condition;
    bool conditionNegated = false;
    std::vector<std::string> statements;
};

// Translates statements written for the server dialect into SQLite. Works on
// tokens, never inside string literals. With schema information it also puts
// date literals written into or compared with datetime columns into the one
// stored form, and turns '+' between text operands into concatenation.
//
// Functions it relies on (zev_datepart, zev_convert, zev_datediff,
// zev_dateadd, zev_getdate, zev_datetime, zev_charindex, zev_isdate) are
// registered on every connection by RegisterFunctions.
class SqlDialect {
public:
    explicit SqlDialect(const ISchemaInfo* schema = nullptr) : m_schema(schema) {}

    Translation Translate(const std::string& sql) const;

    // 'YYYY-MM-DD HH:MM:SS' for a date/time text in any accepted form
    // (m/d/yyyy [h:m[:s] [AM|PM]] with blank-padded fields, yyyy-mm-dd[ T]h:m:s[.fff],
    // yyyymmdd), or nothing when the text is not a date.
    static std::optional<std::string> CanonicalDateTime(const std::string& text);
    static bool IsDateTimeType(const std::string& declType);
    static bool IsTextType(const std::string& declType);
    static bool IsNumericType(const std::string& declType);

    // Registers the helper SQL functions on a connection (sqlite3*).
    static void RegisterFunctions(void* sqliteHandle);

private:
    const ISchemaInfo* m_schema;
};

} // namespace tabula
