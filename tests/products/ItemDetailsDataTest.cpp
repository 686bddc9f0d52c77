// What the item details window reads: its pages, the product notes and the
// incentive programs with their items and tiers.
#include "products/ItemDetailsData.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using zev::ItemDetailsData;

TEST(ItemDetailsPages, SwitchBytesChooseTheOptionalPages)
{
    using Page = ItemDetailsData::Page;
    EXPECT_EQ(ItemDetailsData::Pages(0, 0, 0, 0, 0), (std::vector{Page::General, Page::QtyAndPrice}));
    EXPECT_EQ(ItemDetailsData::Pages(1, 1, 1, 1, 1),
              (std::vector{Page::General, Page::QtyAndPrice, Page::History, Page::ProductNotes, Page::BtgCalculator,
                           Page::RIP, Page::Invoices}));
    EXPECT_EQ(ItemDetailsData::Pages(0, 0, 1, 0, 2),
              (std::vector{Page::General, Page::QtyAndPrice, Page::BtgCalculator}));
}

struct TierCase {
    const char* qty;
    double amount;
    int bottles;
    const char* text;
};

class TierTextTest : public ::testing::TestWithParam<TierCase> {};

TEST_P(TierTextTest, PerCaseAndPerBottle)
{
    const TierCase& c = GetParam();
    const auto tier = ItemDetailsData::TierText(c.qty, c.amount, c.bottles);
    EXPECT_EQ(tier.caseAndBottle, c.text);
}

INSTANTIATE_TEST_SUITE_P(Tiers, TierTextTest,
                         ::testing::Values(TierCase{"5C", 30.00, 12, "6.00/cs 0.50/btl"},
                                           TierCase{"10", 30.00, 12, "0.25/btl"},
                                           // No leading number counts as one.
                                           TierCase{"C", 24.00, 6, "24.00/cs 4.00/btl"},
                                           TierCase{"0C", 24.00, 6, "24.00/cs 4.00/btl"},
                                           // No case size divides by one, not zero.
                                           TierCase{"2C", 10.00, 0, "5.00/cs 5.00/btl"}));

class ItemDetailsDataTest : public ::testing::Test {
protected:
    zev::test::TestDatabase db;
};

TEST_F(ItemDetailsDataTest, NotesAreTrimmedWithLineBreaksAndFallBackToTheEmptyText)
{
    ASSERT_TRUE(db.Exec("insert into ProductNotes values (7, '  Oak aged~Serve cool  ', '', null)"));
    const auto notes = ItemDetailsData::ProductNotes(7, "No information available.");
    EXPECT_EQ(notes[0], "Oak aged\r\nServe cool");
    EXPECT_EQ(notes[1], "No information available.");
    EXPECT_EQ(notes[2], "No information available.");
    const auto none = ItemDetailsData::ProductNotes(8, "none");
    EXPECT_EQ(none[0], "none");
}

TEST_F(ItemDetailsDataTest, ProgramsItemsAndTiers)
{
    ASSERT_TRUE(db.Exec("insert into Items (ItemID, Description, DistributorSKU, Vintage, ItemVolume, QtyPerCase, "
                        "DeletedFlag) values (1, 'CABERNET RESERVE', 'W-10', '2019', '750ML', 12, 0)"));
    ASSERT_TRUE(db.Exec("insert into Items (ItemID, Description, DistributorSKU, Vintage, ItemVolume, QtyPerCase, "
                        "DeletedFlag) values (2, 'MERLOT', 'W-11', '2020', '1.5L', 6, 0)"));
    ASSERT_TRUE(db.Exec("insert into RIPItems values (50, 1)"));
    ASSERT_TRUE(db.Exec("insert into RIPItems values (50, 2)"));
    ASSERT_TRUE(db.Exec("insert into RIP values (50, 'R-50', 'Spring reds', '10C', 60.00, null, null)"));
    ASSERT_TRUE(db.Exec("insert into RIP values (50, 'R-50', 'Spring reds', '5C', 30.00, null, null)"));

    const auto programs = ItemDetailsData::ProgramsOfItem(1);
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0].ripId, 50);
    EXPECT_EQ(programs[0].number, "R-50");
    EXPECT_EQ(programs[0].description, "Spring reds");
    EXPECT_TRUE(ItemDetailsData::ProgramsOfItem(3).empty());

    const auto items = ItemDetailsData::ItemsOfProgram(50);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].sku, "W-10");
    EXPECT_EQ(items[0].text, "2019 Cabernet Reserve 750ML (12/cs)");
    EXPECT_EQ(items[0].qtyPerCase, 12);

    const auto tiers = ItemDetailsData::TiersOfProgram(50, 12);
    ASSERT_EQ(tiers.size(), 2u);
    EXPECT_EQ(tiers[0].qty, "5C");
    EXPECT_EQ(tiers[0].amount, "30.00");
    EXPECT_EQ(tiers[0].caseAndBottle, "6.00/cs 0.50/btl");
}

