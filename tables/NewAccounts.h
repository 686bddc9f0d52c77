#pragma once

#include "tabula/Query.h"

namespace zev {

// Account applications waiting for upload.
class NewAccounts : public Query {
public:
    explicit NewAccounts(int poolKey = 0);
};

} // namespace zev
