#pragma once

#include "tabula/Query.h"

namespace zev {

// Ready order lines joined with their items.
class ReadyOrderLines : public JoinedQuery {
public:
    explicit ReadyOrderLines(int poolKey = 0);
};

} // namespace zev
