#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Past orders of the accounts. Date arguments are texts the database reads as
// dates ("mm/dd/yyyy" as the program writes them).
class OrderHistory : public Query {
public:
    explicit OrderHistory(int poolKey = 0);

    // By activation date, newest first when `descending`.
    int getByAccount(int accountId, bool descending);
    int getByOrderNumber(int orderNumber);
    int getByDistInvoice(const std::string& invoice);
    // Orders whose transaction date falls on the day of `date`, at any time.
    int getOfDay(const std::string& date);
    int getSince(const std::string& date);
    int getBetween(const std::string& after, const std::string& before);
    // min(transdate) of the account's orders, in column 0.
    int getFirstOrderDate(int accountId);
    int getTransmittedSince(const std::string& date);
};

} // namespace zev
