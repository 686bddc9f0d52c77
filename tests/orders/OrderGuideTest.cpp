// The guide's records: reading in a chosen order, numbering, writing back in
// one transaction, units as cases and singles, the Updated marks and the
// reset after a saved order.
#include "GuideDb.h"
#include "ScriptedBox.h"

#include "orders/Amount.h"
#include "orders/OrderGuide.h"
#include "tables/ApportionedItems.h"
#include "tables/FamilyPlan.h"
#include "tables/Filters.h"
#include "tables/OrderGuideLines.h"
#include "tables/ReadyOrder.h"
#include "tables/Warehouse.h"
#include "tables/WorkOrderItems.h"

#include <gtest/gtest.h>

namespace {

using zev::Amount;
using zev::OrderGuide;
using zev::OrderSettings;

class OrderGuideTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        AddItem(1, "Zinfandel", 12);
        AddItem(2, "Albarino", 6);
        AddItem(3, "Merlot", 12);
        AddItem(4, "Gone", 12, 1, 1);
        AddGuide(7);
        AddLine(7, 1, 1, 1, 0, "Inv = 9");
        AddLine(7, 2, 2, 0, 0, "Inv = 3");
        AddLine(7, 3, 3, 0, 5, "Inv = 5");
        AddLine(7, 4, 4, 2, 0);
    }
    static std::vector<int> Items(const OrderGuide& g)
    {
        std::vector<int> ids;
        for (const auto& r : g.Rows())
            ids.push_back(r.itemId);
        return ids;
    }
    int Updated() { return Int("select Updated from WorkOrder where AccountID = 7"); }
    OrderSettings settings;
};

TEST_F(OrderGuideTest, SortKeysAndTheOutOfRangeRule)
{
    EXPECT_STREQ(zev::OrderGuideLines::SortKey(25), "I.Description");
    EXPECT_STREQ(zev::OrderGuideLines::SortKey(-1), "I.Description");
    EXPECT_STREQ(zev::OrderGuideLines::SortKey(13), "W.Inv");
    EXPECT_STREQ(zev::OrderGuideLines::SortKey(20), "W.OrderCount");
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    EXPECT_EQ(Items(g), (std::vector<int>{1, 2, 3})); // the deleted item never shows
    ASSERT_TRUE(g.Load(25));
    EXPECT_EQ(Items(g), (std::vector<int>{2, 3, 1}));
    ASSERT_TRUE(g.Load(-1));
    EXPECT_EQ(Items(g), (std::vector<int>{2, 3, 1}));
    ASSERT_TRUE(g.Load(13));
    EXPECT_EQ(Items(g), (std::vector<int>{2, 3, 1}));
}

TEST_F(OrderGuideTest, FamilyPlanFoldsTheCatalogueToEven)
{
    EXPECT_EQ(zev::FamilyPlan::FoldCatalog(7), 6);
    EXPECT_EQ(zev::FamilyPlan::FoldCatalog(6), 6);
    EXPECT_EQ(zev::FamilyPlan::FoldCatalog(1), 0);
    EXPECT_EQ(zev::FamilyPlan::FoldCatalog(-3), -3);
    ASSERT_TRUE(db.Exec("insert into FamilyPlan values (3, 6)"));
    ASSERT_TRUE(db.Exec("insert into FamilyPlan values (1, 8)"));
    zev::FamilyPlan plan;
    EXPECT_TRUE(plan.planExists(7));
    EXPECT_FALSE(plan.planExists(5));
    EXPECT_EQ(plan.itemInPlan(3, 7), 1);
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0, 7));
    EXPECT_EQ(Items(g), (std::vector<int>{3}));
}

TEST_F(OrderGuideTest, UnitsFromCasesAndSinglesAndBack)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    EXPECT_EQ(g.Rows()[0].units, 12);
    EXPECT_EQ(g.Rows()[2].units, 5);
    g.SetUnits(2, 25);
    ASSERT_TRUE(g.Save());
    EXPECT_EQ(Int("select CaseQTY from WorkOrderItems where ItemID = 3"), 2);
    EXPECT_EQ(Int("select SingleQTY from WorkOrderItems where ItemID = 3"), 1);
    EXPECT_EQ(Updated(), 0); // typed quantities alone do not mark the guide
}

