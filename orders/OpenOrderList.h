#pragma once

#include "orders/OrderDetails.h"

#include <string>
#include <vector>

namespace zev {

// One account's open orders (sent to the distributor, not yet delivered) for
// the open orders screen: the orders with their backorder marks and the
// lines of each.
class OpenOrderList {
public:
    struct Order {
        std::string invoice;
        std::string date;     // "mm/dd/yyyy" of the invoice date
        std::string delivery; // "mm/dd/yyyy" of the delivery date, or ""
        std::string type;     // the distributor's order type code
        bool backorder = false;
        int items = 0;
        double total = 0.0;
        std::string po;
    };

    // Order types that hold backorders.
    static bool IsBackorderType(const std::string& type);

    // Newest invoice first; empty for an account without open orders.
    static std::vector<Order> Load(int accountId, int poolKey = 0);

    // The lines of one open order for its details sheet: description, item
    // number, quantity ("cases / singles", or units), amount, and for a
    // backorder "backordered" with the distributor's stock. A line of an item
    // no longer in the catalogue shows by its ID.
    static OrderDetails Details(int accountId, const std::string& account, const Order& order, bool quantitiesInUnits,
                                int poolKey = 0);
    static std::string DetailsText(int accountId, const Order& order, bool quantitiesInUnits, int poolKey = 0)
    {
        return Details(accountId, {}, order, quantitiesInUnits, poolKey).Text();
    }
};

} // namespace zev
