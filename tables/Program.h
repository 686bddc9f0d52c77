#pragma once

#include "tabula/Query.h"

namespace zev {

// Incentive programs.
class Program : public Query {
public:
    explicit Program(int poolKey = 0);
};

} // namespace zev
