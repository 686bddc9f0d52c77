#include "products/ProductSearch.h"

#include "tables/Items.h"
#include "tables/SqlText.h"

namespace zev {

const char* ProductSearch::SortColumn(int sortSwitch)
{
    switch (sortSwitch) {
    case 4:
        return "DistributorSKU";
    case 5:
        return "UPC";
    case 6:
        return "CatalogPage";
    default:
        return "Description";
    }
}

std::string ProductSearch::CleanKeywords(const std::string& keywords)
{
    std::string out;
    for (char c : SqlText::Trim(keywords)) {
        if (c == '\'' || c == '"')
            out += "''";
        else
            out += c;
    }
    return out;
}

bool ProductSearch::IsValid(const ProductSearchCriteria& criteria) { return !criteria.keywords.empty(); }

namespace {

std::string StarsToPercent(std::string text)
{
    for (char& c : text)
        if (c == '*')
            c = '%';
    return text;
}

} // namespace

std::string ProductSearch::BuildStatement(const ProductSearchCriteria& c, std::optional<int> catalog, int sortSwitch)
{
    const std::string k = CleanKeywords(c.keywords);
    std::string sql = "select * ";
    if (c.advanced) {
        sql += "from Items, PricingScheme, Category where PricingScheme.ItemID = Items.ItemID and Items.CategoryID = "
               "Category.CategoryID and Items.DeletedFlag=0 and ";
        sql += "((Items.Description like '%" + k + "%') or ";
        sql += "(Items.DistributorSKU like '" + k + "%') or ";
        sql += "(Items.UPC like '%" + k + "%') or ";
        sql += "(Items.ItemVolume like '%" + k + "%') or ";
        sql += "(Category.Description like '%" + k + "%'))";
        bool ranged = false;
        if (c.casePriceHigh > 0) {
            sql += SqlText::Format(" and PricingScheme.CPrice0 <= %5.2f", c.casePriceHigh);
            ranged = true;
        }
        if (c.casePriceLow > 0) {
            sql += SqlText::Format(" and PricingScheme.CPrice0 >= %5.2f", c.casePriceLow);
            ranged = true;
        }
        if (c.singlePriceHigh > 0) {
            sql += SqlText::Format(" and PricingScheme.SPrice0 <= %5.2f", c.singlePriceHigh);
            ranged = true;
        }
        if (c.singlePriceLow > 0) {
            sql += SqlText::Format(" and PricingScheme.SPrice0 >= %5.2f", c.singlePriceLow);
            ranged = true;
        }
        if (c.ratingHigh > 0) {
            sql += SqlText::Format(" and Items.Rating <= %d", c.ratingHigh);
            ranged = true;
        }
        if (c.ratingLow >= 1) {
            sql += SqlText::Format(" and Items.Rating >= %d", c.ratingLow);
            ranged = true;
        }
        if (ranged && catalog)
            sql += SqlText::Format(" and PricingScheme.CatalogID = %d", *catalog);
        if (c.divisionId)
            sql += SqlText::Format(" and Items.DivisionID = %d", *c.divisionId);
    } else {
        sql += "from Items where Items.DeletedFlag=0 and ";
        const bool pattern = k.find('*') != std::string::npos;
        if (c.byName)
            sql +=
                pattern ? "Items.Description like '" + StarsToPercent(k) + "'" : "Items.Description like '%" + k + "%'";
        else
            sql += pattern ? "Items.DistributorSKU like '" + StarsToPercent(k) + "'"
                           : "Items.DistributorSKU = '" + k + "'";
    }
    if (catalog)
        sql += SqlText::Format(" and Items.ValidCatalogs like '%%%d%%'", *catalog);
    sql += " order by Items.";
    sql += SortColumn(sortSwitch);
    return sql;
}

bool ProductSearch::Run(Items& items, const std::string& statement)
{
    return items.Open(statement) == 1 && items.getRSRecordCount() > 0;
}

} // namespace zev
