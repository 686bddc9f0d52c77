#include "SyncFakes.h"

#include "sync/DatabaseBuilder.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/Tabula.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

namespace {

const char* kSchema = R"([Database]
TableNames=Items,Accounts,PricingScheme,Notes
Version=7
[Items]
Schema=CREATE TABLE Items (ItemID int NOT NULL,Description nvarchar(60),QtyPerCase int,QtyOnHand int,DeletedFlag int)
Keys=2
Key1=CREATE UNIQUE INDEX PK_Items ON Items (ItemID)
Key2=CREATE INDEX IX_Items_Description ON Items (Description)
[Accounts]
Schema=CREATE TABLE Accounts (AccountID int NOT NULL,CompanyName nvarchar(50))
Keys=0
[PricingScheme]
Schema=CREATE TABLE PricingScheme (ItemID int NOT NULL,CatalogID int,Price money,EndDate datetime)
[Notes]
Schema=CREATE TABLE Notes (NoteID int NOT NULL,Body nvarchar(20))
Keys=2
Key1=CREATE UNIQUE INDEX PK_Notes ON Notes (NoteID)
Key2=CREATE INDEX IX_Broken ON NoSuchTable (X)
)";

std::string TableFile(const std::string& name, const std::string& cols, int n, int rows, int firstKey = 1)
{
    std::string s = name + "\r\n" + cols + "\r\n" + std::to_string(n) + "\r\n";
    for (int i = 0; i < rows; ++i)
        s += std::to_string(firstKey + i) + "^Item " + std::to_string(i) + "\r\n";
    return s;
}

} // namespace

class DatabaseBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(w.dir.File("ZevSchema.ini"), kSchema);
        DBLib::SetDatabaseFolder(w.dir.Path());
        ASSERT_TRUE(db.OpenAdmin());
        ASSERT_EQ(builder.RebuildTable("ALL"), -1); // Notes' last key fails
    }
    void TearDown() override
    {
        db.CloseAll();
        QueryPool::DestroyAll();
    }
    int Count(const std::string& sql)
    {
        Rows r;
        return db.Select(sql, r) && !r.empty() ? ToInt(r[0][0]) : -1;
    }
    static int ToInt(const std::string& s) { return std::atoi(s.c_str()); }

    FakeWorld w;
    TabulaSyncDb db;
    SyncEngine engine{w.Services(&db)};
    DatabaseBuilder builder{engine};
};

TEST_F(DatabaseBuilderTest, RebuildReportsTheLastStatementAndLogsFailures)
{
    EXPECT_EQ(builder.RebuildTable("Items"), 0);
    EXPECT_EQ(builder.RebuildTable("Notes"), -2);
    std::string log = ReadFile(w.dir.File("Temp/$q9err.txt"));
    EXPECT_NE(log.find("Add Key Failed on Notes\r\nCREATE INDEX IX_Broken ON NoSuchTable (X)\r\n"), std::string::npos);
    EXPECT_EQ(builder.RebuildTable("Unknown"), -2);
    EXPECT_NE(ReadFile(w.dir.File("Temp/$q9err.txt")).find("Create Table Failed on Unknown"), std::string::npos);
    std::filesystem::remove(w.dir.File("ZevSchema.ini"));
    EXPECT_EQ(builder.RebuildTable("Items"), -1);
}

struct ApplyCase {
    const char* name;
    std::string file;
    int expected;
};

class ApplyCodes : public DatabaseBuilderTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyCodes, ReturnsRowsOrCode)
{
    WriteFile(w.dir.File("t.txt"), GetParam().file);
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, false), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ApplyCodes,
    ::testing::Values(ApplyCase{"Html", "<TR><TD>x</TD>\nItemID\n1\n1\n", -99},
                      ApplyCase{"EmptyName", "\nItemID\n1\n1\n", -99999},
                      ApplyCase{"ServerError", "<ERROR>Bad password</ERROR>\n", -10000},
                      ApplyCase{"NoRows", "Items\nItemID,Description\n0\n", 0},
                      ApplyCase{"FiveShort", TableFile("Items", "ItemID,Description", 100, 95), 95},
                      ApplyCase{"FifteenShort", TableFile("Items", "ItemID,Description", 100, 85), -1},
                      ApplyCase{"ShortLineSkipped", "Items\nItemID,Description\n2\n1^a\n2\n3^c\n", 2},
                      ApplyCase{"InjectedName", "Items;drop table Accounts\nItemID\n1\n1\n", -99}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DatabaseBuilderTest, MissingFileGivesZero)
{
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("none.txt"), kModeInsert, false), 0);
}

