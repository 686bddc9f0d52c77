#include "orders/TierList.h"

#include "orders/Amount.h"
#include "tables/PricingTiers.h"
#include "tables/SqlText.h"

namespace zev {

std::vector<TierList::Entry> TierList::Build(const PriceBinding::PriceFn& price, int itemId, int catalogId,
                                             int accountTier, int dealCodeMin, int dealCodeMax, int poolKey)
{
    std::vector<Entry> entries;
    PricingTiers tiers(poolKey);
    for (int tier = dealCodeMin; tier <= dealCodeMax; ++tier) {
        if (tiers.getTier(tier) == 0)
            continue;
        const std::string name = tiers.GetFieldValueString(1);
        float casePrice = 0, singlePrice = 0;
        if (!price || !price(itemId, casePrice, singlePrice, 0, catalogId, static_cast<unsigned>(tier)))
            continue;
        if (Amount::Cents(casePrice) <= 0)
            continue;
        const char* format = tier == accountTier ? "Default - $%.2f - %s" : "$%.2f - %s";
        entries.push_back({SqlText::Format(format, static_cast<double>(casePrice), name.c_str()), tier});
    }
    return entries;
}

std::string TierList::CellText(unsigned specialFlag)
{
    return specialFlag == 0 ? std::string("Default") : std::to_string(specialFlag);
}

} // namespace zev
