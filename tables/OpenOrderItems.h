#pragma once

#include "tabula/Query.h"

namespace zev {

// Lines of the open orders.
class OpenOrderItems : public Query {
public:
    explicit OpenOrderItems(int poolKey = 0);
};

} // namespace zev
