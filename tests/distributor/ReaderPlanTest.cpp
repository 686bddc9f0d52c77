// The query plans of the statements behind the screens that list many rows
// (product search, account list, order guide, order history), on a database
// built from the schema file. Without collected statistics SQLite plans from
// the schema alone, so these plans are the ones the large data sets get.
// Each statement comes from the code that runs it; a row of the table names
// the plan steps that must not appear (a full scan of a large table where an
// index serves, a sort the index order makes needless).
#include "orders/PastOrders.h"
#include "orders/RecentOrders.h"
#include "products/ProductSearch.h"
#include "tables/Accounts.h"
#include "tables/Category.h"
#include "tables/DayString.h"
#include "tables/ItemHistory.h"
#include "tables/Items.h"
#include "tables/OpenOrders.h"
#include "tables/OrderGuideLines.h"
#include "tables/OrderHistory.h"
#include "tables/OrderHistoryByItem.h"
#include "tables/OrderHistoryLines.h"
#include "tabula/CVOConnection.h"
#include "tabula/ConnectionImpl.h"
#include "tabula/SqlDialect.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using zev::ProductSearch;
using zev::ProductSearchCriteria;

constexpr int kAccount = 5050;
constexpr int kGuide = 5050;
constexpr int kItem = 1000;
constexpr int kCatalog = 10;

// Runs a table object's reader and hands back the statement it ran (on the
// empty tables a reader may report that it found nothing).
template <typename Table> std::string Ran(Table& table, int /*result*/) { return table.getLastSQL(); }

std::string Search(ProductSearchCriteria c, std::optional<int> catalog, int sortSwitch)
{
    return ProductSearch::BuildStatement(c, catalog, sortSwitch);
}

ProductSearchCriteria Simple(const std::string& keywords, bool byName)
{
    ProductSearchCriteria c;
    c.keywords = keywords;
    c.byName = byName;
    return c;
}

ProductSearchCriteria Advanced(const std::string& keywords, bool ranged)
{
    ProductSearchCriteria c;
    c.keywords = keywords;
    c.advanced = true;
    if (ranged) {
        c.casePriceLow = 50;
        c.casePriceHigh = 300;
    } else {
        c.divisionId = 1;
    }
    return c;
}

struct PlanCase {
    const char* name;
    std::function<std::string()> statement;
    std::vector<std::string> forbidden; // a bare "SCAN T" is written "SCAN T\n"
};

std::vector<PlanCase> Cases()
{
    using zev::RecentOrders;
    const std::time_t now = 1796000000; // a day in December 2026
    return {
        // Product window.
        {"search by number", [] { return Search(Simple("12345", false), kCatalog, 0); }, {"SCAN Items"}},
        {"search by number start",
         [] { return Search(Simple("12*", false), kCatalog, 4); },
         {"SCAN Items", "TEMP B-TREE"}},
        {"search by name start",
         [] { return Search(Simple("CHARD*", true), kCatalog, 0); },
         {"SCAN Items", "TEMP B-TREE"}},
        // A word inside the name reads every item, in name order.
        {"search by word in name",
         [] { return Search(Simple("CHARD", true), kCatalog, 0); },
         {"SCAN Items\n", "TEMP B-TREE"}},
        {"advanced search with prices",
         [] { return Search(Advanced("RED", true), kCatalog, 0); },
         {"SCAN Items", "SCAN PricingScheme", "SCAN Category"}},
        {"advanced search by division",
         [] { return Search(Advanced("RED", false), std::nullopt, 0); },
         {"SCAN Items\n", "SCAN PricingScheme", "SCAN Category", "TEMP B-TREE"}},
        {"category listing",
         [] {
             zev::Items items;
             return Ran(items, items.getByCategory(12));
         },
         {"SCAN Items", "TEMP B-TREE"}},
        {"category children",
         [] {
             zev::Category category;
             return Ran(category, category.getChildren(3));
         },
         {"SCAN Items"}},
        // Account list: the accounts themselves are all read (a pattern on
        // the appointment days), the call data once for the whole list.
        {"accounts of a day with callbacks",
         [] {
             zev::Accounts accounts;
             return Ran(accounts, accounts.getCallPlanOfDay(zev::DayString::SingleDay(2), 2));
         },
         {"CORRELATED"}},
        {"call states of a day",
         [] { return std::string("select * from AccountCalled where Day = 2"); },
         {"SCAN AccountCalled"}},
        {"backorders of the selected account",
         [] {
             zev::OpenOrders orders;
             (void)orders.hasBackorders(kAccount);
             return orders.getLastSQL();
         },
         {"SCAN OpenOrders"}},
        // Order guide.
        {"guide in line order",
         [] {
             zev::OrderGuideLines lines;
             return Ran(lines, lines.getGuideInLineOrder(kAccount, kGuide));
         },
         {"SCAN W", "SCAN I", "TEMP B-TREE"}},
        {"guide by description",
         [] {
             zev::OrderGuideLines lines;
             return Ran(lines, lines.getGuideSorted(kAccount, kGuide, 1));
         },
         {"SCAN W", "SCAN I"}},
        {"family-plan guide",
         [] {
             zev::OrderGuideLines lines;
             return Ran(lines, lines.getFamilyPlanGuide(kAccount, kGuide, kCatalog, 0));
         },
         {"SCAN W", "SCAN I", "SCAN F"}},
        {"guide with history",
         [] {
             zev::ItemHistory history;
             return Ran(history, history.getAll(kAccount));
         },
         {"SCAN WorkOrderItems", "SCAN Items", "SCAN ItemHistory"}},
        // Order history.
        {"account's past orders",
         [now] { return zev::PastOrders::Statement(kAccount, {}, now); },
         {"SCAN H", "TEMP B-TREE"}},
        {"account's past orders of 30 days",
         [now] {
             return zev::PastOrders::Statement(kAccount, {30, ""}, now);
         },
         {"SCAN H", "TEMP B-TREE"}},
        {"past orders holding an item",
         [now] {
             return zev::PastOrders::Statement(kAccount, {0, "CHARD"}, now);
         },
         {"SCAN H", "SCAN I", "TEMP B-TREE"}},
        {"sent orders of the month",
         [now] { return RecentOrders::SentStatement(RecentOrders::RangeOf(RecentOrders::Period::ThisMonth, now)); },
         {"SCAN H", "SCAN A", "TEMP B-TREE"}},
        {"orders of an account",
         [] {
             zev::OrderHistory history;
             return Ran(history, history.getByAccount(kAccount, true));
         },
         {"SCAN OrderHistory"}},
        {"lines of an order",
         [] {
             zev::OrderHistoryLines lines;
             return Ran(lines, lines.getLinesOfOrder(7));
         },
         {"SCAN O", "SCAN I"}},
        {"item's monthly totals for an account",
         [] {
             zev::OrderHistoryByItem history;
             return Ran(history, history.getMonthlyTotalsOfAccount(kAccount, kItem));
         },
         {"SCAN O", "SCAN I"}},
        {"item's invoice lines",
         [] {
             zev::OrderHistoryByItem history;
             return Ran(history, history.getInvoiceLines(kItem));
         },
         {"SCAN O", "SCAN I"}},
        {"quick history of a guide line",
         [] {
             return std::string("select top 6 H.TransDate, L.CQty, L.SQty, L.CPrice, L.SPrice from OrderHistory H, "
                                "OrderHistoryItems L where H.OrderNumber = L.OrderNumber and H.AccountID=5050 and "
                                "L.ItemID=1000 order by H.TransDate desc");
         },
         {"SCAN H", "SCAN L"}},
    };
}

