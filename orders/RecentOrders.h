#pragma once

#include "orders/OrderDetails.h"

#include <ctime>
#include <string>
#include <vector>

namespace zev {

// The representative's orders of a period for the recent orders screen: the
// orders the distributor has (order history) and, marked unsent, the ready
// orders still waiting to be sent.
class RecentOrders {
public:
    enum class Period { Today, Yesterday, ThisWeek, ThisMonth, Open };

    static constexpr Period kPeriods[] = {Period::Today, Period::Yesterday, Period::ThisWeek, Period::ThisMonth,
                                          Period::Open};
    // "Today's Orders" ... "Open Order".
    static const char* Name(Period period);

    // Local time from `from` (inclusive) to `to` (exclusive). Weeks start on
    // Sunday, months on the 1st. Open has no range (both 0).
    struct Range {
        std::time_t from = 0;
        std::time_t to = 0;
    };
    static Range RangeOf(Period period, std::time_t now);

    struct Row {
        bool sent = true;
        int readyId = 0;     // unsent orders
        int orderNumber = 0; // sent orders
        int accountId = 0;
        std::string account;
        std::string number; // the distributor's invoice, else the order number; "Unsent" for a ready order
        std::string date;   // "mm/dd/yyyy"
        double total = 0.0;
        int lines = 0;
        std::string status; // the history's status of a sent order, when known
    };

    // Unsent orders first (all of them for Open; those created in the range
    // otherwise, and those whose creation time cannot be read), then the
    // sent ones of the range, newest first. Empty when the tables cannot be
    // read.
    static std::vector<Row> Load(Period period, std::time_t now, int poolKey = 0);
    // The statement reading the sent orders of a range.
    static std::string SentStatement(const Range& range);

    // The order's details sheet: its header and, per line, description,
    // item number, quantity ("cases / singles", or units with
    // `quantitiesInUnits`) and amount. An item no longer in the catalogue
    // shows by its number.
    static OrderDetails Details(const Row& row, bool quantitiesInUnits, int poolKey = 0);
    static std::string DetailsText(const Row& row, bool quantitiesInUnits, int poolKey = 0)
    {
        return Details(row, quantitiesInUnits, poolKey).Text();
    }

    // How many ready orders wait to be sent.
    static int Waiting(int poolKey = 0);

    // "{ts 'YYYY-MM-DD HH:MM:SS'}", "YYYY-MM-DD..." or "mm/dd/yyyy" as local
    // time; -1 when it is none of them.
    static std::time_t ParseStamp(const std::string& text);
};

} // namespace zev
