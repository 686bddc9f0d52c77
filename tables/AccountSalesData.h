#pragma once

#include "tabula/Query.h"

namespace zev {

// An account's sales figures for the sales data screen.
class AccountSalesData : public Query {
public:
    explicit AccountSalesData(int poolKey = 0);
};

} // namespace zev
