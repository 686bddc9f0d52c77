#include "TestDatabase.h"

#include "tables/AR.h"
#include "tables/AccountAttributes.h"
#include "tables/AccountCalled.h"
#include "tables/AccountSalesData.h"
#include "tables/Accounts.h"
#include "tables/Answers.h"
#include "tables/ApportionedItems.h"
#include "tables/Callback.h"
#include "tables/Category.h"
#include "tables/DistributorRepNotes.h"
#include "tables/DoneSurveys.h"
#include "tables/FamilyPlan.h"
#include "tables/Filters.h"
#include "tables/FormQuestions.h"
#include "tables/Forms.h"
#include "tables/FormsFilled.h"
#include "tables/InvImport.h"
#include "tables/Issues.h"
#include "tables/ItemAttributes.h"
#include "tables/ItemHistory.h"
#include "tables/Items.h"
#include "tables/ManagerReps.h"
#include "tables/Messages.h"
#include "tables/NewAccounts.h"
#include "tables/OpenOrderItems.h"
#include "tables/OpenOrderLines.h"
#include "tables/OpenOrders.h"
#include "tables/OrderGuideLines.h"
#include "tables/OrderHistory.h"
#include "tables/OrderHistoryByItem.h"
#include "tables/OrderHistoryLines.h"
#include "tables/PricingTiers.h"
#include "tables/ProductNotes.h"
#include "tables/Program.h"
#include "tables/ProgramItems.h"
#include "tables/Promo.h"
#include "tables/Questions.h"
#include "tables/RIPItems.h"
#include "tables/ReadyOrder.h"
#include "tables/ReadyOrderItems.h"
#include "tables/ReadyOrderLines.h"
#include "tables/ShipMethods.h"
#include "tables/Surveys.h"
#include "tables/Warehouse.h"
#include "tables/WorkOrder.h"
#include "tables/WorkOrderItems.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using zev::test::TestDatabase;

class TableObjects : public ::testing::Test {
protected:
    TestDatabase db;
};

void AddItem(TestDatabase& db, int id, const std::string& sku, int category, int deleted)
{
    ASSERT_TRUE(db.Exec("insert into Items (ItemID, Description, CategoryID, DistributorSKU, QtyPerCase, UPC, "
                        "DeletedFlag) values (" +
                        std::to_string(id) + ", 'Item " + std::to_string(id) + "', " + std::to_string(category) +
                        ", '" + sku + "', 12, 'U" + std::to_string(id) + "', " + std::to_string(deleted) + ")"));
}

TEST_F(TableObjects, ItemsByIdSkipDeletedItemsUnlessAskedFor)
{
    AddItem(db, 1, "A1", 5, 0);
    AddItem(db, 2, "B2", 5, 1);
    zev::Items items;
    EXPECT_EQ(items.getByID(1), 1);
    EXPECT_EQ(items.getByID(2), 0);
    EXPECT_TRUE(items.IsOpen()) << "nothing found is not a failure";
    ASSERT_EQ(items.getByIDIncludingDeleted(2), 1);
    EXPECT_EQ(items.GetFieldValueInt(0), 2);
    EXPECT_EQ(items.getByDistributorSKU("B2"), 0);
    EXPECT_EQ(items.getByDistributorSKU("A1"), 1);
    EXPECT_EQ(items.getByUPC("U1"), 1);
    EXPECT_EQ(items.getByCategory(5), 1);
    EXPECT_EQ(items.getCount(), 1);
}

TEST_F(TableObjects, ItemsTopNLeavesOutDeletedItems)
{
    for (int i = 1; i <= 5; ++i)
        AddItem(db, i, "S" + std::to_string(i), 1, i == 2 ? 1 : 0);
    zev::Items items;
    ASSERT_EQ(items.getTop(3), 1);
    EXPECT_EQ(items.getCount(), 3);
    ASSERT_EQ(items.getTop(50), 1);
    EXPECT_EQ(items.getCount(), 4);
    ASSERT_EQ(items.getBarcodeList(), 1);
    EXPECT_EQ(items.GetFieldValueString(3), "U1");
}

TEST_F(TableObjects, TextArgumentsCannotBreakOutOfTheirQuotes)
{
    AddItem(db, 1, "A1", 1, 0);
    zev::Items items;
    EXPECT_EQ(items.getByDistributorSKU("x' or '1'='1"), 0);
    EXPECT_TRUE(items.IsOpen()) << items.getLastSQL();
    EXPECT_EQ(items.getByDistributorSKU("  A1  "), 1) << "values are trimmed";
}

TEST_F(TableObjects, PromoLinesLeaveOutTheHeader)
{
    ASSERT_TRUE(db.Exec("insert into Promo (PromoID, LineID) values (7, 0)"));
    ASSERT_TRUE(db.Exec("insert into Promo (PromoID, LineID) values (7, 2)"));
    ASSERT_TRUE(db.Exec("insert into Promo (PromoID, LineID) values (7, 1)"));
    ASSERT_TRUE(db.Exec("insert into Promo (PromoID, LineID) values (8, 0)"));
    zev::Promo promo;
    ASSERT_EQ(promo.getLines(7), 1);
    EXPECT_EQ(promo.getCount(), 2);
    ASSERT_TRUE(promo.getHeaders());
    EXPECT_EQ(promo.getCount(), 2);
}

