#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Order guide lines joined with their items. Lines of deleted items never appear.
class OrderGuideLines : public JoinedQuery {
public:
    explicit OrderGuideLines(int poolKey = 0);

    static constexpr int kSortKeyCount = 21;
    // The sort key of the guide list by index; an index outside 0..20 uses 1 (I.Description).
    static const char* SortKey(int index);

    int getGuideInLineOrder(int accountId, int workOrderId);
    int getGuideSorted(int accountId, int workOrderId, int sortIndex);
    // The guide's lines that are in the family plan of the catalogue (folded to even).
    int getFamilyPlanGuide(int accountId, int workOrderId, int catalogId, int sortIndex);
};

} // namespace zev
