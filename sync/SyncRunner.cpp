#include "sync/SyncRunner.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"

#include <filesystem>

namespace zev::sync {

SyncRunner::SyncRunner(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads)
    : m_e(engine)
    , m_b(builder)
    , m_u(uploads)
{
}

int SyncRunner::CountReadyOrders()
{
    Rows rows;
    if (!m_e.Db().Select("select count(*) from ReadyOrder", rows) || rows.empty()) return 0;
    return IntAt(rows[0], 0);
}

std::string SyncRunner::BackupFile() const
{
    const SyncPaths& p = m_e.Services().paths;
    return p.backupFile.empty() ? p.databaseFile + ".gz" : p.backupFile;
}

void SyncRunner::UpdateClock()
{
    std::string today = m_e.Today();
    if (today == m_e.Profile().GetString("SyncTimeUD")) return;
    std::string path = Format("/MobileServer/%s/goodmorning.cfm?ID=%s&P=%s", m_e.MobileVersion().c_str(),
                              m_e.UserId().c_str(), m_e.Password().c_str());
    if (!m_e.ServerRequest(path, "")) return;
    m_e.ReportProgress("Updating Time", 100, 20);
    std::string line = m_e.ReadReplyLine();
    auto between = [](const std::string& s, const std::string& open, const std::string& close) -> std::string {
        size_t a = s.find(open);
        if (a == std::string::npos) return {};
        a += open.size();
        size_t b = s.find(close, a);
        return b == std::string::npos ? std::string() : s.substr(a, b - a);
    };
    std::string data = between(line, "<DATA>", "</DATA>");
    // A reply without the data block sets nothing and leaves the day open for another try.
    if (data.empty()) return;
    int year = ToInt(between(data, "<YEAR>", "</YEAR>"));
    int month = ToInt(between(data, "<MONTH>", "</MONTH>"));
    int day = ToInt(between(data, "<DAY>", "</DAY>"));
    int hour = ToInt(between(data, "<HOUR>", "</HOUR>"));
    int minute = ToInt(between(data, "<MINUTE>", "</MINUTE>"));
    int second = ToInt(between(data, "<SECOND>", "</SECOND>"));
    if (m_e.Services().helpers.setTime) m_e.Services().helpers.setTime(year, month, day, hour, minute, second);
    m_e.Profile().SetString("SyncTimeUD", today);
}

int SyncRunner::BackupDatabase(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    m_e.ReportProgress("Backing up Database", 100, 20);
    m_e.Db().CloseAll();
    int r = 0;
    if (m_e.Services().helpers.compress)
        r = m_e.Services().helpers.compress(m_e.Services().paths.databaseFile.c_str(), 0);
    m_e.ReportProgress("Ready...", 100, 0);
    return r != 0 ? 1 : 0;
}

int SyncRunner::RestoreDatabase(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    m_e.ReportProgress("Restoring Database", 100, 20);
    m_e.Db().CloseAll();
    int r = 0;
    if (m_e.Services().helpers.uncompress)
        r = m_e.Services().helpers.uncompress(m_e.Services().paths.databaseFile.c_str(), 0);
    m_e.ReportProgress("Ready...", 100, 0);
    return r != 0 ? 1 : 0;
}

bool SyncRunner::RunSynchronise(IProgressSink* window, bool& backedUp)
{
    ISyncProfile& p = m_e.Profile();
    if (ToInt(m_e.Ini("SETTINGS", "BBEFORESYNC", "1")) == 1) {
        if (!BackupDatabase(window)) return false;
        backedUp = true;
    }
    p.SetInt("RestoreOnOpen", 1);
    UpdateClock();
    if (!m_u.SendChanges(window)) return false;
    SchemaFile schema = m_b.Schema();
    m_e.Db().CloseAll();
    for (const std::string& t : SplitList(schema.Value("Database", "InsertSync")))
        if (!t.empty() && m_b.GrabTableForManager(t, 1) < 0) return false;
    for (const std::string& t : SplitList(schema.Value("Database", "UpdateSync")))
        if (!t.empty() && m_b.GrabTables(t, 1, true) == -1) return false;
    for (const std::string& t : SplitList(schema.Value("Database", "RefreshSync"))) {
        if (t.empty()) continue;
        (void)m_e.Db().Exec(Format("delete from %s where datediff(day,transdate,getdate()) <= 1", t.c_str()));
        if (m_b.GrabTables(t, 1, true) == -1) return false;
    }
    if (ToInt(schema.Value("Database", "SyncSkipInven", "0")) == 0 && m_b.GrabTables("Inventory", 2, false) == -1)
        return false;
    p.SetInt("RestoreOnOpen", 0);
    p.SetString("LastSyncUD", m_e.Now());
    m_e.ReportProgress("Synchronization Complete", 100, 100);
    return true;
}

bool SyncRunner::RunCompleteUpdate(IProgressSink* window, int unsent, bool& backedUp, bool& endedQuietly)
{
    ISyncProfile& p = m_e.Profile();
    SchemaFile schema = m_b.Schema();
    std::string version = schema.Value("Database", "Version");
    bool differ = !EqualsNoCase(p.GetString("DBVersion"), version);
    if (unsent > 0 && differ &&
        m_e.Box().Ask(65100, 65098, MbButtons::YesNo, MbIcon::Warning, MbResult::No) != MbResult::Yes) {
        endedQuietly = true;
        return true;
    }
    if (ToInt(m_e.Ini("SETTINGS", "BBEFORERENEW", "1")) == 1) {
        if (!BackupDatabase(window)) return false;
        backedUp = true;
    }
    p.SetInt("RestoreOnOpen", 1);
    UpdateClock();
    if (!m_u.SendChanges(window)) return false;
    if (differ || unsent == 0) m_b.CreateDatabase(window);
    p.SetString("DBVersion", version);

    std::vector<std::string> local = SplitList(schema.Value("Database", "LocalOnly"));
    std::vector<std::string> tables;
    for (const std::string& t : SplitList(schema.Value("Database", "TableNames"))) {
        bool isLocal = false;
        for (const std::string& l : local)
            if (l == t) isLocal = true;
        if (!t.empty() && !isLocal) tables.push_back(t);
    }
    if (ToInt(m_e.Ini("SETTINGS", "RENEWMODE", "1")) == 2) {
        for (const std::string& t : tables)
            if (m_b.GrabTableForManager(t, 2) < 0) return false;
        m_e.Disconnect();
        for (const std::string& t : tables) {
            p.SetString("LastRenewTable", t);
            std::string file = m_b.KeptTableFile(t);
            if (m_b.ApplyTableFile(file, kModeInsert, true, t) < 0) {
                // Left for the next sign-in to find: the marker and the flag stay set.
                endedQuietly = true;
                return false;
            }
            std::error_code ec;
            std::filesystem::remove(file, ec);
            p.SetString(t + "UD", m_e.Now());
        }
    } else {
        for (const std::string& t : tables) {
            p.SetString("LastRenewTable", t);
            if (m_b.GrabTableForManager(t, 1) < 0) return false;
        }
    }
    p.SetInt("RestoreOnOpen", 0);
    std::string now = m_e.Now();
    p.SetString("LastRenewUD", now);
    p.SetString("InventoryUD", now);
    p.SetString("LastRenewTable", "");
    m_e.ReportProgress("Update Complete", 100, 100);
    return true;
}

bool SyncRunner::SyncRun(int kind, IProgressSink* window)
{
    ISyncProfile& p = m_e.Profile();
    int unsent = kind == kCompleteUpdate ? CountReadyOrders() : 0;
    m_e.Db().CloseAll();
    m_e.SetProgressWindow(window);
    if (kind == kCompleteUpdate &&
        m_e.Box().Show(65096, 65097, MbButtons::OkCancel, MbIcon::Information) == MbResult::Cancel)
        return true;

    m_e.ClearFailure();
    bool ok = true;
    bool backedUp = false;
    bool endedQuietly = false;
    if (kind >= kRenewTableBase) {
        std::vector<std::string> names = SplitList(m_b.Schema().Value("Database", "TableNames"));
        size_t i = static_cast<size_t>(kind - kRenewTableBase);
        if (i >= names.size()) return false;
        // The table is rebuilt before its rows arrive: a copy to go back to
        // first, as for the other runs that change tables.
        ok = BackupDatabase(window) != 0;
        if (ok) {
            backedUp = true;
            p.SetInt("RestoreOnOpen", 1);
            ok = m_b.GrabTableForManager(names[i], 1) >= 0;
        }
    } else if (kind == kInventoryUpdate) {
        UpdateClock();
        if (m_b.GrabTables("Inventory", 2, false) == -1) {
            ok = false;
        } else {
            std::string now = m_e.Now();
            p.SetString("InventoryUD", now);
            p.SetString("ItemsUD", now);
            m_e.ReportProgress("Inventory Update Complete", 100, 100);
        }
    } else if (kind == kSynchronise) {
        ok = RunSynchronise(window, backedUp);
    } else if (kind == kCompleteUpdate) {
        ok = RunCompleteUpdate(window, unsent, backedUp, endedQuietly);
        if (endedQuietly) return ok;
    } else {
        return false;
    }

    if (!ok) {
        if (backedUp) {
            DatabaseBuilder::KeptOrders kept = m_b.KeepReadyOrders();
            if (RestoreDatabase(window)) {
                p.SetInt("RestoreOnOpen", 0);
                m_b.PutBackReadyOrders(kept);
            }
        }
        m_e.ReportProgress("Update Failed", 100, 0);
        // Say what happened when it is known; the generic text only otherwise.
        if (!m_e.FailureText().empty())
            m_e.Box().ShowText(m_e.FailureText(), 65099, MbButtons::Ok, MbIcon::Stop);
        else
            m_e.Box().Show(65063, 65099, MbButtons::Ok, MbIcon::Stop);
    }
    p.SetInt("RestoreOnOpen", 0);
    return ok;
}

bool SyncRunner::PasswordMatches(const std::string& typed) const
{
    std::string pw = TrimBlanks(typed);
    if (pw.empty() || !m_e.Services().helpers.hash) return false;
    return EqualsNoCase(m_e.Services().helpers.hash(pw), m_e.Password());
}

void SyncRunner::Recover()
{
    ISyncProfile& p = m_e.Profile();
    DatabaseBuilder::KeptOrders kept = m_b.KeepReadyOrders();
    m_e.Db().CloseAll();
    if (std::filesystem::exists(BackupFile()) && m_e.Services().helpers.uncompress) {
        m_e.Services().helpers.uncompress(m_e.Services().paths.databaseFile.c_str(), 0);
        m_b.PutBackReadyOrders(kept);
    } else {
        m_b.CheckDatabase();
    }
    p.SetString("LastRenewTable", "");
    p.SetInt("RestoreOnOpen", 0);
}

SignInScreen SyncRunner::ContinueSignIn()
{
    ISyncProfile& p = m_e.Profile();
    if (p.GetInt("RestoreOnOpen", 0) == 1) {
        if (!p.GetString("LastRenewTable").empty()) {
            if (m_e.Box().Show(65104, 65097, MbButtons::YesNo, MbIcon::Warning) == MbResult::Yes) {
                m_b.CheckDatabase();
                return SignInScreen::Maintenance;
            }
        } else {
            m_e.Box().Show(65061, 65099, MbButtons::Ok, MbIcon::Stop);
        }
        Recover();
    }
    SchemaFile schema = m_b.Schema();
    int check = m_b.CheckDatabase();
    if (check != 0 || !schema.Exists() ||
        m_e.Profile().GetString("DBVersion") != schema.Value("Database", "Version")) {
        m_e.Box().Show(65027, 65097, MbButtons::Ok, MbIcon::Information);
        return SignInScreen::Maintenance;
    }
    return CountReadyOrders() > 0 ? SignInScreen::RecentOrders : SignInScreen::Accounts;
}

bool SyncRunner::ResetSettings()
{
    if (m_e.Box().AskText("Resetting your settings will remove all user data from this device are you sure?", 65098,
                          MbButtons::YesNo, MbIcon::Warning, MbResult::No) != MbResult::Yes)
        return false;
    m_e.Db().OpenAdmin();
    m_b.RebuildTable("ALL");
    m_e.Db().CloseAll();
    m_e.Profile().DeleteSection("Application");
    m_e.Profile().DeleteSection("ListData");
    m_e.Box().Show(65072, 65097, MbButtons::Ok, MbIcon::Information);
    return true;
}

} // namespace zev::sync
