#include "TabulaTestSupport.h"

#include "tabula/Database.h"
#include "tabula/Statement.h"

namespace {

using tabula::Database;
using tabula::Statement;
using tabula::StepResult;

class Statements : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        Exec("CREATE TABLE Items (ItemID int NOT NULL, Description nvarchar(60), QtyOnHand int, Price money, "
             "Received datetime)");
        Exec("insert Items values (1, 'Red', 5, 1.5, '3/7/2006')");
        Exec("insert Items values (2, 'White', 0, 2.5, null)");
    }
};

// A value travels as a value: quotes, comment marks and statement ends are
// data, not SQL.
TEST_F(Statements, BoundTextIsNeverSql)
{
    Statement update(*conn, "update Items set Description = ? where ItemID = ?");
    ASSERT_TRUE(update.Ok()) << update.Error();
    const std::string hostile = "x'; drop table Items; --";
    ASSERT_TRUE(update.Bind(1, hostile));
    ASSERT_TRUE(update.Bind(2, 1));
    ASSERT_TRUE(update.Run()) << update.Error();
    EXPECT_EQ(update.Changes(), 1);
    EXPECT_EQ(Result("select Description from Items where ItemID = 1"), hostile);
    EXPECT_EQ(Result("select count(*) from Items"), "2");
}

// Prepared once, run for many rows: each run starts from unbound values.
TEST_F(Statements, RunsAgainWithNewValues)
{
    Statement update(*conn, "Update items set QtyOnHand=? where itemID=?");
    ASSERT_TRUE(update.Ok()) << update.Error();
    for (int id : {1, 2}) {
        ASSERT_TRUE(update.Bind(1, std::to_string(id * 10)));
        ASSERT_TRUE(update.Bind(2, id));
        ASSERT_TRUE(update.Run()) << update.Error();
    }
    // Text bound into a number column is stored as the number.
    EXPECT_EQ(Result("select ItemID, QtyOnHand, typeof(QtyOnHand) from Items order by ItemID"),
              "1|10|integer;2|20|integer");
    ASSERT_TRUE(update.BindNull(2));
    ASSERT_TRUE(update.Run());
    EXPECT_EQ(update.Changes(), 0);
}

// The program's dialect is translated once, at prepare: its functions and
// date forms work with bound values.
TEST_F(Statements, ProgramDialectIsTranslated)
{
    Statement select(*conn, "select top 1 ItemID, isnull(Received, 'none'), datepart(yy, Received) from Items "
                            "where Price > ? order by ItemID");
    ASSERT_TRUE(select.Ok()) << select.Error();
    ASSERT_TRUE(select.Bind(1, 1.0));
    ASSERT_EQ(select.Step(), StepResult::Row);
    EXPECT_EQ(select.Int(0), 1);
    EXPECT_EQ(select.Int(2), 2006);
    EXPECT_EQ(select.ColumnCount(), 3);
    EXPECT_EQ(select.Step(), StepResult::Done);
}

TEST_F(Statements, FailuresAreResults)
{
    Statement bad(*conn, "select * from NoSuchTable where a = ?");
    EXPECT_FALSE(bad.Ok());
    EXPECT_NE(bad.Error().find("NoSuchTable"), std::string::npos) << bad.Error();
    EXPECT_FALSE(bad.Bind(1, 1));
    EXPECT_EQ(bad.Step(), StepResult::Error);

    // More than one statement, or a schema change, cannot take values.
    EXPECT_FALSE(Statement(*conn, "CREATE TABLE X (a int)").Ok());

    Exec("ALTER TABLE Items ADD CONSTRAINT PK_Items PRIMARY KEY (ItemID)");
    Statement insert(*conn, "insert into Items (ItemID, Description) values (?, ?)");
    ASSERT_TRUE(insert.Ok()) << insert.Error();
    EXPECT_FALSE(insert.Bind(3, "out of range"));
    ASSERT_TRUE(insert.Bind(1, 1));
    ASSERT_TRUE(insert.Bind(2, "duplicate"));
    EXPECT_FALSE(insert.Run());
    EXPECT_NE(insert.Error().find("UNIQUE"), std::string::npos) << insert.Error();
    // After a failed run the statement is usable again.
    insert.Reset();
    ASSERT_TRUE(insert.Bind(1, 3));
    ASSERT_TRUE(insert.Bind(2, "new"));
    EXPECT_TRUE(insert.Run()) << insert.Error();
}

// It takes part in the connection's one transaction.
TEST_F(Statements, JoinTheSharedTransaction)
{
    Statement update(*conn, "update Items set QtyOnHand = ? where ItemID = 1");
    ASSERT_TRUE(update.Ok());
    ASSERT_EQ(conn->BeginTrans(), 1);
    ASSERT_TRUE(update.Bind(1, 99));
    ASSERT_TRUE(update.Run());
    ASSERT_EQ(conn->RollbackTrans(), 1);
    EXPECT_EQ(Result("select QtyOnHand from Items where ItemID = 1"), "5");
}

TEST_F(Statements, MovedStatementKeepsWorkingAndOutlivesItsConnection)
{
    Statement first(*conn, "select Description from Items where ItemID = ?");
    Statement moved(std::move(first));
    EXPECT_FALSE(first.Ok()); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    ASSERT_TRUE(moved.Bind(1, 2));
    ASSERT_EQ(moved.Step(), StepResult::Row);
    EXPECT_EQ(moved.Text(0), "White");
    moved.Reset();
    conn.reset(); // the statement is finalized after the connection went
}

TEST(PlainDatabase, SqliteDialectWithoutTranslation)
{
    TempDb dir;
    Database db(dir.path(), Database::Mode::ReadWrite, 1000);
    ASSERT_TRUE(db.Ok()) << db.Error();
    ASSERT_TRUE(db.Exec("create table T (id integer primary key, name text)"));
    EXPECT_TRUE(db.TableExists("t"));
    EXPECT_FALSE(db.TableExists("U"));
    EXPECT_EQ(db.Columns("T"), (std::vector<std::string>{"id", "name"}));
    Statement insert(db, "insert into T (name) values (?1) returning id");
    ASSERT_TRUE(insert.Ok()) << insert.Error();
    ASSERT_TRUE(insert.Bind(1, std::string_view("a\0b", 3)));
    ASSERT_EQ(insert.Step(), StepResult::Row);
    EXPECT_EQ(insert.Int(0), db.LastInsertId());
    insert.Reset();
    Statement read(db, "select length(cast(name as blob)) from T");
    ASSERT_EQ(read.Step(), StepResult::Row);
    EXPECT_EQ(read.Int(0), 3) << "the text is bound by its length, not up to a NUL";
    std::string error;
    EXPECT_FALSE(db.Exec("insert into Nowhere values (1)", &error));
    EXPECT_NE(error.find("Nowhere"), std::string::npos) << error;

    Database readOnly(dir.path(), Database::Mode::ReadOnly, 1000);
    ASSERT_TRUE(readOnly.Ok());
    EXPECT_FALSE(readOnly.Exec("insert into T (name) values ('x')"));
    EXPECT_FALSE(Database(dir.dir() + "/missing/x.db", Database::Mode::ReadOnly, 0).Ok());
}

} // namespace
