#include "server/ServerStore.h"

#include "base/SchemaFile.h"
#include "server/TableText.h"

#include "server/FormBody.h"
#include "server/MasterUpdates.h"
#include "server/OrderBody.h"
#include "server/UploadBody.h"
#include "tabula/SqlDialect.h"

#include <algorithm>
#include <charconv>
#include <regex>
#include <strings.h>
#include <tuple>

namespace zev::server {

namespace {

const char* const kOwnTables = R"SQL(
create table if not exists ServerUsers (
    UserID text primary key,
    Digest text not null,
    Name text,
    IsManager integer not null default 0);
create table if not exists ServerManagedReps (
    ManagerID text not null,
    RepID text not null,
    primary key (ManagerID, RepID));
create table if not exists ReceivedOrders (
    OrderID integer primary key autoincrement,
    RepID text not null,
    AccountID integer not null,
    DeliveryDate text, Notes text, ODCText text, CreditTerms text, CreatedTime text, Warehouse text,
    ODCCode text, CancelDate text, CreditCard text, ShipMethod text,
    OptionMarks text not null,
    Signature text,
    LineCount integer not null,
    ReceivedAt text not null,
    Body text not null);
create table if not exists ReceivedOrderLines (
    OrderID integer not null references ReceivedOrders(OrderID) on delete cascade,
    LineNumber integer not null,
    ItemID integer not null,
    CQty integer, SQty integer, CDistPrice real, SDistPrice real,
    SpecialFlag text, DiscountAmount text, PriceOverride text,
    Par integer, Inv integer, ExtPrice real, RetailPrice real, Warehouse integer,
    LineComment text,
    primary key (OrderID, LineNumber));
create table if not exists Uploads (
    UploadID integer primary key autoincrement,
    Page text not null,
    RepID text not null,
    ReceivedAt text not null,
    Body text not null,
    Reply text not null);
create table if not exists UploadFields (
    UploadID integer not null references Uploads(UploadID) on delete cascade,
    Seq integer not null,
    Name text not null,
    Part integer not null,
    Value text,
    primary key (UploadID, Seq));
)SQL";

bool IsOwnTable(const std::string& name)
{
    static const char* const own[] = {"ServerUsers",        "ServerManagedReps", "ReceivedOrders",
                                      "ReceivedOrderLines", "Uploads",           "UploadFields"};
    for (const char* t : own)
        if (strcasecmp(t, name.c_str()) == 0)
            return true;
    return false;
}

// Shortest text that reads back as the same number (12.5, not 12.500000).
std::string NumberText(double v)
{
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    return std::string(buffer, static_cast<size_t>(r.ptr - buffer));
}

std::string ValueText(const SqlStatement& stmt, int i)
{
    if (stmt.IsNull(i))
        return {};
    if (stmt.Type(i) == tabula::ValueType::Real)
        return NumberText(stmt.Double(i));
    return stmt.Text(i);
}

std::string Placeholders(size_t n)
{
    std::string out;
    for (size_t i = 0; i < n; ++i)
        out += i ? ",?" : "?";
    return out;
}

} // namespace

