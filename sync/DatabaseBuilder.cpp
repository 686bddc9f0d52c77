#include "sync/DatabaseBuilder.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace zev::sync {

namespace {

// One line with the reader's limit: longer lines arrive in pieces, as a
// fixed-size line buffer gives them. The line end is removed.
bool ReadLimitedLine(std::FILE* f, std::string& line)
{
    char buf[9024];
    if (!std::fgets(buf, sizeof buf, f))
        return false;
    line.assign(buf);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return true;
}

bool IsIdentifier(const std::string& s)
{
    if (s.empty())
        return false;
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The announced row count: decimal digits only, no sign, within int.
bool ParseRowCount(const std::string& text, long long& n)
{
    if (text.empty() || text.size() > 9)
        return false;
    if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    n = std::stoll(text);
    return true;
}

// Empty when the column line may be applied to a table with these columns:
// at least one name, each a plain identifier, none twice, each a column of
// the table. Otherwise the first offending name (or a short reason).
std::string ColumnProblem(const std::vector<std::string>& columns, const std::vector<std::string>& target,
                          bool keyFirst)
{
    if (columns.empty())
        return "no columns";
    if (keyFirst && columns.size() < 2)
        return "no column to update";
    std::vector<std::string> known;
    for (const auto& c : target)
        known.push_back(Lower(c));
    std::vector<std::string> seen;
    for (const auto& c : columns) {
        if (!IsIdentifier(c))
            return c.empty() ? std::string("empty name") : c;
        std::string l = Lower(c);
        if (std::find(seen.begin(), seen.end(), l) != seen.end())
            return c;
        if (std::find(known.begin(), known.end(), l) == known.end())
            return c;
        seen.push_back(l);
    }
    return {};
}

} // namespace

DatabaseBuilder::DatabaseBuilder(SyncEngine& engine) : m_e(engine) {}

std::string DatabaseBuilder::SchemaPath() const
{
    std::string name = m_e.Ini("GENERAL", "SCHEMAFILE", "ZevSchema.ini");
    return (std::filesystem::path(m_e.Services().paths.programDir) / name).string();
}

std::string DatabaseBuilder::DownloadFolder() const { return m_e.MapPath(m_e.Ini("GENERAL", "DLTEMPDIR", "\\Temp")); }

std::string DatabaseBuilder::KeptTableFile(const std::string& table) const
{
    return (std::filesystem::path(DownloadFolder()) / (table + ".txt")).string();
}

int DatabaseBuilder::RebuildTable(const std::string& name) { return RebuildTable(name, nullptr); }

namespace {

// A plain index (not unique, not a key) changes no row's fate: it can be
// built once after a table's rows are in, which is much cheaper than keeping
// it up to date row by row.
bool IsPlainIndex(const std::string& statement)
{
    std::string t = TrimBlanks(statement);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return t.rfind("CREATE INDEX ", 0) == 0;
}

} // namespace

int DatabaseBuilder::RebuildTable(const std::string& name, std::vector<std::string>* deferredIndexes)
{
    SchemaFile schema = Schema();
    if (!schema.Exists())
        return -1;
    if (name == "ALL") {
        for (const std::string& t : SplitList(schema.Value("Database", "TableNames"))) {
            if (t.empty() || RebuildTable(t) != 0)
                return -1;
        }
        return 0;
    }
    ISyncDb& db = m_e.Db();
    m_e.ReportProgress("Truncating Table", 100, 10);
    (void)db.Exec(Format("DROP TABLE %s", name.c_str()));
    m_e.ReportProgress("Truncating Table", 100, 20);
    int keys = ToInt(schema.Value(name, "Keys", "0"));
    m_e.ReportProgress("Truncating Table", 100, 50);
    std::string create = schema.Value(name, "Schema");
    bool last = !create.empty() && db.Exec(create);
    m_e.ReportProgress("Truncating Table", 100, 80);
    if (!last) {
        m_e.LogSyncError(Format("Create Table Failed on %s", name.c_str()));
        m_e.LogSyncError(create);
    } else {
        for (int i = 1; i <= keys; ++i) {
            std::string key = schema.Value(name, Format("Key%d", i));
            if (deferredIndexes && IsPlainIndex(key)) {
                deferredIndexes->push_back(key);
                continue;
            }
            last = !key.empty() && db.Exec(key);
            if (!last) {
                m_e.LogSyncError(Format("Add Key Failed on %s", name.c_str()));
                m_e.LogSyncError(key);
            }
        }
    }
    m_e.ReportProgress("Truncating Table", 100, 100);
    return last ? 0 : -2;
}

std::vector<std::string> DatabaseBuilder::KeyColumns(const std::string& table) const
{
    SchemaFile schema = Schema();
    int keys = ToInt(schema.Value(table, "Keys", "0"));
    for (int i = 1; i <= keys; ++i) {
        std::string key = schema.Value(table, Format("Key%d", i));
        std::string upper = key;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        size_t at = upper.find("PRIMARY KEY");
        if (at == std::string::npos)
            at = upper.find("UNIQUE");
        if (at == std::string::npos)
            continue;
        size_t open = key.find('(', at), close = key.find(')', at);
        if (open == std::string::npos || close == std::string::npos || close < open)
            continue;
        std::vector<std::string> cols = SplitList(key.substr(open + 1, close - open - 1));
        if (!cols.empty() && std::all_of(cols.begin(), cols.end(), IsIdentifier))
            return cols;
    }
    return {};
}

int DatabaseBuilder::CreateDatabase(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    m_e.Db().OpenAdmin();
    // One commit for the whole build rather than one per statement; what was
    // built before a failure stays, as it would statement by statement.
    bool tx = m_e.Db().Begin();
    int r = RebuildTable("ALL");
    if (tx)
        (void)m_e.Db().Commit();
    m_e.ReportProgress(r != 0 ? "Errors Creating Database" : "Ready.", 100, 0);
    return 0;
}

int DatabaseBuilder::CheckDatabase()
{
    ISyncDb& db = m_e.Db();
    db.OpenAdmin();
    std::vector<std::string> tables = SplitList(Schema().Value("Database", "TableNames"));
    if (tables.empty())
        return -1;
    bool failed = false;
    for (const std::string& t : tables) {
        if (!db.Exec(Format("select * from %s", t.c_str()))) {
            failed = true;
            break;
        }
    }
    if (failed) {
        // A rebuild must not take the representative's unsent orders with it.
        KeptOrders kept = KeepReadyOrders();
        db.CloseAll();
        CreateDatabase(nullptr);
        PutBackReadyOrders(kept);
    } else {
        db.CloseAll();
    }
    for (const char* t : {"Items", "Accounts", "PricingScheme"}) {
        Rows rows;
        if (!db.Select(Format("select count(*) from %s", t), rows) || rows.empty() || rows[0].empty() ||
            ToInt(rows[0][0]) == 0)
            return -1;
    }
    return 0;
}

std::vector<std::string> DatabaseBuilder::DownloadedTables() const
{
    SchemaFile schema = Schema();
    std::vector<std::string> local = SplitList(schema.Value("Database", "LocalOnly"));
    std::vector<std::string> tables;
    for (const std::string& t : SplitList(schema.Value("Database", "TableNames")))
        if (!t.empty() && std::find(local.begin(), local.end(), t) == local.end())
            tables.push_back(t);
    return tables;
}

bool DatabaseBuilder::DownloadsComplete(std::vector<std::string>& problems) const
{
    ISyncProfile& p = m_e.Profile();
    const size_t before = problems.size();
    std::string broken = p.GetString("LastRenewTable");
    if (!broken.empty())
        problems.push_back(Format("a complete update broke off at table %s", broken.c_str()));
    else if (p.GetInt("RestoreOnOpen", 0) == 1)
        problems.push_back("an update broke off; the database may be only partly downloaded");
    for (const std::string& t : DownloadedTables())
        if (TrimBlanks(p.GetString(t + "UD")).empty())
            problems.push_back(Format("table %s was never downloaded whole", t.c_str()));
    return problems.size() == before;
}

int DatabaseBuilder::ApplyTableFile(const std::string& path, int mode, bool rebuildFirst,
                                    const std::string& expectedTable)
{
    m_last = ApplyOutcome{};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        m_e.ReportProgress("", 100, 100);
        return 0;
    }
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{f};

