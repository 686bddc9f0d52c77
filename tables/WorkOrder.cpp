#include "tables/WorkOrder.h"

#include "tables/SqlText.h"

namespace zev {

WorkOrder::WorkOrder(int poolKey) : Query("WorkOrder", "AccountID", poolKey) {}

int WorkOrder::insertNewGuide(int accountId)
{
    m_strSQL = SqlText::Format("Insert into %s values (%d, 3, 1, 1)", m_strTable.c_str(), accountId);
    return Open(m_strSQL);
}

int WorkOrder::setUpdated(int accountId, int workOrderId, int flag)
{
    m_strSQL = SqlText::Format("update %s set updated = %d where AccountID=%d and WorkOrderID=%d", m_strTable.c_str(),
                               flag != 0 ? 1 : 0, accountId, workOrderId);
    return Open(m_strSQL);
}

int WorkOrder::getChanged()
{
    m_strSQL = "select * from workorder where updated = 1";
    return Open(m_strSQL);
}

} // namespace zev
