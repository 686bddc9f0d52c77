#include "tables/ItemHistory.h"

#include "tables/SqlText.h"

#include <cctype>

namespace zev {

namespace {

// The list goes into "in (...)" unquoted, so only digits, commas, blanks and
// minus signs may pass; anything else would change the statement.
bool IsIdList(const std::string& list)
{
    if (list.empty())
        return false;
    for (char c : list)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != ',' && c != ' ' && c != '-')
            return false;
    return true;
}

} // namespace

ItemHistory::ItemHistory(int poolKey) : Query("ItemHistory", "AccountID", poolKey) {}

int ItemHistory::run(int accountId, const char* word, const std::string& list)
{
    if (!IsIdList(list))
        return 0;
    m_strSQL = SqlText::Format(kPrefix, accountId, word, list.c_str()) + kOrderSuffix;
    return Open(m_strSQL);
}

int ItemHistory::getInCategories(int accountId, const std::string& categories)
{
    return run(accountId, "", categories);
}

int ItemHistory::getNotInCategories(int accountId, const std::string& categories)
{
    return run(accountId, "not", categories);
}

int ItemHistory::getAll(int accountId) { return run(accountId, "not", "0"); }

} // namespace zev
