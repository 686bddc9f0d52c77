#pragma once

#include "tabula/Query.h"

namespace zev {

// The items of each catalogue's family plan.
class FamilyPlan : public Query {
public:
    explicit FamilyPlan(int poolKey = 0);
};

} // namespace zev
