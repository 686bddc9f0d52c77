#include "tables/ReadyOrderItems.h"

#include "tables/SqlText.h"

namespace zev {

ReadyOrderItems::ReadyOrderItems(int poolKey) : Query("ReadyOrderItems", "ReadyID", poolKey) {}

int ReadyOrderItems::deleteOrder(int accountId, int readyId) {
    m_strSQL = SqlText::Format("Delete %s where AccountID = %d and ReadyID = %d", m_strTable.c_str(), accountId, readyId);
    return Open(m_strSQL);
}

} // namespace zev
