#pragma once

#include "tabula/Query.h"

namespace zev {

// Forms the representative can fill in.
class Forms : public Query {
public:
    explicit Forms(int poolKey = 0);
};

} // namespace zev
