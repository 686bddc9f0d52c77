#pragma once

#include "tabula/Query.h"

namespace zev {

// Problem reports filed by the representative.
class Issues : public Query {
public:
    explicit Issues(int poolKey = 0);
};

} // namespace zev
