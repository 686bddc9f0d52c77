#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Messages between the office and the representative.
class Messages : public Query {
public:
    explicit Messages(int poolKey = 0);

    // True when the representative (user id as text) has unread messages. A
    // user id that is not a plain number never reaches the statement.
    bool hasUnread(const std::string& userId);
};

} // namespace zev