TEST_F(DatabaseBuilderTest, ElevenFailedInsertsAbortTheTableTenAreCounted)
{
    // Duplicate keys fail on the primary key: one good row, then ten or eleven failures.
    std::string tenFails = "Items\nItemID,Description\n11\n1^a\n";
    for (int i = 0; i < 10; ++i)
        tenFails += "1^dup\n";
    WriteFile(w.dir.File("t.txt"), tenFails);
    // Only the row that really went in counts.
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 1);
    std::string elevenFails = tenFails + "1^dup\n";
    elevenFails.replace(elevenFails.find("\n11\n"), 4, "\n12\n");
    WriteFile(w.dir.File("t.txt"), elevenFails);
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), -1);
    std::string log = ReadFile(w.dir.File("Temp/$q9err.txt"));
    EXPECT_NE(log.find("ERROR INSERTING DATA ----------------------------------\r\nItemID,Description\r\n1^dup\r\n"),
              std::string::npos);
}

TEST_F(DatabaseBuilderTest, RebuildFirstReplacesTheRows)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 3, 3));
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 3);
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 3);
    EXPECT_EQ(Count("select count(*) from Items"), 3);
    Rows r;
    ASSERT_TRUE(db.Select("select Description from Items where ItemID = 2", r));
    EXPECT_EQ(r.at(0).at(0), "Item 1");
}

// A rebuilt table's plain indexes are built after its rows, and only they:
// the unique key still refuses a duplicate row by row; with no rows the
// indexes are built all the same; a broken one still fails the table.
TEST_F(DatabaseBuilderTest, PlainIndexesComeAfterTheRowsKeysStillJudgeEachRow)
{
    auto indexes = [&](const std::string& table) {
        Rows r;
        (void)db.Select(
            "select name from sqlite_master where type = 'index' and tbl_name = '" + table + "' order by name", r);
        std::string names;
        for (const Row& row : r)
            names += row.at(0) + ";";
        return names;
    };
    WriteFile(w.dir.File("t.txt"), "Items\nItemID,Description\n3\n1^a\n1^dup\n2^b\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    EXPECT_EQ(indexes("Items"), "Items.IX_Items_Description;Items.PK_Items;");
    EXPECT_EQ(Count("select count(*) from Items where Description = 'b'"), 1);
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 0, 0));
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 0);
    EXPECT_EQ(indexes("Items"), "Items.IX_Items_Description;Items.PK_Items;");
    EXPECT_EQ(Count("select count(*) from Items"), 0);

    WriteFile(w.dir.File("n.txt"), TableFile("Notes", "NoteID,Body", 2, 2));
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("n.txt"), kModeInsert, true), kApplyRebuildFailed);
    EXPECT_NE(ReadFile(w.dir.File("Temp/$q9err.txt")).find("Add Key Failed on Notes"), std::string::npos);
    EXPECT_EQ(indexes("Notes"), "Notes.PK_Notes;");
}

