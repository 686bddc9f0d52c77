#include "tables/ReadyOrderItems.h"

#include "tables/SqlText.h"

namespace zev {

ReadyOrderItems::ReadyOrderItems(int poolKey) : Query("ReadyOrderItems", "ReadyID", poolKey) {}

int ReadyOrderItems::insertLine(const ReadyOrderLine& l)
{
    m_strSQL = SqlText::Format(
        "insert into %s (AccountID, ReadyID, ItemID, catalogID, CQty, SQty, CDistPrice, SDistPrice, LineItemNumber, "
        "SpecialFlag, DiscountAmount, PriceOverride, par, inv, ExtPrice, RetailPrice, Warehouse, LineComment ) "
        "values( %d,%d,%d,%d,%d,%d,%f,%f,%d,'%u','%.2lf','%.2lf',%d,%d,%f,%f,%d,'%s')",
        m_strTable.c_str(), l.accountId, l.readyId, l.itemId, l.catalogId, l.cases, l.singles, l.casePrice,
        l.singlePrice, l.lineItemNumber, l.specialFlag, l.discount, l.priceOverride, l.par, l.inv, l.extPrice,
        l.retailPrice, l.warehouse, SqlText::Clean(l.lineComment).c_str());
    return Open(m_strSQL);
}

int ReadyOrderItems::deleteOrder(int accountId, int readyId)
{
    m_strSQL =
        SqlText::Format("Delete %s where AccountID = %d and ReadyID = %d", m_strTable.c_str(), accountId, readyId);
    return Open(m_strSQL);
}

} // namespace zev
