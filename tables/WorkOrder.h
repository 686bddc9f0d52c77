#pragma once

#include "tabula/Query.h"

namespace zev {

// The order guide header of each account: AccountID, WorkOrderID, Updated, Active.
class WorkOrder : public Query {
public:
    explicit WorkOrder(int poolKey = 0);

    // The header of a new account's guide: guide number 3, marked for upload.
    int insertNewGuide(int accountId);
};

} // namespace zev
