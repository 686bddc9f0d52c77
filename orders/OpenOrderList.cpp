#include "orders/OpenOrderList.h"

#include "orders/RecentOrders.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

namespace zev {

namespace {

std::string Shown(const std::string& stamp)
{
    const std::time_t t = RecentOrders::ParseStamp(stamp);
    if (t < 0)
        return {};
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%m/%d/%Y", &local);
    return text;
}

std::string Quantity(int units, int perCase, bool inUnits)
{
    if (inUnits)
        return std::to_string(units);
    perCase = perCase > 0 ? perCase : 1;
    return SqlText::Format("%d / %d", units / perCase, units % perCase);
}

} // namespace

bool OpenOrderList::IsBackorderType(const std::string& type)
{
    const std::string t = SqlText::Trim(type);
    return t == "BO" || t == "MO" || t == "IN";
}

std::vector<OpenOrderList::Order> OpenOrderList::Load(int accountId, int poolKey)
{
    std::vector<Order> orders;
    Query q("", "", poolKey);
    if (q.Open(SqlText::Format("select InvoiceNumber, InvoiceDate, DeliveryDate, TSOrderType, ItemCount, "
                               "InvoiceTotal, PONumber, (select count(*) from OpenOrderItems I where I.AccountID = "
                               "O.AccountID and I.InvoiceNumber = O.InvoiceNumber) from OpenOrders O where "
                               "O.AccountID=%d order by O.InvoiceDate desc, O.InvoiceNumber desc",
                               accountId)) == 0)
        return orders;
    for (; q.IsEOF() == 0; q.MoveNext()) {
        Order o;
        o.invoice = SqlText::Trim(q.GetFieldValueString(0));
        o.date = Shown(q.GetFieldValueString(1));
        o.delivery = Shown(q.GetFieldValueString(2));
        o.type = SqlText::Trim(q.GetFieldValueString(3));
        o.backorder = IsBackorderType(o.type);
        // The header's count, or the lines on hand when the distributor left it out.
        o.items = q.GetFieldValueInt(4) > 0 ? q.GetFieldValueInt(4) : q.GetFieldValueInt(7);
        o.total = q.GetFieldValueDouble(5);
        o.po = SqlText::Trim(q.GetFieldValueString(6));
        orders.push_back(std::move(o));
    }
    return orders;
}

OrderDetails OpenOrderList::Details(int accountId, const std::string& account, const Order& order, bool inUnits,
                                    int poolKey)
{
    OrderDetails details;
    details.number = "Invoice " + order.invoice;
    details.date = order.date;
    details.account = account;
    details.status = order.type.empty() ? "Open" : order.type + (order.backorder ? " (backorder)" : "");
    if (!order.delivery.empty())
        details.facts.emplace_back("Delivery", order.delivery);
    if (!order.po.empty())
        details.facts.emplace_back("PO", order.po);
    Query q("", "", poolKey);
    if (q.Open(SqlText::Format("select I.Description, I.DistributorSKU, OI.QtyOrdered, OI.QtyShipped, OI.ExtPrice, "
                               "I.QtyPerCase, I.QtyOnHand, OI.ItemID from OpenOrderItems OI left join Items I on "
                               "I.ItemID = OI.ItemID where OI.AccountID=%d and OI.InvoiceNumber='%s' order by "
                               "OI.LineNumber",
                               accountId, SqlText::Clean(order.invoice).c_str())) != 0) {
        for (; q.IsEOF() == 0; q.MoveNext()) {
            OrderDetails::Line line;
            line.description = SqlText::Trim(q.GetFieldValueString(0));
            line.sku = SqlText::Trim(q.GetFieldValueString(1));
            if (line.description.empty())
                line.description = "Item " + std::to_string(q.GetFieldValueInt(7)) + " (no longer in the catalogue)";
            const int perCase = q.GetFieldValueInt(5);
            line.quantity = Quantity(q.GetFieldValueInt(2), perCase, inUnits);
            line.amount = q.GetFieldValueDouble(4);
            if (order.backorder)
                line.note = "backordered, distributor stock " + Quantity(q.GetFieldValueInt(6), perCase, inUnits);
            details.lines.push_back(std::move(line));
        }
    }
    return details;
}

} // namespace zev