TEST_F(DatabaseBuilderTest, BlankValueIsStoredAsBlank)
{
    WriteFile(w.dir.File("t.txt"), "Items\nItemID,Description,QtyOnHand\n1\n7^^5\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 1);
    Rows r;
    ASSERT_TRUE(db.Select("select Description, QtyOnHand from Items where ItemID = 7", r));
    EXPECT_EQ(r.at(0), (Row{" ", "5"}));
}

TEST_F(DatabaseBuilderTest, BlankNumbersAreZeroBlankDatesStayNullDatesAreCanonical)
{
    // A blank number is 0 as everywhere in the database library (a blank
    // DeletedFlag is a live item); a price row without an end date is
    // open-ended for the pricing reader; a bad date or number fails its row only.
    WriteFile(w.dir.File("t.txt"), "PricingScheme\nItemID,CatalogID,Price,EndDate\n4\n"
                                   "1^^^\n2^5^1.25^3/4/2026 5:06 PM\n3^x^1^\n4^1^1^not a date\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    Rows r;
    ASSERT_TRUE(db.Select("select ItemID, CatalogID, cast(Price * 100 as int), EndDate is null, EndDate "
                          "from PricingScheme order by ItemID",
                          r));
    EXPECT_EQ(r, (Rows{{"1", "0", "0", "1", ""}, {"2", "5", "125", "0", "2026-03-04 17:06:00"}}));
    std::string log = ReadFile(w.dir.File("Temp/$q9err.txt"));
    EXPECT_NE(log.find("\r\n3^x^1^\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\n4^1^1^not a date\r\n"), std::string::npos);
}

struct StepCase {
    int n;
    int reports; // status reports during the rows
};

class ProgressSteps : public DatabaseBuilderTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ProgressSteps, ReportEveryStepRows)
{
    int n = GetParam().n;
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", n, n));
    w.sink.steps.clear();
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), n);
    // One report at 1 percent, one per step, one at the end.
    int expected = n == 0 ? 0 : GetParam().reports + 2;
    EXPECT_EQ(w.sink.Count("Renewing Items Data"), expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, ProgressSteps, ::testing::Values(StepCase{0, 0}, StepCase{25, 3}, StepCase{500, 10}));

TEST_F(DatabaseBuilderTest, InventoryModeUpdatesQuantitiesWithBoundValues)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 2, 2, 1001));
    ASSERT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    WriteFile(w.dir.File("inv.txt"), "Inventory\nItemID,QtyOnHand\n3\n1001^24\n1002^0\n1003^5\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("inv.txt"), kModeInventory, false), 3);
    EXPECT_EQ(Count("select QtyOnHand from Items where ItemID = 1001"), 24);
    EXPECT_EQ(Count("select QtyOnHand from Items where ItemID = 1002"), 0);
    // A value carrying SQL stays a value.
    WriteFile(w.dir.File("inv.txt"), "Inventory\nItemID,Description\n1\n1001^x'; delete from Items; --\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("inv.txt"), kModeInventory, false), 1);
    EXPECT_EQ(Count("select count(*) from Items"), 2);
}

TEST_F(DatabaseBuilderTest, InventoryBlanksAreZeroNumbersAndNullDatesAndEveryRowMustArrive)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 2, 2, 1001));
    ASSERT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    WriteFile(w.dir.File("inv.txt"), "Inventory\nItemID,QtyOnHand,QtyPerCase\n1\n1001^ ^\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("inv.txt"), kModeInventory, false), 1);
    // Numbers, not the text ' ' (which compares above every number).
    EXPECT_EQ(Count("select count(*) from Items where ItemID = 1001 and QtyOnHand = 0 and QtyPerCase = 0"), 1);
    EXPECT_EQ(Count("select count(*) from Items where QtyOnHand > 0"), 0);
    // One row short is no longer tolerated: the stamp must not move.
    WriteFile(w.dir.File("inv.txt"), "Inventory\nItemID,QtyOnHand\n2\n1001^4\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("inv.txt"), kModeInventory, false), kApplyFailed);
}

TEST_F(DatabaseBuilderTest, ReplaceByKeyReplacesRowsWithTheKeyOfTheSchemaAndAddsTheRest)
{
    WriteFile(w.dir.File("t.txt"), "Items\nItemID,Description\n2\n1^one\n2^two\n");
    ASSERT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    EXPECT_EQ(builder.KeyColumns("Items"), (std::vector<std::string>{"ItemID"}));
    WriteFile(w.dir.File("t.txt"), "Items\nItemID,Description\n2\n2^it's new\n3^three\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeReplaceByKey, false), 2);
    Rows r;
    ASSERT_TRUE(db.Select("select ItemID, Description from Items order by ItemID", r));
    EXPECT_EQ(r, (Rows{{"1", "one"}, {"2", "it's new"}, {"3", "three"}}));
}

TEST_F(DatabaseBuilderTest, InventoryModeRefusesColumnsThatAreNotItemColumns)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 2, 2, 1001));
    ASSERT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    std::string file = "Inventory\nItemID,QtyOnHand=0 where 1=1; --\n11\n";
    for (int i = 0; i < 11; ++i)
        file += "1001^5\n";
    WriteFile(w.dir.File("inv.txt"), file);
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("inv.txt"), kModeInventory, false), kApplyBadHeader);
    EXPECT_NE(ReadFile(w.dir.File("Temp/$q9err.txt")).find("does not match the table"), std::string::npos);
    EXPECT_EQ(Count("select count(*) from Items where QtyOnHand = 5"), 0);
}

