#pragma once

#include "tabula/Query.h"

namespace zev {

// Items of the incentive programs.
class ProgramItems : public Query {
public:
    explicit ProgramItems(int poolKey = 0);
};

} // namespace zev
