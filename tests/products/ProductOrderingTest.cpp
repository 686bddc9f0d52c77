// "Add to order guide" from the product screens and the background pricing of
// a product list, on a database built from the schema.
#include "products/ProductOrdering.h"
#include "products/ProductPriceWorker.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

using zev::ProductOrdering;
using Outcome = ProductOrdering::Outcome;

// Case price = item id, unit price = a tenth of it; item 99 has no price.
bool FakePrice(int item, float& casePrice, float& singlePrice, int, int catalog, unsigned)
{
    if (item == 99)
        return false;
    casePrice = static_cast<float>(item) + static_cast<float>(catalog) / 100.0f;
    singlePrice = casePrice / 10.0f;
    return true;
}

class ProductOrderingTest : public ::testing::Test {
protected:
    zev::test::TestDatabase db;

    void SetUp() override
    {
        ASSERT_TRUE(db.Exec("insert into WorkOrder values (7, 3, 0, 1)"));
        for (int line = 1; line <= 2; ++line)
            ASSERT_TRUE(db.Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, "
                                "LineItemNumber) values (7, 3, " +
                                std::to_string(10 + line) + ", 10, " + std::to_string(line * 5) + ")"));
    }
    int Lines() { return db.ScalarInt("select count(*) from WorkOrderItems where AccountID = 7"); }
};

TEST_F(ProductOrderingTest, AddsThePricedItemAfterTheHighestLineAndMarksTheGuide)
{
    const auto result = ProductOrdering::AddToGuide(42, 7, 20, FakePrice);
    ASSERT_EQ(result.outcome, Outcome::Added);
    EXPECT_EQ(result.lineNumber, 11);
    EXPECT_EQ(db.Scalar("select printf('%.2f/%.3f/%d', CDistPrice, SDistPrice, catalogID) from WorkOrderItems "
                        "where ItemID = 42 and LineItemNumber = 11 and WorkOrderID = 3 and CaseQTY = 0"),
              "42.20/4.220/20");
    EXPECT_EQ(db.ScalarInt("select Updated from WorkOrder where AccountID = 7"), 1);
    EXPECT_EQ(ProductOrdering::Message(result, "Merlot"), "Merlot was added to the order guide as line 11.");
}

TEST_F(ProductOrderingTest, RefusesWithoutAddingTwice)
{
    EXPECT_EQ(ProductOrdering::AddToGuide(11, 7, 10, FakePrice).outcome, Outcome::AlreadyInGuide);
    EXPECT_EQ(ProductOrdering::AddToGuide(42, -1, 10, FakePrice).outcome, Outcome::NoAccount);
    EXPECT_EQ(ProductOrdering::AddToGuide(42, 8, 10, FakePrice).outcome, Outcome::NoGuide);
    EXPECT_EQ(Lines(), 2);
    EXPECT_EQ(db.ScalarInt("select Updated from WorkOrder where AccountID = 7"), 0);
}

TEST_F(ProductOrderingTest, AnUnpricedItemIsAddedAtZeroWhateverThePriceOperationLeft)
{
    const auto noPrice = [](int, float& c, float& s, int, int, unsigned) {
        c = 99.0f; // a failing library may still write its outputs
        s = 9.0f;
        return false;
    };
    const auto result = ProductOrdering::AddToGuide(99, 7, 10, noPrice);
    ASSERT_EQ(result.outcome, Outcome::Added);
    EXPECT_EQ(db.ScalarInt("select CDistPrice from WorkOrderItems where ItemID = 99"), 0);
    EXPECT_EQ(ProductOrdering::AddToGuide(98, 7, 10, {}).outcome, Outcome::Added);
    EXPECT_EQ(Lines(), 4);
}

TEST_F(ProductOrderingTest, AFailedInsertLeavesTheGuideUnmarked)
{
    ASSERT_TRUE(db.Exec("drop table WorkOrderItems"));
    ASSERT_TRUE(db.Exec("create table WorkOrderItems (AccountID int, WorkOrderID int, ItemID int, "
                        "LineItemNumber int)"));
    EXPECT_EQ(ProductOrdering::AddToGuide(42, 7, 10, FakePrice).outcome, Outcome::Failed);
    EXPECT_EQ(db.ScalarInt("select Updated from WorkOrder where AccountID = 7"), 0);
}

TEST(ProductPriceWorker, PricesEveryItemInBatchesOnItsOwnThread)
{
    std::vector<int> items;
    for (int i = 1; i <= 600; ++i)
        items.push_back(i == 300 ? 99 : i);
    std::mutex mutex;
    std::vector<zev::ProductPriceWorker::Price> got;
    std::vector<std::size_t> sizes;
    std::atomic<bool> offThread{true};
    const auto caller = std::this_thread::get_id();
    {
        zev::ProductPriceWorker worker;
        worker.Start(items, 10, FakePrice, [&](std::vector<zev::ProductPriceWorker::Price> batch) {
            std::lock_guard lock(mutex);
            if (std::this_thread::get_id() == caller)
                offThread = false;
            sizes.push_back(batch.size());
            got.insert(got.end(), batch.begin(), batch.end());
        });
        worker.Wait();
    }
    EXPECT_TRUE(offThread);
    EXPECT_EQ(sizes, (std::vector<std::size_t>{250, 250, 100}));
    ASSERT_EQ(got.size(), 600u);
    EXPECT_FLOAT_EQ(got[0].casePrice, 1.10f);
    EXPECT_FALSE(got[299].priced);
    EXPECT_EQ(got[299].casePrice, 0.0f);
}

TEST(ProductPriceWorker, StopEndsARunAfterTheItemItIsOn)
{
    std::atomic<int> priced{0};
    std::atomic<int> delivered{0};
    const auto slow = [&](int item, float& c, float& s, int units, int catalog, unsigned deal) {
        ++priced;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return FakePrice(item, c, s, units, catalog, deal);
    };
    zev::ProductPriceWorker worker;
    worker.Start(std::vector<int>(5000, 1), 10, slow, [&](auto batch) { delivered += static_cast<int>(batch.size()); });
    while (priced < 3)
        std::this_thread::yield();
    worker.Stop();
    const int atStop = priced;
    EXPECT_LT(atStop, 5000);
    EXPECT_LE(delivered, atStop);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(priced, atStop);
}

} // namespace