// Replies that must be refused before the table is touched: the table keeps
// its rows whatever the reply says.
struct HostileCase {
    const char* name;
    std::string file;
    int mode;
};

class HostileHeaders : public DatabaseBuilderTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileHeaders, AreRefusedAndDropNothing)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 3, 3));
    ASSERT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 3);
    ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName) values (1, 'Kept')"));
    WriteFile(w.dir.File("h.txt"), GetParam().file);
    const bool inventory = GetParam().mode == kModeInventory;
    EXPECT_LT(
        builder.ApplyTableFile(w.dir.File("h.txt"), GetParam().mode, !inventory, inventory ? "Inventory" : "Items"), 0);
    EXPECT_EQ(Count("select count(*) from Items"), 3);
    EXPECT_EQ(Count("select count(*) from Items where QtyOnHand is not null"), 0);
    EXPECT_EQ(Count("select count(*) from Accounts"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HostileHeaders,
    ::testing::Values(HostileCase{"AnotherTable", "Accounts\nAccountID,CompanyName\n1\n9^Planted\n", kModeInsert},
                      HostileCase{"EmptyColumnLine", "Items\n\n3\n\n", kModeInsert},
                      HostileCase{"EmptyColumnLineInventory", "Inventory\n\n3\n\n", kModeInventory},
                      HostileCase{"OnlyKeyColumnInventory", "Inventory\nItemID\n1\n1\n", kModeInventory},
                      HostileCase{"NegativeCount", "Items\nItemID,Description\n-5\n1^a\n", kModeInsert},
                      HostileCase{"CountNotANumber", "Items\nItemID,Description\nmany\n1^a\n", kModeInsert},
                      HostileCase{"CountTooLarge", "Items\nItemID,Description\n99999999999\n1^a\n", kModeInsert},
                      HostileCase{"NoCountLine", "Items\nItemID,Description\n", kModeInsert},
                      HostileCase{"NameOnly", "Items\n", kModeInsert},
                      HostileCase{"UnknownColumn", "Items\nItemID,Secret\n1\n1^a\n", kModeInsert},
                      HostileCase{"ColumnTwice", "Items\nItemID,ItemID\n1\n1^1\n", kModeInsert},
                      HostileCase{"BinaryColumns",
                                  std::string("Items\n\x01\xff\x00\x7f,\x80\n2\n",
                                              sizeof("Items\n\x01\xff\x00\x7f,\x80\n2\n") - 1),
                                  kModeInsert},
                      HostileCase{"BinaryName", std::string("\x89PNG\x0d\x0a\x1a\x0a\x00", 9), kModeInsert}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DatabaseBuilderTest, ATableNotYetBuiltIsBuiltBeforeItsColumnsAreJudged)
{
    ASSERT_TRUE(db.Exec("DROP TABLE Accounts"));
    WriteFile(w.dir.File("a.txt"), "Accounts\nAccountID,CompanyName\n2\n1^A\n2^B\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("a.txt"), kModeInsert, true, "Accounts"), 2);
    EXPECT_EQ(Count("select count(*) from Accounts"), 2);
}

TEST_F(DatabaseBuilderTest, TheTableNameIsComparedWithoutRegardToCase)
{
    WriteFile(w.dir.File("a.txt"), "ACCOUNTS\nAccountID,CompanyName\n1\n1^A\n");
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("a.txt"), kModeInsert, true, "Accounts"), 1);
}

TEST_F(DatabaseBuilderTest, AShortTableSaysHowManyRowsCame)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 60, 49));
    EXPECT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true, "Items"), kApplyFailed);
    EXPECT_EQ(builder.LastApply().announced, 60);
    EXPECT_EQ(builder.LastApply().received, 49);
    EXPECT_EQ(builder.LastApply().problem, "The server sent 49 of 60 rows of Items.");
}