    std::string line1, line2, line3;
    ReadLimitedLine(f, line1);
    if (ContainsText(line1, "</TD>"))
        return kApplyHtml;
    std::string table = TrimBlanks(line1);
    if (table.empty())
        return kApplyEmptyName;
    if (ContainsText(line1, "<ERROR>"))
        return kApplyServerError;
    // A name that is not a plain identifier cannot be one of our tables; it
    // would otherwise reach the statements below as SQL text.
    if (!IsIdentifier(table))
        return kApplyHtml;
    m_last.table = table;
    // The reply never chooses which table is replaced: it must be the one
    // that was asked for.
    if (!expectedTable.empty() && !EqualsNoCase(table, expectedTable)) {
        m_last.problem = Format("The server sent the table %s instead of %s.", table.c_str(), expectedTable.c_str());
        m_e.LogSyncError(m_last.problem);
        return kApplyBadHeader;
    }

    // The whole header is read and judged before anything is dropped.
    bool haveColumns = ReadLimitedLine(f, line2);
    std::vector<std::string> columns = SplitTableValues(line2, ',');
    for (auto& c : columns)
        c = TrimBlanks(c);
    bool haveCount = ReadLimitedLine(f, line3);
    long long n = -1;
    if (!ParseRowCount(TrimBlanks(line3), n) || !haveColumns || !haveCount) {
        m_last.problem = Format("The server's reply for %s has no valid row count.", table.c_str());
        m_e.LogSyncError(m_last.problem);
        m_e.LogSyncError(line3);
        return kApplyBadHeader;
    }
    m_last.announced = static_cast<int>(n);

