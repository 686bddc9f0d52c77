#include "tables/OrderGuideLines.h"

namespace zev {

OrderGuideLines::OrderGuideLines(int poolKey) : JoinedQuery("WorkOrderItems W, Items I", "W.WorkOrderID", "W.ItemID=I.ItemID", poolKey) {}

} // namespace zev
