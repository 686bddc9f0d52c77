// Every report of the demo kit's Report.ini against the demo distributor's
// data, as a representative has it after a complete update.
#include "reports/ReportModel.h"

#include "DemoStage.h"
#include "tabula/Tabula.h"
#include "tests/accounts/Fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using zev::ReportModel;

class DemoReportsTest : public ::testing::Test {
protected:
    static inline std::unique_ptr<zev::test::DemoStage> stage;

    static void SetUpTestSuite()
    {
        stage = std::make_unique<zev::test::DemoStage>(false);
        if (stage->Ok())
            QueryPool::GetInstance("Data Source=" + stage->DatabasePath(), 0);
    }
    static void TearDownTestSuite()
    {
        QueryPool::DestroyAll();
        stage.reset();
    }
    void SetUp() override { ASSERT_TRUE(stage->Ok()) << stage->Error(); }

    ReportModel Model() { return ReportModel(zev::ReportFile::InFolder(stage->Home()), {}, messages); }

    static int IndexOf(const ReportModel& model, const std::string& name)
    {
        const auto& names = model.Names();
        const auto it = std::find(names.begin(), names.end(), name);
        EXPECT_NE(it, names.end()) << name;
        return static_cast<int>(it - names.begin());
    }

    static double Scalar(const std::string& sql)
    {
        Query q("", "", 0);
        return q.Open(sql) ? q.GetFieldValueDouble(0) : -1.0;
    }

    zev::test::ScriptedMessageBox messages;
};

TEST_F(DemoReportsTest, EveryReportRunsWithItsFirstParameter)
{
    ReportModel model = Model();
    ASSERT_EQ(model.LoadNames(), 6);
    for (int i = 0; i < static_cast<int>(model.Names().size()); ++i) {
        ASSERT_TRUE(model.Select(i));
        EXPECT_TRUE(model.Definition().Usable()) << model.Definition().ProblemText();
        EXPECT_TRUE(model.Run()) << model.Names()[static_cast<std::size_t>(i)];
        // Every account of the demo has ordered within the last month.
        if (model.Names()[static_cast<std::size_t>(i)] != "Accounts Not Ordered") {
            EXPECT_FALSE(model.Rows().empty()) << model.Names()[static_cast<std::size_t>(i)];
        }
    }
    for (const auto& shown : messages.shown)
        ADD_FAILURE() << shown.text;
}

TEST_F(DemoReportsTest, SalesByItemAddsUpToTheHistory)
{
    ReportModel model = Model();
    model.LoadNames();
    model.Select(IndexOf(model, "Sales by Item"));
    model.SelectEntry(5); // 180 days
    ASSERT_TRUE(model.Run());
    double total = 0;
    for (const auto& row : model.Rows())
        total += std::atof(row[5].c_str());
    EXPECT_NEAR(total,
                Scalar("select sum(ohi.ExtPrice) from OrderHistory oh, OrderHistoryItems ohi where oh.OrderNumber = "
                       "ohi.OrderNumber and oh.TransDate >= getdate() - 180"),
                0.01 * static_cast<double>(model.Rows().size()));
}

TEST_F(DemoReportsTest, AccountsNotOrderedGrowsWithFewerDays)
{
    ReportModel model = Model();
    model.LoadNames();
    model.Select(IndexOf(model, "Accounts Not Ordered"));
    ASSERT_TRUE(model.Run());
    const std::size_t thirty = model.Rows().size();
    EXPECT_EQ(static_cast<double>(thirty),
              Scalar("select count(*) from Accounts a where not exists (select 1 from OrderHistory oh where "
                     "oh.AccountID = a.AccountID and oh.TransDate >= getdate() - 30)"));
    model.SelectEntry(5);
    ASSERT_TRUE(model.Run());
    EXPECT_LE(model.Rows().size(), thirty);
}

TEST_F(DemoReportsTest, TopItemsDrillDownToTheAccountsInvoices)
{
    ReportModel model = Model();
    model.LoadNames();
    model.Select(IndexOf(model, "Top Items of an Account"));
    model.SelectEntry(3);
    const int account = model.Entries()[3].id;
    ASSERT_TRUE(model.Run());
    ASSERT_FALSE(model.Rows().empty());
    ASSERT_TRUE(model.DrillDown(0));
    EXPECT_EQ(model.Names()[static_cast<std::size_t>(model.CurrentIndex())], "Invoices of an Account");
    EXPECT_EQ(model.Entries()[static_cast<std::size_t>(model.SelectedEntry())].id, account);
    EXPECT_EQ(static_cast<double>(model.Rows().size()),
              Scalar("select count(*) from OrderHistory where AccountID = " + std::to_string(account)));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DemoReportsTest, OpenArDrillsDownToTheOpenInvoices)
{
    ReportModel model = Model();
    model.LoadNames();
    model.Select(IndexOf(model, "Open AR by Account"));
    ASSERT_TRUE(model.Run());
    ASSERT_FALSE(model.Rows().empty());
    const std::string invoices = model.Rows()[0][2];
    ASSERT_TRUE(model.DrillDown(0));
    EXPECT_EQ(model.Names()[static_cast<std::size_t>(model.CurrentIndex())], "Open Invoices of an Account");
    EXPECT_EQ(std::to_string(model.Rows().size()), invoices);
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
