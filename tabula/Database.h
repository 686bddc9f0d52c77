#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

namespace tabula {

class Statement;

// A database file opened by path on its own connection, in SQLite's own
// dialect, without the pool, the translation or the shared transaction of
// the program's connections: for the reference server and the readers that
// keep their own connection (the pricing library). Not copyable.
class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens (ReadWrite: creates) the file; Ok() tells whether it worked.
    // `busyMs` is how long a statement waits for another writer.
    Database(const std::string& path, Mode mode, int busyMs);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    [[nodiscard]] bool Ok() const { return m_db != nullptr; }
    [[nodiscard]] const std::string& Error() const { return m_error; }

    // Runs one or more statements without results; the reason of a failure
    // goes to `error`.
    [[nodiscard]] bool Exec(const std::string& sql, std::string* error = nullptr);
    [[nodiscard]] std::int64_t LastInsertId() const;
    [[nodiscard]] int Changes() const;
    [[nodiscard]] bool TableExists(const std::string& name);
    // Column names of a table in declared order (empty when there is none).
    [[nodiscard]] std::vector<std::string> Columns(const std::string& table);

    sqlite3* Handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    std::string m_error;
};

} // namespace tabula
