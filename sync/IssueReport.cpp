#include "sync/IssueReport.h"

#include "sync/SyncPorts.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zev::sync {

namespace {

std::string DoubleApostrophes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

int FirstInt(ISyncDb& db, const std::string& sql, bool& ok)
{
    Rows rows;
    ok = db.Select(sql, rows);
    if (!ok || rows.empty() || rows.front().empty())
        return 0;
    return std::atoi(rows.front().front().c_str());
}

} // namespace

bool FileIssue(ISyncDb& db, const std::string& shortDescription, const std::string& details, const std::string& userId,
               bool contactMe)
{
    if (!db.OpenAdmin())
        return false;
    bool ok = false;
    int key = 1;
    if (FirstInt(db, "select count(*) from Issues", ok) > 0) {
        key = FirstInt(db, "select max(IssueID) + 1 from Issues", ok);
        if (!ok || key <= 0)
            return false;
    } else if (!ok) {
        return false;
    }
    const std::string shortText = DoubleApostrophes(shortDescription);
    const std::string detailText = DoubleApostrophes(details);
    const int size = std::snprintf(nullptr, 0, "insert %s values (%d, '%s', '%s', %d, %d)", "Issues", key,
                                   shortText.c_str(), detailText.c_str(), std::atoi(userId.c_str()), contactMe ? 1 : 0);
    std::vector<char> sql(static_cast<std::size_t>(size) + 1);
    std::snprintf(sql.data(), sql.size(), "insert %s values (%d, '%s', '%s', %d, %d)", "Issues", key, shortText.c_str(),
                  detailText.c_str(), std::atoi(userId.c_str()), contactMe ? 1 : 0);
    return db.Exec(sql.data());
}

} // namespace zev::sync
