#pragma once

#include "tabula/Query.h"

namespace zev {

// Order guide lines joined with their items.
class OrderGuideLines : public JoinedQuery {
public:
    explicit OrderGuideLines(int poolKey = 0);
};

} // namespace zev
