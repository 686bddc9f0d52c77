#include "tables/PricingTiers.h"

#include "tables/SqlText.h"

namespace zev {

PricingTiers::PricingTiers(int poolKey) : Query("PricingTiers", "TierID", poolKey) {}

int PricingTiers::getTier(int tierId)
{
    m_strSQL = SqlText::Format("Select * from PricingTiers where TierID = %d", tierId);
    return Open(m_strSQL);
}

} // namespace zev
