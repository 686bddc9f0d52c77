#pragma once

#include "tabula/Query.h"

namespace zev {

// The order guide header of each account: AccountID, WorkOrderID, Updated, Active.
class WorkOrder : public Query {
public:
    explicit WorkOrder(int poolKey = 0);

    // The header of a new account's guide: guide number 3, marked for upload.
    int insertNewGuide(int accountId);
    // Marks the guide for upload (flag 1) or as in step with the server (0).
    int setUpdated(int accountId, int workOrderId, int flag);
    // The guides waiting for upload.
    int getChanged();
};

} // namespace zev
