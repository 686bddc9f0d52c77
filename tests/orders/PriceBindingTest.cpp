// The price binding against the real PRICING.so over the demo's prices, the
// tier list, the background re-pricing worker, and a library that lacks an
// entry point.
#include "DemoData.h"

#include "orders/Amount.h"
#include "orders/LinePricing.h"
#include "orders/PriceBinding.h"
#include "orders/RepricingWorker.h"
#include "orders/TierList.h"
#include "tabula/QueryPool.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <vector>

namespace {

using zev::Amount;
using zev::PriceBinding;

// One demo price row read straight from the database.
struct PriceRow {
    int item = 0;
    int catalog = 0;
    long long c0 = 0, s0 = 0, c3 = 0, s3 = 0;
    int breakQty = 0;
    long long breakDisc = 0;
    int perCase = 1;
};

class PriceBindingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = new zev::test::DemoData("pricing");
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(demo->Database().c_str(), &raw), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(raw,
                                     "select P.ItemID, P.CatalogID, P.CPrice0, P.SPrice0, P.CPrice3, P.SPrice3, "
                                     "coalesce(P.BreakQty1, 0), coalesce(P.BreakDisc1, 0), I.QtyPerCase from "
                                     "PricingScheme P, Items I where P.ItemID = I.ItemID and P.CatalogID = 10 and "
                                     "P.StartDate is null order by P.ItemID",
                                     -1, &st, nullptr),
                  SQLITE_OK);
        while (sqlite3_step(st) == SQLITE_ROW) {
            PriceRow r;
            r.item = sqlite3_column_int(st, 0);
            r.catalog = sqlite3_column_int(st, 1);
            r.c0 = Amount::Cents(sqlite3_column_double(st, 2));
            r.s0 = Amount::Cents(sqlite3_column_double(st, 3));
            r.c3 = Amount::Cents(sqlite3_column_double(st, 4));
            r.s3 = Amount::Cents(sqlite3_column_double(st, 5));
            r.breakQty = sqlite3_column_int(st, 6);
            r.breakDisc = Amount::Cents(sqlite3_column_double(st, 7));
            r.perCase = sqlite3_column_int(st, 8);
            rows.push_back(r);
        }
        sqlite3_finalize(st);
        sqlite3_close(raw);
    }
    static void TearDownTestSuite()
    {
        delete demo;
        demo = nullptr;
    }
    void SetUp() override
    {
        ASSERT_FALSE(rows.empty());
        std::string error;
        ASSERT_TRUE(binding.Load(std::string(ZEV_BINARY_DIR) + "/PRICING.so", 5, demo->Database(), &error)) << error;
    }

    static zev::test::DemoData* demo;
    static std::vector<PriceRow> rows;
    PriceBinding binding;
};

zev::test::DemoData* PriceBindingTest::demo = nullptr;
std::vector<PriceRow> PriceBindingTest::rows;

TEST_F(PriceBindingTest, BasePricesTiersAndBreaksOfTheDemo)
{
    int breaks = 0;
    for (std::size_t i = 0; i < rows.size(); i += 37) {
        const PriceRow& r = rows[i];
        float c = -5, s = -5;
        ASSERT_TRUE(binding.Price(r.item, c, s, 0, r.catalog, 0)) << r.item;
        EXPECT_EQ(Amount::Cents(c), r.c0) << r.item;
        EXPECT_EQ(Amount::Cents(s), r.s0) << r.item;
        ASSERT_TRUE(binding.Price(r.item, c, s, 0, r.catalog, 3));
        EXPECT_EQ(Amount::Cents(c), r.c3) << r.item;
        ASSERT_TRUE(binding.Price(r.item, c, s, 0, r.catalog, 7)); // tier left at 0: base price
        EXPECT_EQ(Amount::Cents(c), r.c0) << r.item;
        if (r.breakQty > 0) {
            ++breaks;
            ASSERT_TRUE(binding.Price(r.item, c, s, r.breakQty - 1, r.catalog, 0));
            EXPECT_EQ(Amount::Cents(c), r.c0);
            ASSERT_TRUE(binding.Price(r.item, c, s, r.breakQty, r.catalog, 0));
            EXPECT_EQ(Amount::Cents(c), r.c0 - r.breakDisc) << r.item;
        }
    }
    EXPECT_GT(breaks, 0);
    EXPECT_DOUBLE_EQ(binding.PricePercentage(), 0.05);
}

TEST_F(PriceBindingTest, UnknownItemLeavesThePricesAlone)
{
    float c = 12.5f, s = 1.25f;
    EXPECT_FALSE(binding.Price(999999, c, s, 0, 10, 0));
    EXPECT_EQ(c, 12.5f);
    EXPECT_EQ(s, 1.25f);
}

TEST_F(PriceBindingTest, EnumeratesTheTiers)
{
    const PriceRow& r = rows.front();
    PriceBinding::Enumerated e;
    ASSERT_TRUE(binding.Enumerate(r.item, 0, e, true));
    EXPECT_EQ(e.tier, 0);
    EXPECT_EQ(Amount::Cents(e.casePrice), r.c0);
    EXPECT_EQ(e.breakQty, r.breakQty);
    int count = 0;
    while (binding.Enumerate(r.item, count, e, false))
        ++count;
    EXPECT_EQ(count, 6); // tiers 0 to 5 carry prices; 6 to 9 are left at 0
    EXPECT_FALSE(binding.Enumerate(0, 0, e, false));
}

