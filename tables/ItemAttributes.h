#pragma once

#include "tabula/Query.h"

namespace zev {

// Free attributes of an item.
class ItemAttributes : public Query {
public:
    explicit ItemAttributes(int poolKey = 0);

    int getByItem(int itemId);
};

} // namespace zev
