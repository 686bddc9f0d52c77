#pragma once

#include "orders/PriceBinding.h"

#include <string>

namespace zev {

// "Add to order guide" from the product screens: the item becomes the last
// line of the current account's guide, priced for its catalogue, and the
// guide is marked for upload, all in one transaction.
class ProductOrdering {
public:
    enum class Outcome { Added, AlreadyInGuide, NoAccount, NoGuide, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        int lineNumber = 0;
        float casePrice = 0;
        float singlePrice = 0;
    };

    // `accountId` below 0 means no account is current. Without a price
    // operation (or when it finds no price) the line is added unpriced; the
    // guide prices it again when it opens.
    static Result AddToGuide(int itemId, int accountId, int catalog, const PriceBinding::PriceFn& price,
                             int poolKey = 0);

    // The text the screens show for a result.
    static std::string Message(const Result& result, const std::string& description);
};

} // namespace zev
