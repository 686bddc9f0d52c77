#include "tables/FamilyPlan.h"

#include "tables/SqlText.h"

namespace zev {

FamilyPlan::FamilyPlan(int poolKey) : Query("FamilyPlan", "ItemID", poolKey) {}

int FamilyPlan::FoldCatalog(int catalogId) { return catalogId >= 0 ? catalogId - catalogId % 2 : catalogId; }

int FamilyPlan::itemInPlan(int itemId, int catalogId)
{
    m_strSQL =
        SqlText::Format("%s where ItemID=%d and CatalogID=%d", m_strSelectAll.c_str(), itemId, FoldCatalog(catalogId));
    return Open(m_strSQL);
}

bool FamilyPlan::planExists(int catalogId)
{
    m_strSQL = SqlText::Format("select count(*) from FamilyPlan where CatalogID=%d", FoldCatalog(catalogId));
    return Open(m_strSQL) != 0 && GetFieldValueInt(0) > 0;
}

} // namespace zev
