// The promotions running on a day, with their items, kept to a catalogue.
#include "products/Promotions.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using zev::Promotions;

TEST(PromotionDays, RunsFromTheFirstToTheLastDayInclusive)
{
    EXPECT_TRUE(Promotions::Runs("2026-12-01", "2026-12-31", "2026-12-01"));
    EXPECT_TRUE(Promotions::Runs("2026-12-01", "2026-12-31", "2026-12-31"));
    EXPECT_FALSE(Promotions::Runs("2026-12-01", "2026-12-31", "2027-01-01"));
    EXPECT_FALSE(Promotions::Runs("2026-12-02", "", "2026-12-01"));
    EXPECT_TRUE(Promotions::Runs("", "", "2026-12-01"));
}

class PromotionsTest : public ::testing::Test {
protected:
    zev::test::TestDatabase db;

    void Item(int id, const char* catalogs, int deleted = 0)
    {
        ASSERT_TRUE(db.Exec("insert into Items (ItemID, Description, DistributorSKU, ItemVolume, ValidCatalogs, "
                            "DeletedFlag) values (" +
                            std::to_string(id) + ", 'ITEM " + std::to_string(id) + "', 'S" + std::to_string(id) +
                            "', '750ML', '" + catalogs + "', " + std::to_string(deleted) + ")"));
    }
    void Promo(int id, int line, const char* text, int item, const char* start, const char* end)
    {
        ASSERT_TRUE(db.Exec("insert into Promo values (" + std::to_string(id) + ", " + std::to_string(line) + ", '" +
                            text + "', " + std::to_string(item) + ", 24, 1.50, '" + start + "', '" + end + "')"));
    }
    void SetUp() override
    {
        Item(1, "10,20");
        Item(2, "20");
        Item(3, "10", 1);
        Promo(1, 0, "Holiday Wine Event", 0, "2026-12-01", "2026-12-31");
        Promo(1, 1, "Buy 2 cases, save", 1, "2026-12-01", "2026-12-31");
        Promo(1, 2, "Buy 3 cases, save", 2, "2026-12-01", "2026-12-31");
        Promo(1, 3, "Gone", 3, "2026-12-01", "2026-12-31");
        Promo(2, 0, "Summer Beer Blitz", 0, "2026-06-01", "2026-06-30");
        Promo(2, 1, "Buy 2 cases, save", 1, "2026-06-01", "2026-06-30");
        Promo(3, 0, "Spirits Feature", 0, "2026-12-05", "2027-01-05");
        Promo(3, 1, "Buy 4 cases, save", 2, "2026-12-05", "2027-01-05");
    }
};

TEST_F(PromotionsTest, TodaysPromotionsWithTheirLiveItems)
{
    const auto shown = Promotions::Current("2026-12-09", std::nullopt);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].description, "Holiday Wine Event");
    EXPECT_EQ(shown[0].start, "2026-12-01");
    ASSERT_EQ(shown[0].lines.size(), 2u); // the deleted item's line is left out
    EXPECT_EQ(shown[0].lines[0].sku, "S1");
    EXPECT_EQ(shown[0].lines[0].description, "Item 1");
    EXPECT_EQ(shown[0].lines[1].text, "Buy 3 cases, save");
    EXPECT_EQ(shown[0].lines[1].minQty, 24);
    EXPECT_DOUBLE_EQ(shown[0].lines[1].discount, 1.5);
    EXPECT_EQ(shown[1].promoId, 3);
    EXPECT_TRUE(Promotions::Current("2027-02-01", std::nullopt).empty());
}

TEST_F(PromotionsTest, ACatalogueKeepsItsItemsAndDropsPromotionsLeftEmpty)
{
    const auto ten = Promotions::Current("2026-12-09", 10);
    ASSERT_EQ(ten.size(), 1u);
    ASSERT_EQ(ten[0].lines.size(), 1u);
    EXPECT_EQ(ten[0].lines[0].itemId, 1);
    EXPECT_EQ(Promotions::Current("2026-12-09", 20).size(), 2u);
    EXPECT_TRUE(Promotions::Current("2026-12-09", 30).empty());
}

} // namespace
