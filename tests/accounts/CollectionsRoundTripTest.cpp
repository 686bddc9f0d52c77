// Collections, deposits, backorder cancellations and messages against the
// reference server on a loopback port: what the representative records goes
// up once and the server's tables show it; a message the office sends
// arrives with the next synchronisation.
#include "tests/orders/DemoClient.h"

#include "accounts/Backorders.h"
#include "accounts/MessageCenter.h"
#include "accounts/Receivables.h"
#include "base/Clock.h"
#include "server/ZevServer.h"
#include "sync/DatabaseBuilder.h"
#include "sync/OrderSender.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"
#include "sync/TabulaSyncDb.h"
#include "sync/Uploads.h"
#include "tabula/QueryPool.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <map>

namespace {

using namespace zev;

class CollectionsRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The deposit button is on: a collection stays for the deposit after its upload.
        m_client = std::make_unique<test::DemoClient>("collections", [](int offset) { return offset == 169 ? 1 : 0; });
        ASSERT_TRUE(m_client->Started());
        ASSERT_TRUE(m_client->Download()) << Shown();
    }
    void TearDown() override { m_client.reset(); }

    std::string Shown() const { return m_client->Shown(); }
    int Local(const std::string& sql) { return m_client->Local(sql); }
    std::string LocalText(const std::string& sql) { return m_client->LocalText(sql); }
    std::string ServerText(const std::string& sql) { return m_client->ServerText(sql); }
    void ServerExec(const std::string& sql) { m_client->ServerExec(sql); }
    sync::SyncRunner& Runner() { return m_client->stack->Runner(); }
    sync::OrderSender& Sender() { return m_client->stack->Orders(); }

    std::unique_ptr<test::DemoClient> m_client;
};

TEST_F(CollectionsRoundTripTest, CollectionAndDepositGoUpOnceAndShowInTheServersReceivables)
{
    Receivables ar;
    ASSERT_TRUE(ar.Load(-1, true, m_client->clock.Now()));
    std::size_t index = ar.Items().size();
    for (std::size_t i = 0; i < ar.Items().size() && index == ar.Items().size(); ++i)
        if (ar.Items()[i].OpenCents() > 2000)
            index = i;
    ASSERT_LT(index, ar.Items().size());
    const ARListItem item = ar.Items()[index];
    const std::string where =
        " from AR where AccountID = " + std::to_string(item.accountId) + " and InvoiceNo = '" + item.invoiceNo + "'";
    const std::string before = ServerText("select AmountCollectedTotal" + where);

    ASSERT_TRUE(ar.Collect(index, 1250, 1, "5521"));
    std::vector<DepositRow> rows;
    ASSERT_TRUE(ar.LoadDepositRows(rows));
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_TRUE(ar.Deposit(rows, "Slip 12 & 13", "First Bank"));

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_NEAR(std::stod(ServerText("select AmountCollectedTotal" + where)), std::stod(before) + 12.50, 0.001);
    EXPECT_EQ(ServerText("select LatestPaymentAmount" + where), "12.5");
    EXPECT_EQ(ServerText("select DepAttrib1" + where), "Slip 12 & 13");
    EXPECT_EQ(ServerText("select DepAttrib2" + where), "First Bank");
    EXPECT_EQ(Local("select count(*) from AR where Updated = 1 or Deposited = 1"), 0);

    // A second synchronisation sends nothing again.
    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_NEAR(std::stod(ServerText("select AmountCollectedTotal" + where)), std::stod(before) + 12.50, 0.001);
    EXPECT_EQ(ServerText("select count(*) from UploadFields F, Uploads U where F.UploadID = U.UploadID and "
                         "U.Page = 'updateInvoice' and F.Value = '" +
                         item.invoiceNo + "'"),
              "1");
}

TEST_F(CollectionsRoundTripTest, BackorderCancellationArrivesAsARemovalOrder)
{
    const int account = Local("select min(AccountID) from OpenOrders where TSOrderType in ('BO', 'MO', 'IN')");
    ASSERT_GT(account, 0);
    Backorders backorders({});
    std::vector<BackorderLine> lines;
    ASSERT_TRUE(backorders.LoadBackorderLines(account, lines));
    ASSERT_FALSE(lines.empty());
    ASSERT_EQ(backorders.SaveCancellation(account, {lines[0]}, m_client->clock.Now()), Backorders::SaveResult::Saved);
    EXPECT_EQ(Local("select OrderType from ReadyOrder"), 3);

    ASSERT_TRUE(Sender().SendOrders(0, nullptr)) << Shown();
    EXPECT_EQ(Local("select count(*) from ReadyOrder"), 0);
    EXPECT_EQ(ServerText("select ODCText from ReceivedOrders where AccountID = " + std::to_string(account)),
              "Backorder Removal");
    EXPECT_EQ(ServerText("select LineComment from ReceivedOrderLines"), backorders.Key(lines[0]));
}

TEST_F(CollectionsRoundTripTest, ReplyReachesTheOfficeAndTheOfficesMessageArrives)
{
    MessageCenter center;
    std::vector<MessageItem> inbox;
    ASSERT_TRUE(center.LoadInbox(100200, inbox));
    ASSERT_FALSE(inbox.empty());
    MessageItem message = inbox[0];
    ASSERT_TRUE(center.MarkRead(message));
    ASSERT_TRUE(center.Reply(message, "Can't make Friday, call me"));

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select ToID from Messages where Message = 'Can''t make Friday, call me'"),
              std::to_string(message.fromId));
    EXPECT_EQ(ServerText("select ToStatus from Messages where MessageID = " + std::to_string(message.messageId)), "2");

    ServerExec("insert into Messages (MessageID, FromID, FromStatus, FromName, ToID, ToStatus, Subject, Message, "
               "Updated, zev_rep) values (9001, 900100, 0, 'Pat Okafor', 100200, 0, 'Truck late', 'Deliveries "
               "after noon today', 0, '100200')");
    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    ASSERT_TRUE(center.LoadInbox(100200, inbox));
    bool found = false;
    for (const MessageItem& m : inbox)
        found = found || (m.messageId == 9001 && m.subject == "Truck late" && m.status == 0);
    EXPECT_TRUE(found);
}

} // namespace
