#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;
class CVOConnection;

namespace tabula {

class Database;

// What one step of a statement gave.
enum class StepResult { Row, Done, Error };

// The storage class of a column value in the current row.
enum class ValueType { Integer, Real, Text, Blob, Null };

// One prepared statement with values bound by position (1-based), for the
// places where a value must not be spliced into the text. Prepared once:
// a statement in the program's dialect is translated once, when it is
// prepared on a connection; a statement prepared on a `Database` is SQLite's
// own. Failures are results, never exceptions; the reason is in Error().
// Not copyable (it owns the SQLite statement); movable. It may outlive its
// connection (the connection is closed once the statement is finalized).
class Statement {
public:
    // The program's dialect, translated with the connection's schema. A
    // statement that translates into more than one, or runs only on a
    // condition, cannot be bound and fails here.
    Statement(CVOConnection& connection, const std::string& sql);
    // SQLite's own dialect on a plain database.
    Statement(Database& database, const std::string& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // False when the statement could not be prepared.
    [[nodiscard]] bool Ok() const { return m_stmt != nullptr; }
    [[nodiscard]] const std::string& Error() const { return m_error; }
    // The SQLite text that was prepared.
    [[nodiscard]] const std::string& Sql() const { return m_sql; }

    [[nodiscard]] bool Bind(int index, std::string_view text);
    [[nodiscard]] bool Bind(int index, const char* text) { return Bind(index, std::string_view(text)); }
    [[nodiscard]] bool Bind(int index, const std::string& text) { return Bind(index, std::string_view(text)); }
    [[nodiscard]] bool Bind(int index, std::int64_t value);
    [[nodiscard]] bool Bind(int index, int value) { return Bind(index, static_cast<std::int64_t>(value)); }
    [[nodiscard]] bool Bind(int index, double value);
    [[nodiscard]] bool BindNull(int index);

    // One step. On the program's connection the statement takes part in its
    // shared transaction like every other statement there.
    [[nodiscard]] StepResult Step();
    // Steps to the end (a statement without rows), then resets for the next
    // values; true when it ran.
    [[nodiscard]] bool Run();
    // Back to the start with every value unbound.
    void Reset();
    // Rows changed by the last Run of a data-change statement.
    [[nodiscard]] int Changes() const;

    [[nodiscard]] int ColumnCount() const;
    [[nodiscard]] std::string ColumnName(int index) const;
    [[nodiscard]] bool IsNull(int index) const;
    [[nodiscard]] std::string Text(int index) const;
    // The same without a copy; valid until the next step, reset or read of
    // the column in another form.
    [[nodiscard]] std::string_view TextView(int index) const;
    [[nodiscard]] std::int64_t Int(int index) const;
    [[nodiscard]] double Double(int index) const;
    [[nodiscard]] ValueType Type(int index) const;

private:
    void Prepare(sqlite3* db, const std::string& sql);
    bool Check(int rc, const char* what);
    void Release();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    std::string m_sql;
    std::string m_error;
};

} // namespace tabula
