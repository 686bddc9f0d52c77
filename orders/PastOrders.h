#pragma once

#include "orders/PriceBinding.h"

#include <ctime>
#include <string>
#include <vector>

namespace zev {

class OrderGuide;

// One account's past orders for the order history screen: the orders the
// distributor has on record, narrowed to a period and to those holding an
// item, and a past order's quantities copied into the order guide.
class PastOrders {
public:
    struct Filter {
        int days = 0;     // the last N days up to now; 0 all
        std::string item; // item number, UPC or part of the description; empty any
    };

    struct Order {
        int orderNumber = 0;
        std::string invoice; // the distributor's invoice, else the order number
        std::string date;    // "mm/dd/yyyy"
        double total = 0.0;
        int lines = 0;
        std::string status;
    };

    // The statement Load runs.
    static std::string Statement(int accountId, const Filter& filter, std::time_t now);
    // Newest first. Empty for an account without history (or unreadable tables).
    static std::vector<Order> Load(int accountId, const Filter& filter, std::time_t now, int poolKey = 0);

    struct CopyOutcome {
        bool ok = false;
        int copied = 0;                   // lines whose quantity the guide now holds
        int added = 0;                    // of them, items that were not in the guide yet
        std::vector<std::string> skipped; // item numbers no longer sold
    };

    // The quantities of the order's lines become the guide's (lines not yet
    // in the guide are added after the last), priced now; items no longer in
    // the catalogue are skipped. The guide is written in one transaction.
    static CopyOutcome CopyToGuide(OrderGuide& guide, int orderNumber, int catalogId,
                                   const PriceBinding::PriceFn& price, int poolKey = 0);

    // The message that reports a copy.
    static std::string CopyReport(const CopyOutcome& outcome);
};

} // namespace zev
