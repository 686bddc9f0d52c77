#include "server/MasterUpdates.h"

#include "server/OrderBody.h"
#include "server/SqlDatabase.h"
#include "server/UploadBody.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

namespace zev::server {

namespace {

std::optional<long long> Integer(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    while (end != nullptr && *end == ' ')
        ++end;
    return end != nullptr && *end == '\0' ? std::optional<long long>(v) : std::nullopt;
}

double Real(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

bool HasTables(SqlDatabase& db, std::initializer_list<const char*> tables) {
    for (const char* t : tables)
        if (!db.TableExists(t))
            return false;
    return true;
}

// "MM/dd/yyyy" as the server's date form; other texts unchanged.
std::string ServerDate(const std::string& date) {
    int m = 0, d = 0, y = 0;
    if (std::sscanf(date.c_str(), "%d/%d/%d", &m, &d, &y) != 3)
        return date;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d 00:00:00", y, m, d);
    return text;
}

} // namespace

void ApplyOrderGuide(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields) {
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
                        const std::string& receivedAt) {
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

} // namespace zev::server
