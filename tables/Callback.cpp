#include "tables/Callback.h"

#include "tables/SqlText.h"

namespace zev {

Callback::Callback(int poolKey) : Query("Callback", "AccountID", poolKey) {}

int Callback::add(int accountId, int callbackDay, const std::string& notes)
{
    m_strSQL = SqlText::Format("Insert into Callback (AccountID, CallbackDay, CallbackNotes) values (%d, %d, '%s')",
                               accountId, callbackDay, SqlText::Clean(notes).c_str());
    return Open(m_strSQL);
}

int Callback::change(int accountId, int callbackDay, const std::string& notes)
{
    m_strSQL = SqlText::Format("Update Callback Set CallbackDay = %d, CallbackNotes = '%s' where AccountID = %d",
                               callbackDay, SqlText::Clean(notes).c_str(), accountId);
    return Open(m_strSQL);
}

int Callback::remove(int accountId)
{
    m_strSQL = SqlText::Format("Delete Callback where AccountID = %d", accountId);
    return Open(m_strSQL);
}

} // namespace zev
