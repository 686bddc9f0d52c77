// The recent orders of a period: the ranges around midnight, month and year
// ends and week starts, the unsent orders among the sent ones, and the
// details of an order whose item is no longer in the catalogue.
#include "orders/RecentOrders.h"

#include "GuideDb.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using zev::RecentOrders;
using Period = RecentOrders::Period;

// Local time of the tests is UTC (the test environment sets TZ).
std::time_t At(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
{
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = m - 1;
    t.tm_mday = d;
    t.tm_hour = hh;
    t.tm_min = mm;
    t.tm_sec = ss;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

TEST(RecentOrdersRangeTest, PeriodsAroundMidnightMonthAndYearEnds)
{
    struct Case {
        const char* what;
        Period period;
        std::time_t now, from, to;
    };
    const Case cases[] = {
        {"today just after midnight", Period::Today, At(2026, 3, 1, 0, 0, 30), At(2026, 3, 1), At(2026, 3, 2)},
        {"today just before midnight", Period::Today, At(2026, 2, 28, 23, 59, 59), At(2026, 2, 28), At(2026, 3, 1)},
        {"yesterday across a month end", Period::Yesterday, At(2026, 3, 1, 0, 0, 30), At(2026, 2, 28), At(2026, 3, 1)},
        {"yesterday across a year end", Period::Yesterday, At(2027, 1, 1, 8), At(2026, 12, 31), At(2027, 1, 1)},
        {"the week of a Sunday starts that day", Period::ThisWeek, At(2026, 3, 1, 9), At(2026, 3, 1), At(2026, 3, 8)},
        {"the week of a Saturday started six days before", Period::ThisWeek, At(2026, 3, 7, 12), At(2026, 3, 1),
         At(2026, 3, 8)},
        {"the week reaches back into February", Period::ThisWeek, At(2026, 2, 28, 23, 59, 59), At(2026, 2, 22),
         At(2026, 3, 1)},
        {"the month ends at the year's end", Period::ThisMonth, At(2026, 12, 31, 23, 59, 59), At(2026, 12, 1),
         At(2027, 1, 1)},
        {"February of a leap year", Period::ThisMonth, At(2028, 2, 29, 12), At(2028, 2, 1), At(2028, 3, 1)},
    };
    for (const Case& c : cases) {
        const auto r = RecentOrders::RangeOf(c.period, c.now);
        EXPECT_EQ(r.from, c.from) << c.what;
        EXPECT_EQ(r.to, c.to) << c.what;
    }
}

TEST(RecentOrdersRangeTest, StampsOfBothTablesAreRead)
{
    EXPECT_EQ(RecentOrders::ParseStamp("{ts '2026-03-01 09:15:00'}"), At(2026, 3, 1, 9, 15));
    EXPECT_EQ(RecentOrders::ParseStamp("2026-02-28 23:59:59"), At(2026, 2, 28, 23, 59, 59));
    EXPECT_EQ(RecentOrders::ParseStamp("03/01/2026"), At(2026, 3, 1));
    EXPECT_EQ(RecentOrders::ParseStamp(""), -1);
    EXPECT_EQ(RecentOrders::ParseStamp("soon"), -1);
    EXPECT_EQ(RecentOrders::ParseStamp("2026-13-01"), -1);
}

class RecentOrdersTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber) values (7, 'Corner Wines', "
                            "'1001')"));
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber) values (8, 'Harbour Bar', "
                            "'1002')"));
        AddItem(1, "Zinfandel", 12);
    }
    void Sent(int number, int account, const std::string& when, double total)
    {
        ASSERT_TRUE(db.Exec("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, OrderTotal, "
                            "SiteID) values (" +
                            std::to_string(number) + ", " + std::to_string(account) + ", 'INV" +
                            std::to_string(number) + "', '" + when + "', " + std::to_string(total) + ", 1)"));
    }
    void Ready(int id, int account, const std::string& created)
    {
        ASSERT_TRUE(db.Exec("insert into ReadyOrder (AccountID, ReadyID, OrderType, CreateTime) values (" +
                            std::to_string(account) + ", " + std::to_string(id) + ", 0, '" + created + "')"));
        ASSERT_TRUE(db.Exec("insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, LineItemNumber, "
                            "ExtPrice) values (" +
                            std::to_string(account) + ", " + std::to_string(id) + ", 1, 2, 3, 1, 55.5)"));
    }
    static std::string Numbers(const std::vector<RecentOrders::Row>& rows)
    {
        std::string s;
        for (const auto& r : rows)
            s += (s.empty() ? "" : ",") + r.number;
        return s;
    }
};