    ISyncDb& db = m_e.Db();
    const std::string targetTable = mode == kModeInventory ? std::string("items") : table;
    // With no rows announced there is nothing the column line could put
    // anywhere; it is judged only when rows follow.
    std::string badColumn =
        n > 0 ? ColumnProblem(columns, db.Columns(targetTable), mode == kModeInventory) : std::string();
    // A table that does not exist yet has nothing to lose: it is built first
    // and the columns are judged against what was built.
    bool absent = db.Columns(targetTable).empty();
    if (!badColumn.empty() && !(absent && rebuildFirst && mode != kModeInventory)) {
        m_last.problem =
            Format("The server's column line for %s does not match the table (%s).", table.c_str(), badColumn.c_str());
        m_e.LogSyncError(m_last.problem);
        m_e.LogSyncError(line2);
        return kApplyBadHeader;
    }

    // A rebuilt table is dropped, created, filled and indexed in one
    // transaction: one commit per table, and its plain indexes are built
    // once its rows are in. Whatever happens, what was done is committed, as
    // it would be statement by statement.
    struct TableWork {
        DatabaseBuilder& b;
        ISyncDb& db;
        const std::string& table;
        bool inTx = false;
        std::vector<std::string> deferred;
        // True when the last deferred index was built (or none waited).
        bool BuildIndexes()
        {
            bool last = true;
            for (const std::string& key : deferred) {
                last = db.Exec(key);
                if (!last) {
                    b.m_e.LogSyncError(Format("Add Key Failed on %s", table.c_str()));
                    b.m_e.LogSyncError(key);
                }
            }
            deferred.clear();
            return last;
        }
        ~TableWork()
        {
            BuildIndexes();
            if (inTx)
                (void)db.Commit();
        }
    } work{*this, db, table, false, {}};

    if (rebuildFirst) {
        m_e.ReportProgress("Truncating Table", 100, 1);
        work.inTx = db.Begin();
        if (RebuildTable(table, &work.deferred) != 0)
            return kApplyRebuildFailed;
        if (absent && n > 0) {
            badColumn = ColumnProblem(columns, db.Columns(targetTable), mode == kModeInventory);
            if (!badColumn.empty()) {
                m_last.problem = Format("The server's column line for %s does not match the table (%s).", table.c_str(),
                                        badColumn.c_str());
                m_e.LogSyncError(m_last.problem);
                m_e.LogSyncError(line2);
                return kApplyBadHeader;
            }
        }
    }
    int step = ProgressStep(static_cast<int>(n));
    if (n <= 0)
        return 0;

    std::string status =
        mode == kModeInventory ? std::string("Updating Inventory") : Format("Renewing %s Data", table.c_str());
    m_e.ReportProgress(status, 100, 1);

