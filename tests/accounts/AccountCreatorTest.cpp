#include "Fakes.h"
#include "TestDatabase.h"

#include "accounts/AccountCreator.h"

#include <gtest/gtest.h>

namespace {

using zev::AccountCreator;
using zev::test::ScriptedMessageBox;
using zev::test::TestDatabase;

class AccountCreatorTest : public ::testing::Test {
protected:
    void AddItems(int n, int deletedId = -1)
    {
        for (int i = 1; i <= n; ++i)
            ASSERT_TRUE(db.Exec("insert into Items (ItemID, DeletedFlag) values (" + std::to_string(i) + ", " +
                                (i == deletedId ? "1" : "0") + ")"));
    }

    zev::NewAccountRecord Record()
    {
        zev::NewAccountRecord r;
        r.repId = 1234;
        r.companyName = "New Place";
        return r;
    }

    TestDatabase db;
    ScriptedMessageBox messages;
};

TEST_F(AccountCreatorTest, NewAccountGetsAStarterGuideOfFiftyPricedItems)
{
    AddItems(60, 2);
    AccountCreator creator(messages, [](int item, int catalog) { return catalog == 10 ? item * 1.5 : -1.0; });
    const int id = creator.Create(Record());
    ASSERT_EQ(id, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(db.ScalarInt("select count(*) from WorkOrder where AccountID = 1 and WorkOrderID = 3 and Updated = 1"),
              1);
    EXPECT_EQ(db.ScalarInt("select count(*) from WorkOrderItems where AccountID = 1 and WorkOrderID = 3"), 50);
    EXPECT_EQ(db.ScalarInt("select count(*) from WorkOrderItems where ItemID = 2"), 0) << "deleted items stay out";
    EXPECT_EQ(db.ScalarInt("select max(LineItemNumber) from WorkOrderItems"), 50);
    EXPECT_EQ(db.Scalar("select CDistPrice from WorkOrderItems where ItemID = 3"), "4.5");
    EXPECT_EQ(db.Scalar("select PriceOverride from WorkOrderItems where ItemID = 3"), "0");
    EXPECT_EQ(db.ScalarInt("select LineItemNumber from WorkOrderItems where ItemID = 3"), 2);
}

TEST_F(AccountCreatorTest, BlankCompanyCreatesNothing)
{
    AccountCreator creator(messages, nullptr);
    auto r = Record();
    r.companyName = "   ";
    EXPECT_EQ(creator.Create(r), 0);
    EXPECT_EQ(db.ScalarInt("select count(*) from Accounts"), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccountCreatorTest, GuideHeaderFailureIsToldAndTheAccountStays)
{
    ASSERT_TRUE(db.Exec("insert into WorkOrder values (1, 3, 0, 1)")); // key 1 is taken
    AccountCreator creator(messages, nullptr);
    EXPECT_EQ(creator.Create(Record()), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to create new Order Guide");
    EXPECT_EQ(db.ScalarInt("select count(*) from Accounts"), 1);
}

TEST_F(AccountCreatorTest, EmptyCatalogueGivesAnEmptyGuideWithoutComplaint)
{
    AccountCreator creator(messages, nullptr);
    EXPECT_EQ(creator.Create(Record()), 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(db.ScalarInt("select count(*) from WorkOrderItems"), 0);
}

} // namespace
