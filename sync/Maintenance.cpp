#include "sync/Maintenance.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"
#include "sync/Uploads.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace zev::sync {

Maintenance::Maintenance(SyncEngine& engine, DatabaseBuilder& builder)
    : m_e(engine)
    , m_b(builder)
{
}

int Maintenance::CheckSetup(const std::string& user, const std::string& password, const std::string& confirmation,
                            const std::string& manager, bool managerMode)
{
    if (user.empty() || password.empty() || confirmation.empty() || (managerMode && manager.empty())) return 65009;
    if (user.size() < 6 || !std::all_of(user.begin(), user.end(), [](unsigned char c) { return std::isdigit(c); }))
        return 65011;
    if (password != confirmation) return 65010;
    return 0;
}

int Maintenance::FirstTimeSetup(const std::string& user, const std::string& password,
                                const std::string& confirmation, const std::string& manager, bool managerMode)
{
    int r = CheckSetup(user, password, confirmation, manager, managerMode);
    if (r != 0) {
        m_e.Box().Show(r, r == 65009 ? 65097 : 65099, MbButtons::Ok, MbIcon::Stop);
        return r;
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
        m_e.Box().Show(65066, 65099, MbButtons::Ok, MbIcon::Stop);
        return 65066;
    }
    if (newPw != conf) {
        m_e.Box().Show(65067, 65099, MbButtons::Ok, MbIcon::Stop);
        return 65067;
    }
    std::string digest = hash(newPw);
    if (m_e.ChangeServerPassword(digest) != 1) {
        m_e.Box().Show(65068, 65099, MbButtons::Ok, MbIcon::Stop);
        return 65068;
    }
    m_e.Profile().SetString("Password", digest);
    return 0;
}

int Maintenance::ExportItems(const std::string& path, IProgressSink* progress)
{
    Rows rows;
    (void)m_e.Db().Select("Select ItemID, DistributorSKU, Description, UPC from Items where deletedflag = 0 order by UPC",
                          rows);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return -1;
    int n = 0;
    for (const Row& r : rows) {
        std::string upc = TrimBlanks(At(r, 3));
        std::string line = (upc.empty() ? std::string("NA") : upc) + "|" + TrimBlanks(At(r, 1)) + "|" +
            TrimBlanks(At(r, 2)) + "\r\n";
        std::fputs(line.c_str(), f);
        ++n;
        if (progress) progress->Report(ProgressPercent(static_cast<int>(rows.size()), n), "Exporting Items");
    }
    bool ok = std::fclose(f) == 0;
    return ok ? n : -1;
}

int Maintenance::CountNewMessages()
{
    Rows rows;
    std::string user = m_e.UserId();
    if (user.empty() || !std::all_of(user.begin(), user.end(), [](unsigned char c) { return std::isdigit(c); }))
        return 0;
    if (!m_e.Db().Select(Format("select count(*) from messages where tostatus=0 and toid=%s", user.c_str()), rows) ||
        rows.empty())
        return 0;
    return IntAt(rows[0], 0);
}

std::vector<std::pair<std::string, int>> Maintenance::WaitingRecords()
{
    std::vector<std::pair<std::string, int>> out;
    auto count = [this](const char* sql) {
        Rows rows;
        return m_e.Db().Select(sql, rows) && !rows.empty() ? IntAt(rows[0], 0) : -1;
    };
    out.emplace_back("ReadyOrder", count("select count(*) from ReadyOrder"));
    for (const WaitingQuery& q : Uploads::WaitingQueries()) out.emplace_back(q.table, count(q.countSql));
    return out;
}

} // namespace zev::sync
