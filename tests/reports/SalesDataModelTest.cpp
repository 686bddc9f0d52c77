// The sales data screen's logic: figures against quota, the top items, the
// order dates and the sort rules of each column.
#include "reports/SalesDataModel.h"
#include "reports/DateTimeText.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using zev::LocalDateTime;
using zev::ParseDateTime;
using zev::SalesDataModel;
using Strings = std::vector<std::string>;

struct DateCase {
    const char* text;
    int year, month, day, hour, minute, second;
    bool valid;
    const char* shortDate;
};

class DateTimeTextTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTimeTextTest, ReadsTheOrderDates)
{
    const DateCase& c = GetParam();
    const LocalDateTime t = ParseDateTime(c.text);
    EXPECT_EQ(t.valid, c.valid);
    EXPECT_EQ(t.year, c.year);
    EXPECT_EQ(t.month, c.month);
    EXPECT_EQ(t.day, c.day);
    EXPECT_EQ(t.hour, c.hour);
    EXPECT_EQ(t.minute, c.minute);
    EXPECT_EQ(t.second, c.second);
    EXPECT_EQ(zev::ShortDate(t), c.shortDate);
}

INSTANTIATE_TEST_SUITE_P(Forms, DateTimeTextTest,
                         ::testing::Values(DateCase{"3/7/2005 12:30:00 PM", 2005, 3, 7, 12, 30, 0, true, "03/07/05"},
                                           DateCase{"3/7/05", 2005, 3, 7, 0, 0, 0, true, "03/07/05"},
                                           DateCase{"3/7/2005 1:05:09 pm", 2005, 3, 7, 13, 5, 9, true, "03/07/05"},
                                           DateCase{"3/7/2005 12:10:00 AM", 2005, 3, 7, 0, 10, 0, true, "03/07/05"},
                                           DateCase{"12/31/99", 1999, 12, 31, 0, 0, 0, true, "12/31/99"},
                                           DateCase{"1/1/37", 2037, 1, 1, 0, 0, 0, true, "01/01/37"},
                                           DateCase{"1/1/38", 1938, 1, 1, 0, 0, 0, true, "01/01/38"},
                                           // The database's own form.
                                           DateCase{"2026-12-08 17:45:03", 2026, 12, 8, 17, 45, 3, true, "12/08/26"},
                                           DateCase{"2026-02-01", 2026, 2, 1, 0, 0, 0, true, "02/01/26"},
                                           // Unreadable texts are 1 January 1970 and show as N/A.
                                           DateCase{"", 1970, 1, 1, 0, 0, 0, false, "N/A"},
                                           DateCase{"3/7", 1970, 1, 1, 0, 0, 0, false, "N/A"},
                                           DateCase{"2/30/2005", 1970, 1, 1, 0, 0, 0, false, "N/A"},
                                           DateCase{"13/1/2005", 1970, 1, 1, 0, 0, 0, false, "N/A"},
                                           DateCase{"yesterday", 1970, 1, 1, 0, 0, 0, false, "N/A"}));

class SalesDataModelTest : public ::testing::Test {
protected:
    SalesDataModelTest()
    {
        Item(1, "CABERNET RESERVE", 2, "W-10", "750ML", "2019", "012345", "Estate");
        Item(2, "spring water", 4, "9", "500ML", "", "99", "bb");
        // Blank vintages and padded sizes add no stray blanks to the text.
        Item(3, "Pale Ale", 2, "10", "12OZ  ", " ", "Ab", "a");
        Order(100, 7, "2025-03-07 12:30:00", 3);
        Line(100, 1, 1, 2, 0, 250.0);
        Line(100, 2, 2, 1, 6, 19.5);
        Order(101, 7, "2026-01-15 09:00:00", 3);
        Line(101, 1, 1, 1, 0, 125.0);
        Line(101, 2, 3, 0, 5, 12.25);
        // An order that was never invoiced does not count among the top items.
        Order(102, 7, "2026-02-01 09:00:00", 1);
        Line(102, 1, 2, 50, 0, 9999.0);
        // The top items show only for an account with a sales row.
        Sales(7, "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0");
    }

    void Item(int id, const std::string& description, int kind, const std::string& sku, const std::string& size,
              const std::string& vintage, const std::string& upc, const std::string& note)
    {
        EXPECT_TRUE(db.Exec("insert into Items (ItemID, Description, ProductKind, DistributorSKU, ItemVolume, Vintage, "
                            "UPC, ItemNote, DeletedFlag) values (" +
                            std::to_string(id) + ", '" + description + "', " + std::to_string(kind) + ", '" + sku +
                            "', '" + size + "', '" + vintage + "', '" + upc + "', '" + note + "', 0)"));
    }
    void Order(int number, int account, const std::string& date, int site)
    {
        EXPECT_TRUE(db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate, SiteID) values (" +
                            std::to_string(number) + ", " + std::to_string(account) + ", '" + date + "', " +
                            std::to_string(site) + ")"));
    }
    void Line(int order, int line, int item, int cases, int singles, double ext)
    {
        EXPECT_TRUE(db.Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, CQty, SQty, ExtPrice) "
                            "values (" +
                            std::to_string(order) + ", " + std::to_string(line) + ", " + std::to_string(item) + ", " +
                            std::to_string(cases) + ", " + std::to_string(singles) + ", " + std::to_string(ext) + ")"));
    }
    void Sales(int account, const std::string& values)
    {
        EXPECT_TRUE(db.Exec("insert into AccountSalesData values (" + std::to_string(account) + ", " + values + ")"));
    }
    Strings Column(const SalesDataModel& model, int column) const
    {
        Strings cells;
        for (int r = 0; r < static_cast<int>(model.Rows().size()); ++r)
            cells.push_back(model.Text(r, column));
        return cells;
    }

    zev::test::TestDatabase db;
};

