// Statements of the server dialect, run on a real database: each case is
// judged by the rows it yields, not by the text it is translated to.

#include "TabulaTestSupport.h"

namespace {

struct Case {
    const char* name;
    const char* sql;
    const char* expected; // rows as "a|b;c|d", or "ERROR" for a failing statement
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

struct CaseName {
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const { return info.param.name; }
};

class SqlDialectRun : public DbFixture, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        for (const char* s : {
                 "CREATE TABLE Items (ItemID int NOT NULL, Description nvarchar(60), CategoryID int, Price money, "
                 "Added datetime, Code varchar(10))",
                 "ALTER TABLE Items ADD CONSTRAINT PK_Items PRIMARY KEY (ItemID)",
                 "insert Items values (1, 'Red Wine', 10, 12.5, '12/8/2026  9: 5: 7', 'A1')",
                 "insert into Items values (2, 'white wine', 10, 8, '2026-11-30 23:59:59', 'B2  ')",
                 "insert Items values (3, 'Lager', 20, 1.25, {ts '2026-12-01 00:00:00'}, NULL)",
                 "insert Items (ItemID, Description) values (4, 'Water')",
                 "CREATE TABLE WorkOrderItems (AccountID int, WorkOrderID int, ItemID int, CDistPrice money, inv int)",
                 "insert WorkOrderItems values (7, 3, 1, 10.5, 0)",
                 "insert WorkOrderItems values (7, 3, 2, 7, 2)",
                 "insert WorkOrderItems values (7, 3, 3, 1, 1)",
                 "insert WorkOrderItems values (8, 3, 1, 11, 0)",
                 "CREATE TABLE ItemHistory (AccountID int, ItemID int, YTDPurchaseQty int, LastOrderDate datetime)",
                 "insert ItemHistory values (7, 1, 5, '1/5/2026')",
                 "insert ItemHistory values (8, 2, 9, '2/6/2026')",
                 "insert ItemHistory values (7, 3, 2, '3/7/2026 14:00:00')",
             }) {
            Exec(s);
        }
    }
};

TEST_P(SqlDialectRun, YieldsTheServerResult)
{
    const Case& c = GetParam();
    std::string got = Result(c.sql);
    if (std::string(c.expected) == "ERROR") {
        EXPECT_EQ(got.rfind("ERROR", 0), 0u) << c.sql << " gave " << got;
    } else {
        EXPECT_EQ(got, c.expected) << c.sql;
    }
}

const Case kDateParts[] = {
    {"yy", "select datepart(yy, Added) from Items where ItemID = 1", "2026"},
    {"yyyy", "select datepart(yyyy, Added) from Items where ItemID = 1", "2026"},
    {"year", "select datepart(year, Added) from Items where ItemID = 1", "2026"},
    {"q", "select datepart(q, Added), datepart(quarter, '2/1/2026') from Items where ItemID = 1", "4|1"},
    {"m", "select datepart(m, Added), datepart(mm, Added), datepart(month, Added) from Items where ItemID = 1",
     "12|12|12"},
    {"d", "select datepart(d, Added), datepart(dd, Added), datepart(day, Added) from Items where ItemID = 1", "8|8|8"},
    {"time", "select datepart(hh, Added), datepart(mi, Added), datepart(ss, Added) from Items where ItemID = 1",
     "9|5|7"},
    {"timeLong",
     "select datepart(hour, Added), datepart(minute, Added), datepart(second, Added) from Items where ItemID = 1",
     "9|5|7"},
    {"weekdaySundayIsOne", "select datepart(dw, Added), datepart(weekday, '12/6/2026') from Items where ItemID = 1",
     "3|1"},
    {"nullDate", "select datepart(yy, Added) from Items where ItemID = 4", "NULL"},
    {"functions", "select year(Added), month(Added), day(Added) from Items where ItemID = 2", "2026|11|30"},
    {"badPart", "select datepart(fortnight, Added) from Items", "ERROR"},
    // Texts of the stored length that are not digit for digit the stored form
    // still read as before: blank-padded fields, a fraction, a letter.
    {"storedShapeVariants",
     "select datepart(hh, '2026-12-09  9:10:00'), datepart(dd, '2026-12-09 09:10:00'), datepart(ss, "
     "'2026-12-09 09:10:07.250') from Items where ItemID = 1",
     "9|9|7"},
    {"letterInStoredShape", "select datepart(mm, '2026-1x-09 09:10:00') from Items where ItemID = 1", "ERROR"},
};
INSTANTIATE_TEST_SUITE_P(DatePart, SqlDialectRun, ::testing::ValuesIn(kDateParts), CaseName());

