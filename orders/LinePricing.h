#pragma once

#include "orders/OrderGuideRow.h"

#include <cstdint>
#include <vector>

namespace zev {

// The amount of an order line from its quantity, prices and adjustments.
class LinePricing {
public:
    // Computes the extended price of the row, stores it in the row and
    // returns it. A discount above the case price is lowered to it and stored
    // so. `overrideMode` 0: the override is a case price; 1: a unit price.
    static float Extend(OrderGuideRow& row, int overrideMode);
    // The same amount without changing the row (the re-pricing worker).
    static float AmountOf(const OrderGuideRow& row, int overrideMode);

    // Sum of the rows' extended prices in whole cents, each row rounded to
    // cents first so the total always equals the sum of the shown lines.
    static std::int64_t TotalCents(const std::vector<OrderGuideRow>& rows);
};

} // namespace zev
