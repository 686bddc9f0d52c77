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
    EXPECT_EQ(ItemDetailsData::Pages(0, 0, 1, 0, 2), (std::vector{Page::General, Page::QtyAndPrice, Page::BtgCalculator}));
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

} // namespace
