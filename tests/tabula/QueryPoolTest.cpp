#include "TabulaTestSupport.h"
#include <memory>

namespace {

class Pool : public ::testing::Test {
protected:
    void TearDown() override { QueryPool::DestroyAll(); }
    TempDb db;
};

TEST_F(Pool, ReusesTheFirstFreeRecordset)
{
    QueryPool* pool = QueryPool::GetInstance(db.connectionString(), 0);
    CVORecordset* a = pool->getRecordset();
    CVORecordset* b = pool->getRecordset();
    EXPECT_NE(a, b);
    pool->releaseRecordset(b);
    pool->releaseRecordset(a);
    EXPECT_EQ(pool->getRecordset(), a);
    EXPECT_EQ(pool->getRecordset(), b);
    EXPECT_EQ(pool->size(), 2u);
    pool->releaseRecordset(nullptr);
}

TEST_F(Pool, ReleaseClosesTheRecordset)
{
    QueryPool* pool = QueryPool::GetInstance(db.connectionString(), 0);
    CVORecordset* a = pool->getRecordset();
    ASSERT_EQ(a->Open("select 1"), 1);
    pool->releaseRecordset(a);
    EXPECT_EQ(a->IsOpen(), 0);
}

TEST_F(Pool, ExistingKeyIgnoresAnotherConnectionString)
{
    QueryPool* pool = QueryPool::GetInstance(db.connectionString(), 0);
    EXPECT_EQ(QueryPool::GetInstance("Data Source=/elsewhere/other.db", 0), pool);
    EXPECT_EQ(pool->getLibrary()->getConString(), db.connectionString());
    EXPECT_EQ(QueryPool::GetInstance(0), pool);
    EXPECT_EQ(QueryPool::GetInstance(1), nullptr);
}

TEST_F(Pool, FailedConnectionRegistersNothing)
{
    EXPECT_THROW(QueryPool::GetInstance("Data Source=/no/such/folder/x.db", 5), TabulaError);
    EXPECT_EQ(QueryPool::GetInstance(5), nullptr);
}

TEST_F(Pool, RemoveAllDisconnectsAndTheNextBorrowReconnects)
{
    QueryPool* pool = QueryPool::GetInstance(db.connectionString(), 0);
    {
        Query q("", "", 0);
        ASSERT_EQ(q.Open("CREATE TABLE T (A int)"), 1);
    }
    pool->removeAll();
    EXPECT_EQ(pool->size(), 0u);
    EXPECT_EQ(pool->getLibrary()->isConnected(), 0);
    Query q("T", "A", 0);
    EXPECT_EQ(pool->getLibrary()->isConnected(), 1);
    EXPECT_EQ(q.getNewPK(), 1);
}

TEST_F(Pool, ATableObjectOutlivingRemoveAllFailsInsteadOfReachingFreedMemory)
{
    // The database file is replaced between removeAll and the next borrow (a
    // restore); a screen's table object still alive then must not crash.
    QueryPool* pool = QueryPool::GetInstance(db.connectionString(), 0);
    auto kept = std::make_unique<Query>("", "", 0);
    ASSERT_EQ(kept->Open("select 1"), 1);
    pool->removeAll();
    EXPECT_EQ(pool->size(), 0u);
    EXPECT_EQ(kept->Open("select 1"), 0);
    EXPECT_EQ(kept->IsOpen(), 0);
    Query fresh("", "", 0);
    EXPECT_EQ(fresh.Open("select 1"), 1);
    kept.reset(); // returned: deleted, never reused
    EXPECT_EQ(pool->size(), 1u);
}

TEST_F(Pool, CloseAllKeepsLoans)
{
    QueryPool* pool = QueryPool::GetInstance(db.connectionString(), 0);
    Query q("", "", 0);
    ASSERT_EQ(q.Open("select 1"), 1);
    pool->closeAll();
    EXPECT_EQ(q.IsOpen(), 0);
    Query other("", "", 0);
    EXPECT_NE(other.getRS(), q.getRS());
}

TEST_F(Pool, DeletingAPoolUnregistersOnlyItself)
{
    TempDb second;
    QueryPool* a = QueryPool::GetInstance(db.connectionString(), 0);
    QueryPool* b = QueryPool::GetInstance(second.connectionString(), 1);
    delete a;
    EXPECT_EQ(QueryPool::GetInstance(0), nullptr);
    EXPECT_EQ(QueryPool::GetInstance(1), b);
}

TEST_F(Pool, TableObjectMayOutliveItsPool)
{
    (void)QueryPool::GetInstance(db.connectionString(), 0);
    auto* q = new Query("", "", 0);
    QueryPool::DestroyAll();
    delete q; // must not touch the deleted pool
    SUCCEED();
}

} // namespace
