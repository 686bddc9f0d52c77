#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// The item catalogue. Items with a non-zero deletedflag stay in the table so
// that history still finds them; only getByIDIncludingDeleted returns them.
class Items : public Query {
public:
    explicit Items(int poolKey = 0);

    int getByDistributorSKU(const std::string& sku);
    int getByID(int itemId);
    int getByIDIncludingDeleted(int itemId);
    int getByCategory(int categoryId);
    int getByUPC(const std::string& upc);
    // The first n items that are not deleted, in the table's order.
    int getTop(int n);
    // ItemID, DistributorSKU, Description, UPC of every item, by bar code.
    int getBarcodeList();
};

} // namespace zev
