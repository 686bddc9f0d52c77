#pragma once

#include "tabula/Query.h"

namespace zev {

// Price tiers.
class PricingTiers : public Query {
public:
    explicit PricingTiers(int poolKey = 0);
};

} // namespace zev