const Case kConversions[] = {
    {"style101", "select convert(nvarchar, Added, 101) from Items where ItemID = 1", "12/08/2026"},
    {"style101Varchar", "select convert(varchar(10), Added, 101) from Items where ItemID = 3", "12/01/2026"},
    {"varcharLengthCuts", "select convert(varchar(5), Added, 101) from Items where ItemID = 1", "12/08"},
    {"style112", "select convert(char(8), Added, 112) from Items where ItemID = 1", "20261208"},
    {"style108", "select convert(varchar, Added, 108) from Items where ItemID = 1", "09:05:07"},
    {"toInt", "select convert(int, '12'), convert(int, 3.7), convert(int, Price) from Items where ItemID = 1",
     "12|3|12"},
    {"toIntBlankIsZero", "select convert(int, ' ')", "0"},
    {"toIntBadText", "select convert(int, 'abc')", "ERROR"},
    {"toDatetime", "select convert(datetime, '12/8/2026')", "2026-12-08 00:00:00"},
    {"toDatetimeBad", "select convert(datetime, 'soon')", "ERROR"},
    {"castText", "select cast(ItemID as varchar(10)) + 'x' from Items where ItemID = 2", "2x"},
    {"castMoney", "select cast('3.5' as money)", "3.5"},
    {"castDecimal", "select cast(2.345 as decimal(10,2))", "2.35"},
    {"textOfNumberStyle", "select convert(varchar(20), Price) from Items where ItemID = 1", "12.5"},
};
INSTANTIATE_TEST_SUITE_P(Convert, SqlDialectRun, ::testing::ValuesIn(kConversions), CaseName());

const Case kDateArithmetic[] = {
    {"getdateIsNow", "select datediff(day, getdate(), GetDate())", "0"},
    {"getdateForm", "select len(convert(varchar(30), getdate(), 120))", "19"},
    {"datediffDays", "select datediff(day, '12/01/2026', Added) from Items where ItemID = 1", "7"},
    {"datediffCountsBoundaries", "select datediff(dd, '2026-11-30 23:59:59', '2026-12-01 00:00:01')", "1"},
    {"datediffMonths", "select datediff(month, '1/31/2026', '2/1/2026'), datediff(yy, '12/31/2025', '1/1/2026')",
     "1|1"},
    {"dateaddDays", "select dateadd(day, 3, '12/30/2026')", "2027-01-02 00:00:00"},
    {"dateaddMonthClamps", "select dateadd(month, 1, '1/31/2026')", "2026-02-28 00:00:00"},
    {"dateaddNegative", "select dateadd(dd, -8, Added) from Items where ItemID = 1", "2026-11-30 09:05:07"},
    {"dateMinusDays", "select count(*) from Items where Added > getdate() - 100000", "3"},
};
INSTANTIATE_TEST_SUITE_P(DateArithmetic, SqlDialectRun, ::testing::ValuesIn(kDateArithmetic), CaseName());

