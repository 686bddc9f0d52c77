#pragma once

#include "sync/SyncPorts.h"
#include "tabula/Variant.h"

#include <memory>
#include <string>

class Query;
namespace tabula {
class Statement;
}

namespace zev::sync {

// The built-in connection string of the program (pool 0).
inline constexpr const char* kConnectionString = "driver={sql server};server=(local);Database=master;UID=sa;PWD=kq7z;";

// The local database through the database library: pool 0, plain queries
// without table, statements in the program's dialect.
class TabulaSyncDb final : public ISyncDb {
public:
    explicit TabulaSyncDb(std::string connectionString = kConnectionString);
    ~TabulaSyncDb() override;

    bool OpenAdmin() override;
    bool Exec(const std::string& sql) override;
    bool Select(const std::string& sql, Rows& rows, std::vector<std::string>* columns = nullptr) override;
    bool Insert(const std::string& table, const std::vector<std::string>& columns, const Row& values) override;
    bool ExecBound(const std::string& sql, const Row& params) override;
    std::vector<std::string> Columns(const std::string& table) override;
    bool Begin() override;
    bool Commit() override;
    bool Rollback() override;
    void BeginBulkLoad() override;
    [[nodiscard]] bool EndBulkLoad() override;
    void CloseAll() override;

    // Path of the database file behind pool 0.
    std::string DatabaseFile();

private:
    Query& Scratch();

    std::string m_connection;
    std::unique_ptr<Query> m_scratch;
    // Also drops the prepared bound statement: it must not outlive a
    // change of the tables or the connection.
    void FinishInsert();

    // The table being filled: a recordset opened on it (the library keeps
    // the prepared insert behind AddNew) and the field list it was opened for.
    std::unique_ptr<Query> m_target;
    std::string m_insertTable;
    std::vector<std::string> m_insertColumns;

    // Applied again whenever the connection is opened during a bulk load.
    bool m_bulk = false;
    void ApplyBulkSettings();

    std::unique_ptr<tabula::Statement> m_bound;
    std::string m_boundSql;
};

} // namespace zev::sync
