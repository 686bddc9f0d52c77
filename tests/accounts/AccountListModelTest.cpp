#include "Fakes.h"
#include "TestDatabase.h"

#include "accounts/AccountListModel.h"
#include "tables/AccountCalled.h"
#include "tables/Callback.h"
#include "tables/DayButtons.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using zev::AccountListModel;
using zev::AccountListSettings;
using zev::CurrentAccount;
using zev::MbResult;
using zev::test::At;
using zev::test::FixedClock;
using zev::test::ScriptedMessageBox;
using zev::test::TestDatabase;
namespace Btn = zev::DayButtons;

constexpr int kWednesday = Btn::kSunday + 3; // 4 March 2026 is a Wednesday

class AccountListModelTest : public ::testing::Test {
protected:
    AccountListModelTest() : clock(At(2026, 3, 4, 10, 0))
    {
        AddAccount(1, "BRAVO WINES", "22", "NNNYNNN", "0930", 3, "4,6", 2);
        AddAccount(2, "alpha bar", "100", "NNNYNNN", "1345", 0, "", 5);
        AddAccount(3, "Charlie's", "9", "YNNNNNN", "", 1, "7", 9);
    }

    void AddAccount(int id, const std::string& name, const std::string& number, const std::string& days,
                    const std::string& wednesdayTime, int status, const std::string& catalogs, int warehouse)
    {
        std::string quoted;
        for (char c : name)
            quoted += c == '\'' ? std::string("''") : std::string(1, c);
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, ContactName, AccountNumber, ApptDays, "
                            "ApptTime4, AcctStatus, CatalogIDs, Warehouse, PricingTier, CustomerType, City, State, "
                            "Phone, LastOrder, LastVisitDate, BalanceDue, Updated) values (" +
                            std::to_string(id) + ", '" + quoted + "', ' Pat ', '" + number + "', '" + days + "', '" +
                            wednesdayTime + "', " + std::to_string(status) + ", '" + catalogs + "', " +
                            std::to_string(warehouse) + ", 4, 1, 'Town', 'ST', '555', '2026-01-0" + std::to_string(id) +
                            "', '1900-01-01', " + std::to_string(id * 10) + ", 0)"));
    }

    std::unique_ptr<AccountListModel> Model()
    {
        return std::make_unique<AccountListModel>(settings, document, clock, messages);
    }

    std::vector<int> Ids(const AccountListModel& model)
    {
        std::vector<int> ids;
        for (const auto& row : model.Rows())
            ids.push_back(row.accountId);
        return ids;
    }

    TestDatabase db;
    FixedClock clock;
    ScriptedMessageBox messages;
    AccountListSettings settings;
    CurrentAccount document;
};

TEST_F(AccountListModelTest, StartsOnTodayOrTheRememberedDay)
{
    EXPECT_EQ(Model()->InitialDayButton(), kWednesday);
    document.dayButton = Btn::kAll;
    EXPECT_EQ(Model()->InitialDayButton(), Btn::kAll);
}

TEST_F(AccountListModelTest, WeekdayListsScheduledAccountsWithTheirTimes)
{
    settings.initialSortColumn = 1;
    auto model = Model();
    EXPECT_EQ(model->Fill(kWednesday), 0);
    ASSERT_EQ(Ids(*model), (std::vector<int>{1, 2})); // "22" before "100": shorter numbers first
    EXPECT_EQ(model->Text(0, 5), "09:30 am");
    EXPECT_EQ(model->Text(1, 5), "01:45 pm");
    EXPECT_EQ(model->Text(0, 2), "Bravo Wines");
    EXPECT_EQ(model->Text(1, 2), "alpha bar") << "mixed case stays as stored";
    EXPECT_EQ(model->Text(0, 3), "Pat");
    EXPECT_EQ(model->Text(0, 4), "01/01/2026");
    EXPECT_EQ(model->Text(0, 12), "");
    EXPECT_EQ(model->Rows()[0].statusIcon, 3) << "AcctStatus without call tracking";
    EXPECT_EQ(document.accountId, 1) << "row 0 becomes current";
    EXPECT_EQ(document.dayButton, kWednesday);
}

