#include "tables/AccountCalled.h"

#include "tables/SqlText.h"

namespace zev {

AccountCalled::AccountCalled(int poolKey) : Query("AccountCalled", "AccountID", poolKey) {}

int AccountCalled::getStatus(int accountId, int dayIndex)
{
    m_strSQL = SqlText::Format("select * from AccountCalled where AccountID = %d and Day = %d", accountId, dayIndex);
    return Open(m_strSQL);
}

int AccountCalled::record(int accountId, int dayIndex, int type)
{
    m_strSQL = SqlText::Format("Insert into AccountCalled (AccountID, Day, Type) values (%d, %d, %d)", accountId,
                               dayIndex, type);
    return Open(m_strSQL);
}

int AccountCalled::clear(int accountId, int dayIndex)
{
    m_strSQL = SqlText::Format("Delete AccountCalled where AccountID = %d and Day = %d", accountId, dayIndex);
    return Open(m_strSQL);
}

int AccountCalled::clearWeek()
{
    m_strSQL = "Delete AccountCalled";
    return Open(m_strSQL);
}

} // namespace zev
