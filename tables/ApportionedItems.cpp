#include "tables/ApportionedItems.h"

#include "tables/SqlText.h"

namespace zev {

ApportionedItems::ApportionedItems(int poolKey) : CompoundKeyQuery("ApportionedItems", "AccountID", "ItemID", poolKey)
{
}

int ApportionedItems::apportionedTotal(int itemId, int accountId, int secondAccountId)
{
    m_strSQL = SqlText::Format("select SUM(ApportionedQuantity) from %s where ItemID = %d and AccountID in (%d, %d)",
                               m_strTable.c_str(), itemId, accountId, secondAccountId);
    if (Open(m_strSQL) == 0)
        return -1;
    return GetFieldValueInt(0);
}

int ApportionedItems::getAllocation(int itemId, int accountId, int premise)
{
    const char* condition = premise == 2 ? "Premise = 2" : premise == 1 ? "Premise = 1" : "Premise = 0";
    m_strSQL = SqlText::Format("select * from %s where ItemID = %d and AccountID = %d and %s", m_strTable.c_str(),
                               itemId, accountId, condition);
    return Open(m_strSQL);
}

} // namespace zev