std::string SchemaStatementForSqlite(const std::string& statement)
{
    static const std::regex addPrimary(
        R"(^\s*alter\s+table\s+(\S+)\s+(?:with\s+nocheck\s+)?add\s+constraint\s+(\S+)\s+primary\s+key\s*(?:clustered|nonclustered)?\s*(\([^)]*\)).*$)",
        std::regex::icase);
    static const std::regex addUnique(
        R"(^\s*alter\s+table\s+(\S+)\s+(?:with\s+nocheck\s+)?add\s+constraint\s+(\S+)\s+unique\s*(?:clustered|nonclustered)?\s*(\([^)]*\)).*$)",
        std::regex::icase);
    static const std::regex alterOther(R"(^\s*alter\s+table\s)", std::regex::icase);
    static const std::regex identity(R"(\bidentity\s*(\(\s*\d+\s*,\s*\d+\s*\))?)", std::regex::icase);
    static const std::regex clustered(R"(\b(non)?clustered\b)", std::regex::icase);
    static const std::regex owner(R"(\[?dbo\]?\.)", std::regex::icase);
    static const std::regex filegroup(R"(\bon\s+\[?primary\]?\s*$)", std::regex::icase);
    static const std::regex index(R"(^\s*create\s+(unique\s+)?index)", std::regex::icase);

    std::string s = std::regex_replace(statement, owner, "");
    std::smatch m;
    if (std::regex_match(s, m, addPrimary) || std::regex_match(s, m, addUnique)) {
        std::string name = m[2].str();
        name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '[' || c == ']'; }), name.end());
        return "create unique index if not exists " + name + " on " + m[1].str() + " " + m[3].str();
    }
    if (std::regex_search(s, alterOther))
        return {};
    s = std::regex_replace(s, identity, "");
    s = std::regex_replace(s, clustered, "");
    s = std::regex_replace(s, filegroup, "");
    if (std::regex_search(s, index))
        s = std::regex_replace(s, index, "create $1index if not exists", std::regex_constants::format_first_only);
    return s;
}

ServerStore::ServerStore(const std::string& path) : m_path(path), m_db(path)
{
    // Translated schema statements may call the dialect's helper functions.
    tabula::SqlDialect::RegisterFunctions(m_db.Handle());
    m_db.Exec("PRAGMA journal_mode = WAL");
    m_db.Exec("PRAGMA synchronous = NORMAL");
    CreateOwnTables();
}

void ServerStore::CreateOwnTables() { m_db.Exec(kOwnTables); }

void ServerStore::CreateMasterTables(const SchemaFile& schema, std::vector<std::string>* problems)
{
    std::lock_guard lock(m_mutex);
    // One transaction: a failed statement is undone on its own and the others stay.
    SqlTransaction transaction(m_db);
    for (const std::string& table : schema.TableNames()) {
        if (IsOwnTable(table)) {
            if (problems)
                problems->push_back("table name " + table + " is reserved by the server");
            continue;
        }
        if (!m_db.TableExists(table)) {
            std::string create = schema.CreateStatement(table);
            std::string error;
            if (create.empty() || !ExecSchemaStatement(create, &error)) {
                if (problems)
                    problems->push_back("create " + table + ": " + (create.empty() ? "no Schema statement" : error));
                continue;
            }
            for (const std::string& key : schema.KeyStatements(table))
                if (!ExecSchemaStatement(key, &error) && problems)
                    problems->push_back("key on " + table + ": " + error);
        }
        AdoptMasterTableLocked(table);
    }
    transaction.Commit();
}

// Runs a schema statement the way the program's database library does, through its dialect
// translation; what SQLite still rejects is given one more chance in the server's own form.
bool ServerStore::ExecSchemaStatement(const std::string& statement, std::string* error)
{
    tabula::Translation translation = tabula::SqlDialect().Translate(statement);
    std::vector<std::string> statements = translation.ok ? translation.statements : std::vector{statement};
    for (const std::string& s : statements) {
        if (m_db.TryExec(s, error))
            continue;
        std::string fallback = SchemaStatementForSqlite(s);
        if (fallback.empty())
            continue; // a constraint SQLite has no form for (defaults, checks): the server does without
        if (!m_db.TryExec(fallback, error))
            return false;
    }
    return true;
}

void ServerStore::AdoptMasterTable(const std::string& table)
{
    std::lock_guard lock(m_mutex);
    AdoptMasterTableLocked(table);
}

