#pragma once

#include "tabula/Query.h"

namespace zev {

// Open invoices (receivables) joined with their accounts.
class AR : public JoinedQuery {
public:
    explicit AR(int poolKey = 0);
};

} // namespace zev
