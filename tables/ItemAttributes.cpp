#include "tables/ItemAttributes.h"

#include "tables/SqlText.h"

namespace zev {

ItemAttributes::ItemAttributes(int poolKey) : Query("ItemAttributes", "ItemID", poolKey) {}

int ItemAttributes::getByItem(int itemId)
{
    m_strSQL = SqlText::Format("%s where ItemID = %d", m_strSelectAll.c_str(), itemId);
    return Open(m_strSQL);
}

} // namespace zev