    // The "recordset": the target table must exist (its columns were judged above).
    bool open = !db.Columns(targetTable).empty();
    // A replaced row is found by its key; without a declared key (or with
    // key columns the file lacks) the rows are added as they come.
    std::vector<size_t> keyAt;
    if (mode == kModeReplaceByKey) {
        for (const std::string& k : KeyColumns(table)) {
            auto it =
                std::find_if(columns.begin(), columns.end(), [&](const std::string& c) { return EqualsNoCase(c, k); });
            if (it == columns.end()) {
                keyAt.clear();
                break;
            }
            keyAt.push_back(static_cast<size_t>(it - columns.begin()));
        }
    }
    // Blank inventory values are stored as blanks are everywhere else: 0 in
    // a number column, null in a date column (no date is known).
    std::vector<int> inventoryKind; // 0 text, 1 number, 2 date
    if (mode == kModeInventory) {
        Rows declared;
        (void)db.Select("select name, type from pragma_table_info('items')", declared);
        for (const auto& c : columns) {
            int kind = 0;
            for (const Row& d : declared) {
                if (d.size() < 2 || !EqualsNoCase(d[0], c))
                    continue;
                std::string type = Lower(d[1]);
                if (type.find("date") != std::string::npos || type.find("time") != std::string::npos)
                    kind = 2;
                else if (type.find("int") != std::string::npos || type == "bit" || type == "money" || type == "real" ||
                         type == "float" || type.find("decimal") != std::string::npos ||
                         type.find("numeric") != std::string::npos)
                    kind = 1;
            }
            inventoryKind.push_back(kind);
        }
    }

    // Rows read that had the right number of values bound the loop as the
    // announced count does; only rows that really went in are returned.
    int reached = 0;
    int applied = 0;
    int errors = 0;
    // One transaction for the whole file, for speed; rows applied before a
    // failure stay applied (the transaction is committed in every case).
    if (!work.inTx)
        work.inTx = open && db.Begin();
    std::string data;
    std::vector<std::string> values;
    Row params;
    std::string bound;
    std::string allBound = "Update items set ";
    for (size_t i = 1; i < columns.size(); ++i)
        allBound += (i > 1 ? "," : "") + columns[i] + "=?";
    allBound += " where itemID=?";
    while (open && reached < n && ReadLimitedLine(f, data)) {
        SplitTableValuesInto(data, '^', values);
        if (values.size() != columns.size())
            continue;
        if (reached % step == 0)
            m_e.ReportProgress(status, static_cast<int>(n), reached);
        bool ok = false;
        if (mode == kModeInventory) {
            // One statement text for every row unless a blank date asks for
            // null; the statement stays prepared while its text repeats.
            bool blankDate = false;
            params.clear();
            for (size_t i = 1; i < columns.size(); ++i) {
                bool blank = TrimBlanks(values[i]).empty();
                int kind = i < inventoryKind.size() ? inventoryKind[i] : 0;
                if (blank && kind == 2)
                    blankDate = true;
                else
                    params.push_back(blank && kind == 1 ? std::string("0") : values[i]);
            }
            params.push_back(values[0]);
            if (blankDate) {
                bound = "Update items set ";
                for (size_t i = 1; i < columns.size(); ++i) {
                    int kind = i < inventoryKind.size() ? inventoryKind[i] : 0;
                    bound +=
                        (i > 1 ? "," : "") + columns[i] + (kind == 2 && TrimBlanks(values[i]).empty() ? "=null" : "=?");
                }
                bound += " where itemID=?";
            }
            ok = columns.size() >= 2 && db.ExecBound(blankDate ? bound : allBound, params);
            if (!ok) {
                std::string shown = "Update items set ";
                for (size_t i = 1; i < columns.size(); ++i)
                    shown += (i > 1 ? "," : "") + columns[i] + "=" + values[i];
                shown += " where itemID=" + values[0];
                m_e.LogSyncError("ERROR UPDATING DATA NOT FOUND ----------------------------");
                m_e.LogSyncError(shown);
                m_e.LogSyncError(line2);
                m_e.LogSyncError(data);
                ++errors;
            }
        } else {
            if (!keyAt.empty()) {
                std::string where;
                for (size_t k : keyAt)
                    where += Format("%s%s = '%s'", where.empty() ? "" : " and ", columns[k].c_str(),
                                    FixApost(TrimBlanks(values[k])).c_str());
                (void)db.Exec(Format("delete from %s where %s", table.c_str(), where.c_str()));
            }
            ok = db.Insert(table, columns, values);
            if (!ok) {
                m_e.LogSyncError("ERROR INSERTING DATA ----------------------------------");
                m_e.LogSyncError(line2);
                m_e.LogSyncError(data);
                ++errors;
            }
        }
        if (errors > 10)
            break;
        ++reached;
        if (ok)
            ++applied;
    }
    bool indexed = work.BuildIndexes();
    if (work.inTx) {
        work.inTx = false;
        (void)db.Commit();
    }
    m_e.ReportProgress(status, 100, 100);
    m_last.received = reached;
    m_last.failedRows = errors;
    if (errors > 10) {
        m_last.problem = Format("%d rows of %s could not be stored.", errors, table.c_str());
        return kApplyFailed;
    }
    if (n - reached > 10) {
        m_last.problem = Format("The server sent %d of %lld rows of %s.", reached, n, table.c_str());
        return kApplyFailed;
    }
    if (!indexed)
        return kApplyRebuildFailed;
    // An inventory update is all or nothing for its stamp: a row missing
    // means changes that would never be asked for again.
    if (mode == kModeInventory && (errors > 0 || reached < n)) {
        m_last.problem = Format("The server sent %d of %lld inventory rows.", reached, n);
        return kApplyFailed;
    }
    return applied;
}

