#include "tables/OpenOrderItems.h"

namespace zev {

OpenOrderItems::OpenOrderItems(int poolKey) : Query("OpenOrderItems", "AccountID", poolKey) {}

} // namespace zev
