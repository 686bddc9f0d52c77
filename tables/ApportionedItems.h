#pragma once

#include "tabula/Query.h"

namespace zev {

// Allocations of short items to accounts.
class ApportionedItems : public CompoundKeyQuery {
public:
    explicit ApportionedItems(int poolKey = 0);
};

} // namespace zev
