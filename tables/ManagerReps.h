#pragma once

#include "tabula/Query.h"

namespace zev {

// The representatives a manager looks after.
class ManagerReps : public Query {
public:
    explicit ManagerReps(int poolKey = 0);
};

} // namespace zev
