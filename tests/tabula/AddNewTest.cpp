#include "TabulaTestSupport.h"

namespace {

class AddNew : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        Exec("CREATE TABLE Items (ItemID int NOT NULL, Description nvarchar(40), Price money, Added datetime, "
             "Code varchar(10))");
        Exec("ALTER TABLE Items ADD CONSTRAINT PK_Items PRIMARY KEY (ItemID)");
    }
};

TEST_F(AddNew, InsertsTextValuesByDeclaredType)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("Items", adOpenKeyset, adLockOptimistic, adCmdTableDirect), 1);
    const std::vector<std::string> fields{"ItemID", "Description", "Price", "Added", "Code"};
    ASSERT_EQ(rs.AddNew(fields, {"1001", "Red ^ Wine", "12.50", "12/8/2026  9: 5: 7", "007"}), 1);
    ASSERT_EQ(rs.AddNew(fields, {"1002", " ", " ", " ", " "}), 1);
    EXPECT_EQ(Result("select ItemID, Description, Price, Added, Code from Items order by ItemID"),
              "1001|Red ^ Wine|12.5|2026-12-08 09:05:07|007;1002| |0|1900-01-01 00:00:00| ");
    EXPECT_EQ(Result("select ItemID from Items where ItemID = 1001 and Price > 12"), "1001");
}

TEST_F(AddNew, FailureReportsACodeAndInsertsNothing)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select * from Items"), 1);
    const std::vector<std::string> fields{"ItemID", "Price"};
    ASSERT_EQ(rs.AddNew(fields, {"1", "2"}), 1);
    long code = 0;
    EXPECT_EQ(rs.AddNew(fields, {"1", "3"}, &code), 0); // duplicate key
    EXPECT_NE(code, 0);
    code = 0;
    EXPECT_EQ(rs.AddNew(fields, {"2", "cheap"}, &code), 0); // not a number
    EXPECT_NE(code, 0);
    EXPECT_EQ(rs.AddNew({"ItemID", "Added"}, {"3", "someday"}), 0);
    EXPECT_EQ(rs.AddNew({"ItemID", "NoSuchColumn"}, {"4", "x"}), 0);
    EXPECT_EQ(rs.AddNew({"ItemID"}, {"5", "6"}), 0); // counts differ
    EXPECT_EQ(Result("select count(*) from Items"), "1");
    // The cached statement still works after failures.
    EXPECT_EQ(rs.AddNew(fields, {"7", "1"}), 1);
}

// The download's path binds each line's texts as they are; bindings are
// never cleared between rows, so a row that fails half-way must not leak its
// values into the next one.
TEST_F(AddNew, TextRowsBindStraightAndFailedRowsLeaveNothingBehind)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("Items", adOpenKeyset, adLockOptimistic, adCmdTableDirect), 1);
    const std::vector<std::string> fields{"ItemID", "Description", "Price", "Added", "Code"};
    std::vector<std::string> line{"1", "Rose", "3.25", "2026-12-08 00:00:00", "A"};
    ASSERT_EQ(rs.AddNewText(fields, line, true), 1);
    line = {"2", "Port", " ", " ", "B"};
    ASSERT_EQ(rs.AddNewText(fields, line, true), 1); // blank date asked as null
    line = {"3", "Sake", "7", " ", "C"};
    ASSERT_EQ(rs.AddNewText(fields, line, false), 1); // the server's zero date
    long code = 0;
    line = {"4", "Mead", "dear", "2026-12-09 00:00:00", "D"};
    EXPECT_EQ(rs.AddNewText(fields, line, true, &code), 0);
    EXPECT_NE(code, 0);
    line = {"5", "Cava", "1", " ", " "};
    ASSERT_EQ(rs.AddNewText(fields, line, true), 1);
    EXPECT_EQ(rs.AddNewText(fields, {"6"}, true), 0); // counts differ
    EXPECT_EQ(Result("select ItemID, Description, Price, coalesce(Added, 'null'), Code from Items order by ItemID"),
              "1|Rose|3.25|2026-12-08 00:00:00|A;2|Port|0|null|B;3|Sake|7|1900-01-01 00:00:00|C;5|Cava|1|null| ");
    // A null bound by the Variant path is bound again, not kept, on the next row.
    ASSERT_EQ(rs.AddNew({"ItemID", "Added"}, {Variant("7"), Variant()}), 1);
    ASSERT_EQ(rs.AddNew({"ItemID", "Added"}, {Variant("8"), Variant("2026-01-02")}), 1);
    EXPECT_EQ(Result("select ItemID, coalesce(Added, 'null') from Items where ItemID > 6 order by ItemID"),
              "7|null;8|2026-01-02 00:00:00");
}

TEST_F(AddNew, NeedsASingleTable)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select count(*) from Items, Items I2"), 1);
    EXPECT_EQ(rs.AddNew({"ItemID"}, {"1"}), 0);
    CVORecordset closed(conn.get());
    EXPECT_EQ(closed.AddNew({"ItemID"}, {"1"}), 0);
    EXPECT_EQ(rs.Open("NoSuchTable", adOpenKeyset, adLockOptimistic, adCmdTableDirect), 0);
}

TEST_F(AddNew, SchemaChangeInvalidatesCachedInserts)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("Items", adOpenKeyset, adLockOptimistic, adCmdTableDirect), 1);
    ASSERT_EQ(rs.AddNew({"ItemID", "Added"}, {"1", "1/1/2026"}), 1);
    // Rebuilt with the column now text: the value is no longer a date.
    Exec("DROP TABLE Items");
    Exec("CREATE TABLE Items (ItemID int, Added varchar(20))");
    ASSERT_EQ(rs.Open("Items", adOpenKeyset, adLockOptimistic, adCmdTableDirect), 1);
    ASSERT_EQ(rs.AddNew({"ItemID", "Added"}, {"2", "1/1/2026"}), 1);
    EXPECT_EQ(Result("select Added from Items"), "1/1/2026");
}

TEST_F(AddNew, SchemaChangeOnAnotherConnectionIsNoticed)
{
    Exec("insert Items (ItemID, Added) values (1, '1/1/2026')"); // Added known as datetime here
    {
        CVOConnection other(db.connectionString());
        CVORecordset rs(&other);
        ASSERT_EQ(rs.Open("DROP TABLE Items"), 1);
        ASSERT_EQ(rs.Open("CREATE TABLE Items (ItemID int, Added varchar(20))"), 1);
    }
    Exec("insert Items (ItemID, Added) values (2, '1/1/2026')");
    EXPECT_EQ(Result("select Added from Items"), "1/1/2026");
}

TEST_F(AddNew, InsideATransactionRollsBackWhole)
{
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("Items", adOpenKeyset, adLockOptimistic, adCmdTableDirect), 1);
    ASSERT_EQ(rs.BeginTrans(), 1);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(rs.AddNew({"ItemID", "Description"}, {std::to_string(i), "row"}), 1);
    }
    ASSERT_EQ(rs.RollbackTrans(), 1);
    EXPECT_EQ(Result("select count(*) from Items"), "0");
}

} // namespace
