#include "Fakes.h"
#include "TestDatabase.h"

#include "accounts/ItineraryReport.h"
#include "tables/Callback.h"
#include "tables/DayButtons.h"
#include "tables/ReadyOrder.h"

#include <gtest/gtest.h>

namespace {

using zev::ItineraryReport;
using zev::test::At;
using zev::test::ScriptedMessageBox;
using zev::test::TestDatabase;

class ItineraryReportTest : public ::testing::Test {
protected:
    ItineraryReportTest()
    {
        Add(1, "Acme", "A1", "NNYNNNN");
        Add(2, "Bobs", "B2", "NNNNNNN");
    }

    void Add(int id, const std::string& name, const std::string& number, const std::string& days)
    {
        EXPECT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, ApptDays, City, State, "
                            "ContactName, Phone) values (" +
                            std::to_string(id) + ", '" + name + "', '" + number + "', '" + days +
                            "', 'Town', 'ST', 'Pat', '555')"));
    }

    TestDatabase db;
};

TEST_F(ItineraryReportTest, ItineraryListsScheduledAccountsOnly)
{
    ASSERT_EQ(zev::Callback().add(2, 2, ""), 1); // callbacks are not in the itinerary
    const auto it = ItineraryReport().BuildItinerary(zev::DayButtons::kSunday + 2);
    EXPECT_EQ(it.heading, "Tuesday");
    ASSERT_EQ(it.rows.size(), 1u);
    EXPECT_EQ(it.rows[0].company, "Acme");
    EXPECT_EQ(it.rows[0].cityState, "Town, ST");
    EXPECT_TRUE(ItineraryReport().BuildItinerary(zev::DayButtons::kAll).rows.empty());
}

TEST_F(ItineraryReportTest, AccomplishmentsAreTodaysOrders)
{
    const std::time_t now = At(2026, 3, 4, 15, 0);
    zev::ReadyOrder ready;
    zev::ReadyOrderHeader h;
    h.accountId = 1;
    h.readyId = 1;
    h.total = 100.25;
    h.created = "{ts ''2026-3-4 9:5:7''}";
    ASSERT_EQ(ready.insertHeader(h), 1);
    h.readyId = 2;
    h.created = "{ts ''2026-3-3 9:5:7''}"; // yesterday
    ASSERT_EQ(ready.insertHeader(h), 1);
    ASSERT_EQ(ready.insertInformationOrder(2, 3, 2, now, "", "No Sale"), 1);
    ASSERT_TRUE(db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate, OrderTotal) values (9, 2, "
                        "'2026-03-04 18:30:00', 50)"));
    ASSERT_TRUE(db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate, OrderTotal) values (10, 2, "
                        "'2026-03-05 01:00:00', 70)"));

    const auto acc = ItineraryReport().BuildAccomplishments(now);
    ASSERT_EQ(acc.rows.size(), 2u);
    EXPECT_EQ(acc.rows[0].accountNumber, "A1");
    EXPECT_DOUBLE_EQ(acc.rows[0].amount, 100.25);
    EXPECT_EQ(acc.rows[1].company, "Bobs");
    EXPECT_EQ(acc.TotalLine(), "Total - $ 150.25");
}

TEST_F(ItineraryReportTest, EmptyReportIsTold)
{
    ScriptedMessageBox messages;
    EXPECT_FALSE(ItineraryReport::CheckPrintable(true, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You have nothing to be printed.");
    EXPECT_TRUE(ItineraryReport::CheckPrintable(false, messages));
}

TEST(ItineraryReportFileTitle, NamesTheReportTheDayAndTheDate)
{
    const std::time_t monday = At(2026, 3, 2, 23, 59);
    EXPECT_EQ(ItineraryReport::FileTitle(true, 3, monday), "Itinerary Wednesday 2026-03-02");
    EXPECT_EQ(ItineraryReport::FileTitle(true, 0, At(2026, 12, 31)), "Itinerary Sunday 2026-12-31");
    EXPECT_EQ(ItineraryReport::FileTitle(false, 3, monday), "Accomplishments 2026-03-02");
    EXPECT_EQ(ItineraryReport::FileTitle(true, 7, monday), "Itinerary 2026-03-02"); // All has no weekday
}

} // namespace
