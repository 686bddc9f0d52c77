#include "TestDatabase.h"

#include "tables/AccountCalled.h"
#include "tables/Accounts.h"
#include "tables/Callback.h"
#include "tables/DayButtons.h"
#include "tables/DistributorRepNotes.h"
#include "tables/Messages.h"
#include "tables/OpenOrders.h"
#include "tables/ReadyOrder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <set>

namespace {

using zev::test::TestDatabase;

class AccountTables : public ::testing::Test {
protected:
    void AddAccount(int id, const std::string& apptDays)
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, ApptDays, AccountNumber, PricingTier, "
                            "Updated) values (" +
                            std::to_string(id) + ", 'Co " + std::to_string(id) + "', '" + apptDays + "', 'A" +
                            std::to_string(id) + "', 2, 0)"));
    }

    std::set<int> Ids(zev::Accounts& accounts, int openResult)
    {
        std::set<int> ids;
        if (!openResult)
            return ids;
        for (; !accounts.IsEOF(); accounts.MoveNext())
            ids.insert(accounts.GetFieldValueInt(0));
        return ids;
    }

    static std::time_t LocalTime(int y, int mo, int d, int h, int mi, int s)
    {
        std::tm tm{};
        tm.tm_year = y - 1900;
        tm.tm_mon = mo - 1;
        tm.tm_mday = d;
        tm.tm_hour = h;
        tm.tm_min = mi;
        tm.tm_sec = s;
        tm.tm_isdst = -1;
        return std::mktime(&tm);
    }

    TestDatabase db;
};

TEST_F(AccountTables, AccountSelectReadsFiftyNinePositions)
{
    AddAccount(1, "YNNNNNN");
    zev::Accounts accounts;
    ASSERT_EQ(accounts.getAccount(1), 1) << accounts.getLastSQL();
    EXPECT_EQ(accounts.getRS()->GetFieldCount(), 59);
    EXPECT_EQ(accounts.GetFieldValueString(14), "A1");
    EXPECT_EQ(accounts.getApptDays().Text(), "YNNNNNN");
    EXPECT_EQ(accounts.getDelivDays().Text(), "YYYYYYY"); // NULL DelivDays means every day
}

TEST_F(AccountTables, DaySelectionFollowsThePattern)
{
    AddAccount(1, "YNNNNNN");
    AddAccount(2, "NNNNNNY");
    AddAccount(3, "YNNNNNY");
    AddAccount(4, "NNNNNNN");
    zev::Accounts accounts;
    EXPECT_EQ(Ids(accounts, accounts.getScheduled(zev::DayString::SingleDay(0))), (std::set<int>{1, 3}));
    EXPECT_EQ(Ids(accounts, accounts.getScheduled(zev::DayString::SingleDay(6))), (std::set<int>{2, 3}));
    EXPECT_EQ(Ids(accounts, accounts.getNotScheduled(zev::DayString::SingleDay(6))), (std::set<int>{1, 4}));
    EXPECT_EQ(Ids(accounts, accounts.getAllAccounts()), (std::set<int>{1, 2, 3, 4}));
}

TEST_F(AccountTables, CallPlanOfADayAddsThatDaysCallbacks)
{
    AddAccount(1, "NNNNNNN");
    AddAccount(2, "NNYNNNN");
    zev::Callback callback;
    ASSERT_EQ(callback.add(1, 2, "ring back"), 1);
    zev::Accounts accounts;
    for (int day = 0; day < 7; ++day) {
        const std::set<int> ids = Ids(accounts, accounts.getCallPlanOfDay(zev::DayString::SingleDay(day), day));
        EXPECT_EQ(ids.count(1), day == 2 ? 1u : 0u) << "day " << day;
    }
}

