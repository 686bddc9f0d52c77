// The product search statement: its clauses, the quoting of what the user
// typed, and what it finds in a database built from the schema.
#include "products/ProductSearch.h"
#include "products/ProductWindowPages.h"
#include "tables/Items.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using zev::ProductSearch;
using zev::ProductSearchCriteria;

ProductSearchCriteria Simple(const std::string& keywords, bool byName)
{
    ProductSearchCriteria c;
    c.keywords = keywords;
    c.byName = byName;
    return c;
}

ProductSearchCriteria Advanced(const std::string& keywords)
{
    ProductSearchCriteria c;
    c.keywords = keywords;
    c.advanced = true;
    return c;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct SimpleCase {
    const char* keywords;
    bool byName;
    const char* clause;
};

class SimpleSearchClause : public ::testing::TestWithParam<SimpleCase> {};

TEST_P(SimpleSearchClause, AsksForTheRightPattern)
{
    const SimpleCase& c = GetParam();
    const std::string sql = ProductSearch::BuildStatement(Simple(c.keywords, c.byName), std::nullopt, 0);
    EXPECT_EQ(sql, std::string("select * from Items where Items.DeletedFlag=0 and ") + c.clause +
                       " order by Items.Description");
}

INSTANTIATE_TEST_SUITE_P(NumbersNamesAndQuotes, SimpleSearchClause,
                         ::testing::Values(SimpleCase{"12345", false, "Items.DistributorSKU = '12345'"},
                                           SimpleCase{"123*", false, "Items.DistributorSKU like '123%'"},
                                           SimpleCase{"CHARD", true, "Items.Description like '%CHARD%'"},
                                           SimpleCase{"CHARD*2004", true, "Items.Description like 'CHARD%2004'"},
                                           SimpleCase{"  CHARD \t", true, "Items.Description like '%CHARD%'"},
                                           SimpleCase{"O'Brien", true, "Items.Description like '%O''Brien%'"},
                                           SimpleCase{"12\" pour", true, "Items.Description like '%12'' pour%'"},
                                           // A quote cannot close the literal early, whatever follows it.
                                           SimpleCase{"x' or 1=1 --", false,
                                                      "Items.DistributorSKU = 'x'' or 1=1 --'"}));

TEST(ProductSearchStatement, EmptyKeywordsAreNotSearched)
{
    EXPECT_FALSE(ProductSearch::IsValid(Simple("", true)));
    EXPECT_TRUE(ProductSearch::IsValid(Simple("a", true)));
}

TEST(ProductSearchStatement, AdvancedWithoutRangesAddsNoRangeNorCatalogueClause)
{
    const std::string sql = ProductSearch::BuildStatement(Advanced("merlot"), 10, 0);
    EXPECT_TRUE(Contains(sql, "(Category.Description like '%merlot%'))"));
    EXPECT_FALSE(Contains(sql, "CPrice0"));
    EXPECT_FALSE(Contains(sql, "SPrice0"));
    EXPECT_FALSE(Contains(sql, "Items.Rating"));
    EXPECT_FALSE(Contains(sql, "PricingScheme.CatalogID"));
    EXPECT_FALSE(Contains(sql, "Items.DivisionID"));
    // The account's catalogue still limits the items.
    EXPECT_TRUE(Contains(sql, " and Items.ValidCatalogs like '%10%' order by Items.Description"));
}

TEST(ProductSearchStatement, AdvancedRangesEachAddTheirClauseAndTheCatalogue)
{
    ProductSearchCriteria c = Advanced("red");
    c.casePriceHigh = 120;
    c.casePriceLow = 60.5;
    c.singlePriceHigh = 12.345;
    c.singlePriceLow = 1;
    c.ratingHigh = 95;
    c.ratingLow = 88;
    c.divisionId = 3;
    const std::string sql = ProductSearch::BuildStatement(c, 10, 0);
    EXPECT_TRUE(Contains(sql, "'%red%')) and PricingScheme.CPrice0 <= 120.00 and PricingScheme.CPrice0 >= 60.50 and "
                              "PricingScheme.SPrice0 <= 12.35 and PricingScheme.SPrice0 >=  1.00 and Items.Rating <= "
                              "95 and Items.Rating >= 88 and PricingScheme.CatalogID = 10 and Items.DivisionID = 3 and "
                              "Items.ValidCatalogs like '%10%'"))
        << sql;
}

TEST(ProductSearchStatement, OneRangeOrRatingLowBringsTheCatalogueOnlyWithAnAccount)
{
    ProductSearchCriteria c = Advanced("red");
    c.ratingLow = 1;
    EXPECT_TRUE(Contains(ProductSearch::BuildStatement(c, 7, 0), "PricingScheme.CatalogID = 7"));
    EXPECT_FALSE(Contains(ProductSearch::BuildStatement(c, std::nullopt, 0), "CatalogID"));
    EXPECT_FALSE(Contains(ProductSearch::BuildStatement(c, std::nullopt, 0), "ValidCatalogs"));
    // Negative entries count as empty.
    ProductSearchCriteria n = Advanced("red");
    n.casePriceHigh = -5;
    n.ratingHigh = -1;
    EXPECT_FALSE(Contains(ProductSearch::BuildStatement(n, 7, 0), "CatalogID"));
}

TEST(ProductSearchStatement, SortColumnFollowsTheSetting)
{
    const std::pair<int, const char*> cases[] = {
        {4, "DistributorSKU"}, {5, "UPC"}, {6, "CatalogPage"}, {0, "Description"}, {7, "Description"}};
    for (const auto& [value, column] : cases) {
        const std::string sql = ProductSearch::BuildStatement(Simple("1", false), std::nullopt, value);
        EXPECT_TRUE(sql.ends_with(std::string(" order by Items.") + column)) << value;
    }
}

TEST(ProductWindowPages, PagesAndStartPages)
{
    using Page = zev::ProductWindowPages::Page;
    using zev::ProductWindowPages;
    EXPECT_EQ(ProductWindowPages::Pages(1, 1), (std::vector{Page::Search, Page::Categories, Page::ProductList}));
    EXPECT_EQ(ProductWindowPages::BrowseStart(1), 1);
    // Without the search page Browse starts on the category page, the first one.
    EXPECT_EQ(ProductWindowPages::Pages(0, 1), (std::vector{Page::Categories, Page::ProductList}));
    EXPECT_EQ(ProductWindowPages::BrowseStart(0), 0);
    EXPECT_EQ(ProductWindowPages::Pages(0, 0), (std::vector{Page::ProductList}));
    EXPECT_EQ(ProductWindowPages::SearchStart(), 0);
}

class ProductSearchRun : public ::testing::Test {
protected:
    ProductSearchRun()
    {
        Category(1, "WINE");
        Category(2, "BEER");
        Item(1, "CHARDONNAY RESERVE 2004", "12345", 1, 1, "750ML", "0001", ",10,", 92, 0);
        Item(2, "CHARDONNAY 2006", "12399", 1, 1, "750ML", "0002", ",11,", 85, 0);
        Item(3, "O'BRIEN STOUT", "55501", 2, 2, "12OZ", "0003", ",10,11,", 0, 0);
        Item(4, "CHARDONNAY OLD 2004", "12377", 1, 1, "750ML", "0004", ",10,", 90, 1); // deleted
        Price(1, 10, 120.0, 10.0);
        Price(2, 10, 80.0, 7.0);
        Price(3, 10, 30.0, 1.5);
        Price(1, 11, 130.0, 11.0);
    }
    void Category(int id, const std::string& name)
    {
        EXPECT_TRUE(db.Exec("insert into Category (CategoryID, Description, Parent, HasChildren) values (" +
                            std::to_string(id) + ", '" + name + "', " + std::to_string(id) + ", 0)"));
    }
    void Item(int id, const std::string& description, const std::string& sku, int category, int division,
              const std::string& volume, const std::string& upc, const std::string& catalogs, int rating, int deleted)
    {
        EXPECT_TRUE(db.Exec("insert into Items (ItemID, Description, DistributorSKU, CategoryID, DivisionID, "
                            "ItemVolume, UPC, ValidCatalogs, Rating, DeletedFlag) values (" +
                            std::to_string(id) + ", '" + ::Query::fixApost(description) + "', '" + sku + "', " +
                            std::to_string(category) + ", " + std::to_string(division) + ", '" + volume + "', '" + upc +
                            "', '" + catalogs + "', " + std::to_string(rating) + ", " + std::to_string(deleted) + ")"));
    }
    void Price(int item, int catalog, double casePrice, double single)
    {
        EXPECT_TRUE(db.Exec("insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0) values (" +
                            std::to_string(item) + ", " + std::to_string(catalog) + ", " + std::to_string(casePrice) +
                            ", " + std::to_string(single) + ")"));
    }
    std::multiset<int> Found(const ProductSearchCriteria& c, std::optional<int> catalog)
    {
        zev::Items items;
        std::multiset<int> ids;
        if (!ProductSearch::Run(items, ProductSearch::BuildStatement(c, catalog, 0)))
            return ids;
        for (; !items.IsEOF(); items.MoveNext())
            ids.insert(items.GetFieldValueInt(0));
        return ids;
    }

    zev::test::TestDatabase db;
};

TEST_F(ProductSearchRun, SimpleSearchesFindTheLiveItems)
{
    EXPECT_EQ(Found(Simple("12345", false), std::nullopt), (std::multiset{1}));
    EXPECT_EQ(Found(Simple("123*", false), std::nullopt), (std::multiset{1, 2}));
    EXPECT_EQ(Found(Simple("chard", true), std::nullopt), (std::multiset{1, 2}));
    EXPECT_EQ(Found(Simple("CHARD*2004", true), std::nullopt), (std::multiset{1}));
    EXPECT_EQ(Found(Simple("O'Brien", true), std::nullopt), (std::multiset{3}));
    EXPECT_TRUE(Found(Simple("x' or '1'='1", true), std::nullopt).empty());
    EXPECT_TRUE(Found(Simple("99999", false), std::nullopt).empty());
}

TEST_F(ProductSearchRun, TheAccountsCatalogueLimitsEverySearch)
{
    EXPECT_EQ(Found(Simple("chard", true), 10), (std::multiset{1}));
    EXPECT_EQ(Found(Simple("chard", true), 11), (std::multiset{2}));
    // Without a price range an item appears once per catalogue it is priced in.
    EXPECT_EQ(Found(Advanced("chard"), 10), (std::multiset{1, 1}));
}

TEST_F(ProductSearchRun, AdvancedSearchMatchesAnyFieldAndRespectsRanges)
{
    // The category's name, the size, the number's start and the bar code all match.
    EXPECT_EQ(Found(Advanced("beer"), std::nullopt), (std::multiset{3}));
    EXPECT_EQ(Found(Advanced("12OZ"), std::nullopt), (std::multiset{3}));
    EXPECT_EQ(Found(Advanced("555"), std::nullopt), (std::multiset{3}));
    EXPECT_EQ(Found(Advanced("0002"), std::nullopt), (std::multiset{2}));

    ProductSearchCriteria c = Advanced("chard");
    c.casePriceHigh = 125;
    EXPECT_EQ(Found(c, 10), (std::multiset{1}));
    c.casePriceHigh = 0;
    c.ratingLow = 91;
    EXPECT_EQ(Found(c, std::nullopt), (std::multiset{1, 1}));
    c.ratingLow = 0;
    c.singlePriceLow = 10.5;
    EXPECT_EQ(Found(c, std::nullopt), (std::multiset{1}));
    ProductSearchCriteria d = Advanced("o'brien");
    d.divisionId = 1;
    EXPECT_TRUE(Found(d, std::nullopt).empty());
    d.divisionId = 2;
    EXPECT_EQ(Found(d, std::nullopt), (std::multiset{3}));
}

} // namespace