TEST_F(AccountListModelTest, AllShowsNoTimesAndNoCallIconsAndSortsByCompany)
{
    settings.callTracking = true;
    settings.initialSortColumn = 1;
    ASSERT_EQ(zev::AccountCalled().record(1, 3, 1), 1);
    auto model = Model();
    model->Fill(Btn::kAll);
    ASSERT_EQ(Ids(*model), (std::vector<int>{2, 1, 3}));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(model->Text(row, 5), "");
        EXPECT_EQ(model->Rows()[row].statusIcon, 0);
    }
    model->Fill(kWednesday);
    EXPECT_EQ(model->Rows()[model->RowOfAccount(1)].statusIcon, 10);
}

TEST_F(AccountListModelTest, HeaderClicksFlipTheDirectionEveryTime)
{
    settings.initialSortColumn = 2;
    auto model = Model();
    model->Fill(Btn::kAll);
    model->HeaderClicked(1);
    EXPECT_EQ(Ids(*model), (std::vector<int>{2, 1, 3})) << "first click: descending";
    EXPECT_EQ(model->SortColumn(), 2) << "All does not change the sort column";
    model->HeaderClicked(1);
    EXPECT_EQ(Ids(*model), (std::vector<int>{3, 1, 2})) << "second click: ascending";
    model->HeaderClicked(6);
    EXPECT_EQ(Ids(*model), (std::vector<int>{3, 2, 1})) << "another header: descending again";

    model->Fill(kWednesday);
    model->HeaderClicked(6);
    EXPECT_EQ(model->SortColumn(), 6);
    EXPECT_EQ(Ids(*model), (std::vector<int>{1, 2}));
}

TEST_F(AccountListModelTest, FindAsYouTypeMatchesTheStartOfTheName)
{
    auto model = Model();
    model->Fill(Btn::kAll); // alpha bar, Bravo Wines, Charlie's
    EXPECT_EQ(model->Find("", 0), -1);
    EXPECT_EQ(model->Find("b", 2), 1) << "one letter searches from the top";
    EXPECT_EQ(model->Find("CH", 1), 2);
    EXPECT_EQ(model->Find("al", 1), -1) << "longer text searches on from the selected row";
    EXPECT_EQ(model->Find("zz", 0), -1);
}

TEST_F(AccountListModelTest, SelectingMakesTheAccountCurrent)
{
    settings.noOrderButton = true;
    settings.backordersButton = true;
    ASSERT_TRUE(db.Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType) values (1, 'I1', 'BO')"));
    auto model = Model();
    model->Fill(Btn::kAll);
    const int bravo = model->RowOfAccount(1);
    auto buttons = model->Select(bravo);
    EXPECT_TRUE(buttons.details && buttons.orderGuide && buttons.history && buttons.noOrder);
    EXPECT_TRUE(buttons.backorders);
    EXPECT_EQ(document.accountId, 1);
    EXPECT_EQ(document.accountNumber, "22");
    EXPECT_EQ(document.orderCatalog, 4);
    EXPECT_EQ(document.pricingTier, 4);
    EXPECT_EQ(document.warehouse, -1) << "warehouse only with switch 37";

    buttons = model->Select(model->RowOfAccount(2));
    EXPECT_FALSE(buttons.backorders);
    EXPECT_EQ(document.orderCatalog, 10) << "empty catalogue list";

    settings.warehouseOnSelect = true;
    auto withWarehouse = Model();
    withWarehouse->Fill(Btn::kAll);
    EXPECT_EQ(withWarehouse->SelectedRow(), withWarehouse->RowOfAccount(2)) << "the current account is reselected";
    EXPECT_EQ(document.warehouse, 5);
}