class ReaderPlanTest : public ::testing::Test {
protected:
    static inline zev::test::TestDatabase* db = nullptr;
    static inline CVOConnection* connection = nullptr;

    static void SetUpTestSuite()
    {
        db = new zev::test::TestDatabase();
        connection = new CVOConnection("Data Source=" + db->Path().string());
    }
    static void TearDownTestSuite()
    {
        delete connection;
        delete db;
    }

    // The plan of a statement of the program's dialect, one step a line,
    // translated as the connection translates it.
    static std::string Plan(const std::string& sql)
    {
        const auto translation = tabula::SqlDialect(&connection->Impl()).Translate(sql);
        EXPECT_TRUE(translation.ok) << sql << ": " << translation.error;
        if (!translation.ok || translation.statements.size() != 1)
            return {};
        sqlite3* handle = connection->GetHandle();
        sqlite3_stmt* stmt = nullptr;
        const std::string explain = "EXPLAIN QUERY PLAN " + translation.statements.front();
        EXPECT_EQ(sqlite3_prepare_v2(handle, explain.c_str(), -1, &stmt, nullptr), SQLITE_OK)
            << sqlite3_errmsg(handle) << "\n"
            << explain;
        std::string plan;
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
            plan += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)) + std::string("\n");
        sqlite3_finalize(stmt);
        return plan;
    }
};

TEST_F(ReaderPlanTest, ListingStatementsUseTheirIndexes)
{
    for (const PlanCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const std::string sql = c.statement();
        const std::string plan = Plan(sql);
        ASSERT_FALSE(plan.empty()) << sql;
        for (const std::string& step : c.forbidden)
            EXPECT_EQ(plan.find(step), std::string::npos) << "plan has \"" << step << "\":\n" << plan << sql;
    }
}

// The check itself: a column without an index is read by a bare scan, and
// a sort on it by a temporary tree, written as the table expects them.
TEST_F(ReaderPlanTest, ScansAndSortsAreSeen)
{
    const std::string plan = Plan("select * from Items where Brand = 'x' order by Producer");
    EXPECT_NE(plan.find("SCAN Items\n"), std::string::npos) << plan;
    EXPECT_NE(plan.find("TEMP B-TREE"), std::string::npos) << plan;
    const std::string aliased = Plan("select * from OrderHistory H where H.PONumber = 'x'");
    EXPECT_NE(aliased.find("SCAN H\n"), std::string::npos) << aliased;
}

} // namespace