TEST(ItemDetailsItem, GeneralShowsWhatTheItemHasEvenWhenDeleted)
{
    zev::test::TestDatabase db;
    ASSERT_TRUE(db.Exec("insert into Category (CategoryID, Description) values (4, 'RED WINE')"));
    ASSERT_TRUE(db.Exec("insert into Items (ItemID, Description, CategoryID, DistributorSKU, ItemVolume, UPC, "
                        "Vintage, Country, Rating, AlcoholPct, QtyPerCase, QtyOnHand, QtyOnOrder, QtyCommitted, "
                        "NextReceiptDate, NextReceiptQty, DeletedFlag) values (8, 'OLD VINE ZIN', 4, 'Z-8', '750ML', "
                        "'0123', '2018', 'USA', 0, 14.5, 12, 40, 5, 3, '2026-12-20', 60, 1)"));
    std::vector<std::pair<std::string, std::string>> facts;
    for (const auto& f : ItemDetailsData::General(8))
        facts.emplace_back(f.caption, f.value);
    // A rating of 0 means "not rated" and is left out, like the empty columns.
    EXPECT_EQ(facts, (std::vector<std::pair<std::string, std::string>>{{"Description", "Old Vine Zin"},
                                                                       {"Category", "Red Wine"},
                                                                       {"Item #", "Z-8"},
                                                                       {"Size", "750ML"},
                                                                       {"UPC", "0123"},
                                                                       {"Vintage", "2018"},
                                                                       {"Country", "USA"},
                                                                       {"Alcohol %", "14.5"}}));
    const auto stock = ItemDetailsData::Quantities(8);
    ASSERT_TRUE(stock.found);
    EXPECT_EQ(stock.qtyPerCase, 12);
    EXPECT_EQ(stock.onHand, 40);
    EXPECT_EQ(stock.onOrder, 5);
    EXPECT_EQ(stock.committed, 3);
    EXPECT_EQ(stock.nextReceiptQty, 60);
    EXPECT_EQ(stock.nextReceiptDate, "2026-12-20");
    // An item that cannot be read leaves the pages empty.
    EXPECT_TRUE(ItemDetailsData::General(9).empty());
    EXPECT_FALSE(ItemDetailsData::Quantities(9).found);
}

TEST(ItemDetailsItem, HistoryByMonthNewestFirstAndInvoicesOfTheAccount)
{
    zev::test::TestDatabase db;
    const char* orders[] = {"(1, 7, 'INV-1', '2025-11-03', 3)", "(2, 7, 'INV-2', '2026-02-10', 3)",
                            "(3, 7, 'INV-3', '2026-02-20', 1)", "(4, 9, 'INV-4', '2026-03-01', 3)"};
    for (const char* o : orders)
        ASSERT_TRUE(db.Exec(std::string("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, "
                                        "SiteID) values ") +
                            o));
    for (int order = 1; order <= 4; ++order)
        ASSERT_TRUE(db.Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, CQty, SQty, "
                            "CQtyShipped, SQtyShipped, CPrice, SPrice, ExtPrice) values (" +
                            std::to_string(order) + ", 1, 8, " + std::to_string(order) + ", 1, " +
                            std::to_string(order) + ", 0, 24, 2, " + std::to_string(order * 10) + ")"));
    const auto months = ItemDetailsData::History(8, 7);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].year, 2026);
    EXPECT_EQ(months[0].month, 2);
    EXPECT_EQ(months[0].cases, 5);
    EXPECT_DOUBLE_EQ(months[0].amount, 50);
    EXPECT_EQ(months[1].year, 2025);
    EXPECT_EQ(ItemDetailsData::History(8, std::nullopt).size(), 3u);

    // Invoices are the distributor's own orders (site 3), newest first.
    const auto invoices = ItemDetailsData::Invoices(8, 7);
    ASSERT_EQ(invoices.size(), 2u);
    EXPECT_EQ(invoices[0].invoice, "INV-2");
    EXPECT_EQ(invoices[0].date, "2026-02-10");
    EXPECT_EQ(invoices[0].cases, 2);
    EXPECT_EQ(invoices[0].casesShipped, 2);
    EXPECT_DOUBLE_EQ(invoices[0].extended, 20);
    EXPECT_EQ(ItemDetailsData::Invoices(8, std::nullopt).size(), 3u);
}

TEST(ItemDetailsItem, PricesAskTheCatalogueForOneUnitAndListTheTiers)
{
    zev::test::TestDatabase db;
    int asked = -1;
    const auto price = [&](int, float& c, float& s, int units, int catalog, unsigned deal) {
        asked = units;
        if (catalog != 20)
            return false;
        c = deal == 0 ? 24.0f : 20.0f + static_cast<float>(deal);
        s = c / 12;
        return true;
    };
    const auto prices = ItemDetailsData::PricesOf(8, 20, 0, 0, 0, price);
    EXPECT_TRUE(prices.priced);
    EXPECT_EQ(asked, 0);
    EXPECT_FLOAT_EQ(prices.casePrice, 24.0f);
    EXPECT_FALSE(ItemDetailsData::PricesOf(8, 30, 0, 0, 0, price).priced);
    EXPECT_FALSE(ItemDetailsData::PricesOf(8, 20, 0, 0, 0, {}).priced);
}

} // namespace
