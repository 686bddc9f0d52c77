#include "server/MasterUpdates.h"

#include "server/OrderBody.h"
#include "server/SqlDatabase.h"
#include "server/UploadBody.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <strings.h>

namespace zev::server {

namespace {

std::optional<long long> Integer(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    while (end != nullptr && *end == ' ')
        ++end;
    return end != nullptr && *end == '\0' ? std::optional<long long>(v) : std::nullopt;
}

double Real(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

bool HasTables(SqlDatabase& db, std::initializer_list<const char*> tables)
{
    for (const char* t : tables)
        if (!db.TableExists(t))
            return false;
    return true;
}

// "MM/dd/yyyy" as the server's date form; other texts unchanged.
std::string ServerDate(const std::string& date)
{
    int m = 0, d = 0, y = 0;
    if (std::sscanf(date.c_str(), "%d/%d/%d", &m, &d, &y) != 3)
        return date;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d 00:00:00", y, m, d);
    return text;
}

// The plain (part 0) value of a field, if sent.
std::optional<std::string> Plain(const std::vector<UploadField>& fields, const std::string& name)
{
    for (const UploadField& f : fields)
        if (f.part == 0 && f.name == name)
            return f.value;
    return std::nullopt;
}

// An account the representative may change: his own or one nobody owns.
bool OwnAccount(SqlDatabase& db, const std::string& repId, long long accountId)
{
    auto owner = db.Prepare("select zev_rep from Accounts where AccountID = ?");
    owner.Bind(1, static_cast<std::int64_t>(accountId));
    return owner.Step() && (owner.IsNull(0) || owner.Text(0) == repId);
}

} // namespace

void ApplyOrderGuide(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields)
{
    if (!HasTables(db, {"WorkOrder", "WorkOrderItems", "Items"}))
        return;
    std::map<std::string, std::string> value;
    for (const UploadField& f : fields)
        if (f.part == 0)
            value.emplace(f.name, f.value);
    const auto account = Integer(value["A"]);
    const auto guide = Integer(value["B"]);
    const auto count = Integer(value["N"]);
    if (!account || !guide || !count || *count <= 0)
        return;

    std::optional<std::string> owner;
    {
        auto header = db.Prepare("select zev_rep from WorkOrder where AccountID = ? and WorkOrderID = ?");
        header.Bind(1, static_cast<std::int64_t>(*account)).Bind(2, static_cast<std::int64_t>(*guide));
        if (!header.Step())
            return;
        if (!header.IsNull(0)) {
            owner = header.Text(0);
            if (*owner != repId)
                return;
        }
    }

    struct Kept {
        std::string comment;
        std::int64_t orderCount = 0;
        std::int64_t htd = 0;
    };
    std::map<std::int64_t, Kept> kept;
    {
        auto old = db.Prepare("select ItemID, LineComment, OrderCount, HTDItemCount from WorkOrderItems where "
                              "AccountID = ? and WorkOrderID = ? order by LineItemNumber desc");
        old.Bind(1, static_cast<std::int64_t>(*account)).Bind(2, static_cast<std::int64_t>(*guide));
        while (old.Step())
            kept[old.Int(0)] = Kept{old.Text(1), old.Int(2), old.Int(3)};
    }

    // Every line must be readable before the master guide is touched.
    struct Line {
        std::int64_t item, cases, singles, lastCases, lastSingles, catalog, par, filter, inv, warehouse;
        double casePrice, singlePrice, retail;
        std::string override, flag, discount;
    };
    std::vector<Line> lines;
    for (long long n = 1; n <= *count; ++n) {
        const std::string k = std::to_string(n);
        auto num = [&](const char* letter) { return Integer(value[letter + k]); };
        const auto item = num("C");
        if (!item)
            return;
        lines.push_back(Line{*item, num("D").value_or(0), num("E").value_or(0), num("H").value_or(0),
                             num("I").value_or(0), num("J").value_or(0), num("N").value_or(0), num("O").value_or(0),
                             num("P").value_or(0), num("Q").value_or(0), Real(value["F" + k]), Real(value["G" + k]),
                             Real(value["R" + k]), value["K" + k], value["L" + k], value["M" + k]});
    }

    auto perCase = db.Prepare("select QtyPerCase from Items where ItemID = ?");
    auto remove = db.Prepare("delete from WorkOrderItems where AccountID = ? and WorkOrderID = ?");
    remove.Bind(1, static_cast<std::int64_t>(*account)).Bind(2, static_cast<std::int64_t>(*guide)).Run();
    auto insert = db.Prepare(
        "insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, SingleQTY, CDistPrice, "
        "SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, DiscountAmount, PriceOverride, Par, Inv, "
        "RetailPrice, Warehouse, Filter, LineComment, HTDItemCount, Updated, zev_rep) values "
        "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0,?)");
    int number = 0;
    for (const Line& l : lines) {
        perCase.Reset();
        perCase.Bind(1, l.item);
        std::int64_t size = perCase.Step() ? perCase.Int(0) : 1;
        if (size < 1)
            size = 1;
        const Kept k = kept.count(l.item) != 0 ? kept[l.item] : Kept{};
        insert.Bind(1, static_cast<std::int64_t>(*account))
            .Bind(2, static_cast<std::int64_t>(*guide))
            .Bind(3, l.item)
            .Bind(4, l.catalog)
            .Bind(5, l.cases)
            .Bind(6, l.singles)
            .Bind(7, l.casePrice)
            .Bind(8, l.singlePrice)
            .Bind(9, l.lastCases * size + l.lastSingles)
            .Bind(10, k.orderCount)
            .Bind(11, static_cast<std::int64_t>(++number))
            .Bind(12, l.flag)
            .Bind(13, l.discount)
            .Bind(14, l.override)
            .Bind(15, l.par)
            .Bind(16, l.inv)
            .Bind(17, l.retail)
            .Bind(18, l.warehouse)
            .Bind(19, l.filter)
            .Bind(20, k.comment)
            .Bind(21, k.htd)
            .Bind(22, owner.value_or(repId));
        insert.Run();
    }
    db.Prepare("update WorkOrder set Updated = 0 where AccountID = ? and WorkOrderID = ?")
        .Bind(1, static_cast<std::int64_t>(*account))
        .Bind(2, static_cast<std::int64_t>(*guide))
        .Run();
}

void ApplyReceivedOrder(SqlDatabase& db, const std::string& repId, const ReceivedOrder& order, std::int64_t orderId,
                        const std::string& receivedAt)
{
    const std::string invoice = "Z" + std::to_string(orderId);
    double total = 0;
    for (const ReceivedOrderLine& l : order.lines)
        total += l.extPrice;
    if (HasTables(db, {"OpenOrders", "OpenOrderItems"})) {
        db.Prepare("insert into OpenOrders (AccountID, InvoiceNumber, ItemCount, InvoiceTotal, TSOrderType, "
                   "InvoiceDate, DeliveryDate, PONumber, zev_rep) values (?,?,?,?,'SO',?,?,?,?)")
            .Bind(1, static_cast<std::int64_t>(order.accountId))
            .Bind(2, invoice)
            .Bind(3, static_cast<std::int64_t>(order.lines.size()))
            .Bind(4, total)
            .Bind(5, receivedAt)
            .Bind(6, ServerDate(order.deliveryDate))
            .Bind(7, order.odcText.substr(0, 20))
            .Bind(8, repId)
            .Run();
        auto item = db.Prepare("insert into OpenOrderItems (AccountID, InvoiceNumber, LineNumber, ItemID, QtyOrdered, "
                               "CaseFlag, ExtPrice, QtyShipped, zev_rep) values (?,?,?,?,?,?,?,0,?)");
        int number = 0;
        for (const ReceivedOrderLine& l : order.lines) {
            // A line of whole cases is ordered in cases; any singles put the line in units.
            auto perCase = db.Prepare("select QtyPerCase from Items where ItemID = ?");
            perCase.Bind(1, static_cast<std::int64_t>(l.itemId));
            std::int64_t size = perCase.Step() ? perCase.Int(0) : 1;
            if (size < 1)
                size = 1;
            const bool inCases = l.singles == 0;
            item.Bind(1, static_cast<std::int64_t>(order.accountId))
                .Bind(2, invoice)
                .Bind(3, static_cast<std::int64_t>(++number))
                .Bind(4, static_cast<std::int64_t>(l.itemId))
                .Bind(5, static_cast<std::int64_t>(inCases ? l.cases : l.cases * size + l.singles))
                .Bind(6, static_cast<std::int64_t>(inCases ? 1 : 0))
                .Bind(7, l.extPrice)
                .Bind(8, repId)
                .Run();
        }
    }
    if (HasTables(db, {"OrderHistory", "OrderHistoryItems"})) {
        std::int64_t number = 1;
        {
            auto next = db.Prepare("select coalesce(max(OrderNumber), 0) + 1 from OrderHistory");
            if (next.Step())
                number = next.Int(0);
        }
        db.Prepare("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, ActivateDate, "
                   "TransmitDate, SiteID, OrderTotal, OrderType, DeliveryDate, DistRepID, Status, PONumber, zev_rep) "
                   "values (?,?,?,?,?,?,1,?,0,?,?,'Open',?,?)")
            .Bind(1, number)
            .Bind(2, static_cast<std::int64_t>(order.accountId))
            .Bind(3, invoice)
            .Bind(4, receivedAt)
            .Bind(5, receivedAt)
            .Bind(6, receivedAt)
            .Bind(7, total)
            .Bind(8, ServerDate(order.deliveryDate))
            .Bind(9, static_cast<std::int64_t>(std::atoll(repId.c_str())))
            .Bind(10, order.odcText.substr(0, 20))
            .Bind(11, repId)
            .Run();
        auto line = db.Prepare("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, DistributorSKU, CQty, "
                               "SQty, CQtyShipped, SQtyShipped, CPrice, SPrice, ExtPrice, TransDate, zev_rep) values "
                               "(?,?,?,(select DistributorSKU from Items where ItemID = ?),?,?,0,0,?,?,?,?,?)");
        int n = 0;
        for (const ReceivedOrderLine& l : order.lines) {
            line.Bind(1, number)
                .Bind(2, static_cast<std::int64_t>(++n))
                .Bind(3, static_cast<std::int64_t>(l.itemId))
                .Bind(4, static_cast<std::int64_t>(l.itemId))
                .Bind(5, static_cast<std::int64_t>(l.cases))
                .Bind(6, static_cast<std::int64_t>(l.singles))
                .Bind(7, l.caseDistPrice)
                .Bind(8, l.singleDistPrice)
                .Bind(9, l.extPrice)
                .Bind(10, receivedAt)
                .Bind(11, repId)
                .Run();
        }
    }
}

void ApplyAccountEdit(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields)
{
    if (!HasTables(db, {"Accounts"}))
        return;
    const auto account = Integer(Plain(fields, "AccountID").value_or(""));
    if (!account || !OwnAccount(db, repId, *account))
        return;
    // Sent name -> master column; a field the body lacks keeps its value.
    static const std::pair<const char*, const char*> kColumns[] = {{"CompanyName", "CompanyName"},
                                                                   {"ContactName", "ContactName"},
                                                                   {"AltContactName", "AltContactName"},
                                                                   {"Address1", "Address1"},
                                                                   {"Address2", "Address2"},
                                                                   {"City", "City"},
                                                                   {"State", "State"},
                                                                   {"Zip", "Zip"},
                                                                   {"Phone", "Phone"},
                                                                   {"Fax", "Fax"},
                                                                   {"ApptDays", "ApptDays"},
                                                                   {"DeliveryDays", "DelivDays"},
                                                                   {"Email", "Email"},
                                                                   {"ApptTime1", "ApptTime1"},
                                                                   {"ApptTime2", "ApptTime2"},
                                                                   {"ApptTime3", "ApptTime3"},
                                                                   {"ApptTime4", "ApptTime4"},
                                                                   {"ApptTime5", "ApptTime5"},
                                                                   {"ApptTime6", "ApptTime6"},
                                                                   {"ApptTime7", "ApptTime7"}};
    const std::vector<std::string> present = db.Columns("Accounts");
    std::string set;
    std::vector<std::string> values;
    for (const auto& [sent, column] : kColumns) {
        const auto value = Plain(fields, sent);
        if (!value)
            continue;
        bool known = false;
        for (const std::string& c : present)
            known = known || strcasecmp(c.c_str(), column) == 0;
        if (!known)
            continue;
        set += std::string(set.empty() ? "" : ", ") + column + " = ?";
        values.push_back(*value);
    }
    if (set.empty())
        return;
    // A master table without the laptop's Updated column (an older
    // distributor schema) takes the edit all the same.
    bool hasUpdated = false;
    for (const std::string& c : present)
        hasUpdated = hasUpdated || strcasecmp(c.c_str(), "Updated") == 0;
    auto update =
        db.Prepare("update Accounts set " + set + (hasUpdated ? ", Updated = 0" : "") + " where AccountID = ?");
    int i = 1;
    for (const std::string& v : values)
        update.Bind(i++, v);
    update.Bind(i, static_cast<std::int64_t>(*account)).Run();
}

void ApplyNote(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields)
{
    if (!HasTables(db, {"DistributorRepNotes", "Accounts"}))
        return;
    const auto account = Integer(Plain(fields, "AccountID").value_or(""));
    const std::string entered = Plain(fields, "DateEntered").value_or("");
    if (!account || entered.empty() || !OwnAccount(db, repId, *account))
        return;
    if (Integer(Plain(fields, "UpdatedFlag").value_or("")).value_or(1) == 2) {
        db.Prepare("delete from DistributorRepNotes where AccountID = ? and DateEntered = ? and "
                   "(zev_rep is null or zev_rep = ?)")
            .Bind(1, static_cast<std::int64_t>(*account))
            .Bind(2, entered)
            .Bind(3, repId)
            .Run();
        return;
    }
    const std::string comment = Plain(fields, "Comment").value_or("");
    auto same = db.Prepare("select 1 from DistributorRepNotes where AccountID = ? and DateEntered = ? and Comment = ? "
                           "and zev_rep = ?");
    same.Bind(1, static_cast<std::int64_t>(*account)).Bind(2, entered).Bind(3, comment).Bind(4, repId);
    if (same.Step())
        return;
    // The note is already on the laptop that sent it, under the laptop's own
    // key: stamped old, it comes back only with a whole download (which
    // replaces the laptop's notes), never as a second copy in an update.
    db.Prepare("insert into DistributorRepNotes (DistRepID, AccountID, DateEntered, Comment, Updated, zev_rep, "
               "zev_stamp) values ((select coalesce(max(DistRepID), 0) + 1 from DistributorRepNotes), ?, ?, ?, 0, ?, "
               "'1900-01-01 00:00:00')")
        .Bind(1, static_cast<std::int64_t>(*account))
        .Bind(2, entered)
        .Bind(3, comment)
        .Bind(4, repId)
        .Run();
}

void ApplySurvey(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields)
{
    if (!HasTables(db, {"DoneSurveys", "Answers"}))
        return;
    const auto account = Integer(Plain(fields, "A").value_or(""));
    const auto survey = Integer(Plain(fields, "B").value_or(""));
    const long long completed = Integer(Plain(fields, "C").value_or("")).value_or(0);
    const std::string started = Plain(fields, "D").value_or("");
    const std::string ended = Plain(fields, "E").value_or("");
    if (!account || !survey)
        return;
    {
        auto same = db.Prepare("select 1 from DoneSurveys where AccountID = ? and SurveyID = ? and StartTime = ? and "
                               "zev_rep = ?");
        same.Bind(1, static_cast<std::int64_t>(*account))
            .Bind(2, static_cast<std::int64_t>(*survey))
            .Bind(3, started)
            .Bind(4, repId);
        if (same.Step())
            return;
    }
    std::int64_t doneId = 1;
    {
        auto next = db.Prepare("select coalesce(max(DoneID), 0) + 1 from DoneSurveys");
        if (next.Step())
            doneId = next.Int(0);
    }
    auto optionalText = [](const std::string& text) {
        return text.empty() || text == " " ? std::optional<std::string>() : std::optional<std::string>(text);
    };
    db.Prepare("insert into DoneSurveys (DoneID, SurveyID, AccountID, Completed, StartTime, EndTime, zev_rep) values "
               "(?,?,?,?,?,?,?)")
        .Bind(1, doneId)
        .Bind(2, static_cast<std::int64_t>(*survey))
        .Bind(3, static_cast<std::int64_t>(*account))
        .Bind(4, static_cast<std::int64_t>(completed))
        .Bind(5, optionalText(started))
        .Bind(6, optionalText(ended))
        .Bind(7, repId)
        .Run();
    auto answer = db.Prepare("insert or replace into Answers (DoneID, QuestionID, Type, Answer, Comment, zev_rep) "
                             "values (?,?,?,?,?,?)");
    for (const UploadField& f : fields) {
        if (f.part != 1 || f.name.size() < 2 || f.name[0] != 'R')
            continue;
        std::string parts[4];
        for (const UploadField& p : fields)
            if (p.name == f.name && p.part >= 1 && p.part <= 4)
                parts[p.part - 1] = p.value;
        const auto question = Integer(parts[0]);
        if (!question)
            continue;
        answer.Bind(1, doneId)
            .Bind(2, static_cast<std::int64_t>(*question))
            .Bind(3, static_cast<std::int64_t>(Integer(parts[1]).value_or(0)))
            .Bind(4, parts[2])
            .Bind(5, parts[3])
            .Bind(6, repId);
        answer.Run();
    }
}

void ApplyFormAnswer(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields)
{
    if (!HasTables(db, {"FormsFilled", "Accounts"}))
        return;
    const auto form = Integer(Plain(fields, "FormID").value_or(""));
    const auto account = Integer(Plain(fields, "AccountID").value_or(""));
    const auto question = Integer(Plain(fields, "QuestionID").value_or(""));
    if (!form || !account || !question || !OwnAccount(db, repId, *account))
        return;
    db.Prepare("delete from FormsFilled where FormID = ? and AccountID = ? and QuestionID = ?")
        .Bind(1, static_cast<std::int64_t>(*form))
        .Bind(2, static_cast<std::int64_t>(*account))
        .Bind(3, static_cast<std::int64_t>(*question))
        .Run();
    db.Prepare("insert into FormsFilled (FormID, AccountID, Updated, QuestionID, Answer, zev_rep) values "
               "(?,?,0,?,?,?)")
        .Bind(1, static_cast<std::int64_t>(*form))
        .Bind(2, static_cast<std::int64_t>(*account))
        .Bind(3, static_cast<std::int64_t>(*question))
        .Bind(4, Plain(fields, "Answer").value_or(""))
        .Bind(5, repId)
        .Run();
}

} // namespace zev::server
