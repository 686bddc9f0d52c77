#include "tables/ReadyOrderLines.h"

namespace zev {

ReadyOrderLines::ReadyOrderLines(int poolKey)
    : JoinedQuery("ReadyOrderItems R, Items I", "R.ReadyID", "R.ItemID = I.ItemID", poolKey)
{
}

} // namespace zev
