#include "sync/SyncRunner.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"
#include "sync/TablePrefetch.h"

#include <filesystem>
#include <memory>

namespace zev::sync {

SyncRunner::SyncRunner(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads)
    : m_e(engine), m_b(builder), m_u(uploads)
{
}

int SyncRunner::CountReadyOrders()
{
    Rows rows;
    if (!m_e.Db().Select("select count(*) from ReadyOrder", rows) || rows.empty())
        return 0;
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
    if (today == m_e.Profile().GetString("SyncTimeUD"))
        return;
    std::string path = Format("/MobileServer/%s/goodmorning.cfm?ID=%s&P=%s", m_e.MobileVersion().c_str(),
                              m_e.UserId().c_str(), m_e.Password().c_str());
    if (!m_e.ServerRequest(path, ""))
        return;
    m_e.ReportProgress("Updating Time", 100, 20);
    std::string line = m_e.ReadReplyLine();
    auto between = [](const std::string& s, const std::string& open, const std::string& close) -> std::string {
        size_t a = s.find(open);
        if (a == std::string::npos)
            return {};
        a += open.size();
        size_t b = s.find(close, a);
        return b == std::string::npos ? std::string() : s.substr(a, b - a);
    };
    std::string data = between(line, "<DATA>", "</DATA>");
    // A reply without the data block sets nothing and leaves the day open for another try.
    if (data.empty())
        return;
    int year = ToInt(between(data, "<YEAR>", "</YEAR>"));
    int month = ToInt(between(data, "<MONTH>", "</MONTH>"));
    int day = ToInt(between(data, "<DAY>", "</DAY>"));
    int hour = ToInt(between(data, "<HOUR>", "</HOUR>"));
    int minute = ToInt(between(data, "<MINUTE>", "</MINUTE>"));
    int second = ToInt(between(data, "<SECOND>", "</SECOND>"));
    if (m_e.Services().helpers.setTime)
        m_e.Services().helpers.setTime(year, month, day, hour, minute, second);
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

std::vector<std::string> SyncRunner::StampNames()
{
    std::vector<std::string> names{"DBVersion", "LastRenewUD", "LastSyncUD", "InventoryUD", "ItemsUD"};
    for (const std::string& t : SplitList(m_b.Schema().Value("Database", "TableNames")))
        if (!t.empty())
            names.push_back(t + "UD");
    return names;
}

bool SyncRunner::BackupWithStamps(IProgressSink* window)
{
    // The stamps say which rows the database holds; they are kept with the
    // copy so that a restore never leaves them ahead of the restored rows.
    // Written first: a backup without its stamps is never restored.
    ISyncProfile& p = m_e.Profile();
    std::string saved;
    for (const std::string& n : StampNames())
        saved += n + "=" + p.GetString(n) + "|";
    p.SetString(kBackupStamps, saved);
    if (BackupDatabase(window))
        return true;
    p.SetString(kBackupStamps, "");
    return false;
}

void SyncRunner::RestoreStamps()
{
    ISyncProfile& p = m_e.Profile();
    std::string saved = p.GetString(kBackupStamps);
    size_t from = 0;
    while (from < saved.size()) {
        size_t bar = saved.find('|', from);
        if (bar == std::string::npos)
            bar = saved.size();
        std::string entry = saved.substr(from, bar - from);
        size_t eq = entry.find('=');
        if (eq != std::string::npos && eq > 0)
            p.SetString(entry.substr(0, eq), entry.substr(eq + 1));
        from = bar + 1;
    }
}

bool SyncRunner::RestoreRunBackup(IProgressSink* window)
{
    DatabaseBuilder::KeptOrders kept = m_b.KeepReadyOrders();
    if (!RestoreDatabase(window))
        return false;
    RestoreStamps();
    m_b.PutBackReadyOrders(kept);
    return true;
}

std::string SyncRunner::RefusalNotice(const std::vector<std::string>& skipped) const
{
    std::string text;
    if (!m_u.Refused().empty())
        text += "The server refused these records. They stay on the laptop, marked, and go with the next "
                "synchronisation:\n" +
                m_u.RefusedText();
    if (!skipped.empty()) {
        std::string list;
        for (const std::string& t : skipped)
            list += (list.empty() ? "" : ", ") + t;
        text += "Not downloaded, because they still hold records waiting for upload: " + list + "\n";
    }
    return text;
}

bool SyncRunner::RunSynchronise(IProgressSink* window, bool& backedUp)
{
    ISyncProfile& p = m_e.Profile();
    UpdateClock();
    // Uploads first, then the copy: a restore after a failed download brings
    // back the database as it was after the server took the uploads, so no
    // accepted record is marked for upload again.
    if (!m_u.SendChanges(window))
        return false;
    if (ToInt(m_e.Ini("SETTINGS", "BBEFORESYNC", "1")) == 1) {
        if (!BackupWithStamps(window))
            return false;
        backedUp = true;
    } else {
        p.SetString(kBackupStamps, "");
    }
    p.SetInt("RestoreOnOpen", 1);
    // Guarded by the mark: the tables' stamps need not reach the disk one by
    // one; the profile is forced to the disk again on every way out.
    (void)p.SetWritesDurable(false);
    struct DurableAgain {
        ISyncProfile& p;
        ~DurableAgain() { (void)p.SetWritesDurable(true); }
    } durableAgain{p};
    SchemaFile schema = m_b.Schema();
    m_e.Db().CloseAll();
    // A table still holding rows waiting for upload is not replaced: its
    // refused records stay, marked, for the next run.
    std::vector<std::string> skipped;
    auto waiting = [&](const std::string& t) {
        // A table that cannot be read holds nothing to keep.
        if (m_u.WaitingIn(t) <= 0)
            return false;
        skipped.push_back(t);
        return true;
    };
    for (const std::string& t : SplitList(schema.Value("Database", "InsertSync")))
        if (!t.empty() && !waiting(t) && m_b.GrabTableForManager(t, 1) < 0)
            return false;
    for (const std::string& t : SplitList(schema.Value("Database", "UpdateSync")))
        if (!t.empty() && !waiting(t) && m_b.GrabTables(t, 1, true) != 0)
            return false;
    for (const std::string& t : SplitList(schema.Value("Database", "RefreshSync"))) {
        if (t.empty() || waiting(t))
            continue;
        (void)m_e.Db().Exec(Format("delete from %s where datediff(day,transdate,getdate()) <= 1", t.c_str()));
        if (m_b.GrabTables(t, 1, true) != 0)
            return false;
    }
    if (ToInt(schema.Value("Database", "SyncSkipInven", "0")) == 0 && m_b.GrabTables("Inventory", 2, false) != 0)
        return false;
    if (!p.SetWritesDurable(true)) {
        m_e.SetFailureText("The downloaded tables' stamps could not be written to the disk.");
        return false;
    }
    p.SetInt("RestoreOnOpen", 0);
    p.SetString(kBackupStamps, "");
    p.SetString("LastSyncUD", m_e.Now());
    std::string notice = RefusalNotice(skipped);
    if (!notice.empty()) {
        m_notice = notice;
        m_e.ReportProgress("Synchronization Incomplete", 100, 100);
        return false;
    }
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
        m_e.Box().Ask(65100, zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning, MbResult::No) != MbResult::Yes) {
        endedQuietly = true;
        return true;
    }
    UpdateClock();
    if (!m_u.SendChanges(window))
        return false;
    // Every table is replaced: nothing may still wait for upload.
    std::vector<std::string> holding;
    for (const WaitingQuery& q : Uploads::WaitingQueries())
        if (m_u.WaitingIn(q.table) > 0)
            holding.push_back(q.table);
    if (!holding.empty()) {
        m_notice = "The complete update was stopped before any table was replaced.\n" + RefusalNotice(holding);
        endedQuietly = true;
        m_e.ReportProgress("Update Failed", 100, 0);
        m_e.Box().ShowText(m_notice, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    if (ToInt(m_e.Ini("SETTINGS", "BBEFORERENEW", "1")) == 1) {
        if (!BackupWithStamps(window))
            return false;
        backedUp = true;
    } else {
        p.SetString(kBackupStamps, "");
    }
    p.SetInt("RestoreOnOpen", 1);
    // From here the run is guarded by the mark just written (and the backup):
    // commits and profile values need not each reach the disk. Everything is
    // forced to the disk before the mark is cleared, and on every way out.
    ISyncDb& db = m_e.Db();
    db.BeginBulkLoad();
    struct Relaxed {
        ISyncDb& db;
        ISyncProfile& p;
        bool on = true;
        bool End()
        {
            if (!on)
                return true;
            on = false;
            bool rows = db.EndBulkLoad();
            bool profile = p.SetWritesDurable(true);
            return rows && profile;
        }
        ~Relaxed() { (void)End(); }
    } relaxed{db, p, true};
    if (differ || unsent == 0)
        m_b.CreateDatabase(window);
    p.SetString("DBVersion", version);

    std::vector<std::string> local = SplitList(schema.Value("Database", "LocalOnly"));
    std::vector<std::string> tables;
    for (const std::string& t : SplitList(schema.Value("Database", "TableNames"))) {
        bool isLocal = false;
        for (const std::string& l : local)
            if (l == t)
                isLocal = true;
        if (!t.empty() && !isLocal)
            tables.push_back(t);
    }
    // The first table's name reaches the disk before any table is touched;
    // the names after it are written without waiting for the disk (a renew
    // always starts again from the first table).
    bool marked = false;
    auto mark = [&](const std::string& t) {
        p.SetString("LastRenewTable", t);
        if (!marked)
            (void)p.SetWritesDurable(false);
        marked = true;
    };
    if (ToInt(m_e.Ini("SETTINGS", "RENEWMODE", "1")) == 2) {
        for (const std::string& t : tables)
            if (m_b.GrabTableForManager(t, 2) < 0)
                return false;
        m_e.Disconnect();
        for (const std::string& t : tables) {
            mark(t);
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
    } else if (!RenewOverlapped(tables, mark)) {
        return false;
    }
    // The rows and stamps must be on the disk before the mark that guards
    // them is cleared; if that cannot be assured the run has not succeeded.
    if (!relaxed.End()) {
        m_e.SetFailureText("The downloaded tables could not be written to the disk.");
        return false;
    }
    p.SetInt("RestoreOnOpen", 0);
    p.SetString(kBackupStamps, "");
    std::string now = m_e.Now();
    p.SetString("LastRenewUD", now);
    p.SetString("InventoryUD", now);
    p.SetString("LastRenewTable", "");
    m_e.ReportProgress("Update Complete", 100, 100);
    return true;
}

bool SyncRunner::RenewOverlapped(const std::vector<std::string>& tables,
                                 const std::function<void(const std::string&)>& mark)
{
    // While one table is applied the next one travels, when the network
    // library can post into a file of ours; the fetch ahead changes nothing
    // but its own file. Each table is still marked, fetched, applied and
    // stamped in turn. Leaving this function by any way stops and waits for
    // a fetch still running and removes its file (TablePrefetch).
    bool overlap = m_e.CanPostToFile();
    const std::string& replyFile = m_e.Services().paths.replyFile;
    const std::filesystem::path folder = std::filesystem::path(replyFile).parent_path();
    std::unique_ptr<TablePrefetch> current, next;
    for (size_t i = 0; i < tables.size(); ++i) {
        const std::string& t = tables[i];
        mark(t);
        current = std::move(next);
        std::string reply;
        if (current) {
            m_e.ReportProgress(Format("Waiting for %s Data", t.c_str()), 100, 0);
            const int code = current->Wait();
            m_e.NotePostResult(code, current->Target());
            if (code == 0) {
                reply = current->File();
            } else if (SyncEngine::NothingSent(code)) {
                // Asked again the ordinary way, as is every table after it.
                overlap = false;
                current.reset();
                if (!m_b.FetchManagerTable(t, false))
                    return false;
                reply = replyFile;
            } else {
                return false;
            }
        } else {
            if (!m_b.FetchManagerTable(t))
                return false;
            reply = replyFile;
        }
        if (overlap && i + 1 < tables.size()) {
            // Two files taking turns: the one being applied and the next.
            std::string file = (folder / Format("$dlnext%d.txt", static_cast<int>((i + 1) % 2))).string();
            next = std::make_unique<TablePrefetch>(m_e.PostToFile(), m_e.Target(m_b.ManagerTablePath(tables[i + 1])),
                                                   file);
        }
        if (m_b.ApplyManagerReply(t, reply) < 0)
            return false;
    }
    return true;
}

bool SyncRunner::SyncRun(int kind, IProgressSink* window)
{
    ISyncProfile& p = m_e.Profile();
    m_notice.clear();
    int unsent = kind == kCompleteUpdate ? CountReadyOrders() : 0;
    m_e.Db().CloseAll();
    m_e.SetProgressWindow(window);
    if (kind == kCompleteUpdate &&
        m_e.Box().Show(65096, zev::Caption::Information, MbButtons::OkCancel, MbIcon::Information) == MbResult::Cancel)
        return true;

    m_e.ClearFailure();
    bool ok = true;
    bool backedUp = false;
    bool endedQuietly = false;
    if (kind >= kRenewTableBase) {
        std::vector<std::string> names = SplitList(m_b.Schema().Value("Database", "TableNames"));
        size_t i = static_cast<size_t>(kind - kRenewTableBase);
        if (i >= names.size())
            return false;
        // The table is rebuilt before its rows arrive: a copy to go back to
        // first, as for the other runs that change tables.
        ok = BackupWithStamps(window);
        if (ok) {
            backedUp = true;
            p.SetInt("RestoreOnOpen", 1);
            ok = m_b.GrabTableForManager(names[i], 1) >= 0;
        }
    } else if (kind == kInventoryUpdate) {
        UpdateClock();
        // Anything but applied rows (an error text, a page, a short reply)
        // fails the update and leaves ItemsUD where it was.
        if (m_b.GrabTables("Inventory", 2, false) != 0) {
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
        if (endedQuietly)
            return ok;
    } else {
        return false;
    }

    if (!ok && !m_notice.empty()) {
        // Refused records: the downloads went through; the user is told
        // what stays waiting, and the run counts as failed.
        m_e.Box().ShowText(m_notice, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
    } else if (!ok) {
        if (backedUp)
            RestoreRunBackup(window);
        m_e.ReportProgress("Update Failed", 100, 0);
        if (!m_u.Refused().empty())
            m_e.Box().ShowText(RefusalNotice({}), zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        // Say what happened when it is known; the generic text only otherwise.
        if (!m_e.FailureText().empty())
            m_e.Box().ShowText(m_e.FailureText(), zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        else
            m_e.Box().Show(65063, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
    }
    p.SetInt("RestoreOnOpen", 0);
    p.SetString(kBackupStamps, "");
    return ok;
}

SyncRunner::RestoreOutcome SyncRunner::RestoreDatabaseCommand(IProgressSink* window)
{
    if (m_e.Box().AskText("Replace the database on this laptop with its last backup? Everything recorded on the "
                          "laptop since that backup is lost, except the orders waiting to be sent.",
                          zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning, MbResult::No) != MbResult::Yes)
        return RestoreOutcome::Declined;
    const std::string file = BackupFile();
    std::error_code ec;
    auto status = std::filesystem::status(file, ec);
    RestoreOutcome outcome = RestoreOutcome::Restored;
    if (!std::filesystem::exists(status))
        outcome = RestoreOutcome::Missing;
    else if (!std::filesystem::is_regular_file(status))
        outcome = RestoreOutcome::NotAFile;
    if (outcome == RestoreOutcome::Restored) {
        DatabaseBuilder::KeptOrders kept = m_b.KeepReadyOrders();
        if (RestoreDatabase(window)) {
            m_b.PutBackReadyOrders(kept);
            // The stamps belong to the replaced database: without them the
            // next synchronisation asks for every row again, so nothing
            // downloaded since the backup is skipped.
            ISyncProfile& p = m_e.Profile();
            for (const std::string& n : StampNames())
                if (n != "DBVersion" && n != "LastRenewUD" && n != "LastSyncUD")
                    p.SetString(n, "");
            p.SetInt("RestoreOnOpen", 0);
            p.SetString("LastRenewTable", "");
        } else {
            outcome = RestoreOutcome::Damaged;
        }
    }
    switch (outcome) {
    case RestoreOutcome::Restored:
        m_e.Box().ShowText("The database on this laptop was restored from its last backup. Synchronize to bring it "
                           "up to date.",
                           zev::Caption::Information, MbButtons::Ok, MbIcon::Information);
        break;
    case RestoreOutcome::Missing:
        m_e.Box().ShowText("There is no backup of the database on this laptop (" + file +
                               " is missing). Nothing was changed.",
                           zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        break;
    case RestoreOutcome::NotAFile:
        m_e.Box().ShowText("The backup of the database on this laptop cannot be read (" + file +
                               " is not a file). Nothing was changed.",
                           zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        break;
    case RestoreOutcome::Damaged:
        m_e.Box().ShowText("The backup of the database on this laptop is damaged or incomplete (" + file +
                               "). Nothing was changed.",
                           zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        break;
    case RestoreOutcome::Declined:
        break;
    }
    return outcome;
}

bool SyncRunner::PasswordMatches(const std::string& typed) const
{
    std::string pw = TrimBlanks(typed);
    if (pw.empty() || !m_e.Services().helpers.hash)
        return false;
    return EqualsNoCase(m_e.Services().helpers.hash(pw), m_e.Password());
}

void SyncRunner::Recover()
{
    ISyncProfile& p = m_e.Profile();
    // Only the copy the broken run made (its stamps were kept with it) may
    // be restored; an older copy would bring back records sent since.
    bool ownCopy = !p.GetString(kBackupStamps).empty();
    m_e.Db().CloseAll();
    if (!ownCopy || !std::filesystem::is_regular_file(BackupFile()) || !RestoreRunBackup(nullptr))
        m_b.CheckDatabase();
    p.SetString("LastRenewTable", "");
    p.SetInt("RestoreOnOpen", 0);
    p.SetString(kBackupStamps, "");
}

SignInScreen SyncRunner::ContinueSignIn()
{
    ISyncProfile& p = m_e.Profile();
    if (p.GetInt("RestoreOnOpen", 0) == 1) {
        if (!p.GetString("LastRenewTable").empty()) {
            if (m_e.Box().Show(65104, zev::Caption::Information, MbButtons::YesNo, MbIcon::Warning) == MbResult::Yes) {
                m_b.CheckDatabase();
                return SignInScreen::Maintenance;
            }
        } else {
            m_e.Box().Show(65061, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        }
        Recover();
    }
    SchemaFile schema = m_b.Schema();
    int check = m_b.CheckDatabase();
    if (check != 0 || !schema.Exists() || m_e.Profile().GetString("DBVersion") != schema.Value("Database", "Version")) {
        m_e.Box().Show(65027, zev::Caption::Information, MbButtons::Ok, MbIcon::Information);
        return SignInScreen::Maintenance;
    }
    return CountReadyOrders() > 0 ? SignInScreen::RecentOrders : SignInScreen::Accounts;
}

bool SyncRunner::ResetSettings()
{
    if (m_e.Box().AskText("Resetting your settings will remove all user data from this device are you sure?",
                          zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning, MbResult::No) != MbResult::Yes)
        return false;
    m_e.Db().OpenAdmin();
    m_b.RebuildTable("ALL");
    m_e.Db().CloseAll();
    m_e.Profile().DeleteSection("Application");
    m_e.Profile().DeleteSection("ListData");
    m_e.Box().Show(65072, zev::Caption::Information, MbButtons::Ok, MbIcon::Information);
    return true;
}

} // namespace zev::sync