void ServerStore::AdoptMasterTableLocked(const std::string& table)
{
    std::vector<std::string> columns = m_db.Columns(table);
    auto has = [&](const char* name) {
        return std::any_of(columns.begin(), columns.end(),
                           [&](const std::string& c) { return strcasecmp(c.c_str(), name) == 0; });
    };
    std::string t = SqlIdent(table);
    if (!has("zev_rep"))
        m_db.Exec("alter table " + t + " add column zev_rep text");
    if (!has("zev_stamp"))
        m_db.Exec("alter table " + t + " add column zev_stamp text");
    std::string now = "strftime('%Y-%m-%d %H:%M:%S','now','localtime')";
    std::string base = table;
    std::replace_if(
        base.begin(), base.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    // A row written without a stamp, or changed without touching its stamp, is stamped with the time.
    m_db.Exec("create trigger if not exists " + SqlIdent("zev_ins_" + base) + " after insert on " + t +
              " when new.zev_stamp is null begin update " + t + " set zev_stamp = " + now +
              " where rowid = new.rowid; end");
    m_db.Exec("create trigger if not exists " + SqlIdent("zev_upd_" + base) + " after update on " + t +
              " when new.zev_stamp is old.zev_stamp begin update " + t + " set zev_stamp = " + now +
              " where rowid = new.rowid; end");
    m_db.Exec("create index if not exists " + SqlIdent("zev_idx_" + base) + " on " + t + " (zev_stamp)");
}

bool ServerStore::IsMasterTable(const std::string& table)
{
    std::lock_guard lock(m_mutex);
    if (IsOwnTable(table) || !m_db.TableExists(table))
        return false;
    std::vector<std::string> columns = m_db.Columns(table);
    return std::find(columns.begin(), columns.end(), "zev_stamp") != columns.end();
}

void ServerStore::AddUser(const std::string& id, const std::string& digest, const std::string& name, bool isManager)
{
    std::lock_guard lock(m_mutex);
    m_db.Prepare("insert or replace into ServerUsers (UserID, Digest, Name, IsManager) values (?,?,?,?)")
        .Bind(1, id)
        .Bind(2, digest)
        .Bind(3, name)
        .Bind(4, isManager ? 1 : 0)
        .Run();
}

void ServerStore::SetManagedRep(const std::string& managerId, const std::string& repId)
{
    std::lock_guard lock(m_mutex);
    m_db.Prepare("insert or ignore into ServerManagedReps (ManagerID, RepID) values (?,?)")
        .Bind(1, managerId)
        .Bind(2, repId)
        .Run();
}

std::optional<ServerUser> ServerStore::Authenticate(const std::string& id, const std::string& digest)
{
    std::lock_guard lock(m_mutex);
    if (id.empty() || digest.empty())
        return std::nullopt;
    auto stmt = m_db.Prepare("select UserID, Name, IsManager from ServerUsers where UserID = ? and "
                             "lower(Digest) = lower(?)");
    stmt.Bind(1, id).Bind(2, digest);
    if (!stmt.Step())
        return std::nullopt;
    return ServerUser{stmt.Text(0), stmt.Text(1), stmt.Int(2) != 0};
}

bool ServerStore::ChangeDigest(const std::string& id, const std::string& oldDigest, const std::string& newDigest)
{
    std::lock_guard lock(m_mutex);
    m_db.Prepare("update ServerUsers set Digest = ? where UserID = ? and lower(Digest) = lower(?)")
        .Bind(1, newDigest)
        .Bind(2, id)
        .Bind(3, oldDigest)
        .Run();
    return m_db.Changes() == 1;
}

std::optional<std::vector<std::string>> ServerStore::Scope(const ServerUser& user, const std::string& managerId,
                                                           std::string* error)
{
    std::lock_guard lock(m_mutex);
    auto managed = [&](const std::string& manager) {
        std::vector<std::string> reps;
        auto stmt = m_db.Prepare("select RepID from ServerManagedReps where ManagerID = ? order by RepID");
        stmt.Bind(1, manager);
        while (stmt.Step())
            reps.push_back(stmt.Text(0));
        return reps;
    };
    std::vector<std::string> reps{user.id};
    std::string manager = managerId.empty() && user.isManager ? user.id : managerId;
    if (manager.empty())
        return reps;
    auto isManager = m_db.Prepare("select 1 from ServerUsers where UserID = ? and IsManager <> 0");
    isManager.Bind(1, manager);
    std::vector<std::string> team = managed(manager);
    bool fits = manager == user.id || std::find(team.begin(), team.end(), user.id) != team.end();
    if (!isManager.Step() || !fits) {
        if (error)
            *error = "Manager " + manager + " does not manage representative " + user.id;
        return std::nullopt;
    }
    if (manager != user.id)
        reps.push_back(manager);
    for (const std::string& rep : team)
        if (std::find(reps.begin(), reps.end(), rep) == reps.end())
            reps.push_back(rep);
    return reps;
}

std::vector<std::string> ServerStore::ServedColumns(const std::string& table)
{
    std::vector<std::string> columns;
    for (const std::string& c : m_db.Columns(table))
        if (c.rfind("zev_", 0) != 0)
            columns.push_back(c);
    return columns;
}

TableQuery ServerStore::PlanTableLocked(const std::string& table, const std::vector<std::string>& reps,
                                        const std::optional<std::string>& since,
                                        const std::optional<std::string>& recentFrom)
{
    TableQuery q;
    q.name = table;
    q.columns = ServedColumns(table);
    std::string list;
    for (const std::string& c : q.columns)
        list += (list.empty() ? "" : ",") + SqlIdent(c);
    q.sql = "select " + list + " from " + SqlIdent(table) + " where (zev_rep is null or zev_rep in (" +
            Placeholders(reps.size()) + "))";
    bool recent = since && recentFrom && std::any_of(q.columns.begin(), q.columns.end(), [](const std::string& c) {
                      return strcasecmp(c.c_str(), "TransDate") == 0;
                  });
    if (since)
        q.sql += recent ? " and (zev_stamp >= ? or substr(TransDate, 1, 10) >= ?)" : " and zev_stamp >= ?";
    q.sql += " order by rowid";
    q.binds = reps;
    if (since)
        q.binds.push_back(*since);
    if (recent)
        q.binds.push_back(*recentFrom);
    return q;
}

TableQuery ServerStore::PlanTable(const std::string& table, const std::vector<std::string>& reps,
                                  const std::optional<std::string>& since, const std::optional<std::string>& recentFrom)
{
    std::lock_guard lock(m_mutex);
    return PlanTableLocked(table, reps, since, recentFrom);
}

TableQuery ServerStore::PlanInventory(const std::optional<std::string>& since)
{
    TableQuery q;
    q.name = "Inventory";
    q.columns = {"ItemID", "QtyOnHand"};
    q.sql = "select ItemID, QtyOnHand from Items";
    if (since) {
        q.sql += " where zev_stamp >= ?";
        q.binds.push_back(*since);
    }
    q.sql += " order by ItemID";
    return q;
}

void ServerStore::Scan(const TableQuery& query, const std::function<void(const SqlStatement&)>& row)
{
    auto stmt = m_db.Prepare(query.sql);
    for (size_t i = 0; i < query.binds.size(); ++i)
        stmt.Bind(static_cast<int>(i + 1), query.binds[i]);
    while (stmt.Step())
        row(stmt);
}

std::vector<std::string> ServerStore::ScanTable(const std::string& table, const std::vector<std::string>& reps,
                                                const std::optional<std::string>& since,
                                                const std::optional<std::string>& recentFrom,
                                                const std::function<void(const SqlStatement&)>& row)
{
    std::lock_guard lock(m_mutex);
    TableQuery q = PlanTableLocked(table, reps, since, recentFrom);
    Scan(q, row);
    return q.columns;
}

void ServerStore::ScanInventory(const std::optional<std::string>& since,
                                const std::function<void(const SqlStatement&)>& row)
{
    std::lock_guard lock(m_mutex);
    Scan(PlanInventory(since), row);
}

void ServerStore::WriteQuery(TableWriter& out, const TableQuery& query)
{
    out.SetName(query.name);
    out.SetColumns(query.columns);
    std::lock_guard lock(m_mutex);
    Scan(query, [&](const SqlStatement& stmt) {
        out.BeginRow();
        for (int c = 0, n = stmt.ColumnCount(); c < n; ++c)
            WriteColumn(out, stmt, c);
        out.EndRow();
    });
}

TableData ServerStore::ReadTable(const std::string& table, const std::vector<std::string>& reps,
                                 const std::optional<std::string>& since, const std::optional<std::string>& recentFrom)
{
    TableData data;
    data.name = table;
    data.columns = ScanTable(table, reps, since, recentFrom, [&](const SqlStatement& stmt) {
        std::vector<std::string> row;
        for (int c = 0, n = stmt.ColumnCount(); c < n; ++c)
            row.push_back(ValueText(stmt, c));
        data.rows.push_back(std::move(row));
    });
    return data;
}

TableData ServerStore::ReadInventory(const std::optional<std::string>& since)
{
    TableData data;
    data.name = "Inventory";
    data.columns = {"ItemID", "QtyOnHand"};
    ScanInventory(since, [&](const SqlStatement& stmt) {
        data.rows.push_back({ValueText(stmt, 0), ValueText(stmt, 1)});
    });
    return data;
}

std::int64_t ServerStore::StoreOrder(const std::string& repId, const ReceivedOrder& order, const std::string& body,
                                     const std::string& receivedAt, bool* repeated)
{
    std::lock_guard lock(m_mutex);
    SqlTransaction transaction(m_db);
    if (repeated)
        *repeated = false;
    // The protocol carries no order key; an order is the same order when the representative, the
    // account, the creation time and every line (item and quantities) match.
    using LineKey = std::tuple<int, std::int64_t, std::int64_t, std::int64_t>;
    std::vector<LineKey> lines;
    for (const ReceivedOrderLine& l : order.lines)
        lines.emplace_back(l.lineNumber, l.itemId, l.cases, l.singles);
    std::sort(lines.begin(), lines.end());
    auto candidates = m_db.Prepare("select OrderID from ReceivedOrders where RepID = ? and AccountID = ? and "
                                   "CreatedTime = ? and LineCount = ? order by OrderID");
    candidates.Bind(1, repId)
        .Bind(2, static_cast<std::int64_t>(order.accountId))
        .Bind(3, order.createdTime)
        .Bind(4, static_cast<std::int64_t>(order.lines.size()));
    std::vector<std::int64_t> ids;
    while (candidates.Step())
        ids.push_back(candidates.Int(0));
    // Without a creation time two orders cannot be told apart from a resend.
    if (order.createdTime.empty())
        ids.clear();
    for (std::int64_t candidate : ids) {
        auto stored = m_db.Prepare("select LineNumber, ItemID, CQty, SQty from ReceivedOrderLines where OrderID = ?");
        stored.Bind(1, candidate);
        std::vector<LineKey> have;
        while (stored.Step())
            have.emplace_back(static_cast<int>(stored.Int(0)), stored.Int(1), stored.Int(2), stored.Int(3));
        std::sort(have.begin(), have.end());
        if (have == lines) {
            if (repeated)
                *repeated = true;
            return candidate;
        }
    }
    std::string marks;
    for (int mark : order.optionMarks)
        marks += (marks.empty() ? "" : "|") + std::to_string(mark);
    m_db.Prepare("insert into ReceivedOrders (RepID, AccountID, DeliveryDate, Notes, ODCText, CreditTerms, "
                 "CreatedTime, Warehouse, ODCCode, CancelDate, CreditCard, ShipMethod, OptionMarks, Signature, "
                 "LineCount, ReceivedAt, Body) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
        .Bind(1, repId)
        .Bind(2, static_cast<std::int64_t>(order.accountId))
        .Bind(3, order.deliveryDate)
        .Bind(4, order.notes)
        .Bind(5, order.odcText)
        .Bind(6, order.creditTerms)
        .Bind(7, order.createdTime)
        .Bind(8, order.warehouse)
        .Bind(9, order.odcCode)
        .Bind(10, order.cancelDate)
        .Bind(11, order.creditCard)
        .Bind(12, order.shipMethod)
        .Bind(13, marks)
        .Bind(14, order.signature)
        .Bind(15, static_cast<std::int64_t>(order.lines.size()))
        .Bind(16, receivedAt)
        .Bind(17, body)
        .Run();
    std::int64_t id = m_db.LastInsertId();
    auto line = m_db.Prepare("insert into ReceivedOrderLines (OrderID, LineNumber, ItemID, CQty, SQty, CDistPrice, "
                             "SDistPrice, SpecialFlag, DiscountAmount, PriceOverride, Par, Inv, ExtPrice, "
                             "RetailPrice, Warehouse, LineComment) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const ReceivedOrderLine& l : order.lines) {
        line.Bind(1, id)
            .Bind(2, l.lineNumber)
            .Bind(3, static_cast<std::int64_t>(l.itemId))
            .Bind(4, static_cast<std::int64_t>(l.cases))
            .Bind(5, static_cast<std::int64_t>(l.singles))
            .Bind(6, l.caseDistPrice)
            .Bind(7, l.singleDistPrice)
            .Bind(8, l.specialFlag)
            .Bind(9, l.discountAmount)
            .Bind(10, l.priceOverride)
            .Bind(11, static_cast<std::int64_t>(l.par))
            .Bind(12, static_cast<std::int64_t>(l.inv))
            .Bind(13, l.extPrice)
            .Bind(14, l.retailPrice)
            .Bind(15, static_cast<std::int64_t>(l.warehouse))
            .Bind(16, l.lineComment);
        line.Run();
    }
    ApplyReceivedOrder(m_db, repId, order, id, receivedAt);
    transaction.Commit();
    return id;
}

namespace {

std::string Part(const std::vector<UploadField>& fields, const std::string& name, int part)
{
    for (const UploadField& f : fields)
        if (f.name == name && f.part == part)
            return f.value;
    return {};
}

bool HasColumns(SqlDatabase& db, const std::string& table, std::initializer_list<const char*> names)
{
    std::vector<std::string> columns = db.Columns(table);
    for (const char* name : names)
        if (std::none_of(columns.begin(), columns.end(),
                         [&](const std::string& c) { return strcasecmp(c.c_str(), name) == 0; }))
            return false;
    return true;
}

} // namespace

// What the master tables must show after an upload, so the downloads that follow it in the same run
// do not undo it: a message read or deleted stays so, a reply reaches its recipient, a collection
// lowers the open amount of its invoice, an edited account, a note, a survey and a form answer join
// the master rows.
void ServerStore::ApplyUpload(const std::string& page, const std::string& repId, const std::vector<UploadField>& fields,
                              const std::string& now)
{
    if (page == "UpdateWo")
        ApplyOrderGuide(m_db, repId, fields);
    if (page == "updateAccounts")
        ApplyAccountEdit(m_db, repId, fields);
    if (page == "updateNotes")
        ApplyNote(m_db, repId, fields);
    if (page == "takeSurveys")
        ApplySurvey(m_db, repId, fields);
    if (page == "UpdateFormsFilled")
        ApplyFormAnswer(m_db, repId, fields);
    if (page == "UpdateMessages" &&
        HasColumns(m_db, "Messages", {"MessageID", "FromID", "FromStatus", "ToID", "ToStatus", "Subject", "Message"})) {
        for (const UploadField& f : fields) {
            if (f.part != 1)
                continue;
            long long messageId = ParseInteger(Part(fields, f.name, 1)).value_or(-1);
            long long toId = ParseInteger(Part(fields, f.name, 2)).value_or(0);
            long long toStatus = ParseInteger(Part(fields, f.name, 3)).value_or(0);
            long long fromId = ParseInteger(Part(fields, f.name, 4)).value_or(0);
            long long fromStatus = ParseInteger(Part(fields, f.name, 5)).value_or(0);
            if (messageId > 0) {
                m_db.Prepare("update Messages set ToStatus = ?, FromStatus = ? where MessageID = ?")
                    .Bind(1, static_cast<std::int64_t>(toStatus))
                    .Bind(2, static_cast<std::int64_t>(fromStatus))
                    .Bind(3, static_cast<std::int64_t>(messageId))
                    .Run();
            } else if (messageId == 0) {
                auto name = m_db.Prepare("select Name from ServerUsers where UserID = ?");
                name.Bind(1, repId);
                std::string fromName = name.Step() ? name.Text(0) : repId;
                // The recipient owns the new row; an unknown recipient's message goes to nobody's download.
                auto known = m_db.Prepare("select 1 from ServerUsers where UserID = ?");
                known.Bind(1, std::to_string(toId));
                std::optional<std::string> owner =
                    known.Step() ? std::optional(std::to_string(toId)) : std::optional<std::string>("unknown");
                m_db.Prepare("insert into Messages (MessageID, FromID, FromStatus, FromName, ToID, ToStatus, "
                             "DateSent, "
                             "Subject, Message, Updated, zev_rep) values ((select coalesce(max(MessageID), 0) + 1 "
                             "from Messages), ?, ?, ?, ?, 0, ?, ?, ?, 0, ?)")
                    .Bind(1, static_cast<std::int64_t>(fromId))
                    .Bind(2, static_cast<std::int64_t>(fromStatus))
                    .Bind(3, fromName)
                    .Bind(4, static_cast<std::int64_t>(toId))
                    .Bind(5, now)
                    .Bind(6, Part(fields, f.name, 6))
                    .Bind(7, Part(fields, f.name, 7))
                    .Bind(8, owner)
                    .Run();
            }
        }
    }
    if (page == "updateInvoice" &&
        HasColumns(m_db, "AR", {"AccountID", "InvoiceNo", "AmountCollectedTotal", "InvoiceAmount", "Collected"})) {
        for (const UploadField& f : fields) {
            if (f.name.size() < 2 || f.name[0] != 'A' || !ParseInteger(f.name.substr(1)))
                continue;
            std::string n = f.name.substr(1);
            auto account = ParseInteger(f.value);
            auto amount = ParseDecimal(Part(fields, "C" + n, 0));
            const std::string dep1 = Part(fields, "F" + n, 0);
            const std::string dep2 = Part(fields, "G" + n, 0);
            if (account && (!dep1.empty() || !dep2.empty()) && HasColumns(m_db, "AR", {"DepAttrib1", "DepAttrib2"})) {
                // A deposit: the office sees where the money went.
                m_db.Prepare("update AR set DepAttrib1 = ?, DepAttrib2 = ? where AccountID = ? and InvoiceNo = ?")
                    .Bind(1, dep1)
                    .Bind(2, dep2)
                    .Bind(3, static_cast<std::int64_t>(*account))
                    .Bind(4, Part(fields, "B" + n, 0))
                    .Run();
            }
            if (!account || !amount || *amount <= 0)
                continue; // a deposit without a new collection changes no balance
            m_db.Prepare("update AR set AmountCollectedTotal = coalesce(AmountCollectedTotal, 0) + ?, "
                         "LatestPaymentAmount = ?, LatestPaymentDate = ?, "
                         "Collected = case when coalesce(AmountCollectedTotal, 0) + ? >= InvoiceAmount - 0.005 "
                         "then 1 else 0 end where AccountID = ? and InvoiceNo = ?")
                .Bind(1, *amount)
                .Bind(2, *amount)
                .Bind(3, now)
                .Bind(4, *amount)
                .Bind(5, static_cast<std::int64_t>(*account))
                .Bind(6, Part(fields, "B" + n, 0))
                .Run();
        }
    }
}

std::int64_t ServerStore::StoreUpload(const std::string& page, const std::string& repId, const std::string& body,
                                      const std::vector<UploadField>& fields, const std::string& reply,
                                      const std::string& receivedAt)
{
    std::lock_guard lock(m_mutex);
    SqlTransaction transaction(m_db);
    m_db.Prepare("insert into Uploads (Page, RepID, ReceivedAt, Body, Reply) values (?,?,?,?,?)")
        .Bind(1, page)
        .Bind(2, repId)
        .Bind(3, receivedAt)
        .Bind(4, body)
        .Bind(5, reply)
        .Run();
    std::int64_t id = m_db.LastInsertId();
    ApplyUpload(page, repId, fields, receivedAt);
    auto field = m_db.Prepare("insert into UploadFields (UploadID, Seq, Name, Part, Value) values (?,?,?,?,?)");
    int seq = 0;
    for (const UploadField& f : fields) {
        field.Bind(1, id).Bind(2, ++seq).Bind(3, f.name).Bind(4, f.part).Bind(5, f.value);
        field.Run();
    }
    transaction.Commit();
    return id;
}

} // namespace zev::server
