#include "tables/WorkOrderItems.h"

#include "tables/SqlText.h"

namespace zev {

WorkOrderItems::WorkOrderItems(int poolKey) : Query("WorkOrderItems", "AccountID", poolKey) {}

int WorkOrderItems::insertLine(const WorkOrderLine& l) {
    m_strSQL = SqlText::Format(
        "insert into %s (AccountID,WorkOrderID,ItemID,catalogID,CaseQTY,SingleQTY,CDistPrice,SDistPrice,LastQty,"
        "OrderCount,LineItemNumber,SpecialFlag,DiscountAmount,PriceOverride,Par,Inv,RetailPrice,Warehouse,Filter,"
        "LineComment,HTDItemCount) values(%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,'%s','%s','%s',%d,%d,%f,%d,%d,'%s',%d)",
        m_strTable.c_str(), l.accountId, l.workOrderId, l.itemId, l.catalogId, l.caseQty, l.singleQty, l.cDistPrice,
        l.sDistPrice, l.lastQty, l.orderCount, l.lineItemNumber, SqlText::Clean(l.specialFlag).c_str(),
        SqlText::Clean(l.discountAmount).c_str(), SqlText::Clean(l.priceOverride).c_str(), l.par, l.inv,
        l.retailPrice, l.warehouse, l.filter, SqlText::Clean(l.lineComment).c_str(), l.htdItemCount);
    return Open(m_strSQL);
}

} // namespace zev
