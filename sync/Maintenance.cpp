#include "sync/Maintenance.h"
#include "app/core/StringIds.h"

#include "app/core/ZevConfigLayout.h"
#include "sync/AccountRules.h"
#include "sync/IssueReport.h"
#include "sync/ItemExport.h"
#include "sync/RequestBodies.h"
#include "sync/SyncText.h"
#include "sync/Uploads.h"

#include <algorithm>
#include <cctype>

namespace zev::sync {

namespace {
constexpr int kFieldBlank = 65064;
constexpr int kIssueNotSaved = 65065;
constexpr int kNewMessages = 65140;
using zev::ids::kCaptionInformation;
} // namespace

Maintenance::Maintenance(SyncEngine& engine, DatabaseBuilder& builder) : m_e(engine), m_b(builder) {}

int Maintenance::CheckSetup(const std::string& user, const std::string& password, const std::string& confirmation,
                            const std::string& manager, bool managerMode)
{
    return CheckSetupEntries(user, password, confirmation, manager, managerMode).messageId;
}

int Maintenance::FirstTimeSetup(const std::string& user, const std::string& password, const std::string& confirmation,
                                const std::string& manager, bool managerMode)
{
    const SetupCheck check = CheckSetupEntries(user, password, confirmation, manager, managerMode);
    if (check.messageId != 0) {
        m_e.Box().Show(check.messageId, check.caption, MbButtons::Ok, MbIcon::Stop);
        return check.messageId;
    }
    ISyncProfile& p = m_e.Profile();
    p.SetString("UserID", user);
    p.SetString("Password", m_e.Services().helpers.hash ? m_e.Services().helpers.hash(password) : std::string());
    p.SetString("ManagerID", manager);
    p.SetString("ConnectionName", "Standard Internet");
    return 0;
}

int Maintenance::ChangePassword(const std::string& oldPassword, const std::string& newPassword,
                                const std::string& confirmation)
{
    const auto& hash = m_e.Services().helpers.hash;
    std::string oldPw = TrimBlanks(oldPassword), newPw = TrimBlanks(newPassword), conf = TrimBlanks(confirmation);
    if (!hash || !EqualsNoCase(hash(oldPw), m_e.Password())) {
        m_e.Box().Show(65066, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        return 65066;
    }
    if (newPw != conf) {
        m_e.Box().Show(65067, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        return 65067;
    }
    std::string digest = hash(newPw);
    if (m_e.ChangeServerPassword(digest) != 1) {
        m_e.Box().Show(65068, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        return 65068;
    }
    m_e.Profile().SetString("Password", digest);
    return 0;
}

int Maintenance::ExportItems(const std::string& path, IProgressSink* progress)
{
    return sync::ExportItems(m_e.Db(), path, progress);
}

int Maintenance::ReportIssue(const std::string& shortDescription, const std::string& details, bool contactMe)
{
    const std::string shortText = TrimBlanks(shortDescription);
    const std::string detailText = TrimBlanks(details);
    if (shortText.empty() || detailText.empty())
        return kFieldBlank;
    return FileIssue(m_e.Db(), shortText, detailText, m_e.UserId(), contactMe) ? 0 : kIssueNotSaved;
}

int Maintenance::CountNewMessages()
{
    Rows rows;
    // The ID goes into the statement as a number; anything else is not ours.
    const std::string user = m_e.UserId();
    if (user.empty() || !std::all_of(user.begin(), user.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return 0;
    if (!m_e.Db().Select(Format("select count(*) from messages where tostatus=0 and toid=%s", user.c_str()), rows) ||
        rows.empty())
        return 0;
    return IntAt(rows[0], 0);
}

bool Maintenance::NoticeNewMessages()
{
    if (m_e.ConfigByte(static_cast<int>(cfg::kMessageCenter)) != 1 || CountNewMessages() <= 0)
        return false;
    m_e.Box().Show(kNewMessages, kCaptionInformation, MbButtons::Ok, MbIcon::Information);
    return true;
}

std::vector<std::pair<std::string, int>> Maintenance::WaitingRecords()
{
    std::vector<std::pair<std::string, int>> out;
    auto count = [this](const char* sql) {
        Rows rows;
        return m_e.Db().Select(sql, rows) && !rows.empty() ? IntAt(rows[0], 0) : -1;
    };
    out.emplace_back("ReadyOrder", count("select count(*) from ReadyOrder"));
    for (const WaitingQuery& q : Uploads::WaitingQueries())
        out.emplace_back(q.table, count(q.countSql));
    return out;
}

std::vector<Maintenance::Rep> Maintenance::ManagerReps()
{
    std::vector<Rep> reps;
    Rows rows;
    if (!m_e.Db().Select("select * from ManagerReps", rows))
        return reps;
    for (const Row& row : rows) {
        if (row.size() < 3)
            continue;
        reps.push_back({TrimBlanks(row[0]), TrimBlanks(row[1]), TrimBlanks(row[2])});
    }
    return reps;
}

int Maintenance::DeleteDatabase()
{
    ISyncDb& db = m_e.Db();
    if (!db.OpenAdmin())
        return -1;
    const int errors = m_b.RebuildTable("ALL");
    db.CloseAll();
    m_e.Profile().SetString("LastRenewTable", "");
    m_e.Profile().SetInt("RestoreOnOpen", 0);
    return errors;
}

} // namespace zev::sync
