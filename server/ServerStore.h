#pragma once

#include "server/SqlDatabase.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zev {
class SchemaFile;
} // namespace zev

namespace zev::server {

class TableWriter;

struct ReceivedOrder;
struct UploadField;

// One table as served by grabdata: its name, its column names and its rows as texts.
struct TableData {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// The select behind one table of a grabdata reply: made under the store's
// lock, it can be run on any connection to the same file. Every parameter is
// a text, bound in order.
struct TableQuery {
    std::string name;
    std::vector<std::string> columns;
    std::string sql;
    std::vector<std::string> binds;
};

struct ServerUser {
    std::string id;
    std::string name;
    bool isManager = false;
};

// The reference server's database (server.db): the distributor's master tables, created from the
// schema file, plus the server's own tables (users, received orders, uploads).
//
// Every master table gets two columns of the server's own: zev_rep (the representative a row belongs
// to; NULL = every representative) and zev_stamp (local time of the row's last change, kept by
// triggers), which decide what grabdata sends. They are never sent.
//
// All public operations are serialised by one mutex; Db() gives the raw connection to single-threaded
// tools (the demo generator) and tests.
class ServerStore {
public:
    explicit ServerStore(const std::string& path);

    // Creates every table of the schema that does not exist yet, with its key statements.
    // Statements that fail are reported in `problems` (one line each) and do not stop the others.
    void CreateMasterTables(const SchemaFile& schema, std::vector<std::string>* problems = nullptr);
    // Adds the ownership and stamp columns and triggers to a master table created by other means.
    void AdoptMasterTable(const std::string& table);
    bool IsMasterTable(const std::string& table);

    // Users: representatives and managers, with the digest the program sends as P.
    void AddUser(const std::string& id, const std::string& digest, const std::string& name, bool isManager);
    void SetManagedRep(const std::string& managerId, const std::string& repId);
    // The user when the digest matches (compared without regard to case), else nothing.
    std::optional<ServerUser> Authenticate(const std::string& id, const std::string& digest);
    bool ChangeDigest(const std::string& id, const std::string& oldDigest, const std::string& newDigest);
    // The representatives whose rows a request may see; error text when the manager does not fit.
    std::optional<std::vector<std::string>> Scope(const ServerUser& user, const std::string& managerId,
                                                  std::string* error);

    // Rows of a master table visible to the reps in scope, changed at or after `since` when given.
    // With `recentFrom` (a "YYYY-MM-DD" day) rows whose TransDate falls on or after that day are sent
    // as well, changed or not: the program deletes its last days of such tables before the download.
    TableData ReadTable(const std::string& table, const std::vector<std::string>& reps,
                        const std::optional<std::string>& since,
                        const std::optional<std::string>& recentFrom = std::nullopt);
    // "Inventory": ItemID and QtyOnHand of the items changed at or after `since` when given.
    TableData ReadInventory(const std::optional<std::string>& since);
    // The selects of the two above, to be written whole (WriteQuery) or run
    // elsewhere (a reply streamed on a connection of its own).
    TableQuery PlanTable(const std::string& table, const std::vector<std::string>& reps,
                         const std::optional<std::string>& since,
                         const std::optional<std::string>& recentFrom = std::nullopt);
    static TableQuery PlanInventory(const std::optional<std::string>& since);
    // A planned table written whole, on the store's connection.
    void WriteQuery(TableWriter& out, const TableQuery& query);
    // The database file, for another connection to it.
    const std::string& Path() const { return m_path; }

    // Stores an order and returns its number. An order already stored (same representative, account,
    // creation time and lines) is a resend whose first answer was lost: it is not stored again, its
    // first number is returned and `repeated` set.
    std::int64_t StoreOrder(const std::string& repId, const ReceivedOrder& order, const std::string& body,
                            const std::string& receivedAt, bool* repeated = nullptr);
    // Records an upload; messages and collections also change the master rows they concern.
    std::int64_t StoreUpload(const std::string& page, const std::string& repId, const std::string& body,
                             const std::vector<UploadField>& fields, const std::string& reply,
                             const std::string& receivedAt);

    std::mutex& Mutex() { return m_mutex; }
    SqlDatabase& Db() { return m_db; }

    static constexpr const char* kStampFormat = "%Y-%m-%d %H:%M:%S";

private:
    // Runs the table's (or the inventory's) select under the lock and hands
    // every row to `row`; returns the served column names.
    std::vector<std::string> ScanTable(const std::string& table, const std::vector<std::string>& reps,
                                       const std::optional<std::string>& since,
                                       const std::optional<std::string>& recentFrom,
                                       const std::function<void(const SqlStatement&)>& row);
    void ScanInventory(const std::optional<std::string>& since, const std::function<void(const SqlStatement&)>& row);
    TableQuery PlanTableLocked(const std::string& table, const std::vector<std::string>& reps,
                               const std::optional<std::string>& since, const std::optional<std::string>& recentFrom);
    void Scan(const TableQuery& query, const std::function<void(const SqlStatement&)>& row);
    void CreateOwnTables();
    void AdoptMasterTableLocked(const std::string& table);
    bool ExecSchemaStatement(const std::string& statement, std::string* error);
    void ApplyUpload(const std::string& page, const std::string& repId, const std::vector<UploadField>& fields,
                     const std::string& now);
    std::vector<std::string> ServedColumns(const std::string& table);

    std::string m_path;
    std::mutex m_mutex;
    SqlDatabase m_db;
};

// Makes a statement written for SQL Server acceptable to SQLite where the schema needs it
// (identity columns, bracketed owners, clustered keys, constraints added by ALTER TABLE).
// Returns an empty text for statements SQLite has no equivalent for (defaults added afterwards).
std::string SchemaStatementForSqlite(const std::string& statement);

} // namespace zev::server
