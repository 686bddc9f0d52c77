#include "TabulaTestSupport.h"

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

class Recordset : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        Exec("CREATE TABLE T (ID int, Name nvarchar(20), Amount money, Ratio float, Note ntext)");
        Exec("insert T values (1, 'one', 12, 3.5, NULL)");
        Exec("insert T values (2, 'two', 0.1, 1e20, 'n')");
        Exec("insert T values (3, 'three', -4.25, 0, '')");
    }
};

TEST_F(Recordset, SecondOpenReplacesTheFirstResult)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select ID, Name, Amount from T"), 1);
    EXPECT_EQ(rs.GetFieldCount(), 3);
    ASSERT_EQ(rs.Open("select Name from T where ID = 2"), 1);
    EXPECT_EQ(rs.GetFieldCount(), 1);
    EXPECT_EQ(rs.getRSRecordCount(), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "two");
}

TEST_F(Recordset, FailedOpenLeavesItClosed)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select * from T"), 1);
    EXPECT_EQ(rs.Open("select * from NoSuchTable"), 0);
    EXPECT_EQ(rs.IsOpen(), 0);
    EXPECT_EQ(rs.Open("selec * from T"), 0);
    EXPECT_EQ(rs.IsOpen(), 0);
    EXPECT_FALSE(rs.GetLastError().empty());
    EXPECT_NE(rs.IsEOF(), 0);
}

TEST_F(Recordset, ValuesAsText)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select ID, Amount, Ratio, Note, Name from T order by ID"), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "1");
    EXPECT_EQ(rs.GetFieldValueString(1), "12");
    EXPECT_EQ(rs.GetFieldValueString(2), "3.5");
    EXPECT_EQ(rs.GetFieldValueString(3), ""); // null
    EXPECT_EQ(rs.GetFieldValueString(5), ""); // no such column
    EXPECT_TRUE(rs.GetFieldValue(5).IsNull());
    EXPECT_TRUE(rs.GetFieldValue(-1).IsNull());
    EXPECT_EQ(rs.GetFieldName(4), "Name");
    EXPECT_EQ(rs.GetFieldName(9), "");
    EXPECT_EQ(rs.GetField(9), nullptr);
    ASSERT_NE(rs.GetField(4), nullptr);
    EXPECT_EQ(rs.GetField(4)->Value.ToString(), "one");
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValueString(1), "0.1");
    EXPECT_EQ(rs.GetFieldValueString(2), "1e+20");
    std::string filled = "old";
    rs.FillFieldValueString(3, filled);
    EXPECT_EQ(filled, "n");
}

TEST_F(Recordset, LongTextIsNotCut)
{
    std::string big(5000, 'x');
    Exec("insert T (ID, Note) values (9, '" + big + "')");
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select Note from T where ID = 9"), 1);
    EXPECT_EQ(rs.GetFieldValueString(0).size(), 5000u);
}

TEST_F(Recordset, CloseIsHarmlessTwice)
{
    CVORecordset rs(conn.get());
    EXPECT_EQ(rs.Close(), 1);
    ASSERT_EQ(rs.Open("select * from T"), 1);
    EXPECT_EQ(rs.Close(), 1);
    EXPECT_EQ(rs.IsOpen(), 0);
    EXPECT_EQ(rs.Close(), 1);
}

TEST_F(Recordset, ExecReturnsAClosedRecordsetOnFailure)
{
    DBLib* lib = DBLib::getInstance(db.connectionString());
    lib->connect();
    CVORecordset* ok = lib->exec("select * from T");
    CVORecordset* bad = lib->exec("select * from Missing");
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(ok->IsOpen(), 1);
    EXPECT_EQ(bad->IsOpen(), 0);
    delete ok;
    delete bad;
    delete lib;
}

TEST_F(Recordset, NavigationBothWays)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select ID from T order by ID"), 1);
    EXPECT_EQ(rs.IsBOF(), 0);
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_EQ(rs.GetFieldValueString(0), "3");
    EXPECT_EQ(rs.MoveNext(), 1);
    EXPECT_NE(rs.IsEOF(), 0);
    EXPECT_EQ(rs.MoveNext(), 0); // already past the end
    EXPECT_EQ(rs.MovePrevious(), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "3");
    rs.MoveFirst();
    EXPECT_EQ(rs.MovePrevious(), 1);
    EXPECT_EQ(rs.IsBOF(), 1);
    EXPECT_EQ(rs.MovePrevious(), 0);
    EXPECT_EQ(rs.MoveFirst(), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "1");
}

TEST_F(Recordset, EmptyResultIsAtBothEnds)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select * from T where ID = 99"), 1);
    EXPECT_EQ(rs.getRSRecordCount(), 0);
    EXPECT_NE(rs.IsEOF(), 0);
    EXPECT_NE(rs.IsBOF(), 0);
}

TEST_F(Recordset, FindForwardAndBackward)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select ID, Name, Amount from T order by ID"), 1);
    ASSERT_EQ(rs.Find("Name = 'THREE'", 1), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "3");
    ASSERT_EQ(rs.Find("ID = 1", 0), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "1");
    ASSERT_EQ(rs.Find("Amount < 0", 1), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "3");
    ASSERT_EQ(rs.Find("Name like 't*'", 0), 1);
    EXPECT_EQ(rs.GetFieldValueString(0), "3"); // the current row counts
    ASSERT_EQ(rs.Find("ID = 42", 1), 1);
    EXPECT_NE(rs.IsEOF(), 0);
    rs.MoveLast();
    ASSERT_EQ(rs.Find("ID = 42", 0), 1);
    EXPECT_NE(rs.IsBOF(), 0);
    EXPECT_EQ(rs.Find("Nonsense", 1), 0);
    EXPECT_EQ(rs.Find("Missing = 1", 1), 0);
}

