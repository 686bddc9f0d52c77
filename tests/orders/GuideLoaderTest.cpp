// The guide read on a worker over a connection of its own: the same rows as
// a read on the caller's thread, a stop that leaves nothing half read, and
// the worker's connection closed when the rows are taken.
#include "GuideDb.h"

#include "orders/GuideLoader.h"
#include "orders/OrderGuide.h"
#include "tabula/QueryPool.h"

#include <atomic>

namespace {

using namespace zev;

class GuideLoaderTest : public test::GuideDb {
protected:
    void SetUp() override
    {
        AddGuide(7);
        for (int i = 1; i <= 40; ++i) {
            AddItem(100 + i, "Item " + std::to_string(i), 12);
            AddLine(7, i, 100 + i, i % 3, i % 5);
        }
    }
    GuideLoader::Request Request()
    {
        GuideLoader::Request r;
        r.connection = GuideLoader::ConnectionOf(0);
        r.accountId = 7;
        r.workOrderId = 3;
        return r;
    }
};

TEST_F(GuideLoaderTest, ReadsWhatTheCallersThreadReads)
{
    OrderGuide here(7, 3, OrderSettings{});
    ASSERT_TRUE(here.Load(0));
    const std::size_t pools = QueryPool::m_QueryPools.size();

    GuideLoader loader;
    std::atomic<int> told{0};
    ASSERT_TRUE(loader.Start(Request(), [&told] { ++told; }));
    GuideLoader::Result result = loader.Take();
    EXPECT_EQ(told.load(), 1);
    ASSERT_TRUE(result.ok);
    EXPECT_FALSE(result.stopped);
    ASSERT_EQ(result.rows.size(), here.Rows().size());
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        EXPECT_EQ(result.rows[i].itemId, here.Rows()[i].itemId);
        EXPECT_EQ(result.rows[i].units, here.Rows()[i].units);
        EXPECT_EQ(result.rows[i].extendedPrice, here.Rows()[i].extendedPrice);
    }
    // The worker's connection is gone once the rows are taken.
    EXPECT_EQ(QueryPool::m_QueryPools.size(), pools);

    // Taken by a guide, they are as a guide's own read leaves them.
    OrderGuide shown(7, 3, OrderSettings{});
    shown.SetLoaded(std::move(result.rows));
    EXPECT_EQ(shown.TotalCents(), here.TotalCents());
    EXPECT_FALSE(shown.Reordered());
    EXPECT_FALSE(shown.Edited());
}

TEST_F(GuideLoaderTest, StopLeavesNoRowsAndCanStartAgain)
{
    GuideLoader loader;
    ASSERT_TRUE(loader.Start(Request()));
    loader.Stop();
    GuideLoader::Result result = loader.Take();
    // Stopped before or after the last row: either nothing, or all of it.
    if (result.stopped) {
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.rows.empty());
    } else {
        EXPECT_EQ(result.rows.size(), 40u);
    }
    ASSERT_TRUE(loader.Start(Request()));
    EXPECT_EQ(loader.Take().rows.size(), 40u);
}

TEST_F(GuideLoaderTest, StopTokenEndsTheReadWithoutRows)
{
    std::stop_source stop;
    stop.request_stop();
    OrderGuide guide(7, 3, OrderSettings{});
    EXPECT_FALSE(guide.Load(0, std::nullopt, {}, stop.get_token()));
    EXPECT_TRUE(guide.Rows().empty());
}

TEST_F(GuideLoaderTest, UnopenableDatabaseIsRefusedAtStart)
{
    GuideLoader loader;
    GuideLoader::Request r = Request();
    r.connection = "Data Source=/no/such/folder/master.db";
    const std::size_t pools = QueryPool::m_QueryPools.size();
    bool told = false;
    EXPECT_FALSE(loader.Start(r, [&told] { told = true; }));
    EXPECT_FALSE(told);
    EXPECT_EQ(QueryPool::m_QueryPools.size(), pools);
    r.connection.clear();
    EXPECT_FALSE(loader.Start(r));
}

} // namespace
