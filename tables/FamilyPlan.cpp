#include "tables/FamilyPlan.h"

namespace zev {

FamilyPlan::FamilyPlan(int poolKey) : Query("FamilyPlan", "ItemID", poolKey) {}

} // namespace zev
