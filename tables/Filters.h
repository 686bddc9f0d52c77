#pragma once

#include "tabula/Query.h"

namespace zev {

// Named filters of order guide lines.
class Filters : public Query {
public:
    explicit Filters(int poolKey = 0);

    // Every filter in name order.
    int getAllByName();
};

} // namespace zev
