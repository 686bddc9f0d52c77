#include "Fakes.h"
#include "TestDatabase.h"

#include "accounts/CallPlanner.h"
#include "tables/AccountCalled.h"
#include "tables/Accounts.h"
#include "tables/Callback.h"
#include "tables/DayButtons.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using zev::CallPlanner;
using zev::test::TestDatabase;
namespace Btn = zev::DayButtons;

class CallPlannerTest : public ::testing::Test {
protected:
    void AddAccount(int id, const std::string& apptDays)
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, ApptDays, Updated) values (" +
                            std::to_string(id) + ", 'Co', '" + apptDays + "', 0)"));
    }

    std::set<int> AccountsOfDay(const CallPlanner& planner, int button)
    {
        zev::Accounts accounts;
        std::set<int> ids;
        if (planner.OpenAccountsOfDay(accounts, button))
            for (; !accounts.IsEOF(); accounts.MoveNext())
                ids.insert(accounts.GetFieldValueInt(0));
        return ids;
    }

    std::string ApptDays(int id)
    {
        return db.Scalar("select ApptDays from Accounts where AccountID = " + std::to_string(id));
    }

    TestDatabase db;
};

TEST_F(CallPlannerTest, CallbackJoinsItsDayOnlyWithCallTracking)
{
    AddAccount(1, "NNNNNNN");
    AddAccount(2, "NYNNNNN");
    ASSERT_EQ(zev::Callback().add(1, 2, ""), 1);

    const CallPlanner tracking(true);
    const CallPlanner plain(false);
    for (int button = Btn::kSunday; button <= Btn::kSaturday; ++button) {
        const bool tuesday = button == Btn::kSunday + 2;
        EXPECT_EQ(AccountsOfDay(tracking, button).count(1), tuesday ? 1u : 0u) << button;
        EXPECT_EQ(AccountsOfDay(plain, button).count(1), 0u) << button;
    }
    EXPECT_EQ(AccountsOfDay(plain, Btn::kSunday + 1), std::set<int>{2});
    EXPECT_EQ(AccountsOfDay(plain, Btn::kAll), (std::set<int>{1, 2}));
}

TEST_F(CallPlannerTest, DigitFormApptDaysListOnTheirDay)
{
    AddAccount(1, "0010000");
    const CallPlanner plain(false);
    // The pattern compares letters, so a digit-form value is not found by
    // it; after the call plan rewrites it the account is listed.
    EXPECT_EQ(AccountsOfDay(plain, Btn::kSunday + 2).count(1), 0u);
    ASSERT_EQ(plain.SetCallPlan({1}, 4, true), 1);
    EXPECT_EQ(ApptDays(1), "NNYNYNN");
    EXPECT_EQ(AccountsOfDay(plain, Btn::kSunday + 2).count(1), 1u);
}

struct IconCase {
    int type;
    int button;
    int icon;
};

class CallStatusIcon : public CallPlannerTest, public ::testing::WithParamInterface<IconCase> {};

TEST_P(CallStatusIcon, FollowsTheRecordedType)
{
    const auto& c = GetParam();
    ASSERT_EQ(zev::AccountCalled().record(7, 3, c.type), 1);
    EXPECT_EQ(CallPlanner(true).CallStatusIcon(7, c.button), c.icon);
}

INSTANTIATE_TEST_SUITE_P(Types, CallStatusIcon,
                         ::testing::Values(IconCase{0, Btn::kSunday + 3, 0}, IconCase{1, Btn::kSunday + 3, 10},
                                           IconCase{2, Btn::kSunday + 3, 11}, IconCase{3, Btn::kSunday + 3, 11},
                                           IconCase{4, Btn::kSunday + 3, 0}, IconCase{1, Btn::kSunday + 2, 0},
                                           IconCase{1, Btn::kAll, 0}));