TEST_F(OrderGuideTest, InPlaceEditMarksTheGuide)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    zev::test::ScriptedBox box;
    ASSERT_TRUE(g.EditOverride(1, "FREE"));
    g.SetUnits(1, 6);
    EXPECT_EQ(g.Rows()[1].extendedPrice, 0.0f);
    ASSERT_TRUE(g.Save());
    EXPECT_EQ(Text("select PriceOverride from WorkOrderItems where ItemID = 2"), "-1.00");
    EXPECT_EQ(Updated(), 1);
    OrderGuide again(7, 3, settings);
    ASSERT_TRUE(again.Load(0));
    EXPECT_TRUE(Amount::IsFree(again.Rows()[1].priceOverride));
}

TEST_F(OrderGuideTest, DiscountChecks)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    zev::test::ScriptedBox box;
    EXPECT_FALSE(g.EditDiscount(0, "-3", box));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "The discount cannot be less than zero.");
    EXPECT_EQ(box.shown[0].icon, zev::MbIcon::Stop);
    EXPECT_FALSE(g.Edited());
    EXPECT_TRUE(g.EditDiscount(0, "n", box));
    EXPECT_TRUE(Amount::IsNet(g.Rows()[0].discount));
    box.shown.clear();
    EXPECT_TRUE(g.EditDiscount(0, "30.00", box)); // above the case price of 24.00: warned, then lowered
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].icon, zev::MbIcon::Warning);
    EXPECT_EQ(Amount::Cents(g.Rows()[0].extendedPrice), 0);
    EXPECT_EQ(Amount::Cents(g.Rows()[0].discount), 2400);
}

TEST_F(OrderGuideTest, DealCodeOutsideTheRangeIsRefused)
{
    settings.dealCodeMin = 0;
    settings.dealCodeMax = 5;
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    zev::test::ScriptedBox box;
    EXPECT_FALSE(g.EditDealCode(0, "6", box));
    EXPECT_FALSE(g.EditDealCode(0, "x", box));
    EXPECT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text, "Sorry, but the deal code submitted is invalid.");
    EXPECT_TRUE(g.EditDealCode(0, "5", box));
    EXPECT_EQ(g.Rows()[0].specialFlag, 5u);
}

TEST_F(OrderGuideTest, MovingTheLastLineToTheTopRenumbers)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    g.Move(2, 0);
    ASSERT_TRUE(g.Save());
    EXPECT_EQ(LineOrder(7), "3,1,2");
    EXPECT_EQ(Text("select group_concat(LineItemNumber, ',') from (select LineItemNumber from WorkOrderItems where "
                   "AccountID = 7 order by LineItemNumber)"),
              "1,2,3");
    EXPECT_EQ(Int("select LineItemNumber from WorkOrderItems where ItemID = 3"), 1);
    EXPECT_EQ(Int("select max(HTDItemCount) from WorkOrderItems where AccountID = 7"), 0);
    EXPECT_EQ(Updated(), 1);
}

TEST_F(OrderGuideTest, RewriteKeepsRowsTheFilterHolds)
{
    ASSERT_TRUE(db.Exec("update WorkOrderItems set Filter = 1 where ItemID in (1, 3)"));
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    g.ApplyFilter(1);
    EXPECT_EQ(Items(g), (std::vector<int>{1, 3}));
    ASSERT_EQ(g.HiddenRows().size(), 1u);
    g.Move(1, 0);
    ASSERT_TRUE(g.Save());
    EXPECT_EQ(LineOrder(7), "3,1,2");
    g.ApplyFilter(0);
    EXPECT_EQ(g.Rows().size(), 3u);
}

