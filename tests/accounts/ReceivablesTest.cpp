#include "Fakes.h"
#include "TestDatabase.h"

#include "accounts/Receivables.h"
#include "tables/SqlText.h"

#include <gtest/gtest.h>

namespace {

using zev::Receivables;
using zev::test::At;
using zev::test::TestDatabase;

class ReceivablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber) values (1, 'BAYSIDE GRILL', "
                            "'A100')"));
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber) values (2, 'Corner Wines', "
                            "'B7')"));
    }

    void AddInvoice(int account, const std::string& invoice, double amount, double total, double today = 0,
                    int updated = 0, int rep = 100200, int collected = 0, const std::string& date = "03/01/2026")
    {
        ASSERT_TRUE(db.Exec(zev::SqlText::Format(
            "insert into AR (AccountID, InvoiceNo, DistRepID, InvoiceDate, InvoiceDueDate, InvoiceAmount, "
            "AmountCollectedTotal, AmountCollectedToday, Collected, Updated, PaymentType, Deposited) values (%d, '%s', "
            "%d, '%s', '%s', %.2f, %.2f, %.2f, %d, %d, 0, 0)",
            account, invoice.c_str(), rep, date.c_str(), date.c_str(), amount, total, today, collected, updated)));
    }

    std::string Column(const std::string& invoice, const char* column)
    {
        return db.Scalar(std::string("select ") + column + " from AR where InvoiceNo = '" + invoice + "'");
    }

    TestDatabase db;
    std::time_t now = At(2026, 3, 11, 12);
};

TEST_F(ReceivablesTest, CollectModifyAndCancelOnOneInvoice)
{
    AddInvoice(1, "INV1", 100.00, 40.00);
    Receivables r;
    ASSERT_TRUE(r.Load(1, false, now));
    ASSERT_EQ(r.Items().size(), 1u);
    EXPECT_EQ(Receivables::LimitCents(r.Items()[0]), 6000);
    EXPECT_FALSE(Receivables::ButtonFor(r.Items()[0]).modify);

    // 40.00 + 60.00 is exactly the invoice: fully collected.
    ASSERT_TRUE(r.Collect(0, 6000, 1, "1234"));
    EXPECT_EQ(Column("INV1", "Collected"), "1");
    EXPECT_EQ(Column("INV1", "Updated"), "1");
    EXPECT_DOUBLE_EQ(std::stod(Column("INV1", "AmountCollectedTotal")), 100.0);
    EXPECT_EQ(Column("INV1", "CheckNumber"), "1234");
    EXPECT_TRUE(Receivables::ButtonFor(r.Items()[0]).enabled);
    EXPECT_TRUE(Receivables::ButtonFor(r.Items()[0]).modify);

    // The same day's new amount replaces today's: the proposal is 60.00 again.
    EXPECT_EQ(Receivables::LimitCents(r.Items()[0]), 6000);
    ASSERT_TRUE(r.Collect(0, 2000, 0, ""));
    EXPECT_DOUBLE_EQ(std::stod(Column("INV1", "AmountCollectedTotal")), 60.0);
    EXPECT_EQ(Column("INV1", "Collected"), "0");
    EXPECT_TRUE(Receivables::ButtonFor(r.Items()[0]).modify);

    // Zero cancels the collection of today.
    ASSERT_TRUE(r.Collect(0, 0, 0, ""));
    EXPECT_DOUBLE_EQ(std::stod(Column("INV1", "AmountCollectedTotal")), 40.0);
    EXPECT_DOUBLE_EQ(std::stod(Column("INV1", "AmountCollectedToday")), 0.0);
    EXPECT_EQ(Column("INV1", "Updated"), "0");
    EXPECT_FALSE(Receivables::ButtonFor(r.Items()[0]).modify);
    EXPECT_TRUE(Receivables::ButtonFor(r.Items()[0]).enabled);
}

TEST_F(ReceivablesTest, FullyCollectedIsDecidedInCents)
{
    // Amounts whose floating sum is not exactly the invoice amount.
    AddInvoice(1, "INV2", 0.30, 0.10);
    Receivables r;
    ASSERT_TRUE(r.Load(1, false, now));
    ASSERT_TRUE(r.Collect(0, 20, 0, ""));
    EXPECT_EQ(Column("INV2", "Collected"), "1");
    EXPECT_EQ(r.Items()[0].OpenCents(), 0);
}

