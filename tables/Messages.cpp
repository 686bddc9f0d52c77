#include "tables/Messages.h"

#include "tables/SqlText.h"

#include <algorithm>
#include <cctype>

namespace zev {

Messages::Messages(int poolKey) : Query("Messages", "MessageID", poolKey) {}

bool Messages::hasUnread(const std::string& userId)
{
    const std::string id = SqlText::Trim(userId);
    // The id stands unquoted in the statement, so it must be digits only.
    if (id.empty() || !std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    m_strSQL = SqlText::Format("select count(*) from messages where tostatus=0 and toid=%s", id.c_str());
    return Open(m_strSQL) && GetFieldValueInt(0) > 0;
}

} // namespace zev
