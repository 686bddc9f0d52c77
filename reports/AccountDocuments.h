#pragma once

#include "accounts/ItineraryReport.h"
#include "accounts/Receivables.h"
#include "reports/PrintDocument.h"

#include <ctime>
#include <string>
#include <vector>

namespace zev {

// The printed documents of the account screens.
class AccountDocuments {
public:
    // The accounts to visit on the day, under "Itinerary - <weekday>".
    static PrintDocument Itinerary(const ItineraryReport::Itinerary& itinerary);

    // Today's orders with their amounts and "Total - $%7.2f".
    static PrintDocument Accomplishments(const ItineraryReport::Accomplishments& accomplishments, std::time_t now);

    // One account's invoices with the running total of what is still due,
    // the totals, the date ("%A, %B %d, %Y") and "Page: N of M".
    static PrintDocument Receivables(const std::vector<ARListItem>& items, const std::string& account, std::time_t now);

    // "Wednesday, March 11, 2026"
    static std::string LongDay(std::time_t now);
};

} // namespace zev
