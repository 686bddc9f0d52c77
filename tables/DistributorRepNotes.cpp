#include "tables/DistributorRepNotes.h"

#include "tables/SqlText.h"

namespace zev {

DistributorRepNotes::DistributorRepNotes(int poolKey) : Query("DistributorRepNotes", "DistRepID", poolKey) {}

int DistributorRepNotes::getOfAccount(int accountId)
{
    m_strSQL =
        SqlText::Format("%s from %s where AccountID=%d and updated <> 2", kColumns, m_strTable.c_str(), accountId);
    return Open(m_strSQL);
}

int DistributorRepNotes::getWaitingForUpload()
{
    m_strSQL = SqlText::Format("%s from distributorrepnotes where updated > 0", kColumns);
    return Open(m_strSQL);
}

int DistributorRepNotes::addNote(int accountId, std::time_t entered, const std::string& comment)
{
    std::tm tm{};
    if (localtime_r(&entered, &tm) == nullptr)
        return 0;
    const int key = getNewPK();
    if (key < 0)
        return 0;
    const std::string when = SqlText::Format("%d/%d/%d %2d:%2d:%2d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900,
                                             tm.tm_hour, tm.tm_min, tm.tm_sec);
    m_strSQL = SqlText::Format("Insert into %s (DistRepID,AccountID,DateEntered,Comment,Updated) values ( %d,  %d, "
                               "'%s', '%s', 1)",
                               m_strTable.c_str(), key, accountId, when.c_str(), SqlText::Clean(comment).c_str());
    return Open(m_strSQL);
}

int DistributorRepNotes::deleteNote(int accountId, int year, int month, int day, int hour, int minute, int second)
{
    m_strSQL = SqlText::Format(
        "Update %s set Updated=2 where AccountID=%d and datepart(yyyy, DateEntered)=%d and datepart(mm, "
        "DateEntered)=%d and datepart(dd, DateEntered)=%d and datepart(hh, DateEntered)=%d and datepart(mi, "
        "DateEntered)=%d and datepart(ss, DateEntered)=%d ",
        m_strTable.c_str(), accountId, year, month, day, hour, minute, second);
    return Open(m_strSQL);
}

} // namespace zev
