// One account's open orders: newest first, backorder types marked, the item
// count taken from the lines when the header has none, and the details of a
// backorder with an item no longer in the catalogue.
#include "orders/OpenOrderList.h"

#include "GuideDb.h"

#include <gtest/gtest.h>

namespace {

using zev::OpenOrderList;
using zev::OrderDetails;

class OpenOrderListTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        AddItem(1, "Zinfandel", 12);
        Order("880001", "2026-02-10 00:00:00", "SO", 2);
        Order("880002", "2026-03-01 00:00:00", "BO", 0);
        Order("880003", "2026-01-05 00:00:00", "IN", 1);
        ASSERT_TRUE(db.Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType) values (8, '990001', "
                            "'SO')"));
        Line("880002", 1, 1, 30, 75.0);
        Line("880002", 2, 42, 6, 12.0);
    }
    void Order(const std::string& invoice, const std::string& date, const std::string& type, int items)
    {
        ASSERT_TRUE(db.Exec("insert into OpenOrders (AccountID, InvoiceNumber, ItemCount, InvoiceTotal, TSOrderType, "
                            "InvoiceDate, DeliveryDate, PONumber) values (7, '" +
                            invoice + "', " + std::to_string(items) + ", 87.0, '" + type + "', '" + date +
                            "', '2026-03-04 00:00:00', 'PO7')"));
    }
    void Line(const std::string& invoice, int line, int item, int units, double amount)
    {
        ASSERT_TRUE(db.Exec("insert into OpenOrderItems (AccountID, InvoiceNumber, LineNumber, ItemID, QtyOrdered, "
                            "CaseFlag, ExtPrice, QtyShipped) values (7, '" +
                            invoice + "', " + std::to_string(line) + ", " + std::to_string(item) + ", " +
                            std::to_string(units) + ", 0, " + std::to_string(amount) + ", 0)"));
    }
};

TEST_F(OpenOrderListTest, NewestFirstWithBackordersMarked)
{
    const auto orders = OpenOrderList::Load(7);
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0].invoice, "880002");
    EXPECT_EQ(orders[1].invoice, "880001");
    EXPECT_EQ(orders[2].invoice, "880003");
    EXPECT_TRUE(orders[0].backorder);
    EXPECT_FALSE(orders[1].backorder);
    EXPECT_TRUE(orders[2].backorder); // 'IN' counts as a backorder too
    EXPECT_EQ(orders[0].items, 2);    // no count in the header: the lines are counted
    EXPECT_EQ(orders[1].items, 2);
    EXPECT_EQ(orders[0].date, "03/01/2026");
    EXPECT_EQ(orders[0].delivery, "03/04/2026");
    EXPECT_TRUE(OpenOrderList::Load(9).empty());
}

TEST_F(OpenOrderListTest, DetailsOfABackorder)
{
    const auto orders = OpenOrderList::Load(7);
    const std::string text = OpenOrderList::DetailsText(7, orders[0], false);
    const OrderDetails details = OpenOrderList::Details(7, "Corner Wines", orders[0], false);
    using Facts = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(details.Header(), (Facts{{"Order", "Invoice 880002"},
                                       {"Date", "03/01/2026"},
                                       {"Account", "Corner Wines"},
                                       {"Status", orders[0].type + " (backorder)"},
                                       {"Delivery", "03/04/2026"},
                                       {"PO", "PO7"},
                                       {"Total", "2 lines, total $87.00"}}));
    EXPECT_NE(text.find("Order: Invoice 880002\nDate: 03/01/2026\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Zinfandel\tS1\t2 / 6\t75.00\tbackordered, distributor stock 41 / 8"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Item 42 (no longer in the catalogue)"), std::string::npos) << text;
    EXPECT_NE(text.find("2 lines, total $87.00"), std::string::npos) << text;
    EXPECT_NE(OpenOrderList::DetailsText(7, orders[0], true).find("\t30\t75.00"), std::string::npos);
    EXPECT_NE(OpenOrderList::DetailsText(7, orders[2], false).find("No lines."), std::string::npos);
}

} // namespace
