#include "SyncWorld.h"

#include "sync/SyncText.h"

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

class OrderSenderTest : public SyncWorld {
protected:
    void SetUp() override
    {
        SyncWorld::SetUp();
        ASSERT_TRUE(builder->ApplyTableFile(TablePath("Items"), kModeInsert, true) == 2);
    }
    std::string TablePath(const std::string& name)
    {
        WriteFile(w.dir.File(name + ".txt"), name + "\n" + tables[name]);
        return w.dir.File(name + ".txt");
    }
    void AddOrder(int readyId, const std::string& notes, int cases, int singles)
    {
        ASSERT_TRUE(
            db.Exec(Format("insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate, OrderNotes, "
                           "CreditCard, Option1,Option2,Option3,Option4,Option5,Option6,Option7,Option8,Option9,"
                           "Option10, Signature) values (5001, %d, 1, '03/08/2006', '%s', '', 1,0,0,0,0,0,0,0,0,0, "
                           "'')",
                           readyId, FixApost(notes).c_str())));
        ASSERT_TRUE(db.Exec(Format("insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, CDistPrice, "
                                   "SDistPrice, LineItemNumber, SpecialFlag, DiscountAmount, PriceOverride, Warehouse, "
                                   "LineComment) values (5001, %d, 1001, %d, %d, 120, 10, 1, '0', '0.00', '0.00', 1, "
                                   "'top^shelf')",
                                   readyId, cases, singles)));
    }
    int Stock() { return Count("select QtyOnHand from Items where ItemID = 1001"); }
};

TEST_F(OrderSenderTest, SendsTheBodyAndLowersStockOnceConfirmed)
{
    AddOrder(1, "50% & more", 2, 3);
    ASSERT_TRUE(sender->SendOrders(0, &w.sink));
    const auto* r = FindRequest("takeOrders.cfm");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->path, "/MobileServer/v1/takeOrders.cfm?p=0123456789abcdef0123456789abcdef&ID=100200");
    EXPECT_EQ(r->body, "A=5001&B=03/08/2006&C=50%25 %26 more&KK=1|0|0|0|0|0|0|0|0|0"
                       "&L1=1001^2^3^120.00^10.00^0^0.00^0.00^0^0^0.00^0.00^0^top%94shelf&T=1");
    EXPECT_EQ(Stock(), 100 - 27);
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 0);
    EXPECT_EQ(Count("select count(*) from ReadyOrderItems"), 0);
    // Messages go up and come down after the orders.
    EXPECT_NE(FindRequest("UpdateMessages.cfm"), nullptr);
    EXPECT_NE(FindRequest("Tablenames=Messages"), nullptr);
    ASSERT_FALSE(w.box.Texts().empty());
    EXPECT_EQ(w.box.Texts().back(), "1 order(s) were successfully sent.");
    EXPECT_FALSE(std::filesystem::exists(w.dir.File("Temp/$SORTEMP.TMP")));
}

TEST_F(OrderSenderTest, SecondOrderRefusedKeepsItAndFailsTheBatch)
{
    AddOrder(1, "", 1, 0);
    AddOrder(2, "", 1, 0);
    w.transport.replies = {{0, "<OK>\n"}, {0, "<ERROR>Account on hold</ERROR>\n"}};
    EXPECT_FALSE(sender->SendOrders(0, &w.sink));
    EXPECT_EQ(Count("select count(*) from ReadyOrder where ReadyID = 1"), 0);
    EXPECT_EQ(Count("select count(*) from ReadyOrder where ReadyID = 2"), 1);
    EXPECT_EQ(Count("select count(*) from ReadyOrderItems where ReadyID = 2"), 1);
    EXPECT_EQ(Stock(), 100 - 12);
    EXPECT_EQ(w.box.Texts().back(), "Account on hold");
    EXPECT_EQ(FindRequest("UpdateMessages.cfm"), nullptr);
    EXPECT_EQ(w.sink.steps.back().second, "Error sending orders.");
}

TEST_F(OrderSenderTest, FailedThenRepeatedSendLowersStockOnce)
{
    AddOrder(1, "", 1, 1);
    w.transport.replies = {{3, ""}};
    EXPECT_FALSE(sender->SendOrders(1, nullptr));
    EXPECT_EQ(Stock(), 100);
    w.transport.replies = {{0, "garbage\n"}};
    EXPECT_FALSE(sender->SendOrders(1, nullptr));
    EXPECT_EQ(Stock(), 100);
    EXPECT_TRUE(sender->SendOrders(1, nullptr));
    EXPECT_EQ(Stock(), 100 - 13);
}

TEST_F(OrderSenderTest, UnknownItemCountsTwelveToTheCase)
{
    AddOrder(1, "", 1, 0);
    ASSERT_TRUE(db.Exec("update Items set DeletedFlag = 1 where ItemID = 1001"));
    ASSERT_TRUE(sender->SendOrders(1, nullptr));
    EXPECT_EQ(Stock(), 100 - 12);
}

TEST_F(OrderSenderTest, NothingToSendIsSuccess)
{
    EXPECT_TRUE(sender->SendOrders(0, &w.sink));
    EXPECT_EQ(w.box.TextIds(), (std::vector<int>{65102}));
    EXPECT_TRUE(w.transport.requests.empty());
}

