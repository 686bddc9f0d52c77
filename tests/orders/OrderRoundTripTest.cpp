// The whole order path without windows, against the reference server on a
// loopback port: a demo account's guide is loaded, quantities typed, the
// order placed, saved and sent by the synchronisation engine; the server
// holds it and shows it among the open orders of the next synchronisation.
// A changed guide goes up and comes back down with its changes.
#include "DemoClient.h"

#include "orders/OrderGuide.h"
#include "orders/OrderRules.h"
#include "orders/OrderSaver.h"

#include <gtest/gtest.h>

namespace {

using namespace zev;

class OrderRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_client = std::make_unique<test::DemoClient>("roundtrip");
        ASSERT_TRUE(m_client->Started());
        ASSERT_TRUE(m_client->Download()) << Shown();
        m_account = Local("select min(AccountID) from WorkOrder");
        m_guide = Local("select WorkOrderID from WorkOrder where AccountID = " + std::to_string(m_account));
        ASSERT_GT(m_account, 0) << Shown();
    }

    void TearDown() override { m_client.reset(); }

    std::string Shown() const { return m_client->Shown(); }
    int Local(const std::string& sql) { return m_client->Local(sql); }
    std::string ServerText(const std::string& sql) { return m_client->ServerText(sql); }
    sync::OrderSender& Sender() { return m_client->stack->Orders(); }
    sync::SyncRunner& Runner() { return m_client->stack->Runner(); }

    std::unique_ptr<test::DemoClient> m_client;
    int m_account = 0;
    int m_guide = 0;
};

TEST_F(OrderRoundTripTest, OrderTakenSentAndShownAmongOpenOrders)
{
    OrderSettings settings;
    settings.reset.clearPar = false;
    OrderGuide guide(m_account, m_guide, settings);
    ASSERT_TRUE(guide.Load(0));
    ASSERT_GE(guide.Rows().size(), 2u);
    const int item = guide.Rows()[0].itemId;
    guide.SetCasesAndSingles(0, 2, 0);
    guide.SetUnits(1, 1);
    ASSERT_TRUE(guide.Save());

    OrderRules rules(settings, m_client->box);
    OrderHeader header;
    ASSERT_TRUE(rules.Place(guide.Rows(), guide.HiddenRows(), {m_account, 0, "L-1"}, header).placed) << Shown();
    ASSERT_EQ(header.lines.size(), 2u);
    header.deliveryDate = "12/24/2030";
    header.notes = OrderSaver::NotesForSave("Back door, it's fine", 0);
    header.warehouse = "1";
    header.shippingMethod = "1";
    OrderSaver saver(settings, m_client->box);
    const int readyId = saver.Save(header, std::time(nullptr));
    ASSERT_GT(readyId, 0) << Shown();
    EXPECT_EQ(Local("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = " +
                    std::to_string(m_account)),
              0);

    ASSERT_TRUE(Sender().SendOrders(0, nullptr)) << Shown();
    EXPECT_EQ(Local("select count(*) from ReadyOrder"), 0);
    const std::string received =
        ServerText("select OrderID from ReceivedOrders where AccountID = " + std::to_string(m_account));
    ASSERT_NE(received, "<none>");
    EXPECT_EQ(ServerText("select Notes from ReceivedOrders"), "Back door, it's fine");
    EXPECT_EQ(ServerText("select count(*) from ReceivedOrderLines"), "2");

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    const std::string invoice = "Z" + received;
    EXPECT_EQ(Local("select AccountID from OpenOrders where InvoiceNumber = '" + invoice + "'"), m_account);
    EXPECT_EQ(Local("select ItemCount from OpenOrders where InvoiceNumber = '" + invoice + "'"), 2);
    EXPECT_EQ(Local("select QtyOrdered from OpenOrderItems where InvoiceNumber = '" + invoice +
                    "' and ItemID = " + std::to_string(item)),
              2);
    EXPECT_EQ(Local("select count(*) from OrderHistory where DistInvoice = '" + invoice + "'"), 1);
    // The guide stays reset after the synchronisation.
    EXPECT_EQ(Local("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = " +
                    std::to_string(m_account)),
              0);
}

TEST_F(OrderRoundTripTest, ChangedGuideKeepsItsChangesThroughUploadAndDownload)
{
    OrderSettings settings;
    OrderGuide guide(m_account, m_guide, settings);
    ASSERT_TRUE(guide.Load(0));
    const std::size_t n = guide.Rows().size();
    ASSERT_GE(n, 3u);
    const int last = guide.Rows()[n - 1].itemId;
    const int first = guide.Rows()[0].itemId;
    guide.Move(n - 1, 0);
    guide.SetPar(1, 36);
    guide.Remove(n - 1);
    ASSERT_TRUE(guide.Save());
    EXPECT_EQ(Local("select Updated from WorkOrder where AccountID = " + std::to_string(m_account)), 1);

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown(); // uploads the guide
    EXPECT_EQ(Local("select Updated from WorkOrder where AccountID = " + std::to_string(m_account)), 0);
    ASSERT_TRUE(Runner().SyncRun(1, nullptr)) << Shown(); // everything downloaded again

    const std::string where = " from WorkOrderItems where AccountID = " + std::to_string(m_account);
    EXPECT_EQ(Local("select count(*)" + where), static_cast<int>(n - 1));
    EXPECT_EQ(Local("select ItemID" + where + " and LineItemNumber = 1"), last);
    EXPECT_EQ(Local("select ItemID" + where + " and LineItemNumber = 2"), first);
    EXPECT_EQ(Local("select Par" + where + " and LineItemNumber = 2"), 36);
    EXPECT_EQ(Local("select max(LineItemNumber)" + where), static_cast<int>(n - 1));
}

} // namespace
