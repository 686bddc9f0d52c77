#include "TestDatabase.h"

#include "accounts/CallPlanModel.h"

#include <gtest/gtest.h>

namespace {

using zev::CallPlanModel;
using zev::test::TestDatabase;

class CallPlanModelTest : public ::testing::Test {
protected:
    void AddAccount(int id, const std::string& name, const char* apptDays)
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, City, State, AccountNumber, ApptDays) "
                            "values (" +
                            std::to_string(id) + ", '" + name + "', 'TOWN', 'ST', 'N" + std::to_string(id) + "', " +
                            (apptDays ? "'" + std::string(apptDays) + "'" : "NULL") + ")"));
    }

    std::string ApptDays(int id)
    {
        return db.Scalar("select ApptDays from Accounts where AccountID = " + std::to_string(id));
    }

    TestDatabase db;
};

TEST_F(CallPlanModelTest, ListsTheDayAndOffersEveryOtherAccount)
{
    AddAccount(1, "ACME", "NYNNNNN");
    AddAccount(2, "Bobs", "NNNNNNN");
    AddAccount(3, "Cafe", nullptr);   // never planned
    AddAccount(4, "Deli", "0100000"); // digit form
    CallPlanModel model(1);
    model.Fill();
    ASSERT_EQ(model.Scheduled().size(), 1u);
    EXPECT_EQ(model.Scheduled()[0].ScheduledText(), "Acme (Town, ST) N1");
    EXPECT_EQ(model.Others().size(), 3u);

    ASSERT_EQ(model.Add({3, 4}), 1);
    EXPECT_EQ(ApptDays(3), "NYNNNNN");
    EXPECT_EQ(ApptDays(4), "NYNNNNN");
    EXPECT_EQ(model.Scheduled().size(), 3u);
    EXPECT_EQ(model.Others().size(), 1u);

    ASSERT_EQ(model.Remove({1}), 1);
    EXPECT_EQ(ApptDays(1), "NNNNNNN");
    ASSERT_EQ(model.RemoveAll(), 1);
    EXPECT_TRUE(model.Scheduled().empty());
    EXPECT_EQ(model.Others().size(), 4u);
}

TEST_F(CallPlanModelTest, BothListsReadInNameOrder)
{
    // Inserted out of order, in mixed case, with two branches of one name.
    AddAccount(5, "zeta bar", "NYNNNNN");
    AddAccount(2, "ALPHA WINES", "NYNNNNN");
    AddAccount(9, "Mikes", "NYNNNNN");
    AddAccount(3, "Alpha Wines", "NYNNNNN");
    AddAccount(7, "bravo", nullptr);
    AddAccount(4, "Able", nullptr);
    CallPlanModel model(1);
    model.Fill();
    std::vector<std::string> scheduled;
    for (const auto& row : model.Scheduled())
        scheduled.push_back(row.company + "/" + row.accountNumber);
    EXPECT_EQ(scheduled, (std::vector<std::string>{"Alpha Wines/N2", "Alpha Wines/N3", "Mikes/N9", "zeta bar/N5"}));
    ASSERT_EQ(model.Others().size(), 2u);
    EXPECT_EQ(model.Others()[0].company, "Able");
    // Still in order after a change.
    ASSERT_EQ(model.Add({7}), 1);
    EXPECT_EQ(model.Scheduled()[2].company, "bravo");
}

TEST_F(CallPlanModelTest, ClearWeekEmptiesEveryDay)
{
    AddAccount(1, "A", "YYYYYYY");
    AddAccount(2, "B", "NNNNNNY");
    CallPlanModel model(6);
    model.Fill();
    EXPECT_EQ(model.Scheduled().size(), 2u);
    ASSERT_EQ(model.ClearWeek(), 1);
    EXPECT_TRUE(model.Scheduled().empty());
    EXPECT_EQ(ApptDays(1), "NNNNNNN");
    model.SetDay(0);
    EXPECT_TRUE(model.Scheduled().empty());
}

} // namespace
