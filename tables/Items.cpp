#include "tables/Items.h"

#include "tables/SqlText.h"

namespace zev {

Items::Items(int poolKey) : Query("Items", "ItemID", poolKey) {}

int Items::getByDistributorSKU(const std::string& sku)
{
    m_strSQL = SqlText::Format("%s where DistributorSKU='%s' and deletedflag=0", m_strSelectAll.c_str(),
                               SqlText::Clean(sku).c_str());
    return Open(m_strSQL);
}

int Items::getByID(int itemId)
{
    m_strSQL = SqlText::Format("%s where ItemID = '%d' and deletedflag = 0", m_strSelectAll.c_str(), itemId);
    return Open(m_strSQL);
}

int Items::getByIDIncludingDeleted(int itemId)
{
    m_strSQL = SqlText::Format("%s where ItemID='%d'", m_strSelectAll.c_str(), itemId);
    return Open(m_strSQL);
}

int Items::getByCategory(int categoryId)
{
    m_strSQL = SqlText::Format("%s where CategoryID=%d and deletedflag=0 order by items.description asc",
                               m_strSelectAll.c_str(), categoryId);
    return Open(m_strSQL);
}

int Items::getByUPC(const std::string& upc)
{
    m_strSQL =
        SqlText::Format("%s where UPC='%s' and deletedflag=0", m_strSelectAll.c_str(), SqlText::Clean(upc).c_str());
    return Open(m_strSQL);
}

int Items::getTop(int n)
{
    m_strSQL = SqlText::Format("select top %d * from %s where deletedflag = 0", n, m_strTable.c_str());
    return Open(m_strSQL);
}

int Items::getBarcodeList()
{
    m_strSQL = "Select ItemID, DistributorSKU, Description, UPC from Items where deletedflag = 0 order by UPC";
    return Open(m_strSQL);
}

} // namespace zev
