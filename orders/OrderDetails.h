#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zev {

// What the details sheet of one order shows, whichever list it comes from
// (recent orders, order history, open orders): a header of facts and the
// order's lines.
class OrderDetails {
public:
    struct Line {
        std::string description; // an item no longer sold shows by its number
        std::string sku;
        std::string quantity; // "cases / singles", or units
        double amount = 0.0;
        std::string note; // e.g. the distributor's stock of a backordered line
    };

    std::string number;  // "Order 100", "Invoice 880002", "Ready 11"
    std::string date;    // "mm/dd/yyyy", or ""
    std::string account; // the account's name
    std::string status;  // "Sent", "Not sent yet", the history's status, the open order's type
    // Further header facts in display order (delivery date, PO number).
    std::vector<std::pair<std::string, std::string>> facts;
    std::vector<Line> lines;

    double Total() const;
    // "3 lines, total $120.00".
    std::string Summary() const;
    // The header's facts in display order, labelled ("Order", "Date", ...),
    // empty ones left out.
    std::vector<std::pair<std::string, std::string>> Header() const;
    // The whole sheet as text: header, the lines tab-separated, the summary.
    std::string Text() const;
};

} // namespace zev
