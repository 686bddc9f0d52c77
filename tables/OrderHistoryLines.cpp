#include "tables/OrderHistoryLines.h"

#include "tables/SqlText.h"

namespace zev {

OrderHistoryLines::OrderHistoryLines(int poolKey)
    : JoinedQuery("OrderHistoryItems O, Items I", "O.OrderNumber", "O.ItemID = I.ItemID", poolKey)
{
}

int OrderHistoryLines::getLinesOfOrder(int orderNumber)
{
    m_strSQL = SqlText::Format("%s and O.OrderNumber=%d", m_strSelectAll.c_str(), orderNumber);
    return Open(m_strSQL);
}

} // namespace zev
