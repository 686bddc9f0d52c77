#pragma once

#include "tabula/Query.h"

namespace zev {

// Orders sent to the distributor and not yet delivered.
class OpenOrders : public Query {
public:
    explicit OpenOrders(int poolKey = 0);

    // True when an open order of the account is a backorder ('BO', 'MO', 'IN').
    bool hasBackorders(int accountId);
};

} // namespace zev
