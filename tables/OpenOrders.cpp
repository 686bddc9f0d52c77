#include "tables/OpenOrders.h"

#include "tables/SqlText.h"

namespace zev {

OpenOrders::OpenOrders(int poolKey) : Query("OpenOrders", "AccountID", poolKey) {}

bool OpenOrders::hasBackorders(int accountId)
{
    m_strSQL = SqlText::Format("Select CASE WHEN EXISTS (Select AccountID from OpenOrders where AccountID = %d and "
                               "TSOrderType in ('BO','MO','IN')) THEN 1 ELSE 0 END",
                               accountId);
    return Open(m_strSQL) && GetFieldValueInt(0) == 1;
}

} // namespace zev
