#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/OrderHeader.h"
#include "reports/PrintDocument.h"

#include <string>
#include <vector>

namespace zev {

// The printed documents of order entry, built from the guide's rows or the
// order being placed.
class OrderDocuments {
public:
    enum class GuideForm {
        Quantities, // every line with what is ordered, its price and amount
        Blank,      // every line with pack, par and last quantity, blanks to write the order in at the shelf
        Worksheet,  // the inventory worksheet: pack and par, blanks for the count and the order
    };

    // `account`: as AccountLine gives it. `inUnits`: quantities as one number
    // of units rather than cases / singles.
    static PrintDocument Guide(const std::vector<OrderGuideRow>& rows, GuideForm form, bool inUnits,
                               const std::string& account);

    // The order with its delivery and cancel dates, the lines, the total, the
    // notes and the signature. Texts held as they will be stored (apostrophes
    // doubled) print as typed.
    static PrintDocument Order(const OrderHeader& order, const std::string& account);

    // "Corner Bar (A-7)"
    static std::string AccountLine(const std::string& company, const std::string& number);
};

} // namespace zev
