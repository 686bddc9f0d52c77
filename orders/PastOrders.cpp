#include "orders/PastOrders.h"

#include "orders/GuideCommands.h"
#include "orders/OrderGuide.h"
#include "orders/RecentOrders.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <algorithm>
#include <map>

namespace zev {

namespace {

std::string Shown(std::time_t t)
{
    if (t < 0)
        return {};
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%m/%d/%Y", &local);
    return text;
}

// Local midnight `days` - 1 days before today: the last N days include today.
std::string Since(int days, std::time_t now)
{
    std::tm t{};
    localtime_r(&now, &t);
    t.tm_mday -= days - 1;
    t.tm_hour = t.tm_min = t.tm_sec = 0;
    t.tm_isdst = -1;
    const std::time_t from = std::mktime(&t);
    std::tm local{};
    localtime_r(&from, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace

std::string PastOrders::Statement(int accountId, const Filter& filter, std::time_t now)
{
    std::string sql = SqlText::Format("select H.OrderNumber, H.DistInvoice, H.TransDate, H.OrderTotal, (select "
                                      "count(*) from OrderHistoryItems I where I.OrderNumber = H.OrderNumber), "
                                      "H.Status from OrderHistory H where H.AccountID=%d",
                                      accountId);
    if (filter.days > 0)
        sql += " and H.TransDate >= '" + Since(filter.days, now) + "'";
    const std::string item = SqlText::Clean(filter.item);
    if (!item.empty())
        sql += " and exists (select 1 from OrderHistoryItems I left join Items T on T.ItemID = I.ItemID where "
               "I.OrderNumber = H.OrderNumber and (I.DistributorSKU = '" +
               item + "' or T.UPC = '" + item + "' or T.Description like '%" + item + "%'))";
    sql += " order by H.TransDate desc, H.OrderNumber desc";
    return sql;
}

std::vector<PastOrders::Order> PastOrders::Load(int accountId, const Filter& filter, std::time_t now, int poolKey)
{
    std::vector<Order> orders;
    const std::string sql = Statement(accountId, filter, now);
    Query q("", "", poolKey);
    if (q.Open(sql) == 0)
        return orders;
    for (; q.IsEOF() == 0; q.MoveNext()) {
        Order o;
        o.orderNumber = q.GetFieldValueInt(0);
        o.invoice = SqlText::Trim(q.GetFieldValueString(1));
        if (o.invoice.empty())
            o.invoice = std::to_string(o.orderNumber);
        o.date = Shown(RecentOrders::ParseStamp(q.GetFieldValueString(2)));
        o.total = q.GetFieldValueDouble(3);
        o.lines = q.GetFieldValueInt(4);
        o.status = SqlText::Trim(q.GetFieldValueString(5));
        orders.push_back(std::move(o));
    }
    return orders;
}

PastOrders::CopyOutcome PastOrders::CopyToGuide(OrderGuide& guide, int orderNumber, int catalogId,
                                                const PriceBinding::PriceFn& price, int poolKey)
{
    CopyOutcome out;
    struct Line {
        int itemId;
        std::string sku;
        int cases, singles;
    };
    std::vector<Line> lines;
    {
        Query q("", "", poolKey);
        if (q.Open(SqlText::Format("select ItemID, DistributorSKU, CQty, SQty from OrderHistoryItems where "
                                   "OrderNumber=%d order by LineNumber",
                                   orderNumber)) == 0)
            return out;
        for (; q.IsEOF() == 0; q.MoveNext())
            lines.push_back({q.GetFieldValueInt(0), SqlText::Trim(q.GetFieldValueString(1)), q.GetFieldValueInt(2),
                             q.GetFieldValueInt(3)});
    }
    // Worked on a copy: a failed write leaves the screen's guide as it was.
    OrderGuide work = guide;
    auto& rows = work.Rows();
    std::map<int, std::size_t> copiedAt; // an item twice in one order: the quantities add up
    for (const Line& line : lines) {
        std::size_t at = rows.size();
        if (auto it = copiedAt.find(line.itemId); it != copiedAt.end()) {
            at = it->second;
        } else {
            Query item("", "", poolKey);
            const bool sold = item.Open(SqlText::Format("select DistributorSKU from Items where ItemID=%d and "
                                                        "DeletedFlag=0",
                                                        line.itemId)) != 0 &&
                              item.IsEOF() == 0;
            if (!sold) {
                out.skipped.push_back(line.sku.empty() ? std::to_string(line.itemId) : line.sku);
                continue;
            }
            const auto same = [&](const OrderGuideRow& r) { return r.itemId == line.itemId; };
            at = static_cast<std::size_t>(std::find_if(rows.begin(), rows.end(), same) - rows.begin());
            if (at == rows.size()) {
                std::optional<OrderGuideRow> row =
                    GuideCommands::LookUp(SqlText::Trim(item.GetFieldValueString(0)), catalogId, price, poolKey);
                if (!row || row->itemId != line.itemId) {
                    out.skipped.push_back(line.sku.empty() ? std::to_string(line.itemId) : line.sku);
                    continue;
                }
                int highest = 0;
                for (const auto& r : rows)
                    highest = std::max(highest, r.lineItemNumber);
                for (const auto& r : work.HiddenRows())
                    highest = std::max(highest, r.lineItemNumber);
                row->lineItemNumber = highest + 1;
                work.Insert(rows.size(), std::move(*row));
                at = rows.size() - 1;
                ++out.added;
            }
            rows[at].units = 0;
            copiedAt.emplace(line.itemId, at);
            ++out.copied;
        }
        OrderGuideRow& r = rows[at];
        const int units = r.units + std::max(0, line.cases) * r.qtyPerCase + std::max(0, line.singles);
        if (price) {
            float casePrice = 0, singlePrice = 0;
            if (price(r.itemId, casePrice, singlePrice, units, r.catalogId, r.specialFlag)) {
                r.casePrice = casePrice;
                r.singlePrice = singlePrice;
            }
        }
        work.SetUnits(at, units);
    }
    if (out.copied == 0) {
        out.ok = true; // nothing left to copy: the guide stays as it is
        return out;
    }
    if (!work.Save())
        return out;
    guide = std::move(work);
    out.ok = true;
    return out;
}

std::string PastOrders::CopyReport(const CopyOutcome& o)
{
    if (!o.ok)
        return "The order could not be copied to the order guide. The guide was not changed.";
    std::string text =
        std::to_string(o.copied) + (o.copied == 1 ? " line was" : " lines were") + " copied to the order guide";
    text += o.added > 0 ? " (" + std::to_string(o.added) + " of them new to the guide).\n" : ".\n";
    if (!o.skipped.empty()) {
        text += "These items are no longer sold and were left out:";
        for (const std::string& s : o.skipped)
            text += " " + s;
        text += "\n";
    }
    return text;
}

} // namespace zev
