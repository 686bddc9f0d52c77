#include "accounts/views/StarterPricing.h"

#include <cstdlib>
#include <string>

namespace zev {

AccountCreator::CasePrice StarterPricing::FromLibrary(Q9CalculatePriceFn calculate)
{
    return [calculate](int itemId, int catalog) -> double {
        if (!calculate)
            return 0.0;
        const std::string item = std::to_string(itemId);
        const std::string cat = std::to_string(catalog);
        char caseOut[Q9_PRICE_BUFFER_SIZE] = {};
        char singleOut[Q9_PRICE_BUFFER_SIZE] = {};
        if (!calculate(item.c_str(), "0", cat.c_str(), "0", "", "", "", "", "", caseOut, singleOut))
            return 0.0;
        caseOut[Q9_PRICE_BUFFER_SIZE - 1] = '\0';
        char* end = nullptr;
        const double price = std::strtod(caseOut, &end);
        return end == caseOut || price < 0.0 ? 0.0 : price;
    };
}

} // namespace zev
