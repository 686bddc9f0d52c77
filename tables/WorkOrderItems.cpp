#include "tables/WorkOrderItems.h"

#include "tables/SqlText.h"

namespace zev {

WorkOrderItems::WorkOrderItems(int poolKey) : Query("WorkOrderItems", "AccountID", poolKey) {}

int WorkOrderItems::insertLine(const WorkOrderLine& l)
{
    m_strSQL = SqlText::Format(
        "insert into %s (AccountID,WorkOrderID,ItemID,catalogID,CaseQTY,SingleQTY,CDistPrice,SDistPrice,LastQty,"
        "OrderCount,LineItemNumber,SpecialFlag,DiscountAmount,PriceOverride,Par,Inv,RetailPrice,Warehouse,Filter,"
        "LineComment,HTDItemCount) values(%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,'%s','%s','%s',%d,%d,%f,%d,%d,'%s',%d)",
        m_strTable.c_str(), l.accountId, l.workOrderId, l.itemId, l.catalogId, l.caseQty, l.singleQty, l.cDistPrice,
        l.sDistPrice, l.lastQty, l.orderCount, l.lineItemNumber, SqlText::Clean(l.specialFlag).c_str(),
        SqlText::Clean(l.discountAmount).c_str(), SqlText::Clean(l.priceOverride).c_str(), l.par, l.inv, l.retailPrice,
        l.warehouse, l.filter, SqlText::Clean(l.lineComment).c_str(), l.htdItemCount);
    return Open(m_strSQL);
}

int WorkOrderItems::insertLineValues(int accountId, int workOrderId, int itemId, int catalogId, int caseQty,
                                     int singleQty, double cDistPrice, double sDistPrice, int lastQty, int orderCount,
                                     int lineItemNumber, const std::string& specialFlag,
                                     const std::string& discountAmount, const std::string& priceOverride, int par,
                                     int inv, double retailPrice, int warehouse, int filter,
                                     const std::string& lineComment, int htdItemCount)
{
    m_strSQL = SqlText::Format(
        "insert into WorkOrderItems (AccountID,WorkOrderID,ItemID,catalogID,CaseQTY,SingleQTY,CDistPrice,SDistPrice,"
        "LastQty,OrderCount,LineItemNumber,SpecialFlag,DiscountAmount,PriceOverride,Par,Inv,RetailPrice,Warehouse,"
        "Filter,LineComment,HTDItemCount) values(%d,%d,%d,%d,%d,%d,%f,%f,%d,%d,%d,'%s','%s','%s',%d,%d,%f,%d,%d,'%s',"
        "%d)",
        accountId, workOrderId, itemId, catalogId, caseQty, singleQty, cDistPrice, sDistPrice, lastQty, orderCount,
        lineItemNumber, SqlText::Clean(specialFlag).c_str(), SqlText::Clean(discountAmount).c_str(),
        SqlText::Clean(priceOverride).c_str(), par, inv, retailPrice, warehouse, filter,
        SqlText::Clean(lineComment).c_str(), htdItemCount);
    return Open(m_strSQL);
}

int WorkOrderItems::deleteGuide(int accountId, int workOrderId)
{
    m_strSQL = SqlText::Format("delete %s where AccountID=%d and WorkOrderID = %d", m_strTable.c_str(), accountId,
                               workOrderId);
    return Open(m_strSQL);
}

int WorkOrderItems::updateLine(const WorkOrderLine& l)
{
    m_strSQL = SqlText::Format(
        "update %s set CaseQTY=%d, SingleQTY=%d, CDistPrice=%f, SDistPrice=%f, SpecialFlag='%s', "
        "DiscountAmount='%s', PriceOverride='%s', par=%d, inv=%d, RetailPrice=%f, Warehouse=%d, LineComment = '%s' "
        "where AccountID=%d and WorkOrderID=%d and LineItemNumber=%d",
        m_strTable.c_str(), l.caseQty, l.singleQty, l.cDistPrice, l.sDistPrice, SqlText::Clean(l.specialFlag).c_str(),
        SqlText::Clean(l.discountAmount).c_str(), SqlText::Clean(l.priceOverride).c_str(), l.par, l.inv, l.retailPrice,
        l.warehouse, SqlText::Clean(l.lineComment).c_str(), l.accountId, l.workOrderId, l.lineItemNumber);
    return Open(m_strSQL);
}

int WorkOrderItems::updateQuantities(int accountId, int workOrderId, int lineItemNumber, int caseQty, int singleQty,
                                     int par, int inv)
{
    m_strSQL =
        SqlText::Format("update %s set CaseQTY=%d, SingleQTY=%d, par=%d, inv=%d where AccountID=%d and "
                        "WorkOrderID=%d and LineItemNumber=%d",
                        m_strTable.c_str(), caseQty, singleQty, par, inv, accountId, workOrderId, lineItemNumber);
    return Open(m_strSQL);
}

int WorkOrderItems::highestLineNumber(int accountId, int workOrderId)
{
    m_strSQL = SqlText::Format("select MAX(LineItemNumber) from %s where AccountID=%d and WorkOrderID=%d",
                               m_strTable.c_str(), accountId, workOrderId);
    // An aggregate always yields one row; a guide without lines gives null, read as 0.
    if (Open(m_strSQL) == 0)
        return -1;
    return GetFieldValueInt(0);
}

int WorkOrderItems::findItem(int itemId, int accountId, int workOrderId)
{
    m_strSQL = SqlText::Format("%s where AccountID=%d and WorkOrderID=%d and ItemID=%d", m_strSelectAll.c_str(),
                               accountId, workOrderId, itemId);
    return Open(m_strSQL);
}

} // namespace zev