TEST_F(CallPlannerTest, OutcomeRemovesTheCallbackAndRecordsTheDay)
{
    ASSERT_EQ(zev::Callback().add(7, 1, "x"), 1);
    const CallPlanner planner(true);
    ASSERT_EQ(planner.RecordNoOrder(7, Btn::kSunday + 1, CallPlanner::NoOrderReason::NoCall), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from Callback"), 0);
    EXPECT_EQ(db.ScalarInt("select Type from AccountCalled where AccountID = 7 and Day = 1"), 3);

    ASSERT_EQ(zev::Callback().add(7, 1, "x"), 1);
    ASSERT_EQ(planner.RecordOrderSaved(7, Btn::kAll), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from Callback"), 0);
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 1) << "All records no day";

    const CallPlanner off(false);
    ASSERT_EQ(zev::Callback().add(8, 1, "x"), 1);
    ASSERT_EQ(off.RecordOrderSaved(8, Btn::kSunday), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from Callback"), 1) << "nothing without call tracking";
}

TEST_F(CallPlannerTest, ClearCallOfAllShowsNothingToClear)
{
    zev::AccountCalled called;
    ASSERT_EQ(called.record(7, 2, 1), 1);
    ASSERT_EQ(called.record(8, 2, 1), 1);
    const CallPlanner planner(true);
    EXPECT_EQ(planner.ClearCall(7, Btn::kAll), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 2);
    EXPECT_EQ(planner.ClearCall(7, Btn::kSunday + 2), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 1);
    EXPECT_EQ(planner.ClearWeek(), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 0);
}

struct KeepCase {
    int oldDay;
    const char* oldNotes;
    int newDay;
    const char* newNotes;
    int rowsAfter;
};

class KeepCallback : public CallPlannerTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepCallback, AddsChangesOrRemovesTheRow)
{
    const auto& c = GetParam();
    if (c.oldDay != -1 || *c.oldNotes) {
        ASSERT_EQ(zev::Callback().add(5, c.oldDay, c.oldNotes), 1);
    }
    ASSERT_EQ(CallPlanner(true).KeepCallback(5, c.oldDay, c.oldNotes, c.newDay, c.newNotes), 1);
    ASSERT_EQ(db.ScalarInt("select count(*) from Callback"), c.rowsAfter);
    if (c.rowsAfter) {
        EXPECT_EQ(db.ScalarInt("select CallbackDay from Callback"), c.newDay);
        EXPECT_EQ(db.Scalar("select CallbackNotes from Callback"), c.newNotes);
    }
}

INSTANTIATE_TEST_SUITE_P(States, KeepCallback,
                         ::testing::Values(KeepCase{-1, "", 3, "", 1},         // a day is chosen
                                           KeepCase{-1, "", -1, "call", 1},    // notes only
                                           KeepCase{3, "", -1, "", 0},         // blank entry, no notes: removed
                                           KeepCase{3, "call", -1, "call", 1}, // blank entry keeps the notes
                                           KeepCase{3, "call", 5, "call", 1}, KeepCase{-1, "call", -1, "", 0}));

TEST_F(CallPlannerTest, CallPlanSetsAndClearsOneDay)
{
    AddAccount(1, "");
    AddAccount(2, "YNNNNNN");
    const CallPlanner planner(false);
    ASSERT_EQ(planner.SetCallPlan({1, 2}, 6, true), 1);
    EXPECT_EQ(ApptDays(1), "NNNNNNY");
    EXPECT_EQ(ApptDays(2), "YNNNNNY");
    ASSERT_EQ(planner.SetCallPlan({2}, 0, false), 1);
    EXPECT_EQ(ApptDays(2), "NNNNNNY");
    EXPECT_EQ(db.ScalarInt("select Updated from Accounts where AccountID = 2"), 1);
    EXPECT_EQ(planner.SetCallPlan({99}, 0, true), 0) << "no such account";
    ASSERT_EQ(planner.ClearCallPlan(), 1);
    EXPECT_EQ(db.ScalarInt("select count(*) from Accounts where ApptDays = 'NNNNNNN'"), 2);
}

} // namespace
