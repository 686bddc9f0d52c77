#pragma once

#include "tabula/Query.h"

namespace zev {

// Answers of the surveys answered.
class Answers : public Query {
public:
    explicit Answers(int poolKey = 0);
};

} // namespace zev
