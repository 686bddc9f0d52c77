#pragma once

#include "orders/PriceBinding.h"

#include <set>
#include <string>

namespace zev {

class OrderGuide;

// Backordered quantities in the order guide. A backorder moved into the
// guide sits on a line of its item whose comment is the backorder's key, so
// the key travels with the ordered line and the guide remembers which
// backorders it holds across visits.
class BackorderTags {
public:
    // The keys the guide's lines carry (every non-empty comment).
    static std::set<std::string> Keys(const OrderGuide& guide);

    // Adds `units` of the item to the line tagged `tag` (a new tagged line
    // when there is none: an unused line of the item, a copy of one, or the
    // item looked up by its number). Negative units take them out again,
    // never below 0; a line left empty loses its tag. False when the guide
    // could not take the change.
    static bool Add(OrderGuide& guide, int itemId, const std::string& sku, int units, const std::string& tag,
                    int catalog, const PriceBinding::PriceFn& price, int poolKey = 0);
};

} // namespace zev
