#include "tables/WorkOrder.h"

#include "tables/SqlText.h"

namespace zev {

WorkOrder::WorkOrder(int poolKey) : Query("WorkOrder", "AccountID", poolKey) {}

int WorkOrder::insertNewGuide(int accountId) {
    m_strSQL = SqlText::Format("Insert into %s values (%d, 3, 1, 1)", m_strTable.c_str(), accountId);
    return Open(m_strSQL);
}

} // namespace zev
