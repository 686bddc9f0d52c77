#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// An account's order guide lines with their item and the account's purchase
// history of each item (lines without history still come, with empty history).
// Rows: ItemID, CDistPrice, Description, QtyOnHand, DistributorSKU, CatalogPage,
// YTDPurchaseQty, OnOrderQty, YTDOrderCount, last order year, month, day.
class ItemHistory : public Query {
public:
    explicit ItemHistory(int poolKey = 0);

    // `categories` is a comma-separated list of category ids.
    int getInCategories(int accountId, const std::string& categories);
    int getNotInCategories(int accountId, const std::string& categories);
    int getAll(int accountId);
    using Query::getAll;

    static constexpr const char* kPrefix =
        "Select WorkOrderItems.ItemID, WorkOrderItems.CDistPrice, Items.Description, Items.QtyOnHand, "
        "Items.DistributorSKU, Items.CatalogPage, ItemHistory.YTDPurchaseQty, ItemHistory.OnOrderQty, "
        "ItemHistory.YTDOrderCount, datepart(yy, ItemHistory.LastOrderDate), datepart(mm, "
        "ItemHistory.LastOrderDate), datepart(dd, ItemHistory.LastOrderDate) from WorkOrderItems, Items, "
        "ItemHistory where ItemHistory.AccountID=*WorkOrderItems.AccountID and WorkOrderItems.ItemID = "
        "Items.ItemID and WorkOrderItems.ItemID*=ItemHistory.ItemID and WorkOrderItems.AccountID = %d and "
        "Items.CategoryID %s in (%s) ";
    static constexpr const char* kOrderSuffix = "order by Items.DistributorSKU";
    static constexpr const char* kInventorySuffix = "and WorkOrderItems.inv > 0 ";

private:
    int run(int accountId, const char* word, const std::string& list);
};

} // namespace zev