int DatabaseBuilder::GrabTables(const std::string& names, int mode, bool useStamp)
{
    std::string stampName = mode == 2 ? std::string("ItemsUD") : names + "UD";
    std::string stamp = TrimRight(m_e.Profile().GetString(stampName));
    const std::string& v = m_e.MobileVersion();
    std::string id = m_e.UserId(), pw = m_e.Password();
    std::string url;
    if (mode == 2)
        url = Format("/MobileServer/%s/grabdata.cfm?ID=%s&P=%s&Tablenames=%s&ItemsUD=%s", v.c_str(), id.c_str(),
                     pw.c_str(), names.c_str(), stamp.c_str());
    else if (useStamp)
        url = Format("/MobileServer/%s/grabdata.cfm?ID=%s&P=%s&Tablenames=%s&UD=%s", v.c_str(), id.c_str(), pw.c_str(),
                     names.c_str(), stamp.c_str());
    else
        url = Format("/MobileServer/%s/grabdata.cfm?ID=%s&P=%s&Tablenames=%s", v.c_str(), id.c_str(), pw.c_str(),
                     names.c_str());
    m_e.ReportProgress("Retrieving Table Data", 100, 1);
    if (!m_e.ServerRequest(url, ""))
        return -1;
    int r = ApplyTableFile(m_e.Services().paths.replyFile,
                           mode == 2 ? kModeInventory : (useStamp ? kModeReplaceByKey : kModeInsert), false,
                           mode == 2 ? std::string("Inventory") : names);
    if (r < 0 && !m_last.problem.empty())
        m_e.SetFailureText(m_last.problem);
    // The stamp moves only when the rows arrived; otherwise the rows changed
    // since the old stamp would never be asked for again.
    if (r >= 0)
        m_e.Profile().SetString(stampName, m_e.Now());
    return r < 0 ? 1 : 0;
}

std::string DatabaseBuilder::ManagerTablePath(const std::string& name) const
{
    const std::string& v = m_e.MobileVersion();
    std::string id = m_e.UserId(), pw = m_e.Password();
    std::string mid = m_e.Profile().GetString("ManagerID");
    return mid.empty() ? Format("/MobileServer/%s/grabdata.cfm?ID=%s&P=%s&Tablenames=%s", v.c_str(), id.c_str(),
                                pw.c_str(), name.c_str())
                       : Format("/MobileServer/%s/grabdata.cfm?ID=%s&P=%s&MID=%s&Tablenames=%s", v.c_str(), id.c_str(),
                                pw.c_str(), mid.c_str(), name.c_str());
}

bool DatabaseBuilder::FetchManagerTable(const std::string& name, bool announce)
{
    std::string url = ManagerTablePath(name);
    if (announce)
        m_e.ReportProgress(Format("Waiting for %s Data", name.c_str()), 100, 0);
    return m_e.ServerRequest(url, "");
}

