#include "tables/RIPItems.h"

#include "tables/SqlText.h"

namespace zev {

RIPItems::RIPItems(int poolKey) : JoinedQuery("RIPItems RI, Items I", "RI.RIPID", "RI.ItemID=I.ItemID", poolKey) {}

int RIPItems::getProgramsOfItem(int itemId)
{
    m_strSQL = SqlText::Format("Select RIPID from RIPItems where ItemID = %d", itemId);
    return Open(m_strSQL);
}

int RIPItems::getItemsOfProgram(int ripId)
{
    m_strSQL =
        SqlText::Format("%s from %s where %s and RIPID = %d", kColumns, m_strTable.c_str(), m_strJoin.c_str(), ripId);
    return Open(m_strSQL);
}

int RIPItems::getProgramHeader(int ripId)
{
    m_strSQL = SqlText::Format("Select distinct RIPID, RIPNumber, Description from RIP where RIPID = %d", ripId);
    return Open(m_strSQL);
}

int RIPItems::getProgramTiers(int ripId)
{
    m_strSQL = SqlText::Format("Select * from RIP where RIPID = %d order by Amount", ripId);
    return Open(m_strSQL);
}

} // namespace zev