TEST_F(OrderSenderTest, DecliningToConnectSendsNothing)
{
    AddOrder(1, "", 1, 0);
    w.isConnected = 0;
    w.box.answers = {MbResult::Cancel};
    EXPECT_TRUE(sender->SendOrders(0, &w.sink));
    EXPECT_TRUE(w.box.Saw(65063));
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 1);
}

TEST_F(OrderSenderTest, AnOrderThatMayHaveArrivedIsSentAgainOnlyWhenTheUserSaysSo)
{
    AddOrder(1, "", 1, 0);
    w.transport.replies = {{5, ""}}; // connected, the body went out, no answer
    EXPECT_FALSE(sender->SendOrders(0, &w.sink));
    EXPECT_NE(w.box.Texts().back().find("Order 1 may have reached the distributor"), std::string::npos);
    ASSERT_EQ(sender->UnknownOutcomes().size(), 1u);
    EXPECT_EQ(sender->UnknownOutcomes()[0].readyId, 1);

    w.transport.requests.clear();
    EXPECT_FALSE(sender->SendOrders(0, &w.sink, UnknownOrders::Skip));
    EXPECT_FALSE(sender->SendOrders(1, &w.sink, UnknownOrders::Skip));
    w.box.answers = {MbResult::No};
    EXPECT_FALSE(sender->SendOrders(0, &w.sink, UnknownOrders::Ask));
    EXPECT_EQ(FindRequest("takeOrders.cfm"), nullptr);
    EXPECT_NE(w.box.Texts().back().find("Send it again?"), std::string::npos);
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 1);
    EXPECT_EQ(Stock(), 100);

    w.box.answers = {MbResult::Yes};
    EXPECT_TRUE(sender->SendOrders(0, &w.sink, UnknownOrders::Ask));
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 0);
    EXPECT_TRUE(sender->UnknownOutcomes().empty());
    EXPECT_EQ(Stock(), 100 - 12);
}

struct OutcomeCase {
    const char* name;
    int code;
    const char* reply;
    bool unknown; // kept as "may have reached the distributor"
};

class SendOutcomes : public OrderSenderTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(SendOutcomes, OnlyAFailureThatCannotHaveDeliveredClearsTheMark)
{
    AddOrder(1, "", 1, 0);
    w.transport.replies = {{GetParam().code, GetParam().reply}};
    EXPECT_FALSE(sender->SendOrders(0, &w.sink));
    EXPECT_EQ(sender->UnknownOutcomes().size(), GetParam().unknown ? 1u : 0u);
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 1);
    // A resend under the companion's default policy.
    w.transport.requests.clear();
    EXPECT_EQ(sender->SendOrders(0, &w.sink, UnknownOrders::Skip), !GetParam().unknown);
    EXPECT_EQ(FindRequest("takeOrders.cfm") != nullptr, !GetParam().unknown);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SendOutcomes,
    ::testing::Values(OutcomeCase{"Unreachable", 2, "", false}, OutcomeCase{"BadArguments", 1, "", false},
                      OutcomeCase{"ServerRefused", 0, "<ERROR>On hold</ERROR>\n", false},
                      OutcomeCase{"TimedOut", 3, "", true}, OutcomeCase{"TransferBroken", 5, "", true},
                      OutcomeCase{"HttpError", 6, "", true}, OutcomeCase{"EmptyReply", 0, "", true},
                      OutcomeCase{"ProxyPage", 0, "<html>Gateway</html>\n", true}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(OrderSenderTest, AMarkLeftByAKilledSendMakesTheOrderUnknownAndAStaleMarkIsDropped)
{
    AddOrder(1, "", 1, 0);
    ASSERT_TRUE(db.Exec("CREATE TABLE OrderSendState (ReadyID int NOT NULL, Started datetime)"));
    ASSERT_TRUE(db.Exec("insert into OrderSendState values (1, '2006-03-08 10:00:00')"));
    ASSERT_TRUE(db.Exec("insert into OrderSendState values (2, '2006-03-08 10:00:00')")); // order gone
    EXPECT_FALSE(sender->SendOrders(0, &w.sink, UnknownOrders::Skip));
    EXPECT_EQ(FindRequest("takeOrders.cfm"), nullptr);
    EXPECT_NE(w.box.Texts().back().find("sending started 2006-03-08 10:00:00"), std::string::npos);
    EXPECT_EQ(Count("select count(*) from OrderSendState"), 1);
    AddOrder(2, "", 1, 0);
    EXPECT_FALSE(sender->SendOrders(0, &w.sink, UnknownOrders::Skip));
    EXPECT_EQ(Count("select count(*) from ReadyOrder where ReadyID = 2"), 0); // sent, not taken for unknown
}

TEST_F(OrderSenderTest, RefusedMessagesAreNotReplacedByTheMessagesDownload)
{
    AddOrder(1, "", 1, 0);
    ASSERT_TRUE(db.Exec("insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2006-03-07', 'S', 'M', 1)"));
    w.transport.replies = {{0, "<OK>\n"}, {0, "<ERROR>Mailbox full</ERROR>\n"}};
    EXPECT_TRUE(sender->SendOrders(0, &w.sink));
    EXPECT_EQ(FindRequest("Tablenames=Messages"), nullptr);
    EXPECT_EQ(Count("select count(*) from Messages where Updated = 1"), 1);
}