TEST_F(PriceBindingTest, TierListTexts)
{
    ASSERT_NO_THROW(QueryPool::GetInstance("Data Source=" + demo->Database(), 0));
    const PriceRow& r = rows.front();
    const auto entries = zev::TierList::Build(binding.AsFunction(), r.item, r.catalog, 2, 0, 9);
    QueryPool::DestroyAll();
    ASSERT_EQ(entries.size(), 6u); // the demo has tiers 0 to 5
    EXPECT_EQ(entries[2].tier, 2);
    EXPECT_EQ(entries[2].text.rfind("Default - $", 0), 0u);
    EXPECT_EQ(entries[0].text.rfind("$", 0), 0u);
    char expected[64];
    std::snprintf(expected, sizeof expected, "$%.2f - ", static_cast<double>(r.c0) / 100.0);
    EXPECT_EQ(entries[0].text.rfind(expected, 0), 0u) << entries[0].text;
    EXPECT_EQ(zev::TierList::CellText(0), "Default");
    EXPECT_EQ(zev::TierList::CellText(4), "4");
}

TEST(PriceBindingLoadTest, LibraryLackingAnEntryPointIsRefused)
{
    PriceBinding binding;
    std::string error;
    EXPECT_FALSE(binding.Load(std::string(ZEV_BINARY_DIR) + "/libzevpartialpricing.so", 0, "", &error));
    EXPECT_NE(error.find("Q9ClosePricing"), std::string::npos);
    EXPECT_FALSE(binding.IsBound());
    float c = 3, s = 4;
    EXPECT_FALSE(binding.Price(1, c, s, 0, 10, 0));
    EXPECT_EQ(c, 3);
    EXPECT_FALSE(binding.Load(std::string(ZEV_BINARY_DIR) + "/NO-SUCH-PRICING.so", 0, "", &error));
    EXPECT_FALSE(binding.IsBound());
}

zev::OrderGuideRow Row(int item, int units, float casePrice, float discount = 0)
{
    zev::OrderGuideRow r;
    r.itemId = item;
    r.units = units;
    r.qtyPerCase = 12;
    r.casePrice = casePrice;
    r.singlePrice = casePrice / 12;
    r.discount = discount;
    r.catalogId = 10;
    return r;
}

TEST_F(PriceBindingTest, WorkerRepricesEveryRowWithTheLineRule)
{
    std::vector<zev::OrderGuideRow> guide;
    for (std::size_t i = 0; i < 40 && i < rows.size(); ++i)
        guide.push_back(Row(rows[i].item, 30, 1.0f, i % 2 == 0 ? 0.60f : 0.0f));
    zev::RepricingWorker worker;
    std::atomic<int> done{0};
    worker.Start(guide, binding.AsFunction(), 0, [&done](bool stopped) { done = stopped ? 2 : 1; });
    worker.Wait();
    EXPECT_EQ(done, 1);
    const auto results = worker.TakeResults();
    ASSERT_EQ(results.size(), guide.size());
    EXPECT_EQ(zev::RepricingWorker::Apply(guide, results), guide.size());
    for (const auto& row : guide) {
        // The discount comes off every case, as on the guide's own lines.
        zev::OrderGuideRow check = row;
        EXPECT_EQ(Amount::Cents(row.extendedPrice), Amount::Cents(zev::LinePricing::AmountOf(check, 0)));
        EXPECT_TRUE(row.changed);
    }
    const zev::OrderGuideRow& discounted = guide[0];
    const double expected = (discounted.singlePrice - 0.60 / 12) * 6 + (discounted.casePrice - 0.60) * 2;
    EXPECT_EQ(Amount::Cents(discounted.extendedPrice), Amount::Cents(expected));
}

} // namespace

TEST(RepricingWorkerTest, StopMidGuideLeavesNoRowHalfWritten)
{
    std::vector<zev::OrderGuideRow> guide;
    for (int i = 0; i < 10; ++i)
        guide.push_back(Row(100 + i, 12, 10.0f));
    zev::RepricingWorker worker;
    std::atomic<int> calls{0};
    std::atomic<bool> stopped{false};
    worker.Start(
        guide,
        [&](int, float& c, float& s, int, int, unsigned) {
            if (++calls == 4)
                worker.RequestStop(); // the pass finishes this row, then stops
            c = 20.0f;
            s = 2.0f;
            return true;
        },
        0, [&stopped](bool s) { stopped = s; });
    worker.Wait();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(calls, 4);
    const auto results = worker.TakeResults();
    ASSERT_EQ(results.size(), 4u);
    zev::RepricingWorker::Apply(guide, results);
    for (std::size_t i = 0; i < guide.size(); ++i) {
        const bool done = i < 4;
        EXPECT_EQ(Amount::Cents(guide[i].casePrice), done ? 2000 : 1000) << i;
        EXPECT_EQ(Amount::Cents(guide[i].singlePrice), done ? 200 : Amount::Cents(10.0f / 12)) << i;
        EXPECT_EQ(Amount::Cents(guide[i].extendedPrice), done ? 2000 : 0) << i;
        EXPECT_EQ(guide[i].changed, done) << i;
    }
}
