#include "tables/OrderHistoryByItem.h"

#include "tables/SqlText.h"

namespace zev {

OrderHistoryByItem::OrderHistoryByItem(int poolKey)
    : JoinedQuery("OrderHistory O, OrderHistoryItems I", "I.DistributorSKU", "O.OrderNumber = I.OrderNumber", poolKey)
{
}

int OrderHistoryByItem::getMonthlyTotals(int itemId)
{
    m_strSQL = SqlText::Format(
        "select SUM(I.CQty), SUM(I.SQty), datepart(m, O.TransDate), datepart(yy, O.TransDate), SUM(I.ExtPrice) "
        "from %s where %s and I.ItemID = %d group by datepart(m, O.TransDate), datepart(yy, O.TransDate)",
        m_strTable.c_str(), m_strJoin.c_str(), itemId);
    return Open(m_strSQL);
}

int OrderHistoryByItem::getMonthlyTotalsOfAccount(int accountId, int itemId)
{
    m_strSQL = SqlText::Format(
        "select SUM(I.CQty), SUM(I.SQty), datepart(m, O.TransDate), datepart(yy, O.TransDate), SUM(I.ExtPrice) "
        "from %s where %s and O.AccountID = %d and I.ItemID = %d group by datepart(m, O.TransDate), "
        "datepart(yy, O.TransDate)",
        m_strTable.c_str(), m_strJoin.c_str(), accountId, itemId);
    return Open(m_strSQL);
}

int OrderHistoryByItem::getMonthlyQuantitiesOfAccount(int accountId, int itemId)
{
    m_strSQL = SqlText::Format(
        "select SUM(I.CQty), SUM(I.SQty), datepart(m, O.TransDate), datepart(yy, O.TransDate) from %s where %s "
        "and O.AccountID = %d and I.ItemID = %d group by datepart(m, O.TransDate), datepart(yy, O.TransDate)",
        m_strTable.c_str(), m_strJoin.c_str(), accountId, itemId);
    return Open(m_strSQL);
}

int OrderHistoryByItem::getQuarterlyQuantitiesOfAccount(int accountId, int itemId)
{
    m_strSQL = SqlText::Format(
        "select SUM(I.CQty), SUM(I.SQty), datepart(q, O.TransDate), datepart(yy, O.TransDate) from %s where %s "
        "and O.AccountID = %d and I.ItemID = %d group by datepart(q, O.TransDate), datepart(yy, O.TransDate)",
        m_strTable.c_str(), m_strJoin.c_str(), accountId, itemId);
    return Open(m_strSQL);
}

int OrderHistoryByItem::getOrderLinesOfAccount(int itemId, int accountId)
{
    m_strSQL = SqlText::Format(
        "select O.OrderNumber, O.DistInvoice, I.CQty, I.SQty, I.CPrice, I.SPrice, I.ExtPrice, datepart(dd, "
        "O.TransDate), datepart(mm, O.TransDate), datepart(yy, O.TransDate) from %s where %s and I.ItemID = %d and "
        "O.AccountID = %d order by O.TransDate desc",
        m_strTable.c_str(), m_strJoin.c_str(), itemId, accountId);
    return Open(m_strSQL);
}

int OrderHistoryByItem::getInvoiceLinesOfAccount(int itemId, int accountId)
{
    m_strSQL = SqlText::Format(
        "select O.OrderNumber, O.DistInvoice, O.TransDate, I.CQty, I.SQty, I.CQtyShipped, I.SQtyShipped, I.CPrice, "
        "I.SPrice, I.ExtPrice from %s where %s and O.SiteID = 3 and I.ItemID = %d and O.AccountID = %d order by "
        "O.TransDate desc",
        m_strTable.c_str(), m_strJoin.c_str(), itemId, accountId);
    return Open(m_strSQL);
}

int OrderHistoryByItem::getInvoiceLines(int itemId)
{
    m_strSQL = SqlText::Format(
        "select O.OrderNumber, O.DistInvoice, O.TransDate, I.CQty, I.SQty, I.CQtyShipped, I.SQtyShipped, I.CPrice, "
        "I.SPrice, I.ExtPrice from %s where %s and O.SiteID = 3 and I.ItemID = %d order by O.TransDate desc",
        m_strTable.c_str(), m_strJoin.c_str(), itemId);
    return Open(m_strSQL);
}

} // namespace zev
