#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// One line of a ready order. The comment is raw; it is trimmed and its
// apostrophes doubled on writing.
struct ReadyOrderLine {
    int accountId = 0;
    int readyId = 0;
    int itemId = 0;
    int catalogId = 0;
    int cases = 0;
    int singles = 0;
    double casePrice = 0.0;
    double singlePrice = 0.0;
    int lineItemNumber = 0;
    unsigned specialFlag = 0;
    double discount = 0.0;
    double priceOverride = 0.0;
    int par = 0;
    int inv = 0;
    double extPrice = 0.0;
    double retailPrice = 0.0;
    int warehouse = 0;
    std::string lineComment;
};

// Lines of the orders saved and waiting to be sent.
class ReadyOrderItems : public Query {
public:
    explicit ReadyOrderItems(int poolKey = 0);

    int insertLine(const ReadyOrderLine& line);
    int deleteOrder(int accountId, int readyId);
};

} // namespace zev