const Case kDateComparisons[] = {
    {"dateLiteralComparesDates", "select ItemID from Items where Added >= '12/01/2026' order by ItemID", "1;3"},
    {"paddedLiteral", "select ItemID from Items where Added = '12/8/2026  9: 5: 7'", "1"},
    {"isoLiteral", "select ItemID from Items where Added < '2026-12-01' order by ItemID", "2"},
    {"literalOnLeft", "select ItemID from Items where '12/01/2026' <= Added order by ItemID", "1;3"},
    {"between", "select ItemID from Items where Added between '11/30/2026' and '12/01/2026' order by ItemID", "2;3"},
    {"inList", "select ItemID from Items where Added in ('12/1/2026', '1/1/2000')", "3"},
    {"qualifiedColumn", "select I.ItemID from Items I where I.Added >= '12/02/2026'", "1"},
    {"odbcDate", "select ItemID from Items where Added >= {d '2026-12-02'}", "1"},
    {"notADate", "select ItemID from Items where Added >= 'yesterday'", "ERROR"},
    {"textColumnUntouched", "select count(*) from Items where Code = '12/01/2026'", "0"},
};
INSTANTIATE_TEST_SUITE_P(DateCompare, SqlDialectRun, ::testing::ValuesIn(kDateComparisons), CaseName());

const Case kSelects[] = {
    {"top", "select top 2 ItemID from Items order by ItemID desc", "4;3"},
    {"topParenthesised", "select top (1) ItemID from Items order by ItemID", "1"},
    {"distinctTop", "select distinct top 1 CategoryID from Items where CategoryID is not null order by CategoryID",
     "10"},
    {"topInSubquery", "select count(*) from Items where ItemID in (select top 2 ItemID from Items order by ItemID)",
     "2"},
    {"caseWhenExists", "select case when exists (select * from Items where CategoryID = 20) then 1 else 0 end", "1"},
    {"caseWhenNotExists", "select case when exists (select * from Items where CategoryID = 99) then 1 else 0 end", "0"},
    {"isnull", "select isnull(Code, 'none') from Items where ItemID = 3", "none"},
    {"concatLiteral", "select 'Item: ' + Description from Items where ItemID = 1", "Item: Red Wine"},
    {"concatColumns", "select Description + Code from Items where ItemID = 1", "Red WineA1"},
    {"concatWithAlias", "select Description + ' / ' + Code Label from Items where ItemID = 1", "Red Wine / A1"},
    {"concatInWhere", "select ItemID from Items where Description + '!' = 'Lager!'", "3"},
    {"concatConvert", "select 'No. ' + convert(varchar(10), ItemID) from Items where ItemID = 4", "No. 4"},
    {"plusStaysNumeric", "select ItemID + CategoryID, Price + 1 from Items where ItemID = 1", "11|13.5"},
    {"concatCase", "select 'x' + case when ItemID = 1 then 'one' else 'other' end + '!' from Items where ItemID = 1",
     "xone!"},
    {"concatNullIsNull", "select Description + Code from Items where ItemID = 3", "NULL"},
    {"len", "select len('abc  '), len(Code) from Items where ItemID = 2", "3|2"},
    {"trims", "select '[' + ltrim('  a ') + ']', '[' + rtrim(Code) + ']' from Items where ItemID = 2", "[a ]|[B2]"},
    {"substring", "select substring(Description, 5, 4) from Items where ItemID = 1", "Wine"},
    {"charindex", "select charindex('WINE', Description), charindex('x', Description) from Items where ItemID = 2",
     "7|0"},
    {"upperLower", "select upper(Description), lower(Code) from Items where ItemID = 1", "RED WINE|a1"},
    {"leftRight", "select left(Description, 3), right(Description, 4) from Items where ItemID = 1", "Red|Wine"},
    {"equalsIgnoresCase", "select ItemID from Items where Description = 'LAGER'", "3"},
    {"likeIgnoresCase", "select ItemID from Items where Description like '%WINE' order by ItemID", "1;2"},
    {"bracketIdentifiers", "select [ItemID] from [dbo].[Items] where [Description] = 'Water'", "4"},
    {"nationalLiteral", "select ItemID from Items where Description = N'Water'", "4"},
    {"stringKeepsOperators", "select 'a *= b, getdate(), datepart(yy, x) + 1' from Items where ItemID = 1",
     "a *= b, getdate(), datepart(yy, x) + 1"},
    {"commentsIgnored", "select ItemID -- the key\n from Items /* all */ where ItemID = 2", "2"},
    {"notLessThan", "select count(*) from Items where ItemID !< 3", "2"},
    {"union", "select ItemID from Items where ItemID = 1 union select ItemID from Items where ItemID = 2", "1;2"},
    {"nolockHint", "select count(*) from Items with (nolock)", "4"},
    {"trailingSemicolon", "select count(*) from Items;", "4"},
};
INSTANTIATE_TEST_SUITE_P(Select, SqlDialectRun, ::testing::ValuesIn(kSelects), CaseName());

