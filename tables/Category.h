#pragma once

#include "tabula/Query.h"

namespace zev {

// The category tree of the catalogue. A top-level category is its own parent
// (or has none).
class Category : public Query {
public:
    explicit Category(int poolKey = 0);

    int getTopLevel();
    int getNonTopLevel(int categoryId);
    // Children of a category that have children of their own or items.
    int getChildren(int parentId);
    int getLeaves();
};

} // namespace zev
