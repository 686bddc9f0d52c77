#pragma once

#include "tabula/Query.h"

namespace zev {

// Warehouses an order or a line can ship from; only enabled rows are offered.
class Warehouse : public Query {
public:
    explicit Warehouse(int poolKey = 0);

    int getEnabled();
    int getByWarehouseID(int warehouseId);
};

} // namespace zev