TEST_F(OrderGuideTest, FailedRewriteLeavesTheGuideAsItWas)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    // The second line cannot be written: an index refuses a second row of item 2.
    ASSERT_TRUE(db.Exec("CREATE UNIQUE INDEX UX_Test ON WorkOrderItems (AccountID, ItemID)"));
    g.Rows()[0].itemId = 2;
    g.Move(2, 0);
    EXPECT_FALSE(g.Save());
    EXPECT_EQ(LineOrder(7), "1,2,3,4");
    EXPECT_EQ(Updated(), 0);
}

TEST_F(OrderGuideTest, FailedChangedRowsUpdateWritesNone)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    g.SetUnits(0, 24);
    g.SetComment(1, "ring first");
    g.Rows()[1].lineItemNumber = 2;
    ASSERT_TRUE(RawExec("CREATE TRIGGER NoComment BEFORE UPDATE ON WorkOrderItems WHEN NEW.LineComment <> '' BEGIN "
                        "SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_FALSE(g.Save());
    EXPECT_EQ(Int("select CaseQTY from WorkOrderItems where ItemID = 1"), 1);
    EXPECT_EQ(Updated(), 0);
}

TEST_F(OrderGuideTest, ZeroPerCaseIsOneAndLoggedOnce)
{
    AddItem(5, "Odd", 0);
    AddItem(6, "Odder", 0);
    AddLine(7, 5, 5, 3, 0);
    AddLine(7, 6, 6, 1, 2);
    OrderGuide g(7, 3, settings);
    std::vector<std::string> lines;
    ASSERT_TRUE(g.Load(0, std::nullopt, [&lines](const std::string& l) { lines.push_back(l); }));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("2 line(s) with QtyPerCase 0"), std::string::npos);
    EXPECT_EQ(g.Rows()[3].units, 3);
    EXPECT_EQ(g.Rows()[4].units, 3);
    EXPECT_EQ(g.Rows()[4].Cases(), 3);
}

TEST_F(OrderGuideTest, AddedLinesAreNumberedAfterTheHighest)
{
    zev::WorkOrderItems items;
    EXPECT_EQ(items.highestLineNumber(8, 3), 0);
    AddGuide(8);
    zev::WorkOrderLine line;
    line.accountId = 8;
    line.workOrderId = 3;
    line.itemId = 1;
    EXPECT_EQ(OrderGuide::AddLine(line), 1);
    line.itemId = 2;
    EXPECT_EQ(OrderGuide::AddLine(line), 2);
    EXPECT_EQ(OrderGuide::AddLine(line, 0), 3);
    EXPECT_EQ(Int("select Updated from WorkOrder where AccountID = 8"), 1);
    EXPECT_EQ(items.highestLineNumber(7, 3), 4);
}

struct ResetCase {
    const char* name;
    zev::GuideResetSettings settings;
    int updated;
    const char* overrideAfter;
    int parAfter;
    int invAfter;
};