TEST_F(AccountListModelTest, AppointmentTimeTypedForAllGoesToEveryDay)
{
    auto model = Model();
    model->Fill(Btn::kAll);
    const int row = model->RowOfAccount(3);
    EXPECT_EQ(model->EditorText(row, 5), "");
    ASSERT_TRUE(model->CommitText(row, 5, "9:05 pm"));
    EXPECT_EQ(db.ScalarInt("select count(*) from Accounts where AccountID = 3 and ApptTime1 = '2105' and ApptTime2 "
                           "= '2105' and ApptTime3 = '2105' and ApptTime4 = '2105' and ApptTime5 = '2105' and "
                           "ApptTime6 = '2105' and ApptTime7 = '2105'"),
              1);
}

TEST_F(AccountListModelTest, AppointmentTimeOfAWeekdayIsWrittenWhenChanged)
{
    auto model = Model();
    model->Fill(kWednesday);
    const int row = model->RowOfAccount(1);
    EXPECT_EQ(model->EditorText(row, 5), "9:30 am");
    ASSERT_TRUE(model->CommitText(row, 5, "930"));
    EXPECT_EQ(db.ScalarInt("select Updated from Accounts where AccountID = 1"), 0) << "unchanged: nothing written";
    ASSERT_TRUE(model->CommitText(row, 5, "25:00"));
    EXPECT_EQ(db.Scalar("select ApptTime4 from Accounts where AccountID = 1"), "");
    EXPECT_EQ(model->Text(row, 5), "Unassigned");
    ASSERT_TRUE(model->CommitText(row, 5, "3"));
    EXPECT_EQ(db.Scalar("select ApptTime4 from Accounts where AccountID = 1"), "1500");
    EXPECT_EQ(db.Scalar("select ApptTime1 from Accounts where AccountID = 1"), "");
}

TEST_F(AccountListModelTest, BlankCallbackEntryRemovesTheRow)
{
    settings.callTracking = true;
    ASSERT_EQ(zev::Callback().add(1, 3, ""), 1);
    auto model = Model();
    model->Fill(kWednesday);
    const int row = model->RowOfAccount(1);
    EXPECT_EQ(model->Text(row, 10), "Wednesday");
    EXPECT_EQ(model->CallbackDayPreselect(row), 4);
    ASSERT_EQ(AccountListModel::CallbackDayChoices().size(), 8u);
    ASSERT_TRUE(model->CommitCallbackDay(row, 0));
    EXPECT_EQ(db.ScalarInt("select count(*) from Callback"), 0);
    EXPECT_EQ(model->Text(row, 10), "");

    ASSERT_TRUE(model->CommitText(row, 11, " call Joe's cell "));
    EXPECT_EQ(db.Scalar("select CallbackNotes from Callback where AccountID = 1"), "call Joe's cell");
    EXPECT_EQ(db.ScalarInt("select CallbackDay from Callback where AccountID = 1"), -1);
}

TEST_F(AccountListModelTest, NoSaleSavesAnInformationOrderAndRecordsTheCall)
{
    settings.callTracking = true;
    ASSERT_EQ(zev::Callback().add(1, 5, "x"), 1);
    auto model = Model();
    model->Fill(kWednesday);
    ASSERT_TRUE(model->RecordNoOrder(model->RowOfAccount(1), zev::CallPlanner::NoOrderReason::NoSale, " closed "));
    EXPECT_EQ(db.ScalarInt("select count(*) from ReadyOrder where AccountID = 1 and OrderType = 2 and ODCText = "
                           "'No Sale' and OrderNotes = 'closed'"),
              1);
    EXPECT_EQ(db.ScalarInt("select count(*) from Callback"), 0);
    EXPECT_EQ(db.ScalarInt("select Type from AccountCalled where AccountID = 1 and Day = 3"), 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The tracking information has been saved.");
    EXPECT_EQ(model->Rows()[model->RowOfAccount(1)].statusIcon, 11) << "the list was refilled";
}

TEST_F(AccountListModelTest, NoCallNoteIsCutToTheConfiguredLength)
{
    settings.noteMaxLength = 5;
    auto model = Model();
    model->Fill(Btn::kAll);
    ASSERT_TRUE(model->RecordNoOrder(0, zev::CallPlanner::NoOrderReason::NoCall, "123456789"));
    EXPECT_EQ(db.Scalar("select OrderNotes from ReadyOrder"), "12345");
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 0) << "no call tracking";
}