TEST_F(AccountTables, AppointmentTimeOfAllWritesEveryDay)
{
    AddAccount(1, "NNNNNNN");
    zev::Accounts accounts;
    ASSERT_EQ(accounts.setApptTime(1, zev::DayButtons::kAll, LocalTime(2026, 3, 4, 21, 5, 0)), 1);
    ASSERT_EQ(accounts.getAccount(1), 1);
    for (int col = 24; col <= 30; ++col)
        EXPECT_EQ(accounts.GetFieldValueString(col), "2105");
    EXPECT_EQ(accounts.GetFieldValueInt(23), 1) << "marked for upload";

    ASSERT_EQ(accounts.setApptTime(1, zev::DayButtons::kSunday + 3, 0), 1);
    ASSERT_EQ(accounts.getAccount(1), 1);
    EXPECT_EQ(accounts.GetFieldValueString(27), "");
    EXPECT_EQ(accounts.GetFieldValueString(26), "2105");
    EXPECT_EQ(accounts.setApptTime(1, 1100, 0), 0) << "no such day button";
}

TEST_F(AccountTables, CreatedAccountGetsTemporaryNumberAndDefaults)
{
    AddAccount(56, "YNNNNNN");
    zev::NewAccountRecord r;
    r.repId = 1234;
    r.companyName = "  O'Neil's Bar ";
    r.email = "a@b.c";
    r.city = "Springfield";
    zev::Accounts accounts;
    ASSERT_EQ(accounts.createAccount(r), 57) << accounts.getLastSQL();
    ASSERT_EQ(accounts.getAccount(57), 1);
    EXPECT_EQ(accounts.GetFieldValueString(1), "O'Neil's Bar");
    EXPECT_EQ(accounts.GetFieldValueString(2), "O'Neil's Bar");
    EXPECT_EQ(accounts.GetFieldValueInt(11), 1);
    EXPECT_EQ(accounts.GetFieldValueString(12), "NNNNNNN");
    EXPECT_EQ(accounts.GetFieldValueString(13), "YYYYYYY");
    EXPECT_EQ(accounts.GetFieldValueString(14), "T-1234-57");
    EXPECT_EQ(accounts.GetFieldValueInt(16), 1234);
    EXPECT_EQ(accounts.GetFieldValueString(21), "10");
    EXPECT_EQ(accounts.GetFieldValueInt(23), 1);
    EXPECT_GE(accounts.GetFieldValueInt(32), 2020) << "LastOrder is now";
    EXPECT_EQ(accounts.GetFieldValueInt(35), 1900);
    EXPECT_EQ(accounts.GetFieldValueInt(55), 1);
    EXPECT_EQ(accounts.GetFieldValueString(56), "");

    // Accounts created here stay out of the upload of changed accounts.
    EXPECT_EQ(accounts.getChangedLocally(), 0);
    EXPECT_TRUE(accounts.IsOpen());
}

TEST_F(AccountTables, FirstCreatedAccountOfAnEmptyTableIsOne)
{
    zev::NewAccountRecord r;
    r.repId = 7;
    r.companyName = "First";
    zev::Accounts accounts;
    EXPECT_EQ(accounts.createAccount(r), 1);
}

TEST_F(AccountTables, CallStatusRowsPerAccountAndDay)
{
    zev::AccountCalled called;
    ASSERT_EQ(called.record(1, 2, zev::AccountCalled::kNoSale), 1);
    ASSERT_EQ(called.record(1, 3, zev::AccountCalled::kOrder), 1);
    ASSERT_EQ(called.getStatus(1, 2), 1);
    EXPECT_EQ(called.GetFieldValueInt(2), 2);
    ASSERT_EQ(called.clear(1, 2), 1);
    EXPECT_EQ(called.getStatus(1, 2), 0);
    EXPECT_EQ(called.getStatus(1, 3), 1);
    ASSERT_EQ(called.clearWeek(), 1);
    EXPECT_EQ(called.getStatus(1, 3), 0);
}

