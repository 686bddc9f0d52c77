#include "tables/PricingTiers.h"

namespace zev {

PricingTiers::PricingTiers(int poolKey) : Query("PricingTiers", "TierID", poolKey) {}

} // namespace zev
