#pragma once

#include "tabula/Query.h"

namespace zev {

// The items of the RIP incentive programs joined with the catalogue, and the
// program headers and tiers of table RIP.
class RIPItems : public JoinedQuery {
public:
    explicit RIPItems(int poolKey = 0);

    // RIPID of every program that contains the item.
    int getProgramsOfItem(int itemId);
    // RIPID, ItemID, Description, DistributorSKU, Vintage, ItemVolume, QtyPerCase.
    int getItemsOfProgram(int ripId);
    // RIPID, RIPNumber, Description.
    int getProgramHeader(int ripId);
    // Every tier row of the program, by amount.
    int getProgramTiers(int ripId);

    static constexpr const char* kColumns =
        "Select RI.RIPID, RI.ItemID, I.Description, I.DistributorSKU, I.Vintage, I.ItemVolume, I.QtyPerCase";
};

} // namespace zev