TEST_F(DatabaseBuilderTest, AReplyForAnotherTableIsNeitherAppliedNorKept)
{
    WriteFile(w.dir.File("t.txt"), TableFile("Items", "ItemID,Description", 2, 2));
    ASSERT_EQ(builder.ApplyTableFile(w.dir.File("t.txt"), kModeInsert, true), 2);
    const std::string planted = "Items\nItemID,Description\n1\n666^Planted\n";
    w.transport.replies = {{0, planted}, {0, planted}, {0, planted}};
    EXPECT_EQ(builder.GrabTableForManager("Accounts", 1), -1);
    EXPECT_EQ(builder.GrabTableForManager("Accounts", 2), -1);
    EXPECT_FALSE(std::filesystem::exists(builder.KeptTableFile("Accounts")));
    EXPECT_FALSE(std::filesystem::exists(builder.KeptTableFile("Items")));
    EXPECT_EQ(builder.GrabTables("Accounts", 1, true), 1);
    EXPECT_EQ(Count("select count(*) from Items"), 2);
    EXPECT_EQ(Count("select count(*) from Items where ItemID = 666"), 0);
    EXPECT_EQ(w.profile.values.count("AccountsUD"), 0u);
}

TEST_F(DatabaseBuilderTest, CheckDatabaseWantsRowsInTheThreeTables)
{
    EXPECT_EQ(builder.CheckDatabase(), -1);
    for (const char* sql : {"insert into Items (ItemID) values (1)", "insert into Accounts (AccountID) values (1)",
                            "insert into PricingScheme (ItemID) values (1)"})
        ASSERT_TRUE(db.Exec(sql));
    EXPECT_EQ(builder.CheckDatabase(), 0);
}

TEST_F(DatabaseBuilderTest, GrabTablesMovesTheStampOnlyWhenRowsArrived)
{
    w.transport.replies = {
        {0, TableFile("Accounts", "AccountID,CompanyName", 1, 1)}, {0, "<ERROR>Bad password</ERROR>\n"}, {2, ""}};
    w.profile.values["AccountsUD"] = "2006-03-07 16:05:09  ";
    EXPECT_EQ(builder.GrabTables("Accounts", 1, true), 0);
    EXPECT_EQ(w.transport.requests[0].path,
              "/MobileServer/v1/"
              "grabdata.cfm?ID=100200&P=0123456789abcdef0123456789abcdef&Tablenames=Accounts&UD=2006-03-07%20"
              "16:05:09");
    std::string stamp = w.profile.values["AccountsUD"];
    w.clock.now += 3600;
    EXPECT_EQ(builder.GrabTables("Accounts", 1, true), 1);
    EXPECT_EQ(w.profile.values["AccountsUD"], stamp);
    EXPECT_EQ(builder.GrabTables("Accounts", 1, true), -1);
}

TEST_F(DatabaseBuilderTest, GrabTableForManagerShowsServerErrorsAndKeepsFilesInModeTwo)
{
    w.profile.values["ManagerID"] = "900100";
    w.transport.replies = {{0, "<ERROR>Bad password</ERROR>\n"},
                           {0, TableFile("Accounts", "AccountID,CompanyName", 2, 2)}};
    EXPECT_EQ(builder.GrabTableForManager("Accounts", 1), -1);
    ASSERT_EQ(w.box.Texts().size(), 1u);
    EXPECT_EQ(w.box.Texts()[0], "Bad password");
    EXPECT_NE(w.transport.requests[0].path.find("&MID=900100&Tablenames=Accounts"), std::string::npos);
    EXPECT_EQ(builder.GrabTableForManager("Accounts", 2), 0);
    EXPECT_TRUE(std::filesystem::exists(builder.KeptTableFile("Accounts")));
    EXPECT_FALSE(std::filesystem::exists(w.transport.replyFile));
}
