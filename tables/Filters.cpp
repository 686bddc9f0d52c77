#include "tables/Filters.h"

namespace zev {

Filters::Filters(int poolKey) : Query("Filters", "FilterID", poolKey) {}

} // namespace zev
