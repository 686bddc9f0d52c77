#include "tables/OrderHistory.h"

#include "tables/SqlText.h"

namespace zev {

OrderHistory::OrderHistory(int poolKey) : Query("OrderHistory", "OrderNumber", poolKey) {}

int OrderHistory::getByAccount(int accountId, bool descending)
{
    m_strSQL = SqlText::Format("%s where AccountID=%d order by ActivateDate %s", m_strSelectAll.c_str(), accountId,
                               descending ? "desc" : "asc");
    return Open(m_strSQL);
}

int OrderHistory::getByOrderNumber(int orderNumber)
{
    m_strSQL = SqlText::Format("%s where orderNumber=%d", m_strSelectAll.c_str(), orderNumber);
    return Open(m_strSQL);
}

int OrderHistory::getByDistInvoice(const std::string& invoice)
{
    m_strSQL = SqlText::Format("%s where DistInvoice='%s'", m_strSelectAll.c_str(), SqlText::Clean(invoice).c_str());
    return Open(m_strSQL);
}

int OrderHistory::getOfDay(const std::string& date)
{
    const std::string d = SqlText::Clean(date);
    m_strSQL = SqlText::Format("%s where datepart(m, transdate) = datepart(m, '%s') and datepart(d, transdate) = "
                               "datepart(d, '%s') and datepart(yyyy, transdate) = datepart(yyyy, '%s')",
                               m_strSelectAll.c_str(), d.c_str(), d.c_str(), d.c_str());
    return Open(m_strSQL);
}

int OrderHistory::getSince(const std::string& date)
{
    m_strSQL = SqlText::Format("%s where transdate >= '%s'", m_strSelectAll.c_str(), SqlText::Clean(date).c_str());
    return Open(m_strSQL);
}

int OrderHistory::getBetween(const std::string& after, const std::string& before)
{
    m_strSQL = SqlText::Format("%s where transdate > '%s' and transdate < '%s'", m_strSelectAll.c_str(),
                               SqlText::Clean(after).c_str(), SqlText::Clean(before).c_str());
    return Open(m_strSQL);
}

int OrderHistory::getFirstOrderDate(int accountId)
{
    m_strSQL = SqlText::Format("select min(transdate) from orderhistory where accountID=%d", accountId);
    return Open(m_strSQL);
}

int OrderHistory::getTransmittedSince(const std::string& date)
{
    m_strSQL = SqlText::Format("%s where transmitdate >= '%s' and SiteID = 3", m_strSelectAll.c_str(),
                               SqlText::Clean(date).c_str());
    return Open(m_strSQL);
}

} // namespace zev