// The guide-with-history reader: every guide line of the account, with its
// history where there is one.
const char* kHistoryReader =
    "Select WorkOrderItems.ItemID, WorkOrderItems.CDistPrice, Items.Description, ItemHistory.YTDPurchaseQty, "
    "datepart(yy, ItemHistory.LastOrderDate), datepart(mm, ItemHistory.LastOrderDate), "
    "datepart(dd, ItemHistory.LastOrderDate) from WorkOrderItems, Items, ItemHistory where "
    "ItemHistory.AccountID=*WorkOrderItems.AccountID and WorkOrderItems.ItemID = Items.ItemID and "
    "WorkOrderItems.ItemID*=ItemHistory.ItemID and WorkOrderItems.AccountID = 7 and Items.CategoryID %s in (%s) "
    "order by WorkOrderItems.ItemID";

std::string historyReader(const char* word, const char* list, const char* suffix = "")
{
    char buf[2048];
    std::snprintf(buf, sizeof buf, kHistoryReader, word, list);
    std::string s = buf;
    if (*suffix) {
        s.insert(s.find(" order by"), std::string(" ") + suffix);
    }
    return s;
}

class OuterJoin : public SqlDialectRun {};

TEST_F(OuterJoin, KeepsGuideLinesWithoutHistory)
{
    EXPECT_EQ(Result(historyReader("", "10,20")),
              "1|10.5|Red Wine|5|2026|1|5;2|7|white wine|NULL|NULL|NULL|NULL;3|1|Lager|2|2026|3|7");
}

TEST_F(OuterJoin, CategoryFiltersStillApply)
{
    EXPECT_EQ(Result(historyReader("not", "10")), "3|1|Lager|2|2026|3|7");
    EXPECT_EQ(Result(historyReader("not", "0", "and WorkOrderItems.inv > 0")),
              "2|7|white wine|NULL|NULL|NULL|NULL;3|1|Lager|2|2026|3|7");
}

TEST_F(OuterJoin, RestrictionOnInnerTableBelongsToTheJoin)
{
    // As the server read the old notation: rows without a match survive.
    EXPECT_EQ(Result("select W.ItemID, H.YTDPurchaseQty from WorkOrderItems W, ItemHistory H where W.AccountID = 7 "
                     "and W.ItemID *= H.ItemID and H.YTDPurchaseQty > 3 order by W.ItemID"),
              "1|5;2|9;3|NULL");
}

TEST_F(OuterJoin, OrAroundOuterJoinIsRefused)
{
    EXPECT_EQ(Result("select * from WorkOrderItems W, ItemHistory H where W.ItemID *= H.ItemID or W.inv = 1")
                  .rfind("ERROR", 0),
              0u);
}

