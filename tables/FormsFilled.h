#pragma once

#include "tabula/Query.h"

namespace zev {

// Forms filled in.
class FormsFilled : public Query {
public:
    explicit FormsFilled(int poolKey = 0);
};

} // namespace zev