class GuideResetTest : public OrderGuideTest, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(GuideResetTest, ClearsByTheSettings)
{
    ASSERT_TRUE(
        db.Exec("update WorkOrderItems set PriceOverride = '-1.00', Par = 4, LineComment = 'x' where ItemID = 1"));
    zev::ReadyOrder ready;
    ASSERT_EQ(ready.resetGuide(7, GetParam().settings), 1);
    EXPECT_EQ(Int("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = 7"), 0);
    EXPECT_EQ(Text("select LineComment from WorkOrderItems where ItemID = 1"), "");
    EXPECT_EQ(Text("select PriceOverride from WorkOrderItems where ItemID = 1"), GetParam().overrideAfter);
    EXPECT_EQ(Int("select Par from WorkOrderItems where ItemID = 1"), GetParam().parAfter);
    EXPECT_EQ(Int("select Inv from WorkOrderItems where ItemID = 1"), GetParam().invAfter);
    EXPECT_EQ(Updated(), GetParam().updated);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GuideResetTest,
    ::testing::Values(ResetCase{"AllOff", {}, 0, "-1.00", 4, 9},
                      ResetCase{"OnlyClearPar", {false, false, false, false, false, true}, 1, "-1.00", 0, 9},
                      ResetCase{"FreeMarks", {true, false, false, false, false, false}, 1, "0", 4, 9},
                      ResetCase{"Inventory", {false, true, false, false, false, false}, 1, "-1.00", 4, 0},
                      ResetCase{"Overrides", {false, false, true, false, false, false}, 1, "0", 4, 9}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(OrderGuideTest, ApportionedTotal)
{
    ASSERT_TRUE(db.Exec("insert into ApportionedItems (ItemID, AccountID, ApportionedQuantity, Premise) values (1, 7, "
                        "4, 0)"));
    ASSERT_TRUE(db.Exec("insert into ApportionedItems (ItemID, AccountID, ApportionedQuantity, Premise) values (1, 8, "
                        "5, 1)"));
    zev::ApportionedItems a;
    EXPECT_EQ(a.apportionedTotal(1, 7, 8), 9);
    EXPECT_EQ(a.getAllocation(1, 8, 1), 1);
    EXPECT_EQ(a.getAllocation(1, 8, 0), 0);
}

} // namespace

namespace {

TEST_F(OrderGuideTest, BothInsertFormsWriteTheSameLine)
{
    AddGuide(9);
    zev::WorkOrderItems items;
    zev::WorkOrderLine line;
    line.accountId = 9;
    line.workOrderId = 3;
    line.itemId = 1;
    line.catalogId = 10;
    line.caseQty = 2;
    line.singleQty = 1;
    line.cDistPrice = 24;
    line.sDistPrice = 2.5;
    line.lineItemNumber = 1;
    line.specialFlag = "3";
    line.discountAmount = "1.20";
    line.priceOverride = "-1.00";
    line.par = 24;
    line.lineComment = " O'Neil's ";
    ASSERT_EQ(items.insertLine(line), 1);
    ASSERT_EQ(items.insertLineValues(9, 3, 1, 10, 2, 1, 24, 2.5, 0, 0, 2, "3", "1.20", "-1.00", 24, 0, 0, 0, 0,
                                     " O'Neil's ", 0),
              1);
    const std::string columns = "ItemID || catalogID || CaseQTY || SingleQTY || CDistPrice || SpecialFlag || "
                                "DiscountAmount || PriceOverride || Par || LineComment";
    EXPECT_EQ(Text("select " + columns + " from WorkOrderItems where AccountID = 9 and LineItemNumber = 1"),
              Text("select " + columns + " from WorkOrderItems where AccountID = 9 and LineItemNumber = 2"));
    EXPECT_EQ(Text("select LineComment from WorkOrderItems where AccountID = 9 and LineItemNumber = 2"), "O'Neil's");
    EXPECT_EQ(items.findItem(1, 9, 3), 1);
    EXPECT_EQ(items.findItem(2, 9, 3), 0);
}

} // namespace

namespace {

TEST_F(OrderGuideTest, EnabledWarehousesAndFiltersByName)
{
    ASSERT_TRUE(db.Exec("insert into Warehouse (WarehouseID, Description, EnableFlag) values (1, 'North', 1), "
                        "(2, 'Closed', 0), (3, 'Central', 1)"));
    ASSERT_TRUE(db.Exec("insert into Filters values (1, 'Wine'), (2, 'Beer')"));
    zev::Warehouse warehouses;
    ASSERT_EQ(warehouses.getEnabled(), 1);
    std::vector<int> ids;
    for (; !warehouses.IsEOF(); warehouses.MoveNext())
        ids.push_back(warehouses.GetFieldValueInt(0));
    EXPECT_EQ(ids, (std::vector<int>{3, 1}));
    EXPECT_EQ(warehouses.getByWarehouseID(2), 1);
    zev::Filters filters;
    ASSERT_EQ(filters.getAllByName(), 1);
    EXPECT_EQ(filters.GetFieldValueString(1), "Beer");
}

} // namespace
