#include "tables/OpenOrderLines.h"

namespace zev {

OpenOrderLines::OpenOrderLines(int poolKey)
    : JoinedQuery("OpenOrders OO, OpenOrderItems OI, Items I", "OO.AccountID",
                  "OO.InvoiceNumber = OI.InvoiceNumber and OI.ItemID=I.ItemID", poolKey)
{
}

} // namespace zev
