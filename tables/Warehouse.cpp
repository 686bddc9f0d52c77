#include "tables/Warehouse.h"

#include "tables/SqlText.h"

namespace zev {

Warehouse::Warehouse(int poolKey) : Query("Warehouse", "WarehouseID", poolKey) {}

int Warehouse::getEnabled()
{
    m_strSQL = SqlText::Format("%s where EnableFlag = 1 order by %s", m_strSelectAll.c_str(), "Description");
    return Open(m_strSQL);
}

int Warehouse::getByWarehouseID(int warehouseId)
{
    m_strSQL = SqlText::Format("%s where WarehouseID = %d", m_strSelectAll.c_str(), warehouseId);
    return Open(m_strSQL);
}

} // namespace zev
