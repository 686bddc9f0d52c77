#pragma once

#include "tabula/Query.h"

namespace zev {

// The call status of this week: one row per account and weekday dealt with.
// Type 1 = order saved, 2 = no sale, 3 = no call.
class AccountCalled : public Query {
public:
    explicit AccountCalled(int poolKey = 0);

    static constexpr int kOrder = 1;
    static constexpr int kNoSale = 2;
    static constexpr int kNoCall = 3;

    // Rows: AccountID, Day, Type.
    int getStatus(int accountId, int dayIndex);
    int record(int accountId, int dayIndex, int type);
    int clear(int accountId, int dayIndex);
    int clearWeek();
};

} // namespace zev
