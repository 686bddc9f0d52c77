#pragma once

#include "tabula/Query.h"

namespace zev {

// The lines of past orders joined with their items.
class OrderHistoryLines : public JoinedQuery {
public:
    explicit OrderHistoryLines(int poolKey = 0);

    int getLinesOfOrder(int orderNumber);
};

} // namespace zev
