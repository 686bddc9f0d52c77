// The statements of the product window on the large demo data set (30,000
// items): each one runs, and its query plan uses an index wherever one can
// serve. Only a keyword inside a text (a leading wildcard, or the advanced
// search's "or" over five texts) has to read every item.
#include "products/ProductSearch.h"
#include "tables/Category.h"
#include "tables/Items.h"
#include "tabula/QueryPool.h"
#include "tabula/SqlDialect.h"

#include "tests/orders/DemoData.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <regex>

namespace {

using zev::ProductSearch;
using zev::ProductSearchCriteria;

class ProductSearchPlanTest : public ::testing::Test {
protected:
    static inline zev::test::DemoData* data = nullptr;
    static inline sqlite3* db = nullptr;

    static void SetUpTestSuite()
    {
        data = new zev::test::DemoData("plans", true);
        QueryPool::GetInstance("Data Source=" + data->Database(), 0);
        sqlite3_open_v2(data->Database().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    }
    static void TearDownTestSuite()
    {
        sqlite3_close(db);
        QueryPool::DestroyAll();
        delete data;
    }

    // The plan of a statement written in the server dialect, one step a line.
    static std::string Plan(const std::string& sql)
    {
        const auto translation = tabula::SqlDialect().Translate(sql);
        EXPECT_TRUE(translation.ok) << translation.error;
        if (!translation.ok || translation.statements.empty())
            return {};
        sqlite3_stmt* stmt = nullptr;
        const std::string explain = "EXPLAIN QUERY PLAN " + translation.statements.front();
        EXPECT_EQ(sqlite3_prepare_v2(db, explain.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        std::string plan;
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
            plan += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)) + std::string("\n");
        sqlite3_finalize(stmt);
        return plan;
    }
    static bool Scans(const std::string& plan, const std::string& table)
    {
        return std::regex_search(plan, std::regex("SCAN (TABLE )?" + table + "( |\n)"));
    }
    static bool Uses(const std::string& plan, const std::string& table, const std::string& index)
    {
        // Index names may come qualified by their table.
        const std::regex used("SEARCH (TABLE )?" + table + " USING (COVERING )?INDEX (\\w+\\.)?" + index + " ");
        return std::regex_search(plan, used);
    }
    static std::string Sample(const char* column)
    {
        zev::Items items;
        EXPECT_EQ(items.Open(std::string("select top 1 ") + column +
                             " from Items where DeletedFlag = 0 and ItemID >= 1000 order by ItemID"),
                  1);
        return items.IsEOF() ? std::string() : items.GetFieldValueString(0);
    }
    // Runs the statement through the table object: it must work, not just plan.
    static std::string Ran(const std::string& sql)
    {
        zev::Items items;
        EXPECT_TRUE(ProductSearch::Run(items, sql)) << sql;
        return sql;
    }
};

TEST_F(ProductSearchPlanTest, NumbersAndNameStartsUseTheirIndexes)
{
    const std::string sku = Sample("DistributorSKU");
    const std::string name = Sample("Description");
    ASSERT_FALSE(sku.empty());
    ProductSearchCriteria c;
    c.keywords = sku;
    std::string plan = Plan(Ran(ProductSearch::BuildStatement(c, 10, 0)));
    EXPECT_TRUE(Uses(plan, "Items", "IX_Items_DistributorSKU")) << plan;

    c.keywords = sku.substr(0, 3) + "*";
    plan = Plan(Ran(ProductSearch::BuildStatement(c, 10, 4)));
    EXPECT_TRUE(Uses(plan, "Items", "IX_Items_DistributorSKU")) << plan;
    EXPECT_FALSE(Scans(plan, "Items")) << plan;

    c.byName = true;
    c.keywords = name.substr(0, 4) + "*";
    plan = Plan(Ran(ProductSearch::BuildStatement(c, 10, 0)));
    EXPECT_TRUE(Uses(plan, "Items", "IX_Items_Description")) << plan;
    EXPECT_FALSE(Scans(plan, "Items")) << plan;
}

TEST_F(ProductSearchPlanTest, KeywordsInsideTextsReadTheItemsOnceAndJoinByKey)
{
    ProductSearchCriteria c;
    c.byName = true;
    c.keywords = "CHARD";
    std::string plan = Plan(Ran(ProductSearch::BuildStatement(c, 10, 0)));
    // The whole list is read in name order, so the result needs no sorting.
    EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << plan;

    c.advanced = true;
    c.casePriceHigh = 400;
    c.casePriceLow = 1;
    c.ratingLow = 1;
    plan = Plan(Ran(ProductSearch::BuildStatement(c, 10, 0)));
    EXPECT_FALSE(Scans(plan, "PricingScheme")) << plan;
    EXPECT_FALSE(Scans(plan, "Category")) << plan;

    c.casePriceHigh = c.casePriceLow = 0;
    c.ratingLow = 0;
    c.divisionId = 1;
    plan = Plan(Ran(ProductSearch::BuildStatement(c, std::nullopt, 0)));
    EXPECT_FALSE(Scans(plan, "PricingScheme")) << plan;
    EXPECT_FALSE(Scans(plan, "Category")) << plan;
}

TEST_F(ProductSearchPlanTest, CategoryTreeAndListingUseTheirIndexes)
{
    zev::Category top;
    ASSERT_EQ(top.getTopLevel(), 1);
    ASSERT_FALSE(top.IsEOF());
    const int parent = top.GetFieldValueInt(0);
    zev::Category children;
    ASSERT_EQ(children.getChildren(parent), 1);
    std::string plan = Plan(children.getLastSQL());
    EXPECT_TRUE(Uses(plan, "Category", "IX_Category_Parent")) << plan;
    EXPECT_TRUE(Uses(plan, "Items", "IX_Items_CategoryID")) << plan;

    zev::Items items;
    ASSERT_EQ(items.Open("select top 1 CategoryID from Items where DeletedFlag = 0"), 1);
    ASSERT_EQ(items.getByCategory(items.GetFieldValueInt(0)), 1);
    plan = Plan(items.getLastSQL());
    EXPECT_TRUE(Uses(plan, "Items", "IX_Items_CategoryID")) << plan;
    EXPECT_FALSE(Scans(plan, "Items")) << plan;
}

} // namespace