TEST_F(AccountTables, CallbackNotesKeepTheirApostrophes)
{
    zev::Callback callback;
    ASSERT_EQ(callback.add(4, -1, "Joe's call"), 1);
    ASSERT_EQ(callback.getByPK(4), 1);
    EXPECT_EQ(callback.GetFieldValueInt(1), -1);
    EXPECT_EQ(callback.GetFieldValueString(2), "Joe's call");
    ASSERT_EQ(callback.change(4, 5, "later"), 1);
    ASSERT_EQ(callback.getByPK(4), 1);
    EXPECT_EQ(callback.GetFieldValueInt(1), 5);
    ASSERT_EQ(callback.remove(4), 1);
    EXPECT_EQ(callback.getByPK(4), 0);
}

TEST_F(AccountTables, NoteIsDeletedByItsSecond)
{
    zev::DistributorRepNotes notes;
    const std::time_t t = LocalTime(2026, 3, 4, 9, 5, 7);
    ASSERT_EQ(notes.addNote(8, t, "first"), 1) << notes.getLastSQL();
    ASSERT_EQ(notes.addNote(8, t + 1, "it's second"), 1);
    ASSERT_EQ(notes.getOfAccount(8), 1);
    ASSERT_EQ(notes.getCount(), 2);
    EXPECT_EQ(notes.GetFieldValueInt(0), 1);
    EXPECT_EQ(notes.GetFieldValueInt(3), 2026);
    EXPECT_EQ(notes.GetFieldValueInt(4), 3);
    EXPECT_EQ(notes.GetFieldValueInt(5), 4);
    EXPECT_EQ(notes.GetFieldValueInt(6), 9);
    EXPECT_EQ(notes.GetFieldValueInt(7), 5);
    EXPECT_EQ(notes.GetFieldValueInt(8), 7);
    EXPECT_EQ(notes.GetFieldValueInt(10), 1);

    ASSERT_EQ(notes.deleteNote(8, 2026, 3, 4, 9, 5, 8), 1);
    ASSERT_EQ(notes.getOfAccount(8), 1);
    EXPECT_EQ(notes.getCount(), 1);
    EXPECT_EQ(notes.GetFieldValueString(9), "first");
    ASSERT_EQ(notes.getWaitingForUpload(), 1);
    EXPECT_EQ(notes.getCount(), 2) << "the deleted note waits for upload too";
}

TEST_F(AccountTables, InformationOrderIsATypeTwoHeader)
{
    zev::ReadyOrder orders;
    ASSERT_EQ(orders.insertInformationOrder(5, 1, 2, LocalTime(2026, 3, 4, 9, 5, 7), "didn't buy", "No Sale"), 1)
        << orders.getLastSQL();
    ASSERT_EQ(orders.getByReadyID(1), 1);
    EXPECT_EQ(orders.GetFieldValueInt(0), 5);
    EXPECT_EQ(orders.GetFieldValueInt(2), 2);
    EXPECT_EQ(orders.GetFieldValueString(3), "2026-3-4 9:5:7");
    EXPECT_EQ(orders.GetFieldValueString(4), "didn't buy");
    EXPECT_EQ(orders.GetFieldValueString(5), "No Sale");
    EXPECT_EQ(orders.GetFieldValueString(8), "2026-3-4 9:5:7");
    EXPECT_EQ(orders.getNewPK(), 2);
}

TEST_F(AccountTables, UnreadMessagesNeedANumericUserId)
{
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (1, 100200, 0)"));
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (2, 100300, 1)"));
    zev::Messages messages;
    EXPECT_TRUE(messages.hasUnread("100200"));
    EXPECT_FALSE(messages.hasUnread("100300"));
    EXPECT_FALSE(messages.hasUnread("0 or 1=1"));
    EXPECT_FALSE(messages.hasUnread(""));
}

TEST_F(AccountTables, BackordersAreTheOrderTypesBoMoIn)
{
    ASSERT_TRUE(db.Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType) values (1, 'I1', 'SO')"));
    ASSERT_TRUE(db.Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType) values (2, 'I2', 'MO')"));
    zev::OpenOrders open;
    EXPECT_FALSE(open.hasBackorders(1));
    EXPECT_TRUE(open.hasBackorders(2));
    EXPECT_FALSE(open.hasBackorders(3));
}

} // namespace
