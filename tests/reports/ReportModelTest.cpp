// The report screen's logic over a real database: names, parameter boxes,
// running, sorting, drill-down and the faults a distributor's file can hold.
#include "reports/ReportModel.h"

#include "TestDatabase.h"
#include "tests/accounts/Fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using zev::ReportModel;
using zev::test::ScriptedMessageBox;
using Strings = std::vector<std::string>;

const char* const kFile = R"([Queries]
Queries=Sales,  By Account , Days Report,Linked Only,Broken,Short Result

[Sales]
Headings=Number,Company,,Total,Orders
Format=0,0,1,1
Widths=80,200,90,60
Types=a,a,f,n
SQL=select AccountNumber, CompanyName, BalanceDue, PricingTier from Accounts order by AccountID
LinkTo=By Account
LinkSQL=select AccountID from Accounts where AccountNumber = '%s'

[By Account]
Headings=Invoice,Amount
Format=0,1
Widths=90,90
Types=a,f
Data=Accounts
SQL=select InvoiceNo, InvoiceAmount from AR where AccountID = %d order by InvoiceNo

[Days Report]
Headings=Days
Format=1
Widths=50
Types=n
Data=Days
SQL=select %d

[Linked Only]
Headings=Number
Format=0
Widths=80
Types=a
SQL=select AccountNumber from Accounts
LinkTo=By Account

[Broken]
Headings=A,B
Format=0,0
Widths=10,10
Types=a
SQL=select 1, 2

[Short Result]
Headings=A,B,C
Format=0,0,0
Widths=10,10,10
Types=a,a,a
SQL=select AccountNumber, CompanyName from Accounts
)";

class ReportModelTest : public ::testing::Test {
protected:
    ReportModelTest()
        : dir(std::filesystem::path(db.Path()).parent_path() / "install"),
          model(zev::ReportFile::InFolder(dir.string()), {}, messages)
    {
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "Report.ini") << kFile;
        Account(1, "ZED'S TAVERN", "A-300", 75.5, 3);
        Account(2, "ABBEY ROAD BAR", "A-100", 1200, 11);
        Account(3, "Main Street Market", "A-200", 9.25, 2);
        EXPECT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, InvoiceAmount) values (1, 'INV-1', 10.5)"));
        EXPECT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, InvoiceAmount) values (1, 'INV-2', 20)"));
        EXPECT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, InvoiceAmount) values (2, 'INV-3', 30)"));
    }

    void Account(int id, const std::string& name, const std::string& number, double balance, int tier)
    {
        std::string quoted;
        for (char c : name)
            quoted += c == '\'' ? std::string("''") : std::string(1, c);
        EXPECT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, BalanceDue, PricingTier) "
                            "values (" +
                            std::to_string(id) + ", '" + quoted + "', '" + number + "', " + std::to_string(balance) +
                            ", " + std::to_string(tier) + ")"));
    }

    int IndexOf(const std::string& name) const
    {
        const Strings& names = model.Names();
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    }

    Strings Column(int column) const
    {
        Strings cells;
        for (const auto& row : model.Rows())
            cells.push_back(row[static_cast<std::size_t>(column)]);
        return cells;
    }

    zev::test::TestDatabase db;
    std::filesystem::path dir;
    ScriptedMessageBox messages;
    ReportModel model;
};

TEST_F(ReportModelTest, NamesAreListedAndTheFirstReportLoaded)
{
    EXPECT_EQ(model.LoadNames(), 6);
    EXPECT_EQ(model.Names(), (Strings{"Sales", "By Account", "Days Report", "Linked Only", "Broken", "Short Result"}));
    EXPECT_EQ(model.CurrentIndex(), 0);
    // Two commas in a row give two columns, not three.
    EXPECT_EQ(model.Definition().headings, (Strings{"Number", "Company", "Total", "Orders"}));
    EXPECT_FALSE(model.HasParameter());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportModelTest, CellsFollowTheColumnTypes)
{
    model.LoadNames();
    ASSERT_TRUE(model.Run());
    ASSERT_EQ(model.Rows().size(), 3u);
    EXPECT_EQ(model.Rows()[0], (Strings{"A-300", "ZED'S TAVERN", "75.50", "3"}));
    EXPECT_EQ(Column(2), (Strings{"75.50", "1200.00", "9.25"}));
}

TEST_F(ReportModelTest, DaysGiveSixEntriesTheFirstChosen)
{
    model.LoadNames();
    ASSERT_TRUE(model.Select(IndexOf("Days Report")));
    Strings texts;
    std::vector<int> ids;
    for (const auto& e : model.Entries()) {
        texts.push_back(e.text);
        ids.push_back(e.id);
    }
    EXPECT_EQ(texts, (Strings{"30 days", "60 days", "90 days", "120 days", "150 days", "180 days"}));
    EXPECT_EQ(ids, (std::vector<int>{30, 60, 90, 120, 150, 180}));
    EXPECT_EQ(model.SelectedEntry(), 0);
    model.SelectEntry(3);
    ASSERT_TRUE(model.Run());
    EXPECT_EQ(Column(0), (Strings{"120"}));
}

