#pragma once

#include "tabula/Query.h"

namespace zev {

// Warehouses an order or a line can ship from.
class Warehouse : public Query {
public:
    explicit Warehouse(int poolKey = 0);
};

} // namespace zev
