#pragma once

#include "orders/PriceBinding.h"

#include <string>
#include <vector>

namespace zev {

// The deal codes offered for a guide line: each existing tier from
// DealCodeMin to DealCodeMax with a case price above 0.
class TierList {
public:
    struct Entry {
        std::string text; // "Default - $%.2f - %s" for the account's own tier, else "$%.2f - %s"
        int tier = 0;
    };

    static std::vector<Entry> Build(const PriceBinding::PriceFn& price, int itemId, int catalogId, int accountTier,
                                    int dealCodeMin, int dealCodeMax, int poolKey = 0);
    // What the deal-code cell shows: the tier number, or "Default" for none.
    static std::string CellText(unsigned specialFlag);
};

} // namespace zev
