#pragma once

#include "tabula/Query.h"

namespace zev {

// Questions of the surveys.
class Questions : public Query {
public:
    explicit Questions(int poolKey = 0);
};

} // namespace zev
