#pragma once

#include "tabula/Query.h"

namespace zev {

// The items of each catalogue's family plan. Catalogues come in pairs: an odd
// number uses the even number just below it.
class FamilyPlan : public Query {
public:
    explicit FamilyPlan(int poolKey = 0);

    // 3 -> 2, 1 -> 0, 6 -> 6; a negative odd number is used unchanged.
    static int FoldCatalog(int catalogId);

    int itemInPlan(int itemId, int catalogId);
    // True when the catalogue's plan has at least one item.
    bool planExists(int catalogId);
};

} // namespace zev
