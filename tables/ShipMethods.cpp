#include "tables/ShipMethods.h"

namespace zev {

ShipMethods::ShipMethods(int poolKey) : Query("ShipMethods", "MethodID", poolKey) {}

} // namespace zev
