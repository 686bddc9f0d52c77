#include "tables/Warehouse.h"

namespace zev {

Warehouse::Warehouse(int poolKey) : Query("Warehouse", "WarehouseID", poolKey) {}

} // namespace zev