const Case kWrites[] = {
    {"deleteWithoutFrom", "delete Items where ItemID = 4", ""},
    {"deleteAll", "delete ItemHistory", ""},
    {"insertWithoutInto", "insert Items (ItemID, Description) values (9, 'Juice')", ""},
    {"updateDate", "update Items set Added = '1/2/2027 3:04:05 PM' where ItemID = 4", ""},
    {"truncate", "truncate table ItemHistory", ""},
    {"unknownStatement", "exec sp_who", "ERROR"},
    {"twoStatements", "delete Items; delete ItemHistory", "ERROR"},
    {"duplicateKey", "insert Items (ItemID) values (1)", "ERROR"},
    {"parameter", "select * from Items where ItemID = @id", "ERROR"},
    {"unterminatedString", "select 'abc from Items", "ERROR"},
    {"numericColumnFromBadText", "insert Items (ItemID, CategoryID) values (10, 'abc')", "ERROR"},
};
INSTANTIATE_TEST_SUITE_P(Write, SqlDialectRun, ::testing::ValuesIn(kWrites), CaseName());

class Writes : public SqlDialectRun {};

TEST_F(Writes, DeleteWithoutFromRemovesTheRow)
{
    Exec("delete Items where ItemID = 4");
    EXPECT_EQ(Result("select count(*) from Items"), "3");
    Exec("delete WorkOrderItems");
    EXPECT_EQ(Result("select count(*) from WorkOrderItems"), "0");
}

TEST_F(Writes, UpdateStoresDatesInOneForm)
{
    Exec("update Items set Added = '1/2/2027 3:04:05 PM' where ItemID = 4");
    EXPECT_EQ(Result("select Added from Items where ItemID = 4"), "2027-01-02 15:04:05");
}

TEST_F(Writes, BlankIntoNumericAndDateColumnsIsZero)
{
    Exec("insert Items values (10, 'Soda', '', ' ', '', '')");
    EXPECT_EQ(Result("select CategoryID, Price, Added, Code from Items where ItemID = 10"), "0|0|1900-01-01 00:00:00|");
}

class Schema : public DbFixture {};

TEST_F(Schema, ServerTypesIdentityAndDefaults)
{
    Exec("CREATE TABLE [dbo].[Log] ([Seq] [int] IDENTITY (1, 1) NOT NULL, Note ntext NULL, Flag bit DEFAULT 0, "
         "Amount decimal(10, 2) DEFAULT (-1), Small smallint, Tiny tinyint, Big float, R real, Name nchar(4), "
         "Longer nvarchar(max), At smalldatetime DEFAULT (getdate()), Price money NOT NULL DEFAULT 0) ON [PRIMARY]");
    Exec("insert Log (Note, Price) values ('first', 2)");
    Exec("insert Log (Note, Price) values ('second', 3)");
    EXPECT_EQ(Result("select Seq, Note, Flag, Amount, datediff(day, At, getdate()) from Log order by Seq"),
              "1|first|0|-1|0;2|second|0|-1|0");
    EXPECT_EQ(Result("insert Log (Note, Price) values (NULL, NULL)").rfind("ERROR", 0), 0u) << "NOT NULL money";
}

TEST_F(Schema, AddedPrimaryKeyRefusesDuplicates)
{
    Exec("CREATE TABLE T (A int NOT NULL, B int NOT NULL, C nvarchar(10))");
    Exec("ALTER TABLE T ADD CONSTRAINT PK_T PRIMARY KEY CLUSTERED (A, B)");
    Exec("insert T values (1, 1, 'x')");
    Exec("insert T values (1, 2, 'y')");
    EXPECT_EQ(Result("insert T values (1, 1, 'z')").rfind("ERROR", 0), 0u);
    EXPECT_EQ(Result("select count(*) from T"), "2");
}

