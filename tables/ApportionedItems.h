#pragma once

#include "tabula/Query.h"

namespace zev {

// Allocations of short items to accounts.
class ApportionedItems : public CompoundKeyQuery {
public:
    explicit ApportionedItems(int poolKey = 0);

    // The quantity apportioned to either account; -1 when the statement fails.
    int apportionedTotal(int itemId, int accountId, int secondAccountId);
    // The allocation of the item to the account for premise kind 0, 1 or 2.
    int getAllocation(int itemId, int accountId, int premise);
};

} // namespace zev
