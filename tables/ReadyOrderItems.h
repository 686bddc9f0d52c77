#pragma once

#include "tabula/Query.h"

namespace zev {

// Lines of the orders saved and waiting to be sent.
class ReadyOrderItems : public Query {
public:
    explicit ReadyOrderItems(int poolKey = 0);

    int deleteOrder(int accountId, int readyId);
};

} // namespace zev
