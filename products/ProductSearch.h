#pragma once

#include <optional>
#include <string>

namespace zev {

class Items;

// What the search page holds when the representative presses Search.
struct ProductSearchCriteria {
    std::string keywords;
    bool byName = false;
    bool advanced = false;
    double casePriceHigh = 0;
    double casePriceLow = 0;
    double singlePriceHigh = 0;
    double singlePriceLow = 0;
    int ratingHigh = 0;
    int ratingLow = 0;
    // The item data of the chosen division; none while "None" is chosen.
    std::optional<int> divisionId;
};

// The search statement over Items and its running. Every text the user typed
// reaches the statement only between single quotes, with apostrophes and
// double quotes made into doubled apostrophes.
class ProductSearch {
public:
    // The sort column of the result chosen by the distributor's setting.
    static const char* SortColumn(int sortSwitch);

    // The keyword text ready for the statement: trimmed, every ' and every "
    // become ''.
    static std::string CleanKeywords(const std::string& keywords);

    // False when there is nothing to search for (empty keywords).
    static bool IsValid(const ProductSearchCriteria& criteria);

    // The whole statement. `catalog` is the current account's order catalogue,
    // none when no account is current.
    static std::string BuildStatement(const ProductSearchCriteria& criteria, std::optional<int> catalog,
                                      int sortSwitch);

    // Runs the statement on `items`; true when it ran and found at least one row.
    static bool Run(Items& items, const std::string& statement);
};

} // namespace zev