TEST_F(ReportModelTest, AccountsParameterShowsCompanyNamesInNameOrder)
{
    model.LoadNames();
    ASSERT_TRUE(model.Select(IndexOf("By Account")));
    Strings texts;
    for (const auto& e : model.Entries())
        texts.push_back(e.text);
    EXPECT_EQ(texts, (Strings{"ABBEY ROAD BAR", "Main Street Market", "ZED'S TAVERN"}));
    EXPECT_EQ(model.Entries()[2].id, 1);
    EXPECT_EQ(model.FindEntry("main"), 1);
    EXPECT_EQ(model.FindEntry("zz"), -1);
    model.SelectEntry(2);
    ASSERT_TRUE(model.Run());
    EXPECT_EQ(Column(0), (Strings{"INV-1", "INV-2"}));
    EXPECT_EQ(model.Title(), "By Account - ZED'S TAVERN");
}

TEST_F(ReportModelTest, SortDirectionIsSharedAndFlipsAfterEverySort)
{
    model.LoadNames();
    ASSERT_TRUE(model.Run());
    // A numeric column: largest first, then smallest first.
    model.Sort(2);
    EXPECT_EQ(Column(2), (Strings{"1200.00", "75.50", "9.25"}));
    model.Sort(2);
    EXPECT_EQ(Column(2), (Strings{"9.25", "75.50", "1200.00"}));
    // A text column next follows the shared value (-1 again): ascending, byte
    // by byte, so capitals come before small letters.
    model.Sort(1);
    EXPECT_EQ(Column(1), (Strings{"ABBEY ROAD BAR", "Main Street Market", "ZED'S TAVERN"}));
    model.Sort(1);
    EXPECT_EQ(Column(1), (Strings{"ZED'S TAVERN", "Main Street Market", "ABBEY ROAD BAR"}));
    // Whole numbers compare as numbers, not as text ("11" > "3").
    model.Sort(3);
    EXPECT_EQ(Column(3), (Strings{"11", "3", "2"}));
    // The value survives a change of report.
    EXPECT_EQ(model.SortDirection(), 1);
    model.Select(IndexOf("Linked Only"));
    EXPECT_EQ(model.SortDirection(), 1);
}

TEST_F(ReportModelTest, DrillDownPreselectsTheLinkedParameter)
{
    model.LoadNames();
    ASSERT_TRUE(model.Run());
    // Row 0 is account A-300 (id 1); LinkSQL turns its number into the id.
    ASSERT_TRUE(model.DrillDown(0));
    EXPECT_EQ(model.CurrentIndex(), IndexOf("By Account"));
    ASSERT_GE(model.SelectedEntry(), 0);
    EXPECT_EQ(model.Entries()[static_cast<std::size_t>(model.SelectedEntry())].id, 1);
    EXPECT_EQ(Column(0), (Strings{"INV-1", "INV-2"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportModelTest, LinkToWithoutLinkSqlDoesNothing)
{
    model.LoadNames();
    model.Select(IndexOf("Linked Only"));
    ASSERT_TRUE(model.Run());
    EXPECT_FALSE(model.DrillDown(0));
    EXPECT_EQ(model.CurrentIndex(), IndexOf("Linked Only"));
    EXPECT_EQ(model.Rows().size(), 3u);
    EXPECT_TRUE(messages.shown.empty());
    // A report without LinkTo does nothing either.
    model.Select(IndexOf("Days Report"));
    ASSERT_TRUE(model.Run());
    EXPECT_FALSE(model.DrillDown(0));
}

TEST_F(ReportModelTest, FaultyReportIsToldAndTheOthersStillRun)
{
    model.LoadNames();
    model.Select(IndexOf("Broken"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("\"Broken\""), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("\"Types\""), std::string::npos);
    EXPECT_FALSE(model.Run());
    EXPECT_TRUE(model.Rows().empty());

    model.Select(IndexOf("Short Result"));
    EXPECT_FALSE(model.Run());
    EXPECT_NE(messages.shown.back().text.find("\"Short Result\""), std::string::npos);
    EXPECT_NE(messages.shown.back().text.find("\"Headings\" has 3 columns"), std::string::npos);

    model.Select(IndexOf("Sales"));
    EXPECT_TRUE(model.Run());
    EXPECT_EQ(model.Rows().size(), 3u);
}

TEST_F(ReportModelTest, FailingStatementIsToldWithTheDatabaseReason)
{
    std::ofstream(dir / "Report.ini") << "[Queries]\nQueries=Typo\n[Typo]\nHeadings=A\nFormat=0\nWidths=9\nTypes=a\n"
                                         "SQL=select Nonsense from NoSuchTable\n";
    model.LoadNames();
    EXPECT_FALSE(model.Run());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("\"Typo\""), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("\"SQL\" failed"), std::string::npos);
}

TEST_F(ReportModelTest, ReportWithParameterButNoEntryIsRefused)
{
    ASSERT_TRUE(db.Exec("delete from Accounts"));
    model.LoadNames();
    model.Select(IndexOf("By Account"));
    EXPECT_TRUE(model.Entries().empty());
    EXPECT_FALSE(model.Run());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ReportModelTest, MissingFileLeavesNoReports)
{
    std::filesystem::remove(dir / "Report.ini");
    EXPECT_EQ(model.LoadNames(), 0);
    EXPECT_EQ(model.CurrentIndex(), -1);
    EXPECT_FALSE(model.Run());
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
