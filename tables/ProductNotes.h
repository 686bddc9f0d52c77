#pragma once

#include "tabula/Query.h"

namespace zev {

// Notes on items.
class ProductNotes : public Query {
public:
    explicit ProductNotes(int poolKey = 0);
};

} // namespace zev
