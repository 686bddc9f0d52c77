// Saving an order as a ready order in one transaction, the information
// orders, and the texts as they are stored.
#include "GuideDb.h"
#include "ScriptedBox.h"

#include "orders/OrderSaver.h"

#include <gtest/gtest.h>

namespace {

using zev::OrderHeader;
using zev::OrderSaver;
using zev::OrderSettings;

class OrderSaverTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        AddItem(1, "Zinfandel", 12);
        AddItem(2, "Albarino", 6);
        AddGuide(7);
        AddLine(7, 1, 1, 2, 0);
        AddLine(7, 2, 2, 1, 3);
        header.accountId = 7;
        header.deliveryDate = "03/04/2027";
        header.notes = OrderSaver::NotesForSave("Ring the bell", 255);
        header.creditCard = OrderSaver::CardText("4111", "03", "2027");
        header.warehouse = "1";
        header.options[2] = 1;
        header.totalCents = 12345;
        for (int item : {1, 2}) {
            zev::OrderLine l;
            l.itemId = item;
            l.catalogId = 10;
            l.cases = item;
            l.lineItemNumber = item;
            l.extendedPrice = 10.5;
            l.priceOverride = -1;
            l.dealCode = 3;
            l.lineComment = "it's fine";
            header.lines.push_back(l);
        }
    }
    int Headers() { return Int("select count(*) from ReadyOrder"); }
    int Lines() { return Int("select count(*) from ReadyOrderItems"); }
    int GuideUnits() { return Int("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = 7"); }

    OrderSettings settings;
    zev::test::ScriptedBox box;
    OrderHeader header;
    const std::time_t now = 1800000000;
};

TEST_F(OrderSaverTest, SavesHeaderLinesAndResetsTheGuide)
{
    OrderSaver saver(settings, box);
    const int id = saver.Save(header, now);
    ASSERT_EQ(id, 1);
    EXPECT_EQ(Headers(), 1);
    EXPECT_EQ(Lines(), 2);
    EXPECT_EQ(GuideUnits(), 0);
    EXPECT_EQ(Text("select CreditCard from ReadyOrder"), "4111 ~ 03/2027");
    EXPECT_EQ(Text("select OrderTotal from ReadyOrder"), "123.45");
    EXPECT_EQ(Int("select Option3 from ReadyOrder"), 1);
    EXPECT_EQ(Text("select CreateTime from ReadyOrder").substr(0, 5), "{ts '");
    EXPECT_EQ(Text("select PriceOverride from ReadyOrderItems where ItemID = 1"), "-1.00");
    EXPECT_EQ(Text("select SpecialFlag from ReadyOrderItems where ItemID = 1"), "3");
    EXPECT_EQ(Text("select LineComment from ReadyOrderItems where ItemID = 2"), "it's fine");
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(OrderSaverTest, NewIdIsTheLargerNextKeyOfBothTables)
{
    ASSERT_TRUE(db.Exec("insert into ReadyOrder (AccountID, ReadyID, OrderType) values (9, 4, 0)"));
    ASSERT_TRUE(db.Exec("insert into ReadyOrderItems (AccountID, ReadyID, ItemID) values (9, 6, 1)"));
    OrderSaver saver(settings, box);
    EXPECT_EQ(saver.Save(header, now), 7);
}

TEST_F(OrderSaverTest, ModifyingReplacesTheOrderUnderANewId)
{
    OrderSaver saver(settings, box);
    const int first = saver.Save(header, now);
    ASSERT_GT(first, 0);
    header.readyId = first;
    header.modifying = true;
    header.lines.pop_back();
    const int second = saver.Save(header, now);
    EXPECT_GT(second, first);
    EXPECT_EQ(Int("select count(*) from ReadyOrder where ReadyID = " + std::to_string(first)), 0);
    EXPECT_EQ(Int("select count(*) from ReadyOrderItems where ReadyID = " + std::to_string(first)), 0);
    EXPECT_EQ(Headers(), 1);
    EXPECT_EQ(Lines(), 1);
}

TEST_F(OrderSaverTest, FailedLineInsertLeavesNothing)
{
    // Two lines of one item cannot both be stored.
    ASSERT_TRUE(db.Exec("CREATE UNIQUE INDEX UX_Test ON ReadyOrderItems (ReadyID, ItemID)"));
    header.lines[1].itemId = 1;
    OrderSaver saver(settings, box);
    EXPECT_EQ(saver.Save(header, now), 0);
    EXPECT_EQ(Headers(), 0);
    EXPECT_EQ(Lines(), 0);
    EXPECT_EQ(GuideUnits(), 2 * 12 / 12 + 1 + 3); // guide untouched: 2 cases, 1 case and 3 singles
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Unable to save order items");
    EXPECT_EQ(box.shown[0].text.find("4111"), std::string::npos);
}

TEST_F(OrderSaverTest, FailedCallRecordUndoesTheSave)
{
    settings.markCallOnOrder = true;
    OrderSaver saver(settings, box);
    int calls = 0;
    EXPECT_GT(saver.Save(header, now, [&calls](int account) { return ++calls, account == 7 ? 1 : 0; }), 0);
    EXPECT_EQ(calls, 1);
    header.accountId = 8;
    EXPECT_EQ(saver.Save(header, now, [](int) { return 0; }), 0);
    EXPECT_EQ(Headers(), 1);
}

TEST_F(OrderSaverTest, NotesAreTrimmedCutAndQuoted)
{
    EXPECT_EQ(OrderSaver::NotesForSave(std::string(300, 'n'), 255), std::string(255, 'n'));
    EXPECT_EQ(OrderSaver::NotesForSave(std::string(300, 'n'), 0), std::string(255, 'n'));
    EXPECT_EQ(OrderSaver::NotesForSave("  it's  ", 40), "it''s");
    EXPECT_EQ(OrderSaver::CardText("  ", "03", "2027"), "");
    header.notes = OrderSaver::NotesForSave(std::string(299, 'a') + "'", 0);
    OrderSaver saver(settings, box);
    ASSERT_GT(saver.Save(header, now), 0);
    EXPECT_EQ(Text("select OrderNotes from ReadyOrder"), std::string(255, 'a'));
}

TEST_F(OrderSaverTest, NoVisitAndBackorderCancellation)
{
    OrderSaver saver(settings, box);
    const int visit = saver.SaveNoVisit(7, now, "Closed today", true);
    ASSERT_EQ(visit, 1);
    EXPECT_EQ(Int("select OrderType from ReadyOrder where ReadyID = 1"), 2);
    EXPECT_EQ(Text("select ODCText from ReadyOrder where ReadyID = 1"), "No Call");
    EXPECT_EQ(Text("select OrderNotes from ReadyOrder where ReadyID = 1"), "Closed today");
    EXPECT_EQ(Lines(), 0);
    EXPECT_EQ(GuideUnits(), 6); // the guide is not touched
    const int cancel = saver.SaveBackorderCancellation(header, now);
    ASSERT_EQ(cancel, 2);
    EXPECT_EQ(Int("select OrderType from ReadyOrder where ReadyID = 2"), 3);
    EXPECT_EQ(Int("select count(*) from ReadyOrderItems where ReadyID = 2"), 2);
}

} // namespace
