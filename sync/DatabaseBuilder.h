#pragma once

#include "base/SchemaFile.h"
#include "sync/SyncEngine.h"

#include <string>

namespace zev::sync {

// Result codes of ApplyTableFile besides the row count.
enum ApplyResult {
    kApplyFailed = -1,     // more than 10 rows failed or the file was more than 10 rows short
    kApplyHtml = -99,      // an HTML page instead of a table
    kApplyBadHeader = -98, // another table than asked for, or a column line or count that does not fit
    kApplyServerError = -10000,
    kApplyRebuildFailed = -10001,
    kApplyEmptyName = -99999,
};

// kModeReplaceByKey: a stamped download; a row replaces the local row with
// the same primary key (when the schema declares one).
// The local-only table recording orders whose sending started; the program
// creates it, the schema file does not know it.
inline constexpr const char* kOrderSendStateCreate =
    "CREATE TABLE OrderSendState (ReadyID int NOT NULL, Started datetime)";

enum ApplyMode { kModeInsert = 0, kModeReplaceByKey = 1, kModeInventory = 2 };

// Builds the local database from the schema file and applies downloaded
// tables to it.
class DatabaseBuilder {
public:
    explicit DatabaseBuilder(SyncEngine& engine);

    std::string SchemaPath() const;
    SchemaFile Schema() const { return SchemaFile(SchemaPath()); }
    // GENERAL/DLTEMPDIR mapped to this machine; kept table downloads live there.
    std::string DownloadFolder() const;
    std::string KeptTableFile(const std::string& table) const;

    // 0 success, -1 schema missing or an "ALL" rebuild stopped, -2 the create
    // statement or the last key statement failed.
    int RebuildTable(const std::string& name);
    // The same; with deferredIndexes, the table's plain indexes (not keys,
    // not unique) are not built but handed back in order, for the caller to
    // build once the rows are in; the result then judges the statements run.
    int RebuildTable(const std::string& name, std::vector<std::string>* deferredIndexes);
    int CreateDatabase(IProgressSink* window);
    // Columns of the table's key as the schema file declares it (a primary
    // key, else the first unique index); empty when it declares none.
    std::vector<std::string> KeyColumns(const std::string& table) const;
    // 0 when every table can be read and Items, Accounts, PricingScheme hold rows.
    int CheckDatabase();
    // The tables a complete update downloads: TableNames without LocalOnly.
    std::vector<std::string> DownloadedTables() const;
    // Whether every downloaded table arrived whole: no run is marked as
    // broken off (RestoreOnOpen, LastRenewTable) and every downloaded table
    // has the stamp a finished download writes. Each finding is added to
    // `problems`; true when there is none. Reads the profile only.
    bool DownloadsComplete(std::vector<std::string>& problems) const;
    // Rows really stored, or an ApplyResult code. With expectedTable set, a
    // file naming another table is refused. The header (name, column line,
    // count) is judged before the table is rebuilt, so a refused file
    // destroys nothing.
    int ApplyTableFile(const std::string& path, int mode, bool rebuildFirst, const std::string& expectedTable = {});

    // What the last ApplyTableFile found, for the messages of a failed run.
    struct ApplyOutcome {
        std::string table;
        int announced = -1; // the count of line 3, -1 when not read
        int received = 0;   // rows read with the right number of values
        int failedRows = 0;
        std::string problem; // empty when nothing went wrong
    };
    const ApplyOutcome& LastApply() const { return m_last; }
    // 0 applied, 1 arrived but not applied, -1 the exchange failed.
    int GrabTables(const std::string& names, int mode, bool useStamp);
    // Mode 1: rows applied; mode 2: 0 (file kept); -1 on any failure.
    int GrabTableForManager(const std::string& name, int mode);
    // Its parts, for a run that fetches the next table while it applies
    // this one: the request path; the request into the reply file (with
    // `announce`, the "Waiting for" step first), false when the exchange
    // failed; and the application of a reply in `replyPath` as mode 1 does
    // it (rows applied, stamp moved), or -1.
    std::string ManagerTablePath(const std::string& name) const;
    bool FetchManagerTable(const std::string& name, bool announce = true);
    int ApplyManagerReply(const std::string& name, const std::string& replyPath);

    // Ready orders survive anything the program does to the database file
    // unless the user agreed to lose them: taken before a rebuild or restore,
    // put back afterwards where missing.
    struct KeptOrders {
        std::vector<std::string> orderColumns, itemColumns;
        Rows orders, items;
        Rows sendStates; // ReadyID, Started of orders whose sending outcome is unknown
    };
    KeptOrders KeepReadyOrders();
    void PutBackReadyOrders(const KeptOrders& kept);

private:
    SyncEngine& m_e;
    ApplyOutcome m_last;
};

} // namespace zev::sync