TEST_F(RecentOrdersTest, UnsentFirstThenTheSentOfThePeriodNewestFirst)
{
    Sent(1, 7, "2026-02-28 23:59:59", 10);
    Sent(2, 8, "2026-03-01 00:00:00", 20);
    Sent(3, 7, "2026-03-01 17:30:00", 30);
    Sent(4, 7, "2026-02-01 00:00:00", 40);
    Ready(11, 8, "{ts ''2026-03-01 10:00:00''}"); // as stored: apostrophes doubled in the statement
    Ready(12, 7, "{ts ''2026-02-20 10:00:00''}");
    Ready(13, 7, "garbled");
    const std::time_t now = At(2026, 3, 1, 18);

    const auto today = RecentOrders::Load(Period::Today, now);
    EXPECT_EQ(Numbers(today), "Ready 11,Ready 13,INV3,INV2");
    ASSERT_EQ(today.size(), 4u);
    EXPECT_FALSE(today[0].sent);
    EXPECT_EQ(today[0].account, "Harbour Bar");
    EXPECT_EQ(today[0].date, "03/01/2026");
    EXPECT_EQ(today[0].lines, 1);
    EXPECT_DOUBLE_EQ(today[0].total, 55.5);
    EXPECT_EQ(today[1].date, ""); // unreadable creation time: shown, without a date
    EXPECT_TRUE(today[2].sent);
    EXPECT_EQ(today[2].date, "03/01/2026");
    EXPECT_DOUBLE_EQ(today[2].total, 30);

    EXPECT_EQ(Numbers(RecentOrders::Load(Period::Yesterday, now)), "Ready 13,INV1");
    EXPECT_EQ(Numbers(RecentOrders::Load(Period::ThisMonth, now)), "Ready 11,Ready 13,INV3,INV2");
    EXPECT_EQ(Numbers(RecentOrders::Load(Period::ThisWeek, now)), "Ready 11,Ready 13,INV3,INV2");
    EXPECT_EQ(Numbers(RecentOrders::Load(Period::Open, now)), "Ready 11,Ready 12,Ready 13");
    EXPECT_EQ(RecentOrders::Waiting(), 3);
}

TEST_F(RecentOrdersTest, NothingOrderedGivesAnEmptyList)
{
    EXPECT_TRUE(RecentOrders::Load(Period::ThisMonth, At(2026, 3, 1)).empty());
    EXPECT_EQ(RecentOrders::Waiting(), 0);
}

TEST_F(RecentOrdersTest, DetailsListTheLinesEvenOfAnItemNoLongerSold)
{
    Sent(5, 7, "2026-03-01 09:00:00", 80);
    ASSERT_TRUE(db.Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, DistributorSKU, CQty, SQty, "
                        "ExtPrice) values (5, 1, 1, 'S1', 2, 3, 60)"));
    ASSERT_TRUE(db.Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, DistributorSKU, CQty, SQty, "
                        "ExtPrice) values (5, 2, 99, 'S99', 1, 0, 20)"));
    const auto rows = RecentOrders::Load(Period::Today, At(2026, 3, 1, 12));
    ASSERT_EQ(rows.size(), 1u);
    const std::string text = RecentOrders::DetailsText(rows[0], false);
    EXPECT_NE(text.find("Zinfandel\tS1\t2 / 3\t60.00"), std::string::npos) << text;
    EXPECT_NE(text.find("Item S99 (no longer in the catalogue)\tS99\t1 / 0\t20.00"), std::string::npos) << text;
    EXPECT_NE(text.find("2 lines, total $80.00"), std::string::npos) << text;
    // In units: 2 cases of 12 and 3 singles.
    EXPECT_NE(RecentOrders::DetailsText(rows[0], true).find("\t27\t"), std::string::npos);
}

} // namespace