TEST_F(ReceivablesTest, LimitsFollowTheSignOfTheOpenBalance)
{
    struct Case {
        std::int64_t limit;
        std::int64_t amount;
        bool ok;
    };
    const Case cases[] = {
        {6000, 6000, true},    {6000, 6001, false}, {6000, 0, true}, {6000, -100, false}, {-1500, -1000, true},
        {-1500, -2000, false}, {-1500, 500, false}, {0, 100, false}, {0, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Receivables::WithinLimit(c.limit, c.amount), c.ok) << c.limit << " " << c.amount;

    AddInvoice(2, "CR1", -15.00, 0.00);
    Receivables r;
    ASSERT_TRUE(r.Load(2, false, now));
    EXPECT_EQ(Receivables::LimitCents(r.Items()[0]), -1500);
}

TEST_F(ReceivablesTest, ParsesTypedAmounts)
{
    EXPECT_EQ(Receivables::ParseCents("60"), 6000);
    EXPECT_EQ(Receivables::ParseCents(" 60.5 "), 6050);
    EXPECT_EQ(Receivables::ParseCents("-10.00"), -1000);
    EXPECT_EQ(Receivables::ParseCents("0.29"), 29);
    EXPECT_EQ(Receivables::ParseCents(""), 0);
    EXPECT_FALSE(Receivables::ParseCents("12,50"));
    EXPECT_FALSE(Receivables::ParseCents("1.2.3"));
    EXPECT_FALSE(Receivables::ParseCents("abc"));
}

TEST_F(ReceivablesTest, ListsOpenInvoicesWithTotalsAndMineOnly)
{
    AddInvoice(2, "B-1", 50.00, 10.00, 0, 0, 0);
    AddInvoice(1, "A-1", 100.00, 100.00, 0, 0, 100200, 1);            // paid earlier: not open
    AddInvoice(1, "A-2", 80.00, 80.00, 30.00, 1, 100200, 1);          // paid today: stays listed
    AddInvoice(1, "A-3", 25.50, 0.00, 0, 0, 100200, 0, "02/01/2026"); // older, listed first
    Receivables r;
    ASSERT_TRUE(r.Load(-1, false, now));
    ASSERT_EQ(r.Items().size(), 3u);
    EXPECT_EQ(r.Items()[0].invoiceNo, "A-3");
    EXPECT_EQ(r.Items()[0].companyName, "Bayside Grill");
    EXPECT_EQ(r.Items()[0].ageDays, 38);
    EXPECT_EQ(r.Items()[1].invoiceNo, "A-2");
    EXPECT_EQ(r.Items()[2].invoiceNo, "B-1");
    EXPECT_EQ(r.TotalInvoicedCents(), 2550 + 8000 + 5000);
    EXPECT_EQ(r.TotalDueCents(), 2550 + 0 + 4000);
    EXPECT_EQ(r.Items()[2].runningDueCents, 6550);
    EXPECT_EQ(Receivables::ColumnText(r.Items()[0], 3), "02/01/26");
    EXPECT_EQ(Receivables::ColumnText(r.Items()[0], 5), "25.50");
    EXPECT_EQ(Receivables::ColumnText(r.Items()[2], 11), "65.50");

    ASSERT_TRUE(r.Load(-1, true, now));
    ASSERT_EQ(r.Items().size(), 2u);
    EXPECT_EQ(r.TotalDueCents(), 2550);

    std::vector<zev::ARAccount> accounts;
    ASSERT_TRUE(r.LoadAccounts(accounts));
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].label, "Bayside Grill  (A100)");
}

TEST_F(ReceivablesTest, ButtonStatesOfUploadedAndDepositedCollections)
{
    zev::ARListItem item;
    item.invoiceCents = 1000;
    item.collected = true;
    EXPECT_FALSE(Receivables::ButtonFor(item).enabled);
    item.collectedTodayCents = 1000;
    item.updated = true;
    EXPECT_TRUE(Receivables::ButtonFor(item).enabled);
    item.deposited = true;
    EXPECT_FALSE(Receivables::ButtonFor(item).enabled);
    item.deposited = false;
    item.updated = false; // uploaded already
    EXPECT_FALSE(Receivables::ButtonFor(item).enabled);
}

TEST_F(ReceivablesTest, SortsNumbersShorterFirstAndFlipsDirection)
{
    AddInvoice(1, "100", 1, 0);
    AddInvoice(1, "99", 1, 0);
    AddInvoice(1, "A5", 1, 0);
    Receivables r;
    ASSERT_TRUE(r.Load(1, false, now));
    r.Sort(2);
    EXPECT_EQ(r.Items()[0].invoiceNo, "99");
    EXPECT_EQ(r.Items()[1].invoiceNo, "A5");
    EXPECT_EQ(r.Items()[2].invoiceNo, "100");
    r.Sort(2);
    EXPECT_EQ(r.Items()[0].invoiceNo, "100");
}

TEST_F(ReceivablesTest, CollectionOfAMissingInvoiceFailsAndKeepsTheRow)
{
    AddInvoice(1, "GONE", 10, 0);
    Receivables r;
    ASSERT_TRUE(r.Load(1, false, now));
    ASSERT_TRUE(db.Exec("delete from AR"));
    EXPECT_FALSE(r.Collect(0, 500, 0, ""));
    EXPECT_EQ(r.Items()[0].collectedTodayCents, 0);
}

TEST_F(ReceivablesTest, DepositsTheCheckedCollectionsTogether)
{
    AddInvoice(1, "D1", 100, 30, 30, 1);
    AddInvoice(1, "D2", 100, 20, 20, 1);
    AddInvoice(2, "D3", 100, 0);
    Receivables r;
    std::vector<zev::DepositRow> rows;
    ASSERT_TRUE(r.LoadDepositRows(rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].todayCents + rows[1].todayCents, 5000);

    const std::vector<zev::DepositRow> checked{rows[0]};
    ASSERT_TRUE(r.Deposit(checked, "Slip 7", "O'Brien Bank"));
    EXPECT_EQ(Column(checked[0].invoiceNo, "Deposited"), "1");
    EXPECT_EQ(Column(checked[0].invoiceNo, "DepAttrib2"), "O'Brien Bank");
    ASSERT_TRUE(r.LoadDepositRows(rows));
    EXPECT_EQ(rows.size(), 1u);

    // One failing row leaves none of the deposit stored.
    zev::DepositRow missing = rows[0];
    missing.invoiceNo = "NOPE";
    EXPECT_FALSE(r.Deposit({rows[0], missing}, "x", "y"));
    EXPECT_EQ(Column(rows[0].invoiceNo, "Deposited"), "0");
}

} // namespace