int DatabaseBuilder::ApplyManagerReply(const std::string& name, const std::string& replyPath)
{
    std::string first = m_e.ReadReplyLine(replyPath);
    if (ContainsText(first, "<ERROR>") || ContainsText(first, "</TABLE>")) {
        m_e.ShowServerError(first);
        return -1;
    }
    int r = ApplyTableFile(replyPath, kModeInsert, true, name);
    if (r < 0) {
        if (!m_last.problem.empty())
            m_e.SetFailureText(m_last.problem);
        return -1;
    }
    m_e.Profile().SetString(name + "UD", m_e.Now());
    return r;
}

int DatabaseBuilder::GrabTableForManager(const std::string& name, int mode)
{
    if (!FetchManagerTable(name))
        return -1;
    const std::string& reply = m_e.Services().paths.replyFile;
    if (mode == 1)
        return ApplyManagerReply(name, reply);
    std::string first = m_e.ReadReplyLine();
    if (ContainsText(first, "<ERROR>") || ContainsText(first, "</TABLE>")) {
        m_e.ShowServerError(first);
        return -1;
    }
    // A file for another table is not kept: it would replace that table later.
    if (!EqualsNoCase(TrimBlanks(first), name)) {
        m_last = ApplyOutcome{};
        m_last.problem = Format("The server sent the table %s instead of %s.", TrimBlanks(first).c_str(), name.c_str());
        m_e.LogSyncError(m_last.problem);
        m_e.SetFailureText(m_last.problem);
        return -1;
    }
    std::error_code ec;
    std::string kept = KeptTableFile(name);
    std::filesystem::create_directories(DownloadFolder(), ec);
    std::filesystem::remove(kept, ec);
    std::filesystem::rename(reply, kept, ec);
    if (ec) {
        std::filesystem::copy_file(reply, kept, std::filesystem::copy_options::overwrite_existing, ec);
        if (ec)
            return -1;
        std::filesystem::remove(reply, ec);
    }
    return 0;
}

DatabaseBuilder::KeptOrders DatabaseBuilder::KeepReadyOrders()
{
    KeptOrders k;
    (void)m_e.Db().Select("select * from ReadyOrder", k.orders, &k.orderColumns);
    (void)m_e.Db().Select("select * from ReadyOrderItems", k.items, &k.itemColumns);
    (void)m_e.Db().Select("select ReadyID, Started from OrderSendState", k.sendStates);
    return k;
}

void DatabaseBuilder::PutBackReadyOrders(const KeptOrders& k)
{
    if (k.orders.empty())
        return;
    ISyncDb& db = m_e.Db();
    Rows present;
    (void)db.Select("select ReadyID from ReadyOrder", present);
    auto has = [&](const std::string& id) {
        for (const Row& r : present)
            if (!r.empty() && ToInt(r[0]) == ToInt(id))
                return true;
        return false;
    };
    size_t idCol = 1;
    for (size_t i = 0; i < k.orderColumns.size(); ++i)
        if (EqualsNoCase(k.orderColumns[i], "ReadyID"))
            idCol = i;
    size_t itemIdCol = 1;
    for (size_t i = 0; i < k.itemColumns.size(); ++i)
        if (EqualsNoCase(k.itemColumns[i], "ReadyID"))
            itemIdCol = i;
    bool tx = db.Begin();
    // An order whose sending outcome is unknown keeps that mark, whatever
    // the restored copy says.
    if (!k.sendStates.empty() && (db.Exec("select count(*) from OrderSendState") || db.Exec(kOrderSendStateCreate)))
        for (const Row& st : k.sendStates) {
            (void)db.Exec(Format("delete from OrderSendState where ReadyID = %d", ToInt(At(st, 0))));
            (void)db.Insert("OrderSendState", {"ReadyID", "Started"}, st);
        }
    for (const Row& o : k.orders) {
        std::string id = At(o, idCol);
        if (has(id))
            continue;
        (void)db.Insert("ReadyOrder", k.orderColumns, o);
        for (const Row& it : k.items)
            if (ToInt(At(it, itemIdCol)) == ToInt(id))
                (void)db.Insert("ReadyOrderItems", k.itemColumns, it);
    }
    if (tx)
        db.Commit();
}

} // namespace zev::sync
