#pragma once

#include "tabula/Query.h"

namespace zev {

// Surveys.
class Surveys : public Query {
public:
    explicit Surveys(int poolKey = 0);
};

} // namespace zev
