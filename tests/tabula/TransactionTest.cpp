#include "TabulaTestSupport.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Transactions : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        Exec("CREATE TABLE T (ID int NOT NULL, Name nvarchar(10))");
        Exec("ALTER TABLE T ADD CONSTRAINT PK_T PRIMARY KEY (ID)");
    }
    std::string Count() { return Result("select count(*) from T"); }
};

TEST_F(Transactions, CommitKeepsRollbackUndoes)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.BeginTrans(), 1);
    Exec("insert T values (1, 'a')");
    ASSERT_EQ(rs.CommitTrans(), 1);
    ASSERT_EQ(rs.BeginTrans(), 1);
    Exec("insert T values (2, 'b')");
    EXPECT_EQ(Count(), "2"); // visible inside the transaction
    ASSERT_EQ(rs.RollbackTrans(), 1);
    EXPECT_EQ(Count(), "1");
}

TEST_F(Transactions, NestedBeginsAreOneTransaction)
{
    CVORecordset header(conn.get());
    CVORecordset lines(conn.get());
    ASSERT_EQ(header.BeginTrans(), 1);
    ASSERT_EQ(lines.BeginTrans(), 1);
    EXPECT_EQ(conn->GetTransactionDepth(), 2);
    Exec("insert T values (1, 'a')");
    ASSERT_EQ(lines.CommitTrans(), 1);
    // Nothing is written before the outermost commit.
    {
        CVOConnection other(db.connectionString());
        CVORecordset rs(&other);
        ASSERT_EQ(rs.Open("select count(*) from T"), 1);
        EXPECT_EQ(rs.GetFieldValueString(0), "0");
    }
    ASSERT_EQ(header.CommitTrans(), 1);
    EXPECT_EQ(conn->GetTransactionDepth(), 0);
    CVOConnection other(db.connectionString());
    CVORecordset rs(&other);
    ASSERT_EQ(rs.Open("select count(*) from T"), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "1");
}

TEST_F(Transactions, InnerRollbackUndoesEverythingAndDoomsTheOuterCommit)
{
    Exec("insert T values (1, 'kept')");
    ASSERT_EQ(conn->BeginTrans(), 1);
    Exec("insert T values (2, 'outer')");
    ASSERT_EQ(conn->BeginTrans(), 1);
    Exec("insert T values (3, 'inner')");
    ASSERT_EQ(conn->RollbackTrans(), 1);
    EXPECT_TRUE(conn->IsTransactionDoomed());
    EXPECT_EQ(Count(), "1");
    Exec("insert T values (4, 'after')"); // still inside the doomed bracket
    EXPECT_EQ(conn->CommitTrans(), 0);
    EXPECT_EQ(conn->GetTransactionDepth(), 0);
    EXPECT_FALSE(conn->IsTransactionDoomed());
    EXPECT_EQ(Result("select ID from T"), "1");
    // The next bracket starts clean.
    ASSERT_EQ(conn->BeginTrans(), 1);
    Exec("insert T values (5, 'new')");
    EXPECT_EQ(conn->CommitTrans(), 1);
    EXPECT_EQ(Count(), "2");
}

TEST_F(Transactions, UnbalancedCallsReportFailure)
{
    EXPECT_EQ(conn->CommitTrans(), 0);
    EXPECT_EQ(conn->RollbackTrans(), 0);
}

TEST_F(Transactions, FailedInsertLeavesNothingAfterRollback)
{
    // The order save: header, then lines; a failing line rolls all back.
    QueryPool::GetInstance(db.connectionString(), 0);
    {
        Query header("T", "ID", 0);
        Query lines("T", "ID", 0);
        ASSERT_EQ(header.beginTransaction(), 1);
        ASSERT_EQ(header.Open("insert T values (10, 'header')"), 1);
        ASSERT_EQ(lines.beginTransaction(), 1);
        ASSERT_EQ(lines.Open("insert T values (11, 'line')"), 1);
        ASSERT_EQ(lines.Open("insert T values (11, 'dup')"), 0);
        lines.rollbackTransaction();
        header.rollbackTransaction();
    }
    QueryPool::DestroyAll();
    EXPECT_EQ(Count(), "0");
}

TEST_F(Transactions, GuardRollsBackUnlessCommitted)
{
    {
        TransactionGuard guard(conn.get());
        ASSERT_TRUE(guard.IsActive());
        Exec("insert T values (1, 'a')");
    }
    EXPECT_EQ(Count(), "0");
    {
        TransactionGuard guard(conn.get());
        Exec("insert T values (2, 'b')");
        EXPECT_EQ(guard.Commit(), 1);
    }
    EXPECT_EQ(Count(), "1");
}

TEST_F(Transactions, SchemaChangesAreTransactionalToo)
{
    conn->BeginTrans();
    Exec("DROP TABLE T");
    conn->RollbackTrans();
    EXPECT_EQ(Count(), "0"); // the table is back
}

TEST_F(Transactions, ASecondConnectionReadsWhileAWriterHoldsATransaction)
{
    Exec("insert T values (1, 'a')");
    conn->BeginTrans();
    Exec("insert T values (2, 'b')");
    CVOConnection reader(db.connectionString());
    CVORecordset rs(&reader);
    ASSERT_EQ(rs.Open("select count(*) from T"), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "1");
    conn->CommitTrans();
}

// Runs body in a child process that is then killed without any cleanup.
void inKilledChild(const std::function<void()>& body)
{
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        body();
        raise(SIGKILL);
        _exit(3);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
}

TEST(Durability, CommittedWorkSurvivesAKilledProcess)
{
    TempDb db;
    {
        CVOConnection c(db.connectionString());
        CVORecordset rs(&c);
        ASSERT_EQ(rs.Open("CREATE TABLE T (ID int)"), 1);
    }
    inKilledChild([&] {
        CVOConnection c(db.connectionString());
        CVORecordset rs(&c);
        c.BeginTrans();
        rs.Open("insert T values (1)");
        rs.Open("insert T values (2)");
        c.CommitTrans();
        c.BeginTrans();
        rs.Open("insert T values (3)"); // never committed
    });
    CVOConnection c(db.connectionString());
    CVORecordset rs(&c);
    ASSERT_EQ(rs.Open("select ID from T order by ID"), 1);
    EXPECT_EQ(Rows(rs), "1;2");
}

} // namespace
