#pragma once

#include "tabula/Query.h"

namespace zev {

// Open order lines joined with their orders and items.
class OpenOrderLines : public JoinedQuery {
public:
    explicit OpenOrderLines(int poolKey = 0);
};

} // namespace zev