TEST_F(TableObjects, OrdersOfOneDayIgnoreTheTimeOfDay)
{
    ASSERT_TRUE(
        db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate) values (1, 5, '2026-03-04 00:00:00')"));
    ASSERT_TRUE(
        db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate) values (2, 5, '2026-03-04 23:59:59')"));
    ASSERT_TRUE(
        db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate) values (3, 5, '2026-03-05 00:00:01')"));
    ASSERT_TRUE(
        db.Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate) values (4, 5, '2025-03-04 12:00:00')"));
    zev::OrderHistory history;
    ASSERT_EQ(history.getOfDay("03/04/2026"), 1) << history.getLastSQL();
    EXPECT_EQ(history.getCount(), 2);
    EXPECT_EQ(history.getSince("03/05/2026"), 1);
    EXPECT_EQ(history.getCount(), 1);
    ASSERT_EQ(history.getFirstOrderDate(5), 1);
    EXPECT_NE(history.GetFieldValueString(0).find("2025"), std::string::npos);
}

TEST_F(TableObjects, CategoryChildrenNeedChildrenOrItems)
{
    ASSERT_TRUE(db.Exec("insert into Category (CategoryID, Parent, HasChildren) values (1, 1, 1)"));
    ASSERT_TRUE(db.Exec("insert into Category (CategoryID, Parent, HasChildren) values (2, 1, 0)"));
    ASSERT_TRUE(db.Exec("insert into Category (CategoryID, Parent, HasChildren) values (3, 1, 0)"));
    ASSERT_TRUE(db.Exec("insert into Category (CategoryID, Parent, HasChildren) values (4, 1, 1)"));
    AddItem(db, 1, "A", 2, 0);
    zev::Category category;
    ASSERT_EQ(category.getChildren(1), 1) << category.getLastSQL();
    EXPECT_EQ(category.getCount(), 2); // 2 has an item, 4 has children; 3 has neither
    ASSERT_EQ(category.getTopLevel(), 1);
    EXPECT_EQ(category.getCount(), 1);
    EXPECT_EQ(category.getNonTopLevel(1), 0);
    ASSERT_EQ(category.getLeaves(), 1);
    EXPECT_EQ(category.getCount(), 2);
}

TEST_F(TableObjects, RipItemsOfAProgramComeWithTheirItems)
{
    AddItem(db, 1, "A", 1, 0);
    AddItem(db, 2, "B", 1, 0);
    ASSERT_TRUE(db.Exec("insert into RIPItems (RIPID, ItemID) values (9, 1)"));
    ASSERT_TRUE(db.Exec("insert into RIPItems (RIPID, ItemID) values (9, 2)"));
    ASSERT_TRUE(db.Exec("insert into RIPItems (RIPID, ItemID) values (10, 2)"));
    zev::RIPItems rip;
    ASSERT_EQ(rip.getItemsOfProgram(9), 1) << rip.getLastSQL();
    EXPECT_EQ(rip.getCount(), 2);
    EXPECT_EQ(rip.GetFieldValueString(3), "A");
    ASSERT_EQ(rip.getProgramsOfItem(2), 1);
    EXPECT_EQ(rip.getCount(), 2);
}

TEST_F(TableObjects, ItemHistoryListsGuideLinesWithoutHistoryToo)
{
    AddItem(db, 1, "A", 3, 0);
    AddItem(db, 2, "B", 4, 0);
    ASSERT_TRUE(db.Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, LineItemNumber, CDistPrice) "
                        "values (5, 3, 1, 1, 10.5)"));
    ASSERT_TRUE(db.Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, LineItemNumber, CDistPrice) "
                        "values (5, 3, 2, 2, 20)"));
    ASSERT_TRUE(db.Exec("insert into ItemHistory (AccountID, ItemID, YTDPurchaseQty, LastOrderDate) values (5, 1, "
                        "44, '2026-02-03')"));
    zev::ItemHistory history;
    ASSERT_EQ(history.getAll(5), 1) << history.getLastSQL();
    ASSERT_EQ(history.getCount(), 2);
    EXPECT_EQ(history.GetFieldValueString(4), "A");
    EXPECT_EQ(history.GetFieldValueInt(6), 44);
    EXPECT_EQ(history.GetFieldValueInt(9), 2026);
    history.MoveNext();
    EXPECT_EQ(history.GetFieldValueString(4), "B");
    EXPECT_EQ(history.GetFieldValueInt(6), 0);
    ASSERT_EQ(history.getInCategories(5, "4"), 1);
    EXPECT_EQ(history.getCount(), 1);
    ASSERT_EQ(history.getNotInCategories(5, "4, 7"), 1);
    EXPECT_EQ(history.getCount(), 1);
    EXPECT_EQ(history.getInCategories(5, "4) or (1=1"), 0);
}

