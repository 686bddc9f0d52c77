#include "tables/ApportionedItems.h"

namespace zev {

ApportionedItems::ApportionedItems(int poolKey) : CompoundKeyQuery("ApportionedItems", "AccountID", "ItemID", poolKey) {}

} // namespace zev