TEST_F(SalesDataModelTest, PercentOfQuotaAndNotApplicable)
{
    // 250.00 of 1000.00 is 25.00 %; a quota of 0.0 leaves N/A.
    Sales(9, "250, 10, 20, 30, 40, 50, 1000, 0, 80, 0.0, 400, 0");
    SalesDataModel model({});
    model.Fill(9);
    ASSERT_TRUE(model.HasSalesRow());
    EXPECT_EQ(model.Amounts()[0], "250.00");
    EXPECT_EQ(model.Quotas()[0], "1000.00");
    EXPECT_EQ(model.Percents(), (std::array<std::string, 6>{"25.00", "N/A", "25.00", "N/A", "10.00", "N/A"}));
}

TEST_F(SalesDataModelTest, AllQuotasZeroShowAmountsQuotasAndNoPercent)
{
    Sales(8, "1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0");
    SalesDataModel model({});
    model.Fill(8);
    EXPECT_EQ(model.Amounts(), (std::array<std::string, 6>{"1.00", "2.00", "3.00", "4.00", "5.00", "6.00"}));
    EXPECT_EQ(model.Quotas(), (std::array<std::string, 6>{"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}));
    for (const std::string& percent : model.Percents())
        EXPECT_EQ(percent, "N/A");
}

TEST_F(SalesDataModelTest, AccountWithoutHistoryOrSalesRow)
{
    SalesDataModel model({});
    model.Fill(99);
    EXPECT_EQ(model.TopItemsCaption(), "Top items since never!: ");
    EXPECT_TRUE(model.Rows().empty());
    EXPECT_FALSE(model.HasSalesRow());
    EXPECT_EQ(model.Amounts()[3], "N/A");
    EXPECT_EQ(model.Percents()[5], "N/A");
    // With a sales row but no history: figures, "never!" and no items.
    Sales(99, "1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2");
    model.Fill(99);
    EXPECT_EQ(model.TopItemsCaption(), "Top items since never!: ");
    EXPECT_TRUE(model.Rows().empty());
    EXPECT_TRUE(model.HasSalesRow());
    EXPECT_EQ(model.Percents()[5], "50.00");
}

TEST_F(SalesDataModelTest, TopItemsByMoneyWithTheirTexts)
{
    SalesDataModel model({true, true, false});
    model.Fill(7);
    EXPECT_EQ(model.TopItemsCaption(), "Top items since 03/07/25: ");
    // Only invoiced orders (site 3) count: item 2's big order is left out.
    EXPECT_EQ(Column(model, 0), (Strings{"2019 Cabernet Reserve 750ML", "spring water 500ML", "Pale Ale 12OZ"}));
    EXPECT_EQ(Column(model, 1), (Strings{"3", "1", "0"}));
    EXPECT_EQ(Column(model, 2), (Strings{"0", "6", "5"}));
    EXPECT_EQ(Column(model, 3), (Strings{"375.00", "19.50", "12.25"}));
    EXPECT_EQ(Column(model, 4), (Strings{"W-10", "9", "10"}));
    EXPECT_EQ(Column(model, 7), (Strings{"01/15/26", "03/07/25", "01/15/26"}));

    // Vintage only for alcoholic items and with switch 72; size only with 73.
    SalesDataModel plain({false, false, false});
    plain.Fill(7);
    EXPECT_EQ(Column(plain, 0)[0], "Cabernet Reserve");
}

TEST_F(SalesDataModelTest, AtMostAHundredRows)
{
    for (int i = 0; i < 120; ++i) {
        Item(1000 + i, "ITEM " + std::to_string(i), 1, "S" + std::to_string(i), "", "", "", "");
        Line(101, 10 + i, 1000 + i, 1, 0, 1.0 + i);
    }
    SalesDataModel model({});
    model.Fill(7);
    ASSERT_EQ(model.Rows().size(), 100u);
    EXPECT_EQ(model.Rows().front().totalSales, 375.0);
}

TEST_F(SalesDataModelTest, EachColumnSortsByItsOwnRuleFirstDescending)
{
    SalesDataModel model({});
    model.Fill(7);
    model.Sort(1); // cases, descending first
    EXPECT_EQ(Column(model, 1), (Strings{"3", "1", "0"}));
    model.Sort(0); // descriptions without regard to case, now ascending
    EXPECT_EQ(Column(model, 0), (Strings{"Cabernet Reserve", "Pale Ale", "spring water"}));
    model.Sort(4); // item numbers: the longer is greater, so numbers sort by size
    EXPECT_EQ(Column(model, 4), (Strings{"W-10", "10", "9"}));
    model.Sort(5); // UPC byte by byte, with regard to case
    EXPECT_EQ(Column(model, 5), (Strings{"012345", "99", "Ab"}));
    model.Sort(6); // the longer text is the greater; equal lengths without case
    EXPECT_EQ(Column(model, 6), (Strings{"Estate", "bb", "a"}));
    model.Sort(7); // dates
    EXPECT_EQ(Column(model, 7), (Strings{"03/07/25", "01/15/26", "01/15/26"}));

    SalesDataModel asText({false, false, true});
    asText.Fill(7);
    asText.Sort(4); // switch 33: plain text with regard to case, descending
    EXPECT_EQ(Column(asText, 4), (Strings{"W-10", "9", "10"}));
}

} // namespace
