#pragma once

#include "tabula/Query.h"

namespace zev {

// Price tiers: the tier number and its name.
class PricingTiers : public Query {
public:
    explicit PricingTiers(int poolKey = 0);

    int getTier(int tierId);
};

} // namespace zev