TEST_F(Schema, IndexesAndDrops)
{
    Exec("CREATE TABLE T (A int, B nvarchar(10))");
    Exec("CREATE UNIQUE CLUSTERED INDEX IX_A ON T (A)");
    Exec("CREATE NONCLUSTERED INDEX IX_B ON T (B DESC)");
    Exec("CREATE TABLE U (A int)");
    Exec("CREATE INDEX IX_A ON U (A)"); // index names belong to their table
    Exec("insert T values (1, 'a')");
    EXPECT_EQ(Result("insert T values (1, 'b')").rfind("ERROR", 0), 0u);
    Exec("DROP INDEX T.IX_A");
    Exec("insert T values (1, 'b')");
    Exec("DROP TABLE T");
    EXPECT_EQ(Result("select * from T").rfind("ERROR", 0), 0u);
}

TEST_F(Schema, IfExistsDropTable)
{
    Exec("CREATE TABLE Accounts (AccountID int)");
    const char* drop = "if exists (select * from dbo.sysobjects where id = object_id(N'[dbo].[Accounts]') and "
                       "OBJECTPROPERTY(id, N'IsUserTable') = 1) drop table [dbo].[Accounts]";
    Exec(drop);
    EXPECT_EQ(Result("select * from Accounts").rfind("ERROR", 0), 0u);
    Exec(drop); // nothing to drop: no failure
    Exec("if not exists (select * from information_schema.tables where table_name = 'Accounts') "
         "CREATE TABLE Accounts (AccountID int)");
    EXPECT_EQ(Result("select count(*) from Accounts"), "0");
}

TEST_F(Schema, TextComparesWithoutCase)
{
    Exec("CREATE TABLE T (Name varchar(20))");
    Exec("insert T values ('Smith')");
    EXPECT_EQ(Result("select count(*) from T where Name = 'SMITH'"), "1");
    EXPECT_EQ(Result("select count(*) from T where Name in ('smith')"), "1");
}

TEST_F(Schema, SchemaBatchRunsInOrder)
{
    Exec("CREATE TABLE T (A int); CREATE INDEX IX_T ON T (A);");
    EXPECT_EQ(Result("select count(*) from T"), "0");
}

TEST_F(Schema, UnsupportedSchemaStatementsFail)
{
    Exec("CREATE TABLE T (A int, B int)");
    EXPECT_EQ(Result("ALTER TABLE T ADD CONSTRAINT DF_B DEFAULT 0 FOR B").rfind("ERROR", 0), 0u);
    EXPECT_EQ(Result("ALTER TABLE T ALTER COLUMN B bigint").rfind("ERROR", 0), 0u);
    EXPECT_EQ(Result("CREATE TABLE V (A int, B AS A + 1)").rfind("ERROR", 0), 0u);
}

TEST(SqlDialectText, LeavesStringLiteralsAlone)
{
    tabula::SqlDialect dialect;
    auto tr = dialect.Translate("select 'it''s *= getdate() + top 5' from T");
    ASSERT_TRUE(tr.ok) << tr.error;
    ASSERT_EQ(tr.statements.size(), 1u);
    EXPECT_NE(tr.statements[0].find("'it''s *= getdate() + top 5'"), std::string::npos) << tr.statements[0];
}

TEST(SqlDialectText, ReportsKindAndTable)
{
    tabula::SqlDialect dialect;
    auto tr = dialect.Translate("select * from Accounts where AccountID = 3");
    EXPECT_EQ(tr.kind, tabula::StatementKind::Select);
    EXPECT_EQ(tr.table, "Accounts");
    tr = dialect.Translate("DROP TABLE Items");
    EXPECT_TRUE(tr.changesSchema);
    EXPECT_EQ(tr.table, "Items");
}
} // namespace

// Statements cut short are refused, never read past their end (the bare
// CREATE was found by fuzzing).
TEST(TruncatedStatements, AreRefusedCleanly)
{
    const tabula::SqlDialect dialect;
    for (const char* sql : {"create", "CREATE UNIQUE", "create index", "create table", "insert", "update", "delete",
                            "alter table", "drop", "if exists", "select"}) {
        tabula::Translation t = dialect.Translate(sql);
        EXPECT_FALSE(t.ok && t.statements.empty()) << sql;
    }
}
