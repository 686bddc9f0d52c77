#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Free name/value facts about an account. Rows: AccountID, AttributeName, value.
class AccountAttributes : public Query {
public:
    explicit AccountAttributes(int poolKey = 0);

    int getOfAccount(int accountId);
    // The name is raw text.
    int getAttribute(int accountId, const std::string& name);
};

} // namespace zev
