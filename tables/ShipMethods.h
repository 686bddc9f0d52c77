#pragma once

#include "tabula/Query.h"

namespace zev {

// Shipping methods offered for an order.
class ShipMethods : public Query {
public:
    explicit ShipMethods(int poolKey = 0);
};

} // namespace zev