TEST_F(Recordset, CopiesShareTheResult)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select ID from T order by ID"), 1);
    CVORecordset copy(rs);
    copy.MoveNext();
    EXPECT_EQ(rs.GetFieldValueString(0), "2");
    rs.Close();
    EXPECT_EQ(copy.IsOpen(), 1);
    EXPECT_EQ(copy.GetFieldValueString(0), "2");
}

TEST_F(Recordset, StaticCursorOverALargeResult)
{
    // Rows written through SQLite directly: this test is about reading.
    sqlite3* h = conn->GetHandle();
    ASSERT_EQ(sqlite3_exec(h,
                           "CREATE TABLE Big (ID int, A nvarchar(20), B money, C int, D int, E int, F nvarchar(10), "
                           "G int, H int, I int, J int, K int);"
                           "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 300000) "
                           "INSERT INTO Big SELECT x, 'name ' || x, x * 0.5, x, x, x, 'f', x, x, x, x, x FROM n;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select * from Big order by ID"), 1);
    EXPECT_EQ(rs.getRSRecordCount(), 300000);
    ASSERT_EQ(rs.MoveLast(), 1);
    EXPECT_EQ(rs.GetFieldValueString(1), "name 300000");
    rs.MovePrevious();
    EXPECT_EQ(rs.GetFieldValueString(2), "149999.5");
    ASSERT_EQ(rs.Find("ID = 150000", 0), 1);
    EXPECT_EQ(rs.GetFieldValueString(1), "name 150000");
    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValueString(0), "1");
}

TEST_F(Recordset, TransactionsNeedAConnection)
{
    CVORecordset rs(nullptr);
    EXPECT_EQ(rs.Open("select 1"), 0);
    EXPECT_EQ(rs.BeginTrans(), 0);
}

TEST(Connection, UnopenableFileThrows)
{
    EXPECT_THROW(CVOConnection("Data Source=/nonexistent-folder/x/y.db"), TabulaError);
    TempDb db;
    {
        FILE* f = std::fopen(db.path().c_str(), "w");
        std::fputs("this is not a database file, just some text that is long enough to be read", f);
        std::fclose(f);
    }
    EXPECT_THROW(CVOConnection(db.connectionString()), TabulaError);
}

TEST(Connection, DatabaseNameMapsIntoTheFolder)
{
    TempDb db;
    DBLib::SetDatabaseFolder(db.dir());
    EXPECT_EQ(CVOConnection::ResolvePath("driver={sql server};server=(local);Database=master;UID=sa;PWD=kq7z;"),
              db.dir() + "/master.db");
    EXPECT_EQ(CVOConnection::ResolvePath("Data Source=/abs/path.db"), "/abs/path.db");
    EXPECT_THROW(CVOConnection::ResolvePath("driver={sql server};server=(local)"), TabulaError);
    EXPECT_THROW(CVOConnection::ResolvePath("Database=../escape"), TabulaError);
    DBLib::SetDatabaseFolder("");
}

TEST(Connection, DBLibConnectsOnceAndReconnects)
{
    TempDb db;
    DBLib* lib = DBLib::getInstance(db.connectionString());
    EXPECT_EQ(lib->isConnected(), 0);
    EXPECT_EQ(lib->getConString(), db.connectionString());
    CVOConnection* c = lib->getConnection();
    EXPECT_EQ(lib->isConnected(), 1);
    EXPECT_EQ(lib->getConnection(), c);
    lib->disconnect();
    EXPECT_EQ(lib->isConnected(), 0);
    EXPECT_NE(lib->getConnection(), nullptr);
    DBLib copy(*lib);
    EXPECT_EQ(copy.getConnection(), lib->getConnection());
    delete lib;
    // The copy still holds the shared connection.
    CVORecordset rs(copy.getConnection());
    EXPECT_EQ(rs.Open("select 1"), 1);
}

struct VariantCase {
    Variant value;
    const char* text;
    int asInt;
    double asDouble;
};

class VariantConversion : public ::testing::TestWithParam<VariantCase> {};

TEST_P(VariantConversion, FollowsTheVariantRules)
{
    const auto& c = GetParam();
    EXPECT_EQ(c.value.ToString(), c.text);
    EXPECT_EQ(c.value.ToInt(), c.asInt);
    EXPECT_DOUBLE_EQ(c.value.ToDouble(), c.asDouble);
}

INSTANTIATE_TEST_SUITE_P(
    Values, VariantConversion,
    ::testing::Values(VariantCase{Variant(12), "12", 12, 12.0}, VariantCase{Variant(3.5), "3.5", 4, 3.5},
                      VariantCase{Variant(2.5), "2.5", 2, 2.5}, // halves to even
                      VariantCase{Variant(-1.25), "-1.25", -1, -1.25}, VariantCase{Variant(), "", 0, 0.0},
                      VariantCase{Variant("42"), "42", 42, 42.0}, VariantCase{Variant(" 7.5"), " 7.5", 8, 7.5},
                      VariantCase{Variant("abc"), "abc", 0, 0.0}));

} // namespace

// The database holds customers and orders: a file the connection creates is
// owner-only whatever the umask; a file that exists keeps the mode it has.
TEST(DatabaseFile, ANewFileIsOwnerOnly)
{
    TempDb fresh;
    const mode_t old = ::umask(022);
    {
        CVOConnection conn(fresh.connectionString());
    }
    ::umask(old);
    struct stat st {};
    ASSERT_EQ(::stat(fresh.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    TempDb existing;
    {
        CVOConnection conn(existing.connectionString());
    }
    ASSERT_EQ(::chmod(existing.path().c_str(), 0640), 0);
    {
        CVOConnection conn(existing.connectionString());
    }
    ASSERT_EQ(::stat(existing.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
