#pragma once

#include <string>

namespace zev {

// One line of the order guide as the screen shows it. Quantities are held in
// units; QtyPerCase is at least 1 (the loader lifts a 0). Amounts use the
// sentinels of Amount: -1 FREE, -2 NET in the discount and the override.
struct OrderGuideRow {
    bool changed = false; // to be written back
    bool readOnly = false;
    bool isNew = false; // added on the screen, not yet in the table
    int itemId = 0;
    int catalogId = 0;
    unsigned specialFlag = 0; // deal code; 0 the account's own tier
    int qtyPerCase = 1;
    int stock = 0;
    int lineItemNumber = 0;
    int units = 0;
    int lastQty = 0;
    int orderCount = 0;
    int inv = 0;
    int productKind = 0;
    int par = 0;
    int itemFlags = 0;
    int warehouse = 0;
    int sellMultiple = 0;
    int filter = 0;
    int htdItemCount = 0;
    float casePrice = 0;
    float singlePrice = 0;
    float discount = 0;
    float priceOverride = 0;
    float retailPrice = 0;
    float extendedPrice = 0;
    float splitCaseCharge = 0;
    std::string description;
    std::string prefix;
    std::string suffix;
    std::string upc;
    std::string sku;
    std::string lineComment;

    int Cases() const { return units / qtyPerCase; }
    int Singles() const { return units % qtyPerCase; }
};

} // namespace zev