TEST_F(AccountListModelTest, ClearCallOfThisAccountIsIgnoredUnderAll)
{
    settings.callTracking = true;
    ASSERT_EQ(zev::AccountCalled().record(1, 3, 2), 1);
    auto model = Model();
    model->Fill(Btn::kAll);
    model->ClearCallThisAccount(model->RowOfAccount(1));
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 1);
    model->Fill(kWednesday);
    model->ClearCallThisAccount(model->RowOfAccount(1));
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 0);
}

TEST_F(AccountListModelTest, ClearCallOfAllAccountsAsksFirst)
{
    zev::AccountCalled called;
    ASSERT_EQ(called.record(1, 3, 2), 1);
    ASSERT_EQ(called.record(2, 4, 1), 1);
    auto model = Model();
    model->Fill(kWednesday);
    messages.answers = {MbResult::No};
    model->ClearCallAllAccounts();
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, zev::MbButtons::YesNo);
    EXPECT_EQ(messages.shown[0].defaultButton, MbResult::No) << "Enter must not wipe the week";
    messages.answers = {MbResult::Yes};
    model->ClearCallAllAccounts();
    EXPECT_EQ(db.ScalarInt("select count(*) from AccountCalled"), 0);
}

TEST_F(AccountListModelTest, NewMessagesAreToldOnlyWithTheSwitch)
{
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (1, 100200, 0)"));
    EXPECT_FALSE(Model()->CheckNewMessages("100200"));
    settings.newMessagesCheck = true;
    EXPECT_TRUE(Model()->CheckNewMessages("100200"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, 65140);
    EXPECT_FALSE(Model()->CheckNewMessages("100300"));
}

TEST_F(AccountListModelTest, QuickInfoListsTheFilledFields)
{
    auto model = Model();
    model->Fill(Btn::kAll);
    const int row = model->RowOfAccount(3);
    EXPECT_EQ(model->QuickInfoTitle(row), "Charlie's");
    EXPECT_EQ(model->QuickInfoText(row), "Acct: 9\nContact: Pat\nPhone: 555\nTown, ST ");
}

} // namespace

// The list reads every callback and call of the day at once: each row still
// gets its own account's values, the day's first call wins as a lookup by
// account found it, and another day's call does not show.
TEST_F(AccountListModelTest, CallStatesAndCallbacksBelongToTheirOwnAccountAndDay)
{
    settings.callTracking = true;
    ASSERT_EQ(zev::Callback().add(2, 5, "ring at noon"), 1);
    ASSERT_EQ(zev::AccountCalled().record(1, 3, zev::AccountCalled::kNoCall), 1);
    ASSERT_EQ(zev::AccountCalled().record(1, 3, zev::AccountCalled::kOrder), 1);
    ASSERT_EQ(zev::AccountCalled().record(2, 4, zev::AccountCalled::kOrder), 1);
    auto model = Model();
    model->Fill(kWednesday);
    const auto& one = model->Rows()[model->RowOfAccount(1)];
    const auto& two = model->Rows()[model->RowOfAccount(2)];
    EXPECT_EQ(one.statusIcon, zev::CallPlanner::kIconNoOrder);
    EXPECT_EQ(one.callbackDay, -1);
    EXPECT_EQ(one.callbackNotes, "");
    EXPECT_EQ(two.statusIcon, zev::CallPlanner::kIconNone);
    EXPECT_EQ(two.callbackDay, 5);
    EXPECT_EQ(two.callbackNotes, "ring at noon");
}