// Every table object names tables, keys and join conditions the schema has:
// its select-all runs (an empty table gives 0 rows, not a failure).
struct Case {
    const char* name;
    std::function<std::unique_ptr<Query>()> make;
};

class EveryTableObject : public ::testing::TestWithParam<Case> {
protected:
    TestDatabase db;
};

TEST_P(EveryTableObject, SelectAllRunsOnTheSchema)
{
    auto q = GetParam().make();
    EXPECT_EQ(q->getAll(), 0);
    EXPECT_TRUE(q->IsOpen()) << q->getLastSQL();
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, EveryTableObject,
    ::testing::Values(Case{"AR", [] { return std::make_unique<zev::AR>(); }},
                      Case{"AccountAttributes", [] { return std::make_unique<zev::AccountAttributes>(); }},
                      Case{"AccountCalled", [] { return std::make_unique<zev::AccountCalled>(); }},
                      Case{"AccountSalesData", [] { return std::make_unique<zev::AccountSalesData>(); }},
                      Case{"Accounts", [] { return std::make_unique<zev::Accounts>(); }},
                      Case{"Answers", [] { return std::make_unique<zev::Answers>(); }},
                      Case{"ApportionedItems", [] { return std::make_unique<zev::ApportionedItems>(); }},
                      Case{"Callback", [] { return std::make_unique<zev::Callback>(); }},
                      Case{"Category", [] { return std::make_unique<zev::Category>(); }},
                      Case{"DistributorRepNotes", [] { return std::make_unique<zev::DistributorRepNotes>(); }},
                      Case{"DoneSurveys", [] { return std::make_unique<zev::DoneSurveys>(); }},
                      Case{"FamilyPlan", [] { return std::make_unique<zev::FamilyPlan>(); }},
                      Case{"Filters", [] { return std::make_unique<zev::Filters>(); }},
                      Case{"FormQuestions", [] { return std::make_unique<zev::FormQuestions>(); }},
                      Case{"Forms", [] { return std::make_unique<zev::Forms>(); }},
                      Case{"FormsFilled", [] { return std::make_unique<zev::FormsFilled>(); }},
                      Case{"InvImport", [] { return std::make_unique<zev::InvImport>(); }},
                      Case{"Issues", [] { return std::make_unique<zev::Issues>(); }},
                      Case{"ItemAttributes", [] { return std::make_unique<zev::ItemAttributes>(); }},
                      Case{"ItemHistory", [] { return std::make_unique<zev::ItemHistory>(); }},
                      Case{"Items", [] { return std::make_unique<zev::Items>(); }},
                      Case{"ManagerReps", [] { return std::make_unique<zev::ManagerReps>(); }},
                      Case{"Messages", [] { return std::make_unique<zev::Messages>(); }},
                      Case{"NewAccounts", [] { return std::make_unique<zev::NewAccounts>(); }},
                      Case{"OpenOrderItems", [] { return std::make_unique<zev::OpenOrderItems>(); }},
                      Case{"OpenOrderLines", [] { return std::make_unique<zev::OpenOrderLines>(); }},
                      Case{"OpenOrders", [] { return std::make_unique<zev::OpenOrders>(); }},
                      Case{"OrderGuideLines", [] { return std::make_unique<zev::OrderGuideLines>(); }},
                      Case{"OrderHistory", [] { return std::make_unique<zev::OrderHistory>(); }},
                      Case{"OrderHistoryByItem", [] { return std::make_unique<zev::OrderHistoryByItem>(); }},
                      Case{"OrderHistoryLines", [] { return std::make_unique<zev::OrderHistoryLines>(); }},
                      Case{"PricingTiers", [] { return std::make_unique<zev::PricingTiers>(); }},
                      Case{"ProductNotes", [] { return std::make_unique<zev::ProductNotes>(); }},
                      Case{"Program", [] { return std::make_unique<zev::Program>(); }},
                      Case{"ProgramItems", [] { return std::make_unique<zev::ProgramItems>(); }},
                      Case{"Promo", [] { return std::make_unique<zev::Promo>(); }},
                      Case{"Questions", [] { return std::make_unique<zev::Questions>(); }},
                      Case{"RIPItems", [] { return std::make_unique<zev::RIPItems>(); }},
                      Case{"ReadyOrder", [] { return std::make_unique<zev::ReadyOrder>(); }},
                      Case{"ReadyOrderItems", [] { return std::make_unique<zev::ReadyOrderItems>(); }},
                      Case{"ReadyOrderLines", [] { return std::make_unique<zev::ReadyOrderLines>(); }},
                      Case{"ShipMethods", [] { return std::make_unique<zev::ShipMethods>(); }},
                      Case{"Surveys", [] { return std::make_unique<zev::Surveys>(); }},
                      Case{"Warehouse", [] { return std::make_unique<zev::Warehouse>(); }},
                      Case{"WorkOrder", [] { return std::make_unique<zev::WorkOrder>(); }},
                      Case{"WorkOrderItems", [] { return std::make_unique<zev::WorkOrderItems>(); }}),
    [](const ::testing::TestParamInfo<Case>& p) { return std::string(p.param.name); });

} // namespace
