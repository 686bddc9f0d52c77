#include "tables/AccountAttributes.h"

#include "tables/SqlText.h"

namespace zev {

AccountAttributes::AccountAttributes(int poolKey) : Query("AccountAttributes", "AccountID", poolKey) {}

int AccountAttributes::getOfAccount(int accountId)
{
    m_strSQL = SqlText::Format("%s where AccountID = %d", m_strSelectAll.c_str(), accountId);
    return Open(m_strSQL);
}

int AccountAttributes::getAttribute(int accountId, const std::string& name)
{
    m_strSQL = SqlText::Format("%s where AccountID = %d and AttributeName = '%s'", m_strSelectAll.c_str(), accountId,
                               SqlText::Clean(name).c_str());
    return Open(m_strSQL);
}

} // namespace zev
