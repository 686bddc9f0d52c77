// One account's past orders: narrowed by period and by item, an account
// without history, and a past order copied into the guide (existing lines,
// new lines, an item no longer sold, the same item twice, prices of now).
#include "orders/PastOrders.h"

#include "GuideDb.h"
#include "orders/OrderGuide.h"

#include <gtest/gtest.h>

namespace {

using zev::PastOrders;

std::time_t At(int y, int m, int d, int hh = 0)
{
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = m - 1;
    t.tm_mday = d;
    t.tm_hour = hh;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class PastOrdersTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        AddItem(1, "Zinfandel", 12);
        AddItem(2, "Albarino", 6);
        AddItem(3, "Gone Rose", 12, 1, 1); // no longer sold
        AddGuide(7);
        AddLine(7, 1, 1, 0, 5);
        Order(100, "2026-03-01 00:00:00", {{1, 2, 0}, {2, 1, 1}});
        Order(101, "2026-02-28 23:59:59", {{1, 1, 0}});
        Order(102, "2025-12-01 10:00:00", {{3, 4, 0}, {2, 1, 0}, {2, 0, 2}});
        ASSERT_TRUE(db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate) values (200, 8, "
                            "'2026-03-01 09:00:00')"));
    }
    struct Line {
        int item, cases, singles;
    };
    void Order(int number, const std::string& when, const std::vector<Line>& lines)
    {
        ASSERT_TRUE(db.Exec("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, OrderTotal, "
                            "Status) values (" +
                            std::to_string(number) + ", 7, 'INV" + std::to_string(number) + "', '" + when +
                            "', 99.5, 'Invoiced')"));
        int n = 0;
        for (const Line& l : lines)
            ASSERT_TRUE(db.Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, DistributorSKU, "
                                "CQty, SQty) values (" +
                                std::to_string(number) + ", " + std::to_string(++n) + ", " + std::to_string(l.item) +
                                ", 'S" + std::to_string(l.item) + "', " + std::to_string(l.cases) + ", " +
                                std::to_string(l.singles) + ")"));
    }
    static std::string Invoices(const std::vector<PastOrders::Order>& orders)
    {
        std::string s;
        for (const auto& o : orders)
            s += (s.empty() ? "" : ",") + o.invoice;
        return s;
    }
    int Units(int item)
    {
        return Int("select CaseQTY * " + std::string(item == 2 ? "6" : "12") +
                   " + SingleQTY from WorkOrderItems where AccountID = 7 and ItemID = " + std::to_string(item));
    }
};

TEST_F(PastOrdersTest, PeriodAndItemNarrowTheList)
{
    const std::time_t now = At(2026, 3, 1, 12);
    const auto all = PastOrders::Load(7, {}, now);
    EXPECT_EQ(Invoices(all), "INV100,INV101,INV102");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].date, "03/01/2026");
    EXPECT_EQ(all[0].lines, 2);
    EXPECT_EQ(all[0].status, "Invoiced");
    EXPECT_DOUBLE_EQ(all[0].total, 99.5);

    struct Case {
        PastOrders::Filter filter;
        const char* want;
    };
    const Case cases[] = {
        {{1, ""}, "INV100"},             // today only: the order at midnight, not the one a second before
        {{2, ""}, "INV100,INV101"},      // yesterday across the month end
        {{0, "S2"}, "INV100,INV102"},    // by item number
        {{0, "U1"}, "INV100,INV101"},    // by UPC
        {{0, "albar"}, "INV100,INV102"}, // by part of the description
        {{2, "Albarino"}, "INV100"},     // both
        {{0, "it's"}, ""},               // an apostrophe is only text
    };
    for (const Case& c : cases)
        EXPECT_EQ(Invoices(PastOrders::Load(7, c.filter, now)), c.want) << c.filter.days << " " << c.filter.item;
    EXPECT_TRUE(PastOrders::Load(9, {}, now).empty()); // an account without history
}

TEST_F(PastOrdersTest, CopyReplacesQuantitiesAddsLinesAndSkipsWhatIsNoLongerSold)
{
    zev::OrderGuide guide(7, 3, zev::OrderSettings{});
    ASSERT_TRUE(guide.Load(0));
    int priced = 0;
    const auto price = [&](int, float& c, float& s, int units, int, unsigned) {
        ++priced;
        c = 40.0f + static_cast<float>(units);
        s = 4.0f;
        return true;
    };
    const auto r = PastOrders::CopyToGuide(guide, 102, 10, price);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.copied, 1); // item 2 twice is one line
    EXPECT_EQ(r.added, 1);
    ASSERT_EQ(r.skipped, std::vector<std::string>{"S3"});
    EXPECT_EQ(Units(2), 6 + 2);
    EXPECT_EQ(Units(1), 5); // not in that order: left as it was
    EXPECT_EQ(Int("select max(LineItemNumber) from WorkOrderItems where ItemID = 2"), 2);
    EXPECT_EQ(Text("select CDistPrice from WorkOrderItems where ItemID = 2").substr(0, 2),
              "48"); // priced for 8
    EXPECT_GT(priced, 0);
    EXPECT_EQ(guide.Rows().size(), 2u);
    EXPECT_NE(PastOrders::CopyReport(r).find("no longer sold and were left out: S3"), std::string::npos);

    const auto again = PastOrders::CopyToGuide(guide, 100, 10, {});
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.copied, 2);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(Units(1), 24); // replaced, not added to
    EXPECT_EQ(Units(2), 7);
}

TEST_F(PastOrdersTest, AFailedWriteLeavesTheGuideAsItWas)
{
    zev::OrderGuide guide(7, 3, zev::OrderSettings{});
    ASSERT_TRUE(guide.Load(0));
    ASSERT_TRUE(RawExec("create trigger refuse before insert on WorkOrderItems begin select raise(abort, 'no'); end;"));
    const auto r = PastOrders::CopyToGuide(guide, 100, 10, {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(guide.Rows().size(), 1u);
    EXPECT_EQ(Units(1), 5);
    EXPECT_EQ(Int("select count(*) from WorkOrderItems"), 1);
    EXPECT_NE(PastOrders::CopyReport(r).find("was not changed"), std::string::npos);
}

} // namespace
